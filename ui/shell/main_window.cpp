#include "ui/shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "controls/select_button.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/page_backtest.h"
#include "ui/analysis/page_trend.h"
#include "ui/analysis/walk_panel.h"
#include "ui/conditions/condition_panel.h"
#include "ui/conditions/frame_special_shapes.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/conditions/omission_marks.h"
#include "ui/conditions/page_compound.h"
#include "ui/conditions/page_conditions.h"
#include "ui/conditions/page_road.h"
#include "controls/result_list.h"
#include "io/own_rules_file.h"
#include "ui/kit/widget_kit.h"
#include "ui/kit/window_layout.h"
#include "ui/play/play_desk.h"
#include "ui/play/play_records.h"
#include "ui/results/result_area.h"
#include "ui/results/result_export.h"
#include "ui/results/set_stats_dialog.h"
#include "ui/results/stack_dialog.h"
#include "ui/rules/page_rules.h"
#include "ui/rules/rules_on_panel.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"
#include "ui/sets/set_services.h"
#include "ui/shell/bl_comm_dialog.h"
#include "ui/shell/panel_rounds.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/scheme_files.h"
#include "ui/shell/tab_strip.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"
#include "ui/shell/window_placement.h"

namespace numsift {

namespace {

// An action of the menu "文件", named for what it does.
QAction* addMenuAction(QMenu* menu, const char* caption, const char* name) {
    QAction* a = menu->addAction(ui::qs(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmFilter"));
    setWindowTitle(QStringLiteral("Numsift"));
    if (!services_.messages) {
        ownMessages_ = std::make_unique<QtMessageSink>(this);
        services_.messages = ownMessages_.get();
    }
    if (!services_.clipboard) {
        ownClipboard_ = std::make_unique<QtClipboard>();
        services_.clipboard = ownClipboard_.get();
    }
    editor_ = std::make_unique<DesktopTextEditor>(this, services_.openTextFile);

    // The client keeps the design size; the scroll area around it shows
    // scroll bars only when the window is made smaller (fitIn).
    clientScroll_ = new QScrollArea(this);
    clientScroll_->setObjectName(QStringLiteral("clientScroll"));
    clientScroll_->setFrameShape(QFrame::NoFrame);
    // A click on a control that takes no focus (a page button, a label)
    // must leave the focus where it is; a scroll area would take it.
    clientScroll_->setFocusPolicy(Qt::NoFocus);
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(ui::layout::kClientSize);
    clientScroll_->setWidget(client_);
    setCentralWidget(clientScroll_);
    setFixedSize(ui::layout::kClientSize);

    tabStrip_ = new TabStrip(client_);
    tabStrip_->setGeometry(ui::layout::kTabStrip);
    tabStrip_->trendTab()->setGeometry(ui::layout::kTrendTab);

    buildPages();
    buildAnalysisPages();
    buildFileMenu();

    // An empty result area, then page 1 in front with its tab selected.
    resultArea_->state().refresh(0, true);
    pages_->selectTab(1);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPages() {
    MessageSink& messages = *services_.messages;
    // Pages 1, 2 and 4 and the special shapes make the condition panel; the
    // 012 page makes its 242 added boxes as it is built.
    ConditionPages pages;
    pages.conditions = new PageConditions(&messages, client_);
    pages.road = new PageRoad(client_);
    pages.compound = new PageCompound(&messages, client_);
    pages.shapes = new FrameSpecialShapes(&messages, client_);
    pages.shapes->setGeometry(ui::layout::kSpecialShapes);
    resultArea_ = new ResultArea(*services_.clipboard, messages, client_);
    conditions_ = new ConditionPanel(pages, resultArea_, messages, this);
    pages_ = new WindowPages(tabStrip_, resultArea_, this);
    pages_->place(pages.conditions, 1);
    pages_->place(pages.road, 2);
    pages_->place(pages.compound, 4);

    // Pages 0 and 3, and the paste and import of the kill list txtDan5.
    SetServices sets;
    sets.messages = &messages;
    sets.clipboard = services_.clipboard;
    sets.dialogs = services_.files;
    if (!sets.dialogs) {
        setDialog_ = std::make_unique<BLCommDialog>(this);
        sets.dialogs = setDialog_.get();
    }
    sets.readFile = textFileReader();
    base_ = new PageBase(&store_, sets, client_);
    pages_->place(base_, 0);
    join_ = new PageJoin(&store_, sets, client_);
    pages_->place(join_, 3);
    new KillListBinding(conditions_->straightKillBox(), conditions_->straightKillImportButton(), &store_,
                        sets, this);

    rounds_ =
        new PanelRounds(RoundParts{this, conditions_, base_, join_, &store_, resultArea_}, messages, this);
    panel_ = new WindowPanel(this, *conditions_, *rounds_, store_, *base_, *resultArea_, *editor_, this);
    // The result area's buttons act on the panel; each checks the edited box first.
    resultArea_->setCommitHook([this] { return panel_->commitEntries(); });
    for (int i = 0; i < 5; ++i)
        connect(resultArea_->filterButton(i), &QPushButton::clicked, panel_,
                [this, i] { panel_->filterClicked(i); });
    connect(resultArea_->groupButton(), &QPushButton::clicked, panel_,
            [this] { panel_->editToleranceGroups(); });
}

void MainWindow::buildAnalysisPages() {
    FileDialogs* dialogs = services_.files;
    if (!dialogs) {
        fileDialog_ = std::make_unique<BLCommDialog>(this);
        dialogs = fileDialog_.get();
    }
    schemeFiles_ = std::make_unique<SchemeFiles>(*panel_, *services_.messages, *dialogs);
    export_ = std::make_unique<ResultExport>(*panel_, *services_.messages, *dialogs);
    const PageServices pageServices{services_.messages, services_.clipboard, dialogs};

    backtest_ = new PageBacktest(*panel_, pageServices, client_);
    history_ = new KeptHistory(this);
    backtest_->keepDrawsIn(history_);
    trend_ = new PageTrend(history_, *panel_, pageServices, client_);
    pages_->placeAnalysis(backtest_, trend_);
    // The rules: the page that judges them, their kills on page 1, and the
    // walk, which follows every change of the panel while it shows.
    new RulesOnPanel(conditions_, history_, this);
    auto* rules = new PageRules(*panel_, history_, pageServices, client_);
    pages_->placeRules(rules);
    connect(conditions_, &ConditionPanel::rulesChanged, rules, &PageRules::showPanelRules);
    connect(history_, &KeptHistory::historyChanged, rules, &PageRules::showPanelRules);
    connect(conditions_, &ConditionPanel::changed, backtest_->walk(), &WalkPanel::panelChanged);
    trend_->followViewport(clientScroll_->viewport());
    // The chart's 开始缩水 is the result area's.
    connect(trend_, &PageTrend::runRequested, panel_, [this] {
        panel_->filterClicked(0);
        trend_->showResultCount();
    });

    // 生成复式, 记录本期 and the ledger, scored against the kept history; what
    // a read of the play record finds is told as the start's findings are.
    play_ = new PlayDesk(*panel_, *history_, pageServices, this);
    connect(&play_->records(), &PlayRecords::told, this, &MainWindow::showStartMessage);

    // Each item's control carries its omission figures, and the chart's
    // header shows it ticked however it was ticked.
    omissionMarks_ = new OmissionMarks(history_, this);
    for (int flat = 0; flat < kItemCount; ++flat) {
        const ItemId item = itemAt(flat);
        QAbstractButton* control = conditions_->itemControl(item);
        if (!control) continue;
        omissionMarks_->add(control, item);
        connect(control, &QAbstractButton::toggled, trend_, &PageTrend::panelChanged);
    }
    QPlainTextEdit* sums = client_->findChild<QPlainTextEdit*>(QStringLiteral("txtHKD"));
    omissionMarks_->addSumBox(sums);
    connect(sums, &QPlainTextEdit::textChanged, trend_, &PageTrend::panelChanged);
    // In the title row of 定位杀, free but for its title.
    omissionMarks_->placeRange(pages_->page(1), QPoint(150, 105));
}

void MainWindow::buildFileMenu() {
    // A menu bar would make the window taller than a laptop screen; the
    // strip's row has room for one menu button, from just after the strip
    // and the tab "走势图" to the right edge of the result area.
    auto* fileMenuButton = new QToolButton(client_);
    fileMenuButton->setObjectName(QStringLiteral("fileMenuButton"));
    fileMenuButton->setText(ui::qs("文件"));
    const QRect strip = tabStrip_->geometry().united(tabStrip_->trendTab()->geometry());
    const int left = strip.right() + 4;
    fileMenuButton->setGeometry(left, strip.top(), resultArea_->geometry().right() + 1 - left,
                                tabStrip_->backtestTab()->height());
    fileMenuButton->setPopupMode(QToolButton::InstantPopup);
    auto* fileMenu = new QMenu(fileMenuButton);
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    fileMenuButton->setMenu(fileMenu);

    saveSchemeAction_ = addMenuAction(fileMenu, "保存方案", "saveSchemeAction");
    QAction* loadSchemeAction = addMenuAction(fileMenu, "载入方案", "loadSchemeAction");
    QAction* exportFileAction = addMenuAction(fileMenu, "导出到文件", "exportFileAction");
    QAction* backtestAction = addMenuAction(fileMenu, "历史验证", "backtestAction");
    showOmissionAction_ = addMenuAction(fileMenu, "显示遗漏", "showOmissionAction");
    showOmissionAction_->setCheckable(true);
    QAction* groupsAction = addMenuAction(fileMenu, "分组容错…", "groupsAction");
    QAction* statsAction = addMenuAction(fileMenu, "结果统计…", "resultStatsAction");
    QAction* stackAction = addMenuAction(fileMenu, "方案叠加…", "stackAction");
    saveSchemeAction_->setShortcut(QKeySequence::Save);
    loadSchemeAction->setShortcut(QKeySequence::Open);
    // The shortcuts work while the menu is closed.
    addActions({saveSchemeAction_, loadSchemeAction});
    connect(saveSchemeAction_, &QAction::triggered, this, [this] { schemeFiles_->saveScheme(); });
    connect(loadSchemeAction, &QAction::triggered, this, [this] { schemeFiles_->loadScheme(); });
    connect(exportFileAction, &QAction::triggered, this, [this] { export_->exportResults(); });
    connect(backtestAction, &QAction::triggered, pages_, &WindowPages::showBacktestPage);
    connect(showOmissionAction_, &QAction::toggled, omissionMarks_, &OmissionMarks::setShown);
    connect(groupsAction, &QAction::triggered, this, [this] { panel_->editToleranceGroups(); });
    connect(statsAction, &QAction::triggered, this, &MainWindow::showResultStatistics);
    connect(stackAction, &QAction::triggered, this, &MainWindow::showStacking);

    fileMenu->addSeparator();
    QAction* undoAction = addMenuAction(fileMenu, "撤销", "undoAction");
    QAction* redoAction = addMenuAction(fileMenu, "重做", "redoAction");
    QAction* resultToBaseAction = addMenuAction(fileMenu, "结果转为大底", "resultToBaseAction");
    QAction* restoreAction = addMenuAction(fileMenu, "恢复上次的条件", "restoreLastPanelAction");
    QAction* earlierAction = addMenuAction(fileMenu, "恢复更早的条件", "restoreEarlierPanelAction");
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // A text box that has the focus keeps these keys for its own typing.
    addActions({undoAction, redoAction});
    connect(resultToBaseAction, &QAction::triggered, rounds_, [this] { rounds_->resultToBase(); });
    rounds_->showOn(undoAction, redoAction, restoreAction, earlierAction);

    // What the player buys and keeps of the result: also on the result
    // list's context menu, where the result stands.
    fileMenu->addSeparator();
    QAction* ticketsAction = addMenuAction(fileMenu, "生成复式…", "ticketsAction");
    QAction* recordAction = addMenuAction(fileMenu, "记录本期…", "recordAction");
    QAction* ledgerAction = addMenuAction(fileMenu, "投注记录…", "ledgerAction");
    connect(ticketsAction, &QAction::triggered, play_, &PlayDesk::showTickets);
    connect(recordAction, &QAction::triggered, play_, &PlayDesk::recordResult);
    connect(ledgerAction, &QAction::triggered, play_, &PlayDesk::showLedger);
    resultArea_->list()->setContextMenuPolicy(Qt::ActionsContextMenu);
    resultArea_->list()->addActions({ticketsAction, recordAction, ledgerAction});
}

void MainWindow::keepHistoryIn(const QString& path, const QString& folderError) {
    QString message = history_->keepIn(path);
    if (path.isEmpty() && !folderError.isEmpty())
        message = ui::qs("开奖历史只保留到关闭程序，无法保存：") + folderError;
    showStartMessage(message);
}

void MainWindow::keepPanelIn(const DataFolder& folder) {
    showStartMessage(rounds_->keepPanelIn(folder));
    if (folder.ok) showStartMessage(pages_->rulesPage()->keepOwnRulesIn(ownRulesPath(folder)));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    showStartMessage({});
}

void MainWindow::closeEvent(QCloseEvent* event) {
    backtest_->draws()->commitTyped();  // a draw typed just before closing is kept
    rounds_->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::showStartMessage(const QString& text) {
    // What the start found (the kept history, the kept panel) is told in
    // one box once the window stands, never from before it is shown.
    if (!text.isEmpty())
        pendingMessage_ = pendingMessage_.isEmpty() ? text : pendingMessage_ + QStringLiteral("\n\n") + text;
    if (isVisible() && !pendingMessage_.isEmpty())
        QTimer::singleShot(0, this, &MainWindow::showPendingMessage);
}

void MainWindow::showPendingMessage() {
    if (pendingMessage_.isEmpty()) return;
    const std::string text = pendingMessage_.toStdString();
    pendingMessage_.clear();
    services_.messages->show(Message{kProductName, text, MessageIcon::Exclamation, MessageButtons::Ok});
}

void MainWindow::showResultStatistics() {
    SetStatsDialog dialog(panel_->results(), *services_.clipboard, *services_.messages, this);
    dialog.setObjectName(QStringLiteral("resultStatsDialog"));
    dialog.exec();
}

void MainWindow::showStacking() {
    FileDialogs* dialogs = services_.files ? services_.files : fileDialog_.get();
    StackDialog dialog(*panel_, *dialogs, *services_.messages, this);
    dialog.setObjectName(QStringLiteral("stackDialog"));
    dialog.exec();
}

void MainWindow::fitIn(const QRect& area) {
    if (area.isEmpty()) return;
    const QSize room = area.size().shrunkBy(frameMarginsOf(this));
    // Scrolling one way takes a scroll bar's breadth from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, clientScroll_);
    QSize size = client_->size();
    if (const QWidget* menu = menuWidget()) size.rheight() += menu->sizeHint().height();
    bool across = size.width() > room.width(), down = size.height() > room.height();
    if (down) size.rwidth() += bar;
    if (!across && size.width() > room.width()) across = true;
    if (across) size.rheight() += bar;
    if (!down && size.height() > room.height()) size.rwidth() += bar;
    // Not smaller than a window that still shows some of each page.
    setFixedSize(size.boundedTo(room).expandedTo(QSize(320, 240)));
    centreIn(this, area);
}

}  // namespace numsift
