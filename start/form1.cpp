// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "start/form1.h"

#include "platform/announcer.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/pictures.h"
#include "platform/services.h"

#include <QTimer>

namespace lumo {

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString hostPicture = QStringLiteral(":/pictures/host.gif");
} // namespace

Form1::Form1(Services &services, ScreenHost &host, const QString &layoutPath)
    : Screen(services, host, layoutPath) {}

void Form1::bindControls(ControlBinder &bind) {
    bind(Frame1, QStringLiteral("Frame1"));
    bind(Frame2, QStringLiteral("Frame2"));
    bind(Frame3, QStringLiteral("Frame3"));
    bind(Label1, QStringLiteral("Label1"));
    bind(Label2, QStringLiteral("Label2"));
    bind(Label3, QStringLiteral("Label3"));
    bind(Label4, QStringLiteral("Label4"));
    bind(Label5, QStringLiteral("Label5"));
    bind(LB1, QStringLiteral("LB1"));
    bind(LB2, QStringLiteral("LB2"));
    bind(Im1, QStringLiteral("Im1"));
    bind(Image1, QStringLiteral("Image1"));
    bind(Timer1, QStringLiteral("Timer1"));
}

void Form1::connectControls() {
    connect(Im1, &Picture::clicked, this, &Form1::Im1_Click);
    connect(Image1, &Picture::clicked, this, &Form1::Image1_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connectKeyboard();
}

void Form1::unbindControls() {
    static_cast<Form1Controls &>(*this) = Form1Controls{};
}

void Form1::show() {
    if (!isOpen()) {
        openWindow();
        Form_Load();
    }
    showWindow();
}

void Form1::Form_Load() {
    Label2->setCaption(QStringLiteral("For Lumo Ver 3.1") + crlf +
                       QStringLiteral("www.example.org/lumo3"));
}

void Form1::Im1_Click() {
    ++hostClicks_;
    if (hostClicks_ == 1) {
        const QString answer = services_.prompt(window(), QStringLiteral("ป้อนชื่อผู้ทำการทดสอบ"),
                                                QStringLiteral("ชื่อผู้ทำการทดสอบ"),
                                                QStringLiteral("No Name"), nameChoices_);
        // No answer is the empty name, which is kept like any other.
        typedName_ = answer.isNull() ? QStringLiteral("") : answer;
        if (!isOpen())
            return;
        Label4->setCaption(QStringLiteral("ใช้ Mouse คลิกที่รูป พี่ ปิโก ได้เลยครับ เพื่อเริ่มเกมส์"));
        LB2->setCaption(QStringLiteral("สวัสดีครับ น้อง ") + typedName_);
        greetTime_ = services_.now();
        const QLocale locale = services_.locale();
        LB1->setCaption(QStringLiteral("วันนี้ ") + formatDayMonthYear(greetTime_, locale) +
                        QStringLiteral(" เวลา ") + formatLongTime(greetTime_, locale));
        Im1->setArtwork(loadArtwork(services_.iconPath(QStringLiteral("c01.gif")), hostPicture));
        announcer()->say(LB2->caption() + QLatin1Char('\n') + LB1->caption() + QLatin1Char('\n') +
                         Label4->caption());
        emit greeted();
    }
    if (hostClicks_ == 2) {
        emit quizRequested(typedName_);
        close();
        hostClicks_ = 0;
    }
}

} // namespace lumo
