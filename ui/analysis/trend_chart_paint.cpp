// How the trend chart paints: the rows in view, the two header rows and the
// summary, each figure fitted into its cell.

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "conditions/captions.h"
#include "controls/omission_badge.h"
#include "engine/number.h"
#include "ui/analysis/trend_chart.h"

namespace numsift {

namespace {

constexpr int kRowHeight = TrendChart::kRowHeight;
constexpr int kFrozenWidth = TrendColumns::kFrozenWidth;

constexpr const char* kSummaryTitles[TrendChart::kSummaryRows] = {"出现次数", "平均遗漏", "最大遗漏",
                                                                  "当前遗漏", "最大连出"};

// The colour of a drawn cell, by block.
const QColor kBlockColours[kTrendAllBlocks] = {{200, 30, 30},  {0, 100, 200}, {0, 130, 60},   {180, 90, 0},
                                               {130, 40, 160}, {0, 125, 125}, {190, 60, 110}, {90, 90, 90},
                                               {30, 90, 150},  {150, 100, 0}, {170, 50, 50},  {40, 120, 40},
                                               {110, 60, 150}, {60, 110, 130}};
const QColor kGridColour(214, 214, 214);
const QColor kCellEdgeColour(232, 228, 214);
const QColor kBlockEdgeColour(150, 150, 150);
const QColor kOmissionColour(150, 150, 150);
const QColor kBandColour(244, 246, 250);  // every other group of five rows
const QColor kMarkedColour(255, 244, 170);
const QColor kHeaderColour(232, 236, 242);
const QColor kTickedColour(215, 40, 40);
const QColor kSummaryColour(250, 246, 232);

// 平均遗漏 in a cell: one decimal below ten, whole above (the tooltip gives both decimals).
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

QString rowText(const TrendRow& t, int column) {
    if (column == kTextRoad) return QString::fromStdString(roadCaption(t.road));
    return QString::fromStdString(classPatternCaption(kClassKinds[static_cast<std::size_t>(column)],
                                                      t.classPattern[static_cast<std::size_t>(column)]));
}

}  // namespace

void TrendChart::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect dirty = event->rect();
    p.fillRect(dirty, Qt::white);
    p.setFont(font());
    fitted_.setFont(font());
    paintRows(p, dirty);
    paintHeader(p, dirty);
    paintSummary(p, dirty);
}

