#pragma once
// The kept draw history on disk: draw-history.csv in the data folder
// (io/data_folder.h). The file is UTF-8 with LF line breaks: a signature
// line naming it and its format version, the header "issue,date,number",
// one line per draw in issue order, and an end line with the count of
// draws above it:
//
//   # Numsift draw history, format 2
//   issue,date,number
//   2026001,2026-01-01,35789
//   2026002,,00042
//   # Numsift draw history, end, 2 draws
//
// A file without its end line, or whose count is not its number of draws,
// was cut short or changed and reads as damaged. Files of format 1 (the same
// without the end line) read as they always did and are written in format 2
// at the next save. The first and the last line begin alike, so the file
// imports as it stands (analysis/draw_history.h passes over both).
//
// Saving writes a temporary file beside it and renames it over the old one
// only once every byte is written and flushed to disk (io/atomic_save.h): a
// save that fails, or a program killed at any moment, leaves the old file or
// the new one, never a mix.
//
// Loading is that of every kept file (io/kept_file.h), never deleting and
// never overwriting what it cannot read:
//  - no file: an empty history, nothing to say;
//  - a damaged file, or one that is not a draw history (another program's,
//    a folder in its place): renamed beside itself with a suffix
//    (draw-history.csv.damaged-20260501-203000, ….foreign-…) and an empty
//    history with a short Chinese message saying where it went;
//  - a file of a later format version (written by a newer Numsift), a file
//    that cannot be read, or one that cannot be renamed: left in place, an
//    empty history, a message, and saves refused so the file stays as it is.
//
// The window: at start, DrawHistoryFile file(drawHistoryPath(dataFolder()));
// LoadedHistory h = file.load(); show h.message when not empty; after each
// import or change, file.save(store) and show the error when !ok.

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "analysis/draw_store.h"
#include "io/atomic_save.h"
#include "io/data_folder.h"
#include "io/kept_file.h"

namespace numsift {

inline constexpr const char* kDrawHistoryFileName = "draw-history.csv";

// The file's text.
inline constexpr int kKeptHistoryFormat = 2;
std::string keptHistoryText(const DrawStore& store);

struct KeptHistoryRead : KeptTextCheck {
    DrawStore store;  // empty unless Problem::None
};

// Reads the file's text strictly: without the signature line the text is
// Foreign; a later format version is Newer; a wrong header, a row that is
// not "digits,date or nothing,five digits", issues out of order, and (from
// format 2) an end line that is missing, miscounts or has lines after it
// make it Damaged. CR LF line breaks and a BOM are accepted (an editor may have
// saved it).
KeptHistoryRead readKeptHistory(std::string_view text);

// The history file's path in the data folder; empty when the folder is not
// ok (its error says why).
QString drawHistoryPath(const DataFolder& folder);

struct LoadedHistory {
    DrawStore store;
    QString message;       // for the window; empty when there is nothing to say
    QString setAsidePath;  // where a damaged or foreign file was moved; empty when none was
};

// What an update of the kept history did.
struct HistoryUpdate {
    DrawStore store;            // the history as kept now (what the file held, changed)
    bool changed = false;       // the change changed it (and a save was tried)
    SaveResult save{true, {}};  // the save's answer; ok when nothing had to be saved
    QString message;            // the load's word (a file set aside …); empty when none
    MergeReport report;         // merge only: what the import did
};

inline constexpr int kHistoryLockWaitMs = 10000;

class DrawHistoryFile {
public:
    explicit DrawHistoryFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Reads the file by the rules above.
    LoadedHistory load();

    // Writes the store atomically, in chunks of 64 KiB. Refused when load()
    // left a file in place that it could not read. allow (tests only) is
    // asked before each step, each chunk a Write; false fails that step.
    // Overwrites what another program saved since: to change the history
    // that two windows or numsift-cli share, use update or merge.
    SaveResult save(const DrawStore& store, const SaveStepCheck& allow = {}) const;

    // The one way to change the kept history when several programs share
    // the data folder (two windows, a window and numsift-cli): under a lock
    // on the file (QLockFile, path + ".lock"; a program that died holding
    // it does not keep it), the file is read again as it is now, change is
    // applied to it, and it is saved when it changed. So what another
    // program saved meanwhile is kept, and nothing is saved over it.
    HistoryUpdate update(const std::function<void(DrawStore&)>& change, const SaveStepCheck& allow = {});

    // update with an import: the draws merged by issue into the history as
    // the file holds it now (analysis/draw_store.h), report in the result.
    HistoryUpdate merge(const DrawHistory& parsed, const SaveStepCheck& allow = {});

private:
    QString path_;
    QString refusal_;  // why saving is refused; empty when it is not
};

}  // namespace numsift
