#include "ui/shell/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "conditions/run_order.h"
#include "controls/entry_box.h"
#include "controls/select_button.h"
#include "ui/analysis/kept_history.h"
#include "results/result_copy.h"
#include "ui/analysis/page_backtest.h"
#include "ui/analysis/page_trend.h"
#include "ui/analysis/trend_chart.h"
#include "ui/conditions/frame_banker.h"
#include "ui/conditions/frame_class_pattern.h"
#include "ui/conditions/frame_positional_kill.h"
#include "ui/conditions/frame_ratio_ac.h"
#include "ui/conditions/frame_special_shapes.h"
#include "ui/conditions/frame_sum_span.h"
#include "ui/conditions/group_editor.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/conditions/omission_marks.h"
#include "ui/conditions/page_compound.h"
#include "ui/conditions/page_conditions.h"
#include "ui/conditions/page_road.h"
#include "ui/results/result_area.h"
#include "ui/results/set_stats_dialog.h"
#include "ui/results/stack_dialog.h"
#include "ui/sets/page_base.h"
#include "ui/sets/box_text.h"
#include "ui/sets/number_box.h"
#include "ui/sets/page_join.h"
#include "ui/sets/set_services.h"
#include "ui/shell/bl_comm_dialog.h"
#include "ui/shell/panel_keeper.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/scheme_files.h"
#include "ui/shell/tab_strip.h"
#include "ui/shell/widget_kit.h"
#include "ui/shell/window_layout.h"
#include "ui/shell/window_placement.h"
#include "ui/shell/window_texts.h"

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

    buildClientArea();
    buildConditionPages();
    buildSetPages();
    buildBacktestPage();
    buildTrendPage();
    buildFileMenu();

    // An empty result area, then page 1 in front with its tab selected.
    resultArea_->state().refresh(0, true);
    selectTab(1);
    buildPanelKeeping();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildClientArea() {
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
    connect(tabStrip_, &TabStrip::tabClicked, this, &MainWindow::selectTab);
    connect(tabStrip_, &TabStrip::backtestTabClicked, this, &MainWindow::showBacktestPage);
    connect(tabStrip_, &TabStrip::trendTabClicked, this, &MainWindow::showTrendPage);
}

void MainWindow::buildConditionPages() {
    MessageSink* messages = services_.messages;
    // Pages 1, 2 and 4; the 012 page makes its 242 added boxes as it is built.
    conditions_ = new PageConditions(messages, client_);
    placePage(conditions_, 1);
    road_ = new PageRoad(client_);
    placePage(road_, 2);
    compound_ = new PageCompound(messages, client_);
    placePage(compound_, 4);

    shapes_ = new FrameSpecialShapes(messages, client_);
    shapes_->setGeometry(ui::layout::kSpecialShapes);

    resultArea_ = new ResultArea(*services_.clipboard, *messages, client_);
    resultArea_->setCommitHook([this] { return commitFocusedEntry(); });
    for (int i = 0; i < 5; ++i)
        connect(resultArea_->filterButton(i), &QPushButton::clicked, this, [this, i] { filterClicked(i); });
    connect(resultArea_->groupButton(), &QPushButton::clicked, this, [this] { editToleranceGroups(); });
}

void MainWindow::buildSetPages() {
    SetServices services;
    services.messages = services_.messages;
    services.clipboard = services_.clipboard;
    services.dialogs = services_.files;
    if (!services.dialogs) {
        setDialog_ = std::make_unique<BLCommDialog>(this);
        services.dialogs = setDialog_.get();
    }
    services.readFile = textFileReader();
    base_ = new PageBase(&store_, services, client_);
    placePage(base_, 0);
    join_ = new PageJoin(&store_, services, client_);
    placePage(join_, 3);
    killList_ = new KillListBinding(conditions_->straightKillBox(), conditions_->importButton(), &store_,
                                    services, this);
}

