#include "ui/entry_validation.h"

#include "controls/entry_box.h"
#include "results/platform.h"

namespace numsift {

namespace {

QString boxText(const std::string& crlf) {
    QString s = QString::fromStdString(crlf);
    s.remove(QLatin1Char('\r'));
    return s;
}

void replaceText(EntryBox& box, const QString& text) {
    if (box.toPlainText() != text) box.setPlainText(text);
}

}  // namespace

bool validateEntryBox(EntryBox& box, const NormaliserParams& params, MessageSink* messages) {
    if (box.showingHint()) return true;
    const std::string text = withCrLf(box.toPlainText().toStdString());
    const std::string hint = withCrLf(box.hint().toStdString());
    ValidationDecision d = validateEntry(text, params, hint);
    if (d.accepted) {
        replaceText(box, boxText(d.normalised));
        return true;
    }
    MessageAnswer answer = MessageAnswer::Yes;
    if (messages) {
        Message m;
        m.title = kValidationTitle;
        m.text = d.question;
        m.icon = MessageIcon::Exclamation;
        m.buttons = MessageButtons::YesNo;
        answer = messages->show(m);
    }
    if (answer == MessageAnswer::No) return false;
    replaceText(box, boxText(d.normalised));
    return true;
}

void installEntryValidation(EntryBox* box, const NormaliserParams& params, MessageSink* messages) {
    box->setValidator([params, messages](EntryBox& b) { return validateEntryBox(b, params, messages); });
}

}  // namespace numsift
