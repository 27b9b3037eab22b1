#include "io/kept_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "io/text_file.h"

namespace numsift {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

KeptFileLoad loadKeptFile(const QString& path, const KeptFileWords& words,
                          const std::function<KeptTextCheck(std::string_view text)>& parse) {
    KeptFileLoad loaded;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return loaded;
    const QString noun = QString::fromUtf8(words.noun);

    // Why the file cannot be read, and the suffix it is moved away with.
    QString problem;
    const char* suffix = "damaged";
    if (info.isSymLink()) {
        // Read through, it would be saved through, over another file.
        problem = QStringLiteral("是一个符号链接");
        suffix = "foreign";
    } else if (!info.isFile()) {
        problem = QString::fromUtf8(words.notAFile);
        suffix = "foreign";
    } else if (info.size() > kMaxTextFileBytes) {
        problem = QString::fromUtf8(words.tooLarge);
        suffix = "foreign";
    } else {
        const TextFileResult file = readTextFile(path);
        if (!file.ok) {
            loaded.refusal =
                noun + QStringLiteral("无法读取（") + file.error + QStringLiteral("），为免覆盖，不会保存");
            loaded.message = QStringLiteral("无法读取") + noun + QLatin1Char(' ') + native(path) +
                             QStringLiteral("：") + file.error + QStringLiteral("。本次不会改写它。");
            return loaded;
        }
        const KeptTextCheck check = parse(file.text.toStdString());
        switch (check.problem) {
            case KeptProblem::None: loaded.read = true; return loaded;
            case KeptProblem::Foreign:
                problem = QString::fromUtf8(words.foreign);
                suffix = "foreign";
                break;
            case KeptProblem::Newer:
                if (words.newerStays) {
                    loaded.refusal = noun + QStringLiteral("由更新版本的 Numsift 写成，为免覆盖，不会保存");
                    loaded.message = noun + QLatin1Char(' ') + native(path) +
                                     QStringLiteral(" 由更新版本的 Numsift 写成（格式 ") +
                                     QString::number(check.version) +
                                     QStringLiteral("），本版本不读取也不改写它。");
                    return loaded;
                }
                problem = QStringLiteral("由更新版本的 Numsift 写成（格式 ") +
                          QString::number(check.version) + QStringLiteral("）");
                suffix = "newer";
                break;
            case KeptProblem::Damaged:
                problem =
                    QStringLiteral("已损坏（第 ") + QString::number(check.line) + QStringLiteral(" 行）");
                break;
        }
    }

    const SetAside aside = setAside(path, suffix, noun, problem, QString::fromUtf8(words.afterAside));
    loaded.refusal = aside.refusal;
    loaded.setAsidePath = aside.path;
    loaded.message = aside.message;
    return loaded;
}

SaveResult saveKeptFile(const QString& path, std::string_view bytes, const KeptFileWords& words,
                        const QString& refusal, const SaveStepCheck& allow) {
    SaveResult result;
    if (!refusal.isEmpty()) {
        result.error = refusal;
        return result;
    }
    // A link put in the file's place since it was read: writing through it
    // would replace the file it points to.
    if (QFileInfo(path).isSymLink()) {
        result.error = QString::fromUtf8(words.noun) + QLatin1Char(' ') + native(path) +
                       QStringLiteral(" 是一个符号链接，为免改写它指向的文件，不会保存。");
        return result;
    }
    const AtomicSave saved = saveAtomically(path, bytes, allow);
    result.ok = saved.ok;
    if (!saved.ok) {
        result.error = QStringLiteral("无法保存") + QString::fromUtf8(words.noun) + QLatin1Char(' ') +
                       native(path) + QStringLiteral("：") + saved.reason +
                       QStringLiteral("。原文件未改动。");
    }
    return result;
}

SetAside setAside(const QString& path, const char* what, const QString& noun, const QString& problem,
                  const QString& after) {
    SetAside result;
    const QString aside = asideName(path, what);
    if (!QDir().rename(path, aside)) {
        result.refusal = noun + problem + QStringLiteral("且无法改名，为免覆盖，不会保存");
        result.message = noun + QLatin1Char(' ') + native(path) + problem +
                         QStringLiteral("，也无法改名移开。本次不会改写它。");
        return result;
    }
    result.path = aside;
    result.message = noun + problem + QStringLiteral("，已改名保存为 ") + native(aside) + after;
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
