#include "io/atomic_save.h"

#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace numsift {

namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

// The error the platform gave for the call that just failed: errno on Unix,
// GetLastError on Windows (whose C runtime leaves errno alone).
int lastSystemError() {
#ifdef Q_OS_WIN
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

void clearSystemError() {
#ifdef Q_OS_WIN
    SetLastError(0);
#else
    errno = 0;
#endif
}

#ifdef Q_OS_UNIX
// Writes every byte to fd; 0, or the errno of the write that failed. A write
// past a file-size limit writes what fits and fails the next time (EFBIG).
int writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}
#endif

}  // namespace

QString saveFailureReason(int systemError, const QString& platformText) {
#ifdef Q_OS_WIN
    switch (systemError) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return QStringLiteral("磁盘已满（没有剩余空间）");
        case ERROR_FILE_TOO_LARGE: return QStringLiteral("文件超过了系统允许的大小");
        case ERROR_ACCESS_DENIED: return QStringLiteral("没有写入权限");
        case ERROR_WRITE_PROTECT: return QStringLiteral("磁盘是只读的");
        case ERROR_PATH_NOT_FOUND: return QStringLiteral("文件夹不存在");
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return QStringLiteral("文件正被其他程序占用");
        default: break;
    }
#else
    switch (systemError) {
        case ENOSPC: return QStringLiteral("磁盘已满（没有剩余空间）");
#ifdef EDQUOT
        case EDQUOT: return QStringLiteral("超出了磁盘配额（没有剩余空间）");
#endif
        case EFBIG: return QStringLiteral("文件超过了系统允许的大小");
        case EACCES:
        case EPERM: return QStringLiteral("没有写入权限");
        case EROFS: return QStringLiteral("磁盘是只读的");
        case EIO: return QStringLiteral("磁盘读写出错");
        case ENOENT: return QStringLiteral("文件夹不存在");
        case ENOTDIR: return QStringLiteral("路径中有一项不是文件夹");
        case EISDIR: return QStringLiteral("同名的文件夹已存在");
        case ENAMETOOLONG: return QStringLiteral("文件名太长");
        case EMFILE:
        case ENFILE: return QStringLiteral("同时打开的文件太多");
        case EBUSY:
        case ETXTBSY: return QStringLiteral("文件正被占用");
        case EPIPE: return QStringLiteral("读取的一方已关闭管道");
        default: break;
    }
#endif
    QString text = platformText;
    if (text.isEmpty() && systemError != 0) text = QString::fromLocal8Bit(std::strerror(systemError));
    return text.isEmpty() ? QStringLiteral("系统错误") : QStringLiteral("系统错误：") + text;
}

AtomicSave saveAtomically(const QString& path, std::string_view bytes, const SaveStepCheck& allow) {
    AtomicSave result;
    auto step = [&allow](SaveStep s) { return !allow || allow(s); };
    // Where a step is stopped by the test hook, nothing failed in the platform.
    const QString stopped = QStringLiteral("保存被中止");
    auto failed = [&result](SaveStep at, int systemError, const QString& platformText) {
        result.failedAt = at;
        result.systemError = systemError;
        result.reason = saveFailureReason(systemError, platformText);
        return result;
    };

    QSaveFile file(path);
    if (!step(SaveStep::Open)) return failed(SaveStep::Open, 0, stopped);
    clearSystemError();
    // Unbuffered: every write reaches the platform at once, so its failure
    // is seen where it happens and not in a flush that commit() ignores.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(SaveStep::Open, lastSystemError(), file.errorString());  // no temporary file is left

    for (std::size_t at = 0; at < bytes.size(); at += kChunkBytes) {
        const qint64 size = std::min<qint64>(kChunkBytes, static_cast<qint64>(bytes.size() - at));
        if (!step(SaveStep::Write)) {
            file.cancelWriting();
            return failed(SaveStep::Write, 0, stopped);
        }
#ifdef Q_OS_UNIX
        // Straight to the temporary file's descriptor, so the errno of the
        // failing write is the one reported.
        if (const int error = writeAll(file.handle(), bytes.data() + at, static_cast<std::size_t>(size))) {
            file.cancelWriting();
            return failed(SaveStep::Write, error, {});
        }
#else
        clearSystemError();
        if (file.write(bytes.data() + at, size) != size) {
            const int error = lastSystemError();
            file.cancelWriting();
            return failed(SaveStep::Write, error, file.errorString());
        }
#endif
    }
    // Every byte on the disk before the rename: a disk that fills up while
    // the system writes its cache back says so here (Qt's commit() does not
    // look at what its own flush and sync answer).
    clearSystemError();
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        const int error = errno;
        file.cancelWriting();
        return failed(SaveStep::Write, error, {});
    }
#else
    if (!file.flush()) {
        const int error = lastSystemError();
        file.cancelWriting();
        return failed(SaveStep::Write, error, file.errorString());
    }
#endif
    if (!step(SaveStep::Commit)) {
        file.cancelWriting();  // the temporary file goes with the object
        return failed(SaveStep::Commit, 0, stopped);
    }
    clearSystemError();
    if (!file.commit()) return failed(SaveStep::Commit, lastSystemError(), file.errorString());
    result.ok = true;
    return result;
}

}  // namespace numsift
