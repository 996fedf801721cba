// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/child_page.h"

#include "quiz/levels.h"
#include "store/tables.h"
#include "teacher/bar_chart.h"
#include "teacher/dialogs.h"
#include "teacher/export_tables.h"
#include "teacher/game_facts.h"
#include "teacher/pin_guard.h"
#include "teacher/plain_label.h"
#include "teacher/read_queue.h"
#include "teacher/texts.h"

#include <QCollator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QVBoxLayout>

namespace lumo::teacher {

/// What one read brings for a child.
struct ChildPage::Figures {
    QList<store::GameRow> games;
    store::ChildSummary summary;
    store::WrongAnswers numbers;
};

namespace {

/// The games a progress chart shows, the newest.
constexpr int progressGames = 20;

QLabel *topLeftLabel(QWidget *parent) {
    auto *label = plainLabel({}, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QList<BarChart::Bar> askedAndMissed(const QList<store::NumberFacts> &facts,
                                    const QList<int> &values = {}) {
    QList<BarChart::Bar> bars;
    if (values.isEmpty()) {
        for (const store::NumberFacts &f : facts)
            bars.append({QString::number(f.value), f.missed, f.asked});
        return bars;
    }
    for (int value : values) {
        const auto it = std::find_if(facts.begin(), facts.end(),
                                     [value](const auto &f) { return f.value == value; });
        bars.append({QString::number(value), it == facts.end() ? 0 : it->missed,
                     it == facts.end() ? 0 : it->asked});
    }
    return bars;
}

/// "8 (ผิด 5 จาก 12 ครั้ง)" for the numbers missed most often, at most three.
QString mostMissed(const QList<store::NumberFacts> &facts, const QLocale &locale) {
    QList<store::NumberFacts> missed;
    for (const store::NumberFacts &f : facts)
        if (f.missed > 0)
            missed << f;
    // Most often missed first; of two missed as often, the one asked less.
    std::stable_sort(missed.begin(), missed.end(), [](const auto &a, const auto &b) {
        return a.missed != b.missed ? a.missed > b.missed : a.asked < b.asked;
    });
    QStringList parts;
    for (const store::NumberFacts &f : missed.mid(0, 3))
        parts << QStringLiteral("%1 (ผิด %2 จาก %3 ครั้ง)")
                     .arg(locale.toString(f.value), locale.toString(f.missed),
                          locale.toString(f.asked));
    return parts.join(QStringLiteral(", "));
}

/// "นับเกิน 12 ครั้ง นับขาด 5 ครั้ง" and what it suggests.
QString direction(const QList<store::NumberFacts> &facts, const QString &what,
                  const QString &tooHigh, const QString &tooLow, const QLocale &locale) {
    int over = 0, under = 0;
    for (const store::NumberFacts &f : facts)
        over += f.over, under += f.under;
    if (over + under == 0)
        return {};
    QString text = QStringLiteral("%1: ตอบมากเกินไป %2 ครั้ง น้อยเกินไป %3 ครั้ง")
                       .arg(what, locale.toString(over), locale.toString(under));
    if (over >= 2 * under && over >= 3)
        text += QStringLiteral(" (%1)").arg(tooHigh);
    else if (under >= 2 * over && under >= 3)
        text += QStringLiteral(" (%1)").arg(tooLow);
    return text;
}

} // namespace

ChildPage::ChildPage(ReadQueue &reads, TeacherDialogs &dialogs, PinGuard &pin,
                     const QLocale &locale, QWidget *parent)
    : QWidget(parent), reads_(&reads), dialogs_(dialogs), pin_(pin), locale_(locale),
      names_(new QComboBox(this)), summary_(topLeftLabel(this)), numbers_(topLeftLabel(this)),
      charts_(new QWidget), delete_(new QPushButton(this)) {
    names_->setObjectName(QStringLiteral("child"));
    names_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    names_->setMinimumContentsLength(24);
    summary_->setObjectName(QStringLiteral("summary"));
    numbers_->setObjectName(QStringLiteral("numbers"));
    delete_->setObjectName(QStringLiteral("deleteChild"));

    auto *top = new QHBoxLayout;
    auto *nameLabel = plainLabel(QStringLiteral("นักเรียน"), this);
    top->addWidget(nameLabel);
    top->addWidget(names_, 1);
    top->addStretch(0);
    top->addWidget(delete_);
    auto *figures = new QHBoxLayout;
    figures->addWidget(summary_, 1);
    figures->addWidget(numbers_, 1);
    auto *inner = new QVBoxLayout(charts_);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addLayout(figures);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(charts_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scroll, 1);

    connect(names_, &QComboBox::currentIndexChanged, this, &ChildPage::showSummary);
    connect(delete_, &QPushButton::clicked, this, &ChildPage::deleteChild);
    showSummary();
}

void ChildPage::setSource(ReadQueue &reads, const store::GameFilter &scope, bool server) {
    if (&reads != reads_) {
        // Nothing of the other place while this one is read.
        const QSignalBlocker blocker(names_);
        names_->clear();
        summary_->clear();
        numbers_->clear();
        delete_->setEnabled(false);
    }
    reads_ = &reads;
    scope_ = scope;
    server_ = server;
    namesStale_ = true;
}

void ChildPage::setClassList(const QStringList &names, const NameLinks &links) {
    classList_ = names;
    links_ = links;
}

QString ChildPage::keyOf(const QString &name) const {
    const QString listed = listedNameOf(name, classList_, links_);
    return listed.isEmpty() ? name : listed;
}

QString ChildPage::child() const {
    return names_->currentData().toString();
}

QStringList ChildPage::childNames() const {
    return names_->currentData(Qt::UserRole + 1).toStringList();
}

void ChildPage::reload() {
    namesStale_ = false;
    reads_->read([scope = scope_](store::ResultSource &source) { return source.players(scope); },
                 [this](const QStringList &players) { showPlayers(players); });
}

void ChildPage::offerGames(const QList<store::GameRow> &games, const store::GameFilter &filter) {
    // The names are those of the games another page read within this
    // page's scope: no need to read them again.
    if (!namesStale_ || !filter.nameContains.isEmpty() || filter.firstDay.isValid() ||
        filter.lastDay.isValid() || filter.players != scope_.players ||
        filter.computer != scope_.computer)
        return;
    namesStale_ = false;
    QSet<QString> names;
    for (const store::GameRow &game : games)
        names.insert(game.player);
    showPlayers(names.values());
}

void ChildPage::readNamesIfStale() {
    if (namesStale_)
        reload();
}

void ChildPage::showPlayers(const QStringList &players) {
    const QString current = child();
    // One entry per child: a listed child with every name joined to it.
    QMap<QString, QStringList> children;
    for (const QString &name : players)
        children[keyOf(name)] << name;
    QStringList keys = children.keys();
    // In the order of the teacher's language: Thai leading vowels do not
    // sort by their code points.
    std::sort(keys.begin(), keys.end(), QCollator(locale_));
    const QSignalBlocker blocker(names_);
    names_->clear();
    for (const QString &key : keys) {
        QStringList names = children.value(key);
        names.sort();
        names_->addItem(oneLineName(key), key);
        names_->setItemData(names_->count() - 1, names, Qt::UserRole + 1);
        names_->setItemData(names_->count() - 1, oneLineName(key, 500), Qt::ToolTipRole);
    }
    const int index = names_->findData(current);
    names_->setCurrentIndex(index >= 0 ? index : 0);
    showSummary();
}

void ChildPage::showChild(const QString &name) {
    const int index = names_->findData(keyOf(name));
    if (index >= 0)
        names_->setCurrentIndex(index);
}

void ChildPage::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (stale_)
        readSummary();
}

void ChildPage::showSummary() {
    const QString name = child();
    delete_->setEnabled(!names_->currentData().isNull());
    delete_->setText(names_->currentData().isNull()
                         ? QStringLiteral("ลบผลของนักเรียนคนนี้…")
                         : QStringLiteral("ลบผลทั้งหมดของ %1…").arg(oneLineName(name, 24)));
    // A child's figures take a pass over all of the child's answers: not
    // while the window opens on another page.
    stale_ = true;
    if (isVisible())
        readSummary();
}

void ChildPage::readSummary() {
    stale_ = false;
    if (names_->currentData().isNull()) {
        summary_->setText(QStringLiteral("ยังไม่มีผลการทดสอบ"));
        numbers_->clear();
        if (counts_)
            showFigures({});
        return;
    }
    const QString name = child();
    store::GameFilter filter;
    filter.computer = scope_.computer;
    filter.alsoNamed = childNames();
    store::GameFilter games = filter;
    games.players = childNames();
    reads_->read(
        [name, filter, games](store::ResultSource &source) {
            return Figures{source.games(games), source.summary(name, filter),
                           source.wrongAnswers(name, filter)};
        },
        [this, name](const Figures &figures) {
            // Another child chosen meanwhile: that child's figures follow.
            if (name != child())
                return;
            showFigures(figures);
        });
}

void ChildPage::makeCharts() {
    if (counts_)
        return;
    counts_ = new BarChart(QStringLiteral("จำนวนรูปในแถว: ถามกี่ครั้ง ตอบผิดกี่ครั้ง"),
                           QStringLiteral("จำนวนรูปในแถว"), charts_);
    totals_ =
        new BarChart(QStringLiteral("ผลรวม: ถามกี่ครั้ง ตอบผิดกี่ครั้ง"), QStringLiteral("ผลรวม"), charts_);
    progress_ = new BarChart(QStringLiteral("ตอบถูกกี่เปอร์เซ็นต์ของข้อที่ตอบ ในแต่ละครั้งที่เล่น"),
                             QStringLiteral("ครั้งที่เล่น เก่าไปใหม่"), charts_);
    counts_->setObjectName(QStringLiteral("countsChart"));
    totals_->setObjectName(QStringLiteral("totalsChart"));
    progress_->setObjectName(QStringLiteral("progressChart"));
    for (BarChart *chart : {counts_, totals_})
        chart->setLegend(QStringLiteral("ผิด"), QStringLiteral("ถาม"));
    progress_->setValueAxis(QStringLiteral("%"), 100);
    auto *layout = static_cast<QVBoxLayout *>(charts_->layout());
    auto *pair = new QHBoxLayout;
    pair->addWidget(counts_, 1);
    pair->addWidget(totals_, 1);
    layout->addLayout(pair, 1);
    layout->addWidget(progress_, 1);
}

void ChildPage::showFigures(const Figures &f) {
    makeCharts();
    const QList<store::GameRow> &games = f.games;
    // Counts are asked at every level, totals from level 2 on.
    QList<int> counts;
    for (int n = quiz::fewestPictures; n <= quiz::mostPictures; ++n)
        counts << n;
    counts_->setBars(askedAndMissed(f.numbers.countFacts, counts),
                     QStringLiteral("ยังไม่มีข้อที่ตรวจคำตอบ"));
    totals_->setBars(askedAndMissed(f.numbers.totalFacts),
                     f.numbers.countFacts.isEmpty()
                         ? QStringLiteral("ยังไม่มีข้อที่ตรวจคำตอบ")
                         : QStringLiteral("ยังไม่มีข้อที่ถามผลรวม: ระดับ 1 ถามเฉพาะจำนวนรูป "
                                          "ผลรวมเริ่มถามที่ระดับ 2"));
    QList<BarChart::Bar> shares;
    for (auto it = games.crbegin(); it != games.crend(); ++it)
        if (const auto share = shareRight(*it))
            shares.append({dayText(it->startedUtc.toLocalTime().date(), locale_)
                               .section(QLatin1Char(' '), 0, 1),
                           int(std::lround(*share * 100))});
    progress_->setBars(shares.mid(std::max<qsizetype>(0, shares.size() - progressGames)),
                       QStringLiteral("ยังไม่มีเกมที่ตอบอย่างน้อยหนึ่งข้อ"));

    if (games.isEmpty()) {
        summary_->setText(QStringLiteral("ยังไม่มีผลการทดสอบ"));
        numbers_->clear();
        return;
    }
    int endings[5] = {};
    int answered = 0, right = 0, levelReached = 0, seconds = 0;
    for (const store::GameRow &g : games) {
        ++endings[int(endingOf(g))];
        answered += g.answered;
        right += g.answeredRight;
        levelReached = std::max(levelReached, g.levelReached);
        seconds += secondsUsed(g);
    }
    QStringList how;
    for (Ending e :
         {Ending::AllDone, Ending::TimeOut, Ending::Left, Ending::WindowClosed, Ending::CutOff})
        if (endings[int(e)])
            how << QStringLiteral("%1 %2 ครั้ง")
                       .arg(endingText(e), locale_.toString(endings[int(e)]));
    QStringList lines;
    lines << QStringLiteral("เล่นทั้งหมด %1 ครั้ง: %2")
                 .arg(locale_.toString(games.size()), how.join(QStringLiteral(", ")));
    if (answered > 0)
        lines << QStringLiteral("ตอบ %1 ข้อ ถูกทั้งข้อ %2 ข้อ (%3) ผิด %4 ข้อ")
                     .arg(locale_.toString(answered), locale_.toString(right),
                          percentText(double(right) / answered, locale_),
                          locale_.toString(answered - right));
    lines << QStringLiteral("คะแนนเฉลี่ยต่อครั้ง: ทำถูก %1 ทำผิด %2 (ทำถูกมากที่สุด %3)")
                 .arg(locale_.toString(f.summary.averageRight, 'f', 1),
                      locale_.toString(f.summary.averageWrong, 'f', 1),
                      locale_.toString(f.summary.bestRight));
    lines << QStringLiteral("ไปถึงระดับ %1 ใช้เวลารวม %2")
                 .arg(locale_.toString(levelReached), durationText(seconds));
    const QStringList names = childNames();
    if (names.size() > 1 || (names.size() == 1 && names.first().trimmed() != child())) {
        QStringList quoted;
        for (const QString &n : names)
            quoted << QStringLiteral("\"%1\"").arg(oneLineName(n, 40));
        lines << QStringLiteral("ชื่อที่พิมพ์ไว้: %1").arg(quoted.join(QStringLiteral(", ")));
    }
    summary_->setText(lines.join(QLatin1Char('\n')));

    QStringList facts;
    for (const store::LevelShare &share : f.summary.levels) {
        const double part = share.items ? double(share.rightItems) / share.items : 0;
        facts << QStringLiteral("ระดับ %1: ตอบถูก %2 ของช่องที่ตอบ (%3 จาก %4)")
                     .arg(locale_.toString(share.level), percentText(part, locale_),
                          locale_.toString(share.rightItems), locale_.toString(share.items));
    }
    const QString countsMissed = mostMissed(f.numbers.countFacts, locale_);
    if (!countsMissed.isEmpty())
        facts << QStringLiteral("จำนวนรูปที่นับผิดบ่อย: %1").arg(countsMissed);
    const QString totalsMissed = mostMissed(f.numbers.totalFacts, locale_);
    if (!totalsMissed.isEmpty())
        facts << QStringLiteral("ผลรวมที่ตอบผิดบ่อย: %1").arg(totalsMissed);
    for (const QString &line :
         {direction(f.numbers.countFacts, QStringLiteral("นับรูปผิด"), QStringLiteral("มักนับเกิน"),
                    QStringLiteral("มักนับขาด"), locale_),
          direction(f.numbers.totalFacts, QStringLiteral("ผลรวมผิด"),
                    QStringLiteral("มักตอบมากเกินไป"), QStringLiteral("มักตอบน้อยเกินไป"), locale_)})
        if (!line.isEmpty())
            facts << line;
    numbers_->setText(facts.join(QLatin1Char('\n')));
}

void ChildPage::deleteChild() {
    const QString name = child();
    const QStringList names = childNames();
    if (names.isEmpty())
        return;
    // Every game of the child goes, whatever the scope shows.
    const QPointer<ReadQueue> reads(reads_);
    store::GameFilter all;
    all.players = names;
    reads->read([all](store::ResultSource &source) { return source.games(all).size(); },
                [this, name, names, reads](qsizetype games) {
                    if (games == 0 || !pin_.allow(this, QStringLiteral("ลบผลการทดสอบ")))
                        return;
                    QString question =
                        QStringLiteral("ลบผลการทดสอบทั้งหมดของ \"%1\" (%2 เกม) ใช่หรือไม่?\n"
                                       "เกมที่ลบจะอยู่ในถังขยะ %3 วัน เอาคืนได้ก่อนถูกลบถาวร")
                            .arg(oneLineName(name, 200), locale_.toString(games))
                            .arg(store::binDays);
                    if (server_)
                        question += QStringLiteral("\nลบจากเซิร์ฟเวอร์ของโรงเรียน (ทุกเครื่อง) "
                                                   "ผลที่เก็บไว้ในแต่ละเครื่องยังอยู่ในเครื่องนั้น");
                    // The teacher may have gone to another place while the
                    // question was open.
                    if (!dialogs_.confirm(this, question) || reads != reads_)
                        return;
                    reads->read(
                        [names](store::ResultSource &source) {
                            int removed = 0;
                            for (const QString &n : names) {
                                const int one = source.deletePlayer(n);
                                if (one < 0)
                                    return std::pair{-1, source.lastError()};
                                removed += one;
                            }
                            return std::pair{removed, QString()};
                        },
                        [this](const std::pair<int, QString> &deleted) {
                            if (!dialogs_.deletionWent(this, deleted.first, deleted.second))
                                return;
                            reload();
                            emit recordsDeleted();
                        });
                });
}

} // namespace lumo::teacher
