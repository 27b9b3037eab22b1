#pragma once
// The left top of "历史验证": the kept draw history in a box (oldest first,
// opened at the newest), the buttons "清空", "导入", "放回" and "修改…", the
// range the backtest checks ("验证范围", the history's one range) with
// "开始验证", and a note that says what the last action did.
//
// The box is the kept history. What is typed, pasted or imported into it
// joins the history by issue (analysis/draw_store.h): a new issue is kept,
// an issue kept with another number is asked about ("期号 2025190 已有
// 49972，改为 …？" 是/否), and the box shows the kept draws again. Lines
// without an issue are reported and not kept. Only a list in which no line
// has an issue stays in the box as it is, marked as not the history: it is
// checked on its own, in its line order. A kept draw leaves the history
// only through "修改…" (ui/analysis/draws_list_dialog.h), never because a
// line left the box.

#include <QWidget>

#include <optional>
#include <vector>

#include "analysis/draw_history.h"
#include "ui/analysis/page_services.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace numsift {

class KeptHistory;
class RangeSelector;
struct HistoryMerge;

class DrawsPanel : public QWidget {
    Q_OBJECT
public:
    DrawsPanel(PageServices services, QWidget* parent = nullptr);

    // The buttons' actions: "清空" empties the box (the kept history stays),
    // "放回" shows the kept draws again, "导入" reads a file into the history,
    // "修改…" opens the list of kept draws.
    void clearDraws();
    void restoreKeptDraws();
    bool importDraws();
    void editKeptDraws();

    // What the box holds, taken into the history: new issues kept, changed
    // ones asked about, then the kept draws shown. Nothing happens when the
    // box was not edited since it showed them.
    void commitTyped();

    // The draws to check: those of the range when the box shows the kept
    // history, else the box's own in history order; nothing, with a message
    // that says why, when there is none.
    std::optional<std::vector<Draw>> drawsToCheck();

    // The kept history the box shows from now on.
    void keepDrawsIn(KeptHistory* history);
    // Takes the draws of a pasted text into the history when any has an
    // issue (true: the paste is taken care of).
    bool mergePasted(const QString& text);

    // The box shows the kept draws (not a list of its own, not emptied).
    bool showsKept() const { return showsKept_; }

    QPlainTextEdit* drawsBox() const { return drawsBox_; }
    QLabel* drawsNote() const { return drawsNote_; }
    RangeSelector* range() const { return range_; }
    QPushButton* runButton() const { return runButton_; }  // "开始验证"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Button { Clear, Import, Restore, Edit, ButtonCount };
    void updateDrawCount();
    void showKeptDraws();
    void showNote(const QString& text, bool alarm = false);
    // Merges parsed draws, asks about the conflicts, and says what happened;
    // report: an import's words ("导入 N 期：…"), else a typing's.
    void takeIntoHistory(const DrawHistory& parsed, bool report);
    // True when the player took the new numbers.
    bool askAboutConflicts(const HistoryMerge& merged);
    // Once the mouse button that moved the focus out of the box is let go.
    void commitAfterClick();

    PageServices services_;
    QLabel* title_ = nullptr;
    QPlainTextEdit* drawsBox_ = nullptr;
    QLabel* drawsNote_ = nullptr;
    QPushButton* buttons_[ButtonCount] = {};
    QPushButton* runButton_ = nullptr;
    RangeSelector* range_ = nullptr;
    QTimer* countTimer_ = nullptr;
    KeptHistory* history_ = nullptr;
    bool showsKept_ = false;  // the box holds the kept draws as they were shown
    bool edited_ = false;     // typed into since the box was last set
    bool settingBox_ = false;
    bool committing_ = false;
    bool waitingForRelease_ = false;
};

}  // namespace numsift
