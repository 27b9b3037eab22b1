#pragma once
// Small helpers the window's pages share: design values in twips converted to
// pixels, object names of control-array members, and one-line constructors
// for the labels, boxes and buttons that stand at fixed places.

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <string>

namespace numsift::ui {

inline constexpr int kTwipsPerPixel = 15;

// The two help buttons: light blue, red while the cursor is over them.
inline const QColor kHelpIdle(192, 192, 255);
inline const QColor kHelpHot(255, 0, 0);

// Twips to pixels, rounded to the nearest pixel.
constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr QRect pxRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}
constexpr QSize pxSize(int width, int height) { return QSize(px(width), px(height)); }

// "chkDW_12" for member 12 of the array chkDW.
inline QString memberName(const char* array, int index) {
    return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(index);
}

inline QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
inline QString qs(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* placeLabel(QWidget* parent, const QString& caption, const QRect& geometry, const QString& name = {});
QCheckBox* placeCheck(QWidget* parent, const QString& caption, const QRect& geometry, const QString& name);
// A box of a row captioned with the digits 0 to 9: its digit sits against its
// own box, clearly apart from the next box of the row.
QCheckBox* placeDigitCheck(QWidget* parent, int digit, const QRect& geometry, const QString& name);
QPushButton* placeButton(QWidget* parent, const QString& caption, const QRect& geometry, const QString& name);
// A button of a dialog laid out by a layout; Enter in one of the dialog's
// boxes does not press it.
QPushButton* dialogButton(QWidget* parent, const char* caption, const char* name);

// Calls changed, for as long as context lives, whenever a control below root
// changes: a button is clicked or toggled, a text box's text changes.
void watchControls(QWidget* root, QObject* context, const std::function<void()>& changed);

}  // namespace numsift::ui
