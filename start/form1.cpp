#include "start/form1.h"

#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/pictures.h"
#include "platform/services.h"
#include "quiz/form2.h"

#include <QTimer>

namespace lumo {

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString hostPicture = QStringLiteral(":/pictures/host.gif");
} // namespace

Form1::Form1(Services &services, ScreenHost &host)
    : Screen(services, host, QStringLiteral(":/layout/form1.json"))
{
}

void Form1::bindControls()
{
    const ControlSet &c = controls();
    Frame1 = c.frame(QStringLiteral("Frame1"));
    Frame2 = c.frame(QStringLiteral("Frame2"));
    Frame3 = c.frame(QStringLiteral("Frame3"));
    Label1 = c.label(QStringLiteral("Label1"));
    Label2 = c.label(QStringLiteral("Label2"));
    Label3 = c.label(QStringLiteral("Label3"));
    Label4 = c.label(QStringLiteral("Label4"));
    Label5 = c.label(QStringLiteral("Label5"));
    LB1 = c.label(QStringLiteral("LB1"));
    LB2 = c.label(QStringLiteral("LB2"));
    Im1 = c.picture(QStringLiteral("Im1"));
    Image1 = c.picture(QStringLiteral("Image1"));
    Timer1 = c.timer(QStringLiteral("Timer1"));

    connect(Im1, &Picture::clicked, this, &Form1::Im1_Click);
    connect(Image1, &Picture::clicked, this, &Form1::Image1_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::show()
{
    if (!isOpen()) {
        openWindow();
        Form_Load();
    }
    showWindow();
}

void Form1::Form_Load()
{
    Label2->setCaption(QStringLiteral("For Lumo Ver 3.1") + crlf + QStringLiteral("www.example.org/lumo3"));
}

void Form1::Im1_Click()
{
    ++hostClicks;
    if (hostClicks == 1) {
        typedName = services_.prompt(window(), QStringLiteral("ป้อนชื่อผู้ทำการทดสอบ"),
                                     QStringLiteral("ชื่อผู้ทำการทดสอบ"), QStringLiteral("No Name"));
        if (!isOpen())
            return;
        Label4->setCaption(QStringLiteral("ใช้ Mouse คลิกที่รูป พี่ ปิโก ได้เลยครับ เพื่อเริ่มเกมส์"));
        LB2->setCaption(QStringLiteral("สวัสดีครับ น้อง ") + typedName);
        greetTime = services_.now();
        const QLocale locale = services_.locale();
        LB1->setCaption(QStringLiteral("วันนี้ ") + formatDayMonthYear(greetTime, locale) +
                        QStringLiteral(" เวลา ") + formatLongTime(greetTime, locale));
        Im1->setPicture(loadPicture(services_.iconPath(QStringLiteral("c01.gif")), hostPicture));
    }
    if (hostClicks == 2) {
        quiz_->show(typedName);
        close();
        hostClicks = 0;
    }
}

} // namespace lumo
