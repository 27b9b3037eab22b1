#include "ui/shell/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "ui/sets/box_text.h"

namespace numsift {

namespace {

// Runs a message box and gives the activation back to the window that had
// it. A window manager does that when the box closes; without one the window
// stays inactive, and its focus (the box the user was correcting) with it.
void execAndReactivate(QMessageBox& box) {
    QPointer<QWidget> before = QApplication::activeWindow();
    box.exec();
    if (before && before->isVisible() && !before->isActiveWindow()) {
        before->activateWindow();
        QApplication::setActiveWindow(before);
    }
}

}  // namespace

MessageAnswer QtMessageSink::show(const Message& message) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(message.title));
    box.setText(ui::boxText(message.text));
    switch (message.icon) {
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (message.buttons == MessageButtons::YesNo) {
        QPushButton* yes = box.addButton(QString::fromUtf8("是"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QString::fromUtf8("否"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        execAndReactivate(box);
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QPushButton* ok = box.addButton(QString::fromUtf8("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    execAndReactivate(box);
    return MessageAnswer::Ok;
}

bool QtClipboard::setText(const std::string& text) {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c) return false;
    c->clear();
    const QString wanted = QString::fromStdString(text);
    c->setText(wanted);
    return c->text() == wanted;
}

std::string QtClipboard::text() {
    QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text().toStdString() : std::string();
}

DesktopTextEditor::DesktopTextEditor(QWidget* parent, Starter starter)
    : parent_(parent), starter_(std::move(starter)) {}

bool DesktopTextEditor::startInstalledEditor(const QString& path) {
#ifdef Q_OS_WIN
    // Notepad, which every Windows has; it opens the file itself.
    return QProcess::startDetached(QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(path)});
#else
    // Editors first: a file manager's "open" may claim success with nothing
    // to open the file in.
    static const char* kEditors[] = {"gnome-text-editor", "gedit", "kate",     "kwrite",
                                     "mousepad",          "xed",   "pluma",    "featherpad",
                                     "leafpad",           "geany", "notepadqq"};
    for (const char* e : kEditors) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(e));
        if (!exe.isEmpty() && QProcess::startDetached(exe, {path})) return true;
    }
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgOpen.isEmpty() || xdgMime.isEmpty()) return false;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(2000) || query.exitCode() != 0) return false;
    if (QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed().isEmpty()) return false;
    return QProcess::startDetached(xdgOpen, {path});
#endif
}

DesktopTextEditor::~DesktopTextEditor() = default;

QString DesktopTextEditor::newExportPath() {
    if (!exportDir_)
        exportDir_ = std::make_unique<QTemporaryDir>(
            QDir(QDir::tempPath()).filePath(QStringLiteral("numsift-XXXXXX")));
    if (!exportDir_->isValid()) return {};
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    return exportDir_->filePath(QStringLiteral("numsift-%1-%2.txt").arg(stamp).arg(++exportCount_));
}

void DesktopTextEditor::open(const std::string& text) {
    lastPath_ = newExportPath();
    QFile f(lastPath_);
    bool written = !lastPath_.isEmpty() && f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (written) written = f.write(QByteArray::fromStdString(text)) == static_cast<qint64>(text.size());
    f.close();
    const bool started = written && (starter_ ? starter_(lastPath_) : startInstalledEditor(lastPath_));
    if (started) {
        lastViewer_ = nullptr;
        return;
    }
    // No editor: the numbers stay readable (and selectable) in the program.
    auto* dlg = new QDialog(parent_);
    dlg->setObjectName(QStringLiteral("exportViewer"));
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowTitle(QString::fromUtf8("导出全部号码"));
    auto* layout = new QVBoxLayout(dlg);
    auto* label = new QLabel(written ? QString::fromUtf8("号码已复制到剪贴板，并保存在文件：") +
                                           QDir::toNativeSeparators(lastPath_)
                                     : QString::fromUtf8("号码已复制到剪贴板（临时文件无法写入）。"),
                             dlg);
    label->setObjectName(QStringLiteral("exportPathLabel"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* view = new QPlainTextEdit(dlg);
    view->setObjectName(QStringLiteral("exportText"));
    view->setReadOnly(true);
    view->setPlainText(ui::boxText(text));
    layout->addWidget(label);
    layout->addWidget(view);
    dlg->resize(520, 600);
    dlg->show();
    lastViewer_ = dlg;
}

}  // namespace numsift
