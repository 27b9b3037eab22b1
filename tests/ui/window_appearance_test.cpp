// What the window looks like to a user: colours read from the pixels of the
// grabbed controls (the style paints faces as gradients, so a colour set in a
// palette is not necessarily the colour shown), the place and size the window
// takes on a small screen, and the captions of the digit boxes.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "controls/entry_box.h"
#include "controls/result_list.h"
#include "controls/t_scroll.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/results/result_area.h"
#include "ui/shell/window_placement.h"
#include "tests/ui/window_fixture.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

const QColor kGreen(0, 255, 0), kYellow(255, 255, 0), kRed(255, 0, 0);
const QColor kLightBlue(192, 192, 255), kPaleBlue(224, 224, 255), kWhite(255, 255, 255);

QImage shot(QWidget* w) { return w->grab().toImage(); }

// A point of a button's face that its caption does not cover.
QColor faceShown(QWidget* button) { return shot(button).pixelColor(3, 3); }

// The darkest pixel of a widget: the ink of its text.
int darkest(QWidget* w) {
    const QImage img = shot(w);
    int least = 255;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) least = std::min(least, qGray(img.pixel(x, y)));
    return least;
}

// The indicator square of a check box in the coordinates of frame.
QRect indicatorIn(QCheckBox* box, QWidget* frame) {
    QStyleOptionButton opt;
    opt.initFrom(box);
    opt.text = box->text();
    const QRect r = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
    return r.translated(box->mapTo(frame, QPoint(0, 0)));
}

// The columns of dark ink between two indicators of a row, over the height
// of the first: the caption of its box.
std::pair<int, int> inkBetween(const QImage& img, const QRect& own, const QRect& next) {
    int left = -1, right = -1;
    for (int x = own.right() + 1; x < next.left(); ++x)
        for (int y = own.top(); y <= own.bottom(); ++y)
            if (qGray(img.pixel(x, y)) < 128) {
                if (left < 0) left = x;
                right = x;
                break;
            }
    return {left, right};
}

}  // namespace

class WindowAppearanceTest : public WindowFixture {
    Q_OBJECT

    // The rectangle of a control in the scroll area's viewport.
    QRect inViewport(QWidget* control) {
        QWidget* viewport = w->clientScroll()->viewport();
        return QRect(control->mapTo(viewport, QPoint(0, 0)), control->size());
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        w = std::make_unique<MainWindow>(services());
    }
    void cleanup() { w.reset(); }

    void selectedAndMarkedButtonsShowTheirColoursFlat() {
        w->show();
        QCOMPARE(faceShown(member("cmdTab", 1)), kGreen);
        QVERIFY(faceShown(member("cmdTab", 2)) != kGreen);
        probe::clickCentre(member("cmdDan", 23));
        QCOMPARE(faceShown(member("cmdDan", 23)), kGreen);
        probe::clickCentre(member("cmdBi", 0));  // a ratio: green
        QCOMPARE(faceShown(member("cmdBi", 0)), kGreen);
        probe::clickCentre(member("cmdBi", 20));  // an AC value: yellow
        QCOMPARE(faceShown(member("cmdBi", 20)), kYellow);
        probe::clickCentre(member("cmdBi", 20));  // unselected again
        QVERIFY(faceShown(member("cmdBi", 20)) != kYellow);

        QWidget* dan = find("cmdDanHelp");
        QWidget* ex = member("cmdEx", 0);
        QCOMPARE(faceShown(dan), kLightBlue);
        QCOMPARE(faceShown(ex), kLightBlue);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::mouseMove(dan, dan->rect().center());
        QCOMPARE(faceShown(dan), kRed);
        QTest::mouseMove(ex, ex->rect().center());
        QCOMPARE(faceShown(ex), kRed);
        QCOMPARE(faceShown(dan), kLightBlue);
    }

