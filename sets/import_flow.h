#pragma once
// Import of a text file into a number box: the open dialog, reading the whole
// file, the re-parse into the box's set and the messages for a file that
// cannot be read or holds no number.

#include <cstddef>
#include <functional>
#include <string>

#include "engine/number_set_store.h"
#include "platform/platform.h"
#include "sets/number_boxes.h"

namespace numsift::sets {

// A whole file turned into UTF-8 text, or the reason it could not be read.
struct FileText {
    bool ok = false;
    std::string text;
    std::string error;
};

using FileReader = std::function<FileText(const std::string& path)>;

struct ImportOutcome {
    enum class Status { Cancelled, Unreadable, NoNumbers, Loaded };
    Status status = Status::Cancelled;
    std::string boxText;    // NoNumbers: empty; Loaded: the laid-out numbers
    std::size_t count = 0;  // the box's count after the import
    // Whether the box, its set and its count were replaced (NoNumbers and
    // Loaded); after a cancelled dialog or an unreadable file all stay.
    bool changesBox() const { return status == Status::NoNumbers || status == Status::Loaded; }
};

// The request the import buttons put to the open dialog.
FileDialogRequest importDialogRequest();

// Puts an outcome that changes the box into the box; runs before the
// outcome's message, so the user sees the emptied box behind the message.
using ApplyImport = std::function<void(const ImportOutcome&)>;

// One press of an import button for box (Base, JoinA, JoinB or KillList).
ImportOutcome importIntoBox(NumberSetStore& store, NumberBox box, FileDialogs& dialogs,
                            const FileReader& read, MessageSink& messages, const ApplyImport& apply = {});

// The message for a file that could not be read into box: names the file,
// the reason, and what of the box stays as it was.
Message unreadableFileMessage(NumberBox box, const std::string& path, const std::string& reason);

// The message for a file that yields no number.
Message noNumbersMessage();

}  // namespace numsift::sets
