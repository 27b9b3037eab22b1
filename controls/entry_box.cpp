#include "controls/entry_box.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "conditions/entry_syntax.h"
#include "engine/line_breaks.h"

namespace numsift {

namespace {

const QColor kGreyText(128, 128, 128);

QColor windowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }
QColor windowText() { return QApplication::palette().color(QPalette::Active, QPalette::Text); }

// The widget that a mouse press on `w` would give the focus to, as Qt does it:
// the first enabled ancestor (or w itself) that takes the focus on a click.
QWidget* clickFocusTarget(QWidget* w) {
    while (w) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) return w;
        if (w->isWindow()) return nullptr;
        w = w->parentWidget();
    }
    return nullptr;
}

// Keeps the focus in a plain widget while its check refuses.
class FocusGuard : public QObject {
public:
    FocusGuard(QWidget* w, std::function<LeaveAnswer(bool)> mayLeave)
        : QObject(w), widget_(w), mayLeave_(std::move(mayLeave)) {
        w->installEventFilter(this);
        guards()[w] = this;
    }
    ~FocusGuard() override {
        auto it = guards().find(widget_);
        if (it != guards().end() && it->second == this) guards().erase(it);
    }

    // The guard of each guarded widget (the guard is a plain QObject child,
    // so it cannot be found by type among the widget's children).
    static std::unordered_map<const QWidget*, FocusGuard*>& guards() {
        static std::unordered_map<const QWidget*, FocusGuard*> map;
        return map;
    }

