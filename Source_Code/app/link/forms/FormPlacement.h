#pragma once
// Both link windows open centred on the screen.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tovu::link {

inline void centreOnScreen(QWidget& w)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    w.move(s.x() + (s.width() - w.width()) / 2, s.y() + (s.height() - w.height()) / 2);
}

} // namespace tovu::link