void MainWindow::buildBacktestPage() {
    FileDialogs* dialogs = services_.files;
    if (!dialogs) {
        fileDialog_ = std::make_unique<BLCommDialog>(this);
        dialogs = fileDialog_.get();
    }
    schemeFiles_ = std::make_unique<SchemeFiles>(*this, *services_.messages, *dialogs);

    // The page reads the panel as a run would and changes none of it.
    PanelAccess access;
    access.commitFocus = [this] { return commitFocusedEntry(); };
    access.filterInput = [this] { return filterInput(); };
    access.base = [this] { return store_.base(); };
    access.tolerance = [this] {
        return normaliseTolerance(toleranceText(0).toStdString(), toleranceText(1).toStdString()).tolerance;
    };
    access.groups = [this] { return groups_; };
    backtest_ = new PageBacktest(std::move(access),
                                 PageServices{services_.messages, services_.clipboard, dialogs}, client_);
    backtest_->setGeometry(QRect(ui::layout::kPageOrigin, ui::layout::kPageSize));
    backtest_->setAutoFillBackground(true);
    backtest_->hide();
    history_ = new KeptHistory(this);
    backtest_->keepDrawsIn(history_);
}

void MainWindow::buildTrendPage() {
    trend_ = new PageTrend(history_, client_);
    trend_->setGeometry(QRect(ui::layout::kPageOrigin, ui::layout::kJoinPageSize));
    trend_->setAutoFillBackground(true);
    trend_->hide();

    // The chart's digit cells are the kills of 定位杀, 通杀码, 杀和尾 and 杀跨度:
    // a click on a header or summary cell ticks or unticks the box, and the
    // header shows what is ticked however it was ticked.
    TrendChart* chart = trend_->chart();
    chart->setTickedCheck([this](ItemId item) {
        const QAbstractButton* box = itemControl(item);
        return box && box->isChecked();
    });
    connect(chart, &TrendChart::cellClicked, this, [this](ItemId item) {
        if (QAbstractButton* box = itemControl(item)) box->click();
    });
    for (int cell = 0; cell < kTrendCellCount; ++cell)
        connect(itemControl(trendCellItem(cell)), &QAbstractButton::toggled, chart,
                &TrendChart::ticksChanged);

    omissionMarks_ = new OmissionMarks(history_, this);
    for (int flat = 0; flat < kItemCount; ++flat) {
        const ItemId item = itemAt(flat);
        if (QAbstractButton* control = itemControl(item)) omissionMarks_->add(control, item);
    }
}

QAbstractButton* MainWindow::itemControl(ItemId item) const {
    if (flatIndex(item) < 0) return nullptr;
    const int i = item.index;
    switch (item.family) {
        case ItemFamily::Position: return conditions_->positionalKill()->box(i / 10, i % 10);
        case ItemFamily::Digit: return conditions_->sumSpan()->box(20 + i);
        case ItemFamily::SumTail: return conditions_->sumSpan()->box(i);
        case ItemFamily::Span: return conditions_->sumSpan()->box(10 + i);
        case ItemFamily::BigSmall: return conditions_->classPattern(0)->box(i);
        case ItemFamily::OddEven: return conditions_->classPattern(1)->box(i);
        case ItemFamily::PrimeComposite: return conditions_->classPattern(2)->box(i);
        case ItemFamily::Road: return road_->box(i);
        case ItemFamily::Shape: return shapes_->box(i);
        case ItemFamily::BigSmallRatio: return conditions_->ratioAc()->button(i);
        case ItemFamily::OddEvenRatio: return conditions_->ratioAc()->button(6 + i);
        case ItemFamily::PrimeCompositeRatio: return conditions_->ratioAc()->button(12 + i);
        case ItemFamily::Ac: return conditions_->ratioAc()->button(18 + i);
        case ItemFamily::Sum:
        case ItemFamily::TwoCode: return nullptr;
    }
    return nullptr;
}

