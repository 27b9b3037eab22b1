#pragma once
// The panel's undo and redo: every change of the panel is one step of a
// QUndoStack, and a step holds only what changed — each changed part with
// the value it had before and after — so a tick costs one box, however many
// numbers the base set holds.
//
// A part is a control of the panel (a check box, a select button, a text
// box), or a value no control shows (the groups). The history watches each
// part and takes its changes into steps:
//  - the changes one input event makes are one step: a tick, a click of "全"
//    that ticks a row, a paste into the base set. A step is closed before
//    the next press or key reaches any widget, and once the event loop is
//    free again;
//  - a text box counts once it is left (or its check accepted the typing): a
//    box being typed in is a change still to come, not a step per key;
//  - the changes an action makes between beginStep and endStep are one step
//    named for it ("清空所有条件", "载入方案" …).
// Undo and redo put each part of the step back as it stood; what they change
// is not recorded again.
//
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in a text box stay the box's own: the
// window's undo and redo do not take them there.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <variant>
#include <vector>

#include "conditions/kill_rules.h"
#include "engine/tolerance_groups.h"

class QAction;
class QLineEdit;
class QTimer;
class QUndoStack;
class QWidget;

namespace numsift {

class EntryBox;

class PanelHistory : public QObject {
    Q_OBJECT
public:
    // What a part holds: a tick, a selection (0 none, 1 green, 2 yellow), a
    // box's text (Qt shares the text, so holding it copies nothing), groups,
    // the kill rules.
    using Value = std::variant<bool, int, QString, std::vector<ToleranceGroup>, std::vector<KillRule>>;
    // Names a control for the menu ("万位3", "杀两码").
    using Namer = std::function<QString(const QWidget*)>;

    static constexpr int kUndoLimit = 100;

    explicit PanelHistory(QObject* parent = nullptr);
    ~PanelHistory() override;

    QUndoStack* stack() const { return stack_; }

    // Every check box, select button and text box below root is a part,
    // named by name.
    void watch(QWidget* root, const Namer& name);
    // One line edit (a tolerance box).
    void watchLine(QLineEdit* box, const QString& name);
    // A number box whose text stands for a number set: restore puts a text
    // back through the box's own re-parse, so that the set follows.
    void watchNumberBox(EntryBox* box, const QString& name, std::function<void(const QString&)> restore);
    // A value no control shows; call the returned function whenever it changes.
    std::function<void()> watchValue(const QString& name, std::function<Value()> read,
                                     std::function<void(const Value&)> write);

    // The changes made until the matching endStep are one step named
    // action; nested pairs make no step of their own.
    void beginStep(const QString& action);
    void endStep();

    // Closes the changes made so far into a step, typing not yet accepted
    // too (before an undo, or a test that reads the stack).
    void settle();
    bool undo();
    bool redo();

    // Names the menu's "撤销 …" and "重做 …" for the step each would take,
    // and enables each while there is one.
    void showOn(QAction* undo, QAction* redo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Step;
    struct Part {
        QString name;
        std::function<Value()> read;
        std::function<void(const Value&)> write;
        std::function<bool()> pending;  // typing not yet accepted; null: never
        Value committed;
        bool dirty = false;
    };
    struct Change {
        int part;
        Value before, after;
    };

    int add(QString name, std::function<Value()> read, std::function<void(const Value&)> write,
            std::function<bool()> pending);
    void changed(int part);
    // Takes the dirty parts into one step (named action, or for its parts);
    // without force a part still being typed in waits.
    void collect(bool force, const QString& action = {});
    void apply(const std::vector<Change>& changes, bool before);
    QString stepName(const std::vector<Change>& changes) const;

    QUndoStack* stack_;
    QTimer* settleTimer_;
    std::vector<Part> parts_;
    std::vector<int> dirty_;
    int depth_ = 0;  // open beginStep calls
    QString action_;
    bool applying_ = false;
};

}  // namespace numsift
