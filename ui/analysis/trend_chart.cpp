#include "ui/analysis/trend_chart.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <numeric>
#include <utility>

#include "conditions/captions.h"

namespace numsift {

namespace {

constexpr int kSummaryHeight = TrendChart::kSummaryRows * TrendChart::kRowHeight;
constexpr const char* kFigureNames[TrendChart::kSummaryRows] = {"出现次数", "平均遗漏", "最大遗漏",
                                                                "当前遗漏", "最大连出"};

// What a click on an item's cell does, as its tooltip names it.
QString killName(ItemId item) {
    const QString caption = QString::fromStdString(itemCaption(item));
    switch (item.family) {
        case ItemFamily::Position: return QStringLiteral("定位杀 ") + caption;
        case ItemFamily::Digit: return QStringLiteral("通杀码 %1").arg(item.index);
        case ItemFamily::SumTail: return QStringLiteral("杀和尾 %1").arg(item.index);
        case ItemFamily::Span: return QStringLiteral("杀跨度 %1").arg(item.index);
        case ItemFamily::Sum: return QStringLiteral("杀和值 %1").arg(item.index, 2, 10, QLatin1Char('0'));
        case ItemFamily::Ac: return QStringLiteral("杀AC值 %1").arg(item.index + 1);
        case ItemFamily::BigSmallRatio:
        case ItemFamily::OddEvenRatio:
        case ItemFamily::PrimeCompositeRatio: return caption + QStringLiteral("（保留）");
        case ItemFamily::BigSmall: return QStringLiteral("杀大小排列 ") + caption;
        case ItemFamily::OddEven: return QStringLiteral("杀奇偶排列 ") + caption;
        case ItemFamily::PrimeComposite: return QStringLiteral("杀质合排列 ") + caption;
        case ItemFamily::Road: return QStringLiteral("杀012路 ") + caption;
        case ItemFamily::Shape: return QStringLiteral("特别排除 ") + caption;
        default: return caption;
    }
}

}  // namespace

TrendChart::TrendChart(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("trendChart"));
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted: a scroll can move what is there and paint
    // only the strip that came into view.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    verticalScrollBar()->setSingleStep(kRowHeight);
    horizontalScrollBar()->setSingleStep(21);
    for (int c = 0; c < kTrendCellCount; ++c)
        captions_[static_cast<std::size_t>(c)] = QString::fromStdString(trendCellCaption(c));
}

QSize TrendChart::sizeHint() const { return {TrendColumns::kFrozenWidth + 40 * 21, 400}; }

void TrendChart::setHistory(std::vector<std::string> issues, TrendTable table) {
    issues_ = std::move(issues);
    table_ = std::move(table);
    rows_ = {0, 0};
    markedRow_ = -1;
}

void TrendChart::setRows(DrawSpan rows, const OmissionStats& stats) {
    QScrollBar* bar = verticalScrollBar();
    const bool atNewest = !shownOnce_ || rows_.size() == 0 || bar->value() == bar->maximum();
    const std::size_t top = rows_.begin + static_cast<std::size_t>(bar->value() / kRowHeight);
    rows.end = std::min(rows.end, table_.rowCount());
    rows.begin = std::min(rows.begin, rows.end);
    if (markedRow_ >= 0) {
        const std::size_t marked = rows_.begin + static_cast<std::size_t>(markedRow_);
        markedRow_ = marked >= rows.begin && marked < rows.end ? static_cast<int>(marked - rows.begin) : -1;
    }
    rows_ = rows;
    stats_ = stats;
    for (int c = 0; c < kTrendCellCount; ++c)
        averages_[static_cast<std::size_t>(c)] = stats_[trendCellItem(c)].averageOmissionHundredths;
    findColdest();
    updateScrollBars();
    // The same draws stay in view where they are still shown; the newest
    // stay in view when they were.
    if (atNewest || top < rows_.begin || top >= rows_.end)
        scrollToNewest();
    else
        bar->setValue(static_cast<int>(top - rows_.begin) * kRowHeight);
    viewport()->update();
}

void TrendChart::setDraws(std::vector<std::string> issues, TrendTable table, const OmissionStats& stats) {
    const std::size_t n = table.rowCount();
    setHistory(std::move(issues), std::move(table));
    setRows({0, n}, stats);
}

void TrendChart::setTickedCheck(std::function<bool(ItemId)> ticked) { ticked_ = std::move(ticked); }

void TrendChart::ticksChanged() {
    viewport()->update(QRect(TrendColumns::kFrozenWidth, 0, viewport()->width(), bodyTop()));
    viewport()->update(QRect(0, bodyBottom(), viewport()->width(), kSummaryHeight));
}

