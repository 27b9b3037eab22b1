#include "controls/result_list.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <numeric>

#include "controls/cjk_font.h"
#include "controls/t_scroll.h"

using numsift::ResultList;
using numsift::TScroll;

namespace {

std::vector<std::uint32_t> range(std::uint32_t n) {
    std::vector<std::uint32_t> v(n);
    std::iota(v.begin(), v.end(), 0u);
    return v;
}

// Height of a list that fits exactly `rows` rows.
int heightFor(const ResultList& list, int rows) { return rows * (list.textHeight() + 4) + 6; }

void wheel(QWidget* w, int delta) {
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(pos, w->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// Whether any pixel of the image has exactly this colour.
bool hasColour(const QImage& img, QColor c) {
    const QRgb want = c.rgb();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF)) return true;
    return false;
}

// Whether the area left of the scroll bar holds any pixel that is not the
// background or the frame: something was written there.
bool hasText(ResultList& list) {
    const QImage img = list.grab().toImage();
    const QRgb back = list.backColor().rgb() & 0xFFFFFF;
    const QRgb frame = list.borderColor().rgb() & 0xFFFFFF;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - TScroll::kWidth - 2; ++x) {
            const QRgb p = img.pixel(x, y) & 0xFFFFFF;
            if (p != back && p != frame) return true;
        }
    return false;
}

}  // namespace

class ResultListTest : public QObject {
    Q_OBJECT

