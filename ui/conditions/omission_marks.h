#pragma once
// "显示遗漏": the omission figures of the kept history on the very controls
// they inform. Each control that names a condition item (a 定位杀 box, a sum
// tail, span or 通杀码 box, a pattern, 012 or shape box, a ratio or AC
// button) wears a badge (controls/omission_badge.h) with its 当前遗漏 and a
// tint that grows as 当前遗漏 passes 平均遗漏, and its tooltip gives all five
// figures over the chosen window. Off, no badge exists or shows and every
// tooltip is the control's own: the window is as it was.

#include <QObject>
#include <QString>

#include <vector>

#include "analysis/condition_items.h"
#include "analysis/omission_stats.h"

class QAbstractButton;

namespace numsift {

class KeptHistory;
class OmissionBadge;

// The tint's strength for a current omission against the average one:
// none up to the average, full at three times it.
double omissionHeat(const ItemFigures& figures);

// The tooltip of an item over a window: its caption, the window and the
// five figures, one a line.
QString omissionToolTip(ItemId item, const ItemFigures& figures, const QString& window);

class OmissionMarks : public QObject {
    Q_OBJECT
public:
    OmissionMarks(const KeptHistory* history, QObject* parent = nullptr);

    // A control and the item it names.
    void add(QAbstractButton* control, ItemId item);

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

    const KeptHistory* history_;
    std::vector<Mark> marks_;
    bool shown_ = false;
};

}  // namespace numsift
