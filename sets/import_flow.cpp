#include "sets/import_flow.h"

#include "sets/messages.h"

namespace numsift::sets {

FileDialogRequest importDialogRequest() {
    FileDialogRequest request;
    request.filter = kTextFileFilter;
    return request;
}

namespace {

// What an import that failed leaves untouched: the box's numbers, and its
// count where the box has one (the kill list has none).
const char* unchangedNote(NumberBox box) {
    switch (box) {
        case NumberBox::Base: return kBaseUnchanged;
        case NumberBox::JoinA: return kJoinAUnchanged;
        case NumberBox::JoinB: return kJoinBUnchanged;
        case NumberBox::KillList: return kKillListUnchanged;
        case NumberBox::JoinResult: break;  // has no import button
    }
    return "号码保持不变。";
}

}  // namespace

Message unreadableFileMessage(NumberBox box, const std::string& path, const std::string& reason) {
    std::string text = kImportUnreadablePrefix;
    text += path;
    text += "\r\n";
    text += reason.empty() ? std::string("读取文件出错") : reason;
    text += "\r\n\r\n";
    text += unchangedNote(box);
    return Message{kImportTitle, text, MessageIcon::Exclamation, MessageButtons::Ok};
}

Message noNumbersMessage() {
    return Message{kImportTitle, kImportFormatText, MessageIcon::Exclamation, MessageButtons::Ok};
}

ImportOutcome importIntoBox(NumberSetStore& store, NumberBox box, FileDialogs& dialogs,
                            const FileReader& read, MessageSink& messages, const ApplyImport& apply) {
    ImportOutcome outcome;
    const FileDialogResult chosen = dialogs.run(importDialogRequest());
    if (chosen.cancel || chosen.fileName.empty()) {
        outcome.status = ImportOutcome::Status::Cancelled;
        return outcome;
    }
    const FileText file = read(chosen.fileName);
    if (!file.ok) {
        outcome.status = ImportOutcome::Status::Unreadable;
        messages.show(unreadableFileMessage(box, chosen.fileName, file.error));
        return outcome;
    }
    // reparseBox makes A or B the current side before its set is replaced.
    outcome.boxText = reparseBox(store, box, file.text);
    outcome.count = boxHasSet(box) ? storedCount(store, box) : countLaidOut(outcome.boxText);
    outcome.status =
        outcome.boxText.empty() ? ImportOutcome::Status::NoNumbers : ImportOutcome::Status::Loaded;
    if (apply) apply(outcome);
    if (outcome.status == ImportOutcome::Status::NoNumbers) messages.show(noNumbersMessage());
    return outcome;
}

}  // namespace numsift::sets
