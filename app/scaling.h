// Sizes of the window's design are pixels at 120 dots per inch.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace quorvel {

inline int Design(int pixels) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return qRound(pixels * dpi / 120.0);
}

}  // namespace quorvel