    void pageMarksAndTheResultAreaShowTheirColours() {
        w->show();
        ResultArea* area = w->resultArea();
        // The empty list is white.
        ResultList* list = area->list();
        QCOMPARE(shot(list).pixelColor(list->width() / 2, list->height() / 2), kWhite);

        // All 100,000 numbers in groups of 3,000: both scroll bars show.
        w->panel().startRun();
        QVERIFY(area->pageButtonCount() > 25);
        probe::clickCentre(area->pageButton(2));
        probe::clickCentre(area->pageButton(6));
        QCOMPARE(faceShown(area->pageButton(2)), kRed);
        QCOMPARE(faceShown(area->pageButton(6)), kGreen);
        QVERIFY(faceShown(area->pageButton(3)) != kGreen && faceShown(area->pageButton(3)) != kRed);

        for (TScroll* bar : {list->scrollBar(), area->pageScroll()}) {
            QVERIFY(bar->isVisible());
            const QImage img = shot(bar);
            QCOMPARE(img.pixelColor(bar->thumbRect().center()), kPaleBlue);
            QCOMPARE(img.pixelColor(2, 2), kPaleBlue);  // the up arrow beside its triangle
        }
    }

    void disabledCompoundBoxesKeepWindowColourAndReadableEntries() {
        w->show();
        w->pages().selectTab(5);  // box 1 enabled, the others disabled
        EntryBox* entry = member<EntryBox>("txtCompose", 7);
        EntryBox* hinted = member<EntryBox>("txtCompose", 0);
        entry->setEntryText(QStringLiteral("12***"));
        QVERIFY(!entry->isEnabled() && !hinted->isEnabled());
        QVERIFY(hinted->isGrey());

        const QColor window = QApplication::palette().color(QPalette::Active, QPalette::Base);
        for (EntryBox* box : {entry, hinted}) {
            QWidget* v = box->viewport();
            QCOMPARE(shot(v).pixelColor(v->width() - 8, v->height() - 8), window);
        }
        // The entry is as dark as any text; the hint stays grey.
        QVERIFY(darkest(entry->viewport()) < 64);
        QVERIFY(darkest(hinted->viewport()) > 96);
        QVERIFY(darkest(hinted->viewport()) < 160);
    }

    void digitsSitNearerTheirOwnBoxThanTheNext() {
        w->show();
        // 定位杀 (chkDW), 杀和尾, 杀跨度 and 通杀码 (chkHKD 0-9, 10-19, 20-29).
        const std::pair<const char*, int> rows[] = {
            {"chkDW", 0}, {"chkDW", 40}, {"chkHKD", 0}, {"chkHKD", 10}, {"chkHKD", 20}};
        for (const auto& [array, first] : rows) {
            for (int k = 0; k < 9; ++k) {
                auto* own = member<QCheckBox>(array, first + k);
                auto* next = member<QCheckBox>(array, first + k + 1);
                QWidget* frame = own->parentWidget();
                const QRect a = indicatorIn(own, frame), b = indicatorIn(next, frame);
                const auto [left, right] = inkBetween(shot(frame), a, b);
                QVERIFY2(left > 0, qPrintable(own->objectName()));
                const int toOwn = left - a.right() - 1, toNext = b.left() - right - 1;
                QVERIFY2(toOwn < toNext, qPrintable(QStringLiteral("%1: %2 px to its box, %3 px to the next")
                                                        .arg(own->objectName())
                                                        .arg(toOwn)
                                                        .arg(toNext)));
            }
        }
    }

    void theMenuButtonKeepsTheWindowAtItsDesignSize() {
        w->show();
        QCOMPARE(w->menuWidget(), nullptr);
        QCOMPARE(w->size(), QSize(1056, 724));
        auto* button = find<QToolButton>("fileMenuButton");
        QVERIFY(button->isVisible());
        QVERIFY(button->geometry().left() > find("fraButton")->geometry().right());
        QVERIFY(w->client()->rect().contains(button->geometry()));
        const QList<QAction*> actions = button->menu()->actions();
        QStringList captions;
        for (const QAction* a : actions) captions << (a->isSeparator() ? QStringLiteral("—") : a->text());
        QCOMPARE(captions.join(QLatin1Char(' ')),
                 QStringLiteral(
                     "保存方案 载入方案 导出到文件 历史验证 显示遗漏 分组容错… 结果统计… 方案叠加… — "
                     "撤销 重做 结果转为大底 恢复上次的条件 恢复更早的条件 — 生成复式… 记录本期… 投注记录…"));
        QCOMPARE(actions[0], w->saveSchemeAction());
        QCOMPARE(actions[4], w->showOmissionAction());
        // The shortcut saves with the menu closed.
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(files->requests.size(), std::size_t(1));
        QVERIFY(files->requests[0].save);
    }

