#include "ui/widget_kit.h"

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

QPushButton* placeButton(QWidget* parent, const QString& caption, const QRect& geometry,
                         const QString& name) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    b->setObjectName(name);
    return b;
}

}  // namespace numsift::ui