void TrendChart::paintRows(QPainter& p, const QRect& dirty) {
    const QRect body = bodyRect().intersected(dirty);
    if (body.isEmpty() || rows_.size() == 0) return;
    const int scrollY = verticalScrollBar()->value();
    const int firstRow = std::max(0, (body.top() - bodyTop() + scrollY) / kRowHeight);
    const int lastRow =
        std::min(static_cast<int>(rows_.size()) - 1, (body.bottom() - bodyTop() + scrollY) / kRowHeight);
    const auto [firstCell, lastCell] =
        columns_.cellsIn(contentX(std::max(dirty.left(), kFrozenWidth)), contentX(dirty.right()));
    const QRect scrolled =
        body.intersected(QRect(kFrozenWidth, 0, viewport()->width(), viewport()->height()));

    p.save();
    char digits[6] = {};
    for (int r = firstRow; r <= lastRow; ++r) {
        ++rowsPainted_;
        const std::size_t row = rows_.begin + static_cast<std::size_t>(r);
        const TrendRow& t = table_.row(row);
        const int y = bodyTop() + r * kRowHeight - scrollY;
        const QRect line(0, y, viewport()->width(), kRowHeight);
        p.setClipRect(body);
        const QColor band = r == markedRow_  ? kMarkedColour
                            : r / 5 % 2 == 1 ? kBandColour
                                             : QColor(Qt::white);
        if (band != Qt::white) p.fillRect(line.intersected(body), band);
        p.setPen(kGridColour);
        p.drawLine(line.left(), line.bottom(), line.right(), line.bottom());

        // The cells: the drawn item in colour, the others their running
        // omission, tinted as it passes the item's 平均遗漏.
        p.setClipRect(scrolled);
        for (int c = firstCell; c <= lastCell; ++c) {
            const QRect box(viewX(columns_.cellLeft(c)), y, columns_.cellWidth(c), kRowHeight);
            const std::uint32_t gap = table_.omission(row, c);
            const int block = trendBlockOf(c);
            if (gap == 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(kBlockColours[block]);
                p.setRenderHint(QPainter::Antialiasing, true);
                if (box.width() > kRowHeight + 4)
                    p.drawRoundedRect(QRectF(box).adjusted(1, 1, -1, -2), 6, 6);
                else
                    p.drawEllipse(QRectF(box).adjusted(2, 1, -2, -2));
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(Qt::white);
                fitted_.draw(p, box.adjusted(0, 0, 0, -1), captions_[static_cast<std::size_t>(c)], 12, true);
            } else {
                const double heat = omissionHeat(gap, averages_[static_cast<std::size_t>(c)]);
                if (heat > 0) p.fillRect(box.adjusted(0, 0, 0, -1), OmissionBadge::tint(heat));
                p.setPen(kOmissionColour);
                fitted_.draw(p, box, QString::number(gap), 10);
            }
        }
        // The patterns and the road as text.
        p.setPen(Qt::black);
        for (int col = 0; col < kTrendTextCount; ++col) {
            const QRect box(viewX(columns_.textLeft(col)), y, TrendColumns::textWidth(col), kRowHeight);
            if (box.intersects(dirty)) fitted_.draw(p, box, rowText(t, col), 12);
        }
        // Block edges.
        p.setPen(kBlockEdgeColour);
        for (int b = 0; b <= kTrendAllBlocks; ++b) {
            const int x = viewX(b < kTrendAllBlocks ? columns_.blockLeft(b) : columns_.textLeft(0));
            p.drawLine(x, y, x, y + kRowHeight - 1);
        }

        // The issue and the number, which stay at the left.
        p.setClipRect(body);
        if (dirty.left() < kFrozenWidth) {
            const QRect frozen(0, y, kFrozenWidth, kRowHeight - 1);
            p.fillRect(frozen, band);
            p.setPen(Qt::black);
            if (row < issues_.size())
                fitted_.draw(p, QRect(2, y, TrendColumns::kIssueWidth - 2, kRowHeight),
                             QString::fromStdString(issues_[row]), 12);
            writeNumber(t.value, digits);
            fitted_.draw(p, QRect(TrendColumns::kIssueWidth, y, TrendColumns::kNumberWidth, kRowHeight),
                         QString::fromLatin1(digits, 5), 12, true);
            p.setPen(kBlockEdgeColour);
            p.drawLine(kFrozenWidth - 1, y, kFrozenWidth - 1, y + kRowHeight - 1);
        }
    }
    p.restore();
}

void TrendChart::paintHeader(QPainter& p, const QRect& dirty) {
    const QRect header(0, 0, viewport()->width(), bodyTop());
    if (!header.intersects(dirty)) return;
    p.save();
    p.fillRect(header, kHeaderColour);
    p.setClipRect(QRect(kFrozenWidth, 0, viewport()->width(), bodyTop()));
    for (int b = 0; b < kTrendAllBlocks; ++b) {
        const QRect box(viewX(columns_.blockLeft(b)), 0, columns_.blockWidth(b), kRowHeight);
        if (!box.intersects(dirty)) continue;
        p.setPen(kBlockColours[b]);
        fitted_.draw(p, box, QString::fromUtf8(trendBlockTitle(b)), 12, true);
    }
    const auto [firstCell, lastCell] =
        columns_.cellsIn(contentX(std::max(dirty.left(), kFrozenWidth)), contentX(dirty.right()));
    for (int c = firstCell; c <= lastCell; ++c) {
        const QRect box(viewX(columns_.cellLeft(c)), kRowHeight, columns_.cellWidth(c), kRowHeight);
        const bool ticked = ticked_ && ticked_(trendCellItem(c));
        if (ticked) p.fillRect(box.adjusted(1, 1, -1, -1), kTickedColour);
        p.setPen(ticked ? QColor(Qt::white) : QColor(Qt::black));
        fitted_.draw(p, box, captions_[static_cast<std::size_t>(c)], 12);
    }
    p.setPen(Qt::black);
    for (int col = 0; col < kTrendTextCount; ++col)
        fitted_.draw(p, QRect(viewX(columns_.textLeft(col)), 0, TrendColumns::textWidth(col), bodyTop()),
                     QString::fromUtf8(trendTextTitle(col)), 12, true);
    p.setPen(kGridColour);
    p.drawLine(viewX(0), kRowHeight, viewX(columns_.textLeft(0)), kRowHeight);
    p.setPen(kBlockEdgeColour);
    for (int k = 0; k < TrendColumns::kEdgeCount; ++k)
        p.drawLine(viewX(columns_.edge(k)), 0, viewX(columns_.edge(k)), bodyTop());
    p.setClipping(false);
    p.drawLine(0, bodyTop() - 1, header.right(), bodyTop() - 1);
    p.fillRect(QRect(0, 0, kFrozenWidth - 1, bodyTop() - 1), kHeaderColour);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, TrendColumns::kIssueWidth, bodyTop()), Qt::AlignCenter, QStringLiteral("期号"));
    p.drawText(QRect(TrendColumns::kIssueWidth, 0, TrendColumns::kNumberWidth, bodyTop()), Qt::AlignCenter,
               QStringLiteral("号码"));
    p.setPen(kBlockEdgeColour);
    p.drawLine(kFrozenWidth - 1, 0, kFrozenWidth - 1, bodyTop());
    p.restore();
}