void TrendChart::findColdest() {
    for (int t = 0; t < kTrendTextCount; ++t) {
        const ItemFamily family = trendTextFamily(t);
        std::vector<int> order(static_cast<std::size_t>(itemCount(family)));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return stats_[ItemId{family, a}].currentOmission > stats_[ItemId{family, b}].currentOmission;
        });
        for (int k = 0; k < kColdestShown; ++k)
            coldest_[static_cast<std::size_t>(t)][static_cast<std::size_t>(k)] =
                ItemId{family, order[static_cast<std::size_t>(k)]};
    }
}

std::vector<ItemId> TrendChart::overdueCells(int block, int n) const {
    std::vector<ItemId> out;
    const int first = trendBlockStart(block), size = kTrendBlockSizes[static_cast<std::size_t>(block)];
    for (int c = first; c < first + size; ++c)
        if (stats_[trendCellItem(c)].currentOmission >= static_cast<std::uint32_t>(std::max(0, n)))
            out.push_back(trendCellItem(c));
    return out;
}

std::vector<ItemId> TrendChart::rarestCells(int block, int k) const {
    const int first = trendBlockStart(block), size = kTrendBlockSizes[static_cast<std::size_t>(block)];
    std::vector<int> cells(static_cast<std::size_t>(size));
    std::iota(cells.begin(), cells.end(), first);
    std::stable_sort(cells.begin(), cells.end(), [&](int a, int b) {
        return stats_[trendCellItem(a)].hits < stats_[trendCellItem(b)].hits;
    });
    cells.resize(static_cast<std::size_t>(std::clamp(k, 0, size)));
    std::vector<ItemId> out;
    for (int c : cells) out.push_back(trendCellItem(c));
    return out;
}

int TrendChart::bodyBottom() const { return std::max(bodyTop(), viewport()->height() - kSummaryHeight); }

QRect TrendChart::bodyRect() const {
    return QRect(0, bodyTop(), viewport()->width(), bodyBottom() - bodyTop());
}

int TrendChart::scrollX() const { return horizontalScrollBar()->value(); }

int TrendChart::cellAt(QPoint pos) const {
    if (pos.x() < TrendColumns::kFrozenWidth) return -1;
    return columns_.cellAt(contentX(pos.x()));
}

int TrendChart::textAt(QPoint pos) const {
    if (pos.x() < TrendColumns::kFrozenWidth) return -1;
    return columns_.textAt(contentX(pos.x()));
}

int TrendChart::summaryRowAt(QPoint pos) const {
    if (pos.y() < bodyBottom()) return -1;
    const int row = (pos.y() - bodyBottom()) / kRowHeight;
    return row < kSummaryRows ? row : -1;
}

bool TrendChart::inHeaderCaptions(QPoint pos) const { return pos.y() >= kRowHeight && pos.y() < bodyTop(); }

bool TrendChart::inSummaryLabels(QPoint pos) const {
    return pos.x() < TrendColumns::kFrozenWidth && summaryRowAt(pos) >= 0;
}

ItemId TrendChart::clickableAt(QPoint pos, int* cell) const {
    const ItemId none{ItemFamily::Position, -1};
    *cell = -1;
    const int summaryRow = summaryRowAt(pos);
    if (!inHeaderCaptions(pos) && summaryRow < 0) return none;
    if (const int c = cellAt(pos); c >= 0) {
        *cell = c;
        return trendCellItem(c);
    }
    const int t = textAt(pos);
    if (t < 0 || summaryRow < 0) return none;
    return coldest_[static_cast<std::size_t>(t)][static_cast<std::size_t>(summaryRow)];
}

void TrendChart::scrollIntoView(int left, int width) {
    QScrollBar* bar = horizontalScrollBar();
    const int room = viewport()->width() - TrendColumns::kFrozenWidth;
    if (left < bar->value())
        bar->setValue(left);
    else if (left + width > bar->value() + room)
        bar->setValue(left + width - room);
}

QRect TrendChart::headerCellRect(int cell) {
    scrollIntoView(columns_.cellLeft(cell), columns_.cellWidth(cell));
    return QRect(viewX(columns_.cellLeft(cell)), kRowHeight, columns_.cellWidth(cell), kRowHeight);
}

QRect TrendChart::summaryCellRect(int summaryRow, int cell) {
    scrollIntoView(columns_.cellLeft(cell), columns_.cellWidth(cell));
    return QRect(viewX(columns_.cellLeft(cell)), bodyBottom() + summaryRow * kRowHeight,
                 columns_.cellWidth(cell), kRowHeight);
}

QRect TrendChart::summaryLabelRect(int summaryRow) const {
    return QRect(0, bodyBottom() + summaryRow * kRowHeight, TrendColumns::kFrozenWidth - 1, kRowHeight);
}

QRect TrendChart::coldestRect(int textColumn, int place) {
    scrollIntoView(columns_.textLeft(textColumn), TrendColumns::textWidth(textColumn));
    return QRect(viewX(columns_.textLeft(textColumn)), bodyBottom() + place * kRowHeight,
                 TrendColumns::textWidth(textColumn), kRowHeight);
}

