#include "controls/omission_badge.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
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
    const bool wider = figure.size() != figure_.size();
    figure_ = figure;
    heat_ = heat;
    if (wider && isVisible()) layOut();
    update();
}

QColor OmissionBadge::tint(double heat) {
    return QColor(255, 140, 0, static_cast<int>(std::clamp(heat, 0.0, 1.0) * 110));
}

QRect OmissionBadge::captionOf(const QFont& font) const {
    const auto* button = qobject_cast<const QAbstractButton*>(parentWidget());
    if (!button || button->text().isEmpty()) return {};
    const int width = QFontMetrics(font).horizontalAdvance(button->text());
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.fontMetrics = QFontMetrics(font);
    if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button)) {
        const QRect contents = button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
        return QRect(contents.left(), 0, width, button->height());
    }
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return QRect(contents.center().x() - width / 2, 0, width, button->height());
}

void OmissionBadge::layOut() {
    QWidget* control = parentWidget();
    if (shrunk_) {
        control->setFont(ownFont_);
        shrunk_ = false;
    }
    ownFont_ = control->font();
    QFont caption = ownFont_;
    figureFont_ = font();
    figureFont_.setBold(true);
    for (;;) {
        captionRect_ = captionOf(caption);
        const int room = rect().width() - (captionRect_.isNull() ? 0 : captionRect_.right() + 1);
        for (int size = 9; size >= 7; --size) {
            figureFont_.setPixelSize(size);
            const int width = QFontMetrics(figureFont_).horizontalAdvance(figure_);
            if (width + 1 <= room) {
                figureRect_ = QRect(rect().width() - width - 1, 0, width + 1, std::min(rect().height(), size + 4));
                if (caption != ownFont_) {
                    control->setFont(caption);
                    shrunk_ = true;
                }
                return;
            }
        }
        const int pixels = QFontInfo(caption).pixelSize();
        if (captionRect_.isNull() || pixels <= 9) break;
        caption.setPixelSize(pixels - 1);
    }
    // No room at all (a control narrower than its figure): the top right
    // corner, as small as it gets.
    const int width = QFontMetrics(figureFont_).horizontalAdvance(figure_);
    figureRect_ = QRect(rect().width() - width - 1, 0, width + 1, 11);
}

void OmissionBadge::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layOut();
}

void OmissionBadge::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (shrunk_) parentWidget()->setFont(ownFont_);
    shrunk_ = false;
}

bool OmissionBadge::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        if (isVisible()) layOut();
    }
    return false;
}

void OmissionBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (heat_ > 0) p.fillRect(rect(), tint(heat_));
    if (figure_.isEmpty()) return;
    p.setFont(figureFont_);
    p.setPen(kFigureColour);
    p.drawText(figureRect_, Qt::AlignRight | Qt::AlignTop, figure_);
}

}  // namespace numsift
