#pragma once
// A figure worn by a control: a small number in the control's free space,
// never over a character of its caption, and a tint over the control that
// grows with heat (0: none, 1: full). The figure stands right of the caption
// (a box's text, a button's centred text), at 9 px or, where that leaves no
// room, as small as 7 px; where even that does not fit, the caption is set a
// pixel smaller at a time (not below 9 px) while the figure shows, and a
// figure of thousands is written "7k" if it still does not fit. Where even
// that leaves no room (a digit box), the figure stands over the top of the
// tick box, left of the caption, with a white rim. It lies
// over its parent and takes no clicks; hiding it gives the control back its
// own font, as it was.

#include <QWidget>

namespace numsift {

class OmissionBadge : public QWidget {
    Q_OBJECT
public:
    explicit OmissionBadge(QWidget* control);

    void setFigure(const QString& figure, double heat);
    const QString& figure() const { return figure_; }
    double heat() const { return heat_; }

    // The tint at heat h: orange, more opaque as h grows.
    static QColor tint(double heat);

    // Where the figure and the caption's characters stand in the control.
    QRect figureRect() const { return figureRect_; }
    QRect captionRect() const { return captionRect_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect captionOf(const QFont& font) const;
    // "7k" for 7000..7999; a figure under 1000 as it is.
    static QString thousandsOf(const QString& figure);
    // Places text beside the caption in that font; false when there is no room.
    bool fits(const QString& text, const QFont& caption);
    void layOut();

    QString figure_;
    QString shown_;            // the figure as it stands (thousands may be "7k")
    bool rimmed_ = false;      // no room beside the caption: over the tick box, rimmed
    bool shownShort_ = false;  // shown_ is thousandsOf(figure_)
    double heat_ = 0;
    QFont figureFont_;
    QRect figureRect_, captionRect_;
    bool shrunk_ = false;  // the caption's font was made smaller
    QFont ownFont_;        // the control's font before that
};

}  // namespace numsift
