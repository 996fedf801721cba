// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace lumo {

namespace {
const QString geometryKey = QStringLiteral("window/geometry");
constexpr double comfortableShare = 0.85;

QRect availableAround(const QRect &area) {
    const QScreen *screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}
} // namespace

QRect WindowPlacement::firstOpening(const QRect &available, QSize design) {
    QSize size = design.scaled(available.size() * comfortableShare, Qt::KeepAspectRatio);
    if (size.width() < design.width())
        size = design.scaled(available.size().boundedTo(design), Qt::KeepAspectRatio);
    QRect rect(QPoint(), size);
    rect.moveCenter(available.center());
    return rect;
}

void WindowPlacement::place(QWidget *window, QSize design) const {
    QRect rect = settings_.value(geometryKey).toRect();
    const QRect available = availableAround(rect.isValid() ? rect : QRect());
    if (fullScreen_) {
        // The size it will have, so that its layout is made at that scale.
        const QScreen *screen = QGuiApplication::screenAt(available.center());
        window->setGeometry(screen ? screen->geometry() : available);
        return;
    }
    if (!rect.isValid()) {
        rect = firstOpening(available, design);
    } else {
        // A screen smaller than the last one, or one that has gone.
        rect.setSize(rect.size().boundedTo(available.size()));
        if (!available.intersects(rect))
            rect.moveCenter(available.center());
    }
    window->setGeometry(rect);
}

void WindowPlacement::show(QWidget *window) const {
    // A window shown again leaves the state it had before behind.
    if (fullScreen_)
        window->showFullScreen();
    else
        window->showNormal();
}

void WindowPlacement::remember(const QWidget *window) {
    if (!window->isVisible() || window->windowState() != Qt::WindowNoState)
        return;
    QRect rect = window->geometry();
    // A Wayland window never learns where it is: keep the place the window
    // system that knew it last gave, and only the size from here.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        rect.moveTopLeft(settings_.value(geometryKey).toRect().topLeft());
    settings_.setValue(geometryKey, rect);
}

void WindowPlacement::toggleFullScreen(QWidget *window, QSize design) {
    fullScreen_ = !window->isFullScreen();
    if (fullScreen_) {
        window->showFullScreen();
    } else {
        window->showNormal();
        place(window, design);
    }
}

} // namespace lumo
