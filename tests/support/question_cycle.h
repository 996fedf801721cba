// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Steps of the question cycle for tests that play the quiz screen: scripted
// questions, answers dropped into the slots, the board clearing run to its
// end, and the score and clock lines written out in full.

#include "fakes/playing.h"
#include "platform/controls.h"
#include "quiz/levels.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace lumo::test {

/// Opens the quiz for a game that starts at `level` and starts its clock.
inline void startGame(TestProgram &program, int level = 1,
                      int clockMinutes = quiz::defaultClockMinutes) {
    program.quiz.setRules({level, clockMinutes});
    program.openQuiz();
    program.quiz.Cm1_Click();
}

/// Asks the next question with rows of the given sizes and picture files.
inline void askQuestion(TestProgram &program, const QList<int> &sizes,
                        const QList<int> &pictures = {1, 2, 3, 4}) {
    scriptQuestion(program.services, sizes, pictures);
    program.quiz.Cm4_Click();
}

/// Checks the answer on the board and lets the clearing run to its end.
inline void finishQuestion(Form2 &quiz) {
    quiz.Cm3_Click();
    runClearing(quiz);
}

/// Plays `count` questions with whatever the random source draws, each
/// answered right or left empty.
inline void playQuestions(Form2 &quiz, int count, bool right = false) {
    for (int i = 0; i < count && quiz.isOpen(); ++i) {
        quiz.Cm4_Click();
        if (!quiz.isOpen())
            return;
        if (right)
            enterRightAnswers(quiz);
        finishQuestion(quiz);
    }
}

/// Starts a game at `level` and asks its question `questionNo` (counted from
/// the first of the whole game), the earlier ones of the level left empty.
inline void askQuestionNo(TestProgram &program, int level, int questionNo, const QList<int> &sizes,
                          const QList<int> &pictures = {1, 2, 3, 4}) {
    startGame(program, level);
    playQuestions(program.quiz, questionNo - 1 - quiz::questionsBefore(level));
    askQuestion(program, sizes, pictures);
}

/// "ข้อที่ q ทำถูก r ทำผิด w ระดับ l", written out here rather than taken
/// from the program.
inline QString scoreText(int questionNo, int right, int wrong, int level) {
    return QStringLiteral("ข้อที่ %1 ทำถูก %2 ทำผิด %3 ระดับ %4")
        .arg(questionNo)
        .arg(right)
        .arg(wrong)
        .arg(level);
}

/// The name, and on the next line the time left.
inline QString clockText(const QString &name, int minutes, int seconds) {
    return QStringLiteral("น้อง ") + name +
           QStringLiteral("\r\n เหลือยเวลา %1 นาที %2 วินาที").arg(minutes).arg(seconds);
}

/// Notes, in order, when the quiz window is hidden and when another window
/// is shown.
class WindowOrder : public QObject {
  public:
    explicit WindowOrder(QWidget *quizWindow) : quizWindow_(quizWindow) {
        qApp->installEventFilter(this);
    }
    QStringList seen;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            const bool quiz = watched == quizWindow_;
            if (event->type() == QEvent::Hide && quiz)
                seen.append(QStringLiteral("quiz closed"));
            if (event->type() == QEvent::Show && !quiz)
                seen.append(QStringLiteral("start shown"));
        }
        return false;
    }

  private:
    QWidget *quizWindow_;
};

} // namespace lumo::test