    void prepare(ResultList& list, int rows) {
        list.setFont(numsift::cjkFont(9));
        list.setBackColor(Qt::white);
        list.setForeColor(Qt::black);
        list.resize(240, heightFor(list, rows));
        // Shown, so that every resize reaches the list at once.
        list.show();
    }

private slots:
    void defaults() {
        ResultList list;
        QCOMPARE(list.borderColor(), QColor(0, 0, 255));
        QCOMPARE(list.borderStyle(), 1);
        QVERIFY(!list.hasData());
        QCOMPARE(list.scrollBar()->objectName(), QStringLiteral("rlScroll"));
        QCOMPARE(list.scrollBar()->foreColor(), QColor(224, 224, 255));
        QVERIFY(!list.scrollBarShown());
        const QString family = numsift::cjkFamily();
        QVERIFY(!family.isEmpty());
        QVERIFY(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese));
    }

    void sevenNumbersInTwoRows() {
        ResultList list;
        prepare(list, 10);
        QCOMPARE(list.visibleRows(), 10);
        list.SetData(range(7));
        QCOMPARE(list.totalRows(), 2);
        QVERIFY(!list.scrollBarShown());
        QCOMPARE(list.visibleLines(), QStringList({"00000 00001 00002 00003 00004", "00005 00006"}));
        // Rows fill the usable height exactly.
        QCOMPARE(list.rowHeight() * list.visibleRows(), double(list.height() - 6));
        QVERIFY(hasText(list));
        // Nothing to scroll: the wheel and SetTopIndex leave the rows alone.
        wheel(&list, -120);
        list.SetTopIndex(1);
        QCOMPARE(list.topRow(), 0);
    }

    void fullSpaceWithTwentyRows() {
        ResultList list;
        prepare(list, 20);
        list.SetData(range(100000));
        QCOMPARE(list.visibleRows(), 20);
        QVERIFY(list.scrollBarShown());
        QCOMPARE(list.scrollBar()->max(), 19980);
        QCOMPARE(list.scrollBar()->pageStep(), 20);
        QCOMPARE(list.scrollBar()->geometry(), QRect(240 - 1 - 15, 1, 15, list.height() - 2));

        list.SetTopIndex(1 << 30);  // clamped to the last top row
        QCOMPARE(list.topRow(), 19980);
        const QStringList lines = list.visibleLines();
        QCOMPARE(lines.size(), 20);
        QCOMPARE(lines.first(), QStringLiteral("99900 99901 99902 99903 99904"));
        QCOMPARE(lines.last(), QStringLiteral("99995 99996 99997 99998 99999"));

        list.SetTopIndex(-7);
        QCOMPARE(list.topRow(), 0);
        list.SetTopIndex(1200);
        QCOMPARE(list.topRow(), 1200);
        QCOMPARE(list.scrollBar()->value(), 1200);
        QCOMPARE(list.visibleLines().first(), QStringLiteral("06000 06001 06002 06003 06004"));

        // New data starts again from the first row, from its own copy.
        std::vector<std::uint32_t> fresh = range(50);
        list.SetData(fresh);
        fresh.assign(50, 99999);
        QCOMPARE(list.topRow(), 0);
        QCOMPARE(list.visibleLines().first(), QStringLiteral("00000 00001 00002 00003 00004"));
    }

    void wheelStepsThreeRowsWithinTheRange() {
        ResultList list;
        prepare(list, 5);
        list.SetData(range(100));  // 20 rows, Max 15
        list.SetTopIndex(2);
        wheel(&list, 120);
        QCOMPARE(list.topRow(), 0);
        wheel(&list, 120);
        QCOMPARE(list.topRow(), 0);
        wheel(&list, -120);
        QCOMPARE(list.topRow(), 3);
        list.SetTopIndex(14);
        wheel(&list, -120);
        QCOMPARE(list.topRow(), 15);
        // Turning the wheel over the bar scrolls the list as well.
        wheel(list.scrollBar(), 120);
        QCOMPARE(list.topRow(), 12);
        QCOMPARE(list.visibleLines().first(), list.rowText(12));
    }

    void resizingKeepsTheTopRowInRange() {
        ResultList list;
        prepare(list, 5);
        list.SetData(range(100));
        list.SetTopIndex(15);
        list.resize(240, heightFor(list, 10));
        QCOMPARE(list.scrollBar()->max(), 10);
        QCOMPARE(list.scrollBar()->value(), 10);
        QCOMPARE(list.topRow(), 10);
        QCOMPARE(list.visibleLines().last(), list.rowText(19));

        // Tall enough for every row: the bar goes and the first row is shown.
        list.resize(240, heightFor(list, 25));
        QVERIFY(!list.scrollBarShown());
        QCOMPARE(list.topRow(), 0);
        QCOMPARE(list.visibleLines().size(), 20);

        // Too short for a row still shows one.
        list.resize(240, 3);
        QCOMPARE(list.visibleRows(), 1);
        QCOMPARE(list.visibleLines().size(), 1);
    }

    void clearDrawsNothingEvenWhenScrolled() {
        ResultList list;
        prepare(list, 5);
        list.SetData(range(100));
        QVERIFY(hasText(list));
        list.Clear();
        QVERIFY(!list.hasData());
        QVERIFY(!list.scrollBarShown());
        list.scrollBar()->setValue(7);  // a scroll event after Clear
        QVERIFY(list.visibleLines().isEmpty());
        QVERIFY(!hasText(list));
        const QImage img = list.grab().toImage();
        QVERIFY(hasColour(img, list.borderColor()));  // the frame stays
        QVERIFY(!hasColour(img, Qt::black));
        list.SetTopIndex(3);
        QVERIFY(list.visibleLines().isEmpty());
    }

    void paintsOnlyTheVisibleRows() {
        ResultList list;
        prepare(list, 3);
        list.SetData(range(100000));
        // The same picture as a list that holds only the first fifteen numbers.
        ResultList small;
        prepare(small, 3);
        small.SetData(range(15));
        QCOMPARE(list.visibleLines(), small.visibleLines());
        const QImage a = list.grab().toImage();
        const QImage b = small.grab().toImage();
        const int textWidth = list.width() - TScroll::kWidth - 2;
        QCOMPARE(a.copy(0, 0, textWidth, a.height()), b.copy(0, 0, textWidth, b.height()));
    }
};

QTEST_MAIN(ResultListTest)
#include "result_list_test.moc"
