#pragma once
// The folder where Numsift keeps what it remembers from one start to the
// next (the draw history, the kept panel): the user's application data
// folder as Qt names it for the platform — %APPDATA%\Numsift on Windows,
// ~/.local/share/Numsift on Linux — made when first asked for. Its name is
// the application's (setUpApplication names it "Numsift").

#include <QString>

namespace numsift {

struct DataFolder {
    bool ok = false;
    QString path;   // the folder, '/'-separated, also when it cannot be made
    QString error;  // Chinese reason when !ok
};

// The folder, with its parents made where missing.
DataFolder dataFolder();

}  // namespace numsift
