#pragma once
// A command button that shows a selection by its background: selected
// buttons are green (or yellow when the caller asks for the alternative
// colour), unselected ones have the button-face colour. The tab strip, the
// banker buttons and the ratio buttons are made of these, and so are the
// page buttons and the help buttons, which are coloured by their owners.

#include <QColor>
#include <QPushButton>

namespace numsift {

inline const QColor kSelectedGreen(0, 255, 0);
inline const QColor kSelectedYellow(255, 255, 0);

class SelectButton : public QPushButton {
    Q_OBJECT
public:
    explicit SelectButton(const QString& caption, QWidget* parent = nullptr);

    bool isSelected() const { return selected_; }
    // Unselects a selected button, selects an unselected one (green, or
    // yellow when alternative is true).
    void toggleSelection(bool alternative = false);
    void resetSelection();
    void setSelected(bool selected, bool alternative = false);

    // Sets the background colour of the button face (used for page marks and
    // the help-button highlight as well); an invalid colour restores the face.
    // A set colour fills the face flat, exactly as given: the style's own
    // face (a gradient in most styles) would show a different colour.
    void setFaceColour(const QColor& colour);
    QColor faceColour() const;

signals:
    // The selection changed, by a click or by a call.
    void selectionChanged(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool selected_ = false;
    QColor face_;  // invalid: the style draws its own face
};

// The face colour of any push button, as its palette holds it.
QColor buttonFace(const QPushButton* button);
QColor systemButtonFace();

}  // namespace numsift
