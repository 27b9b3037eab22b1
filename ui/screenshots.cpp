#include "ui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QLineEdit>
#include <QPushButton>

#include "results/platform.h"
#include "ui/main_window.h"
#include "ui/page_compound.h"
#include "ui/result_area.h"

namespace numsift {

int takeScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    RecordingMessages messages;
    MemoryClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});
    w.show();
    QApplication::processEvents();
    bool ok = true;
    auto save = [&](const char* name) {
        QApplication::processEvents();
        ok = w.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };
    save("window-page1-conditions.png");
    w.selectTab(2);
    save("window-page2-roads.png");
    w.selectTab(5);
    for (int i = 0; i < 6; ++i) w.compoundPage()->flashTick();
    save("window-page4-compound.png");
    w.selectTab(1);
    // A result with page buttons: two code kills and tolerance 0 - 0.
    FilterInput in;
    in.compound[1].text = "23";
    w.setFilterInput(in);
    w.startRun();
    w.resultArea()->groupSizeBox()->setText(QStringLiteral("1000"));
    w.resultArea()->applyGroupSize();
    if (w.resultArea()->pageButtonCount() > 2) w.resultArea()->pageButton(2)->click();
    if (w.resultArea()->pageButtonCount() > 6) w.resultArea()->pageButton(6)->click();
    save("window-result-pages.png");
    return ok ? 0 : 1;
}

}  // namespace numsift
