#pragma once
// What the number-set pages need from the desktop: messages, the clipboard,
// the open dialog and the reader of text files.

#include "platform/platform.h"
#include "sets/import_flow.h"

namespace numsift {

struct SetServices {
    MessageSink* messages = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialogs* dialogs = nullptr;
    sets::FileReader readFile;  // textFileReader() unless a test supplies one
};

// Whole files through readTextFile: BOM, UTF-16LE, UTF-8 or GB18030, at most
// 64 MiB, with the reason in Chinese when the file cannot be read.
sets::FileReader textFileReader();

}  // namespace numsift
