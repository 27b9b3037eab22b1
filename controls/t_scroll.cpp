#include "controls/t_scroll.h"

#include <QHideEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QTimerEvent>
#include <QWheelEvent>

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

TScroll::TScroll(QWidget* parent) : QAbstractSlider(parent) {
    setOrientation(Qt::Vertical);
    setFixedWidth(kWidth);
    // A step is taken in the base class's range, which may be stretched over
    // a value the owner left outside his own (see fitRange); where it lands
    // is clamped into the owner's range before it becomes the value.
    connect(this, &QAbstractSlider::actionTriggered, this, [this] {
        setSliderPosition(clamped(sliderPosition()));
        stepped_ = true;
    });
    fitRange();
    layoutParts();
}

int TScroll::clamped(long long v) const {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    return static_cast<int>(v);
}

// QAbstractSlider keeps its value inside its own range, but a value the
// owner leaves outside a lowered Max (or a raised Min) stays until Value is
// set again. So the base range is the owner's, stretched to hold such a
// value; with Min > Max every value clamps to Max, so the owner's range is
// Max alone.
void TScroll::fitRange() {
    const int v = value();
    setRange(std::min({min_, max_, v}), std::max(max_, v));
}

void TScroll::setValue(int v) {
    const int c = clamped(v);
    if (c == value()) return;
    QAbstractSlider::setValue(c);
    emit Scroll();
}

void TScroll::setMin(int v) {
    min_ = v;
    fitRange();
    layoutParts();
    update();
}

void TScroll::setMax(int v) {
    max_ = v;
    fitRange();
    layoutParts();
    update();
}

void TScroll::sliderChange(SliderChange change) {
    if (change == SliderValueChange) {
        fitRange();  // a new value lies in the owner's range: no stretch left
        placeThumb();
    }
    QAbstractSlider::sliderChange(change);  // repaints
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
    const int v = value();
    int top;
    if (v == min_)
        top = roundPx(offset_);
    else if (v == max_)
        top = thumbBottomLimit();
    else
        top = roundPx((static_cast<double>(v) - min_) * scale_ + offset_);
    // A value left outside a lowered range is drawn at the nearer end.
    thumbTop_ = std::clamp(top, std::min(roundPx(offset_), thumbBottomLimit()),
                           std::max(roundPx(offset_), thumbBottomLimit()));
}

// One step now, then the same step after 500 ms and every 50 ms while the
// button is held.
void TScroll::step(SliderAction action) {
    triggerAction(action);
    emit Scroll();
    setRepeatAction(action, kFirstRepeatMs, kRepeatMs);
}

void TScroll::timerEvent(QTimerEvent* event) {
    stepped_ = false;
    QAbstractSlider::timerEvent(event);
    if (!stepped_) return;  // not the repeat
    // The repeat stops at either end of the range.
    if (value() == max_ || value() == min_) setRepeatAction(SliderNoAction);
    emit Scroll();
}

void TScroll::resizeEvent(QResizeEvent* event) {
    QAbstractSlider::resizeEvent(event);
    layoutParts();
}

void TScroll::hideEvent(QHideEvent* event) {
    // A bar that disappears under a held button must not keep stepping.
    setRepeatAction(SliderNoAction);
    setSliderDown(false);
    pressed_ = Part::None;
    QAbstractSlider::hideEvent(event);
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
            if (up ? value() > min_ : value() < max_) step(up ? SliderSingleStepSub : SliderSingleStepAdd);
            pressed_ = part;
            break;
        }
        case Part::Thumb:
            if (!left) break;
            grabY_ = pos.y() - thumbTop_;
            pressed_ = Part::Thumb;
            setSliderDown(true);
            break;
        case Part::Track: {
            if (!thumbVisible_) break;
            pressed_ = Part::Track;
            // Any button pages towards the press, from the thumb's middle.
            const bool down = pos.y() >= thumbTop_ + thumbHeight_ / 2.0;
            if (pageStep() != 0 && (down ? value() < max_ : value() > min_))
                step(down ? SliderPageStepAdd : SliderPageStepSub);
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
    if (scale_ > 0)
        setSliderPosition(clamped(static_cast<long long>(roundHalfEven((newTop - offset_) / scale_ + min_))));
    // The thumb snaps to where the value puts it; Scroll on every move.
    placeThumb();
    update();
    emit Scroll();
    event->accept();
}

void TScroll::mouseReleaseEvent(QMouseEvent* event) {
    // Any release ends the repeat: the bar holds the mouse while a button is
    // down, so a release away from the pressed part still reaches it here.
    setRepeatAction(SliderNoAction);
    if (pressed_ == Part::Thumb) {
        setSliderDown(false);
        placeThumb();
    }
    pressed_ = Part::None;
    update();
    event->accept();
}

// The wheel is the owner's: the list scrolls by its own rows.
void TScroll::wheelEvent(QWheelEvent* event) { event->ignore(); }

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
