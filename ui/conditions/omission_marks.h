#pragma once
// "显示遗漏": the omission figures of the kept history on the very controls
// they inform. Each control that names a condition item (a 定位杀 box, a sum
// tail, span or 通杀码 box, a pattern, 012 or shape box, a ratio or AC
// button) wears a badge (controls/omission_badge.h) with its 当前遗漏 and a
// tint that grows as 当前遗漏 passes 平均遗漏, and its tooltip gives all five
// figures over the chosen range, in the order of the trend chart's summary.
// The 杀和值 box shows the three sums missing longest in its free right end
// and its tooltip gives every sum's figures. While the figures
// show, the history's range selector stands beside them ("遗漏统计范围"), so
// the player sees and sets what they count over. Off, no badge or selector
// shows and every tooltip is the control's own: the window is as it was.

#include <QObject>
#include <QString>

#include <vector>

#include "analysis/condition_items.h"
#include "analysis/omission_stats.h"

class QAbstractButton;
class QLabel;

namespace numsift {

class KeptHistory;
class OmissionBadge;
class RangeSelector;

// The tint's strength for a current omission against the average one:
// none up to the average, full at three times it.
double omissionHeat(const ItemFigures& figures);

// The tooltip of an item over a range: its caption, the range and the
// five figures, one a line: 出现次数, 平均遗漏, 最大遗漏, 当前遗漏, 最大连出.
QString omissionToolTip(ItemId item, const ItemFigures& figures, const QString& window);

class OmissionMarks : public QObject {
    Q_OBJECT
public:
    OmissionMarks(KeptHistory* history, QObject* parent = nullptr);

    // A control and the item it names.
    void add(QAbstractButton* control, ItemId item);
    // The 杀和值 box, whose tooltip names every sum's figures.
    void addSumBox(QWidget* box);
    // Where the range selector stands while the figures show (its label
    // left of it): on page, at.
    void placeRange(QWidget* page, QPoint at);
    RangeSelector* range() const { return range_; }

    void setShown(bool shown);
    bool shown() const { return shown_; }

    // The badge of a control; nullptr while the figures were never shown.
    OmissionBadge* badgeOf(const QAbstractButton* control) const;

private:
    struct Mark {
        QAbstractButton* control;
        ItemId item;
        QString ownToolTip;
        OmissionBadge* badge = nullptr;
    };
    void refresh();
    void placeSumFigures();

    KeptHistory* history_;
    std::vector<Mark> marks_;
    QWidget* sumBox_ = nullptr;
    QString sumBoxToolTip_;
    QLabel* sumFigures_ = nullptr;  // the sums missing longest, in the box
    QLabel* rangeLabel_ = nullptr;
    RangeSelector* range_ = nullptr;
    bool shown_ = false;
};

}  // namespace numsift
