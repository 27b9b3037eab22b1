#include "controls/t_scroll.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimerEvent>

#include <limits>

using numsift::TScroll;

namespace {

// A move with the left button held, as a drag delivers it.
void dragTo(QWidget* w, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QPoint centre(const QRect& r) { return r.center(); }

// The bar's repeat timer, as the event dispatcher has it registered.
QList<QAbstractEventDispatcher::TimerInfo> repeatTimers(TScroll& bar) {
    return QAbstractEventDispatcher::instance()->registeredTimers(&bar);
}

bool repeating(TScroll& bar) { return !repeatTimers(bar).isEmpty(); }

int repeatInterval(TScroll& bar) {
    const auto timers = repeatTimers(bar);
    return timers.size() == 1 ? timers.first().interval : -1;
}

// The repeat timer fires now.
void repeatTick(TScroll& bar) {
    const auto timers = repeatTimers(bar);
    QCOMPARE(timers.size(), 1);
    QTimerEvent tick(timers.first().timerId);
    QApplication::sendEvent(&bar, &tick);
}

}  // namespace

class TScrollTest : public QObject {
    Q_OBJECT

private slots:
    void defaults() {
        TScroll bar;
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.min(), 0);
        QCOMPARE(bar.max(), 100);
        QCOMPARE(bar.singleStep(), 1);
        QCOMPARE(bar.pageStep(), 10);
        QCOMPARE(bar.backColor(), QColor(224, 224, 224));
        QCOMPARE(bar.foreColor(), QColor(192, 192, 255));
        bar.resize(40, 200);
        QCOMPARE(bar.width(), 15);
    }

