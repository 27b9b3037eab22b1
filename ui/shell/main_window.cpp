#include "ui/shell/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>

#include "conditions/run_order.h"
#include "controls/entry_box.h"
#include "controls/select_button.h"
#include "ui/conditions/frame_banker.h"
#include "ui/conditions/frame_class_pattern.h"
#include "ui/conditions/frame_positional_kill.h"
#include "ui/conditions/frame_ratio_ac.h"
#include "ui/conditions/frame_special_shapes.h"
#include "ui/conditions/frame_sum_span.h"
#include "ui/conditions/page_compound.h"
#include "ui/conditions/page_conditions.h"
#include "ui/conditions/page_road.h"
#include "ui/shell/qt_platform.h"
#include "ui/results/result_area.h"
#include "ui/sets/set_pages.h"
#include "ui/shell/tab_strip.h"
#include "ui/shell/widget_kit.h"
#include "ui/shell/window_placement.h"
#include "ui/shell/window_texts.h"

namespace numsift {

namespace {

// Design values of the window's areas (twips).
const QRect kStripRect = ui::pxRect(60, 60, 14175, 405);
constexpr int kPageLeft = 30, kPageGap = 90;
constexpr int kPageWidth = 11955, kPageHeight = 9315;
constexpr int kJoinPageWidth = 15045, kJoinPageHeight = 10245;
const QRect kSpecialRect = ui::pxRect(150, 9900, 11775, 735);
constexpr int kWindowWidth = 1056, kWindowHeight = 724;
constexpr int kHoverIntervalMs = 1;

bool strictlyInside(const QWidget* w, const QPoint& global) {
    const QPoint tl = w->mapToGlobal(QPoint(0, 0));
    return global.x() > tl.x() && global.x() < tl.x() + w->width() && global.y() > tl.y() &&
           global.y() < tl.y() + w->height();
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
    buildWindow();
    // Pages 0 and 3 and the kill list's paste and import.
    SetPages::install(*this);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow() {
    // The client keeps the design size; the scroll area around it shows
    // scroll bars only when the window is made smaller (fitIn).
    clientScroll_ = new QScrollArea(this);
    clientScroll_->setObjectName(QStringLiteral("frmFilterScroll"));
    clientScroll_->setFrameShape(QFrame::NoFrame);
    // A click on a control that takes no focus (a page button, a label)
    // must leave the focus where it is; a scroll area would take it.
    clientScroll_->setFocusPolicy(Qt::NoFocus);
    central_ = new QWidget;
    central_->setObjectName(QStringLiteral("frmFilterClient"));
    central_->setFixedSize(kWindowWidth, kWindowHeight);
    clientScroll_->setWidget(central_);
    setCentralWidget(clientScroll_);
    setFixedSize(kWindowWidth, kWindowHeight);

    tabStrip_ = new TabStrip(central_);
    tabStrip_->setGeometry(kStripRect);
    connect(tabStrip_, &TabStrip::tabClicked, this, &MainWindow::selectTab);

    MessageSink* messages = services_.messages;
    // The pages; the 012 page makes its 242 added boxes as it is built.
    auto* base = new QFrame(central_);
    base->setObjectName(ui::memberName("fraTab", 0));
    conditions_ = new PageConditions(messages, central_);
    road_ = new PageRoad(central_);
    auto* join = new QFrame(central_);
    join->setObjectName(ui::memberName("fraTab", 3));
    compound_ = new PageCompound(messages, central_);
    QWidget* pages[kPageCount] = {base, conditions_, road_, join, compound_};
    for (int i = 0; i < kPageCount; ++i) placePage(pages[i], i);

    shapes_ = new FrameSpecialShapes(messages, central_);
    shapes_->setGeometry(kSpecialRect);

    resultArea_ = new ResultArea(*services_.clipboard, *messages, central_);
    resultArea_->setCommitHook([this] { return commitFocusedEntry(); });
    for (int i = 0; i < 5; ++i)
        connect(resultArea_->filterButton(i), &QPushButton::clicked, this, [this, i] { filterClicked(i); });

    tmrButtonMouse_ = new QTimer(this);
    tmrButtonMouse_->setObjectName(QStringLiteral("tmrButtonMouse"));
    tmrButtonMouse_->setInterval(kHoverIntervalMs);
    connect(tmrButtonMouse_, &QTimer::timeout, this, [this] { hoverTick(QCursor::pos()); });
    conditions_->banker()->helpButton()->installEventFilter(this);
    shapes_->helpButton()->installEventFilter(this);

    // An empty result area, then page 1 in front with its tab selected.
    resultArea_->state().refresh(0, true);
    tabStrip_->raise();
    selectTab(1);
}

void MainWindow::placePage(QWidget* page, int index) {
    page->setParent(central_);
    const bool join = index == 3;
    page->setGeometry(ui::px(kPageLeft), kStripRect.y() + kStripRect.height() + ui::px(kPageGap),
                      ui::px(join ? kJoinPageWidth : kPageWidth),
                      ui::px(join ? kJoinPageHeight : kPageHeight));
    page->setAutoFillBackground(true);
    pages_[index] = page;
}

void MainWindow::installPage(int index, QWidget* page) {
    if ((index != 0 && index != 3) || !page || page == pages_[index]) return;
    QWidget* old = pages_[index];
    const bool front = old && old->isVisible();
    if (page->objectName().isEmpty()) page->setObjectName(ui::memberName("fraTab", index));
    placePage(page, index);
    if (old) old->deleteLater();
    if (old) old->setObjectName(QString());
    page->setVisible(front);
    if (front) page->raise();
    if (index == 3 && front) page->raise();
}

EntryBox* MainWindow::straightKillBox() const { return conditions_->straightKillBox(); }

QPushButton* MainWindow::straightKillImportButton() const { return conditions_->importButton(); }

void MainWindow::bringToFront(int pageIndex) {
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

    auto run = std::make_unique<RunResult>(runFilter(filterInput(), store_.base(), t.tolerance));
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
    if (baseClearHook_) baseClearHook_();
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

void MainWindow::hoverTick(const QPoint& globalCursor) {
    SelectButton* danHelp = conditions_->banker()->helpButton();
    SelectButton* exHelp = shapes_->helpButton();
    const bool inDan = danHelp->isVisible() && strictlyInside(danHelp, globalCursor);
    const bool inEx = exHelp->isVisible() && strictlyInside(exHelp, globalCursor);
    danHelp->setFaceColour(inDan ? ui::kHelpHot : ui::kHelpIdle);
    const QColor exWanted = inEx ? ui::kHelpHot : ui::kHelpIdle;
    if (exHelp->faceColour() != exWanted) exHelp->setFaceColour(exWanted);
    if (!inDan && !inEx) tmrButtonMouse_->stop();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) &&
        (watched == conditions_->banker()->helpButton() || watched == shapes_->helpButton())) {
        if (!tmrButtonMouse_->isActive()) tmrButtonMouse_->start();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::fitIn(const QRect& area) {
    if (area.isEmpty()) return;
    const QSize room = area.size().shrunkBy(frameMarginsOf(this));
    // Scrolling one way takes a scroll bar's breadth from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, clientScroll_);
    QSize size = central_->size();
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
