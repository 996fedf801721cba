#include "teacher/teacher_window.h"

#include "store/reader.h"
#include "teacher/child_page.h"
#include "teacher/games_page.h"
#include "teacher/look.h"
#include "teacher/settings_page.h"
#include "teacher/texts.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumo::teacher {

TeacherWindow::TeacherWindow(const QString &storeFolder, const SettingsFiles &settings,
                             TeacherDialogs &dialogs, const QLocale &locale, QWidget *parent)
    : QWidget(parent), reader_(std::make_unique<store::ResultReader>(storeFolder)),
      tabs_(new QTabWidget(this)), games_(new GamesPage(*reader_, dialogs, locale, this)),
      child_(new ChildPage(*reader_, dialogs, locale, this)),
      settings_(new SettingsPage(settings, dialogs, this)), status_(new QLabel(this)) {
    setObjectName(QStringLiteral("teacherWindow"));
    setWindowTitle(teacherWindowTitle);
    setLocale(locale);
    applyTeacherLook(this);
    resize(1024, 680);

    tabs_->addTab(games_, QStringLiteral("ผลการทดสอบ"));
    tabs_->addTab(child_, QStringLiteral("รายบุคคล"));
    tabs_->addTab(settings_, QStringLiteral("ตั้งค่าสำหรับห้องเรียน"));
    status_->setObjectName(QStringLiteral("storeStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(status_);

    connect(games_, &GamesPage::childChosen, this, &TeacherWindow::showChild);
    connect(games_, &GamesPage::recordsDeleted, child_, &ChildPage::reload);
    connect(child_, &ChildPage::recordsDeleted, games_, &GamesPage::reload);
    connect(settings_, &SettingsPage::settingsSaved, this, &TeacherWindow::settingsSaved);

    showStoreStatus(reader_->status());
    reload();
}

TeacherWindow::~TeacherWindow() = default;

void TeacherWindow::showStoreStatus(const store::StoreStatus &status) {
    status_->setText(statusText(status));
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText, status.ready() ? QColor(0, 0, 64) : QColor(160, 0, 0));
    status_->setPalette(palette);
}

void TeacherWindow::reload() {
    games_->reload();
    child_->reload();
}

void TeacherWindow::showChild(const QString &name) {
    child_->showChild(name);
    tabs_->setCurrentWidget(child_);
}

} // namespace lumo::teacher
