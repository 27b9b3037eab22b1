#include "ui/kit/fitted_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace numsift {

void FittedText::setFont(const QFont& font) {
    if (font == base_) return;
    base_ = font;
    kept_.clear();
    std::fill(&fontMade_[0][0], &fontMade_[0][0] + 2 * (kLargestPixel + 1), false);
}

const QFont& FittedText::fontAt(int pixel, bool bold) {
    pixel = std::clamp(pixel, kSmallestPixel, kLargestPixel);
    QFont& f = fonts_[bold][pixel];
    if (!fontMade_[bold][pixel]) {
        f = base_;
        f.setBold(bold);
        f.setPixelSize(pixel);
        fontMade_[bold][pixel] = true;
    }
    return f;
}

const FittedText::Laid& FittedText::laid(const QString& text, int pixel, bool bold) {
    // One key for the text at its size and weight: the text last, so that no
    // text can stand for another's size.
    QString key;
    key.reserve(text.size() + 2);
    key += QChar(static_cast<char16_t>(pixel));
    key += QChar(bold ? u'b' : u'r');
    key += text;
    auto it = kept_.find(key);
    if (it != kept_.end()) return *it;
    if (kept_.size() >= kMostKept) kept_.clear();
    const QFont& f = fontAt(pixel, bold);
    Laid l;
    l.text.setText(text);
    l.text.setTextFormat(Qt::PlainText);
    l.text.prepare(QTransform(), f);
    l.width = QFontMetrics(f).horizontalAdvance(text);
    return *kept_.insert(key, std::move(l));
}

FittedText::Fit FittedText::fit(const QString& text, int room, int pixel, bool bold) {
    pixel = std::clamp(pixel, kSmallestPixel, kLargestPixel);
    for (int size = pixel;; --size) {
        const int width = laid(text, size, bold).width;
        if (width <= room || size == kSmallestPixel) return {size, width};
    }
}

void FittedText::draw(QPainter& p, const QRect& box, const QString& text, int pixel, bool bold) {
    const int room = box.width() - 2;
    const Fit f = fit(text, room, pixel, bold);
    const QFont& font = fontAt(f.pixel, bold);
    p.setFont(font);
    if (f.width <= room) {
        const Laid& l = laid(text, f.pixel, bold);
        const QSizeF size = l.text.size();
        const QPointF at(box.left() + (box.width() - size.width()) / 2.0,
                         box.top() + (box.height() - size.height()) / 2.0);
        p.drawStaticText(at, l.text);
        return;
    }
    p.save();
    p.translate(box.left() + 1, box.top());
    p.scale(static_cast<double>(room) / f.width, 1.0);
    p.drawText(QRect(0, 0, f.width, box.height()), Qt::AlignCenter, text);
    p.restore();
}

}  // namespace numsift
