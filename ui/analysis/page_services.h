#pragma once
// What the panels of the 历史验证 page need from the desktop, and the two
// ways they use it: a message, and text copied to the clipboard.

#include <string>

#include "platform/platform.h"

namespace numsift {

struct PageServices {
    MessageSink* messages = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialogs* files = nullptr;

    void tell(const std::string& text, MessageIcon icon, const char* title = nullptr) const {
        if (messages) messages->show(Message{title ? title : kProductName, text, icon, MessageButtons::Ok});
    }
    // False, with the clipboard's message, when the copy failed.
    bool copy(const std::string& text) const {
        if (!clipboard || !messages) return false;
        return copyToClipboard(*clipboard, *messages, text);
    }
};

}  // namespace numsift
