#pragma once
// The result set of the last run and everything the result area does with
// it: the display update (count, list, page buttons and their marks), the
// group-size rule, group selection, copy and export, and the prize check.
// The window implements ResultDisplay and renders what this class decides.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "results/page_layout.h"
#include "results/page_marks.h"
#include "platform/platform.h"
#include "results/prize_check.h"
#include "results/result_copy.h"

namespace numsift {

// The note shown in place of the list when a run leaves nothing (CR LF lines).
inline constexpr const char* kZeroResultNote =
    "本次缩水结果为0注\r\n请检查您输入的条件\r\n注意：\r\n同一条件选项不要全部打勾\r\n否则得0注";
inline constexpr const char* kConvertedPrefix = "转换完成！组选结果注数：";

// What the result area shows; calls arrive in the order they take effect.
class ResultDisplay {
public:
    virtual ~ResultDisplay() = default;
    virtual void hideNote() = 0;
    virtual void showNote(const std::string& text) = 0;
    // Rebuild: page buttons (all untouched), page area, page scroll bar (value
    // 0), legend and the heights of the results panel; no pages for no result.
    virtual void layoutPages(const PageLayout& layout) = 0;
    virtual void setCount(int count) = 0;
    virtual void clearList() = 0;
    virtual void fillList(std::span<const std::uint32_t> values) = 0;
    virtual void paintPage(int page, PageColour colour) = 0;
    virtual void scrollListTo(int row) = 0;
    virtual void setGroupSizeText(const std::string& text) = 0;
};

struct PrizeCheckOutcome {
    enum class Kind { NoResults, Rejected, Found, NotFound };
    Kind kind = Kind::NoResults;
    // After Rejected the focus stays in the box with its text selected;
    // after Found or NotFound the box shows drawn.text.
    CleanedDrawnNumber drawn;
};

class ResultState {
public:
    ResultState(ResultDisplay& display, Clipboard& clipboard, MessageSink& messages);
    ResultState(const ResultState&) = delete;
    ResultState& operator=(const ResultState&) = delete;

    // The end of a filter run: its survivors replace the result set and are shown.
    void showRunResult(std::vector<std::uint32_t> values);
    // The display update: rebuild lays everything out afresh (page 0); without
    // rebuild, page is the clicked button, which is marked, scrolled to and copied.
    void refresh(int page, bool rebuild);
    void clickPage(int page) { refresh(page, false); }

    // "转为组选".
    void convertToGroupSelection();
    // Enter in or leaving the group-size box.
    void applyGroupSize(std::string_view boxText);
    // "复制全部号码" and "导出全部号码".
    void copyAll();
    void exportAll(TextEditorOpener& editor);

    // Leaving the drawn-number box: cleans the text, with the message when rejected.
    CleanedDrawnNumber validateDrawnNumber(std::string_view boxText);
    // "兑奖匹配".
    PrizeCheckOutcome checkPrize(std::string_view boxText);

    const std::vector<std::uint32_t>& values() const { return values_; }
    int count() const { return static_cast<int>(values_.size()); }
    int groupSize() const { return groupSize_; }
    int appliedGroupSize() const { return appliedGroupSize_; }
    const PageLayout& layout() const { return layout_; }
    const PageMarks& marks() const { return marks_; }
    bool firstUpdateDone() const { return firstUpdateDone_; }
    const DataProvider& data() const { return data_; }

private:
    ResultDisplay& display_;
    Clipboard& clipboard_;
    MessageSink& messages_;

    std::vector<std::uint32_t> values_;
    ResultData data_{values_};
    int groupSize_ = 3000;
    int appliedGroupSize_ = 3000;  // the size of the buttons shown now
    PageLayout layout_;
    PageMarks marks_;
    bool firstUpdateDone_ = false;
};

}  // namespace numsift
