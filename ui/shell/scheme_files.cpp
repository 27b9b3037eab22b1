#include "ui/shell/scheme_files.h"

#include "io/atomic_save.h"
#include "io/scheme_file.h"
#include "ui/kit/file_choice.h"
#include "ui/kit/panel.h"

namespace numsift {

void SchemeFiles::tell(const std::string& text, MessageIcon icon, const char* title) {
    messages_.show(Message{title ? title : kProductName, text, icon, MessageButtons::Ok});
}

bool SchemeFiles::saveScheme() {
    if (!panel_.commitEntries()) return false;
    const QString path = chooseFile(files_, kSchemeFilter, "方案.json", "保存方案", true);
    if (path.isEmpty()) return false;
    return saveSchemeTo(withDefaultSuffix(path, QStringLiteral(".json")));
}

bool SchemeFiles::saveSchemeTo(const QString& path) {
    const AtomicSave saved = saveAtomically(path, numsift::saveScheme(panel_.scheme()));
    if (!saved.ok) {
        tell("方案没有保存：" + saveProblem(saved).toStdString() + "\r\n" + path.toStdString(),
             MessageIcon::Exclamation);
        return false;
    }
    tell("方案已保存到：\r\n" + path.toStdString(), MessageIcon::Information);
    return true;
}

bool SchemeFiles::loadScheme() {
    if (!panel_.commitEntries()) return false;
    const QString path = chooseFile(files_, kSchemeFilter, "", "载入方案", false);
    if (path.isEmpty()) return false;
    return loadSchemeFrom(path);
}

bool SchemeFiles::loadSchemeFrom(const QString& path) {
    // The whole file is checked before any control changes.
    const SchemeFileRead read = readSchemeFile(path);
    if (read.problem == SchemeFileRead::Problem::Unreadable) {
        tell("无法载入方案：" + read.error + "\r\n" + path.toStdString(), MessageIcon::Exclamation,
             "导入提示");
        return false;
    }
    if (!read.ok()) {
        tell("方案文件有错误，没有载入：\r\n" + read.error, MessageIcon::Exclamation, "导入提示");
        return false;
    }
    panel_.applyScheme(read.scheme, "载入方案");
    return true;
}

}  // namespace numsift
