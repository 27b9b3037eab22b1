#pragma once
// The mark of a value a kill rule kills, worn by its check box on page 1: a
// blue frame and a light blue fill over the box's indicator, apart from the
// hand tick, which still shows through it and still toggles on a click. The
// mark lies over the control, takes no clicks and moves nothing; its
// tooltip line ("规则杀号：万位 冷号 1 个") comes before the control's own.

#include <QString>
#include <QWidget>

namespace numsift {

class RuleMark : public QWidget {
    Q_OBJECT
public:
    explicit RuleMark(QWidget* control);

    // Marked with the rules that kill the value, one a line; unmarked (and
    // hidden) when empty.
    void setRules(const QString& rules);
    const QString& rules() const { return rules_; }

    static const QColor kFrame;
    static const QColor kFill;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect indicator() const;

    QString rules_;
};

}  // namespace numsift
