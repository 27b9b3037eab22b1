// A window in a process of its own on a data folder (NUMSIFT_DATA_DIR, as
// the program opens it), for the tests of two windows on one folder and of
// a save the platform makes fail (tests/ui/shared_window_test.cpp). Runs
// offscreen; messages are recorded and printed, one line each.
//
//   window_user hold DIR
//       opens a window on DIR, prints "told: TEXT" for what the start told
//       the player (or "told nothing") and "offered" or "not offered" for
//       "恢复上次的条件"; ticks 万位0 and saves as the window would ("saved",
//       "not saved", or "not kept" when it keeps no panel); at the end of its standard input closes the
//       window and prints "closed".
//   window_user limit DIR BYTES
//       opens a window on DIR under a file-size limit of BYTES (SIGXFSZ
//       ignored, so a write past it fails with EFBIG as on a full disk),
//       puts all 100,000 numbers into the base set and saves: prints
//       "saved", or "note: TEXT", "reason: TEXT" (what a click on the
//       note shows) and "on close: TEXT" (what closing the window shows).

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include <sys/resource.h>

#include "engine/number.h"
#include "io/data_folder.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/shell/panel_rounds.h"
#include "ui/sets/page_base.h"

using namespace numsift;

namespace {

void say(const std::string& line) { std::cout << line << '\n' << std::flush; }

// The messages shown since the last call, joined, and forgotten.
std::string told(RecordingMessages& messages) {
    std::string text;
    for (const Message& m : messages.shown) text += (text.empty() ? "" : " | ") + m.text;
    messages.shown.clear();
    return text;
}

QAction* menuAction(MainWindow& w, const char* name) {
    return w.findChild<QToolButton*>(QStringLiteral("fileMenuButton"))
        ->menu()
        ->findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    qputenv(kDataFolderVariable, argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argv[1];
    if (mode == "limit") {
        if (argc != 4) return 2;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t bytes = std::strtoul(argv[3], nullptr, 10);
        const rlimit limit{bytes, bytes};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    }
    QApplication app(argc, argv);
    setUpApplication(app);
    RecordingMessages messages;
    MemoryClipboard clipboard;
    ScriptedFileDialogs files;
    MainWindow w(WindowServices{&messages, &clipboard, &files, {}});
    w.keepPanelIn(dataFolder());
    w.show();
    QApplication::processEvents();  // the start's message is told once the window shows
    const std::string start = told(messages);
    say(start.empty() ? "told nothing" : "told: " + start);

    if (mode == "hold") {
        say(menuAction(w, "restoreLastPanelAction")->isEnabled() ? "offered" : "not offered");
        w.findChild<QWidget*>(QStringLiteral("chkDW_0"))->setProperty("checked", true);
        if (!w.rounds().panelKeeper())
            say("not kept");
        else
            say(w.rounds().flush() ? "saved" : "not saved");
        for (std::string line; std::getline(std::cin, line);) {
        }
        w.close();
        say("closed");
        return 0;
    }
    if (mode == "limit") {
        std::string all;
        for (std::uint32_t n = 0; n < kNumberSpace; ++n) all += numberText(n) + ' ';
        w.basePage()->setBaseText(all);
        if (w.rounds().flush()) {
            say("saved");
            return 0;
        }
        QLabel* note = w.rounds().keptPanelNote();
        say("note: " + note->text().toStdString());
        emit note->linkActivated(QStringLiteral("why"));
        say("reason: " + told(messages));
        w.close();
        say("on close: " + told(messages));
        return 0;
    }
    return 2;
}
