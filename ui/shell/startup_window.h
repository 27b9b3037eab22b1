#pragma once
// The check window Flogin shown at start: it makes sure the copy-text builder
// can run, lists its progress in List1 and opens the main window frmFilter,
// centred on the screen, on the tick after a passing check. Timer1 ticks every
// 600 ms; tick() runs one step, so tests drive it without waiting.
//
// The copy-text builder is part of the program, so the check passes at once
// and the repair steps (extract, install, check again) only run when a test
// or another build supplies a check that fails.

#include <QWidget>

#include <functional>

#include "platform/platform.h"

class QLabel;
class QListWidget;
class QTimer;

namespace numsift {

class StartupWindow : public QWidget {
    Q_OBJECT
public:
    struct Checks {
        std::function<bool()> builderAvailable;  // checks 1 and 2
        std::function<bool()> extract;           // write the component file
        std::function<bool()> install;           // start its registration
    };
    using MainWindowFactory = std::function<QWidget*()>;

    StartupWindow(MainWindowFactory openMain, MessageSink* messages, QWidget* parent = nullptr);

    // The default checks: the native builder is always available.
    static Checks nativeChecks();
    void setChecks(Checks checks) { checks_ = std::move(checks); }

    // One tick of Timer1.
    void tick();

    QListWidget* list1() const { return list1_; }
    QTimer* timer1() const { return timer1_; }
    int tickCount() const { return ticks_; }
    bool ready() const { return ready_; }
    QWidget* mainWindow() const { return main_; }

signals:
    void mainWindowOpened(QWidget* window);
    // The repair failed and the user closed the message: the program ends.
    void startupFailed();

private:
    void append(const QString& line);
    void check1();
    void extract();
    void install();
    void check2();
    void openMainWindow();

    MainWindowFactory openMain_;
    MessageSink* messages_;
    Checks checks_;
    QListWidget* list1_;
    QTimer* timer1_;
    QWidget* main_ = nullptr;
    int ticks_ = 0;
    bool ready_ = false;
};

}  // namespace numsift