QString TrendChart::toolTipAt(QPoint pos) const {
    if (inSummaryLabels(pos))
        return QStringLiteral("点击选择：当前遗漏 ≥ n 的全部勾选，或出现次数最少的 k 个");
    int cell = -1;
    const ItemId item = clickableAt(pos, &cell);
    if (flatIndex(item) < 0) return {};
    const bool ticked = ticked_ && ticked_(item);
    QString tip = QStringLiteral("点击%1%2")
                      .arg(ticked ? QStringLiteral("取消") : QStringLiteral("勾选"), killName(item));
    const ItemFigures& f = stats_[item];
    tip += QStringLiteral("\n%1：出现次数 %2，平均遗漏 %3，最大遗漏 %4，当前遗漏 %5，最大连出 %6")
               .arg(QString::fromStdString(itemCaption(item)))
               .arg(f.hits)
               .arg(QString::fromStdString(hundredthsText(f.averageOmissionHundredths)))
               .arg(f.longestOmission)
               .arg(f.currentOmission)
               .arg(f.longestStreak);
    if (cell >= 0 && inHeaderCaptions(pos)) tip += QStringLiteral("\n拖过或按住 Shift 点击：一次勾选多个");
    return tip;
}

void TrendChart::updateScrollBars() {
    const int bodyHeight = bodyBottom() - bodyTop();
    QScrollBar* v = verticalScrollBar();
    v->setPageStep(std::max(kRowHeight, bodyHeight));
    v->setRange(0, std::max(0, static_cast<int>(rows_.size()) * kRowHeight - bodyHeight));
    const int room = std::max(0, viewport()->width() - TrendColumns::kFrozenWidth);
    QScrollBar* h = horizontalScrollBar();
    h->setPageStep(std::max(21, room));
    h->setRange(0, std::max(0, columns_.contentWidth() - room));
}

void TrendChart::scrollToNewest() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }

bool TrendChart::goToIssue(std::string_view issue) {
    for (std::size_t r = rows_.begin; r < rows_.end && r < issues_.size(); ++r) {
        if (compareIssues(issues_[r], issue) != 0) continue;
        markedRow_ = static_cast<int>(r - rows_.begin);
        const int middle = (bodyBottom() - bodyTop() - kRowHeight) / 2;
        verticalScrollBar()->setValue(markedRow_ * kRowHeight - middle);
        viewport()->update();
        return true;
    }
    return false;
}

std::string TrendChart::summaryText() const {
    std::string s = "项目";
    for (const char* name : kFigureNames) s += std::string("\t") + name;
    s += "\r\n";
    for (int c = 0; c < kTrendCellCount; ++c) {
        const ItemId item = trendCellItem(c);
        const ItemFigures& f = stats_[item];
        s += itemCaption(item) + "\t" + std::to_string(f.hits) + "\t" +
             hundredthsText(f.averageOmissionHundredths) + "\t" + std::to_string(f.longestOmission) + "\t" +
             std::to_string(f.currentOmission) + "\t" + std::to_string(f.longestStreak) + "\r\n";
    }
    return s;
}

void TrendChart::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool atNewest = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    updateScrollBars();
    if (atNewest) scrollToNewest();
}

void TrendChart::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    updateScrollBars();
    // The first time at the newest draws; after that where the player left it.
    if (!std::exchange(shownOnce_, true)) scrollToNewest();
}

void TrendChart::scrollContentsBy(int dx, int dy) {
    // The header and summary rows stay; the issue and number columns stay
    // when scrolling across.
    if (dy != 0) viewport()->scroll(0, dy, bodyRect());
    if (dx != 0)
        viewport()->scroll(dx, 0,
                           QRect(TrendColumns::kFrozenWidth, 0,
                                 viewport()->width() - TrendColumns::kFrozenWidth, viewport()->height()));
}

void TrendChart::keyPressEvent(QKeyEvent* event) {
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Home: v->setValue(v->minimum()); break;
        case Qt::Key_End: v->setValue(v->maximum()); break;
        case Qt::Key_PageUp: v->triggerAction(QAbstractSlider::SliderPageStepSub); break;
        case Qt::Key_PageDown: v->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
        case Qt::Key_Up: v->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
        case Qt::Key_Down: v->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case Qt::Key_Left: h->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
        case Qt::Key_Right: h->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void TrendChart::wheelEvent(QWheelEvent* event) {
    // Shift turns the wheel sideways (a mouse without a tilt wheel).
    if (event->modifiers() & Qt::ShiftModifier) {
        const QPoint delta = event->angleDelta();
        const int steps = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
        QScrollBar* h = horizontalScrollBar();
        h->setValue(h->value() - steps * 3 * h->singleStep());
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

bool TrendChart::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace numsift
