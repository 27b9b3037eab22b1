#include "io/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace numsift {

DataFolder dataFolder() {
    DataFolder folder;
    const QString chosen = qEnvironmentVariable(kDataFolderVariable);
    if (!chosen.isEmpty()) {
        folder.path = QDir::cleanPath(QDir(QDir::fromNativeSeparators(chosen)).absolutePath());
    } else {
        // Without an application name Qt names the shared folder above every
        // program's own: refuse it rather than scatter files there.
        if (QCoreApplication::applicationName().isEmpty()) {
            folder.error = QStringLiteral("程序未命名，无法确定数据文件夹");
            return folder;
        }
        folder.path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (folder.path.isEmpty()) {
            folder.error = QStringLiteral("系统没有提供数据文件夹");
            return folder;
        }
    }
    if (!QDir().mkpath(folder.path) || !QFileInfo(folder.path).isDir()) {
        folder.error = QStringLiteral("无法创建数据文件夹：") + QDir::toNativeSeparators(folder.path);
        return folder;
    }
    folder.ok = true;
    return folder;
}

}  // namespace numsift
