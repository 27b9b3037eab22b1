// numsift: the window.

#include <QApplication>

#include "io/data_folder.h"
#include "io/draw_history_file.h"
#include "ui/shell/app_setup.h"
#include "ui/play/play_desk.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/startup_window.h"
#include "ui/shell/window_placement.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    numsift::setUpApplication(app);
    // The check window opens the main window, centred, on its second tick
    // and closes; the program ends when the main window closes.
    numsift::QtMessageSink startupMessages;
    numsift::StartupWindow flogin(
        [] {
            auto* window = new numsift::MainWindow(numsift::WindowServices{});
            window->keepPanelIn(numsift::dataFolder());
            window->setAttribute(Qt::WA_DeleteOnClose);
            const numsift::DataFolder folder = numsift::dataFolder();
            window->keepHistoryIn(numsift::drawHistoryPath(folder), folder.error);
            window->play().keepRecordsIn(folder);
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
