#pragma once
// Small interfaces between the program's logic and the desktop: message
// boxes, the clipboard, the open/save dialogs and opening a file. The window
// supplies Qt implementations (ui/); tests supply fakes that record what was
// shown and answer without a modal loop.

#include <optional>
#include <string>
#include <vector>

namespace numsift {

inline constexpr const char* kProductName = "Numsift";  // title of most messages

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    std::string title;  // "Numsift", "条件提示", "导入提示", "错误提示"
    std::string text;   // UTF-8, lines joined by CR LF
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    bool operator==(const Message&) const = default;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer show(const Message& message) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard and puts text on it; false when either step failed.
    virtual bool setText(const std::string& text) = 0;
    // The clipboard's plain text, empty when there is none.
    virtual std::string text() = 0;
};

struct FileDialogRequest {
    std::string filter;    // pairs "描述|模式", e.g. "文本文件|*.txt"
    std::string fileName;  // initial name
    std::string dialogTitle;
    bool save = false;  // open (false) or save (true)
};

struct FileDialogResult {
    bool cancel = true;     // true after a cancelled or failed dialog
    std::string fileName;   // chosen path
    std::string fileTitle;  // chosen name without folder
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult run(const FileDialogRequest& request) = 0;
};

// Fakes for tests: record every message and answer from a queue.
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

class ScriptedFileDialogs : public FileDialogs {
public:
    std::vector<FileDialogRequest> requests;
    std::vector<FileDialogResult> results;  // consumed front first; empty = cancel

    FileDialogResult run(const FileDialogRequest& request) override;
};

}  // namespace numsift
