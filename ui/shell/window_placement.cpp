#include "ui/shell/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace numsift {

QMargins frameMarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame == client) return kFrameAllowance;
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect availableArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void centreIn(QWidget* window, const QRect& area) {
    if (area.isEmpty()) return;
    const QSize frame = window->size().grownBy(frameMarginsOf(window));
    const int x = area.left() + std::max(0, (area.width() - frame.width()) / 2);
    const int y = area.top() + std::max(0, (area.height() - frame.height()) / 2);
    // A top-level window's position is that of its frame.
    window->move(x, y);
}

void centreOnScreen(QWidget* window) { centreIn(window, availableArea(window)); }

}  // namespace numsift
