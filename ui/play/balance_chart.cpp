#include "ui/play/balance_chart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

// Room around the plot: the values on the left, the legend above, the
// issues below.
constexpr double kLeft = 86, kTop = 26, kRight = 14, kBottom = 22;
const QColor kBalanceColour(0, 90, 200);
const QColor kChanceColour(150, 150, 150);

QString yuan(double value) {
    const auto whole = static_cast<long long>(value < 0 ? value - 0.5 : value + 0.5);
    return (whole > 0 ? QStringLiteral("+") : QString()) + QString::number(whole) + ui::qs(" 元");
}

}  // namespace

BalanceChart::BalanceChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("balanceChart"));
    setMinimumHeight(160);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void BalanceChart::setPoints(std::vector<BalancePoint> points) {
    points_ = std::move(points);
    low_ = 0;
    high_ = 0;
    for (const BalancePoint& p : points_) {
        low_ = std::min({low_, static_cast<double>(p.balance), p.chance});
        high_ = std::max({high_, static_cast<double>(p.balance), p.chance});
    }
    if (high_ - low_ < 1) high_ = low_ + 1;
    update();
}

QRectF BalanceChart::plotArea() const { return QRectF(rect()).adjusted(kLeft, kTop, -kRight, -kBottom); }

QPointF BalanceChart::at(std::size_t i, double value) const {
    const QRectF plot = plotArea();
    const double x = points_.size() < 2 ? plot.center().x()
                                        : plot.left() + plot.width() * static_cast<double>(i) /
                                                            static_cast<double>(points_.size() - 1);
    return {x, plot.bottom() - plot.height() * (value - low_) / (high_ - low_)};
}

QPointF BalanceChart::balanceAt(std::size_t i) const {
    return at(i, static_cast<double>(points_[i].balance));
}

QPointF BalanceChart::chanceAt(std::size_t i) const { return at(i, points_[i].chance); }

void BalanceChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = plotArea();
    if (points_.empty()) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, ui::qs("还没有开奖的记录：开奖后这里画出累计盈亏"));
        return;
    }

    // The values at the top and the bottom, and zero's between them unless
    // it would overwrite one of theirs; each with its line.
    const QFontMetricsF metrics(font());
    const double values[3] = {high_, low_, 0.0};
    for (int i = 0; i < 3; ++i) {
        const double y = at(0, values[i]).y();
        painter.setPen(QPen(values[i] == 0 ? QColor(80, 80, 80) : QColor(220, 220, 220), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const bool crowded = i == 2 && (std::abs(y - at(0, high_).y()) < metrics.height() ||
                                        std::abs(y - at(0, low_).y()) < metrics.height());
        if (crowded) continue;
        painter.setPen(palette().color(QPalette::WindowText));
        const QRectF label(0, y - metrics.height() / 2, kLeft - 6, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, yuan(values[i]));
    }
    const QRectF below(plot.left(), plot.bottom() + 4, plot.width(), kBottom - 4);
    painter.drawText(below, Qt::AlignLeft | Qt::AlignTop, ui::qs(points_.front().issue));
    if (points_.size() > 1)
        painter.drawText(below, Qt::AlignRight | Qt::AlignTop, ui::qs(points_.back().issue));

    auto line = [&](const QColor& colour, Qt::PenStyle style, auto pointAt) {
        QPainterPath path(pointAt(0));
        for (std::size_t i = 1; i < points_.size(); ++i) path.lineTo(pointAt(i));
        painter.setPen(QPen(colour, 2, style));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setBrush(colour);
        if (points_.size() == 1) painter.drawEllipse(pointAt(0), 3, 3);
    };
    line(kChanceColour, Qt::DashLine, [this](std::size_t i) { return chanceAt(i); });
    line(kBalanceColour, Qt::SolidLine, [this](std::size_t i) { return balanceAt(i); });

    // The legend above the plot.
    double x = plot.left();
    const double y = kTop / 2;
    for (const auto& [colour, style, caption] :
         {std::tuple{kBalanceColour, Qt::SolidLine, ui::qs("累计盈亏")},
          std::tuple{kChanceColour, Qt::DashLine,
                     ui::qs("随机选号的平均（回报率 %1%）").arg(kChanceReturnPercent)}}) {
        painter.setPen(QPen(colour, 2, style));
        painter.drawLine(QPointF(x, y), QPointF(x + 24, y));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QPointF(x + 30, y + metrics.ascent() / 2 - 1), caption);
        x += 30 + metrics.horizontalAdvance(caption) + 24;
    }
}

}  // namespace numsift
