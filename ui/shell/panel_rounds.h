#pragma once
// The panel from round to round: "结果转为大底" makes the result the base set;
// "撤销 …" and "重做 …" step back and forth through every change of the
// panel (panel_history.h), the actions that replace it whole (清空所有条件,
// 载入方案, 结果转为大底, 恢复上次的条件) one step each; the kept panel
// (panel_keeper.h) is saved after every change a run would read, and the
// one the last start kept is offered back ("恢复上次的条件", in the menu and
// beside the result count). The kept panel belongs to one window at a time
// (KeptPanelLock): a second window on the data folder is told so and
// neither restores nor saves it.

#include <QObject>
#include <QString>

#include <memory>

#include "io/data_folder.h"
#include "io/kept_panel_file.h"
#include "ui/shell/panel_keeper.h"

class QAction;
class QLabel;
class QWidget;

namespace numsift {

class ConditionPanel;
class MessageSink;
class NumberSetStore;
class PageBase;
class PageJoin;
class PanelHistory;
class ResultArea;

// The parts of the window a round reads and sets.
struct RoundParts {
    QWidget* window = nullptr;  // whose text boxes may hold unchecked typing
    ConditionPanel* conditions = nullptr;
    PageBase* base = nullptr;
    PageJoin* join = nullptr;
    NumberSetStore* store = nullptr;
    ResultArea* results = nullptr;
};

class PanelRounds : public QObject {
    Q_OBJECT
public:
    PanelRounds(RoundParts parts, MessageSink& messages, QObject* parent = nullptr);
    ~PanelRounds() override;

    // Every change of the panel, one step each.
    PanelHistory& history() const { return *history_; }
    // The menu's "撤销 …" and "重做 …", named for the step they act on, and
    // "恢复上次的条件" and "恢复更早的条件" (enabled while a kept panel is
    // offered).
    void showOn(QAction* undo, QAction* redo, QAction* restore, QAction* restoreEarlier);

    // The panel with the base set and the sets A and B.
    KeptPanel panelState() const;
    // Sets the panel and, as parts says, each set that differs, each box as
    // its own paste would leave it.
    void applyPanelState(const KeptPanel& panel, PanelParts parts);

    // "结果转为大底": the result becomes the base set, as if pasted into
    // txtBase. False, with a message, when there is no result.
    bool resultToBase();
    // "撤销 …" and "重做 …"; false when there is no step to take. A box with
    // typing its check refuses stops them.
    bool undo();
    bool redo();
    // "恢复上次的条件": the panel the last start kept; false when none.
    bool restoreLastPanel();
    // "恢复更早的条件": the panel the start before it kept, when the last
    // start set it aside unrestored; false when none.
    bool restoreEarlierPanel();

    // Keeps the panel in folder from now on (once, at start) and offers the
    // panel kept there by the last start. A folder that is not ok, or whose
    // kept panel another window holds, keeps nothing. Returns what the
    // player must be told at start; empty when nothing.
    QString keepPanelIn(const DataFolder& folder);
    PanelKeeper* panelKeeper() const { return keeper_; }  // null when nothing is kept
    // Right of the result count: the offer to restore the kept panel, or
    // why the panel is not being kept (a click shows the whole reason).
    QLabel* keptPanelNote() const { return note_; }
    // Saves the kept panel at once; false, and the reason in a message,
    // when that fails.
    bool flush();
    // The window closes: saves the kept panel and lets the next window have it.
    void close();

private:
    void watchPanel();
    void panelChanged();
    void showNote(const QString& text, const QString& reason);

    RoundParts parts_;
    MessageSink& messages_;
    PanelHistory* history_;
    std::unique_ptr<KeptPanelLock> lock_;
    PanelKeeper* keeper_ = nullptr;
    QLabel* note_ = nullptr;
    QString noteReason_;  // what a click on the note shows; empty when it offers the kept panel
    QAction* restoreAction_ = nullptr;
    QAction* restoreEarlierAction_ = nullptr;
};

}  // namespace numsift
