// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen.h"
#include "quiz/game.h"

#include <QString>

#include <array>

class QTimer;

namespace lumo {

class AnswerMark;
class Button;
class FocusGroup;
class Frame;
class KeyInput;
class Label;
class ManualDrag;
class Picture;
class TapSelection;

/// The controls of one opening of the quiz screen, under their layout names.
/// They exist only while the screen is open: closing sets every one to null.
struct Form2Controls {
    Button *Cm1 = nullptr;
    Button *Cm3 = nullptr;
    Button *Cm4 = nullptr;
    Button *Cm6 = nullptr;
    Frame *Frame1 = nullptr;
    Frame *Frame2 = nullptr;
    Frame *Frame3 = nullptr;
    Frame *Frame4 = nullptr;
    /// The player's name, then the clock line.
    Label *LB1 = nullptr;
    /// The score line.
    Label *LB2 = nullptr;
    /// Greeting, hints and the correct answer.
    Label *LB3 = nullptr;
    /// Digit tiles "0" to "9".
    std::array<Label *, 10> LB{};
    /// Answer slots: tens and units of rows 1 to 4, then of the total.
    Label *LB6 = nullptr, *LB7 = nullptr, *LB8 = nullptr, *LB9 = nullptr, *LB10 = nullptr;
    Label *LB11 = nullptr, *LB12 = nullptr, *LB13 = nullptr, *LB14 = nullptr, *LB15 = nullptr;
    /// Click counters of rows 1 to 4.
    Label *LB4 = nullptr, *Label6 = nullptr, *Label16 = nullptr, *Label14 = nullptr;
    /// Caption above the total's slots.
    Label *Label18 = nullptr;
    /// Picture rows 1 to 4, one picture for each a row can show.
    std::array<Picture *, quiz::mostPictures> Im1{}, Im2{}, Im3{}, Im4{};
    /// The clock, one tick a second.
    QTimer *Timer1 = nullptr;
    /// The board clearing after a check, one step every 200 ms.
    QTimer *Timer2 = nullptr;

    /// The ten answer slots in order LB6 to LB15.
    std::array<Label *, 10> answerSlots() const;
};

/// The quiz screen: shows one game of the model `quiz::Game` and passes the
/// child's clicks, drags and drops to it. The enabled state of its buttons
/// and digit tiles is what the child may do next; every opening starts a
/// fresh game. A digit reaches a slot by a drag, by a tap on a tile and
/// then on the slot, or typed into the focused slot; every way ends in the
/// slot's drop handler. A screen reader hears what changes.
class Form2 : public Screen, public Form2Controls {
    Q_OBJECT
  public:
    using Integer = quiz::Game::Integer;
    using Outcome = quiz::Game::Outcome;

    Form2(Services &services, ScreenHost &host,
          const QString &layoutPath = QStringLiteral(":/layout/form2.json"));
    ~Form2() override;

    /// The rules the next opening plays by.
    void setRules(const quiz::Game::Rules &rules) { rules_ = rules; }

    /// Opens the screen for the player `name`, runs the opening step and
    /// shows the screen.
    void show(const QString &name);

    /// The game being played (or the last one).
    const quiz::Game &game() const { return game_; }
    quiz::Game &game() { return game_; }

    // --- flow ---------------------------------------------------------
    void Form_Load();
    void Cm1_Click();
    void Cm4_Click();
    void Cm3_Click();
    void Cm6_Click();
    /// Shows the question the game has drawn, by its level.
    void St();

    // --- questions ----------------------------------------------------
    void Lv1();
    void Lv2();
    void Lv3();
    void Lv4();
    /// Tens-slot rule: a row's tens slot shows only for 10 or more pictures.
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
    /// Puts `digit` into answer slot `slot` (0 = LB6 ... 9 = LB15) as a
    /// press on that digit's tile and a drop on the slot would; only while
    /// the tiles are enabled. False when nothing was put.
    bool placeDigit(int digit, int slot);
    /// Empties answer slot `slot`, as Backspace on it does; only while the
    /// tiles are enabled. False when nothing was done.
    bool emptySlot(int slot);

