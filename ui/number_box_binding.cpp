#include "ui/number_box_binding.h"

#include <QEvent>
#include <QLabel>
#include <QMimeData>
#include <QTextCursor>

#include "controls/entry_box.h"
#include "ui/set_services.h"

namespace numsift {

NumberBoxBinding::NumberBoxBinding(EntryBox* box, settools::NumberBox kind, NumberSetStore* store, QObject* parent)
    : QObject(parent ? parent : box), box_(box), kind_(kind), store_(store) {
    box->setValidator([this](EntryBox&) {
        reparse();
        return true;  // leaving a number box is never refused
    });
    connect(box, &EntryBox::entered, this, [this] {
        installPasteInterception();
        emit entered();
    });
    connect(box, &EntryBox::left, this, &NumberBoxBinding::releasePasteInterception);
}

std::size_t NumberBoxBinding::countAfter(const std::string& engineText) const {
    return settools::boxHasSet(kind_) ? settools::storedCount(*store_, kind_) : settools::countLaidOut(engineText);
}

void NumberBoxBinding::showCount(std::size_t count) {
    if (countLabel_) countLabel_->setText(QString::number(count));
}

void NumberBoxBinding::showText(const std::string& engineText) {
    if (!box_) return;
    box_->setEntryText(toBoxText(engineText));
    showCount(countAfter(engineText));
}

void NumberBoxBinding::reparse() {
    if (!box_) return;
    const std::string text = settools::reparseBox(*store_, kind_, toEngineText(box_->entryText()));
    showText(text);
}

void NumberBoxBinding::paste(const QString& text) {
    if (!box_) return;
    const QString current = box_->entryText();
    const QTextCursor cursor = box_->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const std::string result = settools::pasteIntoBox(*store_, kind_, current.left(start).toStdString(),
                                                      text.toStdString(), current.mid(end).toStdString());
    showText(result);
}

void NumberBoxBinding::installPasteInterception() {
    // The result box of the combination page pastes as any text box does.
    if (!box_ || intercepting_ || kind_ == settools::NumberBox::JoinResult) return;
    intercepting_ = true;
    box_->setPasteHandler([this](EntryBox& box, const QMimeData& data) {
        if (!intercepting_ || !box.hasFocus()) return false;
        paste(data.text());
        return true;
    });
    QWidget* window = box_->window();
    if (window != watchedWindow_) {
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
    if (watched == watchedWindow_ && event->type() == QEvent::Close) releasePasteInterception();
    return QObject::eventFilter(watched, event);
}

}  // namespace numsift
