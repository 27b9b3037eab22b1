#include "controls/omission_badge.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace numsift {

namespace {

const QColor kFigureColour(200, 0, 0);

}  // namespace

OmissionBadge::OmissionBadge(QWidget* control) : QWidget(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(control->rect());
    control->installEventFilter(this);
}

void OmissionBadge::setFigure(const QString& figure, double heat) {
    heat = std::clamp(heat, 0.0, 1.0);
    if (figure == figure_ && heat == heat_) return;
    figure_ = figure;
    heat_ = heat;
    update();
}

QColor OmissionBadge::tint(double heat) {
    return QColor(255, 140, 0, static_cast<int>(std::clamp(heat, 0.0, 1.0) * 110));
}

bool OmissionBadge::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return false;
}

void OmissionBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (heat_ > 0) p.fillRect(rect(), tint(heat_));
    if (figure_.isEmpty()) return;
    QFont f = font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    const int width = p.fontMetrics().horizontalAdvance(figure_);
    // Right of the caption where the control has room, else in its top
    // right corner.
    int used = 0;
    if (const auto* button = qobject_cast<const QAbstractButton*>(parentWidget()))
        used = button->sizeHint().width();
    const bool room = used > 0 && used + width + 1 <= rect().width();
    const QRect box =
        room ? QRect(used, 0, rect().width() - used, rect().height()) : rect().adjusted(0, -1, 0, 0);
    const Qt::Alignment align = Qt::AlignRight | (room ? Qt::AlignVCenter : Qt::AlignTop);
    // In the corner the figure lies over the caption: a white rim keeps
    // both readable.
    if (!room) {
        p.setPen(Qt::white);
        for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            p.drawText(box.translated(d), align, figure_);
    }
    p.setPen(kFigureColour);
    p.drawText(box, align, figure_);
}

}  // namespace numsift