    void emptyRangeIgnoresEverything() {
        TScroll bar;
        bar.resize(15, 150);
        bar.setMax(0);
        QVERIFY(!bar.thumbVisible());
        QSignalSpy spy(&bar, &TScroll::Scroll);
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.upArrowRect()));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.upArrowRect()));
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QVERIFY(!repeating(bar));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(7, 75));
        QVERIFY(!repeating(bar));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(7, 75));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(bar.value(), 0);
    }

    void thumbKeepsAUsableSizeAndTouchesTheArrows() {
        TScroll bar;
        bar.resize(15, 100 + 2 * TScroll::kArrowHeight + 2);  // a 100-pixel track
        bar.setMax(1000);
        QVERIFY(bar.thumbVisible());
        QCOMPARE(bar.thumbHeight(), 16);
        QCOMPARE(bar.thumbTop(), bar.upArrowRect().bottom());  // overlaps the up arrow by one
        bar.setValue(1000);
        QCOMPARE(bar.thumbRect().bottom(), bar.downArrowRect().top());
        bar.setValue(500);
        QVERIFY(bar.thumbTop() > bar.upArrowRect().bottom());
        QVERIFY(bar.thumbRect().bottom() < bar.downArrowRect().top());

        // A range that fits gives a proportional thumb.
        bar.setMax(4);
        QCOMPARE(bar.thumbHeight(), 100 / 5);
    }

    void valueIsClampedAndSignalledOnlyOnChange() {
        TScroll bar;
        bar.resize(15, 150);
        QSignalSpy spy(&bar, &TScroll::Scroll);
        bar.setValue(-5);
        QCOMPARE(bar.value(), 0);
        QCOMPARE(spy.count(), 0);
        bar.setValue(10);
        bar.setValue(-5);
        QCOMPARE(bar.value(), 0);
        QCOMPARE(spy.count(), 2);
        bar.setValue(1000);
        QCOMPARE(bar.value(), 100);
        QCOMPARE(spy.count(), 3);

        // Lowering Max leaves Value alone until it is set again.
        bar.setValue(50);
        bar.setMax(20);
        QCOMPARE(bar.value(), 50);
        bar.setValue(bar.value());
        QCOMPARE(bar.value(), 20);
    }

    void aValueLeftOutsideTheRangeStepsBackIntoIt() {
        TScroll bar;
        bar.resize(15, 150);
        bar.setValue(50);
        bar.setMax(20);
        QSignalSpy spy(&bar, &TScroll::Scroll);
        // Nothing below to step to; a step up is clamped after it is taken,
        // so it lands on Max itself.
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QCOMPARE(bar.value(), 50);
        QCOMPARE(bar.thumbRect().bottom(), bar.downArrowRect().top());
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.upArrowRect()));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.upArrowRect()));
        QCOMPARE(bar.value(), 20);
        QCOMPARE(spy.count(), 1);

        // Min above Max: every value is Max.
        bar.setMin(30);
        bar.setValue(25);
        QCOMPARE(bar.value(), 20);
        bar.setValue(-7);
        QCOMPARE(bar.value(), 20);
        QCOMPARE(spy.count(), 1);
    }

    void heldDownArrowAtTheLastStep() {
        TScroll bar;
        bar.resize(15, 150);
        bar.setMax(10);
        bar.setValue(9);
        QSignalSpy spy(&bar, &TScroll::Scroll);
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QCOMPARE(bar.value(), 10);
        QCOMPARE(spy.count(), 1);
        QVERIFY(repeating(bar));
        QCOMPARE(repeatInterval(bar), TScroll::kFirstRepeatMs);
        QCOMPARE(bar.partColor(TScroll::Part::DownArrow), QColor(255, 255, 255));
        repeatTick(bar);
        QCOMPARE(bar.value(), 10);
        QCOMPARE(spy.count(), 2);
        QVERIFY(!repeating(bar));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QCOMPARE(bar.partColor(TScroll::Part::DownArrow), bar.foreColor());
    }

    void arrowRepeatsFasterAfterTheFirstTick() {
        TScroll bar;
        bar.resize(15, 150);
        bar.setSingleStep(2);
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QCOMPARE(bar.value(), 2);
        repeatTick(bar);
        QCOMPARE(bar.value(), 4);
        QCOMPARE(repeatInterval(bar), TScroll::kRepeatMs);
        QVERIFY(repeating(bar));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QVERIFY(!repeating(bar));

        // Only the left button steps an arrow.
        QTest::mousePress(&bar, Qt::RightButton, {}, centre(bar.upArrowRect()));
        QCOMPARE(bar.value(), 4);
        QTest::mouseRelease(&bar, Qt::RightButton, {}, centre(bar.upArrowRect()));
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.upArrowRect()));
        QCOMPARE(bar.value(), 2);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, centre(bar.upArrowRect()));
    }

    void trackPagesTowardsThePress() {
        TScroll bar;
        bar.resize(15, 200);
        bar.setMax(35);
        const QPoint low(7, bar.downArrowRect().top() - 3);
        QSignalSpy spy(&bar, &TScroll::Scroll);
        QTest::mousePress(&bar, Qt::RightButton, {}, low);  // any button pages
        QCOMPARE(bar.value(), 10);
        QVERIFY(repeating(bar));
        // Paging goes on past the mouse until the end of the range.
        repeatTick(bar);
        repeatTick(bar);
        QCOMPARE(bar.value(), 30);
        repeatTick(bar);
        QCOMPARE(bar.value(), 35);
        QVERIFY(!repeating(bar));
        QTest::mouseRelease(&bar, Qt::RightButton, {}, low);
        QCOMPARE(spy.count(), 4);

        const QPoint high(7, bar.upArrowRect().bottom() + 3);
        QTest::mousePress(&bar, Qt::LeftButton, {}, high);
        QCOMPARE(bar.value(), 25);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, high);
        QVERIFY(!repeating(bar));
    }

    void dragFollowsTheMouseAndSnaps() {
        TScroll bar;
        bar.resize(15, 132);
        bar.setMax(1000);
        QSignalSpy spy(&bar, &TScroll::Scroll);
        const QPoint grab = centre(bar.thumbRect());
        QTest::mousePress(&bar, Qt::LeftButton, {}, grab);
        QCOMPARE(bar.partColor(TScroll::Part::Thumb), QColor(255, 255, 255));
        QCOMPARE(spy.count(), 0);

        // Past the bottom arrow: Max, with the thumb touching that arrow.
        dragTo(&bar, QPoint(7, bar.height() + 50));
        QCOMPARE(bar.value(), 1000);
        QCOMPARE(bar.thumbRect().bottom(), bar.downArrowRect().top());
        dragTo(&bar, QPoint(7, bar.height() + 80));
        QCOMPARE(spy.count(), 2);  // raised on every move, changed or not

        // Half way down the travel: about half the range.
        const int travelTop = bar.upArrowRect().bottom();
        const int travelBottom = bar.downArrowRect().top() - bar.thumbHeight() + 1;
        const int middleTop = (travelTop + travelBottom) / 2;
        dragTo(&bar, QPoint(7, middleTop + (grab.y() - travelTop)));
        QVERIFY2(bar.value() > 400 && bar.value() < 600, qPrintable(QString::number(bar.value())));
        const int snapped = bar.thumbTop();
        // Snapped to where the value itself puts the thumb.
        TScroll twin;
        twin.resize(bar.size());
        twin.setMax(1000);
        twin.setValue(bar.value());
        QCOMPARE(snapped, twin.thumbTop());

        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(7, middleTop));
        QCOMPARE(bar.thumbTop(), snapped);
        QCOMPARE(bar.partColor(TScroll::Part::Thumb), bar.foreColor());

        // Back above the top arrow: Min.
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.thumbRect()));
        dragTo(&bar, QPoint(7, -40));
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.thumbTop(), travelTop);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(7, -40));
    }

    void releaseOrHideStopsTheRepeat() {
        TScroll bar;
        bar.resize(15, 150);
        bar.show();
        // A release away from the arrow still ends the repeat.
        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QVERIFY(repeating(bar));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(7, -100));
        QVERIFY(!repeating(bar));
        QCOMPARE(bar.partColor(TScroll::Part::DownArrow), bar.foreColor());

        QTest::mousePress(&bar, Qt::LeftButton, {}, centre(bar.downArrowRect()));
        QVERIFY(repeating(bar));
        bar.hide();
        QVERIFY(!repeating(bar));
    }

    void extremeRangesDoNotOverflow() {
        TScroll bar;
        bar.resize(15, 150);
        bar.setMin(std::numeric_limits<int>::min());
        bar.setMax(std::numeric_limits<int>::max());
        bar.setPageStep(std::numeric_limits<int>::max());
        bar.setValue(1);
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(7, bar.downArrowRect().top() - 1));
        QCOMPARE(bar.value(), std::numeric_limits<int>::max());
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(7, bar.downArrowRect().top() - 1));
        QVERIFY(bar.thumbHeight() >= 16);
    }
};

QTEST_MAIN(TScrollTest)
#include "t_scroll_test.moc"
