#pragma once
// TScroll: a vertical scroll bar drawn from plain parts (track, up arrow,
// down arrow, thumb). QAbstractSlider holds its value, its steps (singleStep
// for the arrows, pageStep for the track) and the repeat of a held arrow or
// track press; TScroll adds the owner's range, the parts and their mouse
// rules. Its one signal, Scroll, tells the owner that the value may have
// changed.

#include <QAbstractSlider>
#include <QColor>

namespace numsift {

// The arrows and thumb of the scroll bars the window shows (the result list's
// and the page buttons'): paler than a new bar's default fore colour.
inline const QColor kWindowBarColour(224, 224, 255);

class TScroll : public QAbstractSlider {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int SmallChange READ singleStep WRITE setSingleStep)
    Q_PROPERTY(int LargeChange READ pageStep WRITE setPageStep)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(int backStyle READ backStyle WRITE setBackStyle)
    Q_PROPERTY(int borderStyle READ borderStyle WRITE setBorderStyle)

public:
    static constexpr int kWidth = 15;        // forced width in pixels
    static constexpr int kArrowHeight = 15;  // both arrows are square
    static constexpr int kMinThumbHeight = 16;
    static constexpr int kFirstRepeatMs = 500;
    static constexpr int kRepeatMs = 50;

    // The parts a mouse press can hit.
    enum class Part { None, Track, UpArrow, DownArrow, Thumb };

    explicit TScroll(QWidget* parent = nullptr);

    // The range the owner set; Min >= Max means nothing to scroll.
    int min() const { return min_; }
    int max() const { return max_; }
    QColor backColor() const { return backColor_; }
    QColor foreColor() const { return foreColor_; }
    int backStyle() const { return backStyle_; }      // 1 opaque, 0 transparent
    int borderStyle() const { return borderStyle_; }  // 0 none, 1 single line

    // Clamps into [Min, Max] (raised to Min first, then lowered to Max);
    // places the thumb and emits Scroll only when the stored value changed.
    void setValue(int v);
    // Store the bound without touching Value and lay the parts out again.
    // Owners that lower Max clamp Value themselves.
    void setMin(int v);
    void setMax(int v);
    void setBackColor(const QColor& c);
    void setForeColor(const QColor& c);
    void setBackStyle(int s);
    void setBorderStyle(int s);

    // Geometry of the parts in widget pixels, as currently laid out.
    QRect upArrowRect() const;
    QRect downArrowRect() const;
    QRect thumbRect() const;  // empty while the thumb is hidden
    bool thumbVisible() const { return thumbVisible_; }
    int thumbHeight() const { return thumbHeight_; }
    int thumbTop() const { return thumbTop_; }
    // Colour a part is painted in: white while pressed, else the fore colour.
    QColor partColor(Part part) const;

    QSize sizeHint() const override { return {kWidth, 100}; }

signals:
    void Scroll();

protected:
    void sliderChange(SliderChange change) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Part partAt(const QPoint& p) const;
    void fitRange();
    void layoutParts();
    void sizeThumb();
    void placeThumb();
    int downArrowTop() const { return height() - kArrowHeight; }
    int thumbBottomLimit() const { return downArrowTop() - thumbHeight_ + 1; }
    int clamped(long long v) const;
    void step(SliderAction action);

    int min_ = 0;
    int max_ = 100;
    QColor backColor_{224, 224, 224};
    QColor foreColor_{192, 192, 255};
    int backStyle_ = 1;
    int borderStyle_ = 0;

    bool thumbVisible_ = false;
    int thumbHeight_ = 1;
    int thumbTop_ = 0;
    double scale_ = 0;   // pixels of thumb travel per unit of value
    double offset_ = 0;  // thumb top at Min

    Part pressed_ = Part::None;
    int grabY_ = 0;
    bool stepped_ = false;  // an action moved the slider since it was last cleared
};

}  // namespace numsift
