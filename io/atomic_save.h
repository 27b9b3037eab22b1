#pragma once
// The one writer of whole files: the files Numsift keeps in its data folder,
// schemes and exports are replaced whole or not at all.
//
// saveAtomically writes a temporary file beside path and renames it over the
// old one only once every byte is written and flushed to disk (QSaveFile): a
// save that fails, or a program killed at any moment, leaves the old file or
// the new one, never a mix. A temporary file left by a killed program is
// never read; the next save writes a temporary file of its own.

#include <QString>

#include <functional>
#include <string_view>

namespace numsift {

// The steps of a save, so that tests can make each one fail as a full disk
// or a locked file would.
enum class SaveStep { Open, Write, Commit };
using SaveStepCheck = std::function<bool(SaveStep)>;

// A save as the window reports it.
struct SaveResult {
    bool ok = false;
    QString error;  // Chinese reason when !ok
};

struct AtomicSave {
    bool ok = false;
    SaveStep failedAt = SaveStep::Open;  // when !ok
    QString reason;                      // the platform's reason when !ok
};

// Writes bytes to path atomically, in chunks of 64 KiB. allow (tests only)
// is asked before each step, each chunk a Write; false fails that step.
AtomicSave saveAtomically(const QString& path, std::string_view bytes, const SaveStepCheck& allow = {});

}  // namespace numsift
