// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/teacher_window.h"

#include "settings/name_links.h"
#include "store/reader.h"
#include "store/tables.h"
#include "teacher/bin_page.h"
#include "teacher/child_page.h"
#include "teacher/class_page.h"
#include "teacher/dialogs.h"
#include "teacher/games_page.h"
#include "teacher/look.h"
#include "teacher/plain_label.h"
#include "teacher/qt_thai.h"
#include "teacher/read_queue.h"
#include "teacher/settings_page.h"
#include "teacher/source_bar.h"
#include "teacher/texts.h"
#include "teacher/voice_page.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumo::teacher {

namespace {
QLabel *statusLabel(const QString &name, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

void colour(QLabel *label, bool good) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, good ? QColor(0, 0, 64) : QColor(160, 0, 0));
    label->setPalette(palette);
}
} // namespace

TeacherWindow::TeacherWindow(const QString &storeFolder, const SettingsFiles &settings,
                             TeacherDialogs &dialogs, const QLocale &locale, QWidget *parent)
    : QWidget(parent), dialogs_(dialogs), locale_(locale), files_(settings),
      pin_(settings, dialogs), reader_(std::make_unique<store::ResultReader>(storeFolder)),
      localReads_(std::make_unique<ReadQueue>(*reader_)), bar_(new SourceBar(this)),
      tabs_(new QTabWidget(this)), class_(new ClassPage(*localReads_, settings, locale, this)),
      games_(new GamesPage(*localReads_, dialogs, pin_, locale, this)),
      child_(new ChildPage(*localReads_, dialogs, pin_, locale, this)),
      bin_(new BinPage(*localReads_, dialogs, locale, this)),
      settings_(new SettingsPage(settings, dialogs, pin_, this)), notice_(new QFrame(this)),
      noticeLine_(statusLabel(QStringLiteral("noticeLine"), notice_)),
      undo_(new QPushButton(QStringLiteral("เอาคืน"), notice_)),
      status_(statusLabel(QStringLiteral("storeStatus"), this)),
      sync_(statusLabel(QStringLiteral("syncStatus"), this)),
      readLine_(statusLabel(QStringLiteral("reading"), this)) {
    installQtThai(locale);
    setObjectName(QStringLiteral("teacherWindow"));
    setWindowTitle(teacherWindowTitle);
    setLocale(locale);
    const QScreen *screen = QGuiApplication::primaryScreen();
    applyTeacherLook(this, screen);
    resize(openingSize(screen, teacherFontPixels(screen)));

    tabs_->addTab(class_, QStringLiteral("ห้องเรียน"));
    tabs_->addTab(games_, QStringLiteral("ผลการทดสอบ"));
    tabs_->addTab(child_, QStringLiteral("รายบุคคล"));
    tabs_->addTab(bin_, QStringLiteral("ถังขยะ"));
    tabs_->addTab(settings_, QStringLiteral("ตั้งค่าสำหรับห้องเรียน"));
    tabs_->addTab(new VoicePage(storeFolder, settings, dialogs, this), QStringLiteral("เสียง"));
    readLine_->hide();
    notice_->setObjectName(QStringLiteral("notice"));
    static_cast<QFrame *>(notice_)->setFrameShape(QFrame::StyledPanel);
    notice_->setAutoFillBackground(true);
    QPalette noticeColours = notice_->palette();
    noticeColours.setColor(QPalette::Window, QColor(255, 248, 208));
    notice_->setPalette(noticeColours);
    undo_->setObjectName(QStringLiteral("undo"));
    auto *close = new QToolButton(notice_);
    close->setText(QStringLiteral("✕"));
    close->setToolTip(QStringLiteral("ปิดข้อความนี้"));
    close->setAutoRaise(true);
    auto *noticeLayout = new QHBoxLayout(notice_);
    noticeLayout->addWidget(noticeLine_, 1);
    noticeLayout->addWidget(undo_);
    noticeLayout->addWidget(close);
    notice_->hide();
    auto *top = new QHBoxLayout;
    top->addWidget(bar_, 1);
    top->addWidget(readLine_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_, 1);
    layout->addWidget(notice_);
    layout->addWidget(status_);
    layout->addWidget(sync_);

    connect(class_, &ClassPage::childChosen, this, &TeacherWindow::showChild);
    // Joined names come with their children, under the class list's choice too.
    connect(class_, &ClassPage::linksChanged, this, [this] {
        showClassList(classList_);
        applyScope();
    });
    connect(class_, &ClassPage::overviewChanged, this, [this] {
        bar_->setUnlisted(int(class_->overview().unlisted.size()),
                          class_->overview().unlistedGames);
    });
    connect(games_, &GamesPage::gamesRead, class_, &ClassPage::offerGames);
    connect(games_, &GamesPage::gamesRead, child_, &ChildPage::offerGames);
    connect(games_, &GamesPage::childChosen, this, &TeacherWindow::showChild);
    connect(games_, &GamesPage::recordsDeleted, this, &TeacherWindow::deleted);
    connect(child_, &ChildPage::recordsDeleted, this, &TeacherWindow::deleted);
    connect(bin_, &BinPage::restored, this, &TeacherWindow::restored);
    connect(undo_, &QPushButton::clicked, this, &TeacherWindow::undoDeletion);
    connect(close, &QToolButton::clicked, notice_, &QWidget::hide);
    connect(settings_, &SettingsPage::settingsSaved, this, [this](const ClassSettings &s) {
        showClassList(s.classList);
        applyScope();
        emit settingsSaved(s);
    });
    connect(bar_, &SourceBar::sourceChosen, this,
            [this](SourceBar::Source s) { readFromServer(s == SourceBar::SchoolServer); });
    connect(bar_, &SourceBar::scopeChanged, this, &TeacherWindow::applyScope);

    storeStatus_ = reader_->status();
    server_ = readServerSettings(settings);
    bar_->setServer(server_.enabled() ? server_.place() : QString());
    showStoreStatus(storeStatus_);
    countWaiting();
    showClassList(readClassSettings(settings).classList);
    // The class at a glance first, when there is a class to see.
    tabs_->setCurrentWidget(classList_.isEmpty() ? static_cast<QWidget *>(games_) : class_);
    applyScope();
}

