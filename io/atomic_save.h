#pragma once
// What the files Numsift keeps in its data folder share: they are replaced
// whole or not at all, and one that cannot be read is moved beside itself,
// never deleted.
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

// A free name beside path: path + "." + what + "-yyyyMMdd-HHmmss", with
// "-2", "-3"… after it while that name is taken.
QString asideName(const QString& path, const char* what);

// A file that cannot be read, moved beside itself to asideName(path, what).
struct SetAside {
    QString path;     // where it went; empty when it could not be moved
    QString message;  // for the player
    QString refusal;  // why saves are refused when it could not be moved
};
// noun names the file ("开奖历史文件"), problem says what is wrong with it
// ("已损坏（第 3 行）"), after what follows once it is moved ("；…从空开始。").
SetAside setAside(const QString& path, const char* what, const QString& noun, const QString& problem,
                  const QString& after);

}  // namespace numsift
