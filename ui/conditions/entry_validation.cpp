#include "ui/conditions/entry_validation.h"

#include "controls/entry_box.h"
#include "platform/platform.h"
#include "ui/sets/box_text.h"

namespace numsift {

namespace {

void replaceText(EntryBox& box, const QString& text) {
    if (box.toPlainText() != text) box.setPlainText(text);
}

}  // namespace

LeaveAnswer validateEntryBox(EntryBox& box, const NormaliserParams& params, MessageSink* messages,
                             bool mayAsk) {
    if (box.showingHint()) return LeaveAnswer::Go;
    const std::string text = ui::engineText(box.toPlainText());
    const std::string hint = ui::engineText(box.hint());
    ValidationDecision d = validateEntry(text, params, hint);
    if (d.accepted) {
        replaceText(box, ui::boxText(d.normalised));
        return LeaveAnswer::Go;
    }
    if (!mayAsk && messages) return LeaveAnswer::NeedsAnswer;
    MessageAnswer answer = MessageAnswer::Yes;
    if (messages) {
        Message m;
        m.title = kValidationTitle;
        m.text = d.question;
        m.icon = MessageIcon::Exclamation;
        m.buttons = MessageButtons::YesNo;
        answer = messages->show(m);
    }
    if (answer == MessageAnswer::No) return LeaveAnswer::Stay;
    replaceText(box, ui::boxText(d.normalised));
    return LeaveAnswer::Go;
}

void installEntryValidation(EntryBox* box, const NormaliserParams& params, MessageSink* messages) {
    box->setValidator([params, messages](EntryBox& b, bool mayAsk) {
        return validateEntryBox(b, params, messages, mayAsk);
    });
}

}  // namespace numsift
