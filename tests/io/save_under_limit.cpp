// Saves a kept file once under a file-size limit, as a full disk or a quota
// would stop it: save_under_limit history|panel|small-history|small-panel
// PATH LIMIT (the small ones fit in a write buffer). SIGXFSZ is
// ignored, so a write past the limit fails with EFBIG instead of killing
// the process. Prints "saved" or the error, and exits 0 or 1.
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <sys/resource.h>

#include "io/draw_history_file.h"
#include "io/kept_panel_file.h"
#include "tests/io/draw_history_samples.h"
#include "tests/io/kept_panel_samples.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{std::strtoul(argv[3], nullptr, 10), std::strtoul(argv[3], nullptr, 10)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    numsift::SaveResult r;
    const std::string_view kind = argv[1];
    if (kind == "history") {
        r = numsift::DrawHistoryFile(path).save(numsift::testdata::historyB());
    } else if (kind == "small-history") {
        r = numsift::DrawHistoryFile(path).save(numsift::testdata::sampleHistory(3, 7));
    } else {
        numsift::KeptPanel panel = numsift::testdata::panelA();
        if (kind == "small-panel") panel.base = panel.setA = panel.setB = {};
        r = numsift::KeptPanelFile(path).save(panel);
    }
    std::fputs(r.ok ? "saved" : r.error.toUtf8().constData(), stdout);
    return r.ok ? 0 : 1;
}
