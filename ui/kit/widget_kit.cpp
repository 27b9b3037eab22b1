#include "ui/kit/widget_kit.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

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

QPushButton* dialogButton(QWidget* parent, const char* caption, const char* name) {
    auto* b = new QPushButton(qs(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void watchControls(QWidget* root, QObject* context, const std::function<void()>& changed) {
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        QObject::connect(b, &QAbstractButton::clicked, context, changed);
        QObject::connect(b, &QAbstractButton::toggled, context, changed);
    }
    for (QPlainTextEdit* e : root->findChildren<QPlainTextEdit*>())
        QObject::connect(e, &QPlainTextEdit::textChanged, context, changed);
    for (QLineEdit* e : root->findChildren<QLineEdit*>())
        QObject::connect(e, &QLineEdit::textChanged, context, changed);
}

}  // namespace numsift::ui
