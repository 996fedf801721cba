// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Games and answers made up for tests, and a log of the warnings the store
// writes, from whichever thread writes them.

#include "store/records.h"

#include <QMutex>
#include <QStringList>
#include <QTimeZone>
#include <QUuid>
#include <QtGlobal>

namespace lumo::store::test {

inline const QDateTime firstMorning{QDate(2026, 6, 1), QTime(2, 30), Qt::UTC};

inline GameStart sampleStart(const QString &player, int startLevel = 1,
                             std::optional<int> clockMinutes = 30, QDateTime at = firstMorning) {
    GameStart start;
    start.id = QUuid::createUuid();
    start.player = player;
    start.startedUtc = at;
    start.startLevel = startLevel;
    start.clockMinutes = clockMinutes;
    start.settingsJson = QStringLiteral(R"({"startLevel":%1})").arg(startLevel);
    start.programVersion = QStringLiteral("3.1.0");
    start.computer = QStringLiteral("room-2-pc-7");
    return start;
}

/// Question `question` at `level`; counts run through 2 to 15. `wrongGroup`
/// (1-based, 0 for none) gets an answer one too many; `wrongTotal` spoils the total.
inline AnswerCheck sampleAnswer(const GameStart &game, int question, int level, int wrongGroup = 0,
                                bool wrongTotal = false) {
    AnswerCheck answer;
    answer.gameId = game.id;
    answer.question = question;
    answer.level = level;
    int total = 0;
    const auto put = [&](int slot, int value) {
        answer.slotCaptions[2 * slot] = value >= 10 ? QString::number(value / 10) : QString();
        answer.slotCaptions[2 * slot + 1] = QString::number(value % 10);
    };
    for (int g = 0; g < level; ++g) {
        const int count = 2 + (question * 5 + g * 3) % 14;
        answer.counts.append(count);
        total += count;
        put(g, g + 1 == wrongGroup ? count + 1 : count);
        answer.pointsRight += g + 1 == wrongGroup ? 0 : 1;
        answer.pointsWrong += g + 1 == wrongGroup ? 1 : 0;
    }
    if (level >= 2) {
        answer.total = total;
        put(4, wrongTotal ? total - 1 : total);
        answer.pointsRight += wrongTotal ? 0 : level;
        answer.pointsWrong += wrongTotal ? 1 : 0;
    }
    answer.seconds = 4.25 + question;
    answer.checkedUtc = game.startedUtc.addSecs(10 * question);
    return answer;
}

inline GameEnd sampleEnd(const GameStart &game, Outcome outcome, int questions, int right,
                         int wrong) {
    GameEnd end;
    end.gameId = game.id;
    end.outcome = outcome;
    end.endedUtc = game.startedUtc.addSecs(600);
    end.levelReached = 1 + (questions - 1) / 25;
    end.questions = questions;
    end.right = right;
    end.wrong = wrong;
    end.clockSeconds = 1234;
    return end;
}

/// Counts the warnings written while it lives (the writer warns from its own thread).
class Warnings {
  public:
    Warnings() : previous_(qInstallMessageHandler(&Warnings::handle)) { current() = this; }
    ~Warnings() {
        qInstallMessageHandler(previous_);
        current() = nullptr;
    }
    Warnings(const Warnings &) = delete;
    Warnings &operator=(const Warnings &) = delete;

    QStringList all() const {
        QMutexLocker lock(&mutex_);
        return list_;
    }

  private:
    static Warnings *&current() {
        static Warnings *log = nullptr;
        return log;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (Warnings *log = current(); log && type == QtWarningMsg) {
            QMutexLocker lock(&log->mutex_);
            log->list_.append(message);
        }
        if (Warnings *log = current(); log && log->previous_)
            log->previous_(type, context, message);
    }
    QtMessageHandler previous_;
    mutable QMutex mutex_;
    QStringList list_;
};

} // namespace lumo::store::test
