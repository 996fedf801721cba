#include "platform/screen.h"

#include "platform/services.h"

#include <QCloseEvent>
#include <QTimer>

namespace lumo {

void ScreenWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closedFromFrame();
}

void ScreenHost::closed()
{
    --open_;
    if (!checkPending_) {
        checkPending_ = true;
        QTimer::singleShot(0, this, &ScreenHost::endIfNoneOpen);
    }
}

void ScreenHost::endIfNoneOpen()
{
    checkPending_ = false;
    if (open_ == 0)
        services_.endProgram();
}

Screen::Screen(Services &services, ScreenHost &host, QString layoutPath)
    : services_(services), host_(host), layoutPath_(std::move(layoutPath))
{
}

Screen::~Screen() { delete window_.data(); }

void Screen::openWindow()
{
    window_ = new ScreenWindow;
    connect(window_.data(), &ScreenWindow::closedFromFrame, this, &Screen::close);
    controls_ = buildControls(window_, layoutPath_);
    bindControls();
    host_.opened();
}

void Screen::showWindow()
{
    window_->show();
    controls_.focusFirstInTabOrder();
}

void Screen::close()
{
    if (!isOpen())
        return;
    ScreenWindow *window = window_;
    window_ = nullptr;
    for (QTimer *timer : window->findChildren<QTimer *>())
        timer->stop();
    window->disconnect(this);
    window->hide();
    // The window may be closing from one of its own controls' handlers.
    window->deleteLater();
    controls_ = ControlSet();
    host_.closed();
}

} // namespace lumo