    void fitsALaptopScreenAndScrollsToTheBottomRow_data() {
        QTest::addColumn<QRect>("area");
        // 1366 x 768 less a task bar; the same at a scale of 1.25; a panel above.
        QTest::newRow("1366x728") << QRect(0, 0, 1366, 728);
        QTest::newRow("1366x700") << QRect(0, 0, 1366, 700);
        QTest::newRow("1.25") << QRect(0, 0, 1093, 582);
        QTest::newRow("panel above") << QRect(0, 40, 1366, 688);
        QTest::newRow("second screen") << QRect(1366, 0, 1366, 700);
    }
    void fitsALaptopScreenAndScrollsToTheBottomRow() {
        QFETCH(QRect, area);
        w->fitIn(area);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QRect frame(w->pos(), w->size().grownBy(frameMarginsOf(w.get())));
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        QScrollArea* scroll = w->clientScroll();
        // Only the height is short: the whole width shows.
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        QWidget* viewport = scroll->viewport();
        QVERIFY(!viewport->rect().contains(inViewport(member("cmdFilter", 4))));
        for (QWidget* bottom : {member("cmdFilter", 0), member("txtWrong", 1), member("cmdFilter", 4),
                                static_cast<QWidget*>(find("fraFilterSpecial"))}) {
            scroll->ensureWidgetVisible(bottom, 0, 0);
            QVERIFY2(viewport->rect().contains(inViewport(bottom)), qPrintable(bottom->objectName()));
        }
        // The tab strip comes back at the top.
        scroll->ensureWidgetVisible(member("cmdTab", 1), 0, 0);
        QVERIFY(viewport->rect().contains(inViewport(member("cmdTab", 1))));
    }

    void keepsTheDesignSizeWhereItFits() {
        const QRect area(0, 0, 1400, 1000);
        w->fitIn(area);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->size(), QSize(1056, 724));
        QCOMPARE(w->clientScroll()->verticalScrollBar()->maximum(), 0);
        QCOMPARE(w->clientScroll()->horizontalScrollBar()->maximum(), 0);
        // Centred again once shown, with its real frame (as the program opens
        // it): as much room left as right, above as below.
        centreIn(w.get(), area);
        const QRect frame = w->frameGeometry();
        QVERIFY(std::abs((frame.left() - area.left()) - (area.right() - frame.right())) <= 1);
        QVERIFY(std::abs((frame.top() - area.top()) - (area.bottom() - frame.bottom())) <= 1);
    }

    void neverStartsAboveOrLeftOfASmallArea() {
        const QRect area(200, 30, 600, 400);
        w->fitIn(area);
        QCOMPARE(w->pos(), area.topLeft());
        // Any window: centred within the area, or at its top-left corner.
        QWidget other;
        other.resize(2000, 300);
        centreIn(&other, area);
        QCOMPARE(other.pos().x(), area.left());
        QVERIFY(other.pos().y() > area.top());
    }

    void aFirstRunLeavesTheCombinationCountsAlone() {
        w->show();
        for (int i = 0; i < 3; ++i) QCOMPARE(member<QLabel>("lblJoin", i)->text(), QString());
        w->panel().startRun();
        QCOMPARE(w->panel().results().size(), std::size_t(100000));
        for (int i = 0; i < 3; ++i) QCOMPARE(member<QLabel>("lblJoin", i)->text(), QString());
    }
};

QTEST_MAIN(WindowAppearanceTest)
#include "window_appearance_test.moc"
