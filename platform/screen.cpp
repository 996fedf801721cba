#include "platform/screen.h"

#include "platform/announcer.h"
#include "platform/focus_ring.h"
#include "platform/services.h"
#include "platform/touch.h"

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

const QJsonObject &Screen::layout()
{
    if (layout_.isEmpty())
        layout_ = readLayout(layoutPath_);
    return layout_;
}

QStringList Screen::missingControls()
{
    const ControlSet listed = listControls(layout());
    ControlBinder bind(listed);
    bindControls(bind);
    unbindControls();
    return bind.missing();
}

void Screen::checkLayout() { stopIfMissing(missingControls()); }

void Screen::stopIfMissing(const QStringList &missing) const
{
    if (!missing.isEmpty())
        qFatal("The layout data %s lacks the controls: %s", qPrintable(layoutPath_),
               qPrintable(missing.join(QStringLiteral(", "))));
}

void Screen::openWindow()
{
    window_ = new ScreenWindow;
    connect(window_.data(), &ScreenWindow::closedFromFrame, this, &Screen::closedFromFrame);
    controls_ = buildControls(window_, layout());
    // Every way in: the keyboard's focus shown plainly, fingers that bring
    // up no mouse pointer, and a voice for what happens.
    new FocusRing(window_);
    new TouchPointers(window_);
    announcer_ = new Announcer(window_);
    ControlBinder bind(controls_);
    bindControls(bind);
    stopIfMissing(bind.missing());
    connectControls();
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
    announcer_ = nullptr;
    unbindControls();
    host_.closed();
}

} // namespace lumo
