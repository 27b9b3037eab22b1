#pragma once
// The desktop as the screenshot tool needs it: no box opens; each message is
// printed, so one that should not appear is seen, and answered as its first
// button would (确定 or 是); the clipboard is a string.

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace numsift {

class PrintedMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override {
        std::fprintf(stderr, "numsift-screenshots: message \"%s\": %s\n", message.title.c_str(),
                     message.text.c_str());
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

class HeldClipboard : public Clipboard {
public:
    bool setText(const std::string& text) override {
        text_ = text;
        return true;
    }
    std::string text() override { return text_; }

private:
    std::string text_;
};

}  // namespace numsift
