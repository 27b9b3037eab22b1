#include "ui/analysis/trend_chart.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <utility>

#include "conditions/captions.h"
#include "engine/number.h"

namespace numsift {

namespace {

constexpr int kRowHeight = 18;
constexpr int kHeaderHeight = 2 * kRowHeight;  // block titles, then the digits
constexpr int kSummaryHeight = TrendChart::kSummaryRows * kRowHeight;
constexpr int kIssueWidth = 62;
constexpr int kNumberWidth = 48;
constexpr int kFrozenWidth = kIssueWidth + kNumberWidth;
constexpr int kCellWidth = 21;
constexpr int kBlockWidth = kTrendBlockCells * kCellWidth;

// The draw's own figures, right of the digit blocks.
enum Figure { kSum, kSpan, kAc, kBigSmall, kOddEven, kPrimeComposite, kRoad, kShape, kFigureCount };
constexpr const char* kFigureTitles[kFigureCount] = {"和值", "跨度", "AC",    "大小",
                                                     "奇偶", "质合", "012路", "形态"};
constexpr int kFigureWidths[kFigureCount] = {34, 30, 26, 66, 66, 66, 48, 96};

constexpr const char* kSummaryTitles[TrendChart::kSummaryRows] = {"出现次数", "平均遗漏", "最大遗漏",
                                                                  "当前遗漏", "最大连出"};

// The colour of a drawn cell, by block.
const QColor kBlockColours[kTrendBlockCount] = {{200, 30, 30},  {0, 100, 200}, {0, 130, 60},   {180, 90, 0},
                                                {130, 40, 160}, {0, 125, 125}, {190, 60, 110}, {90, 90, 90}};
const QColor kGridColour(214, 214, 214);
const QColor kBlockEdgeColour(150, 150, 150);
const QColor kOmissionColour(160, 160, 160);
const QColor kBandColour(244, 246, 250);  // every other group of five rows
const QColor kHeaderColour(232, 236, 242);
const QColor kTickedColour(215, 40, 40);
const QColor kSummaryColour(250, 246, 232);

// What the kill of a block is called where a click ticks it.
QString killName(int cell) {
    const int block = cell / kTrendBlockCells, k = cell % kTrendBlockCells;
    if (block < 5)
        return QStringLiteral("定位杀 %1 %2").arg(QString::fromUtf8(trendBlockTitle(block))).arg(k);
    if (block == 5) return QStringLiteral("通杀码 %1").arg(k);
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(block == 6 ? "杀和尾" : "杀跨度")).arg(k);
}

// 平均遗漏 in a cell's width: one decimal below ten, whole above (the
// tooltip gives both decimals).
QString shortAverage(std::uint32_t hundredths) {
    if (hundredths < 1000) return QString::number((hundredths + 5) / 10 / 10.0, 'f', 1);
    return QString::number((hundredths + 50) / 100);
}

QString summaryFigure(const ItemFigures& f, int row) {
    switch (row) {
        case 0: return QString::number(f.hits);
        case 1: return shortAverage(f.averageOmissionHundredths);
        case 2: return QString::number(f.longestOmission);
        case 3: return QString::number(f.currentOmission);
        default: return QString::number(f.longestStreak);
    }
}

QString shapesText(std::uint16_t shapes) {
    QString s;
    for (int b = 0; b < kShapeCount; ++b) {
        if (!(shapes & 1u << b)) continue;
        if (!s.isEmpty()) s += QLatin1Char(' ');
        s += QString::fromStdString(shapeCaption(b));
    }
    return s;
}

}  // namespace

TrendChart::TrendChart(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("trendChart"));
    setFrameShape(QFrame::StyledPanel);
    // Every pixel is painted: a scroll can move what is there and paint
    // only the strip that came into view.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    verticalScrollBar()->setSingleStep(kRowHeight);
    horizontalScrollBar()->setSingleStep(kCellWidth);
}

QSize TrendChart::sizeHint() const { return {kFrozenWidth + kBlockWidth * 4, 400}; }

