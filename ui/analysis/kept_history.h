#pragma once
// The window's draw history: the kept store (analysis/draw_store.h) in its
// file (io/draw_history_file.h), and the one range of it ("全部", "近30期",
// "期号 a–b" …; analysis/draw_range.h) that every page counts over: the
// trend chart, the omission figures on the controls, the backtest and the
// rules. Whoever counts listens to windowChanged; every range selector
// (ui/analysis/range_selector.h) shows and sets the same range, and the
// range is kept beside the history (draw-range.txt) for the next start.
//
// Every change goes through the file's locked update: the file is read
// again, the change applied to what it holds now and saved, so another
// window or numsift-cli on the same data folder loses nothing, and the
// window then shows what the file holds (their draws included). A change
// whose save fails stays in the window for the session, is said
// (saveFailed), and is tried again with the next change.
//
// The player's own changes of kept draws (typed, corrected, removed, an
// import's conflict accepted) are DrawEdits, one undo step per change on
// the history's own undo stack.

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "analysis/draw_range.h"
#include "analysis/draw_store.h"
#include "analysis/omission_stats.h"
#include "io/draw_history_file.h"

class QUndoStack;

namespace numsift {

// What a merge did and whether it was saved.
struct HistoryMerge {
    MergeReport report;
    SaveResult save{true, {}};
};

inline constexpr const char* kDrawRangeFileName = "draw-range.txt";

class KeptHistory : public QObject {
    Q_OBJECT
public:
    explicit KeptHistory(QObject* parent = nullptr);
    ~KeptHistory() override;

    // Keeps the history in the file at path from now on: loads it (replacing
    // what is held) and the range kept beside it (全部 when there is none or
    // it cannot be read), and returns what the player must be told, empty
    // when nothing. An empty path keeps the history in memory only.
    QString keepIn(const QString& path);
    bool kept() const { return file_ != nullptr; }

    // Merges parsed draws by issue into the history as the file holds it now.
    HistoryMerge merge(const DrawHistory& parsed);

    // The player's changes as one undo step named name; false (nothing
    // changed, nothing on the undo stack) when a draw is no longer as the
    // edit found it (another program changed it meanwhile) or cannot be kept.
    bool edit(std::vector<DrawEdit> edits, const QString& name);
    QUndoStack* undoStack() const { return undo_; }
    // Whether the last edit, undo or redo changed the draws as it meant to.
    bool lastEditApplied() const { return lastEditApplied_; }

    // The last save's answer (ok while nothing failed) and whether changes
    // of this session wait for a save.
    const SaveResult& lastSave() const { return lastSave_; }
    bool unsaved() const { return !pending_.empty(); }

    const DrawStore& store() const { return store_; }
    // The kept draws one a line, "2025194 2025-07-20 35789", oldest first:
    // how the backtest page shows them.
    std::string drawsText() const;

    // The range counted over, and the draws it takes in the store.
    const DrawRange& range() const { return range_; }
    void setRange(const DrawRange& range);
    DrawSpan rangeSpan() const { return span_; }
    // The newest n draws are counted (0: all of them).
    void setWindow(std::size_t n) { setRange(n == 0 ? DrawRange::all() : DrawRange::newest(n)); }
    // The numbers of every kept draw, oldest first, and those of the range.
    std::span<const std::uint32_t> values() const { return values_; }
    std::span<const std::uint32_t> windowDraws() const {
        return std::span<const std::uint32_t>(values_).subspan(span_.begin, span_.size());
    }
    // The draws of the range as the backtest checks them (label = issue).
    std::vector<Draw> rangeDraws() const;
    // The figures of the range (当前遗漏 over the whole history).
    const OmissionStats& stats() const { return stats_; }
    // "全部 7318 期", "近 30 期" or "期号 2025001–2025100，共 100 期": the
    // range as a tooltip names it.
    QString windowText() const;

signals:
    // The store changed (an import, an edit, a load).
    void historyChanged();
    // The counted draws or their figures changed (the store or the range).
    void windowChanged();
    // A save failed: the reason, for the player.
    void saveFailed(const QString& reason);

private:
    friend class DrawEditCommand;
    using Change = std::function<void(DrawStore&)>;
    // Applies change through the file (or in memory); false when it failed
    // to save (the change is kept for the session and tried again).
    bool change(const Change& apply);
    bool applyEdits(const std::vector<DrawEdit>& edits);
    void storeChanged();
    void recount();
    void saveRange() const;

    DrawStore store_;
    std::unique_ptr<DrawHistoryFile> file_;
    QString rangePath_;
    std::vector<Change> pending_;  // changes whose save failed, oldest first
    SaveResult lastSave_{true, {}};
    QUndoStack* undo_ = nullptr;
    bool lastEditApplied_ = true;
    std::vector<std::uint32_t> values_;
    DrawRange range_;
    DrawSpan span_;
    OmissionStats stats_;
    OmissionStats whole_;  // over every kept draw: 当前遗漏 for any range
};

}  // namespace numsift
