#include "ui/kit/series_chart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace numsift {

namespace {

constexpr int kAxisWidth = 48;  // the value figures left of the plot
constexpr int kLegendHeight = 18;
constexpr int kLabelHeight = 16;  // the draws' labels below it
constexpr int kGridLines = 4;

}  // namespace

SeriesChart::SeriesChart(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    valueText_ = [](double v) { return QString::number(v, 'g', 4); };
}

void SeriesChart::setSeries(std::vector<Series> series, QStringList labels) {
    series_ = std::move(series);
    labels_ = std::move(labels);
    message_.clear();
    update();
}

void SeriesChart::setValueText(std::function<QString(double)> text) { valueText_ = std::move(text); }

void SeriesChart::showMessage(const QString& text) {
    series_.clear();
    labels_.clear();
    message_ = text;
    update();
}

void SeriesChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPixelSize(11);
    p.setFont(small);
    std::size_t n = 0;
    for (const Series& s : series_) n = std::max(n, s.values.size());
    if (n == 0) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, message_);
        return;
    }

    double lo = fromZero_ ? 0.0 : INFINITY, hi = -INFINITY;
    for (const Series& s : series_)
        for (double v : s.values) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (!(hi > lo)) hi = lo + 1;
    const QRect plot(kAxisWidth, kLegendHeight + 4, width() - kAxisWidth - 8,
                     height() - kLegendHeight - kLabelHeight - 8);
    auto yOf = [&](double v) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };
    auto xOf = [&](std::size_t i) {
        return n == 1 ? plot.center().x() : plot.left() + double(i) * plot.width() / double(n - 1);
    };

    // Grid and value figures.
    const QColor grid(225, 225, 225);
    for (int g = 0; g <= kGridLines; ++g) {
        const double v = lo + (hi - lo) * g / kGridLines;
        const int y = static_cast<int>(std::lround(yOf(v)));
        p.setPen(grid);
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(0, y - 8, kAxisWidth - 4, 16), Qt::AlignRight | Qt::AlignVCenter, valueText_(v));
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(plot);

    // The draws' labels: first, middle, last.
    const int labelTop = plot.bottom() + 3;
    p.setPen(palette().color(QPalette::WindowText));
    if (!labels_.isEmpty()) {
        const auto last = static_cast<std::size_t>(labels_.size() - 1);
        p.drawText(QRect(plot.left(), labelTop, plot.width() / 3, kLabelHeight), Qt::AlignLeft,
                   labels_.front());
        if (last > 1)
            p.drawText(QRect(plot.left() + plot.width() / 3, labelTop, plot.width() / 3, kLabelHeight),
                       Qt::AlignHCenter, labels_[static_cast<int>(last / 2)]);
        if (last > 0)
            p.drawText(QRect(plot.right() - plot.width() / 3, labelTop, plot.width() / 3, kLabelHeight),
                       Qt::AlignRight, labels_.back());
    }

    // The lines, at most one point per pixel column.
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    const std::size_t step =
        std::max<std::size_t>(1, n / static_cast<std::size_t>(std::max(plot.width(), 1)));
    for (const Series& s : series_) {
        if (s.values.empty()) continue;
        QPainterPath path;
        path.moveTo(xOf(0), yOf(s.values[0]));
        for (std::size_t i = step; i < s.values.size(); i += step) path.lineTo(xOf(i), yOf(s.values[i]));
        path.lineTo(xOf(s.values.size() - 1), yOf(s.values.back()));
        p.setPen(QPen(s.colour, 1.5, s.dashed ? Qt::DashLine : Qt::SolidLine));
        p.drawPath(path);
    }
    p.setClipping(false);

    // Legend, right to left along the top.
    int right = width() - 6;
    for (auto it = series_.rbegin(); it != series_.rend(); ++it) {
        const int textWidth = p.fontMetrics().horizontalAdvance(it->name);
        const int left = right - textWidth - 22;
        p.setPen(QPen(it->colour, 2, it->dashed ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(left, kLegendHeight / 2 + 2, left + 16, kLegendHeight / 2 + 2);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(left + 20, 2, textWidth + 2, kLegendHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   it->name);
        right = left - 12;
    }
}

}  // namespace numsift
