// numsift: the window. Options: --screenshot <dir> saves pictures of the
// pages and a result and quits (for the documentation).

#include <QApplication>
#include <QStringList>

#include "ui/analysis_screenshots.h"
#include "ui/app_setup.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/screenshots.h"
#include "ui/startup_window.h"
#include "ui/window_extras.h"
#include "ui/window_placement.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    numsift::setUpApplication(app);
    const QStringList args = app.arguments();
    const int shot = args.indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0)
        return numsift::takeScreenshots(shot + 1 < args.size() ? args[shot + 1] : QStringLiteral("."));
    const int analysisShot = args.indexOf(QStringLiteral("--screenshot-analysis"));
    if (analysisShot >= 0)
        return numsift::takeAnalysisScreenshots(analysisShot + 1 < args.size() ? args[analysisShot + 1]
                                                                               : QStringLiteral("."));

    // The check window opens the main window, centred, on its second tick
    // and closes; the program ends when the main window closes.
    numsift::QtMessageSink startupMessages;
    numsift::StartupWindow flogin(
        [] {
            auto* window = new numsift::MainWindow(numsift::WindowServices{});
            window->setAttribute(Qt::WA_DeleteOnClose);
            numsift::installWindowExtras(*window);
            window->fitIn(numsift::availableArea(window));
            return window;
        },
        &startupMessages);
    QObject::connect(&flogin, &numsift::StartupWindow::startupFailed, &app,
                     [] { QCoreApplication::exit(1); });
    flogin.show();
    numsift::centreOnScreen(&flogin);
    return app.exec();
}