    LeaveAnswer check(bool mayAsk) {
        if (checking_) return LeaveAnswer::Go;
        checking_ = true;
        LeaveAnswer answer = mayLeave_(mayAsk);
        checking_ = false;
        if (mayAsk && answer == LeaveAnswer::NeedsAnswer) answer = LeaveAnswer::Stay;
        return answer;
    }
    bool checking() const { return checking_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* widget_;
    std::function<LeaveAnswer(bool)> mayLeave_;
    bool checking_ = false;
};

FocusGuard* guardOf(QWidget* w) {
    if (!w) return nullptr;
    auto it = FocusGuard::guards().find(w);
    return it == FocusGuard::guards().end() ? nullptr : it->second;
}

void focusLater(QWidget* w) {
    QPointer<QWidget> target(w);
    QMetaObject::invokeMethod(
        w,
        [target] {
            if (target && target->isEnabled() && target->isVisible()) target->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

bool isWindowSwitch(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

// Holds back the clicks that would leave a box before its check has asked
// what it must, and gives them again once the answer lets the focus go.
//
// A press reaches the application twice: first at its window, before Qt
// moves the focus, then at the widget, after. At the window the focused
// box is checked without messages; when a message is needed the press (and
// its release) are dropped, so the focus never moves, and the question is
// queued. A press sent to the widget directly has moved the focus already:
// the box's focus-out refuses, takes the focus back, and the press that
// follows is held the same way. After an answer that lets the focus go, the
// control the press was meant for gets the focus and the press and release.
class EntryValidationGate : public QObject {
public:
    static EntryValidationGate* instance() {
        static QPointer<EntryValidationGate> gate;
        if (!gate && qApp) {
            gate = new EntryValidationGate(qApp);
            qApp->installEventFilter(gate);
        }
        return gate;
    }

    // Whether leaving w needs its check: an entry box with an edit its
    // validator has not accepted, or a guarded widget.
    static bool needsCheck(QWidget* w) {
        if (auto* box = qobject_cast<EntryBox*>(w))
            return box->validator_ && !box->validating_ && !box->validatedSinceEdit_;
        FocusGuard* guard = guardOf(w);
        return guard && !guard->checking();
    }

    static LeaveAnswer check(QWidget* w, bool mayAsk) {
        if (auto* box = qobject_cast<EntryBox*>(w)) {
            if (!mayAsk) return box->validateQuietly();
            return box->validate() ? LeaveAnswer::Go : LeaveAnswer::Stay;
        }
        FocusGuard* guard = guardOf(w);
        return guard ? guard->check(mayAsk) : LeaveAnswer::Go;
    }

    // The focus left owner by a click and its quiet check did not let it
    // go: the focus comes back, the press that follows is held and, where
    // a message is needed, the question is asked once the click is over.
    void refuseClickLeave(QWidget* owner, LeaveAnswer answer) {
        focusLater(owner);
        owner_ = owner;
        held_ = {};
        awaitingPress_ = true;
        if (answer == LeaveAnswer::NeedsAnswer) {
            askLater();
        } else {
            // Refused without a message: only the press is dropped.
            QMetaObject::invokeMethod(
                this, [this] { awaitingPress_ = false; }, Qt::QueuedConnection);
        }
    }

protected:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        // Clicks given again, and any sent by the program, pass.
        if (!event->spontaneous()) return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched->isWindowType()) return windowEvent(static_cast<QWindow*>(watched), mouse);
        if (!watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (type == QEvent::MouseButtonRelease) {
            const bool swallow = swallowRelease_ || questionPending_;
            swallowRelease_ = false;
            return swallow;
        }
        if (awaitingPress_) {
            // The press whose focus change was refused.
            awaitingPress_ = false;
            hold(clickOf(widget, *mouse, mouse->position()));
            return true;
        }
        if (questionPending_) return true;
        // A new press: the release of a held click, if it never came (the
        // question box's own loop took it), must not eat this click's.
        swallowRelease_ = false;
        // A press that did not move the focus (its target takes none from a
        // click, or it was sent to the widget without the focus change).
        return holdIfAsked(clickOf(widget, *mouse, mouse->position()));
    }

private:
    struct HeldClick {
        QPointer<QWidget> target;
        QPointF pos, globalPos;
        Qt::MouseButton button = Qt::NoButton;
        Qt::KeyboardModifiers modifiers;
    };

    // A press at a window, before Qt has found its widget or moved the focus.
    bool windowEvent(QWindow* window, QMouseEvent* mouse) {
        if (mouse->type() == QEvent::MouseButtonRelease) return false;
        if (questionPending_) return true;
        QWidget* top = topLevelOf(window);
        if (!top) return false;
        QWidget* widget = top->childAt(mouse->position().toPoint());
        if (!widget) widget = top;
        return holdIfAsked(clickOf(widget, *mouse, widget->mapFromGlobal(mouse->globalPosition())));
    }

    // (A new QMouseEvent is not made here: in Qt 6 its point would share
    // state with the press being delivered.)
    static HeldClick clickOf(QWidget* widget, const QMouseEvent& press, QPointF pos) {
        return {widget, pos, press.globalPosition(), press.button(), press.modifiers()};
    }

    // The same click aimed at the widget of window now under its position.
    static HeldClick clickAt(QWidget* window, HeldClick click) {
        const QPoint inWindow = window->mapFromGlobal(click.globalPos).toPoint();
        QWidget* widget = window->childAt(inWindow);
        if (!widget) widget = window;
        click.target = widget;
        click.pos = widget->mapFromGlobal(click.globalPos);
        return click;
    }

    static QWidget* topLevelOf(QWindow* window) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window) return w;
        return nullptr;
    }

    // Holds a press on widget that would move the focus out of a box whose
    // check does not let it go without a message.
    bool holdIfAsked(const HeldClick& click) {
        QWidget* focused = QApplication::focusWidget();
        // Without a window manager the window may be inactive after a message
        // box, and the click would move its focus without a focus-out.
        if (!focused && click.target) focused = click.target->window()->focusWidget();
        if (!focused || QApplication::activePopupWidget() || !needsCheck(focused)) return false;
        QWidget* target = clickFocusTarget(click.target);
        if (!target || target == focused || focused->isAncestorOf(target)) return false;
        if (target->window() != focused->window()) return false;
        QWidget* window = focused->window();
        const LeaveAnswer answer = check(focused, false);
        if (answer == LeaveAnswer::Go) {
            if (click.target) return false;
            // The check rebuilt the control that was pressed (a new group
            // size makes new page buttons): the click goes to whatever now
            // stands where it was made, and the press of the old one is
            // dropped with its release.
            swallowRelease_ = true;
            giveAgain(clickAt(window, click));
            return true;
        }
        owner_ = focused;
        hold(click);
        if (answer == LeaveAnswer::NeedsAnswer) askLater();
        return true;
    }

    void hold(const HeldClick& click) {
        held_ = click;
        swallowRelease_ = true;
    }

    void askLater() {
        questionPending_ = true;
        QMetaObject::invokeMethod(this, &EntryValidationGate::ask, Qt::QueuedConnection);
    }

    void ask() {
        questionPending_ = false;
        awaitingPress_ = false;  // a focus change without a press (the wheel) holds no click
        const HeldClick click = std::exchange(held_, {});
        const QPointer<QWidget> owner = std::exchange(owner_, nullptr);
        if (!owner || !owner->isVisible() || !owner->isEnabled()) return;
        const bool go = check(owner, true) == LeaveAnswer::Go;
        if (!owner) return;
        if (!go) {
            owner->setFocus(Qt::OtherFocusReason);
            return;
        }
        giveAgain(click);
    }

    // The held click, to the control it was meant for: the focus as the
    // press would have moved it, then the press and the release.
    static void giveAgain(const HeldClick& click) {
        QPointer<QWidget> target = click.target;
        if (!target || !target->isVisible() || click.button == Qt::NoButton) return;
        if (QWidget* focus = clickFocusTarget(target)) focus->setFocus(Qt::MouseFocusReason);
        if (!target) return;
        QMouseEvent press(QEvent::MouseButtonPress, click.pos, click.globalPos, click.button, click.button,
                          click.modifiers);
        QApplication::sendEvent(target, &press);
        if (!target) return;
        QMouseEvent release(QEvent::MouseButtonRelease, click.pos, click.globalPos, click.button,
                            Qt::NoButton, click.modifiers);
        QApplication::sendEvent(target, &release);
        if (target && click.button == Qt::RightButton) {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, click.pos.toPoint(), click.globalPos.toPoint(),
                                   click.modifiers);
            QApplication::sendEvent(target, &menu);
        }
    }

    QPointer<QWidget> owner_;  // the box whose check holds the click
    HeldClick held_;
    bool awaitingPress_ = false;    // the next press is the one whose focus change was refused
    bool swallowRelease_ = false;   // the release of a held press is dropped
    bool questionPending_ = false;  // a held click waits for its question
};

bool FocusGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_) return false;
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && check(true) != LeaveAnswer::Go)
            return true;
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (isWindowSwitch(reason) || checking_) return false;
        if (reason == Qt::MouseFocusReason) {
            const LeaveAnswer answer = check(false);
            if (answer != LeaveAnswer::Go) EntryValidationGate::instance()->refuseClickLeave(widget_, answer);
        } else if (check(true) != LeaveAnswer::Go) {
            focusLater(widget_);
        }
    }
    return false;
}

