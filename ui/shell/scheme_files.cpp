#include "ui/shell/scheme_files.h"

#include <QFileInfo>
#include <QSaveFile>

#include "conditions/scheme.h"
#include "io/text_file.h"
#include "results/result_copy.h"
#include "results/result_csv.h"
#include "ui/shell/main_window.h"
#include "ui/shell/panel_keeper.h"

namespace numsift {

namespace {

constexpr const char* kImportTitle = "导入提示";

}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("无法创建文件（%1）").arg(file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = QStringLiteral("写入文件出错（%1）").arg(file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = QStringLiteral("写入文件出错（%1）").arg(file.errorString());
        return false;
    }
    return true;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + suffix;
}

void SchemeFiles::tell(const std::string& text, MessageIcon icon, const char* title) {
    messages_.show(Message{title ? title : kProductName, text, icon, MessageButtons::Ok});
}

QString SchemeFiles::choose(const char* filter, const char* name, const char* title, bool save,
                            int* filterIndex) {
    FileDialogRequest request;
    request.filter = filter;
    request.fileName = name;
    request.dialogTitle = title;
    request.save = save;
    const FileDialogResult r = files_.run(request);
    if (r.cancel || r.fileName.empty()) return {};
    if (filterIndex) *filterIndex = r.filterIndex;
    return QString::fromStdString(r.fileName);
}

bool SchemeFiles::saveScheme() {
    if (!window_.commitFocusedEntry()) return false;
    const QString path = choose(kSchemeFilter, "方案.json", "保存方案", true);
    if (path.isEmpty()) return false;
    return saveSchemeTo(withDefaultSuffix(path, QStringLiteral(".json")));
}

bool SchemeFiles::saveSchemeTo(const QString& path) {
    QString error;
    if (!writeFileAtomically(path, QByteArray::fromStdString(numsift::saveScheme(window_.panelScheme())),
                             &error)) {
        tell("方案没有保存：" + error.toStdString() + "\r\n" + path.toStdString(), MessageIcon::Exclamation);
        return false;
    }
    tell("方案已保存到：\r\n" + path.toStdString(), MessageIcon::Information);
    return true;
}

bool SchemeFiles::loadScheme() {
    if (!window_.commitFocusedEntry()) return false;
    const QString path = choose(kSchemeFilter, "", "载入方案", false);
    if (path.isEmpty()) return false;
    return loadSchemeFrom(path);
}

bool SchemeFiles::loadSchemeFrom(const QString& path) {
    const TextFileResult file = readTextFile(path);
    if (!file.ok) {
        tell("无法载入方案：" + file.error.toStdString() + "\r\n" + path.toStdString(),
             MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    // The whole file is checked before any control changes.
    const SchemeLoad load = numsift::loadScheme(file.text.toStdString());
    if (!load.ok) {
        tell("方案文件有错误，没有载入：\r\n" + load.error, MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    window_.rememberForUndo("载入方案", PanelParts::Conditions);
    window_.applyPanelScheme(load.scheme);
    return true;
}

bool SchemeFiles::exportResults() {
    if (window_.results().empty()) {
        tell(kNoResultMessage, MessageIcon::Information);
        return false;
    }
    int filterIndex = 0;
    const QString path = choose(kExportFilter, "缩水结果", "导出到文件", true, &filterIndex);
    if (path.isEmpty()) return false;
    return exportResultsTo(
        withDefaultSuffix(path, filterIndex == 2 ? QStringLiteral(".csv") : QStringLiteral(".txt")));
}

bool SchemeFiles::exportResultsTo(const QString& path) {
    const std::vector<std::uint32_t>& values = window_.results();
    if (values.empty()) {
        tell(kNoResultMessage, MessageIcon::Information);
        return false;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return exportCsvTo(path);
    const ResultData data(values);
    const std::string text = BuildCopyResult(data, 0, data.count() - 1, kAllCopyWidth);
    QString error;
    if (!writeFileAtomically(path, QByteArray::fromStdString(text), &error)) {
        tell("导出失败：" + error.toStdString() + "\r\n" + path.toStdString(), MessageIcon::Exclamation);
        return false;
    }
    tell("所有结果共" + std::to_string(values.size()) + "注，已导出到文件：\r\n" + path.toStdString(),
         MessageIcon::Information);
    return true;
}

bool SchemeFiles::exportCsvTo(const QString& path) {
    // Each number's failed conditions are the run's: a result that is no
    // longer the run's own (a stacked or group-selection result) has none.
    const RunResult* run = window_.lastRun();
    if (!run || run->result != window_.results()) {
        tell("CSV 要列出每注的错误条件，只能导出【开始缩水】得到的结果；请先缩水，或导出为文本文件",
             MessageIcon::Exclamation);
        return false;
    }
    QString error;
    if (!writeFileAtomically(path, QByteArray::fromStdString(resultCsv(*run, "\r\n")), &error)) {
        tell("导出失败：" + error.toStdString() + "\r\n" + path.toStdString(), MessageIcon::Exclamation);
        return false;
    }
    tell("所有结果共" + std::to_string(run->result.size()) + "注，已导出到 CSV 文件：\r\n" +
             path.toStdString(),
         MessageIcon::Information);
    return true;
}

}  // namespace numsift