void MainWindow::keepHistoryIn(const QString& path, const QString& folderError) {
    QString message = history_->keepIn(path);
    if (path.isEmpty() && !folderError.isEmpty())
        message = ui::qs("开奖历史只保留到关闭程序，无法保存：") + folderError;
    showStartMessage(message);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    showStartMessage({});
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

void MainWindow::buildFileMenu() {
    // A menu bar would make the window taller than a laptop screen; the
    // strip's row has room for one menu button, from just after the strip
    // and the tab "走势图" to the right edge of the result area.
    fileMenuButton_ = new QToolButton(client_);
    fileMenuButton_->setObjectName(QStringLiteral("fileMenuButton"));
    fileMenuButton_->setText(ui::qs("文件"));
    const QRect strip = tabStrip_->geometry().united(tabStrip_->trendTab()->geometry());
    const int left = strip.right() + 4;
    fileMenuButton_->setGeometry(left, strip.top(), resultArea_->geometry().right() + 1 - left,
                                 tabStrip_->backtestTab()->height());
    fileMenuButton_->setPopupMode(QToolButton::InstantPopup);
    fileMenu_ = new QMenu(fileMenuButton_);
    fileMenu_->setObjectName(QStringLiteral("fileMenu"));
    fileMenuButton_->setMenu(fileMenu_);

    saveSchemeAction_ = addMenuAction(fileMenu_, "保存方案", "saveSchemeAction");
    QAction* loadSchemeAction = addMenuAction(fileMenu_, "载入方案", "loadSchemeAction");
    QAction* exportFileAction = addMenuAction(fileMenu_, "导出到文件", "exportFileAction");
    QAction* backtestAction = addMenuAction(fileMenu_, "历史验证", "backtestAction");
    showOmissionAction_ = addMenuAction(fileMenu_, "显示遗漏", "showOmissionAction");
    showOmissionAction_->setCheckable(true);
    QAction* groupsAction = addMenuAction(fileMenu_, "分组容错…", "groupsAction");
    connect(groupsAction, &QAction::triggered, this, [this] { editToleranceGroups(); });
    QAction* statsAction = addMenuAction(fileMenu_, "结果统计…", "resultStatsAction");
    connect(statsAction, &QAction::triggered, this, &MainWindow::showResultStatistics);
    QAction* stackAction = addMenuAction(fileMenu_, "方案叠加…", "stackAction");
    connect(stackAction, &QAction::triggered, this, &MainWindow::showStacking);
    saveSchemeAction_->setShortcut(QKeySequence::Save);
    loadSchemeAction->setShortcut(QKeySequence::Open);
    // The shortcuts work while the menu is closed.
    addActions({saveSchemeAction_, loadSchemeAction});
    connect(saveSchemeAction_, &QAction::triggered, this, [this] { schemeFiles_->saveScheme(); });
    connect(loadSchemeAction, &QAction::triggered, this, [this] { schemeFiles_->loadScheme(); });
    connect(exportFileAction, &QAction::triggered, this, [this] { schemeFiles_->exportResults(); });
    connect(backtestAction, &QAction::triggered, this, &MainWindow::showBacktestPage);
    connect(showOmissionAction_, &QAction::toggled, omissionMarks_, &OmissionMarks::setShown);

    fileMenu_->addSeparator();
    undoAction_ = addMenuAction(fileMenu_, "撤销", "undoAction");
    QAction* resultToBaseAction = addMenuAction(fileMenu_, "结果转为大底", "resultToBaseAction");
    restoreAction_ = addMenuAction(fileMenu_, "恢复上次的条件", "restoreLastPanelAction");
    undoAction_->setShortcut(QKeySequence::Undo);
    // A text box that has the focus undoes its own typing first.
    addAction(undoAction_);
    connect(undoAction_, &QAction::triggered, this, [this] { undo(); });
    connect(resultToBaseAction, &QAction::triggered, this, [this] { resultToBase(); });
    connect(restoreAction_, &QAction::triggered, this, [this] { restoreLastPanel(); });
}

void MainWindow::buildPanelKeeping() {
    undo_ = std::make_unique<PanelUndo>();
    showUndoState();
    restoreAction_->setEnabled(false);

    // Right of the result count, which needs a few digits' room: a short
    // line that offers the kept panel back or says why it is not kept.
    keptPanelNote_ = new QLabel(resultArea_);
    keptPanelNote_->setObjectName(QStringLiteral("keptPanelNote"));
    keptPanelNote_->setGeometry(118, 4, 129, 18);
    keptPanelNote_->setTextFormat(Qt::RichText);
    keptPanelNote_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    keptPanelNote_->hide();
    connect(keptPanelNote_, &QLabel::linkActivated, this, [this] { restoreLastPanel(); });
}

void MainWindow::keepPanelIn(const DataFolder& folder) {
    if (keeper_) return;
    if (!folder.ok) {
        if (!folder.error.isEmpty())
            showStartMessage(folder.error + QStringLiteral("。本次的条件不会保存。"));
        return;
    }
    // Typing a check has not accepted yet may not load as a scheme.
    auto editing = [this] {
        const QList<EntryBox*> boxes = findChildren<EntryBox*>();
        return std::any_of(boxes.begin(), boxes.end(),
                           [](const EntryBox* b) { return b->hasUncheckedEdit(); });
    };
    keeper_ = new PanelKeeper(
        keptPanelPath(folder), [this] { return panelState(); }, editing, this);
    showStartMessage(keeper_->startMessage());
    connect(keeper_, &PanelKeeper::saveProblem, this, [this](const QString& error) {
        keptPanelNote_->setText(QStringLiteral("<span style=\"color:#ff0000\">条件未能自动保存</span>"));
        keptPanelNote_->setToolTip(error);
        keptPanelNote_->setVisible(!error.isEmpty());
    });
    if (keeper_->previous()) {
        restoreAction_->setEnabled(true);
        keptPanelNote_->setText(QStringLiteral("可<a href=\"restore\">恢复上次的条件</a>"));
        keptPanelNote_->setToolTip(
            QStringLiteral("上次关闭时的条件、容错、大底号码和交集功能的A、B号码已保存，单击即可恢复"));
        keptPanelNote_->show();
    }

    // Every control whose state a run reads, and the sets A and B.
    auto watch = [this](QWidget* root) {
        for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
            connect(b, &QAbstractButton::clicked, this, &MainWindow::panelChanged);
            connect(b, &QAbstractButton::toggled, this, &MainWindow::panelChanged);
        }
        for (QPlainTextEdit* e : root->findChildren<QPlainTextEdit*>())
            connect(e, &QPlainTextEdit::textChanged, this, &MainWindow::panelChanged);
        for (QLineEdit* e : root->findChildren<QLineEdit*>())
            connect(e, &QLineEdit::textChanged, this, &MainWindow::panelChanged);
    };
    for (QWidget* page : pages_) watch(page);
    watch(shapes_);
    for (int i = 0; i < 2; ++i)
        connect(resultArea_->toleranceBox(i), &QLineEdit::textChanged, this, &MainWindow::panelChanged);
}

