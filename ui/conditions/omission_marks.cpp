#include "ui/conditions/omission_marks.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>
#include <array>
#include <numeric>

#include "controls/entry_box.h"
#include "controls/omission_badge.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/range_selector.h"

namespace numsift {

double omissionHeat(const ItemFigures& f) {
    return omissionHeat(f.currentOmission, f.averageOmissionHundredths);
}

QString omissionToolTip(ItemId item, const ItemFigures& f, const QString& window) {
    return QStringLiteral("%1（%2）\n出现次数 %3\n平均遗漏 %4\n最大遗漏 %5\n当前遗漏 %6\n最大连出 %7")
        .arg(QString::fromStdString(itemCaption(item)), window)
        .arg(f.hits)
        .arg(QString::fromStdString(hundredthsText(f.averageOmissionHundredths)))
        .arg(f.longestOmission)
        .arg(f.currentOmission)
        .arg(f.longestStreak);
}

OmissionMarks::OmissionMarks(KeptHistory* history, QObject* parent) : QObject(parent), history_(history) {
    connect(history_, &KeptHistory::windowChanged, this, [this] {
        if (shown_) refresh();
    });
}

void OmissionMarks::add(QAbstractButton* control, ItemId item) {
    marks_.push_back(Mark{control, item, control->toolTip()});
}

void OmissionMarks::addSumBox(QWidget* box) {
    sumBox_ = box;
    sumBoxToolTip_ = box->toolTip();
    // The sums missing longest, in the box's free right end: hidden while
    // what is typed would reach them.
    sumFigures_ = new QLabel(box);
    sumFigures_->setObjectName(QStringLiteral("sumOmissionFigures"));
    sumFigures_->setAttribute(Qt::WA_TransparentForMouseEvents);
    sumFigures_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Over the grey hint's end, on the box's own ground.
    sumFigures_->setStyleSheet(QStringLiteral("color: #c80000; background: palette(base);"));
    QFont small = sumFigures_->font();
    small.setPixelSize(9);
    small.setBold(true);
    sumFigures_->setFont(small);
    sumFigures_->hide();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box))
        connect(edit, &QPlainTextEdit::textChanged, this, &OmissionMarks::placeSumFigures);
}

void OmissionMarks::placeSumFigures() {
    if (!sumFigures_) return;
    // The grey hint is not typing: the figures stand over its end.
    const auto* edit = qobject_cast<const EntryBox*>(sumBox_);
    const int width = sumFigures_->sizeHint().width();
    sumFigures_->setGeometry(sumBox_->width() - width - 4, 2, width, sumBox_->height() - 4);
    const int typed = edit ? edit->fontMetrics().horizontalAdvance(edit->entryText()) + 10 : 0;
    sumFigures_->setVisible(shown_ && !sumFigures_->text().isEmpty() && typed < sumBox_->width() - width - 8);
}

void OmissionMarks::placeRange(QWidget* page, QPoint at) {
    rangeLabel_ = new QLabel(QStringLiteral("遗漏统计范围"), page);
    rangeLabel_->setObjectName(QStringLiteral("omissionRangeTitle"));
    rangeLabel_->setGeometry(at.x() - 76, at.y(), 74, RangeSelector::kHeight);
    rangeLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    range_ = new RangeSelector(history_, page);
    range_->setObjectName(QStringLiteral("omissionRange"));
    range_->move(at);
    range_->setToolTip(QStringLiteral(
        "显示遗漏的数字按这个范围统计（当前遗漏总是按全部开奖历史）；与走势图、历史验证是同一个范围"));
    rangeLabel_->setVisible(shown_);
    range_->setVisible(shown_);
}

void OmissionMarks::setShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    if (range_) {
        rangeLabel_->setVisible(shown_);
        range_->setVisible(shown_);
        range_->raise();
    }
    if (shown_) {
        refresh();
        return;
    }
    for (Mark& m : marks_) {
        if (m.badge) m.badge->hide();
        m.control->setToolTip(m.ownToolTip);
    }
    if (sumBox_) sumBox_->setToolTip(sumBoxToolTip_);
    if (sumFigures_) sumFigures_->hide();
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
    if (!sumBox_) return;
    // Every sum: 当前遗漏 and, in brackets, 平均遗漏; six to a line.
    QString tip = QStringLiteral("杀和值（%1）：当前遗漏（平均遗漏）").arg(window);
    for (int sum = 0; sum <= 45; ++sum) {
        const ItemFigures& f = stats[sumItem(sum)];
        tip += sum % 6 == 0 ? QStringLiteral("\n") : QStringLiteral("   ");
        tip += QStringLiteral("%1：%2（%3）")
                   .arg(sum, 2, 10, QLatin1Char('0'))
                   .arg(f.currentOmission)
                   .arg(QString::fromStdString(hundredthsText(f.averageOmissionHundredths)));
    }
    if (!sumBoxToolTip_.isEmpty()) tip += QStringLiteral("\n\n") + sumBoxToolTip_;
    sumBox_->setToolTip(any ? tip : QStringLiteral("杀和值：还没有保存的开奖历史"));
    // The three sums missing longest: "久未出 03:128 44:97 02:85".
    std::array<int, 46> sums{};
    std::iota(sums.begin(), sums.end(), 0);
    std::stable_sort(sums.begin(), sums.end(), [&stats](int a, int b) {
        return stats[sumItem(a)].currentOmission > stats[sumItem(b)].currentOmission;
    });
    QString coldest = QStringLiteral("久未出");
    for (int k = 0; k < 3; ++k)
        coldest += QStringLiteral(" %1:%2")
                       .arg(sums[static_cast<std::size_t>(k)], 2, 10, QLatin1Char('0'))
                       .arg(stats[sumItem(sums[static_cast<std::size_t>(k)])].currentOmission);
    sumFigures_->setText(any ? coldest : QString());
    placeSumFigures();
}

}  // namespace numsift
