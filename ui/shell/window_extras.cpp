#include "ui/shell/window_extras.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>

#include "controls/select_button.h"
#include "engine/tolerance.h"
#include "ui/shell/bl_comm_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/analysis/page_backtest.h"
#include "ui/results/result_area.h"
#include "ui/shell/scheme_files.h"
#include "ui/shell/tab_strip.h"
#include "ui/shell/widget_kit.h"

namespace numsift {

namespace {

// The tab after "大底号码" (which ends at 13215 twips in the strip).
constexpr int kTabLeft = 13200, kTabWidth = 945, kTabHeight = 375;
constexpr int kTabIndex = TabStrip::kTabCount;  // cmdTab_12

QAction* addAction(QMenu* menu, const char* caption, const char* name) {
    QAction* a = menu->addAction(ui::qs(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

WindowExtras::WindowExtras(MainWindow& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("windowExtras"));
    const WindowServices& services = window.services();
    dialogs_ = services.files;
    if (!dialogs_) {
        ownDialogs_ = std::make_unique<BLCommDialog>(&window);
        dialogs_ = ownDialogs_.get();
    }
    files_ = std::make_unique<SchemeFiles>(window, *services.messages, *dialogs_);

    PanelAccess access;
    access.commitFocus = [&window] { return window.commitFocusedEntry(); };
    access.filterInput = [&window] { return window.filterInput(); };
    access.base = [&window] { return window.numberSets().base(); };
    access.tolerance = [&window] {
        return normaliseTolerance(window.toleranceText(0).toStdString(),
                                  window.toleranceText(1).toStdString())
            .tolerance;
    };
    QWidget* pageParent = window.page(1)->parentWidget();
    page_ = new PageBacktest(std::move(access), PageServices{services.messages, services.clipboard, dialogs_},
                             pageParent);
    page_->setGeometry(window.page(1)->geometry());
    page_->setAutoFillBackground(true);
    page_->hide();

    tab_ = new SelectButton(ui::qs("历史验证"), window.tabStrip());
    tab_->setObjectName(ui::memberName("cmdTab", kTabIndex));
    tab_->setGeometry(ui::pxRect(kTabLeft, 0, kTabWidth, kTabHeight));
    tab_->show();
    connect(tab_, &QPushButton::clicked, this, &WindowExtras::showBacktestPage);
    // The window's own tabs switch first, then this page steps back.
    connect(window.tabStrip(), &TabStrip::tabClicked, this, &WindowExtras::leaveBacktestPage);
    for (int i = 0; i < MainWindow::kPageCount; ++i) window.page(i)->installEventFilter(this);

    // A menu bar would make the window taller than a laptop screen; the
    // strip's row has room for one menu button.
    fileButton_ = new QToolButton(window.tabStrip()->parentWidget());
    fileButton_->setObjectName(QStringLiteral("cmdFileMenu"));
    fileButton_->setText(ui::qs("文件"));
    // From just after the strip to the right edge of the result area.
    const QRect strip = window.tabStrip()->geometry();
    const int left = strip.right() + 4;
    fileButton_->setGeometry(left, strip.top(), window.resultArea()->geometry().right() + 1 - left,
                             ui::px(kTabHeight));
    fileButton_->setPopupMode(QToolButton::InstantPopup);
    fileMenu_ = new QMenu(fileButton_);
    fileMenu_->setObjectName(QStringLiteral("mnuExtras"));
    fileButton_->setMenu(fileMenu_);
    fileButton_->show();
    actSave_ = addAction(fileMenu_, "保存方案", "actSaveScheme");
    actLoad_ = addAction(fileMenu_, "载入方案", "actLoadScheme");
    actExport_ = addAction(fileMenu_, "导出到文件", "actExportFile");
    QAction* actBacktest = addAction(fileMenu_, "历史验证", "actBacktest");
    actSave_->setShortcut(QKeySequence::Save);
    actLoad_->setShortcut(QKeySequence::Open);
    // The shortcuts work while the menu is closed.
    window.addActions({actSave_, actLoad_});
    connect(actSave_, &QAction::triggered, this, [this] { files_->saveScheme(); });
    connect(actLoad_, &QAction::triggered, this, [this] { files_->loadScheme(); });
    connect(actExport_, &QAction::triggered, this, [this] { files_->exportResults(); });
    connect(actBacktest, &QAction::triggered, this, &WindowExtras::showBacktestPage);
}

WindowExtras::~WindowExtras() = default;

void WindowExtras::showBacktestPage() {
    window_.tabStrip()->select(-1);
    tab_->setSelected(true);
    for (int i = 0; i < MainWindow::kPageCount; ++i) window_.page(i)->hide();
    window_.resultArea()->show();
    page_->show();
    page_->raise();
    window_.tabStrip()->raise();
}

bool WindowExtras::backtestPageShown() const { return page_->isVisibleTo(page_->parentWidget()); }

void WindowExtras::leaveBacktestPage() {
    tab_->resetSelection();
    page_->hide();
}

bool WindowExtras::eventFilter(QObject* watched, QEvent* event) {
    // A page of the window coming to the front (also by a call of selectTab
    // without a click) ends the backtest page's turn.
    if (event->type() == QEvent::Show && watched != page_ && backtestPageShown()) leaveBacktestPage();
    return QObject::eventFilter(watched, event);
}

WindowExtras* installWindowExtras(MainWindow& window) { return new WindowExtras(window); }

}  // namespace numsift
