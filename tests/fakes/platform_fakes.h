#pragma once
// Test doubles of the desktop: they record what the logic showed or asked
// for and answer at once, without a modal loop. Fakes for logic only: every
// modal flow is also tested once with a real QMessageBox.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace numsift {

// Records every message and answers from a queue.
class RecordingMessages : public MessageSink {
public:
    std::vector<Message> shown;
    std::vector<MessageAnswer> nextAnswers;  // consumed front first; default Yes/Ok

    MessageAnswer show(const Message& message) override;
    void setNextAnswer(MessageAnswer a) { nextAnswers.push_back(a); }
};

class MemoryClipboard : public Clipboard {
public:
    std::string content;
    bool failNext = false;  // the next setText fails (and leaves it empty)
    int writes = 0;

    bool setText(const std::string& text) override;
    std::string text() override { return content; }
};

// Records every request and answers with the queued results.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::vector<FileDialogRequest> requests;
    std::vector<FileDialogResult> results;  // consumed front first; empty = cancel

    FileDialogResult run(const FileDialogRequest& request) override;
};

}  // namespace numsift
