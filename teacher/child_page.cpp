// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/child_page.h"

#include "platform/controls.h"
#include "quiz/levels.h"
#include "teacher/dialogs.h"
#include "teacher/plain_label.h"
#include "teacher/read_queue.h"
#include "teacher/wrong_chart.h"

#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {

QLabel *topLeftLabel(QWidget *parent) {
    auto *label = plainLabel({}, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QString shortName(const QString &name) {
    QString line = name;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return shortenLongLines(line, 60);
}

// The counts a group can show.
QList<int> possibleCounts() {
    QList<int> values;
    for (int n = quiz::fewestPictures; n <= quiz::mostPictures; ++n)
        values.append(n);
    return values;
}

} // namespace

ChildPage::ChildPage(ReadQueue &reads, TeacherDialogs &dialogs, const QLocale &locale,
                     QWidget *parent)
    : QWidget(parent), reads_(&reads), dialogs_(dialogs), locale_(locale),
      names_(new QComboBox(this)), summary_(topLeftLabel(this)), levels_(topLeftLabel(this)),
      charts_(new QHBoxLayout), delete_(new QPushButton(this)) {
    names_->setObjectName(QStringLiteral("child"));
    names_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    names_->setMinimumContentsLength(28);
    summary_->setObjectName(QStringLiteral("summary"));
    levels_->setObjectName(QStringLiteral("levels"));
    delete_->setObjectName(QStringLiteral("deleteChild"));

    auto *top = new QHBoxLayout;
    auto *nameLabel = topLeftLabel(this);
    nameLabel->setText(QStringLiteral("นักเรียน"));
    top->addWidget(nameLabel);
    top->addWidget(names_);
    top->addStretch(1);
    top->addWidget(delete_);
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(summary_, 1);
    numbers->addWidget(levels_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(numbers);
    layout->addLayout(charts_, 1);

    connect(names_, &QComboBox::currentIndexChanged, this, &ChildPage::showSummary);
    connect(delete_, &QPushButton::clicked, this, &ChildPage::deleteChild);
}

void ChildPage::setSource(ReadQueue &reads, const store::GameFilter &scope, bool server) {
    if (&reads != reads_) {
        // Nothing of the other place while this one is read.
        const QSignalBlocker blocker(names_);
        names_->clear();
        summary_->clear();
        levels_->clear();
        delete_->setEnabled(false);
    }
    reads_ = &reads;
    scope_ = scope;
    server_ = server;
    reload();
}

QString ChildPage::child() const {
    return names_->currentData().toString();
}

void ChildPage::reload() {
    reads_->read([scope = scope_](store::ResultSource &source) { return source.players(scope); },
                 [this](QStringList players) {
                     const QString current = child();
                     const QSignalBlocker blocker(names_);
                     names_->clear();
                     // In the order of the teacher's language: Thai leading
                     // vowels do not sort by their code points.
                     std::sort(players.begin(), players.end(), QCollator(locale_));
                     for (const QString &name : players)
                         names_->addItem(shortName(name), name);
                     const int index = names_->findData(current);
                     names_->setCurrentIndex(index >= 0 ? index : 0);
                     showSummary();
                 });
}

void ChildPage::showChild(const QString &name) {
    const int index = names_->findData(name);
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
    delete_->setEnabled(!name.isEmpty());
    delete_->setText(name.isEmpty() ? QStringLiteral("ลบผลของนักเรียนคนนี้…")
                                    : QStringLiteral("ลบผลทั้งหมดของ %1…").arg(shortName(name)));
    // A child's figures take a pass over all of the child's answers: not
    // while the window opens on another page.
    stale_ = true;
    if (isVisible())
        readSummary();
}

void ChildPage::readSummary() {
    stale_ = false;
    const QString name = child();
    reads_->read(
        [name, scope = scope_](store::ResultSource &source) {
            return std::pair{source.summary(name, scope), source.wrongAnswers(name, scope)};
        },
        [this, name](const std::pair<store::ChildSummary, store::WrongAnswers> &read) {
            // Another child chosen meanwhile: that child's figures follow.
            if (name != child())
                return;
            showFigures(read.first);
            showMistakes(read.second);
        });
}

void ChildPage::showFigures(const store::ChildSummary &s) {
    // Totals are asked from level 2 on.
    playedTotals_ = std::any_of(s.levels.begin(), s.levels.end(),
                                [](const store::LevelShare &l) { return l.level > 1; });
    if (s.games == 0) {
        summary_->setText(QStringLiteral("ยังไม่มีผลการทดสอบ"));
        levels_->clear();
        return;
    }
    summary_->setText(QStringLiteral("เล่นทั้งหมด %1 ครั้ง (จบเกม %2 ครั้ง)\n"
                                     "ทำถูกมากที่สุดในเกมเดียว %3 คะแนน\n"
                                     "เฉลี่ยต่อเกม: ทำถูก %4 ทำผิด %5")
                          .arg(locale_.toString(s.games), locale_.toString(s.finishedGames),
                               locale_.toString(s.bestRight),
                               locale_.toString(s.averageRight, 'f', 1),
                               locale_.toString(s.averageWrong, 'f', 1)));
    QStringList lines;
    for (const store::LevelShare &share : s.levels) {
        const double percent = share.items ? 100.0 * share.rightItems / share.items : 0;
        lines << QStringLiteral("ระดับ %1: ตอบถูก %2% (%3 จาก %4)")
                     .arg(locale_.toString(share.level), locale_.toString(percent, 'f', 0),
                          locale_.toString(share.rightItems), locale_.toString(share.items));
    }
    levels_->setText(lines.join(QLatin1Char('\n')));
}

void ChildPage::showMistakes(const store::WrongAnswers &wrong) {
    if (!counts_) {
        // Made with the page's first showing: the first chart in a process
        // costs a good part of a frame, which the window's opening is spared.
        counts_ =
            new WrongChart(QStringLiteral("จำนวนรูปที่นับผิด"), QStringLiteral("จำนวนรูปในแถว"), this);
        totals_ =
            new WrongChart(QStringLiteral("ผลรวมที่ตอบผิดบ่อยที่สุด"), QStringLiteral("ผลรวม"), this);
        charts_->addWidget(counts_, 1);
        charts_->addWidget(totals_, 1);
    }
    counts_->setTallies(wrong.counts, possibleCounts(), QStringLiteral("ยังไม่มีจำนวนรูปที่นับผิด"));
    totals_->setTallies(wrong.totals, {},
                        playedTotals_ ? QStringLiteral("ยังไม่มีผลรวมที่ตอบผิด")
                                      : QStringLiteral("ระดับ 1 ไม่ถามผลรวม: "
                                                       "ผลรวมเริ่มถามตั้งแต่ระดับ 2"),
                        10);
}

void ChildPage::deleteChild() {
    const QString name = child();
    if (name.isEmpty())
        return;
    // Every game of the child goes, whatever the scope shows.
    const QPointer<ReadQueue> reads(reads_);
    reads->read([name](store::ResultSource &source) { return source.summary(name).games; },
                [this, name, reads](int games) {
                    QString question =
                        QStringLiteral("ลบผลการทดสอบทั้งหมดของ \"%1\" (%2 เกม) ใช่หรือไม่?\n"
                                       "ลบแล้วเอาคืนไม่ได้")
                            .arg(shortenLongLines(name, 200), locale_.toString(games));
                    if (server_)
                        question += QStringLiteral("\nลบจากเซิร์ฟเวอร์ของโรงเรียน (ทุกเครื่อง) "
                                                   "ผลที่เก็บไว้ในแต่ละเครื่องยังอยู่ในเครื่องนั้น");
                    // The teacher may have gone to another place while the
                    // question was open.
                    if (games == 0 || !dialogs_.confirm(this, question) || reads != reads_)
                        return;
                    reads->read(
                        [name](store::ResultSource &source) {
                            const int removed = source.deletePlayer(name);
                            return std::pair{removed, source.lastError()};
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
