#include "ui/shell/startup_window.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "controls/cjk_font.h"
#include "ui/shell/window_placement.h"

namespace numsift {

namespace {

constexpr int kTickMs = 600;

// Where the controls stand (pixels).
constexpr QSize kWindowSize(400, 250);
constexpr QRect kWarningLabel(16, 12, 368, 22);
constexpr QRect kProgressLabel(16, 38, 368, 22);
constexpr QRect kList1(16, 66, 368, 168);

}  // namespace

StartupWindow::Checks StartupWindow::nativeChecks() {
    Checks c;
    c.builderAvailable = [] { return true; };
    // Nothing to write or register: the builder is compiled in.
    c.extract = [] { return false; };
    c.install = [] { return false; };
    return c;
}

StartupWindow::StartupWindow(MainWindowFactory openMain, MessageSink* messages, QWidget* parent)
    : QWidget(parent), openMain_(std::move(openMain)), messages_(messages), checks_(nativeChecks()) {
    setObjectName(QStringLiteral("Flogin"));
    setWindowTitle(QStringLiteral("检测系统必要插件，请稍等。。。"));
    setFont(cjkFont(9));
    setFixedSize(kWindowSize);

    auto* warningLabel = new QLabel(QStringLiteral("正在检测系统必要插件,如果杀软误报，请加信任"), this);
    warningLabel->setObjectName(QStringLiteral("warningLabel"));
    warningLabel->setGeometry(kWarningLabel);
    QPalette red = warningLabel->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    warningLabel->setPalette(red);

    auto* progressLabel = new QLabel(QStringLiteral("正在检测系统必要插件"), this);
    progressLabel->setObjectName(QStringLiteral("progressLabel"));
    progressLabel->setGeometry(kProgressLabel);

    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setGeometry(kList1);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kTickMs);
    connect(timer1_, &QTimer::timeout, this, &StartupWindow::tick);

    append(QStringLiteral("正在初始化，请稍等...."));
    timer1_->start();
}

void StartupWindow::append(const QString& line) {
    list1_->addItem(line);
    list1_->scrollToBottom();
}

void StartupWindow::tick() {
    if (ready_) {
        timer1_->stop();
        openMainWindow();
        return;
    }
    const int before = ticks_++;
    if (before == 0)
        check1();
    else if (ticks_ == 2)
        extract();
    else if (ticks_ == 3)
        install();
    else if (ticks_ == 4)
        check2();
}

void StartupWindow::check1() {
    if (checks_.builderAvailable && checks_.builderAvailable()) {
        append(QStringLiteral("初始化成功，准备进入系统"));
        ready_ = true;
        return;
    }
    append(QStringLiteral("出现错误"));
    append(QStringLiteral("应该是由系统没有注册必要的控件导致"));
    append(QStringLiteral("现在开启软件自动注册控件功能，请稍等"));
}

void StartupWindow::extract() {
    append(QStringLiteral("开始释放必要插件到跟目录下"));
    if (!checks_.extract || !checks_.extract()) append(QStringLiteral("释放插件过程出现未知错误!"));
}

void StartupWindow::install() {
    append(QStringLiteral("开始注册"));
    if (!checks_.install || !checks_.install()) append(QStringLiteral("注册插件过程出现未知错误!"));
}

void StartupWindow::check2() {
    if (checks_.builderAvailable && checks_.builderAvailable()) {
        append(QStringLiteral("插件修复成功，准备进入系统"));
        ready_ = true;
        return;
    }
    timer1_->stop();
    if (messages_)
        messages_->show(Message{"错误提示",
                                "出现错误\r\n本机因为必要插件丢失，并且自动尝试修复不成功\r\n"
                                "请截图保存，然后联系客服咨询解决办法",
                                MessageIcon::None, MessageButtons::Ok});
    close();
    emit startupFailed();
}

void StartupWindow::openMainWindow() {
    if (main_ || !openMain_) return;
    main_ = openMain_();
    if (main_) {
        main_->show();
        centreOnScreen(main_);
        emit mainWindowOpened(main_);
    }
    close();
}

}  // namespace numsift
