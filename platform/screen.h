// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/focus_ring.h"
#include "platform/layout.h"
#include "platform/window_placement.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace lumo {

class Announcer;
class Services;

/// The top-level window of a screen. Its layout fills the window as far as
/// the layout's proportions allow, centred, with margins in the window's
/// colour. Closing it from its frame closes the screen.
class ScreenWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ScreenWindow(QSize design);

    /// Makes an empty stage and the window's own keys, for one opening.
    void beginOpening();
    /// Hides the window and lets go of everything the opening put in it
    /// (the stage and its controls, timers, helpers); the window itself
    /// stays for the next opening.
    void endOpening();

    /// The area the layout is measured in, and its scale against the design;
    /// null between openings.
    QWidget *stage() const { return stage_; }
    double scale() const { return scale_; }
    QSize designSize() const { return design_; }

    /// The scale the layout takes in a client area of `size`.
    static double scaleFor(QSize size, QSize design);
    /// Scales and centres the layout's area for the window's present size,
    /// or for the client area it is about to have.
    void fitStage();
    void fitStage(QSize client);

  signals:
    void closedFromFrame();
    void scaleChanged(double scale);
    /// Moved, resized, maximised or made fullscreen by the user or the
    /// window system.
    void geometryChanged();
    void fullScreenAsked();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    QSize design_;
    QWidget *stage_ = nullptr;
    double scale_ = 1.0;
};

/// Keeps count of the open screens and ends the program when none is open
/// any more. The check waits until the current event has been handled, so a
/// handler may close one screen and open another in either order.
class ScreenHost : public QObject {
    Q_OBJECT
  public:
    explicit ScreenHost(Services &services);

    void opened() { ++open_; }
    void closed();
    int openScreens() const { return open_; }

    /// The size, place and state both screens' windows share.
    WindowPlacement &placement() { return placement_; }
    /// Whether the child plays with the keyboard, on either screen.
    KeyboardUse &keyboardUse() { return keyboardUse_; }

  private:
    void endIfNoneOpen();

    Services &services_;
    WindowPlacement placement_;
    KeyboardUse keyboardUse_;
    int open_ = 0;
    bool checkPending_ = false;
};

/// A screen: an object that outlives its openings. Each opening creates all
/// its controls afresh from the screen's layout data; closing stops the
/// screen's timers, hides the window, destroys the controls and forgets
/// them. The window itself is kept and shown again at the next opening: a
/// new window on a large screen costs far more than a frame (its image to
/// paint into is made anew), while its controls are made in a few
/// milliseconds.
class Screen : public QObject {
    Q_OBJECT
  public:
    Screen(Services &services, ScreenHost &host, QString layoutPath);
    ~Screen() override;

    bool isOpen() const { return !window_.isNull(); }
    /// The window while the screen is open; null while it is closed.
    ScreenWindow *window() const { return window_; }
    const ControlSet &controls() const { return controls_; }
    /// Tells a screen reader what happens on the open window; null while closed.
    Announcer *announcer() const { return announcer_; }

    /// Stops the timers and destroys the window; nothing happens if it is closed.
    void close();

    /// The controls this screen uses that its layout data lacks or gives
    /// another kind; empty when every one is there.
    QStringList missingControls();
    /// Stops the program, naming them, if any control is missing: called
    /// at start-up, so that no opening ever meets a missing control.
    void checkLayout();

  signals:
    /// A new window with all its controls exists, not shown yet: others
    /// may add to it what lives as long as the window (a shortcut).
    void windowOpened();

  protected:
    /// Creates the window and its controls and binds them; the caller then
    /// runs the screen's opening step and calls showWindow().
    void openWindow();
    void showWindow();

    /// Points the screen's control members at the controls, by name.
    virtual void bindControls(ControlBinder &bind) = 0;
    /// Connects the bound controls to the screen's handlers.
    virtual void connectControls() = 0;
    /// Sets every control member back to null.
    virtual void unbindControls() = 0;
    /// The window was closed from its frame; by default the screen closes.
    virtual void closedFromFrame() { close(); }

    const QJsonObject &layout();

    Services &services_;

  private:
    void stopIfMissing(const QStringList &missing) const;

    ScreenHost &host_;
    QString layoutPath_;
    QJsonObject layout_;
    /// Made at the first opening, kept until the screen goes.
    std::unique_ptr<ScreenWindow> kept_;
    QPointer<ScreenWindow> window_;
    ControlSet controls_;
    Announcer *announcer_ = nullptr;
};

} // namespace lumo
