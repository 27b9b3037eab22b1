#include "ui/shell/app_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include "controls/cjk_font.h"

namespace numsift {

void setUpApplication(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    static QTranslator* qtTexts = nullptr;
    if (!qtTexts) {
        qtTexts = new QTranslator(&app);
        // Qt's own translations where Qt is installed; the Windows build
        // carries its copy inside the program (":/i18n").
        if (qtTexts->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
            qtTexts->load(QStringLiteral("qtbase_zh_CN"), QStringLiteral(":/i18n")))
            app.installTranslator(qtTexts);
    }
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    QFont f = cjkFont(9.0);
    app.setFont(f);
    app.setApplicationName(QStringLiteral("Numsift"));
}

}  // namespace numsift
