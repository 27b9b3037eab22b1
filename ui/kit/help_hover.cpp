#include "ui/kit/help_hover.h"

#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>

#include "controls/select_button.h"
#include "ui/kit/widget_kit.h"

namespace numsift::ui {

namespace {

// Strictly inside on all four sides, as the pixel grid goes: the first row
// and column are the edge.
bool strictlyInside(const QWidget* w, const QPoint& pos) {
    return pos.x() > 0 && pos.x() < w->width() && pos.y() > 0 && pos.y() < w->height();
}

class HelpHover : public QObject {
public:
    explicit HelpHover(SelectButton* button) : QObject(button), button_(button) {
        // Moves inside the button arrive without a pressed button.
        button->setMouseTracking(true);
        button->installEventFilter(this);
        show(false);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != button_) return false;
        switch (event->type()) {
            case QEvent::Enter:
                show(strictlyInside(button_, static_cast<QEnterEvent*>(event)->position().toPoint()));
                break;
            case QEvent::MouseMove:
                show(strictlyInside(button_, static_cast<QMouseEvent*>(event)->position().toPoint()));
                break;
            case QEvent::Leave:
            case QEvent::Hide: show(false); break;
            default: break;
        }
        return false;
    }

private:
    void show(bool hot) {
        const QColor wanted = hot ? kHelpHot : kHelpIdle;
        if (button_->faceColour() != wanted) button_->setFaceColour(wanted);
    }

    SelectButton* button_;
};

}  // namespace

void highlightWhileHovered(SelectButton* button) { new HelpHover(button); }

}  // namespace numsift::ui
