// Saves two draw histories in turn, for ever, to the file named by its
// argument, writing "saving N" before each save and "saved N" after it: a
// test kills it with SIGKILL at any moment and finds the file whole, the one
// or the other.
#include <QString>

#include <cstdio>

#include "io/draw_history_file.h"
#include "tests/io/draw_history_samples.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const numsift::DrawStore a = numsift::testdata::historyA(), b = numsift::testdata::historyB();
    const numsift::DrawHistoryFile file(QString::fromLocal8Bit(argv[1]));
    for (long n = 1;; ++n) {
        std::printf("saving %ld\n", n);
        std::fflush(stdout);
        const numsift::SaveResult r = file.save(n % 2 == 0 ? a : b);
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", r.error.toUtf8().constData());
            return 1;
        }
        std::printf("saved %ld\n", n);
        std::fflush(stdout);
    }
}