void MainWindow::panelChanged() {
    if (keeper_) keeper_->changed();
}

void MainWindow::showUndoState() {
    const QString next = undo_->nextAction();
    undoAction_->setText(next.isEmpty() ? ui::qs("撤销") : ui::qs("撤销 ") + next);
    undoAction_->setEnabled(!next.isEmpty());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (keeper_) keeper_->flush();
    QMainWindow::closeEvent(event);
}

Scheme MainWindow::panelScheme() const {
    Scheme s;
    s.input = filterInput();
    s.tolerance =
        normaliseTolerance(toleranceText(0).toStdString(), toleranceText(1).toStdString()).tolerance;
    s.groups = groups_;
    return s;
}

void MainWindow::applyPanelScheme(const Scheme& scheme) {
    setFilterInput(scheme.input);
    setToleranceTexts(QString::number(scheme.tolerance.lower), QString::number(scheme.tolerance.upper));
    setToleranceGroups(scheme.groups);
}

KeptPanel MainWindow::panelState() const {
    KeptPanel p;
    p.scheme = panelScheme();
    p.base = store_.base();
    p.setA = store_.intersection(0);
    p.setB = store_.intersection(1);
    return p;
}

void MainWindow::applyPanelState(const KeptPanel& panel, PanelParts parts) {
    applyPanelScheme(panel.scheme);
    if (parts == PanelParts::Conditions) return;
    const std::string base = formatNumbers(panel.base.values, kBaseLineWidth);
    if (store_.base() != panel.base || ui::engineText(base_->txtBase()->entryText()) != base)
        base_->setBaseText(base);
    if (parts == PanelParts::ConditionsAndBase) return;
    // Filling A or B makes it the current side; the side stays as it was.
    const int side = store_.currentSide();
    const NumberSet* sets[2] = {&panel.setA, &panel.setB};
    for (int i = 0; i < 2; ++i) {
        const std::string text = formatNumbers(sets[i]->values, kListLineWidth);
        if (store_.intersection(i) != *sets[i] || ui::engineText(join_->txtJoin(i)->entryText()) != text)
            join_->setSideText(i, text);
    }
    store_.setCurrentSide(side);
}

bool MainWindow::resultToBase() {
    const std::vector<std::uint32_t>& values = results();
    if (values.empty()) {
        services_.messages->show(
            Message{kProductName, kNoResultMessage, MessageIcon::Information, MessageButtons::Ok});
        return false;
    }
    rememberForUndo("结果转为大底", PanelParts::ConditionsAndBase);
    base_->setBaseText(formatNumbers(values, kBaseLineWidth));
    return true;
}

void MainWindow::rememberForUndo(const char* action, PanelParts parts) {
    undo_->push(PanelUndo::Step{ui::qs(action), parts, panelState(), {toleranceText(0), toleranceText(1)}});
    showUndoState();
}

