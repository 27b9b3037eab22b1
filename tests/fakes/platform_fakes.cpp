#include "tests/fakes/platform_fakes.h"

namespace numsift {

MessageAnswer RecordingMessages::show(const Message& message) {
    shown.push_back(message);
    if (!nextAnswers.empty()) {
        MessageAnswer a = nextAnswers.front();
        nextAnswers.erase(nextAnswers.begin());
        return a;
    }
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

bool MemoryClipboard::setText(const std::string& text) {
    ++writes;
    if (failNext) {
        failNext = false;
        content.clear();
        return false;
    }
    content = text;
    return true;
}

FileDialogResult ScriptedFileDialogs::run(const FileDialogRequest& request) {
    requests.push_back(request);
    if (results.empty()) return {};
    FileDialogResult r = results.front();
    results.erase(results.begin());
    return r;
}

}  // namespace numsift
