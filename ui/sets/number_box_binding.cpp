#include "ui/sets/number_box_binding.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QMimeData>
#include <QTextCursor>

#include "controls/entry_box.h"
#include "ui/sets/box_text.h"
#include "ui/sets/set_services.h"

namespace numsift {

NumberBoxBinding::NumberBoxBinding(EntryBox* box, sets::NumberBox kind, NumberSetStore* store,
                                   QObject* parent)
    : QObject(parent ? parent : box), box_(box), boxObject_(box), kind_(kind), store_(store) {
    box->setValidator([this](EntryBox&, bool) {
        reparse();
        return LeaveAnswer::Go;  // leaving a number box is never refused
    });
    box->installEventFilter(this);
    if (box->hasFocus()) installPasteInterception();
}

std::size_t NumberBoxBinding::countAfter(const std::string& engineText) const {
    return sets::boxHasSet(kind_) ? sets::storedCount(*store_, kind_) : sets::countLaidOut(engineText);
}

void NumberBoxBinding::showCount(std::size_t count) {
    if (countLabel_) countLabel_->setText(QString::number(count));
}

void NumberBoxBinding::showText(const std::string& engineText) {
    if (!box_) return;
    box_->setEntryText(ui::boxText(engineText));
    showCount(countAfter(engineText));
}

void NumberBoxBinding::reparse() {
    if (!box_) return;
    const std::string text = sets::reparseBox(*store_, kind_, ui::engineText(box_->entryText()));
    showText(text);
}

void NumberBoxBinding::paste(const QString& text) {
    if (!box_) return;
    const QString current = box_->entryText();
    const QTextCursor cursor = box_->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const std::string result = sets::pasteIntoBox(*store_, kind_, current.left(start).toStdString(),
                                                  text.toStdString(), current.mid(end).toStdString());
    showText(result);
}

void NumberBoxBinding::installPasteInterception() {
    // The result box of the combination page pastes as any text box does.
    if (!box_ || intercepting_ || kind_ == sets::NumberBox::JoinResult) return;
    intercepting_ = true;
    box_->setPasteHandler([this](EntryBox&, const QMimeData& data) {
        if (!intercepting_) return false;
        paste(data.text());
        return true;
    });
    QObject* window = box_->window();
    if (window != watchedWindow_.data()) {
        if (watchedWindow_) watchedWindow_->removeEventFilter(this);
        watchedWindow_ = window;
        window->installEventFilter(this);
    }
}

void NumberBoxBinding::releasePasteInterception() {
    if (!intercepting_) return;
    intercepting_ = false;
    if (box_) box_->setPasteHandler(nullptr);
}

bool NumberBoxBinding::eventFilter(QObject* watched, QEvent* event) {
    // A box that is being destroyed is no longer an entry box; leave it be.
    if (watched == boxObject_ && !qobject_cast<EntryBox*>(watched)) return false;
    if (watched == watchedWindow_.data() && event->type() == QEvent::Close) {
        releasePasteInterception();
    } else if (watched == boxObject_ && event->type() == QEvent::FocusIn) {
        // Coming back from a context menu is not entering the box anew.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason || !intercepting_) {
            installPasteInterception();
            emit entered();
        }
    } else if (watched == boxObject_ && event->type() == QEvent::FocusOut) {
        // A context menu (its paste must still be intercepted) or another
        // application taking the focus for a while does not leave the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            releasePasteInterception();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace numsift
