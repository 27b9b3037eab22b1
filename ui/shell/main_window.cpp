#include "ui/shell/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>

#include "conditions/run_order.h"
#include "controls/entry_box.h"
#include "controls/select_button.h"
#include "ui/analysis/page_backtest.h"
#include "ui/conditions/frame_banker.h"
#include "ui/conditions/frame_class_pattern.h"
#include "ui/conditions/frame_positional_kill.h"
#include "ui/conditions/frame_ratio_ac.h"
#include "ui/conditions/frame_special_shapes.h"
#include "ui/conditions/frame_sum_span.h"
#include "ui/conditions/group_editor.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/conditions/page_compound.h"
#include "ui/conditions/page_conditions.h"
#include "ui/conditions/page_road.h"
#include "ui/results/result_area.h"
#include "ui/results/set_stats_dialog.h"
#include "ui/results/stack_dialog.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"
#include "ui/sets/set_services.h"
#include "ui/shell/bl_comm_dialog.h"
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
    buildFileMenu();

    // An empty result area, then page 1 in front with its tab selected.
    resultArea_->state().refresh(0, true);
    selectTab(1);
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
    connect(tabStrip_, &TabStrip::tabClicked, this, &MainWindow::selectTab);
    connect(tabStrip_, &TabStrip::backtestTabClicked, this, &MainWindow::showBacktestPage);
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
}

void MainWindow::buildFileMenu() {
    // A menu bar would make the window taller than a laptop screen; the
    // strip's row has room for one menu button, from just after the strip
    // to the right edge of the result area.
    fileMenuButton_ = new QToolButton(client_);
    fileMenuButton_->setObjectName(QStringLiteral("fileMenuButton"));
    fileMenuButton_->setText(ui::qs("文件"));
    const QRect strip = tabStrip_->geometry();
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
}

void MainWindow::showBacktestPage() {
    tabStrip_->selectBacktest();
    for (QWidget* page : pages_) page->hide();
    resultArea_->show();
    backtest_->show();
    backtest_->raise();
    tabStrip_->raise();
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

Scheme MainWindow::currentScheme() const {
    Scheme s;
    s.input = filterInput();
    const GroupedTolerance g = grouping();
    s.tolerance = g.rest;
    s.groups = g.groups;
    return s;
}

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
