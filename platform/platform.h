#pragma once
// Small interfaces between the program's logic and the desktop: message
// boxes, the clipboard and the open/save dialogs. Plain C++: the window
// supplies Qt implementations (ui/), the tests their own doubles.

#include <string>

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
    int filterIndex = 0;    // the chosen pair of the filter, from 1; 0 when not known
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult run(const FileDialogRequest& request) = 0;
};

inline constexpr const char* kCopyErrorTitle = "错误提示";
inline constexpr const char* kCopyErrorMessage = "本次复制出现错误，请再复制一次";

// Puts text on the clipboard; on failure shows the copy error (no icon, OK
// button, title "错误提示") and returns false.
bool copyToClipboard(Clipboard& clipboard, MessageSink& messages, const std::string& text);

}  // namespace numsift
