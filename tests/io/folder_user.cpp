// A second program on the data folder, for the tests of two programs
// sharing it (tests/io/shared_folder_test.cpp):
//   folder_user panel DIR          takes the kept panel's lock, says "held" or
//                                  "taken: why", and holds it until its
//                                  standard input ends
//   folder_user import DIR FIRST N imports the draws of issues FIRST,
//                                  FIRST + 2 … (N of them), one import each
//                                  with a pause, as a window does after each
//                                  paste
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "io/draw_history_file.h"
#include "io/kept_panel_file.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const QString dir = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "panel") == 0) {
        numsift::KeptPanelLock lock(dir + QStringLiteral("/") + QLatin1String(numsift::kKeptPanelFileName));
        if (lock.take())
            std::printf("held\n");
        else
            std::printf("taken: %s\n", lock.message().toUtf8().constData());
        std::fflush(stdout);
        for (int c; (c = std::getchar()) != EOF;) {
        }
        return 0;
    }
    if (std::strcmp(argv[1], "import") == 0 && argc == 5) {
        numsift::DrawHistoryFile file(dir + QStringLiteral("/") +
                                      QLatin1String(numsift::kDrawHistoryFileName));
        const long first = std::strtol(argv[3], nullptr, 10), count = std::strtol(argv[4], nullptr, 10);
        for (long i = 0; i < count; ++i) {
            const long issue = first + 2 * i;
            const std::string line =
                std::to_string(issue) + " " + std::to_string(10000 + issue % 90000) + "\n";
            const numsift::HistoryUpdate u = file.merge(numsift::parseDraws(line));
            if (!u.save.ok || u.report.added != 1) {
                std::printf("failed at %ld: %s\n", issue, u.save.error.toUtf8().constData());
                return 1;
            }
            // A player pastes now and then, not without a pause.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::printf("done\n");
        return 0;
    }
    return 2;
}
