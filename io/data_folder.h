#pragma once
// The folder where Numsift keeps what it remembers from one start to the
// next (the draw history, the kept panel): the user's application data
// folder as Qt names it for the platform — %APPDATA%\Numsift on Windows,
// ~/.local/share/Numsift on Linux — made when first asked for. Its name is
// the application's (setUpApplication names it "Numsift").
//
// The environment variable NUMSIFT_DATA_DIR, when set and not empty, names
// the folder instead, on every platform: tests and trials keep the user's
// own folder out of reach with it.

#include <QString>

namespace numsift {

struct DataFolder {
    bool ok = false;
    QString path;   // the folder, '/'-separated, also when it cannot be made
    QString error;  // Chinese reason when !ok
};

inline constexpr const char* kDataFolderVariable = "NUMSIFT_DATA_DIR";

// The folder, with its parents made where missing.
DataFolder dataFolder();

}  // namespace numsift
