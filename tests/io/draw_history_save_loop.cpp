// Saves two draw histories in turn, for ever, to the file named by its
// argument (tests/io/save_loop.h): a test kills it with SIGKILL at any moment
// and finds the file whole, the one or the other.
#include <QString>

#include "io/draw_history_file.h"
#include "tests/io/draw_history_samples.h"
#include "tests/io/save_loop.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const numsift::DrawHistoryFile file(QString::fromLocal8Bit(argv[1]));
    return numsift::testdata::runSaveLoop(file, numsift::testdata::historyA(), numsift::testdata::historyB());
}
