#include "ui/shell/panel_history.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

#include "controls/entry_box.h"
#include "controls/select_button.h"

namespace numsift {

class PanelHistory::Step : public QUndoCommand {
public:
    Step(PanelHistory& history, const QString& name, std::vector<Change> changes)
        : QUndoCommand(name), history_(history), changes_(std::move(changes)) {}

    void undo() override { history_.apply(changes_, true); }
    void redo() override {
        // Pushed after the change was made: the first redo has nothing to do.
        if (done_) history_.apply(changes_, false);
        done_ = true;
    }

private:
    PanelHistory& history_;
    std::vector<Change> changes_;
    bool done_ = false;
};

namespace {

// The keys that undo and redo; in a text box they belong to the box.
bool isUndoKey(const QKeyEvent* key) {
    const QKeyCombination k = key->keyCombination();
    return k == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
           k == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           k == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

bool isTextBox(const QObject* o) {
    if (const auto* line = qobject_cast<const QLineEdit*>(o)) return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(o)) return !text->isReadOnly();
    return false;
}

}  // namespace

PanelHistory::PanelHistory(QObject* parent)
    : QObject(parent), stack_(new QUndoStack(this)), settleTimer_(new QTimer(this)) {
    stack_->setUndoLimit(kUndoLimit);
    settleTimer_->setSingleShot(true);
    settleTimer_->setInterval(0);
    connect(settleTimer_, &QTimer::timeout, this, [this] {
        if (depth_ == 0) collect(false);
    });
    qApp->installEventFilter(this);
}

PanelHistory::~PanelHistory() { qApp->removeEventFilter(this); }

int PanelHistory::add(QString name, std::function<Value()> read, std::function<void(const Value&)> write,
                      std::function<bool()> pending) {
    Part part{std::move(name), std::move(read), std::move(write), std::move(pending), false, false};
    part.committed = part.read();
    parts_.push_back(std::move(part));
    return static_cast<int>(parts_.size()) - 1;
}

void PanelHistory::watch(QWidget* root, const Namer& name) {
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        if (auto* select = qobject_cast<SelectButton*>(b)) {
            const int i = add(
                name(select),
                [select]() -> Value {
                    if (!select->isSelected()) return 0;
                    return select->faceColour() == kSelectedYellow ? 2 : 1;
                },
                [select](const Value& v) {
                    select->setSelected(std::get<int>(v) != 0, std::get<int>(v) == 2);
                },
                {});
            connect(select, &SelectButton::selectionChanged, this, [this, i] { changed(i); });
        } else if (b->isCheckable()) {
            const int i = add(
                name(b), [b]() -> Value { return b->isChecked(); },
                [b](const Value& v) { b->setChecked(std::get<bool>(v)); }, {});
            connect(b, &QAbstractButton::toggled, this, [this, i] { changed(i); });
        }
    }
    for (EntryBox* box : root->findChildren<EntryBox*>())
        watchNumberBox(box, name(box), [box](const QString& text) { box->setEntryText(text); });
    for (QLineEdit* line : root->findChildren<QLineEdit*>()) watchLine(line, name(line));
}

void PanelHistory::watchLine(QLineEdit* box, const QString& name) {
    const int i = add(
        name, [box]() -> Value { return box->text(); },
        [box](const Value& v) { box->setText(std::get<QString>(v)); },
        // Typed into while it has the focus; left, it counts.
        [box] { return box->hasFocus(); });
    connect(box, &QLineEdit::textChanged, this, [this, i] { changed(i); });
    connect(box, &QLineEdit::editingFinished, this, [this] {
        if (depth_ == 0) collect(false);
    });
}

void PanelHistory::watchNumberBox(EntryBox* box, const QString& name,
                                  std::function<void(const QString&)> restore) {
    const int i = add(
        name, [box]() -> Value { return box->entryText(); },
        [restore = std::move(restore)](const Value& v) { restore(std::get<QString>(v)); },
        // Typed into: it counts once its check accepts it.
        [box] { return box->hasFocus() && box->hasUncheckedEdit(); });
    connect(box, &QPlainTextEdit::textChanged, this, [this, i] { changed(i); });
    connect(box, &EntryBox::left, this, [this] {
        if (depth_ == 0) collect(false);
    });
}

