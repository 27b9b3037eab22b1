#include "controls/entry_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>

#include <algorithm>
#include <unordered_map>

#include "conditions/entry_syntax.h"

namespace numsift {

namespace {

const QColor kGreyText(128, 128, 128);

QColor windowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }
QColor windowText() { return QApplication::palette().color(QPalette::Active, QPalette::Text); }

std::string toUtf8CrLf(const QString& text) { return withCrLf(text.toStdString()); }

QString fromUtf8Lf(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.remove(QLatin1Char('\r'));
    return s;
}

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

// A click whose focus change was refused: Qt moves the focus before the
// press is delivered, so the press (and its release) that follow are
// swallowed instead, and the clicked control does not act.
struct RefusedClick {
    static inline bool pressPending = false;
    static inline bool releasePending = false;
    static void refused(Qt::FocusReason reason) {
        if (reason == Qt::MouseFocusReason) pressPending = true;
    }
};

// Keeps the focus in a plain widget while its check refuses.
class FocusGuard : public QObject {
public:
    FocusGuard(QWidget* w, std::function<bool()> mayLeave)
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

    bool check() {
        if (checking_) return true;
        checking_ = true;
        const bool ok = mayLeave_();
        checking_ = false;
        return ok;
    }
    bool checking() const { return checking_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_) return false;
        if (event->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(event);
            if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && !check()) return true;
        } else if (event->type() == QEvent::FocusOut) {
            auto* f = static_cast<QFocusEvent*>(event);
            if (f->reason() != Qt::ActiveWindowFocusReason && f->reason() != Qt::PopupFocusReason &&
                !checking_ && !check()) {
                RefusedClick::refused(f->reason());
                QPointer<QWidget> w(widget_);
                QMetaObject::invokeMethod(
                    widget_,
                    [w] {
                        if (w && w->isEnabled() && w->isVisible()) w->setFocus(Qt::OtherFocusReason);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    QWidget* widget_;
    std::function<bool()> mayLeave_;
    bool checking_ = false;
};

FocusGuard* guardOf(QWidget* w) {
    if (!w) return nullptr;
    auto it = FocusGuard::guards().find(w);
    return it == FocusGuard::guards().end() ? nullptr : it->second;
}

}  // namespace

// Runs the focused box's validator before a mouse press would move the focus
// elsewhere, and swallows the press when the box keeps the focus. So a click
// on a button is never delivered while the box refuses to be left, and the
// button's action cannot run on an unchecked entry.
class EntryValidationGate : public QObject {
public:
    static void ensureInstalled() {
        static QPointer<EntryValidationGate> gate;
        if (!gate && qApp) {
            gate = new EntryValidationGate(qApp);
            qApp->installEventFilter(gate);
        }
    }

protected:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && RefusedClick::releasePending &&
            watched->isWidgetType()) {
            RefusedClick::releasePending = false;
            return true;
        }
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        // A new press: the release of a swallowed click, if it never came
        // (the question box's own loop took it), must not eat this click's.
        if (watched->isWidgetType()) RefusedClick::releasePending = false;
        if (RefusedClick::pressPending && watched->isWidgetType()) {
            RefusedClick::pressPending = false;
            RefusedClick::releasePending = true;
            return true;
        }
        if (!watched->isWidgetType()) return false;
        QWidget* focused = QApplication::focusWidget();
        if (!focused) return false;
        auto* box = qobject_cast<EntryBox*>(focused);
        FocusGuard* guard = box ? nullptr : guardOf(focused);
        if (box ? (!box->validator_ || box->validating_) : (!guard || guard->checking())) return false;
        QWidget* target = clickFocusTarget(static_cast<QWidget*>(watched));
        if (!target || target == focused || focused->isAncestorOf(target)) return false;
        if (target->window() != focused->window()) return false;
        return box ? !box->validate() : !guard->check();
    }
};

EntryBox::EntryBox(QWidget* parent) : QPlainTextEdit(parent) {
    EntryValidationGate::ensureInstalled();
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
    const bool ok = validator_(*this);
    validating_ = false;
    if (ok) validatedSinceEdit_ = true;
    return ok;
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
            LostFocusDisplay d = lostFocusDisplay(toUtf8CrLf(text), toUtf8CrLf(hint_));
            grey = d.grey;
            const QString shown = fromUtf8Lf(d.text);
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

QColor EntryBox::backgroundColour() const { return palette().color(QPalette::Active, QPalette::Base); }

void EntryBox::refocusLater() {
    QPointer<EntryBox> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self && self->isEnabled() && self->isVisible()) self->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (toPlainText() == hint_) {
        if (!hint_.isEmpty()) {
            const bool keep = validatedSinceEdit_;
            clear();
            validatedSinceEdit_ = keep;
        }
    }
    setGrey(false);
    if (focusBackground_) setBackground(*focusBackground_);
    emit entered();
}

void EntryBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (!validate()) {
        RefusedClick::refused(event->reason());
        refocusLater();
        return;
    }
    applyLostFocusDisplay();
    emit left();
}

void guardFocus(QWidget* w, std::function<bool()> mayLeave) {
    EntryValidationGate::ensureInstalled();
    new FocusGuard(w, std::move(mayLeave));
}

void EntryBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    clear();
    setGrey(false);
    emit doubleClicked();
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    if (singleLine_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
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