TeacherWindow::~TeacherWindow() = default;

ReadQueue &TeacherWindow::reads() const {
    return fromServer_ ? *serverReads_ : *localReads_;
}

void TeacherWindow::showClassList(const QStringList &names) {
    classList_ = names;
    const NameLinks &links = class_->links();
    bar_->setClassList(names, links);
    class_->setClassList(names);
    games_->setClassList(names, links);
    child_->setClassList(names, links);
}

void TeacherWindow::countWaiting() {
    if (syncHeard_)
        return;
    // No word from a sync yet: what waits is what the store holds unsent.
    sync::SyncStatus status;
    status.state =
        server_.enabled() ? sync::SyncStatus::State::Starting : sync::SyncStatus::State::Off;
    status.server = server_.place();
    if (server_.enabled())
        status.waiting = reader_->backlog();
    const QString text = syncStatusText(status, locale_);
    sync_->setText(text);
    sync_->setVisible(!text.isEmpty());
    colour(sync_, true);
}

void TeacherWindow::deleted() {
    // Every page shows what is left; the bin shows what went.
    applyScope();
    reads().read(
        [](store::ResultSource &source) { return source.bin(); },
        [this](const QList<store::BinnedGame> &bin) {
            // The games of the last deletion share its moment.
            lastDeleted_.clear();
            if (!bin.isEmpty()) {
                const QDateTime last = bin.first().deletedUtc;
                for (const store::BinnedGame &game : bin)
                    if (game.deletedUtc == last)
                        lastDeleted_ << game.id;
            }
            noticeLine_->setText(
                QStringLiteral("ย้าย %1 เกมไปไว้ในถังขยะแล้ว เอาคืนได้ภายใน %2 วัน ที่ปุ่มนี้หรือที่หน้า \"ถังขยะ\"")
                    .arg(locale_.toString(lastDeleted_.size()))
                    .arg(store::binDays));
            undo_->setEnabled(!lastDeleted_.isEmpty());
            notice_->setVisible(!lastDeleted_.isEmpty());
        });
    if (!fromServer_) {
        countWaiting();
        emit recordsDeleted();
    }
}