void TrendChart::setDraws(std::vector<std::string> issues, TrendTable table, const OmissionStats& stats) {
    issues_ = std::move(issues);
    table_ = std::move(table);
    stats_ = stats;
    updateScrollBars();
    scrollToNewest();
    viewport()->update();
}

void TrendChart::setTickedCheck(std::function<bool(ItemId)> ticked) { ticked_ = std::move(ticked); }

void TrendChart::ticksChanged() {
    viewport()->update(QRect(kFrozenWidth, 0, viewport()->width(), kHeaderHeight));
}

int TrendChart::contentWidth() const {
    int w = kTrendBlockCount * kBlockWidth;
    for (int width : kFigureWidths) w += width;
    return w;
}

int TrendChart::bodyTop() const { return kHeaderHeight; }

int TrendChart::bodyBottom() const { return std::max(bodyTop(), viewport()->height() - kSummaryHeight); }

QRect TrendChart::bodyRect() const {
    return QRect(0, bodyTop(), viewport()->width(), bodyBottom() - bodyTop());
}

int TrendChart::cellLeft(int cell) const {
    return kFrozenWidth + cell * kCellWidth - horizontalScrollBar()->value();
}

int TrendChart::cellAt(QPoint pos) const {
    if (pos.x() < kFrozenWidth) return -1;
    const int x = pos.x() - kFrozenWidth + horizontalScrollBar()->value();
    const int cell = x / kCellWidth;
    return cell < kTrendCellCount ? cell : -1;
}

int TrendChart::summaryRowAt(QPoint pos) const {
    if (pos.y() < bodyBottom()) return -1;
    const int row = (pos.y() - bodyBottom()) / kRowHeight;
    return row < kSummaryRows ? row : -1;
}

bool TrendChart::inHeaderDigits(QPoint pos) const { return pos.y() >= kRowHeight && pos.y() < kHeaderHeight; }

QRect TrendChart::headerCellRect(int cell) {
    scrollCellIntoView(cell);
    return QRect(cellLeft(cell), kRowHeight, kCellWidth, kRowHeight);
}

QRect TrendChart::summaryCellRect(int summaryRow, int cell) {
    scrollCellIntoView(cell);
    return QRect(cellLeft(cell), bodyBottom() + summaryRow * kRowHeight, kCellWidth, kRowHeight);
}

void TrendChart::scrollCellIntoView(int cell) {
    QScrollBar* bar = horizontalScrollBar();
    const int left = cell * kCellWidth, room = viewport()->width() - kFrozenWidth;
    if (left < bar->value())
        bar->setValue(left);
    else if (left + kCellWidth > bar->value() + room)
        bar->setValue(left + kCellWidth - room);
}

QString TrendChart::toolTipAt(QPoint pos) const {
    const int cell = cellAt(pos);
    if (cell < 0) return {};
    const int summaryRow = summaryRowAt(pos);
    if (!inHeaderDigits(pos) && summaryRow < 0) return {};
    const ItemId item = trendCellItem(cell);
    const bool ticked = ticked_ && ticked_(item);
    QString tip = QStringLiteral("点击%1%2")
                      .arg(ticked ? QStringLiteral("取消") : QStringLiteral("勾选"), killName(cell));
    const ItemFigures& f = stats_[item];
    tip += QStringLiteral("\n%1：出现次数 %2，平均遗漏 %3，最大遗漏 %4，当前遗漏 %5，最大连出 %6")
               .arg(QString::fromStdString(itemCaption(item)))
               .arg(f.hits)
               .arg(QString::fromStdString(hundredthsText(f.averageOmissionHundredths)))
               .arg(f.longestOmission)
               .arg(f.currentOmission)
               .arg(f.longestStreak);
    return tip;
}

