#pragma once

#include "platform/layout.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace lumo {

class Services;

/// The top-level window of a screen. Closing it from its frame closes the screen.
class ScreenWindow : public QWidget {
    Q_OBJECT
public:
    ScreenWindow() = default;

signals:
    void closedFromFrame();

protected:
    void closeEvent(QCloseEvent *event) override;
};

/// Keeps count of the open screens and ends the program when none is open
/// any more. The check waits until the current event has been handled, so a
/// handler may close one screen and open another in either order.
class ScreenHost : public QObject {
    Q_OBJECT
public:
    explicit ScreenHost(Services &services) : services_(services) {}

    void opened() { ++open_; }
    void closed();
    int openScreens() const { return open_; }

private:
    void endIfNoneOpen();

    Services &services_;
    int open_ = 0;
    bool checkPending_ = false;
};

/// A screen: an object that outlives its window. Each opening creates the
/// window and all its controls afresh from the screen's layout data; closing
/// stops the screen's timers and destroys the window.
class Screen : public QObject {
    Q_OBJECT
public:
    Screen(Services &services, ScreenHost &host, QString layoutPath);
    ~Screen() override;

    bool isOpen() const { return !window_.isNull(); }
    QWidget *window() const { return window_; }
    const ControlSet &controls() const { return controls_; }

    /// Stops the timers and destroys the window; nothing happens if it is closed.
    void close();

protected:
    /// Creates the window and its controls; the caller then binds them,
    /// runs the screen's opening step and calls showWindow().
    void openWindow();
    void showWindow();
    virtual void bindControls() = 0;

    Services &services_;

private:
    ScreenHost &host_;
    QString layoutPath_;
    QPointer<ScreenWindow> window_;
    ControlSet controls_;
};

} // namespace lumo
