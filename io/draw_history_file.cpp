#include "io/draw_history_file.h"

#include <QDir>
#include <QFileInfo>

#include "io/text_file.h"

namespace numsift {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

QString drawHistoryPath(const DataFolder& folder) {
    if (!folder.ok) return {};
    return QDir(folder.path).filePath(QLatin1String(kDrawHistoryFileName));
}

LoadedHistory DrawHistoryFile::load() {
    LoadedHistory loaded;
    refusal_.clear();
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) return loaded;

    // Why the file is not a history we can read, and the suffix it is moved
    // away with; empty when it can be read.
    QString problem;
    const char* suffix = "damaged";
    if (!info.isFile()) {
        problem = QStringLiteral("不是开奖历史文件");
        suffix = "foreign";
    } else if (info.size() > kMaxTextFileBytes) {
        problem = QStringLiteral("大得不像开奖历史文件");
        suffix = "foreign";
    } else {
        const TextFileResult file = readTextFile(path_);
        if (!file.ok) {
            refusal_ = QStringLiteral("开奖历史文件无法读取（") + file.error +
                       QStringLiteral("），为免覆盖，不会保存");
            loaded.message = QStringLiteral("无法读取开奖历史文件 ") + native(path_) + QStringLiteral("：") +
                             file.error + QStringLiteral("。本次不会改写它。");
            return loaded;
        }
        const std::string text = file.text.toStdString();
        KeptHistoryRead read = readKeptHistory(text);
        switch (read.problem) {
            case KeptHistoryRead::Problem::None: loaded.store = std::move(read.store); return loaded;
            case KeptHistoryRead::Problem::Newer:
                refusal_ = QStringLiteral("开奖历史文件由更新版本的 Numsift 写成，为免覆盖，不会保存");
                loaded.message = QStringLiteral("开奖历史文件 ") + native(path_) +
                                 QStringLiteral(" 由更新版本的 Numsift 写成（格式 ") +
                                 QString::number(read.version) +
                                 QStringLiteral("），本版本不读取也不改写它。");
                return loaded;
            case KeptHistoryRead::Problem::Foreign:
                problem = QStringLiteral("不是 Numsift 的开奖历史");
                suffix = "foreign";
                break;
            case KeptHistoryRead::Problem::Damaged:
                problem =
                    QStringLiteral("已损坏（第 ") + QString::number(read.line) + QStringLiteral(" 行）");
                break;
        }
    }

    const SetAside aside = setAside(path_, suffix, QStringLiteral("开奖历史文件"), problem,
                                    QStringLiteral("；开奖历史从空开始。"));
    refusal_ = aside.refusal;
    loaded.setAsidePath = aside.path;
    loaded.message = aside.message;
    return loaded;
}

SaveResult DrawHistoryFile::save(const DrawStore& store, const SaveStepCheck& allow) const {
    SaveResult result;
    if (!refusal_.isEmpty()) {
        result.error = refusal_;
        return result;
    }
    const QString where = native(path_);
    const AtomicSave saved = saveAtomically(path_, keptHistoryText(store), allow);
    if (saved.ok) {
        result.ok = true;
        return result;
    }
    switch (saved.failedAt) {
        case SaveStep::Open:
            result.error =
                QStringLiteral("无法写入开奖历史文件 ") + where + QStringLiteral("：") + saved.reason;
            break;
        case SaveStep::Write:
            result.error = QStringLiteral("写入开奖历史文件 ") + where + QStringLiteral(" 时出错：") +
                           saved.reason + QStringLiteral("。原文件未改动。");
            break;
        case SaveStep::Commit:
            result.error = QStringLiteral("无法保存开奖历史文件 ") + where + QStringLiteral("：") +
                           saved.reason + QStringLiteral("。原文件未改动。");
            break;
    }
    return result;
}

}  // namespace numsift
