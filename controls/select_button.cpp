#include "controls/select_button.h"

#include <QApplication>
#include <QPalette>

namespace numsift {

QColor systemButtonFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

void setButtonFace(QPushButton* button, const QColor& colour) {
    const QColor c = colour.isValid() ? colour : systemButtonFace();
    QPalette p = button->palette();
    if (p.color(QPalette::Active, QPalette::Button) == c &&
        p.color(QPalette::Inactive, QPalette::Button) == c)
        return;
    p.setColor(QPalette::Active, QPalette::Button, c);
    p.setColor(QPalette::Inactive, QPalette::Button, c);
    p.setColor(QPalette::Disabled, QPalette::Button, c);
    button->setPalette(p);
}

QColor buttonFace(const QPushButton* button) {
    return button->palette().color(QPalette::Active, QPalette::Button);
}

SelectButton::SelectButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void SelectButton::toggleSelection(bool alternative) { setSelected(!selected_, alternative); }

void SelectButton::resetSelection() { setSelected(false); }

void SelectButton::setSelected(bool selected, bool alternative) {
    selected_ = selected;
    setFaceColour(selected ? (alternative ? kSelectedYellow : kSelectedGreen) : QColor());
}

void SelectButton::setFaceColour(const QColor& colour) { setButtonFace(this, colour); }

QColor SelectButton::faceColour() const { return buttonFace(this); }

}  // namespace numsift