bool MainWindow::undo() {
    if (undo_->empty()) return false;
    const PanelUndo::Step step = undo_->pop();
    applyPanelState(step.panel, step.parts);
    setToleranceTexts(step.toleranceTexts[0], step.toleranceTexts[1]);
    showUndoState();
    return true;
}

bool MainWindow::restoreLastPanel() {
    if (!keeper_ || !keeper_->previous()) return false;
    rememberForUndo("恢复上次的条件", PanelParts::All);
    applyPanelState(*keeper_->previous(), PanelParts::All);
    keptPanelNote_->hide();
    return true;
}

void MainWindow::placePage(QWidget* page, int index) {
    const QSize size = index == 3 ? ui::layout::kJoinPageSize : ui::layout::kPageSize;
    page->setGeometry(QRect(ui::layout::kPageOrigin, size));
    page->setAutoFillBackground(true);
    pages_[index] = page;
}

EntryBox* MainWindow::straightKillBox() const { return conditions_->straightKillBox(); }

QPushButton* MainWindow::straightKillImportButton() const { return conditions_->importButton(); }

void MainWindow::bringToFront(int pageIndex) {
    backtest_->hide();
    trend_->hide();
    for (int i = 0; i < kPageCount; ++i) {
        if (i == pageIndex) continue;
        if (i != 3) pages_[i]->hide();
    }
    pages_[pageIndex]->show();
    pages_[pageIndex]->raise();
}

void MainWindow::selectTab(int index) {
    if (index < 0 || index >= TabStrip::kTabCount) return;
    tabStrip_->select(index);
    currentTab_ = index;
    if (index < 4) {
        bringToFront(index);
    } else {
        bringToFront(4);
        composeMode_ = index - 4;
        compound_->setComposeMode(composeMode_);
    }
    if (index == 3) {
        pages_[3]->show();
        pages_[3]->raise();
        resultArea_->hide();
    } else {
        pages_[3]->hide();
        resultArea_->show();
    }
    tabStrip_->raise();
    tabStrip_->trendTab()->raise();
}

void MainWindow::showBacktestPage() {
    tabStrip_->selectBacktest();
    for (QWidget* page : pages_) page->hide();
    trend_->hide();
    resultArea_->show();
    backtest_->show();
    backtest_->raise();
    tabStrip_->raise();
    tabStrip_->trendTab()->raise();
}

void MainWindow::showTrendPage() {
    tabStrip_->selectTrend();
    for (QWidget* page : pages_) page->hide();
    backtest_->hide();
    resultArea_->hide();
    trend_->show();
    trend_->raise();
    tabStrip_->raise();
    tabStrip_->trendTab()->raise();
}

FilterInput MainWindow::filterInput() const {
    FilterInput in;
    conditions_->readInto(in);
    in.roadKill = road_->ticked();
    in.shapeKill = shapes_->ticked();
    compound_->readInto(in);
    return in;
}

void MainWindow::setFilterInput(const FilterInput& input) {
    conditions_->applyFrom(input);
    road_->setTicked(input.roadKill);
    shapes_->setTicked(input.shapeKill);
    compound_->applyFrom(input);
}

QString MainWindow::toleranceText(int index) const {
    return resultArea_->toleranceBox(index ? 1 : 0)->text();
}

void MainWindow::setToleranceTexts(const QString& lower, const QString& upper) {
    resultArea_->toleranceBox(0)->setText(lower.left(2));
    resultArea_->toleranceBox(1)->setText(upper.left(2));
}

void MainWindow::setToleranceGroups(std::vector<ToleranceGroup> groups) {
    groups_ = std::move(groups);
    QPushButton* button = resultArea_->groupButton();
    button->setText(groups_.empty() ? ui::qs("分组") : ui::qs("分组%1").arg(groups_.size()));
    QString tip = ui::qs("分组容错：给一些条件设自己的容错");
    for (const ToleranceGroup& g : groups_)
        tip +=
            ui::qs("\n%1：%2-%3").arg(ui::qs(g.name)).arg(int(g.tolerance.lower)).arg(int(g.tolerance.upper));
    button->setToolTip(tip);
    panelChanged();
}

GroupedTolerance MainWindow::grouping() const {
    return GroupedTolerance(
        normaliseTolerance(toleranceText(0).toStdString(), toleranceText(1).toStdString()).tolerance,
        groups_);
}

std::vector<ColumnId> MainWindow::panelColumns() const {
    // One candidate is enough: the columns depend on the panel, not on the rows.
    const NumberSet one{{0}};
    const RunResult run = runFilter(filterInput(), one, Tolerance{});
    std::vector<ColumnId> columns;
    for (const CheckColumn& c : run.matrix.columns())
        if (c.id) columns.push_back(*c.id);
    return columns;
}