    // --- keyboard and taps -------------------------------------------------
    /// The digit of the tile selected by a tap, or -1.
    int selectedTile() const;
    /// The keyboard's stand-in for picture row g (1 to 4).
    FocusGroup *pictureRow(int g) const { return pictureRows_[g - 1]; }

    // --- marking, clearing, score board, clock ----------------------------
    /// Marks the answer, shows the correct one and raises the level.
    void Th();
    /// One step of emptying the board after a check.
    void Timer2_Timer();
    /// Rewrites the score line; after the last question ends the game.
    /// True when it has ended the game and closed the screen.
    bool LBS();
    /// One second on the clock.
    void Timer1_Timer();
    /// The time is out: the game is lost.
    void Ends();

    /// Caption of the digit tile pressed last.
    const QString &dragDigit() const { return dragDigit_; }
    /// Pictures clicked away per row (index 0 = row 1).
    const std::array<Integer, 4> &clickCount() const { return clickCount_; }
    /// Column of pictures that the next clearing step empties, from 0.
    Integer clearTick() const { return clearTick_; }
    /// The mark over row g's slots (1 to 4), or over the total's (5),
    /// shown from the check until the board is empty.
    AnswerMark *mark(int g) const { return marks_[std::size_t(g - 1)]; }

  signals:
    /// The quiz is over: won, out of time, left with Cm6, or its window
    /// closed. For all but the last the start screen is due. After a
    /// time-out or a closed window the screen has closed already; otherwise
    /// it closes right after.
    void ended(lumo::quiz::Game::Outcome how);
    /// A digit tile was pressed: a drag or a tap begins.
    void tilePicked();
    /// A digit went into an answer slot.
    void tileDropped();
    /// A picture of row g (1 to 4) was counted; the row's counter says `count`.
    void pictureCounted(int g, int count);

  protected:
    void bindControls(ControlBinder &bind) override;
    void connectControls() override;
    void unbindControls() override;
    void closedFromFrame() override;

  private:
    // One picture row: its pictures, its slots and its counter.
    struct Group {
        std::array<Picture *, quiz::mostPictures> &row;
        Label *tens;
        Label *units;
        Label *counter;
    };
    Group group(int g);

    void showGroupPictures(int g);
    void showLevelsControls(int level);
    void dropOnSlot(Label *slot);
    void clickPicture(int g, int index);
    void showClock();
    /// Ends the quiz, whichever way it ends: the game, the screen and the
    /// signal, in the order that way needs. Nothing once the screen is closed.
    void finish(Outcome how);

    using Drop = void (Form2::*)();
    static Drop dropHandler(int slot);
    using PictureClick = void (Form2::*)(int);
    static PictureClick pictureClick(int g);

    void connectKeyboard();
    void moveFromSlot(int slot, int key);
    void countNextPicture(int g);
    Label *firstShownSlot() const;
    /// Hands the keyboard focus on from a control that is about to be
    /// disabled or hidden, if it has it.
    void passFocus(QWidget *from, QWidget *to);
    /// After the board has cleared: the focus, if it was in the answer,
    /// goes to the next question's button.
    void focusNextQuestion();

    void connectTaps();

    void makeMarks();
    void showMarks(const quiz::Game::Marking &marking);
    void hideMarks();

    void connectAnnouncements();
    void announce(const QString &text);
    void announceSlot(const Label *slot);
    void announceMarking(const quiz::Game::Marking &marking);
    /// The clock, once a minute.
    void announceClockTick();
    /// Told at once, before a modal message.
    void announceNow(const QString &text);

    quiz::Game game_;
    quiz::Game::Rules rules_;
    ManualDrag *drag_ = nullptr;
    KeyInput *keys_ = nullptr;
    TapSelection *taps_ = nullptr;
    std::array<FocusGroup *, 4> pictureRows_{};
    std::array<AnswerMark *, 5> marks_{};

    QString dragDigit_;
    std::array<Integer, 4> clickCount_{};
    Integer clearTick_ = 0;
};

} // namespace lumo
