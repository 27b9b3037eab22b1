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
    for (auto& weight : fonts_)
        for (QFont& f : weight) f = QFont();
}

const QFont& FittedText::fontAt(int pixel, bool bold) {
    pixel = std::clamp(pixel, kSmallestPixel, kLargestPixel);
    QFont& f = fonts_[bold][pixel];
    if (f.pixelSize() != pixel) {
        f = base_;
        f.setBold(bold);
        f.setPixelSize(pixel);
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

std::pair<int, const FittedText::Laid*> FittedText::fitted(const QString& text, int room, int pixel,
                                                           bool bold) {
    pixel = std::clamp(pixel, kSmallestPixel, kLargestPixel);
    for (int size = pixel;; --size) {
        const Laid& l = laid(text, size, bold);
        if (l.width <= room || size == kSmallestPixel) return {size, &l};
    }
}

FittedText::Fit FittedText::fit(const QString& text, int room, int pixel, bool bold) {
    const auto [size, l] = fitted(text, room, pixel, bold);
    return {size, l->width};
}

void FittedText::draw(QPainter& p, const QRect& box, const QString& text, int pixel, bool bold) {
    const int room = box.width() - 2;
    const auto [size, l] = fitted(text, room, pixel, bold);
    p.setFont(fontAt(size, bold));
    if (l->width <= room) {
        const QSizeF extent = l->text.size();
        const QPointF at(box.left() + (box.width() - extent.width()) / 2.0,
                         box.top() + (box.height() - extent.height()) / 2.0);
        p.drawStaticText(at, l->text);
        return;
    }
    p.save();
    p.translate(box.left() + 1, box.top());
    p.scale(static_cast<double>(room) / l->width, 1.0);
    p.drawText(QRect(0, 0, l->width, box.height()), Qt::AlignCenter, text);
    p.restore();
}

}  // namespace numsift
