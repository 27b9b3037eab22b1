#include "controls/cjk_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace numsift {

QString cjkFamily() {
    const QStringList installed = QFontDatabase::families();
    static const char* const preferred[] = {
        "宋体",
        "SimSun",
        // Windows without 宋体 (or listing its fonts by other names).
        "新宋体",
        "NSimSun",
        "微软雅黑",
        "Microsoft YaHei",
        "WenQuanYi Micro Hei",
        "WenQuanYi Zen Hei",
        "Noto Sans CJK SC",
        "Noto Serif CJK SC",
        "Source Han Sans SC",
        "Droid Sans Fallback",
    };
    for (const char* name : preferred) {
        const QString family = QString::fromUtf8(name);
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? QString() : chinese.first();
}

QFont cjkFont(double pointSize) {
    QFont font;
    const QString family = cjkFamily();
    if (!family.isEmpty()) font.setFamily(family);
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace numsift
