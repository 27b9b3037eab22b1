#pragma once
// The play record on disk: play-record.txt in the data folder
// (io/data_folder.h), the records of analysis/play_ledger.h one after the
// other, never changed once written. Each record carries the SHA-256 of its
// set and of the record before it, and the file ends with the count of
// records and the SHA-256 of the last one, so that a record edited, removed
// or added by hand breaks the chain where it was changed and is reported
// ("投注记录第 3 条被改动"), never taken as it stands.
//
// The file is UTF-8 text with LF line breaks:
//
//   # Numsift play record, format 1
//   record 1
//   issue 2026121
//   time 2026-05-01 20:30:00
//   multiple 2
//   set-sha256 9f86…             of the set's numbers ascending, one blank between
//   previous-sha256 0000…        of the record before (from its "record" line to
//                                its last byte); 64 zeros for the first
//   set 17                       N bytes: the numbers ascending, one blank between,
//   00001 00002 12345            or, for more than 2,500 numbers, "bits " and the
//                                100,000 bits of the set in Base64 (bit v of byte
//                                v / 8, lowest bit first)
//   scheme 0                     N bytes: the scheme file that made the set
//
//   record 2
//   …
//   end 2 5e88…                  the count of records, the SHA-256 of the last
//
// Adding a record takes a lock beside the file (play-record.txt.lock), reads
// the file again, refuses when it was altered or when the record may not
// be made (recordRefusal), and replaces the file atomically with the record
// added: a save that fails, or a program killed at any moment, leaves the
// old file or the new one; two windows or a window and numsift-cli never
// lose each other's records.
//
// Loading never deletes and never overwrites what it cannot read: no file
// is an empty record; a file that is not a play record is renamed beside
// itself (play-record.txt.foreign-…); an altered file, one of a later
// format version or one that cannot be read is left in place, and adding
// to it is refused.

#include <QString>

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/play_ledger.h"
#include "io/atomic_save.h"
#include "io/data_folder.h"

namespace numsift {

inline constexpr const char* kPlayRecordFileName = "play-record.txt";

// The file's path in the data folder; empty when the folder is not ok.
QString playRecordPath(const DataFolder& folder);

// The SHA-256 of the set's numbers ascending, one blank between (what
// `printf '%s' "00001 00002"` gives to sha256sum), as 64 lowercase hex digits.
std::string setSha256(const NumberSet& set);

// The file's text for records.
std::string playRecordText(std::span<const PlayRecord> records);

struct PlayRecordRead {
    enum class Problem { None, Foreign, Newer, Altered };
    Problem problem = Problem::None;
    int version = 0;                  // the format version when the signature names one
    std::size_t altered = 0;          // Problem::Altered: the first record not as it was written (1-based)
    std::vector<PlayRecord> records;  // every record (None), those before the altered one (Altered)
};

// Reads the text strictly: without the signature line it is Foreign; a later
// format version is Newer; a record that is not in the written form, whose
// set does not match its SHA-256, whose number is not its place, or that
// the next record (or the end line) does not chain to, makes it Altered.
PlayRecordRead readPlayRecord(std::string_view text);

// "投注记录第 N 条被改动".
std::string alteredRecordMessage(std::size_t record);

// Now, local time, as a record's time: "YYYY-MM-DD HH:MM:SS".
std::string recordTimeNow();

struct LoadedPlayRecord {
    std::vector<PlayRecord> records;
    QString message;          // for the window; empty when there is nothing to say
    QString setAsidePath;     // where a foreign file was moved; empty when none was
    std::size_t altered = 0;  // the altered record (1-based); 0 when the file is as written
};

struct AddedRecord {
    bool ok = false;
    QString error;                    // Chinese reason when !ok
    std::vector<PlayRecord> records;  // every record after the add, when ok
};

class PlayRecordFile {
public:
    explicit PlayRecordFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Reads the file by the rules above.
    LoadedPlayRecord load();

    // Adds record at the end by the rules above; history is the kept draw
    // history the record is checked against. allow (tests only) is asked
    // before each step of the save.
    AddedRecord add(const PlayRecord& record, const DrawStore& history,
                    const SaveStepCheck& allow = {}) const;

private:
    QString path_;
};

}  // namespace numsift
