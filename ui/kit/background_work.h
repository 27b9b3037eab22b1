#pragma once
// Long work off the window's thread: the rules' figures, a rule's series,
// the walk. A job is a function run on a pool thread; it reads only what it
// was given (copies, never the window's own data), reports how far it is
// through a ProgressFn, and returns what the window does with its result,
// which runs back on the window's thread. One job at a time: starting
// another cancels the one running, and the result of a cancelled job is
// never delivered, so what the window shows is always the newest job's.

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>

#include "analysis/rule_kills.h"

namespace numsift {

class BackgroundWork : public QObject {
    Q_OBJECT
public:
    // What a finished job does on the window's thread; empty when the job
    // stopped (its progress function said no).
    using Delivery = std::function<void()>;
    using Job = std::function<Delivery(const ProgressFn& progress)>;

    explicit BackgroundWork(QObject* parent = nullptr);
    // Cancels the running job and waits for it to stop: it stops at its
    // next progress report.
    ~BackgroundWork() override;

    // Starts job; the one running, if any, is dropped and never delivered.
    void start(Job job);
    // The running job stops at its next progress report; nothing is delivered.
    void cancel();
    bool running() const { return watcher_ != nullptr; }

    // The pool the jobs run on (tests hold it to keep a job queued).
    QThreadPool* pool() { return &pool_; }

signals:
    void progressed(int permille);
    // The job's result was delivered.
    void done();
    // cancel() stopped the job: nothing will be delivered. (A job dropped
    // for a newer one says nothing; the newer one will end.)
    void cancelled();

private:
    void finished(QFutureWatcher<Delivery>* watcher);

    QThreadPool pool_;
    QFutureWatcher<Delivery>* watcher_ = nullptr;  // the running job's
};

}  // namespace numsift