std::function<void()> PanelHistory::watchValue(const QString& name, std::function<Value()> read,
                                               std::function<void(const Value&)> write) {
    const int i = add(name, std::move(read), std::move(write), {});
    return [this, i] { changed(i); };
}

void PanelHistory::changed(int part) {
    Part& p = parts_[static_cast<std::size_t>(part)];
    if (!p.dirty) {
        p.dirty = true;
        dirty_.push_back(part);
    }
    if (!applying_ && depth_ == 0) settleTimer_->start();
}

void PanelHistory::beginStep(const QString& action) {
    if (depth_++ > 0) return;
    // What was made before the action is a step of its own.
    collect(true);
    action_ = action;
}

void PanelHistory::endStep() {
    if (depth_ == 0 || --depth_ > 0) return;
    collect(true, action_);
    action_.clear();
}

void PanelHistory::settle() {
    if (depth_ == 0) collect(true);
}

void PanelHistory::collect(bool force, const QString& action) {
    if (applying_) return;
    std::vector<Change> changes;
    std::vector<int> waiting;
    for (int i : dirty_) {
        Part& p = parts_[static_cast<std::size_t>(i)];
        if (!force && p.pending && p.pending()) {
            waiting.push_back(i);
            continue;
        }
        p.dirty = false;
        Value now = p.read();
        if (now == p.committed) continue;
        changes.push_back(Change{i, p.committed, now});
        p.committed = std::move(now);
    }
    dirty_ = std::move(waiting);
    if (changes.empty()) return;
    const QString name = action.isEmpty() ? stepName(changes) : action;
    stack_->push(new Step(*this, name, std::move(changes)));
}

void PanelHistory::apply(const std::vector<Change>& changes, bool before) {
    applying_ = true;
    if (before) {
        for (auto c = changes.rbegin(); c != changes.rend(); ++c)
            parts_[static_cast<std::size_t>(c->part)].write(c->before);
    } else {
        for (const Change& c : changes) parts_[static_cast<std::size_t>(c.part)].write(c.after);
    }
    applying_ = false;
    // What the writes changed stands as it is now, without a step of its own.
    for (int i : dirty_) {
        Part& p = parts_[static_cast<std::size_t>(i)];
        p.dirty = false;
        p.committed = p.read();
    }
    dirty_.clear();
}

QString PanelHistory::stepName(const std::vector<Change>& changes) const {
    const QString& first = parts_[static_cast<std::size_t>(changes.front().part)].name;
    const bool same = std::all_of(changes.begin(), changes.end(), [&](const Change& c) {
        return parts_[static_cast<std::size_t>(c.part)].name == first;
    });
    if (same) return first;
    return QStringLiteral("%1等 %2 项").arg(first).arg(changes.size());
}

bool PanelHistory::undo() {
    settle();
    if (depth_ > 0 || !stack_->canUndo()) return false;
    stack_->undo();
    return true;
}

bool PanelHistory::redo() {
    settle();
    if (depth_ > 0 || !stack_->canRedo()) return false;
    stack_->redo();
    return true;
}

void PanelHistory::showOn(QAction* undo, QAction* redo) {
    auto show = [this, undo, redo] {
        const QString back = stack_->undoText(), forth = stack_->redoText();
        undo->setText(back.isEmpty() ? QStringLiteral("撤销") : QStringLiteral("撤销 ") + back);
        undo->setEnabled(stack_->canUndo());
        redo->setText(forth.isEmpty() ? QStringLiteral("重做") : QStringLiteral("重做 ") + forth);
        redo->setEnabled(stack_->canRedo());
    };
    show();
    connect(stack_, &QUndoStack::indexChanged, undo, show);
}

bool PanelHistory::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // A text box's own undo and redo keys stay its own.
            if (isTextBox(watched) && isUndoKey(static_cast<QKeyEvent*>(event))) event->accept();
            [[fallthrough]];
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // The next input starts a step of its own.
            if (!dirty_.empty() && depth_ == 0 && !applying_) collect(false);
            break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace numsift
