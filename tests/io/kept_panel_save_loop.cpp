// Saves two kept panels in turn, for ever, to the file named by its argument
// (tests/io/save_loop.h): a test kills it with SIGKILL at any moment and
// finds the file whole, the one or the other.
#include <QString>

#include "io/kept_panel_file.h"
#include "tests/io/kept_panel_samples.h"
#include "tests/io/save_loop.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const numsift::KeptPanelFile file(QString::fromLocal8Bit(argv[1]));
    return numsift::testdata::runSaveLoop(file, numsift::testdata::panelA(), numsift::testdata::panelB());
}
