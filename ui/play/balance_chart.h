#pragma once
// The play record's cumulative balance: after each drawn issue, what was
// won less what was paid (a solid line), beside what a random choice of the
// same bets leaves on average (the chance line: half of what was paid,
// lost). One point per drawn issue, oldest on the left; zero has a line of
// its own.

#include <QWidget>

#include <vector>

#include "analysis/play_ledger.h"

namespace numsift {

class BalanceChart : public QWidget {
    Q_OBJECT
public:
    explicit BalanceChart(QWidget* parent = nullptr);

    void setPoints(std::vector<BalancePoint> points);
    const std::vector<BalancePoint>& points() const { return points_; }

    // Where a point of the chart is drawn: point i of the balance (or of
    // the chance line) in widget coordinates.
    QPointF balanceAt(std::size_t i) const;
    QPointF chanceAt(std::size_t i) const;

    QSize sizeHint() const override { return {600, 220}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;
    QPointF at(std::size_t i, double value) const;

    std::vector<BalancePoint> points_;
    double low_ = 0, high_ = 1;  // the values the plot's bottom and top stand for
};

}  // namespace numsift
