// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_games.h"

#include "store/recorder.h"

#include <QTimeZone>

#include <random>

namespace lumo::demo {

namespace {

using namespace store;

struct Child {
    QString name;
    /// The counts this child tends to get wrong, and how often (0 to 1).
    QList<int> hardCounts;
    double slipRate;
    double totalSlipRate;
};

struct Plan {
    int child;
    int daysAgo;
    int startLevel;
    bool clock;
    int questions;
    std::optional<Outcome> outcome;
};

void recordGame(GameRecorder &recorder, const Child &child, const Plan &plan,
                std::mt19937 &random) {
    std::uniform_real_distribution<double> chance(0, 1);
    const QDateTime started = QDateTime(QDate::currentDate().addDays(-plan.daysAgo), QTime(9, 10))
                                  .addSecs(60 * plan.child * 47);
    GameStart start;
    start.id = QUuid::createUuid();
    start.player = child.name;
    start.startedUtc = started.toUTC();
    start.startLevel = plan.startLevel;
    start.clockMinutes = plan.clock ? std::optional<int>(30) : std::nullopt;
    start.settingsJson = QStringLiteral("{}");
    start.programVersion = QStringLiteral("3.1.0");
    start.computer = QStringLiteral("room-2-pc-7");
    recorder.gameStarted(start);

    int right = 0, wrong = 0, level = plan.startLevel;
    const int first = 25 * (plan.startLevel - 1) + 1;
    QDateTime at = started;
    for (int q = first; q < first + plan.questions; ++q) {
        level = 1 + (q - 1) / 25;
        AnswerCheck answer;
        answer.gameId = start.id;
        answer.question = q;
        answer.level = level;
        int total = 0;
        const auto put = [&](int slot, int value) {
            answer.slotCaptions[2 * slot] = value >= 10 ? QString::number(value / 10) : QString();
            answer.slotCaptions[2 * slot + 1] = QString::number(value % 10);
        };
        for (int g = 0; g < level; ++g) {
            const int count = 2 + int(chance(random) * 14);
            total += count;
            answer.counts.append(count);
            const bool slip =
                chance(random) < (child.hardCounts.contains(count) ? 0.6 : child.slipRate);
            put(g, slip ? count + (chance(random) < 0.5 ? -1 : 1) : count);
            (slip ? answer.pointsWrong : answer.pointsRight) += 1;
        }
        if (level >= 2) {
            answer.total = total;
            const bool slip = chance(random) < child.totalSlipRate + total / 200.0;
            put(4, slip ? total + 1 : total);
            if (slip)
                answer.pointsWrong += 1;
            else
                answer.pointsRight += level;
        }
        answer.seconds = 6 + chance(random) * 20;
        at = at.addMSecs(qint64(answer.seconds * 1000) + 3000);
        answer.checkedUtc = at.toUTC();
        right += answer.pointsRight;
        wrong += answer.pointsWrong;
        recorder.answerChecked(answer);
    }
    if (!plan.outcome)
        return;
    GameEnd end;
    end.gameId = start.id;
    end.outcome = *plan.outcome;
    end.endedUtc = at.addSecs(2).toUTC();
    end.levelReached = *plan.outcome == Outcome::Won ? 4 : level;
    end.questions = first + plan.questions - 1;
    end.right = right;
    end.wrong = wrong;
    const int used = int(started.secsTo(at));
    end.clockSeconds =
        plan.clock ? std::max(0, 30 * 60 * (end.levelReached - plan.startLevel + 1) - used) : used;
    recorder.gameEnded(end);
}

} // namespace

QStringList sampleClassList() {
    return {QStringLiteral("ด.ช. ภูมิ รักเรียน"), QStringLiteral("ด.ญ. มาลี ใจดี"),
            QStringLiteral("ด.ช. สมชาย ขยันยิ่ง"), QStringLiteral("ด.ญ. กานดา สุขใจ"),
            QStringLiteral("ด.ช. ต้นกล้า ใจกล้า")};
}

void recordSampleGames(const QString &folder, const QStringList &extraNames) {
    // ภูมิ typed his short name; ต้นกล้า has not played yet.
    const QList<Child> children{
        {QStringLiteral("ด.ญ. มาลี ใจดี"), {13, 14, 15}, 0.03, 0.08},
        {QStringLiteral("ด.ช. สมชาย ขยันยิ่ง"), {7, 8, 9}, 0.08, 0.25},
        {QStringLiteral("ภูมิ"), {5, 6}, 0.15, 0.3},
        {QStringLiteral("ด.ญ. กานดา สุขใจ"), {11, 12}, 0.1, 0.2},
    };
    const QList<Plan> plans{
        {0, 6, 1, true, 40, Outcome::Left},         {1, 6, 1, true, 33, Outcome::TimeOut},
        {0, 3, 1, true, 100, Outcome::Won},         {1, 3, 2, true, 75, Outcome::Won},
        {2, 3, 1, true, 22, Outcome::Left},         {0, 1, 3, false, 50, Outcome::Won},
        {1, 1, 1, true, 18, Outcome::WindowClosed}, {2, 1, 1, true, 5, Outcome::Left},
        {3, 0, 1, true, 12, std::nullopt},
    };
    std::mt19937 random(20260607);
    GameRecorder recorder(folder);
    for (const Plan &plan : plans)
        recordGame(recorder, children[plan.child], plan, random);
    for (const QString &name : extraNames)
        recordGame(recorder, {name, {}, 0.1, 0.1}, {0, 2, 1, true, 5, Outcome::Left}, random);
    recorder.waitUntilWritten(60000);
}

} // namespace lumo::demo