void TrendChart::paintSummary(QPainter& p, const QRect& dirty) {
    const QRect summary(0, bodyBottom(), viewport()->width(), viewport()->height() - bodyBottom());
    if (!summary.intersects(dirty)) return;
    p.save();
    p.fillRect(summary, kSummaryColour);
    const auto [firstCell, lastCell] =
        columns_.cellsIn(contentX(std::max(dirty.left(), kFrozenWidth)), contentX(dirty.right()));
    p.setClipRect(QRect(kFrozenWidth, summary.top(), viewport()->width(), summary.height()));
    for (int s = 0; s < kSummaryRows; ++s) {
        const int y = summary.top() + s * kRowHeight;
        for (int c = firstCell; c <= lastCell; ++c) {
            const QRect box(viewX(columns_.cellLeft(c)), y, columns_.cellWidth(c), kRowHeight);
            const ItemFigures& f = stats_[trendCellItem(c)];
            if (s == 3) {
                const double heat = omissionHeat(f.currentOmission, f.averageOmissionHundredths);
                if (heat > 0) p.fillRect(box.adjusted(0, 0, 0, -1), OmissionBadge::tint(heat));
            }
            p.setPen(Qt::black);
            fitted_.draw(p, box, summaryFigure(f, s), 11);
            // A faint edge between cells keeps neighbouring figures apart.
            p.setPen(kCellEdgeColour);
            p.drawLine(box.right(), y, box.right(), y + kRowHeight - 2);
        }
        p.setPen(kGridColour);
        p.drawLine(kFrozenWidth, y + kRowHeight - 1, summary.right(), y + kRowHeight - 1);
    }
    paintColdest(p, summary.top());
    p.setPen(kBlockEdgeColour);
    for (int k = 0; k < TrendColumns::kEdgeCount; ++k)
        p.drawLine(viewX(columns_.edge(k)), summary.top(), viewX(columns_.edge(k)), summary.bottom());
    p.setClipping(false);
    p.drawLine(0, summary.top(), summary.right(), summary.top());
    p.setPen(Qt::black);
    for (int s = 0; s < kSummaryRows; ++s) {
        const QRect label = summaryLabelRect(s);
        p.setFont(font());
        p.drawText(label.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromUtf8(kSummaryTitles[s]));
        p.drawText(label.adjusted(0, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("▾"));
    }
    p.setPen(kBlockEdgeColour);
    p.drawLine(kFrozenWidth - 1, summary.top(), kFrozenWidth - 1, summary.bottom());
    p.restore();
}

void TrendChart::paintColdest(QPainter& p, int top) {
    // Under each text column, the five patterns missing longest: the caption
    // and its 当前遗漏, red when its kill is ticked.
    for (int col = 0; col < kTrendTextCount; ++col) {
        for (int k = 0; k < kColdestShown; ++k) {
            const ItemId item = coldest_[static_cast<std::size_t>(col)][static_cast<std::size_t>(k)];
            const QRect box(viewX(columns_.textLeft(col)), top + k * kRowHeight, TrendColumns::textWidth(col),
                            kRowHeight);
            const ItemFigures& f = stats_[item];
            const bool ticked = ticked_ && ticked_(item);
            if (ticked) p.fillRect(box.adjusted(1, 1, -1, -1), kTickedColour);
            p.setPen(ticked ? QColor(Qt::white) : QColor(Qt::black));
            const std::string caption =
                item.family == ItemFamily::Road ? roadCaption(item.index) : itemCaption(item);
            fitted_.draw(
                p, box,
                QString::fromStdString(caption) + QLatin1Char(' ') + QString::number(f.currentOmission), 11);
        }
    }
}

}  // namespace numsift
