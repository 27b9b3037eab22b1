#include "ui/shell/bl_comm_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace numsift {

QString qtFilterFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const bool hasPattern = i + 1 < parts.size();
        if (description.isEmpty() && (!hasPattern || parts[i + 1].trimmed().isEmpty())) continue;
        QString pattern = hasPattern ? parts[i + 1].trimmed() : QStringLiteral("*");
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        pattern = pattern.simplified();
        if (pattern.isEmpty()) pattern = QStringLiteral("*");
        entries << QStringLiteral("%1 (%2)").arg(description.isEmpty() ? pattern : description, pattern);
    }
    return entries.join(QStringLiteral(";;"));
}

QString fileTitleOf(const QString& path) { return QFileInfo(path).fileName(); }

QString defaultSuffixFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    if (parts.size() < 2) return {};
    const QString first = parts[1].split(QLatin1Char(';')).first().trimmed();
    if (!first.startsWith(QLatin1String("*.")) || first.size() < 3) return {};
    const QString suffix = first.mid(2);
    if (suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?'))) return {};
    return suffix;
}

BLCommDialog::BLCommDialog(QWidget* owner) : Owner(owner) {}

void BLCommDialog::setAction(int action) {
    cancel_ = false;
    if (action != OpenFile && action != SaveFile) return;
    Request request;
    request.save = action == SaveFile;
    request.qtFilter = qtFilterFromPairs(Filter);
    const QStringList filters = request.qtFilter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    if (FilterIndex >= 1 && FilterIndex <= filters.size()) request.selectedFilter = filters[FilterIndex - 1];
    if (!InitDir.isEmpty())
        request.initialPath = FileName.isEmpty() ? InitDir : QDir(InitDir).filePath(FileName);
    else
        request.initialPath = FileName;
    request.title = DialogTitle;
    request.defaultSuffix = DefaultExt;

    const QString chosen = chooser_ ? chooser_(request) : runQtDialog(request);
    if (chosen.isEmpty()) {
        cancel_ = true;  // FileName and FileTitle stay as they were
        return;
    }
    // Windows paths as Windows writes them (C:\...), also in every message
    // that names the file; the same path elsewhere.
    FileName = QDir::toNativeSeparators(chosen);
    FileTitle = fileTitleOf(chosen);
    const qsizetype index = filters.indexOf(request.selectedFilter);
    if (index >= 0) FilterIndex = static_cast<int>(index) + 1;
}

QString BLCommDialog::runQtDialog(const Request& request) const {
    QFileDialog dialog(Owner, request.title, request.initialPath, request.qtFilter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    // A name typed without an extension gets the chosen filter's one.
    const auto followFilter = [&dialog](const QString& filter) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)")).match(filter);
        if (m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
    };
    if (!request.selectedFilter.isEmpty()) {
        dialog.selectNameFilter(request.selectedFilter);
        if (!request.defaultSuffix.isEmpty()) followFilter(request.selectedFilter);
    }
    if (!request.defaultSuffix.isEmpty())
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

FileDialogResult BLCommDialog::run(const FileDialogRequest& request) {
    Filter = QString::fromStdString(request.filter);
    // Each request brings its own name (an import none): the file chosen
    // last is never offered again, so Enter cannot load it into another
    // box. Only its folder is remembered.
    FileName = QString::fromStdString(request.fileName);
    DialogTitle = QString::fromStdString(request.dialogTitle);
    // A name typed without an extension gets the filter's one inside the
    // dialog, so the dialog asks before it replaces an existing file of
    // that full name.
    DefaultExt = request.save ? defaultSuffixFromPairs(Filter) : QString();
    setAction(request.save ? SaveFile : OpenFile);
    FileDialogResult result;
    result.cancel = Cancel();
    if (!result.cancel) {
        result.fileName = FileName.toStdString();
        result.fileTitle = FileTitle.toStdString();
        result.filterIndex = FilterIndex;
        InitDir = QFileInfo(FileName).absolutePath();
    }
    return result;
}

}  // namespace numsift
