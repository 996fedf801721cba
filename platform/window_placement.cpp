// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_placement.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace lumo {

namespace {
const QString geometryKey = QStringLiteral("window/geometry");
constexpr double comfortableShare = 0.85;

const QScreen *screenAround(const QRect &area) {
    const QScreen *screen = area.isValid() ? QGuiApplication::screenAt(area.center()) : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

QRect availableAround(const QRect &area) {
    const QScreen *screen = screenAround(area);
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}
} // namespace

QRect savedClientArea(const QByteArray &state) {
    // The layout of QWidget::saveGeometry() from its version 3 on, which
    // ends with the client area.
    QDataStream stream(state);
    stream.setVersion(QDataStream::Qt_4_0);
    quint32 magic = 0;
    quint16 major = 0, minor = 0;
    stream >> magic >> major >> minor;
    if (magic != 0x1D9D0CB || major < 3)
        return {};
    QRect frame, normal, client;
    qint32 screen = 0, screenWidth = 0;
    quint8 maximized = 0, fullScreen = 0;
    stream >> frame >> normal >> screen >> maximized >> fullScreen >> screenWidth >> client;
    return stream.status() == QDataStream::Ok ? client : QRect();
}

QRect WindowPlacement::firstOpening(const QRect &available, QSize design) {
    QSize size = design.scaled(available.size() * comfortableShare, Qt::KeepAspectRatio);
    if (size.width() < design.width())
        size = design.scaled(available.size().boundedTo(design), Qt::KeepAspectRatio);
    QRect rect(QPoint(), size);
    rect.moveCenter(available.center());
    return rect;
}

QSize WindowPlacement::place(QWidget *window, QSize design) const {
    const QVariant saved = settings_.value(geometryKey);
    const QByteArray state = saved.typeId() == QMetaType::QByteArray ? saved.toByteArray() : "";
    // A window shown again starts from no state, so that the state it is
    // given is the platform's news again.
    window->setWindowState(Qt::WindowNoState);
    // Qt restores the state as the desktop had it, and keeps a window that
    // was on a screen that has gone or shrunk on one that is there.
    if (state.isEmpty() || !window->restoreGeometry(state)) {
        // Nothing saved yet, or a rectangle (as earlier versions kept it,
        // and as the tests and benchmarks set it).
        QRect rect = saved.toRect();
        const QRect available = availableAround(rect);
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
    if (fullScreen_)
        window->setWindowState(window->windowState() | Qt::WindowFullScreen);
    // A hidden window set to another size would forget its state and the
    // size to go back to: the size it will show at is only told.
    if (window->windowState() & Qt::WindowFullScreen) {
        if (const QScreen *screen = screenAround(window->geometry()))
            return screen->geometry().size();
    } else if (window->windowState() & Qt::WindowMaximized) {
        const QRect client = savedClientArea(state);
        if (client.isValid() && availableAround(client).contains(client))
            return client.size();
    }
    return window->size();
}

void WindowPlacement::show(QWidget *window) const {
    window->show();
}

void WindowPlacement::remember(const QWidget *window) {
    if (!window->isVisible() || window->isMinimized())
        return;
    fullScreen_ = window->isFullScreen();
    settings_.setValue(geometryKey, window->saveGeometry());
}

void WindowPlacement::toggleFullScreen(QWidget *window) {
    // Out of fullscreen, a window the desktop had maximised is so again.
    window->setWindowState(window->windowState() ^ Qt::WindowFullScreen);
    fullScreen_ = window->isFullScreen();
}

} // namespace lumo
