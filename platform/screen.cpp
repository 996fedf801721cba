// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen.h"

#include "platform/announcer.h"
#include "platform/focus_ring.h"
#include "platform/services.h"
#include "platform/touch.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace lumo {

ScreenWindow::ScreenWindow(QSize design) : design_(design) {
    setMinimumSize(design / 2);
}

void ScreenWindow::beginOpening() {
    // What an opening closed from its own handlers left, if not gone yet.
    const QObjectList leftBehind = children();
    qDeleteAll(leftBehind);
    stage_ = new QWidget(this);
    stage_->setObjectName(QStringLiteral("stage"));
    stage_->resize(design_);
    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, &ScreenWindow::fullScreenAsked);
}

void ScreenWindow::endOpening() {
    hide();
    stage_ = nullptr;
    // Gone as if the window had been deleted: at once deaf to the window's
    // events, deleted a moment later, since the closing may come from one
    // of their own handlers (or at the next opening, whichever is first).
    const QObjectList children = this->children();
    for (QObject *child : children) {
        removeEventFilter(child);
        child->deleteLater();
    }
}

double ScreenWindow::scaleFor(QSize size, QSize design) {
    return std::min(double(size.width()) / design.width(), double(size.height()) / design.height());
}

void ScreenWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    emit closedFromFrame();
}

void ScreenWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    fitStage();
    emit geometryChanged();
}

void ScreenWindow::fitStage() {
    fitStage(size());
}

void ScreenWindow::fitStage(QSize client) {
    if (!stage_)
        return;
    const double scale = scaleFor(client, design_);
    QRect area(QPoint(), QSize(qRound(design_.width() * scale), qRound(design_.height() * scale)));
    area.moveCenter(QRect(QPoint(), client).center());
    stage_->setGeometry(area);
    if (scale != scale_) {
        scale_ = scale;
        emit scaleChanged(scale);
    }
}

void ScreenWindow::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    emit geometryChanged();
}

void ScreenWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // Maximised, fullscreen or back, by the desktop or by F11.
    if (event->type() == QEvent::WindowStateChange)
        emit geometryChanged();
}

ScreenHost::ScreenHost(Services &services) : services_(services), placement_(services.settings()) {}

void ScreenHost::closed() {
    --open_;
    if (!checkPending_) {
        checkPending_ = true;
        QTimer::singleShot(0, this, &ScreenHost::endIfNoneOpen);
    }
}

void ScreenHost::endIfNoneOpen() {
    checkPending_ = false;
    if (open_ == 0)
        services_.endProgram();
}

Screen::Screen(Services &services, ScreenHost &host, QString layoutPath)
    : services_(services), host_(host), layoutPath_(std::move(layoutPath)) {}

Screen::~Screen() = default;

const QJsonObject &Screen::layout() {
    if (layout_.isEmpty())
        layout_ = readLayout(layoutPath_);
    return layout_;
}

QStringList Screen::missingControls() {
    const ControlSet listed = listControls(layout());
    ControlBinder bind(listed);
    bindControls(bind);
    unbindControls();
    return bind.missing();
}

void Screen::checkLayout() {
    stopIfMissing(missingControls());
}

void Screen::stopIfMissing(const QStringList &missing) const {
    if (!missing.isEmpty())
        qFatal("The layout data %s lacks the controls: %s", qPrintable(layoutPath_),
               qPrintable(missing.join(QStringLiteral(", "))));
}

void Screen::openWindow() {
    if (!kept_)
        kept_ = std::make_unique<ScreenWindow>(designSize(layout()));
    window_ = kept_.get();
    window_->beginOpening();
    connect(window_.data(), &ScreenWindow::closedFromFrame, this, &Screen::closedFromFrame);
    // The controls are made at the scale of the size the window opens at,
    // so that they are laid out and fitted once.
    window_->fitStage(host_.placement().place(window_, window_->designSize()));
    controls_ = buildControls(window_, window_->stage(), layout(), window_->scale());
    connect(window_.data(), &ScreenWindow::scaleChanged, this,
            [this](double scale) { controls_.scaleTo(scale); });
    connect(window_.data(), &ScreenWindow::geometryChanged, this,
            [this] { host_.placement().remember(window_); });
    connect(window_.data(), &ScreenWindow::fullScreenAsked, this,
            [this] { host_.placement().toggleFullScreen(window_); });
    // Every way in: the keyboard's focus shown plainly, fingers that bring
    // up no mouse pointer, and a voice for what happens.
    new FocusRing(window_, host_.keyboardUse());
    new TouchPointers(window_);
    announcer_ = new Announcer(window_);
    ControlBinder bind(controls_);
    bindControls(bind);
    stopIfMissing(bind.missing());
    connectControls();
    host_.opened();
    emit windowOpened();
}

void Screen::showWindow() {
    host_.placement().show(window_);
    controls_.focusFirstInTabOrder();
}

void Screen::close() {
    if (!isOpen())
        return;
    ScreenWindow *window = window_;
    window_ = nullptr;
    for (QTimer *timer : window->findChildren<QTimer *>())
        timer->stop();
    window->disconnect(this);
    window->endOpening();
    controls_ = ControlSet();
    announcer_ = nullptr;
    unbindControls();
    host_.closed();
}

} // namespace lumo
