#pragma once
// The one way a kept file in the data folder is read (the draw history, the
// kept panel): what it is told, where it goes when it cannot be read, and
// when saves are refused afterwards. The files differ only in their words
// and in what becomes of a file a newer Numsift wrote.
//
//  - no file: nothing, nothing to say;
//  - anything but a regular file in its place (a symbolic link, a folder, a
//    FIFO, a device), or a file larger than any such file: moved beside
//    itself as foreign (a link is moved, never followed);
//  - a file that cannot be read: left in place, and saves are refused so it
//    stays as it is;
//  - a file its own reader finds foreign or damaged: moved beside itself;
//  - a file of a later format version: moved beside itself, or left in
//    place with saves refused, as the file's words say.
// A file that cannot be moved is left in place and saves are refused. A
// moved file keeps its bytes under asideName(path, "damaged" | "foreign" |
// "newer"): kept-panel.txt.damaged-20260501-203000.

#include <QString>

#include <functional>
#include <string_view>

#include "io/atomic_save.h"

namespace numsift {

enum class KeptProblem { None, Foreign, Newer, Damaged };

// What a file's own reader finds in its text.
struct KeptTextCheck {
    using Problem = KeptProblem;
    Problem problem = Problem::None;
    int version = 0;  // the format version when the signature names one
    int line = 0;     // the line where the damage starts (Problem::Damaged)
};

// How the player is told about one kind of kept file.
struct KeptFileWords {
    const char* noun;        // "开奖历史文件"
    const char* foreign;     // its reader found another program's file: "不是 Numsift 的开奖历史"
    const char* notAFile;    // a folder or device in its place: "不是开奖历史文件"
    const char* tooLarge;    // "大得不像开奖历史文件"
    const char* afterAside;  // what follows once it is moved: "；开奖历史从空开始。"
    bool newerStays;         // a newer file stays in place (saves refused) rather than moved
};

struct KeptFileLoad {
    bool read = false;     // the text was read and its reader found no problem
    QString message;       // for the player; empty when there is nothing to say
    QString setAsidePath;  // where the file went; empty when it was not moved
    QString refusal;       // why saves are refused; empty when they are not
};

// Reads path by the rules above; parse is given the file's text as UTF-8
// and keeps what it reads.
KeptFileLoad loadKeptFile(const QString& path, const KeptFileWords& words,
                          const std::function<KeptTextCheck(std::string_view text)>& parse);

// Saves bytes as the kept file at path (io/atomic_save.h); refused, with
// nothing written, when refusal says why (a load left a file in place that
// it could not read) or a symbolic link stands in the file's place (saving
// would write through it). A failure names the file and the reason and says
// the old file is unchanged.
SaveResult saveKeptFile(const QString& path, std::string_view bytes, const KeptFileWords& words,
                        const QString& refusal, const SaveStepCheck& allow);

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
