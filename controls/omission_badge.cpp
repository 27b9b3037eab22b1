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
    // Digits are of one width: only a figure of another length moves.
    const bool moves = figure.size() != figure_.size();
    figure_ = figure;
    heat_ = heat;
    if (moves && isVisible()) layOut();
    if (!moves) shown_ = shownShort_ ? thousandsOf(figure_) : figure_;
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

QString OmissionBadge::thousandsOf(const QString& figure) {
    return figure.size() >= 4 ? QString::number(figure.toLongLong() / 1000) + QLatin1Char('k') : figure;
}

bool OmissionBadge::fits(const QString& text, const QFont& caption) {
    captionRect_ = captionOf(caption);
    const int room = rect().width() - (captionRect_.isNull() ? 0 : captionRect_.right() + 1);
    for (int size = 9; size >= 7; --size) {
        figureFont_.setPixelSize(size);
        const int width = QFontMetrics(figureFont_).horizontalAdvance(text);
        if (width + 1 > room) continue;
        shown_ = text;
        shownShort_ = text != figure_;
        figureRect_ = QRect(rect().width() - width - 1, 0, width + 1, std::min(rect().height(), size + 4));
        return true;
    }
    return false;
}

void OmissionBadge::layOut() {
    QWidget* control = parentWidget();
    if (shrunk_) {
        control->setFont(ownFont_);
        shrunk_ = false;
    }
    ownFont_ = control->font();
    rimmed_ = false;
    figureFont_ = font();
    figureFont_.setBold(true);
    // The whole figure beside the caption, the caption a pixel smaller at a
    // time if need be; then thousands as "7k" beside the smallest caption.
    const bool thousands = figure_.size() >= 4;
    const QString shortFigure =
        thousands ? QString::number(figure_.toLongLong() / 1000) + QLatin1Char('k') : figure_;
    QFont caption = ownFont_;
    for (;;) {
        const int pixels = QFontInfo(caption).pixelSize();
        const bool smallest = captionRect_.isNull() || pixels <= 9;
        if (fits(figure_, caption) || (smallest && fits(shortFigure, caption))) {
            if (caption != ownFont_) {
                control->setFont(caption);
                shrunk_ = true;
            }
            return;
        }
        if (smallest) break;
        caption.setPixelSize(pixels - 1);
    }
    // No room right of the caption (a digit box 30 pixels wide): over the
    // top of the tick box, left of the caption, with a white rim.
    shown_ = shortFigure;
    shownShort_ = true;
    figureFont_.setPixelSize(7);
    const int width = QFontMetrics(figureFont_).horizontalAdvance(shown_);
    figureRect_ = QRect(0, 0, std::min(width + 1, std::max(1, captionRect_.left())), 9);
    rimmed_ = true;
    return;
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
    if (rimmed_) {
        p.setPen(Qt::white);
        for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            p.drawText(figureRect_.translated(d), Qt::AlignLeft | Qt::AlignTop, shown_);
        p.setPen(kFigureColour);
        p.drawText(figureRect_, Qt::AlignLeft | Qt::AlignTop, shown_);
        return;
    }
    p.setPen(kFigureColour);
    p.drawText(figureRect_, Qt::AlignRight | Qt::AlignTop, shown_);
}

}  // namespace numsift
