#pragma once
// The desktop side of the platform interfaces: message boxes with Chinese
// buttons, the system clipboard, and opening exported numbers in a text
// editor (or, where none can be started, in a read-only window).

#include <QString>

#include <functional>
#include <memory>

#include "platform/platform.h"
#include "results/result_copy.h"

class QTemporaryDir;
class QWidget;

namespace numsift {

class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer show(const Message& message) override;

private:
    QWidget* parent_;
};

class QtClipboard : public Clipboard {
public:
    bool setText(const std::string& text) override;
    std::string text() override;
};

// Writes the text to a new .txt file and starts a text editor on it; when no
// editor can be started, shows the numbers in a read-only window of the
// program that names the file. The files lie in a folder of their own in the
// temporary folder, removed with everything in it when this object goes
// (the window closes, the program ends).
class DesktopTextEditor : public TextEditorOpener {
public:
    using Starter = std::function<bool(const QString& path)>;
    // starter: empty = look for an installed editor.
    DesktopTextEditor(QWidget* parent, Starter starter = {});
    ~DesktopTextEditor() override;
    void open(const std::string& text) override;

    QString lastPath() const { return lastPath_; }
    QWidget* lastViewer() const { return lastViewer_; }

    // Starts a text editor on path (Notepad on Windows, else the first
    // installed editor or the desktop's default); false when none started.
    static bool startInstalledEditor(const QString& path);

private:
    // A path for the next export; empty when no folder could be made.
    QString newExportPath();

    QWidget* parent_;
    Starter starter_;
    std::unique_ptr<QTemporaryDir> exportDir_;
    int exportCount_ = 0;
    QString lastPath_;
    QWidget* lastViewer_ = nullptr;
};

}  // namespace numsift
