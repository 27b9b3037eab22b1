#pragma once
// One window on the desktop's doubles, as every window test opens it: the
// messages recorded and answered from a queue, the clipboard in memory, the
// file dialogs answered from a queue; and the helpers that find the
// window's controls by name, click them and queue a file choice. A test
// class derives from it and calls newDoubles() and openWindow() from its
// own init().

#include <QApplication>
#include <QObject>
#include <QTest>

#include <memory>

#include "tests/fakes/platform_fakes.h"
#include "tests/ui/window_probe.h"
#include "ui/shell/main_window.h"

namespace numsift {

class WindowFixture : public QObject {
protected:
    std::unique_ptr<RecordingMessages> messages;
    std::unique_ptr<MemoryClipboard> clipboard;
    std::unique_ptr<ScriptedFileDialogs> files;
    std::unique_ptr<MainWindow> w;

    void newDoubles() {
        messages = std::make_unique<RecordingMessages>();
        clipboard = std::make_unique<MemoryClipboard>();
        files = std::make_unique<ScriptedFileDialogs>();
    }
    // The doubles as the window's services. A service set to null before
    // is supplied by the desktop: real message boxes, real file dialogs.
    WindowServices services() const {
        return WindowServices{messages.get(), clipboard.get(), files.get(), {}};
    }

    // A window on services, shown and active; the test stops when it never
    // becomes active.
    static std::unique_ptr<MainWindow> openWindow(WindowServices services) {
        auto window = std::make_unique<MainWindow>(std::move(services));
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get())) qFatal("the window did not become active");
        return window;
    }
    void openWindow() { w = openWindow(services()); }

    template <class T = QWidget>
    T* find(const QString& name) {
        return probe::findControl<T>(w.get(), name);
    }
    template <class T = QWidget>
    T* member(const char* array, int i) {
        return probe::findMember<T>(w.get(), array, i);
    }
    static void click(QWidget* target) { probe::clickCentre(target); }
    // The next file dialog chooses path.
    void choose(const QString& path) {
        FileDialogResult r;
        r.cancel = false;
        r.fileName = path.toStdString();
        files->results.push_back(r);
    }
};

}  // namespace numsift
