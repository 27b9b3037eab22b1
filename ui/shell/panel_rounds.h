#pragma once
// The panel from round to round: "结果转为大底" makes the result the base set;
// "撤销 …" gives back the panel as it stood before the last action that
// replaced it (清空所有条件, 载入方案, 结果转为大底, 恢复上次的条件), ten steps
// deep; the kept panel (panel_keeper.h) is saved after every change a run
// would read, and the one the last start kept is offered back ("恢复上次的条件",
// in the menu and beside the result count).

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

    // The menu's "撤销 …" (named for what it undoes) and "恢复上次的条件"
    // (enabled while a kept panel is offered).
    void showOn(QAction* undo, QAction* restore);

    // The panel with the base set and the sets A and B.
    KeptPanel panelState() const;
    // Sets the panel and, as parts says, each set that differs, each box as
    // its own paste would leave it.
    void applyPanelState(const KeptPanel& panel, PanelParts parts);

    // "结果转为大底": the result becomes the base set, as if pasted into
    // txtBase. False, with a message, when there is no result.
    bool resultToBase();
    // Remembers the panel before action (its menu caption) replaces the
    // parts of it that undoing gives back.
    void rememberForUndo(const char* action, PanelParts parts);
    // "撤销 …": the panel as it stood before the last remembered action.
    bool undo();
    // "恢复上次的条件": the panel the last start kept; false when none.
    bool restoreLastPanel();

    // Keeps the panel in folder from now on (once, at start) and offers the
    // panel kept there by the last start. A folder that is not ok keeps
    // nothing. Returns what the player must be told at start; empty when
    // nothing.
    QString keepPanelIn(const DataFolder& folder);
    PanelKeeper* panelKeeper() const { return keeper_; }  // null when nothing is kept
    // Right of the result count: the offer to restore the kept panel, or
    // why the panel is not being kept.
    QLabel* keptPanelNote() const { return note_; }
    // Saves the kept panel at once (the window closes).
    void flush();

private:
    void panelChanged();
    void showUndoState();

    RoundParts parts_;
    MessageSink& messages_;
    PanelUndo undo_;
    PanelKeeper* keeper_ = nullptr;
    QLabel* note_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* restoreAction_ = nullptr;
};

}  // namespace numsift
