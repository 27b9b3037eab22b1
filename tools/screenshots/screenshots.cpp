#include "tools/screenshots/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QLineEdit>
#include <QPushButton>

#include "tools/screenshots/quiet_desktop.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"
#include "ui/conditions/page_compound.h"
#include "ui/results/result_area.h"
#include "engine/number.h"
#include "ui/sets/number_box.h"
#include "ui/sets/number_box_binding.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"

namespace numsift {

int takeScreenshots(const QString& folder) {
    QDir().mkpath(folder);
    PrintedMessages messages;
    HeldClipboard clipboard;
    MainWindow w(WindowServices{&messages, &clipboard, nullptr, {}});
    w.show();
    QApplication::processEvents();
    bool ok = true;
    auto save = [&](const char* name) {
        QApplication::processEvents();
        ok = w.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };
    save("window-page1-conditions.png");
    w.pages().selectTab(2);
    save("window-page2-roads.png");
    w.pages().selectTab(5);
    for (int i = 0; i < 6; ++i) w.conditions().compoundPage()->flashTick();
    save("window-page4-compound.png");
    // Page 0 with a base set, page 3 with two sets and their union.
    std::string base, a, b;
    for (int v = 0; v < 1200; ++v) base += numberText(static_cast<std::uint32_t>(v * 83 % 100000)) + " ";
    for (int v = 0; v < 300; ++v) a += numberText(static_cast<std::uint32_t>(v * 37)) + " ";
    for (int v = 0; v < 300; ++v) b += numberText(static_cast<std::uint32_t>(v * 74)) + " ";
    w.pages().selectTab(0);
    w.basePage()->setBaseText(base);
    save("window-page0-base.png");
    w.pages().selectTab(3);
    PageJoin* join = w.joinPage();
    for (int side = 0; side < 2; ++side) {
        join->txtJoin(side)->setPlainText(QString::fromStdString(side ? b : a));
        join->binding(side)->reparse();
    }
    join->runOperation(sets::SetOperation::Union);
    save("window-page3-join.png");
    w.pages().selectTab(1);
    w.panel().clearAllConditions();  // also empties the base set shown above
    // A result with page buttons: two code kills and tolerance 0 - 0.
    FilterInput in;
    in.compound.killTwo.text = "23";
    w.conditions().setFilterInput(in);
    w.panel().startRun();
    w.resultArea()->groupSizeBox()->setText(QStringLiteral("1000"));
    w.resultArea()->applyGroupSize();
    if (w.resultArea()->pageButtonCount() > 2) w.resultArea()->pageButton(2)->click();
    if (w.resultArea()->pageButtonCount() > 6) w.resultArea()->pageButton(6)->click();
    save("window-result-pages.png");
    return ok ? 0 : 1;
}

}  // namespace numsift
