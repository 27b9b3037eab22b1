#include "ui/shell/widget_kit.h"

namespace numsift::ui {

QLabel* placeLabel(QWidget* parent, const QString& caption, const QRect& geometry, const QString& name) {
    auto* l = new QLabel(caption, parent);
    l->setGeometry(geometry);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

QCheckBox* placeCheck(QWidget* parent, const QString& caption, const QRect& geometry, const QString& name) {
    auto* c = new QCheckBox(caption, parent);
    c->setGeometry(geometry);
    c->setObjectName(name);
    return c;
}

QCheckBox* placeDigitCheck(QWidget* parent, int digit, const QRect& geometry, const QString& name) {
    QCheckBox* c = placeCheck(parent, QString::number(digit), geometry, name);
    // The style's own gap between box and caption is wider than the gap the
    // row leaves after a one-digit caption.
    c->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));
    return c;
}

QPushButton* placeButton(QWidget* parent, const QString& caption, const QRect& geometry,
                         const QString& name) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    b->setObjectName(name);
    return b;
}

}  // namespace numsift::ui
