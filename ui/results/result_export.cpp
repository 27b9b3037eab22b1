#include "ui/results/result_export.h"

#include <QFileInfo>

#include "io/atomic_save.h"
#include "results/result_copy.h"
#include "results/result_csv.h"
#include "ui/kit/file_choice.h"
#include "ui/kit/panel.h"

namespace numsift {

void ResultExport::tell(const std::string& text, MessageIcon icon) {
    messages_.show(Message{kProductName, text, icon, MessageButtons::Ok});
}

bool ResultExport::exportResults() {
    if (panel_.results().empty()) {
        tell(kNoResultMessage, MessageIcon::Information);
        return false;
    }
    int filterIndex = 0;
    const QString path = chooseFile(files_, kExportFilter, "缩水结果", "导出到文件", true, &filterIndex);
    if (path.isEmpty()) return false;
    return exportResultsTo(
        withDefaultSuffix(path, filterIndex == 2 ? QStringLiteral(".csv") : QStringLiteral(".txt")));
}

bool ResultExport::exportResultsTo(const QString& path) {
    const std::vector<std::uint32_t>& values = panel_.results();
    if (values.empty()) {
        tell(kNoResultMessage, MessageIcon::Information);
        return false;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return exportCsvTo(path);
    const ResultData data(values);
    const AtomicSave saved = saveAtomically(path, BuildCopyResult(data, 0, data.count() - 1, kAllCopyWidth));
    if (!saved.ok) {
        tell("导出失败：" + saveProblem(saved).toStdString() + "\r\n" + path.toStdString(),
             MessageIcon::Exclamation);
        return false;
    }
    tell("所有结果共" + std::to_string(values.size()) + "注，已导出到文件：\r\n" + path.toStdString(),
         MessageIcon::Information);
    return true;
}

bool ResultExport::exportCsvTo(const QString& path) {
    // Each number's failed conditions are the run's; a stacked result lists
    // how many schemes keep each number instead. A result that is neither
    // (a group selection) has nothing to list beside its numbers.
    const RunResult* run = panel_.lastRun();
    const std::vector<std::uint16_t> keptBy = panel_.resultKeptBy();
    std::string csv;
    if (run && run->result == panel_.results()) {
        csv = resultCsv(*run, "\r\n");
    } else if (!keptBy.empty()) {
        csv = stackedCsv(panel_.results(), keptBy, "\r\n");
    } else {
        tell(
            "CSV 要列出每注的错误条件或保留它的方案数，只能导出【开始缩水】或【方案叠加】得到的结果；"
            "请先缩水，或导出为文本文件",
            MessageIcon::Exclamation);
        return false;
    }
    const AtomicSave saved = saveAtomically(path, csv);
    if (!saved.ok) {
        tell("导出失败：" + saveProblem(saved).toStdString() + "\r\n" + path.toStdString(),
             MessageIcon::Exclamation);
        return false;
    }
    tell("所有结果共" + std::to_string(panel_.results().size()) + "注，已导出到 CSV 文件：\r\n" +
             path.toStdString(),
         MessageIcon::Information);
    return true;
}

}  // namespace numsift
