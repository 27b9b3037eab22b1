#pragma once
// A figure worn by a control: a small number in the control's free space
// (right of its caption, or its top right corner where there is none) and a
// tint over the control that grows with heat (0: none, 1: full). It lies
// over its parent, takes no clicks and moves nothing; hiding it leaves the
// control as it was.

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

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString figure_;
    double heat_ = 0;
};

}  // namespace numsift
