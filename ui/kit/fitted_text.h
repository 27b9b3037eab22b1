#pragma once
// Short texts drawn centred in cells, each at the largest pixel size that
// fits its cell, laid out once: a chart repaints thousands of cells whose
// texts (figures, captions, issues) repeat, and shaping each anew on every
// paint costs more than all else the paint does. A text is shaped the first
// time it is drawn at a size and kept (QStaticText) for the next paints.

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

#include <utility>

class QPainter;
class QRect;

namespace numsift {

class FittedText {
public:
    static constexpr int kSmallestPixel = 8;

    // The font the texts are drawn in (its family and style; the size is
    // each text's own). A different font drops what was kept.
    void setFont(const QFont& font);

    // Draws text centred in box, never wider than the box less a pixel each
    // side: the largest of the pixel sizes from pixel down to 8 that fits,
    // else 8 squeezed across. The painter's font is left as the text's.
    void draw(QPainter& p, const QRect& box, const QString& text, int pixel, bool bold = false);

    // The size draw chooses for text in a box room pixels wide (the width it
    // may take), and the text's width at it.
    struct Fit {
        int pixel;
        int width;
    };
    Fit fit(const QString& text, int room, int pixel, bool bold = false);

    int kept() const { return static_cast<int>(kept_.size()); }

private:
    struct Laid {
        QStaticText text;
        int width = 0;
    };
    const Laid& laid(const QString& text, int pixel, bool bold);
    // The size fit chooses and the text laid out at it.
    std::pair<int, const Laid*> fitted(const QString& text, int room, int pixel, bool bold);
    const QFont& fontAt(int pixel, bool bold);

    static constexpr int kMostKept = 50000;  // past that the kept texts start again
    static constexpr int kLargestPixel = 32;
    QFont base_;
    QHash<QString, Laid> kept_;
    QFont fonts_[2][kLargestPixel + 1];  // by weight and size; made when first used
};

}  // namespace numsift
