#include "ui/kit/background_work.h"

#include <QtConcurrent/QtConcurrentRun>

namespace numsift {

namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

BackgroundWork::BackgroundWork(QObject* parent) : QObject(parent) {
    // One thread: a cancelled job still running to its next progress report
    // holds back the next one by no more than that, and two long jobs of one
    // page never share the machine's cores.
    pool_.setMaxThreadCount(1);
}

BackgroundWork::~BackgroundWork() {
    if (watcher_) watcher_->cancel();
    pool_.waitForDone();
}

void BackgroundWork::start(Job job) {
    // The job running is dropped for this one, without a word: its
    // finished() only deletes its watcher.
    if (watcher_) {
        watcher_->cancel();
        watcher_ = nullptr;
    }
    auto* watcher = new QFutureWatcher<Delivery>(this);
    watcher_ = watcher;
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this, [this, watcher](int permille) {
        if (watcher == watcher_) emit progressed(permille);
    });
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] { finished(watcher); });
    watcher->setFuture(QtConcurrent::run(&pool_, [job = std::move(job)](QPromise<Delivery>& promise) {
        promise.setProgressRange(0, kProgressSteps);
        const ProgressFn progress = [&promise](std::size_t done, std::size_t total) {
            if (promise.isCanceled()) return false;
            if (total > 0) promise.setProgressValue(static_cast<int>(done * kProgressSteps / total));
            return true;
        };
        Delivery delivery = job(progress);
        if (delivery && !promise.isCanceled()) promise.addResult(std::move(delivery));
    }));
}

void BackgroundWork::cancel() {
    if (!watcher_) return;
    QFutureWatcher<Delivery>* watcher = watcher_;
    watcher_ = nullptr;
    watcher->cancel();  // its finished() only deletes it now
    emit cancelled();
}

void BackgroundWork::finished(QFutureWatcher<Delivery>* watcher) {
    watcher->deleteLater();
    if (watcher != watcher_) return;  // cancelled, for a newer job or by the player
    watcher_ = nullptr;
    const QFuture<Delivery> future = watcher->future();
    if (future.isCanceled() || future.resultCount() == 0) {
        emit cancelled();
        return;
    }
    future.result()();
    emit done();
}

}  // namespace numsift
