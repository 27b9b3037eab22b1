#pragma once
// The desktop services the window talks to. Tests pass fakes; a service left
// empty is supplied by the desktop (message boxes, the system clipboard, the
// file dialogs, an installed text editor).

#include <QString>

#include <functional>

#include "platform/platform.h"

namespace numsift {

// Starts a text editor on a file; true when one was started.
using TextFileOpener = std::function<bool(const QString& path)>;

struct WindowServices {
    MessageSink* messages = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialogs* files = nullptr;
    TextFileOpener openTextFile;
};

}  // namespace numsift
