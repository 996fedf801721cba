#pragma once

#include "platform/screen.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

class QTimer;

namespace lumo {

class Frame;
class Label;
class Picture;
class Form2;

/// The start screen: the host "ปิโก" welcomes the child, asks for a name,
/// opens the quiz, and the exit picture says goodbye and ends the program.
/// Its state variables outlive its window; its controls are made afresh at
/// every opening.
class Form1 : public Screen {
    Q_OBJECT
public:
    Form1(Services &services, ScreenHost &host);

    void setQuizScreen(Form2 *quiz) { quiz_ = quiz; }

    /// Opens the screen (controls afresh, then its opening step) and shows it.
    void show();

    // Handlers, named after the control and the event.
    void Form_Load();
    void Im1_Click();
    void Image1_Click();
    void Timer1_Timer();

    /// The name typed at the prompt.
    QString typedName;
    /// When the host was first clicked: the moment of the greeting.
    QDateTime greetTime;
    /// Clicks on the host since the quiz was last opened from here.
    std::int16_t hostClicks = 0;
    /// Exit animation: 1 = first picture shown, 2 = second (then back to 0).
    std::int16_t animPhase = 0;
    /// Clicks on the exit picture.
    std::int16_t exitClicks = 0;

    // Controls of the current opening (valid while the screen is open).
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
    Picture *Im1 = nullptr;
    Picture *Image1 = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void bindControls() override;

private:
    Form2 *quiz_ = nullptr;
};

} // namespace lumo
