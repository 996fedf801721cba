#pragma once

#include "store/opening.h"
#include "store/records.h"
#include "store/status.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace lumo::store {

/// Which games to list. Days are the user's local days, both ends included;
/// an invalid day leaves that end open. The name matches anywhere in the
/// player's name, ignoring case for Latin letters.
struct GameFilter {
    QString nameContains;
    QDate firstDay;
    QDate lastDay;
};

/// One game as the teacher's window lists it.
struct GameRow {
    QString id;
    QString player;
    QString computer;
    QDateTime startedUtc;
    QDateTime endedUtc;             ///< invalid while unfinished
    std::optional<Outcome> outcome; ///< none: unfinished (the program never recorded an end)
    int startLevel = 1;
    std::optional<int> clockMinutes; ///< none: no clock
    int levelReached = 1;
    int questions = 0;
    int right = 0;
    int wrong = 0;
    std::optional<int> clockSeconds; ///< left, or used when there was no clock
};

/// How much of a level's marking a child got right: every group count and
/// every total checked is one item.
struct LevelShare {
    int level = 1;
    int rightItems = 0;
    int items = 0;
};

struct ChildSummary {
    int games = 0;
    int finishedGames = 0;
    int bestRight = 0; ///< most points right in one game
    double averageRight = 0;
    double averageWrong = 0;
    QList<LevelShare> levels; ///< levels the child played, ascending
};

/// How many times a value was answered wrongly.
struct WrongTally {
    int value = 0;
    int times = 0;
};

/// The group counts and the totals a child answered wrongly, ascending by value.
struct WrongAnswers {
    QList<WrongTally> counts;
    QList<WrongTally> totals;
};

/// One answer of a game, in question order (for tests and a later detail view).
struct AnswerRow {
    int question = 0;
    int level = 1;
    QList<int> counts;
    std::optional<int> total;
    QStringList slotCaptions;
    int pointsRight = 0;
    int pointsWrong = 0;
    double seconds = 0;
    QDateTime checkedUtc;
};

/// The teacher's side of the store: reads on the calling thread with its own
/// connection, and deletes a child's records or all of them.
class ResultReader {
  public:
    explicit ResultReader(const QString &folder, const StoreOptions &options = {});
    ~ResultReader();

    /// Ready, or why the store cannot be used. When it cannot be written but
    /// can still be read (a read-only folder), reading still works.
    const StoreStatus &status() const { return status_; }
    bool canRead() const { return connection_ != nullptr; }
    /// The last error of a read or delete, in SQLite's words; empty if none.
    QString lastError() const { return lastError_; }

    /// Newest first.
    QList<GameRow> games(const GameFilter &filter = {});
    /// Every name that has a game, in the collation of the file.
    QStringList players();
    ChildSummary summary(const QString &player);
    WrongAnswers wrongAnswers(const QString &player);
    QList<AnswerRow> answers(const QString &gameId);

    /// Deletes every game of one player (matched exactly) with its answers,
    /// or of everyone; returns the number of games deleted, -1 on failure.
    /// The ids are logged so that a school server can delete its copies too.
    int deletePlayer(const QString &player);
    int deleteAll();

  private:
    int deleteWhere(const QString &condition, const QVariantList &values);

    StoreStatus status_;
    std::unique_ptr<Connection> connection_;
    QString lastError_;
};

} // namespace lumo::store
