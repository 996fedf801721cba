// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>

class QTimer;

namespace lumo {

class Frame;
class Label;
class Picture;

/// The controls of one opening of the start screen, under their layout
/// names. They exist only while the screen is open: closing sets every one
/// to null.
struct Form1Controls {
    Frame *Frame1 = nullptr;
    Frame *Frame2 = nullptr;
    Frame *Frame3 = nullptr;
    Label *Label1 = nullptr;
    Label *Label2 = nullptr;
    Label *Label3 = nullptr;
    Label *Label4 = nullptr;
    Label *Label5 = nullptr;
    Label *LB1 = nullptr;
    Label *LB2 = nullptr;
    /// The host, the way into the quiz.
    Picture *Im1 = nullptr;
    /// The door, the way out of the program.
    Picture *Image1 = nullptr;
    /// The exit animation, one picture every 500 ms.
    QTimer *Timer1 = nullptr;
};

/// The start screen: the host "ปิโก" welcomes the child, asks for a name,
/// asks for the quiz, and the exit picture says goodbye and ends the
/// program. Its state outlives its window; its controls are made afresh at
/// every opening.
class Form1 : public Screen, public Form1Controls {
    Q_OBJECT
  public:
    Form1(Services &services, ScreenHost &host,
          const QString &layoutPath = QStringLiteral(":/layout/form1.json"));

    /// Opens the screen (controls afresh, then its opening step) and shows it.
    void show();

    /// Names the name prompt offers to pick from (a class list); any other
    /// name can still be typed.
    void setNameChoices(const QStringList &names) { nameChoices_ = names; }

    // Handlers, named after the control and the event.
    void Form_Load();
    void Im1_Click();
    void Image1_Click();
    void Timer1_Timer();

    /// The name typed at the prompt.
    const QString &typedName() const { return typedName_; }
    /// When the host was first clicked: the moment of the greeting.
    const QDateTime &greetTime() const { return greetTime_; }
    /// Clicks on the host since the quiz was last asked for from here.
    std::int16_t hostClicks() const { return hostClicks_; }
    /// Exit animation: 1 = first picture shown, 2 = second (then back to 0).
    std::int16_t animPhase() const { return animPhase_; }
    /// Clicks on the exit picture.
    std::int16_t exitClicks() const { return exitClicks_; }

  signals:
    /// The second click on the host: the quiz should open for this player.
    /// The start screen closes right after.
    void quizRequested(const QString &playerName);
    /// The first click on the host: he has greeted the player by name.
    void greeted();

  protected:
    void bindControls(ControlBinder &bind) override;
    void connectControls() override;
    void unbindControls() override;

  private:
    void connectKeyboard();

    QStringList nameChoices_;
    QString typedName_;
    QDateTime greetTime_;
    std::int16_t hostClicks_ = 0;
    std::int16_t animPhase_ = 0;
    std::int16_t exitClicks_ = 0;
};

} // namespace lumo
