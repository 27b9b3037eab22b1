#include "io/atomic_save.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace numsift {

namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

}  // namespace

AtomicSave saveAtomically(const QString& path, std::string_view bytes, const SaveStepCheck& allow) {
    AtomicSave result;
    auto step = [&allow](SaveStep s) { return !allow || allow(s); };
    QSaveFile file(path);
    if (!step(SaveStep::Open) || !file.open(QIODevice::WriteOnly)) {
        result.failedAt = SaveStep::Open;
        result.reason = file.errorString();
        return result;  // QSaveFile removes its temporary file
    }
    for (std::size_t at = 0; at < bytes.size(); at += kChunkBytes) {
        const qint64 size = std::min<qint64>(kChunkBytes, static_cast<qint64>(bytes.size() - at));
        if (!step(SaveStep::Write) || file.write(bytes.data() + at, size) != size) {
            file.cancelWriting();
            result.failedAt = SaveStep::Write;
            result.reason = file.errorString();
            return result;
        }
    }
    if (!step(SaveStep::Commit)) file.cancelWriting();
    if (!file.commit()) {
        result.failedAt = SaveStep::Commit;
        result.reason = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

SetAside setAside(const QString& path, const char* what, const QString& noun, const QString& problem,
                  const QString& after) {
    SetAside result;
    const QString aside = asideName(path, what);
    if (!QDir().rename(path, aside)) {
        result.refusal = noun + problem + QStringLiteral("且无法改名，为免覆盖，不会保存");
        result.message = noun + QLatin1Char(' ') + QDir::toNativeSeparators(path) + problem +
                         QStringLiteral("，也无法改名移开。本次不会改写它。");
        return result;
    }
    result.path = aside;
    result.message =
        noun + problem + QStringLiteral("，已改名保存为 ") + QDir::toNativeSeparators(aside) + after;
    return result;
}

QString asideName(const QString& path, const char* what) {
    const QString base = path + QLatin1Char('.') + QLatin1String(what) + QLatin1Char('-') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int k = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++k)
        name = base + QLatin1Char('-') + QString::number(k);
    return name;
}

}  // namespace numsift
