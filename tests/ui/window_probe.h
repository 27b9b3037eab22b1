#pragma once
// Finding the window's controls by their object names and clicking them, as
// the window tests do it.

#include <QString>
#include <QTest>
#include <QWidget>

#include "ui/kit/widget_kit.h"

namespace numsift::probe {

// The control named name below root; the test stops when there is none.
template <class T = QWidget>
T* findControl(QWidget* root, const QString& name) {
    T* child = root->findChild<T*>(name);
    if (!child) qFatal("no control %s", qPrintable(name));
    return child;
}

// Member i of the control array `array` ("chkDW_12").
template <class T = QWidget>
T* findMember(QWidget* root, const char* array, int i) {
    return findControl<T>(root, ui::memberName(array, i));
}

inline void clickCentre(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

}  // namespace numsift::probe
