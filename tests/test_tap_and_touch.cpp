// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Answering without dragging, and with fingers: a tap on a tile and then on
// a slot, touches that drag, count and press as the mouse does, two fingers
// at once, touches that the system cancels, and tiles disabled under a
// finger or a held mouse button. No way leaves an outline, a selection or
// a half-made drop behind.
#include "support/keyboard_play.h"
#include "support/question_cycle.h"

#include "platform/controls.h"

#include <QPointingDevice>
#include <QWindow>
#include <QtTest>

#include <map>
#include <memory>

// Qt's entry for a touch that the window system cancels, as a compositor
// does when it takes a gesture for itself; Qt follows it with a mouse
// release where the finger was. QtTest has no way to send one.
class QWindowSystemInterface {
  public:
    class SynchronousDelivery;
    template <typename Delivery>
    static bool handleTouchCancelEvent(QWindow *window, const QPointingDevice *device,
                                       Qt::KeyboardModifiers mods);
};

using namespace lumo;
using namespace lumo::test;

class TapAndTouchTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestProgram> game;
    QPointingDevice *touchscreen = nullptr;
    // Fingers on the screen and where they are.
    std::map<int, QPoint> fingers;

    Form2 &quiz() { return game->quiz; }
    QWidget *window() { return game->quiz.window(); }
    QWidget *outline() { return window()->findChild<QWidget *>(QStringLiteral("dragOutline")); }
    QWidget *selectionRing() {
        return window()->findChild<QWidget *>(QStringLiteral("selectionRing"));
    }

    // A place named in a script: a digit is its tile, "background" a bare
    // spot of the window, any other name the control of that name.
    QPoint placeOf(const QString &name) {
        if (name == QLatin1String("background"))
            return {92, 200};
        bool isDigit = false;
        const int digit = name.toInt(&isDigit);
        QWidget *control =
            isDigit ? quiz().LB[std::size_t(digit)] : window()->findChild<QWidget *>(name);
        return control->mapTo(window(), control->rect().center());
    }

    // One finger moving while the others stay where they are.
    void finger(int id, QEventPoint::State state, QPoint at) {
        auto touch = QTest::touchEvent(window(), touchscreen);
        for (const auto &[other, place] : fingers)
            if (other != id)
                touch.move(other, place);
        if (state == QEventPoint::State::Pressed)
            touch.press(id, at);
        else if (state == QEventPoint::State::Updated)
            touch.move(id, at);
        else
            touch.release(id, at);
        touch.commit();
        QCoreApplication::processEvents();
        if (state == QEventPoint::State::Released)
            fingers.erase(id);
        else
            fingers[id] = at;
    }

    // Runs one step of a script: "tap X" (by the mouse or a finger, as
    // `byTouch` says), "drag D X", "escape", "enter Cm3" (the button
    // pressed from the keyboard), "down F X", "move F X", "up F X" (finger
    // F), "cancel" (every finger's touch cancelled), "press X", "moveto X",
    // "release X" (the mouse button).
    void step(const QString &line, bool byTouch) {
        const QStringList w = line.split(QLatin1Char(' '));
        QWindow *handle = window()->windowHandle();
        if (w[0] == QLatin1String("tap")) {
            const QPoint at = placeOf(w[1]);
            if (byTouch) {
                finger(0, QEventPoint::State::Pressed, at);
                finger(0, QEventPoint::State::Released, at);
            } else {
                QTest::mouseClick(handle, Qt::LeftButton, {}, at);
            }
        } else if (w[0] == QLatin1String("drag")) {
            const QPoint from = placeOf(w[1]), to = placeOf(w[2]);
            if (byTouch) {
                finger(0, QEventPoint::State::Pressed, from);
                finger(0, QEventPoint::State::Updated, (from + to) / 2);
                finger(0, QEventPoint::State::Updated, to);
                finger(0, QEventPoint::State::Released, to);
            } else {
                QTest::mousePress(handle, Qt::LeftButton, {}, from);
                QTest::mouseMove(handle, (from + to) / 2);
                QTest::mouseMove(handle, to);
                QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
            }
        } else if (w[0] == QLatin1String("escape")) {
            sendKey(window(), Qt::Key_Escape);
        } else if (w[0] == QLatin1String("enter")) {
            window()->findChild<QWidget *>(w[1])->setFocus(Qt::TabFocusReason);
            sendKey(window(), Qt::Key_Return);
        } else if (w[0] == QLatin1String("down")) {
            finger(w[1].toInt(), QEventPoint::State::Pressed, placeOf(w[2]));
        } else if (w[0] == QLatin1String("move")) {
            finger(w[1].toInt(), QEventPoint::State::Updated, placeOf(w[2]));
        } else if (w[0] == QLatin1String("up")) {
            finger(w[1].toInt(), QEventPoint::State::Released, placeOf(w[2]));
        } else if (w[0] == QLatin1String("cancel")) {
            QWindowSystemInterface::handleTouchCancelEvent<
                QWindowSystemInterface::SynchronousDelivery>(handle, touchscreen, {});
            fingers.clear();
        } else if (w[0] == QLatin1String("press")) {
            QTest::mousePress(handle, Qt::LeftButton, {}, placeOf(w[1]));
        } else if (w[0] == QLatin1String("moveto")) {
            QTest::mouseMove(handle, placeOf(w[1]));
        } else if (w[0] == QLatin1String("release")) {
            QTest::mouseRelease(handle, Qt::LeftButton, {}, placeOf(w[1]));
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step: ") + line));
        }
        // The board stays as the check left it: its clearing runs on a real
        // 200 ms timer, which a slow run (sanitizers, a busy machine) would
        // otherwise reach before the next step.
        quiz().Timer2->stop();
        QCoreApplication::processEvents();
    }

    // Level 2, rows of 5 and 12: the slots LB7, LB8, LB9, LB14 and LB15 are shown.
    void askLevelTwoQuestion() {
        game = std::make_unique<TestProgram>();
        startGame(*game, 2);
        QVERIFY(QTest::qWaitForWindowActive(window()));
        askQuestion(*game, {5, 12});
    }

    QStringList slotCaptions() {
        QStringList captions;
        for (const Label *slot : quiz().answerSlots())
            captions << slot->caption();
        return captions;
    }

    void runScript(const QStringList &script, bool byTouch) {
        for (const QString &line : script) {
            step(line, byTouch);
            if (QTest::currentTestFailed())
                return;
        }
        // Nothing is left half done.
        QVERIFY(outline()->isHidden());
        QCOMPARE(selectionRing()->isVisible(), quiz().selectedTile() >= 0);
        QVERIFY(fingers.empty());
    }

  private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        touchscreen = QTest::createTouchDevice();
    }
    // QtTest leaves the device it makes to the test.
    void cleanupTestCase() { delete touchscreen; }
    void cleanup() {
        fingers.clear();
        game.reset();
        settle();
    }

    void aTappedTileGoesIntoTheSlotTappedNext_data() {
        QTest::addColumn<bool>("byTouch");
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("selected");
        const QStringList none(10, QString());
        const auto with = [&none](std::initializer_list<std::pair<int, const char *>> placed) {
            QStringList captions = none;
            for (const auto &[slot, digit] : placed)
                captions[slot] = QString::fromLatin1(digit);
            return captions;
        };
        const QStringList checked{"0", "5", "0", "0", "0", "0", "0", "0", "0", "0"};
        struct Row {
            const char *name;
            QStringList script;
            QStringList captions;
            int selected;
        };
        const Row rows[] = {
            {"a tile, then a slot", {"tap 4", "tap LB7"}, with({{1, "4"}}), 4},
            {"one tile, several slots",
             {"tap 1", "tap LB8", "tap LB9"},
             with({{2, "1"}, {3, "1"}}),
             1},
            {"another tile moves the selection",
             {"tap 4", "tap 7", "tap LB7"},
             with({{1, "7"}}),
             7},
            {"the selected tile tapped again", {"tap 4", "tap 4", "tap LB15"}, with({{9, "4"}}), 4},
            {"Esc clears it", {"tap 4", "escape", "tap LB7"}, none, -1},
            {"the background clears it", {"tap 4", "tap background", "tap LB7"}, none, -1},
            {"where a hidden slot would be is background",
             {"tap 4", "tap LB11", "tap LB7"},
             none,
             -1},
            {"a picture counted keeps it", {"tap 3", "tap Im2_4", "tap LB7"}, with({{1, "3"}}), 3},
            {"the check clears it", {"tap 5", "tap LB7", "tap Cm3", "tap LB9"}, checked, -1},
            {"no tile is chosen after the check",
             {"tap 5", "tap LB7", "enter Cm3", "tap 6", "tap LB9"},
             checked,
             -1},
            {"a drag leaves no selection", {"tap 4", "drag 6 LB9"}, with({{3, "6"}}), -1},
            {"a drag from the selected tile", {"tap 6", "drag 6 LB14"}, with({{8, "6"}}), -1},
        };
        for (const Row &row : rows) {
            QTest::addRow("mouse: %s", row.name)
                << false << row.script << row.captions << row.selected;
            QTest::addRow("touch: %s", row.name)
                << true << row.script << row.captions << row.selected;
        }
    }

    void aTappedTileGoesIntoTheSlotTappedNext() {
        QFETCH(bool, byTouch);
        QFETCH(QStringList, script);
        QFETCH(QStringList, captions);
        QFETCH(int, selected);
        askLevelTwoQuestion();
        runScript(script, byTouch);
        QCOMPARE(slotCaptions(), captions);
        QCOMPARE(quiz().selectedTile(), selected);
        if (selected >= 0)
            QCOMPARE(selectionRing()->geometry().center(), placeOf(QString::number(selected)));
    }

    void fingersAndHeldButtonsEndInOneDropOrNone_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("counted");
        const QStringList none(10, QString());
        QStringList three = none;
        three[3] = QStringLiteral("3");
        QStringList seven = none;
        seven[1] = QStringLiteral("7");
        const QStringList checked{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};

        QTest::newRow("a finger drags a tile into a slot")
            << QStringList{"down 0 7", "move 0 LB3", "move 0 LB7", "up 0 LB7"} << seven << 0;
        QTest::newRow("a finger taps a picture to count it")
            << QStringList{"down 0 Im2_6", "up 0 Im2_6"} << none << 1;
        QTest::newRow("a finger lifted off the picture counts nothing")
            << QStringList{"down 0 Im2_6", "move 0 LB3", "up 0 LB3"} << none << 0;
        QTest::newRow("a finger presses the check")
            << QStringList{"down 0 Cm3", "up 0 Cm3"} << checked << 0;
        QTest::newRow("two fingers on two tiles: the first one drags")
            << QStringList{"down 0 3",   "down 1 8", "move 1 LB7",
                           "move 0 LB9", "up 1 LB7", "up 0 LB9"}
            << three << 0;
        QTest::newRow("two fingers: the first lifted first")
            << QStringList{"down 0 3", "down 1 8",    "move 0 LB9", "move 1 LB7",
                           "up 0 LB9", "move 1 LB15", "up 1 LB15"}
            << three << 0;
        QTest::newRow("a second finger on a picture counts nothing")
            << QStringList{"down 0 3", "down 1 Im2_2", "up 1 Im2_2", "move 0 LB9", "up 0 LB9"}
            << three << 0;
        QTest::newRow("a cancelled touch drops nothing")
            << QStringList{"down 0 7", "move 0 LB7", "cancel"} << none << 0;
        QTest::newRow("a cancelled touch over its own tile selects nothing")
            << QStringList{"down 0 7", "cancel"} << none << 0;
        QTest::newRow("two fingers cancelled")
            << QStringList{"down 0 7", "down 1 2", "move 0 LB7", "cancel"} << none << 0;
        QTest::newRow("a tile disabled under the finger drops nothing")
            << QStringList{"down 0 7", "move 0 LB7", "enter Cm3", "up 0 LB7"} << checked << 0;
        QTest::newRow("a tile disabled under the held mouse button drops nothing")
            << QStringList{"press 7", "moveto LB7", "enter Cm3", "release LB7"} << checked << 0;
    }

    void fingersAndHeldButtonsEndInOneDropOrNone() {
        QFETCH(QStringList, script);
        QFETCH(QStringList, captions);
        QFETCH(int, counted);
        askLevelTwoQuestion();
        runScript(script, true);
        QCOMPARE(slotCaptions(), captions);
        QCOMPARE(quiz().clickCount()[1], counted);
        QCOMPARE(quiz().selectedTile(), -1);

        // What comes next works as ever.
        if (quiz().LB[2]->isEnabled()) {
            step(QStringLiteral("drag 2 LB15"), true);
            QCOMPARE(quiz().LB15->caption(), QStringLiteral("2"));
            QVERIFY(outline()->isHidden());
        }
    }

    void touchingTheStartScreenBringsUpNoPointerOfItsOwn() {
        game = std::make_unique<TestProgram>();
        Form1 &start = game->start;
        start.show();
        QVERIFY(QTest::qWaitForWindowActive(start.window()));
        QWindow *handle = start.window()->windowHandle();
        const QPoint host = start.Im1->mapTo(start.window(), start.Im1->rect().center());

        // A finger on the host: it is clicked, and no pointer of its own appears.
        QTest::touchEvent(start.window(), touchscreen).press(0, host);
        QVERIFY(handle->cursor().shape() != Qt::BitmapCursor);
        QTest::touchEvent(start.window(), touchscreen).release(0, host);
        QCOMPARE(start.hostClicks(), 1);
        QVERIFY(handle->cursor().shape() != Qt::BitmapCursor);

        // The mouse back over the host brings its pointer back.
        QTest::mouseMove(handle, host + QPoint(1, 1));
        QCOMPARE(handle->cursor().shape(), Qt::BitmapCursor);
    }
};

QTEST_MAIN(TapAndTouchTest)
#include "test_tap_and_touch.moc"
