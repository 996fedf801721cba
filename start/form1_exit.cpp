// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The way out of the program: the exit picture says goodbye, animates, and
// its second click ends the program.
#include "start/form1.h"

#include "platform/announcer.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/services.h"

#include <QTimer>

namespace lumo {

namespace {
const QString exitPicture = QStringLiteral(":/pictures/exit.gif");
}

void Form1::Image1_Click() {
    Im1->setEnabled(false);
    Timer1->start();
    ++exitClicks_;
    if (exitClicks_ == 1) {
        Label5->setCaption(QStringLiteral("แล้วพบกันใหม่"));
        Label4->setCaption(QStringLiteral("บ๊าย บาย...แล้วอย่าลืม มาเล่นเกมส์ด้วยกันอีกนะครับ สวัสดีครับ"));
        Im1->setArtwork(loadArtwork(services_.iconPath(QStringLiteral("c04.gif")),
                                    QStringLiteral(":/pictures/host.gif")));
        announcer()->say(Label5->caption() + QLatin1Char('\n') + Label4->caption());
    }
    if (exitClicks_ == 2) {
        Timer1->stop();
        services_.endProgram();
    }
}

void Form1::Timer1_Timer() {
    ++animPhase_;
    if (animPhase_ == 1) {
        Image1->setArtwork(loadArtwork(services_.iconPath(QStringLiteral("a01.gif")), exitPicture));
    } else if (animPhase_ == 2) {
        Image1->setArtwork(loadArtwork(services_.iconPath(QStringLiteral("a02.gif")), exitPicture));
        animPhase_ = 0;
    }
}

} // namespace lumo