void TrendChart::updateScrollBars() {
    const int bodyHeight = bodyBottom() - bodyTop();
    QScrollBar* v = verticalScrollBar();
    v->setPageStep(std::max(kRowHeight, bodyHeight));
    v->setRange(0, std::max(0, static_cast<int>(table_.rowCount()) * kRowHeight - bodyHeight));
    const int room = std::max(0, viewport()->width() - kFrozenWidth);
    QScrollBar* h = horizontalScrollBar();
    h->setPageStep(std::max(kCellWidth, room));
    h->setRange(0, std::max(0, contentWidth() - room));
}

void TrendChart::scrollToNewest() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }

void TrendChart::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool atNewest = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    updateScrollBars();
    if (atNewest) scrollToNewest();
}

void TrendChart::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    updateScrollBars();
    scrollToNewest();
}

void TrendChart::scrollContentsBy(int dx, int dy) {
    // The header and summary rows stay; the issue and number columns stay
    // when scrolling across.
    if (dy != 0) viewport()->scroll(0, dy, bodyRect());
    if (dx != 0)
        viewport()->scroll(dx, 0,
                           QRect(kFrozenWidth, 0, viewport()->width() - kFrozenWidth, viewport()->height()));
}

void TrendChart::mousePressEvent(QMouseEvent* event) {
    pressedCell_ = -1;
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (inHeaderDigits(pos) || summaryRowAt(pos) >= 0) pressedCell_ = cellAt(pos);
}

void TrendChart::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = std::exchange(pressedCell_, -1);
    if (event->button() != Qt::LeftButton || pressed < 0) return;
    const QPoint pos = event->position().toPoint();
    // A click is a press and a release on the same cell.
    if ((inHeaderDigits(pos) || summaryRowAt(pos) >= 0) && cellAt(pos) == pressed)
        emit cellClicked(trendCellItem(pressed));
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

void TrendChart::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect dirty = event->rect();
    p.fillRect(dirty, Qt::white);
    p.setFont(font());
    paintRows(p, dirty);
    paintHeader(p, dirty);
    paintSummary(p, dirty);
}

namespace {

// The scrolled part of a row: the first and last column in view.
struct Span {
    int first = 0, last = -1;
};

Span cellsIn(int left, int right, int offset) {
    // Cells whose [x, x + width) meets [left, right].
    const int from = std::max(0, (left - kFrozenWidth + offset) / kCellWidth);
    const int to = std::min(kTrendCellCount - 1, (right - kFrozenWidth + offset) / kCellWidth);
    return {from, to};
}

void drawEdges(QPainter& p, int x0, int top, int bottom) {
    // The edge left of each block.
    p.setPen(kBlockEdgeColour);
    for (int b = 0; b <= kTrendBlockCount; ++b) {
        const int x = x0 + b * kBlockWidth;
        p.drawLine(x, top, x, bottom);
    }
}

}  // namespace

