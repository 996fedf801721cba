// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/teacher_window.h"

#include "store/reader.h"
#include "teacher/child_page.h"
#include "teacher/dialogs.h"
#include "teacher/games_page.h"
#include "teacher/look.h"
#include "teacher/read_queue.h"
#include "teacher/settings_page.h"
#include "teacher/source_bar.h"
#include "teacher/texts.h"
#include "teacher/voice_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
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
    : QWidget(parent), dialogs_(dialogs), locale_(locale),
      reader_(std::make_unique<store::ResultReader>(storeFolder)),
      localReads_(std::make_unique<ReadQueue>(*reader_)), bar_(new SourceBar(this)),
      tabs_(new QTabWidget(this)), games_(new GamesPage(*localReads_, dialogs, locale, this)),
      child_(new ChildPage(*localReads_, dialogs, locale, this)),
      settings_(new SettingsPage(settings, dialogs, this)),
      status_(statusLabel(QStringLiteral("storeStatus"), this)),
      sync_(statusLabel(QStringLiteral("syncStatus"), this)),
      readLine_(statusLabel(QStringLiteral("reading"), this)) {
    setObjectName(QStringLiteral("teacherWindow"));
    setWindowTitle(teacherWindowTitle);
    setLocale(locale);
    applyTeacherLook(this);
    resize(1024, 720);

    tabs_->addTab(games_, QStringLiteral("ผลการทดสอบ"));
    tabs_->addTab(child_, QStringLiteral("รายบุคคล"));
    tabs_->addTab(settings_, QStringLiteral("ตั้งค่าสำหรับห้องเรียน"));
    tabs_->addTab(new VoicePage(storeFolder, settings, dialogs, this), QStringLiteral("เสียง"));
    readLine_->hide();
    auto *top = new QHBoxLayout;
    top->addWidget(bar_, 1);
    top->addWidget(readLine_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_, 1);
    layout->addWidget(status_);
    layout->addWidget(sync_);

    connect(games_, &GamesPage::childChosen, this, &TeacherWindow::showChild);
    connect(games_, &GamesPage::recordsDeleted, child_, &ChildPage::reload);
    connect(child_, &ChildPage::recordsDeleted, games_, &GamesPage::reload);
    connect(games_, &GamesPage::recordsDeleted, this, &TeacherWindow::deleted);
    connect(child_, &ChildPage::recordsDeleted, this, &TeacherWindow::deleted);
    connect(settings_, &SettingsPage::settingsSaved, this, [this](const ClassSettings &s) {
        bar_->setClassList(s.classList);
        emit settingsSaved(s);
    });
    connect(settings_, &SettingsPage::serverSettingsSaved, this, [this](const ServerSettings &s) {
        useServerSettings(s);
        emit serverSettingsSaved(s);
    });
    connect(bar_, &SourceBar::sourceChosen, this,
            [this](SourceBar::Source s) { readFromServer(s == SourceBar::SchoolServer); });
    connect(bar_, &SourceBar::scopeChanged, this, &TeacherWindow::applyScope);

    bar_->setClassList(readClassSettings(settings).classList);
    storeStatus_ = reader_->status();
    useServerSettings(readServerSettings(settings));
    applyScope();
}

TeacherWindow::~TeacherWindow() = default;

ReadQueue &TeacherWindow::reads() const {
    return fromServer_ ? *serverReads_ : *localReads_;
}

void TeacherWindow::useServerSettings(const ServerSettings &settings) {
    const bool changed = !(settings == server_);
    server_ = settings;
    bar_->setServer(settings.enabled() ? settings.place() : QString());
    if (changed && fromServer_)
        useThisComputer();
    showStoreStatus(storeStatus_);
    countWaiting();
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
    games_->setSource(reads(), bar_->scope(), fromServer_);
    child_->setSource(reads(), bar_->scope(), fromServer_);
}

void TeacherWindow::reload() {
    applyScope();
}

void TeacherWindow::showChild(const QString &name) {
    child_->showChild(name);
    tabs_->setCurrentWidget(child_);
}

} // namespace lumo::teacher