EntryBox::EntryBox(QWidget* parent) : QPlainTextEdit(parent) {
    EntryValidationGate::instance();
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { validatedSinceEdit_ = false; });
}

EntryBox::~EntryBox() = default;

void EntryBox::setHint(const QString& hint) {
    hint_ = hint;
    hint_.remove(QLatin1Char('\r'));
    if (!hasFocus()) applyLostFocusDisplay();
}

void EntryBox::setFocusBackground(std::optional<QColor> colour) {
    focusBackground_ = colour;
    if (hasFocus() && focusBackground_) setBackground(*focusBackground_);
}

void EntryBox::setSingleLine(bool single) {
    singleLine_ = single;
    setLineWrapMode(single ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(single ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(single ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

bool EntryBox::validate() {
    if (!validator_ || validating_ || validatedSinceEdit_) return true;
    validating_ = true;
    const bool ok = validator_(*this, true) == LeaveAnswer::Go;
    validating_ = false;
    if (ok) validatedSinceEdit_ = true;
    return ok;
}

LeaveAnswer EntryBox::validateQuietly() {
    if (!validator_ || validating_ || validatedSinceEdit_) return LeaveAnswer::Go;
    validating_ = true;
    const LeaveAnswer answer = validator_(*this, false);
    validating_ = false;
    if (answer == LeaveAnswer::Go) validatedSinceEdit_ = true;
    return answer;
}

QString EntryBox::entryText() const {
    QString t = toPlainText();
    if (!hint_.isEmpty() && t == hint_) return {};
    return t;
}

bool EntryBox::showingHint() const { return !hint_.isEmpty() && toPlainText() == hint_; }

void EntryBox::clearEntry() { setEntryText(QString()); }

void EntryBox::setEntryText(const QString& text) {
    QString t = text;
    t.remove(QLatin1Char('\r'));
    if (t != toPlainText()) setPlainText(t);
    if (hasFocus())
        setGrey(false);
    else
        applyLostFocusDisplay();
}

void EntryBox::applyLostFocusDisplay() {
    if (hint_.isEmpty()) {
        setGrey(false);
    } else {
        const QString text = toPlainText();
        // A long number list never equals a short hint; skip the conversion.
        bool grey;
        if (text.size() > hint_.size() * 4 + 64) {
            grey = false;
        } else {
            LostFocusDisplay d =
                lostFocusDisplay(withCrLf(text.toStdString()), withCrLf(hint_.toStdString()));
            grey = d.grey;
            const QString shown = QString::fromStdString(withLf(d.text));
            if (shown != text) {
                const bool keep = validatedSinceEdit_;
                setPlainText(shown);
                validatedSinceEdit_ = keep;
            }
        }
        setGrey(grey);
    }
    setBackground(windowBackground());
}

// Both colours hold for a disabled box too: a compound box the tabs disable
// keeps its window colour, and its entry stays as readable as in any box and
// distinct from a grey hint (the style's disabled colours would make an
// entry look like a hint, or like an empty box).
void EntryBox::setGrey(bool grey) {
    grey_ = grey;
    setPaletteColour(QPalette::Text, grey ? kGreyText : windowText());
}

void EntryBox::setBackground(const QColor& colour) { setPaletteColour(QPalette::Base, colour); }

void EntryBox::setPaletteColour(QPalette::ColorRole role, const QColor& colour) {
    QPalette p = palette();
    const auto groups = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
    if (std::all_of(groups.begin(), groups.end(), [&](auto g) { return p.color(g, role) == colour; })) return;
    for (auto g : groups) p.setColor(g, role, colour);
    setPalette(p);
}

void EntryBox::enter() {
    if (!hint_.isEmpty() && toPlainText() == hint_) {
        const bool keep = validatedSinceEdit_;
        clear();
        validatedSinceEdit_ = keep;
    }
    setGrey(false);
    if (focusBackground_) setBackground(*focusBackground_);
    emit entered();
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    // Back from another window or a menu the box was never left, unless it
    // shows its hint: then it was left without the focus moving on.
    if (isWindowSwitch(event->reason()) && !grey_) return;
    enter();
}

void EntryBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (isWindowSwitch(event->reason())) return;
    if (event->reason() == Qt::MouseFocusReason) {
        const LeaveAnswer answer = validateQuietly();
        if (answer != LeaveAnswer::Go) {
            EntryValidationGate::instance()->refuseClickLeave(this, answer);
            return;
        }
    } else if (!validate()) {
        focusLater(this);
        return;
    }
    applyLostFocusDisplay();
    emit left();
}

void guardFocus(QWidget* w, std::function<LeaveAnswer(bool)> mayLeave) {
    EntryValidationGate::instance();
    new FocusGuard(w, std::move(mayLeave));
}

bool checkFocusedEntry(QWidget* window) {
    QWidget* focused = QApplication::focusWidget();
    if (window && (!focused || focused->window() != window->window()))
        focused = window->window()->focusWidget();
    if (!focused || !EntryValidationGate::needsCheck(focused)) return true;
    return EntryValidationGate::check(focused, true) == LeaveAnswer::Go;
}

void EntryBox::mousePressEvent(QMouseEvent* event) {
    if (grey_) enter();
    QPlainTextEdit::mousePressEvent(event);
}

void EntryBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    clear();
    setGrey(false);
    emit doubleClicked();
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    // A typed character or an edit goes into the box, never into its hint.
    const QString typed = event->text();
    if (grey_ && !typed.isEmpty() &&
        (typed.front().isPrint() || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete))
        enter();
    if (singleLine_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
    if (grey_ && !event->commitString().isEmpty()) enter();
    QPlainTextEdit::inputMethodEvent(event);
}

bool EntryBox::focusNextPrevChild(bool next) {
    if (!validate()) return true;
    return QPlainTextEdit::focusNextPrevChild(next);
}

bool EntryBox::canInsertFromMimeData(const QMimeData* source) const {
    if (pasteHandler_) return true;
    return QPlainTextEdit::canInsertFromMimeData(source);
}

void EntryBox::insertFromMimeData(const QMimeData* source) {
    if (!source) return;
    if (grey_) enter();
    if (pasteHandler_ && pasteHandler_(*this, *source)) return;
    if (singleLine_) {
        QString t = source->text();
        t.replace(QLatin1String("\r\n"), QLatin1String(" "));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        t.replace(QLatin1Char('\r'), QLatin1Char(' '));
        insertPlainText(t);
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace numsift
