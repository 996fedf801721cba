// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the game's part for tests that need a real process: records one game
// and its answers through the recorder, as the game does.
//   store_record_helper FOLDER NAME ANSWERS end     records ANSWERS answers, ends the game, exits
//   store_record_helper FOLDER NAME ANSWERS forever records ANSWERS answers quickly, then one
//                                                   every 5 ms until it is killed
#include "samples.h"

#include "store/recorder.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace lumo::store;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fputs("usage: store_record_helper FOLDER NAME ANSWERS end|forever\n", stderr);
        return 2;
    }
    const QString folder = args[1];
    const int answers = args[3].toInt();
    const bool untilKilled = args[4] == QLatin1String("forever");

    GameRecorder recorder(folder);
    const GameStart start = test::sampleStart(args[2], 1, 30, QDateTime::currentDateTimeUtc());
    recorder.gameStarted(start);
    int right = 0, wrong = 0;
    for (int q = 1; q <= answers || untilKilled; ++q) {
        const AnswerCheck answer = test::sampleAnswer(start, q, 1 + (q - 1) / 25 % 4, q % 4);
        recorder.answerChecked(answer);
        right += answer.pointsRight;
        wrong += answer.pointsWrong;
        if (q > answers)
            QThread::msleep(5);
    }
    recorder.gameEnded(test::sampleEnd(start, Outcome::Won, answers, right, wrong));
    return recorder.waitUntilWritten(30000) && recorder.status().ready() ? 0 : 1;
}
