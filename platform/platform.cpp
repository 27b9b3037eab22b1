#include "platform/platform.h"

namespace numsift {

bool copyToClipboard(Clipboard& clipboard, MessageSink& messages, const std::string& text) {
    if (clipboard.setText(text)) return true;
    messages.show({kCopyErrorTitle, kCopyErrorMessage, MessageIcon::None, MessageButtons::Ok});
    return false;
}

}  // namespace numsift
