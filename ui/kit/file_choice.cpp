#include "ui/kit/file_choice.h"

#include <QFileInfo>

namespace numsift {

QString chooseFile(FileDialogs& files, const char* filter, const char* name, const char* title, bool save,
                   int* filterIndex) {
    FileDialogRequest request;
    request.filter = filter;
    request.fileName = name;
    request.dialogTitle = title;
    request.save = save;
    const FileDialogResult r = files.run(request);
    if (r.cancel || r.fileName.empty()) return {};
    if (filterIndex) *filterIndex = r.filterIndex;
    return QString::fromStdString(r.fileName);
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + suffix;
}

QString saveProblem(const AtomicSave& save) {
    return (save.failedAt == SaveStep::Open ? QStringLiteral("无法创建文件（%1）")
                                            : QStringLiteral("写入文件出错（%1）"))
        .arg(save.reason);
}

}  // namespace numsift
