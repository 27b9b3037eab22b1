#include "controls/select_button.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace numsift {

QColor systemButtonFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

QColor buttonFace(const QPushButton* button) {
    return button->palette().color(QPalette::Active, QPalette::Button);
}

SelectButton::SelectButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void SelectButton::toggleSelection(bool alternative) { setSelected(!selected_, alternative); }

void SelectButton::resetSelection() { setSelected(false); }

void SelectButton::setSelected(bool selected, bool alternative) {
    const bool changed = selected != selected_;
    selected_ = selected;
    setFaceColour(selected ? (alternative ? kSelectedYellow : kSelectedGreen) : QColor());
    if (changed) emit selectionChanged(selected);
}

void SelectButton::setFaceColour(const QColor& colour) {
    const QColor c = colour.isValid() ? colour : systemButtonFace();
    if (face_ == colour && buttonFace(this) == c) return;
    face_ = colour;
    // The palette keeps the colour too, for whoever reads the face from it.
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Button, c);
    setPalette(p);
    update();
}

QColor SelectButton::faceColour() const { return face_.isValid() ? face_ : systemButtonFace(); }

void SelectButton::paintEvent(QPaintEvent* event) {
    if (!face_.isValid()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    // The face in the colour itself, a little darker only while held down;
    // a one-pixel outline as the style draws around its buttons.
    const QRect r = rect();
    p.fillRect(r.adjusted(1, 1, -1, -1), isDown() ? face_.darker(115) : face_);
    p.setPen(palette().color(QPalette::Window).darker(160));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(palette().color(QPalette::Highlight));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
    p.drawControl(QStyle::CE_PushButtonLabel, opt);
}

}  // namespace numsift