bool MainWindow::editToleranceGroups() {
    if (!commitFocusedEntry()) return false;
    GroupEditor editor(groups_, panelColumns(), *services_.messages, this);
    editor.setObjectName(QStringLiteral("groupEditor"));
    if (editor.exec() != QDialog::Accepted) return false;
    setToleranceGroups(editor.groups());
    return true;
}

void MainWindow::showResultStatistics() {
    SetStatsDialog dialog(results(), *services_.clipboard, *services_.messages, this);
    dialog.setObjectName(QStringLiteral("resultStatsDialog"));
    dialog.exec();
}

Scheme MainWindow::currentScheme() const { return panelScheme(); }

void MainWindow::showStacking() {
    StackAccess access;
    access.commitFocus = [this] { return commitFocusedEntry(); };
    access.currentScheme = [this] { return currentScheme(); };
    access.base = [this] { return store_.base(); };
    access.showResult = [this](std::vector<std::uint32_t> numbers) {
        resultArea_->state().showRunResult(std::move(numbers));
    };
    StackDialog dialog(std::move(access), schemeFiles_->fileDialogs(), *services_.messages, this);
    dialog.setObjectName(QStringLiteral("stackDialog"));
    dialog.exec();
}

bool MainWindow::commitFocusedEntry() {
    if (!checkFocusedEntry(this)) return false;
    // A box can hold an unchecked edit without the focus: a click while the
    // window was not active (after a message box, with no window manager to
    // activate it again) moves the focus without a focus-out. Check those
    // boxes now; a refused one takes the focus back.
    for (EntryBox* box : findChildren<EntryBox*>()) {
        if (!box->hasUncheckedEdit()) continue;
        if (!box->validate()) {
            box->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

const std::vector<std::uint32_t>& MainWindow::results() const { return resultArea_->state().values(); }

const RunResult* MainWindow::lastRun() const { return lastRun_.get(); }

void MainWindow::startRun() {
    if (!commitFocusedEntry()) return;
    const NormalisedTolerance t =
        normaliseTolerance(toleranceText(0).toStdString(), toleranceText(1).toStdString());
    setToleranceTexts(QString::fromStdString(t.lowerBox), QString::fromStdString(t.upperBox));
    QLabel* status = resultArea_->statusLabel();
    status->setText(ui::qs(ui::texts::kStatusRunning));
    if (status->isVisible()) status->repaint();

    auto run = std::make_unique<RunResult>(
        runFilter(filterInput(), store_.base(), GroupedTolerance(t.tolerance, groups_)));
    std::vector<std::uint32_t> survivors = run->result;
    lastRun_ = std::move(run);
    resultArea_->state().showRunResult(std::move(survivors));
    status->setText(ui::qs(ui::texts::kStatusDone));
}

void MainWindow::clearAllConditions() {
    // Clearing empties the base set too.
    rememberForUndo("清空所有条件", PanelParts::ConditionsAndBase);
    straightKillBox()->clearEntry();
    FrameSumSpan* sums = conditions_->sumSpan();
    for (int i = 0; i < 4; ++i) sums->clearButton(i)->click();
    for (int r = 0; r < 5; ++r) conditions_->positionalKill()->clearButton(r)->click();
    for (int g = 0; g < 10; ++g) conditions_->banker()->clearButton(g)->click();
    for (int r = 0; r < 4; ++r) conditions_->ratioAc()->clearButton(r)->click();
    for (int k = 0; k < 3; ++k) conditions_->classPattern(k)->clearButton()->click();
    road_->clearButton()->click();
    for (int i = 0; i < kShapeCount; ++i) shapes_->box(i)->setChecked(false);
    for (int i = 0; i < 8; ++i) compound_->box(i)->clearEntry();
    base_->cmdBase(0)->click();  // "清空" of the base set
}

void MainWindow::filterClicked(int index) {
    ResultState& state = resultArea_->state();
    // Clearing reads no box; every other action applies the edited one first.
    if (index != 2 && !resultArea_->commitEntries()) return;
    switch (index) {
        case 0: startRun(); break;
        case 1: state.convertToGroupSelection(); break;
        case 2: clearAllConditions(); break;
        case 3: state.copyAll(); break;
        case 4: state.exportAll(*editor_); break;
        default: break;
    }
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
