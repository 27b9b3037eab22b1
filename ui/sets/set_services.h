#pragma once
// What the number-set pages need from the desktop: messages, the clipboard,
// the open dialog and the reader of text files, plus the conversions between
// the engine's texts (UTF-8, CR LF) and the boxes' texts (LF).

#include <QString>

#include <string>

#include "platform/platform.h"
#include "settools/import_flow.h"

namespace numsift {

struct SetServices {
    MessageSink* messages = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialogs* dialogs = nullptr;
    settools::FileReader readFile;  // textFileReader() unless a test supplies one
};

// Whole files through readTextFile: BOM, UTF-16LE, UTF-8 or GB18030, at most
// 64 MiB, with the reason in Chinese when the file cannot be read.
settools::FileReader textFileReader();

// Engine text (CR LF) as a box shows it (LF).
QString toBoxText(const std::string& engineText);

// Box text (LF) as the engine keeps it (UTF-8, CR LF).
std::string toEngineText(const QString& boxText);

}  // namespace numsift
