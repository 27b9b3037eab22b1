// Work off the window's thread: a cancelled job stops at its next progress
// report and delivers nothing, a newer job drops the older one's result,
// and progress reaches the window. Held by semaphores, never by sleeps.

#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

#include <atomic>

#include "ui/kit/background_work.h"

using namespace numsift;

namespace {

// A job that reports a quarter, waits at a gate, then reports half (what
// that report answered is kept) and, unless stopped, delivers.
struct GatedJob {
    QSemaphore reached, gate;
    std::atomic<int> secondAnswer{-1};
    bool delivered = false;

    BackgroundWork::Job job() {
        return [this](const ProgressFn& progress) -> BackgroundWork::Delivery {
            progress(1, 4);
            reached.release();
            gate.acquire();
            const bool goOn = progress(2, 4);
            secondAnswer = goOn ? 1 : 0;
            if (!goOn) return {};
            return [this] { delivered = true; };
        };
    }
};

void settle(const BackgroundWork& work) {
    while (work.running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

}  // namespace

class BackgroundWorkTest : public QObject {
    Q_OBJECT

private slots:
    void aCancelledJobStopsAtItsNextReportAndDeliversNothing() {
        BackgroundWork work;
        QSignalSpy done(&work, &BackgroundWork::done), cancelled(&work, &BackgroundWork::cancelled);
        GatedJob gated;
        work.start(gated.job());
        gated.reached.acquire();  // the job is under way
        QVERIFY(work.running());
        work.cancel();
        QVERIFY(!work.running());
        QCOMPARE(cancelled.count(), 1);
        gated.gate.release();
        work.pool()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(gated.secondAnswer.load(), 0);
        QVERIFY(!gated.delivered);
        QCOMPARE(done.count(), 0);
        QCOMPARE(cancelled.count(), 1);
    }

    void aNewerJobDropsTheOlderOnesResult() {
        BackgroundWork work;
        QSignalSpy done(&work, &BackgroundWork::done), cancelled(&work, &BackgroundWork::cancelled);
        GatedJob older;
        work.start(older.job());
        older.reached.acquire();
        bool newer = false;
        work.start(
            [&newer](const ProgressFn&) -> BackgroundWork::Delivery { return [&newer] { newer = true; }; });
        older.gate.release();
        settle(work);
        QVERIFY(newer);
        QVERIFY(!older.delivered);
        QCOMPARE(older.secondAnswer.load(), 0);
        QCOMPARE(done.count(), 1);
        QCOMPARE(cancelled.count(), 0);  // dropped without a word
    }

    void progressReachesTheWindowAndTheResultIsDeliveredOnItsThread() {
        GatedJob gated;
        BackgroundWork work;
        QSignalSpy progressed(&work, &BackgroundWork::progressed);
        work.start(gated.job());
        // The window's event loop runs until the quarter arrives (the
        // watcher may say 0 first); a failure still opens the gate.
        bool quarter = false;
        while (!quarter && progressed.wait(10000)) quarter = progressed.last().first().toInt() == 250;
        gated.gate.release();
        QVERIFY(quarter);
        settle(work);
        QVERIFY(gated.delivered);
        QCOMPARE(gated.secondAnswer.load(), 1);
    }

    void closingWhileAJobRunsWaitsForItAndDeliversNothing() {
        GatedJob gated;
        {
            BackgroundWork work;
            work.start(gated.job());
            gated.reached.acquire();
            gated.gate.release();  // the destructor cancels and waits for the job
        }
        QVERIFY(!gated.delivered);
    }
};

QTEST_MAIN(BackgroundWorkTest)
#include "background_work_test.moc"