void TrendChart::paintRows(QPainter& p, const QRect& dirty) {
    const QRect body = bodyRect().intersected(dirty);
    if (body.isEmpty() || table_.rowCount() == 0) return;
    const int scrollY = verticalScrollBar()->value(), scrollX = horizontalScrollBar()->value();
    const int firstRow = std::max(0, (body.top() - bodyTop() + scrollY) / kRowHeight);
    const int lastRow =
        std::min(static_cast<int>(table_.rowCount()) - 1, (body.bottom() - bodyTop() + scrollY) / kRowHeight);
    const int x0 = kFrozenWidth - scrollX;  // the first cell's left edge
    const Span cells = cellsIn(std::max(dirty.left(), kFrozenWidth), dirty.right(), scrollX);
    const int figuresLeft = x0 + kTrendBlockCount * kBlockWidth;

    p.save();
    p.setClipRect(body);
    QFont small = font();
    small.setPixelSize(10);
    QFont bold = font();
    bold.setBold(true);
    char digits[6] = {};
    for (int r = firstRow; r <= lastRow; ++r) {
        ++rowsPainted_;
        const std::size_t row = static_cast<std::size_t>(r);
        const TrendRow& t = table_.row(row);
        const int y = bodyTop() + r * kRowHeight - scrollY;
        const QRect line(0, y, viewport()->width(), kRowHeight);
        if (r / 5 % 2 == 1) p.fillRect(line.intersected(body), kBandColour);
        p.setPen(kGridColour);
        p.drawLine(line.left(), line.bottom(), line.right(), line.bottom());

        // The digit cells.
        p.setClipRect(body.intersected(QRect(kFrozenWidth, 0, viewport()->width(), viewport()->height())));
        for (int c = cells.first; c <= cells.last; ++c) {
            const QRect box(x0 + c * kCellWidth, y, kCellWidth, kRowHeight);
            const std::uint32_t gap = table_.omission(row, c);
            if (gap == 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(kBlockColours[c / kTrendBlockCells]);
                p.setRenderHint(QPainter::Antialiasing, true);
                p.drawEllipse(QRectF(box).adjusted(2, 1, -2, -2));
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setFont(bold);
                p.setPen(Qt::white);
                p.drawText(box.adjusted(0, 0, 0, -1), Qt::AlignCenter, QString::number(c % kTrendBlockCells));
            } else {
                p.setFont(small);
                p.setPen(kOmissionColour);
                p.drawText(box, Qt::AlignCenter, QString::number(gap));
            }
        }
        // The draw's figures.
        p.setFont(font());
        p.setPen(Qt::black);
        int x = figuresLeft;
        for (int f = 0; f < kFigureCount; ++f) {
            const QRect box(x, y, kFigureWidths[f], kRowHeight);
            x += kFigureWidths[f];
            if (!box.intersects(dirty)) continue;
            QString text;
            switch (f) {
                case kSum: text = QString::number(t.sum); break;
                case kSpan: text = QString::number(t.span); break;
                case kAc: text = QString::number(t.ac); break;
                case kBigSmall:
                case kOddEven:
                case kPrimeComposite:
                    text = QString::fromStdString(
                        classPatternCaption(kClassKinds[static_cast<std::size_t>(f - kBigSmall)],
                                            t.classPattern[static_cast<std::size_t>(f - kBigSmall)]));
                    break;
                case kRoad: text = QString::fromStdString(roadCaption(t.road)); break;
                default: text = shapesText(t.shapes); break;
            }
            p.drawText(box, Qt::AlignCenter, text);
        }
        drawEdges(p, x0, y, y + kRowHeight - 1);

        // The issue and the number, which stay at the left.
        p.setClipRect(body);
        if (dirty.left() < kFrozenWidth) {
            const QRect frozen(0, y, kFrozenWidth, kRowHeight - 1);
            p.fillRect(frozen, r / 5 % 2 == 1 ? kBandColour : QColor(Qt::white));
            p.setPen(Qt::black);
            p.setFont(font());
            if (row < issues_.size())
                p.drawText(QRect(4, y, kIssueWidth - 4, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                           QString::fromStdString(issues_[row]));
            writeNumber(t.value, digits);
            p.setFont(bold);
            p.drawText(QRect(kIssueWidth, y, kNumberWidth, kRowHeight), Qt::AlignCenter,
                       QString::fromLatin1(digits, 5));
            p.setPen(kBlockEdgeColour);
            p.drawLine(kFrozenWidth - 1, y, kFrozenWidth - 1, y + kRowHeight - 1);
        }
    }
    p.restore();
}

void TrendChart::paintHeader(QPainter& p, const QRect& dirty) {
    const QRect header(0, 0, viewport()->width(), kHeaderHeight);
    if (!header.intersects(dirty)) return;
    const int scrollX = horizontalScrollBar()->value();
    const int x0 = kFrozenWidth - scrollX;
    p.save();
    p.fillRect(header, kHeaderColour);
    QFont bold = font();
    bold.setBold(true);
    p.setClipRect(QRect(kFrozenWidth, 0, viewport()->width(), kHeaderHeight));
    for (int b = 0; b < kTrendBlockCount; ++b) {
        p.setPen(kBlockColours[b]);
        p.setFont(bold);
        p.drawText(QRect(x0 + b * kBlockWidth, 0, kBlockWidth, kRowHeight), Qt::AlignCenter,
                   QString::fromUtf8(trendBlockTitle(b)));
    }
    const Span cells = cellsIn(std::max(dirty.left(), kFrozenWidth), dirty.right(), scrollX);
    p.setFont(font());
    for (int c = cells.first; c <= cells.last; ++c) {
        const QRect box(x0 + c * kCellWidth, kRowHeight, kCellWidth, kRowHeight);
        const bool ticked = ticked_ && ticked_(trendCellItem(c));
        if (ticked) p.fillRect(box.adjusted(1, 1, -1, -1), kTickedColour);
        p.setPen(ticked ? QColor(Qt::white) : QColor(Qt::black));
        p.drawText(box, Qt::AlignCenter, QString::number(c % kTrendBlockCells));
    }
    int x = x0 + kTrendBlockCount * kBlockWidth;
    p.setPen(Qt::black);
    p.setFont(bold);
    for (int f = 0; f < kFigureCount; ++f) {
        p.drawText(QRect(x, 0, kFigureWidths[f], kHeaderHeight), Qt::AlignCenter,
                   QString::fromUtf8(kFigureTitles[f]));
        x += kFigureWidths[f];
    }
    p.setPen(kGridColour);
    p.drawLine(x0, kRowHeight, x0 + kTrendBlockCount * kBlockWidth, kRowHeight);
    drawEdges(p, x0, 0, kHeaderHeight);
    p.setClipping(false);
    p.setPen(kBlockEdgeColour);
    p.drawLine(0, kHeaderHeight - 1, header.right(), kHeaderHeight - 1);
    p.fillRect(QRect(0, 0, kFrozenWidth - 1, kHeaderHeight - 1), kHeaderColour);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, kIssueWidth, kHeaderHeight), Qt::AlignCenter, QStringLiteral("期号"));
    p.drawText(QRect(kIssueWidth, 0, kNumberWidth, kHeaderHeight), Qt::AlignCenter, QStringLiteral("号码"));
    p.setPen(kBlockEdgeColour);
    p.drawLine(kFrozenWidth - 1, 0, kFrozenWidth - 1, kHeaderHeight);
    p.restore();
}

