#pragma once
// What the panels of the 历史验证 page need from the desktop, and the two
// ways they use it: a message, a question, and text copied to the clipboard.

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
    // A question answered 是 or 否; 否 when there is no one to ask.
    bool ask(const std::string& text, const char* title) const {
        return messages && messages->show(Message{title, text, MessageIcon::Question,
                                                  MessageButtons::YesNo}) == MessageAnswer::Yes;
    }
    // False, with the clipboard's message, when the copy failed.
    bool copy(const std::string& text) const {
        if (!clipboard || !messages) return false;
        return copyToClipboard(*clipboard, *messages, text);
    }
};

}  // namespace numsift
