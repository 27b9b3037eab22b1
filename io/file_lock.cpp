#include "io/file_lock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace numsift {

namespace {

// A lock file its owner never wrote its name into, old enough that no
// owner is still about to.
bool namelessAndOld(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, application;
    if (lock.getLockInfo(&pid, &host, &application)) return false;
    const QFileInfo file(lock.fileName());
    return file.exists() && file.lastModified().msecsTo(QDateTime::currentDateTime()) > kNamelessLockMs;
}

}  // namespace

bool takeLock(QLockFile& lock, int waitMs) {
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (lock.tryLock(0)) return true;
        if (lock.error() != QLockFile::LockFailedError) return false;
        if (namelessAndOld(lock) && lock.removeStaleLockFile()) continue;
        if (deadline.hasExpired()) return false;
        // Another program holds it for the milliseconds of a save.
        QThread::msleep(5);
    }
}

}  // namespace numsift
