#pragma once

#include "platform/screen.h"

#include <QString>

#include <array>
#include <cstdint>

class QTimer;

namespace lumo {

class Button;
class Frame;
class Form1;
class Label;
class ManualDrag;
class Picture;

/// The quiz screen: one game of up to 100 counting questions against the
/// clock. The enabled state of its buttons and digit tiles is the game's
/// state machine; every opening starts a fresh game.
class Form2 : public Screen {
    Q_OBJECT
public:
    using Integer = std::int16_t;

    Form2(Services &services, ScreenHost &host);
    ~Form2() override;

    void setStartScreen(Form1 *start) { start_ = start; }

    /// Opens the screen with the player's name in LB1, runs the opening
    /// step and shows the screen.
    void show(const QString &name);

    // --- flow ---------------------------------------------------------
    void Form_Load();
    void Cm1_Click();
    void Cm4_Click();
    void Cm3_Click();
    void Cm6_Click();
    /// Builds the question of the current level.
    void St();

    // --- questions ----------------------------------------------------
    void Lv1();
    void Lv2();
    void Lv3();
    void Lv4();
    /// Tens-slot rule: a group's tens slot shows only for 10 or more pictures.
    void nin();

    // --- answer entry -------------------------------------------------
    void LB_MouseDown(int index);
    void LB_MouseUp(int index);
    void LB6_DragDrop();
    void LB7_DragDrop();
    void LB8_DragDrop();
    void LB9_DragDrop();
    void LB10_DragDrop();
    void LB11_DragDrop();
    void LB12_DragDrop();
    void LB13_DragDrop();
    void LB14_DragDrop();
    void LB15_DragDrop();
    void Im1_Click(int index);
    void Im2_Click(int index);
    void Im3_Click(int index);
    void Im4_Click(int index);

    // --- marking, clearing, score board, clock ----------------------------
    /// Marks the answer, shows the correct one and raises the level.
    void Th();
    /// One step of emptying the board after a check.
    void Timer2_Timer();
    /// Rewrites the score line; after question 100 ends the game. Returns
    /// true when it has ended the game and closed the screen.
    bool LBS();
    /// One second off the clock.
    void Timer1_Timer();
    /// The time is out: the game is lost.
    void Ends();

    // --- game state -----------------------------------------------------
    /// The player's name, taken from LB1 when the clock starts.
    QString playerName;
    /// Caption of the digit tile pressed last.
    QString dragDigit;
    /// Time left on the clock.
    Integer minutesLeft = 29;
    Integer secondsLeft = 60;
    /// Pictures clicked away per group (index 0 = group 1).
    std::array<Integer, 4> clickCount{};
    /// The loop counter shared by the screen's procedures.
    Integer loopIndex = 0;
    /// Current level, 1 to 4.
    Integer level = 1;
    /// Picture file number per group for the current question, 1 to 30.
    std::array<Integer, 4> iconNumber{};
    /// Highest picture index shown in group 1 (its count minus one).
    Integer groupTop1 = 0;
    Integer groupTop2 = 0;
    /// Pictures in all groups of the current question (levels 2 to 4).
    Integer pictureTotal = 0;
    Integer groupTop3 = 0;
    Integer groupTop4 = 0;
    /// Numbers read from the slots at the last check: groups 1-4, then the total.
    std::array<Integer, 5> enteredAnswer{};
    /// Column that the next clearing step empties, 0 to 14.
    Integer clearTick = 0;
    /// Number of the current question; 0 before the first.
    Integer questionNo = 0;
    /// Points marked right and wrong.
    Integer rightCount = 0;
    Integer wrongCount = 0;

    // --- controls of the current opening ---------------------------------
    Button *Cm1 = nullptr;
    Button *Cm3 = nullptr;
    Button *Cm4 = nullptr;
    Button *Cm6 = nullptr;
    Frame *Frame1 = nullptr;
    Frame *Frame2 = nullptr;
    Frame *Frame3 = nullptr;
    Frame *Frame4 = nullptr;
    Label *LB1 = nullptr;
    Label *LB2 = nullptr;
    Label *LB3 = nullptr;
    /// Digit tiles "0" to "9".
    std::array<Label *, 10> LB{};
    /// Answer slots: tens and units of groups 1 to 4, then of the total.
    Label *LB6 = nullptr, *LB7 = nullptr, *LB8 = nullptr, *LB9 = nullptr, *LB10 = nullptr;
    Label *LB11 = nullptr, *LB12 = nullptr, *LB13 = nullptr, *LB14 = nullptr, *LB15 = nullptr;
    /// Click counters of groups 1 to 4.
    Label *LB4 = nullptr, *Label6 = nullptr, *Label16 = nullptr, *Label14 = nullptr;
    /// Caption above the total's slots.
    Label *Label18 = nullptr;
    /// Picture rows of groups 1 to 4.
    std::array<Picture *, 15> Im1{}, Im2{}, Im3{}, Im4{};
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;

    /// The ten answer slots in order LB6 to LB15.
    std::array<Label *, 10> answerSlots() const;

protected:
    void bindControls() override;

private:
    // One picture group: its row, its size value, its slots and counter.
    struct Group {
        std::array<Picture *, 15> &row;
        Integer &top;
        Label *tens;
        Label *units;
        Label *counter;
    };
    Group group(int g);

    void showGroup(int g);
    void drawGroupSize(int g);
    void showGroupPictures(int g);
    void dropOnSlot(Label *slot);
    void clickPicture(int g, int index);
    void goToStartScreen();

    Form1 *start_ = nullptr;
    ManualDrag *drag_ = nullptr;
};

} // namespace lumo