void TrendChart::paintSummary(QPainter& p, const QRect& dirty) {
    const QRect summary(0, bodyBottom(), viewport()->width(), viewport()->height() - bodyBottom());
    if (!summary.intersects(dirty)) return;
    const int scrollX = horizontalScrollBar()->value();
    const int x0 = kFrozenWidth - scrollX;
    p.save();
    p.fillRect(summary, kSummaryColour);
    p.setPen(kBlockEdgeColour);
    p.drawLine(0, summary.top(), summary.right(), summary.top());
    const Span cells = cellsIn(std::max(dirty.left(), kFrozenWidth), dirty.right(), scrollX);
    QFont small = font();
    small.setPixelSize(11);
    for (int s = 0; s < kSummaryRows; ++s) {
        const int y = summary.top() + s * kRowHeight;
        p.setClipRect(QRect(kFrozenWidth, summary.top(), viewport()->width(), summary.height()));
        p.setFont(small);
        p.setPen(Qt::black);
        for (int c = cells.first; c <= cells.last; ++c)
            p.drawText(QRect(x0 + c * kCellWidth, y, kCellWidth, kRowHeight), Qt::AlignCenter,
                       summaryFigure(stats_[trendCellItem(c)], s));
        p.setPen(kGridColour);
        p.drawLine(kFrozenWidth, y + kRowHeight - 1, summary.right(), y + kRowHeight - 1);
        drawEdges(p, x0, y, y + kRowHeight - 1);
        p.setClipping(false);
        p.setFont(font());
        p.setPen(Qt::black);
        p.drawText(QRect(4, y, kFrozenWidth - 8, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromUtf8(kSummaryTitles[s]));
    }
    p.setPen(kBlockEdgeColour);
    p.drawLine(kFrozenWidth - 1, summary.top(), kFrozenWidth - 1, summary.bottom());
    p.restore();
}

}  // namespace numsift
