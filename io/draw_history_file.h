#pragma once
// The kept draw history on disk: draw-history.csv in the data folder
// (io/data_folder.h), in the format of analysis/draw_store.h (a signature
// line naming the file and its format version, then a CSV of
// issue,date,number).
//
// Saving writes a temporary file beside it and renames it over the old one
// only once every byte is written and flushed to disk (QSaveFile): a save
// that fails, or a program killed at any moment, leaves the old file or the
// new one, never a mix.
//
// Loading never deletes and never overwrites what it cannot read:
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

#include <utility>

#include "analysis/draw_store.h"
#include "io/atomic_save.h"
#include "io/data_folder.h"

namespace numsift {

inline constexpr const char* kDrawHistoryFileName = "draw-history.csv";

// The history file's path in the data folder; empty when the folder is not
// ok (its error says why).
QString drawHistoryPath(const DataFolder& folder);

struct LoadedHistory {
    DrawStore store;
    QString message;       // for the window; empty when there is nothing to say
    QString setAsidePath;  // where a damaged or foreign file was moved; empty when none was
};

class DrawHistoryFile {
public:
    explicit DrawHistoryFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Reads the file by the rules above.
    LoadedHistory load();

    // Writes the store atomically, in chunks of 64 KiB. Refused when load()
    // left a file in place that it could not read. allow (tests only) is
    // asked before each step, each chunk a Write; false fails that step.
    SaveResult save(const DrawStore& store, const SaveStepCheck& allow = {}) const;

private:
    QString path_;
    QString refusal_;  // why saving is refused; empty when it is not
};

}  // namespace numsift
