#include "io/atomic_save.h"

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

}  // namespace numsift
