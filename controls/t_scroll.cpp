#include "controls/t_scroll.h"

#include <QHideEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

#include <algorithm>

#include "engine/rounding.h"

namespace numsift {

namespace {

int roundPx(double v) { return static_cast<int>(roundHalfEven(v)); }

// A small filled triangle centred in r, pointing up or down.
void drawArrow(QPainter& p, const QRect& r, bool up) {
    const double cx = r.left() + r.width() / 2.0;
    const double cy = r.top() + r.height() / 2.0;
    const double half = 4.0;
    QPainterPath path;
    if (up) {
        path.moveTo(cx - half, cy + 2);
        path.lineTo(cx + half, cy + 2);
        path.lineTo(cx, cy - 2.5);
    } else {
        path.moveTo(cx - half, cy - 2);
        path.lineTo(cx + half, cy - 2);
        path.lineTo(cx, cy + 2.5);
    }
    path.closeSubpath();
    p.fillPath(path, QColor(64, 64, 96));
}

}  // namespace

TScroll::TScroll(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kWidth);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &TScroll::repeatTick);
    layoutParts();
}

int TScroll::clamp(long long v) const {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    return static_cast<int>(v);
}

void TScroll::setValue(int v) {
    const int c = clamp(v);
    if (c == value_) return;
    value_ = c;
    placeThumb();
    update();
    emit Scroll();
}

void TScroll::setMin(int v) {
    min_ = v;
    layoutParts();
    update();
}

void TScroll::setMax(int v) {
    max_ = v;
    layoutParts();
    update();
}

void TScroll::setBackColor(const QColor& c) {
    backColor_ = c;
    update();
}

void TScroll::setForeColor(const QColor& c) {
    foreColor_ = c;
    update();
}

void TScroll::setBackStyle(int s) {
    backStyle_ = s;
    update();
}

void TScroll::setBorderStyle(int s) {
    borderStyle_ = s;
    update();
}

QRect TScroll::upArrowRect() const { return {0, 0, kWidth, kArrowHeight}; }

QRect TScroll::downArrowRect() const { return {0, downArrowTop(), kWidth, kArrowHeight}; }

QRect TScroll::thumbRect() const {
    if (!thumbVisible_) return {};
    return {0, thumbTop_, kWidth, thumbHeight_};
}

TScroll::Part TScroll::partAt(const QPoint& p) const {
    if (!rect().contains(p)) return Part::None;
    if (upArrowRect().contains(p)) return Part::UpArrow;
    if (downArrowRect().contains(p)) return Part::DownArrow;
    if (thumbRect().contains(p)) return Part::Thumb;
    return Part::Track;
}

QColor TScroll::partColor(Part part) const {
    return part == pressed_ && part != Part::Track && part != Part::None ? QColor(255, 255, 255) : foreColor_;
}

void TScroll::layoutParts() {
    sizeThumb();
    placeThumb();
}

void TScroll::sizeThumb() {
    if (min_ >= max_) {
        thumbHeight_ = 1;
        thumbVisible_ = false;
        scale_ = 0;
        return;
    }
    const long long range = static_cast<long long>(max_) - min_;
    const int track = height() - 2 * kArrowHeight - 2;
    thumbHeight_ = std::max<long long>(track / (range + 1), kMinThumbHeight);
    thumbVisible_ = true;
    scale_ = static_cast<double>(height() - 2 * kArrowHeight - 2 - thumbHeight_) / range;
    offset_ = kArrowHeight - 1;
}

void TScroll::placeThumb() {
    if (!thumbVisible_) return;
    int top;
    if (value_ == min_)
        top = roundPx(offset_);
    else if (value_ == max_)
        top = thumbBottomLimit();
    else
        top = roundPx((static_cast<double>(value_) - min_) * scale_ + offset_);
    // A value left outside a lowered range is drawn at the nearer end.
    thumbTop_ = std::clamp(top, std::min(roundPx(offset_), thumbBottomLimit()),
                           std::max(roundPx(offset_), thumbBottomLimit()));
}

void TScroll::startRepeat(int step) {
    repeatStep_ = step;
    timer_.start(kFirstRepeatMs);
}

void TScroll::stopRepeat() { timer_.stop(); }

void TScroll::repeatTick() {
    timer_.setInterval(kRepeatMs);
    value_ = clamp(static_cast<long long>(value_) + repeatStep_);
    if (value_ == max_ || value_ == min_) stopRepeat();
    placeThumb();
    update();
    emit Scroll();
}

void TScroll::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutParts();
}

void TScroll::hideEvent(QHideEvent* event) {
    // A bar that disappears under a held button must not keep stepping.
    stopRepeat();
    pressed_ = Part::None;
    QWidget::hideEvent(event);
}

void TScroll::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Part part = partAt(pos);
    const bool left = event->button() == Qt::LeftButton;
    switch (part) {
        case Part::UpArrow:
        case Part::DownArrow: {
            if (!left) break;
            const bool up = part == Part::UpArrow;
            if (up ? value_ > min_ : value_ < max_) {
                const long long step = up ? -static_cast<long long>(smallChange_) : smallChange_;
                value_ = clamp(value_ + step);
                placeThumb();
                emit Scroll();
                startRepeat(static_cast<int>(step));
            }
            pressed_ = part;
            break;
        }
        case Part::Thumb:
            if (!left) break;
            grabY_ = pos.y() - thumbTop_;
            pressed_ = Part::Thumb;
            break;
        case Part::Track: {
            if (!thumbVisible_) break;
            pressed_ = Part::Track;
            const double middle = thumbTop_ + thumbHeight_ / 2.0;
            long long step = 0;
            if (pos.y() >= middle) {
                if (value_ < max_) step = largeChange_;
            } else if (value_ > min_) {
                step = -static_cast<long long>(largeChange_);
            }
            if (step != 0) {
                value_ = clamp(value_ + step);
                placeThumb();
                emit Scroll();
                startRepeat(static_cast<int>(step));
            }
            break;
        }
        case Part::None: break;
    }
    update();
    event->accept();
}

void TScroll::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ != Part::Thumb || !(event->buttons() & Qt::LeftButton) || !thumbVisible_) {
        event->ignore();
        return;
    }
    const int low = roundPx(offset_);
    const int high = thumbBottomLimit();
    int newTop = event->position().toPoint().y() - grabY_;
    if (newTop < low) newTop = low;
    if (newTop > high) newTop = high;
    if (scale_ > 0) value_ = clamp(static_cast<long long>(roundHalfEven((newTop - offset_) / scale_ + min_)));
    placeThumb();
    update();
    emit Scroll();
    event->accept();
}

void TScroll::mouseReleaseEvent(QMouseEvent* event) {
    // Any release ends the repeat: the bar holds the mouse while a button is
    // down, so a release away from the pressed part still reaches it here.
    stopRepeat();
    if (pressed_ == Part::Thumb) placeThumb();
    pressed_ = Part::None;
    update();
    event->accept();
}

void TScroll::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (backStyle_ != 0) p.fillRect(rect(), backColor_);
    if (borderStyle_ != 0) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QColor edge = foreColor_.darker(140);
    auto drawPart = [&](const QRect& r, Part part) {
        p.fillRect(r, partColor(part));
        p.setPen(edge);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    if (thumbVisible_) drawPart(thumbRect(), Part::Thumb);
    drawPart(upArrowRect(), Part::UpArrow);
    drawArrow(p, upArrowRect(), true);
    drawPart(downArrowRect(), Part::DownArrow);
    drawArrow(p, downArrowRect(), false);
}

}  // namespace numsift
