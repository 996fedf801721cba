// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <array>

class QWidget;

namespace lumo {

/// Tells a screen reader what just happened on a window, in a short text.
/// Over the accessibility interface (AT-SPI on Linux) each text appears as
/// a notification that is shown the moment it is told: Orca speaks a
/// notification when it appears, whichever control has the focus. The
/// texts told while one event is handled are spoken together once it has
/// been handled, so that the last does not cut the first short. A window
/// that is not active (just opened, or behind a dialog) keeps its texts
/// until it is: a screen reader speaks for the active window.
class Announcer : public QObject {
    Q_OBJECT
  public:
    explicit Announcer(QWidget *window);

    /// Tells `text` once the current event has been handled.
    void say(const QString &text);
    /// Tells what is waiting now, active window or not: before a modal
    /// message, say.
    void flush();

  signals:
    /// A text has been told (the texts of one event joined).
    void announced(const QString &text);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void flushSoon();

    QWidget *window_;
    // A few notifications take turns, so that a screen reader that reads
    // one a moment late still finds its text there.
    std::array<QWidget *, 3> notices_{};
    std::size_t next_ = 0;
    QStringList waiting_;
    bool flushQueued_ = false;
};

} // namespace lumo