void TeacherWindow::undoDeletion() {
    const QStringList ids = std::exchange(lastDeleted_, {});
    notice_->hide();
    if (ids.isEmpty())
        return;
    reads().read(
        [ids](store::ResultSource &source) {
            // All at once when they are all the bin holds.
            if (source.bin().size() == ids.size()) {
                const int back = source.restoreAll();
                return std::pair{back, back < 0 ? source.lastError() : QString()};
            }
            int back = 0;
            for (const QString &id : ids) {
                const int one = source.restoreGame(id);
                if (one < 0)
                    return std::pair{-1, source.lastError()};
                back += one;
            }
            return std::pair{back, QString()};
        },
        [this](const std::pair<int, QString> &back) {
            if (back.first < 0)
                dialogs_.inform(this, QStringLiteral("เอาคืนไม่ได้: %1").arg(back.second));
            restored();
        });
}

void TeacherWindow::restored() {
    applyScope();
    if (!fromServer_) {
        countWaiting();
        emit recordsDeleted();
    }
}

void TeacherWindow::showStoreStatus(const store::StoreStatus &status) {
    storeStatus_ = status;
    status_->setText(statusText(status, server_.enabled()));
    colour(status_, status.ready());
}

void TeacherWindow::showSyncStatus(const sync::SyncStatus &status) {
    syncHeard_ = true;
    const QString text = syncStatusText(status, locale_);
    sync_->setText(text);
    sync_->setVisible(!text.isEmpty());
    colour(sync_, !status.failing());
}

bool TeacherWindow::readFromServer(bool server) {
    if (!server) {
        if (fromServer_)
            useThisComputer();
        return true;
    }
    if (!server_.enabled()) {
        showSource();
        return false;
    }
    if (fromServer_)
        return true;
    serverReads_ = std::make_unique<ReadQueue>(server_, sync::ConnectOptions{});
    connect(serverReads_.get(), &ReadQueue::busyChanged, this, &TeacherWindow::showReads);
    connect(serverReads_.get(), &ReadQueue::readFinished, this, [this](const QString &error) {
        readError_ = error;
        showReads();
    });
    fromServer_ = true;
    notice_->hide();
    showSource();
    // The pages' reads wait behind the connection, and are not tried if it fails.
    serverReads_->open([this](const std::optional<sync::Problem> &problem) {
        if (!problem)
            return;
        useThisComputer();
        dialogs_.inform(this, serverProblemText(problem->state, problem->detail));
    });
    applyScope();
    return true;
}

bool TeacherWindow::loading() const {
    return reads().busy();
}

void TeacherWindow::useThisComputer() {
    fromServer_ = false;
    // Whatever the server still answers is dropped with the queue.
    serverReads_.reset();
    readError_.clear();
    notice_->hide();
    showSource();
    applyScope();
}

void TeacherWindow::showSource() {
    const QSignalBlocker blocker(bar_);
    bar_->setSource(fromServer_ ? SourceBar::SchoolServer : SourceBar::ThisComputer);
    showReads();
}

void TeacherWindow::showReads() {
    const bool busy = loading();
    readLine_->setText(busy ? QStringLiteral("กำลังโหลด…")
                            : QStringLiteral("อ่านผลจากเซิร์ฟเวอร์ของโรงเรียนไม่ได้: %1").arg(readError_));
    readLine_->setVisible(busy || !readError_.isEmpty());
    colour(readLine_, busy);
}

void TeacherWindow::applyScope() {
    if (!fromServer_) {
        {
            // This computer's store holds this computer's games: the choice
            // of a computer is for the server's.
            const QSignalBlocker blocker(bar_);
            bar_->setComputers({});
        }
        setPagesScope();
        return;
    }
    reads().read([](store::ResultSource &source) { return source.computers(); },
                 [this](const QStringList &computers) {
                     const QString chosen = bar_->scope().computer;
                     {
                         const QSignalBlocker blocker(bar_);
                         bar_->setComputers(computers);
                     }
                     // The computer chosen has no games any more: everyone's then.
                     if (bar_->scope().computer != chosen)
                         setPagesScope();
                 });
    setPagesScope();
}

void TeacherWindow::setPagesScope() {
    const store::GameFilter scope = bar_->scope();
    class_->setSource(reads(), scope);
    child_->setSource(reads(), scope, fromServer_);
    // The games page's read serves the class page and the child's names too
    // when it is the same.
    games_->setSource(reads(), scope, fromServer_);
    bin_->setSource(reads(), fromServer_);
    class_->readIfStale();
    child_->readNamesIfStale();
}

void TeacherWindow::reload() {
    applyScope();
}

void TeacherWindow::showChild(const QString &name) {
    child_->showChild(name);
    tabs_->setCurrentWidget(child_);
}

} // namespace lumo::teacher
