#include "controls/rule_mark.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>

namespace numsift {

const QColor RuleMark::kFrame(30, 90, 220);
const QColor RuleMark::kFill(60, 130, 255, 120);

RuleMark::RuleMark(QWidget* control) : QWidget(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(control->rect());
    control->installEventFilter(this);
    hide();
}

void RuleMark::setRules(const QString& rules) {
    if (rules == rules_) return;
    rules_ = rules;
    setVisible(!rules_.isEmpty());
    raise();
    update();
}

QRect RuleMark::indicator() const {
    if (const auto* box = qobject_cast<const QCheckBox*>(parentWidget())) {
        QStyleOptionButton option;
        option.initFrom(box);
        return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    }
    return rect();
}

bool RuleMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched != parent()) return false;
    if (event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    if (event->type() == QEvent::ToolTip && !rules_.isEmpty()) {
        // The rules first, then whatever the control says of itself (its
        // own tip, or the omission figures while they are shown).
        const QString own = parentWidget()->toolTip();
        QString tip = QStringLiteral("规则杀号：") + rules_;
        if (!own.isEmpty()) tip += QStringLiteral("\n\n") + own;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, parentWidget());
        return true;
    }
    return false;
}

void RuleMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect box = indicator().adjusted(-1, -1, 1, 1);
    p.fillRect(box, kFill);
    p.setPen(QPen(kFrame, 2));
    p.drawRect(box.adjusted(1, 1, -1, -1));
}

}  // namespace numsift
