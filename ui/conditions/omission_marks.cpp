#include "ui/conditions/omission_marks.h"

#include <QAbstractButton>

#include <algorithm>

#include "controls/omission_badge.h"
#include "ui/analysis/kept_history.h"

namespace numsift {

double omissionHeat(const ItemFigures& f) { return omissionHeat(f.currentOmission, f.averageOmissionHundredths); }

QString omissionToolTip(ItemId item, const ItemFigures& f, const QString& window) {
    return QStringLiteral("%1（%2）\n出现次数 %3\n当前遗漏 %4\n最大遗漏 %5\n平均遗漏 %6\n最大连出 %7")
        .arg(QString::fromStdString(itemCaption(item)), window)
        .arg(f.hits)
        .arg(f.currentOmission)
        .arg(f.longestOmission)
        .arg(QString::fromStdString(hundredthsText(f.averageOmissionHundredths)))
        .arg(f.longestStreak);
}

OmissionMarks::OmissionMarks(const KeptHistory* history, QObject* parent)
    : QObject(parent), history_(history) {
    connect(history_, &KeptHistory::windowChanged, this, [this] {
        if (shown_) refresh();
    });
}

void OmissionMarks::add(QAbstractButton* control, ItemId item) {
    marks_.push_back(Mark{control, item, control->toolTip()});
}

void OmissionMarks::setShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    if (shown_) {
        refresh();
        return;
    }
    for (Mark& m : marks_) {
        if (m.badge) m.badge->hide();
        m.control->setToolTip(m.ownToolTip);
    }
}

OmissionBadge* OmissionMarks::badgeOf(const QAbstractButton* control) const {
    for (const Mark& m : marks_)
        if (m.control == control) return m.badge;
    return nullptr;
}

void OmissionMarks::refresh() {
    const OmissionStats& stats = history_->stats();
    const bool any = stats.drawCount() > 0;
    const QString window = history_->windowText();
    for (Mark& m : marks_) {
        if (!m.badge) m.badge = new OmissionBadge(m.control);
        const ItemFigures& f = stats[m.item];
        // Without draws there is nothing to show but the tooltip's reason.
        m.badge->setFigure(any ? QString::number(f.currentOmission) : QString(), any ? omissionHeat(f) : 0);
        m.badge->show();
        QString tip =
            any ? omissionToolTip(m.item, f, window)
                : QStringLiteral("%1：还没有保存的开奖历史").arg(QString::fromStdString(itemCaption(m.item)));
        if (!m.ownToolTip.isEmpty()) tip += QStringLiteral("\n\n") + m.ownToolTip;
        m.control->setToolTip(tip);
    }
}

}  // namespace numsift
