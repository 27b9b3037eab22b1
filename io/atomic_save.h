#pragma once
// The one writer of whole files: the files Numsift keeps in its data folder,
// schemes and exports are replaced whole or not at all.
//
// saveAtomically writes a temporary file beside path and renames it over the
// old one only once every byte is written and on the disk (QSaveFile; each
// write, the sync to disk and the rename are checked): a save that fails —
// a full disk, a file-size limit, a file it may not write — or a program
// killed at any moment, leaves the old file or the new one, never a mix, and
// says why in Chinese. A temporary file left by a killed program is never
// read; the next save writes a temporary file of its own.

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
    QString error;  // when !ok, for the player: which file, why ("磁盘已满（没有剩余空间）"…), and that
                    // the old file is unchanged
};

struct AtomicSave {
    bool ok = false;
    SaveStep failedAt = SaveStep::Open;  // when !ok
    QString reason;  // when !ok, in Chinese: "磁盘已满（没有剩余空间）", "文件超过了系统允许的大小" …
    int systemError = 0;  // when !ok, errno (GetLastError on Windows); 0 when none is known
};

// Writes bytes to path atomically, in chunks of 64 KiB. allow (tests only)
// is asked before each step, each chunk a Write; false fails that step.
AtomicSave saveAtomically(const QString& path, std::string_view bytes, const SaveStepCheck& allow = {});

// The Chinese reason for a failed write: by the platform's error where it
// names one a player understands (a full disk, a file-size limit, no
// permission…), else "系统错误：" and the platform's own text.
QString saveFailureReason(int systemError, const QString& platformText);

}  // namespace numsift
