// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/voice_page.h"

#include "sound/clip.h"
#include "sound/clip_player.h"
#include "teacher/dialogs.h"
#include "teacher/plain_label.h"
#include "voice/phrases.h"
#include "voice/recorder.h"
#include "voice/voice_file.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace lumo::teacher {

namespace {

enum Column { TextColumn, WhenColumn, ClipColumn };

QLabel *wrappedLabel(const QString &text, QWidget *parent) {
    auto *label = plainLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QString seconds(int milliseconds) {
    return QString::number(milliseconds / 1000.0, 'f', 1);
}

// A recording that never gets louder than this heard nothing: a
// microphone unplugged or turned off.
constexpr double quietestRecording = 0.01;

double peakOf(const Clip &clip) {
    const auto *samples = reinterpret_cast<const qint16 *>(clip.pcm.constData());
    int peak = 0;
    for (qsizetype i = 0; i < clip.pcm.size() / 2; ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    return peak / 32768.0;
}

QString chooseVoiceFile(QWidget *parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("นำเข้าเสียงพูดของปิโก"), QDir::homePath(),
        QStringLiteral("เสียงพูดของปิโก (*%1);;ทุกไฟล์ (*)").arg(voice::voiceFileSuffix));
}

} // namespace

VoicePage::VoicePage(const QString &dataFolder, const SettingsFiles &settings,
                     TeacherDialogs &dialogs, QWidget *parent)
    : VoicePage(voice::VoiceFolders::beside(dataFolder, settings.systemFile,
                                            QCoreApplication::applicationDirPath()),
                settings, dialogs, parent) {}

VoicePage::VoicePage(const voice::VoiceFolders &folders, const SettingsFiles &settings,
                     TeacherDialogs &dialogs, QWidget *parent)
    : QWidget(parent), folders_(folders), settings_(settings), dialogs_(dialogs),
      chooseImportFile_(chooseVoiceFile), recorder_(new voice::Recorder(this)),
      player_(new ClipPlayer(this)),
      soundsOn_(new QCheckBox(QStringLiteral("เปิดเสียงในเกม (เสียงประกอบและเสียงพูดของปิโก)"), this)),
      volume_(new QSlider(Qt::Horizontal, this)), volumeValue_(plainLabel({}, this)),
      list_(new QTableWidget(int(voice::phrases().size()), 3, this)),
      record_(button(QStringLiteral("อัดเสียง"), QStringLiteral("record"), this)),
      stop_(button(QStringLiteral("หยุด"), QStringLiteral("stop"), this)),
      listen_(button(QStringLiteral("ฟัง"), QStringLiteral("listen"), this)),
      delete_(button(QStringLiteral("ลบเสียง"), QStringLiteral("deleteClip"), this)),
      meter_(new QProgressBar(this)), status_(wrappedLabel({}, this)) {
    setObjectName(QStringLiteral("voicePage"));

    // The class's sounds.
    soundsOn_->setObjectName(QStringLiteral("soundsOn"));
    volume_->setObjectName(QStringLiteral("volume"));
    volume_->setRange(0, SoundSettings::loudest);
    volume_->setPageStep(10);
    // Saved once the slider is let go, not at every step of a drag.
    volume_->setTracking(false);
    const SoundSettings sound = readSoundSettings(settings_);
    soundsOn_->setChecked(sound.on);
    volume_->setValue(sound.volume);
    volumeValue_->setNum(sound.volume);
    auto *sounds = new QGroupBox(QStringLiteral("เสียงในเกม"), this);
    auto *volumeRow = new QHBoxLayout;
    volumeRow->addWidget(plainLabel(QStringLiteral("ความดัง"), sounds));
    volumeRow->addWidget(volume_, 1);
    volumeRow->addWidget(volumeValue_);
    auto *soundsLayout = new QVBoxLayout(sounds);
    soundsLayout->addWidget(soundsOn_);
    soundsLayout->addWidget(
        wrappedLabel(QStringLiteral("ห้องสอบที่ต้องการความเงียบ ปิดเสียงไว้ที่นี่ได้ ระหว่างเล่น กดปุ่ม M "
                                    "เพื่อปิดหรือเปิดเสียงชั่วคราว"),
                     sounds));
    soundsLayout->addLayout(volumeRow);
    connect(soundsOn_, &QCheckBox::toggled, this, &VoicePage::saveSoundSettings);
    connect(volume_, &QSlider::sliderMoved, volumeValue_, qOverload<int>(&QLabel::setNum));
    connect(volume_, &QSlider::valueChanged, this, &VoicePage::saveSoundSettings);

    // The voice, phrase by phrase.
    list_->setObjectName(QStringLiteral("phrases"));
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("ข้อความที่ปิโกพูด"), QStringLiteral("พูดเมื่อ"), QStringLiteral("เสียง")});
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setWordWrap(true);
    // Rows as high as their text, measured again as the window is resized:
    // measured once while the page is still narrow, every row would be
    // many lines high.
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    list_->horizontalHeader()->setSectionResizeMode(WhenColumn, QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setSectionResizeMode(ClipColumn, QHeaderView::ResizeToContents);
    for (int row = 0; row < list_->rowCount(); ++row) {
        const voice::Phrase &phrase = voice::phrases()[row];
        auto *text = new QTableWidgetItem(phrase.text);
        text->setData(Qt::UserRole, phrase.id);
        list_->setItem(row, TextColumn, text);
        list_->setItem(row, WhenColumn, new QTableWidgetItem(phrase.when));
        list_->setItem(row, ClipColumn, new QTableWidgetItem);
        showClip(row);
    }
    connect(list_, &QTableWidget::itemSelectionChanged, this, &VoicePage::showChosen);

    meter_->setObjectName(QStringLiteral("levelMeter"));
    meter_->setRange(0, 100);
    meter_->setTextVisible(false);
    meter_->setAccessibleName(QStringLiteral("ระดับเสียงจากไมโครโฟน"));
    status_->setObjectName(QStringLiteral("voiceStatus"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {record_, stop_, listen_, delete_})
        buttons->addWidget(b);
    buttons->addWidget(plainLabel(QStringLiteral("ระดับเสียง"), this));
    buttons->addWidget(meter_, 1);
    auto *exportButton =
        button(QStringLiteral("ส่งออกเสียงทั้งหมด…"), QStringLiteral("exportVoice"), this);
    auto *importButton = button(QStringLiteral("นำเข้าเสียง…"), QStringLiteral("importVoice"), this);
    auto *files = new QHBoxLayout;
    files->addWidget(
        wrappedLabel(QStringLiteral("ส่งเสียงทั้งชุดเป็นไฟล์เดียว ให้เครื่องอื่นในโรงเรียนนำเข้าไปใช้"), this), 1);
    files->addWidget(exportButton);
    files->addWidget(importButton);

    auto *voiceBox = new QGroupBox(QStringLiteral("เสียงพูดของปิโก"), this);
    auto *voiceLayout = new QVBoxLayout(voiceBox);
    voiceLayout->addWidget(
        wrappedLabel(QStringLiteral("เลือกข้อความ กด \"อัดเสียง\" แล้วอ่านข้อความนั้นใส่ไมโครโฟน "
                                    "อ่านจบแล้วกด \"หยุด\" (อัดได้ครั้งละไม่เกิน %1 วินาที) "
                                    "ข้อความที่ยังไม่มีเสียง ปิโกจะข้ามไปโดยไม่พูด")
                         .arg(longestClipMs / 1000),
                     voiceBox));
    voiceLayout->addWidget(list_, 1);
    voiceLayout->addLayout(buttons);
    voiceLayout->addWidget(status_);
    voiceLayout->addLayout(files);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sounds);
    layout->addWidget(voiceBox, 1);

    connect(record_, &QPushButton::clicked, this, &VoicePage::startRecording);
    connect(stop_, &QPushButton::clicked, this, &VoicePage::stopRecording);
    connect(listen_, &QPushButton::clicked, this, &VoicePage::listen);
    connect(delete_, &QPushButton::clicked, this, &VoicePage::deleteRecording);
    connect(exportButton, &QPushButton::clicked, this, &VoicePage::exportVoice);
    connect(importButton, &QPushButton::clicked, this, [this] { importVoice(); });
    connect(recorder_, &voice::Recorder::level, meter_,
            [this](double peak) { meter_->setValue(int(peak * 100)); });
    connect(recorder_, &voice::Recorder::stoppedAtLimit, this, &VoicePage::keepRecording);
    list_->selectRow(0);
    showChosen();
}

VoicePage::~VoicePage() = default;

QString VoicePage::chosenPhrase() const {
    const QList<QTableWidgetItem *> chosen = list_->selectedItems();
    return chosen.isEmpty()
               ? QString()
               : list_->item(chosen.first()->row(), TextColumn)->data(Qt::UserRole).toString();
}

void VoicePage::choosePhrase(const QString &id) {
    for (int row = 0; row < list_->rowCount(); ++row)
        if (list_->item(row, TextColumn)->data(Qt::UserRole).toString() == id)
            list_->selectRow(row);
}

void VoicePage::showClip(int row) {
    const QString id = list_->item(row, TextColumn)->data(Qt::UserRole).toString();
    voice::VoiceFolders::Source source = voice::VoiceFolders::Source::None;
    const QString file = folders_.clipFile(id, &source);
    QString text;
    switch (source) {
    case voice::VoiceFolders::Source::Own:
        text = QStringLiteral("อัดแล้ว %1 วินาที").arg(seconds(clipFileMilliseconds(file)));
        break;
    case voice::VoiceFolders::Source::Computer:
        text = QStringLiteral("ใช้เสียงของเครื่องนี้");
        break;
    case voice::VoiceFolders::Source::Program:
        text = QStringLiteral("ใช้เสียงที่มากับโปรแกรม");
        break;
    case voice::VoiceFolders::Source::None:
        text = QStringLiteral("ยังไม่มีเสียง");
        break;
    }
    list_->item(row, ClipColumn)->setText(text);
}

void VoicePage::showChosen() {
    const QString id = chosenPhrase();
    const bool recording = recorder_->isRecording();
    voice::VoiceFolders::Source source = voice::VoiceFolders::Source::None;
    folders_.clipFile(id, &source);
    record_->setEnabled(!recording && !id.isEmpty());
    stop_->setEnabled(recording);
    listen_->setEnabled(!recording && source != voice::VoiceFolders::Source::None);
    delete_->setEnabled(!recording && source == voice::VoiceFolders::Source::Own);
    list_->setEnabled(!recording);
}

void VoicePage::tell(const QString &text, bool good) {
    status_->setText(text);
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText, good ? QColor(0, 0, 64) : QColor(160, 0, 0));
    status_->setPalette(palette);
}

void VoicePage::saveSoundSettings() {
    const SoundSettings sound{soundsOn_->isChecked(), volume_->value()};
    volumeValue_->setNum(sound.volume);
    if (!writeSoundSettings(settings_, sound)) {
        tell(QStringLiteral("บันทึกการตั้งค่าเสียงไม่ได้: เขียนไฟล์ %1 ไม่ได้").arg(settings_.userFile), false);
        return;
    }
    tell(sound.on ? QStringLiteral("เปิดเสียงในเกม ความดัง %1").arg(sound.volume)
                  : QStringLiteral("ปิดเสียงในเกมแล้ว"));
    emit soundSettingsSaved(sound);
}

void VoicePage::startRecording() {
    recordingPhrase_ = chosenPhrase();
    if (recordingPhrase_.isEmpty())
        return;
    player_->stop();
    if (!recorder_->start()) {
        tell(recorder_->error(), false);
        return;
    }
    tell(QStringLiteral("กำลังอัดเสียง… อ่านข้อความแล้วกด \"หยุด\""));
    showChosen();
    stop_->setFocus();
}

void VoicePage::stopRecording() {
    if (recorder_->isRecording())
        keepRecording(recorder_->stop());
}

void VoicePage::keepRecording(const QByteArray &wav) {
    const QString id = std::exchange(recordingPhrase_, QString());
    QString problem;
    std::optional<Clip> clip = readClip(wav, &problem);
    if (wav.isEmpty() || (clip && peakOf(*clip) < quietestRecording)) {
        clip.reset();
        problem = QStringLiteral("ไม่ได้ยินเสียงจากไมโครโฟน "
                                 "ตรวจดูว่าเสียบไมโครโฟนแล้วและไม่ได้ปิดเสียงไว้");
    }
    QString error;
    if (!clip)
        tell(QStringLiteral("ไม่ได้เก็บเสียงนี้: %1 แล้วลองอัดใหม่อีกครั้ง").arg(problem), false);
    else if (!saveClipFile(folders_.ownFile(id), wav, &error))
        tell(QStringLiteral("บันทึกเสียงไม่ได้: %1").arg(error), false);
    else
        tell(QStringLiteral("เก็บเสียงแล้ว %1 วินาที กด \"ฟัง\" เพื่อฟังดู")
                 .arg(seconds(clip->milliseconds())));
    choosePhrase(id);
    showClip(list_->currentRow());
    showChosen();
    record_->setFocus();
    if (clip && error.isEmpty())
        emit voiceChanged();
}

void VoicePage::listen() {
    const QString file = folders_.clipFile(chosenPhrase());
    if (file.isEmpty())
        return;
    QString problem;
    const std::optional<Clip> clip = readClipFile(file, &problem);
    if (!clip) {
        tell(QStringLiteral("เล่นเสียงนี้ไม่ได้: %1").arg(problem), false);
        return;
    }
    player_->setClip(*clip);
    player_->play();
}

void VoicePage::deleteRecording() {
    const QString id = chosenPhrase();
    const QString file = folders_.ownFile(id);
    if (id.isEmpty() || !QFile::exists(file) ||
        !dialogs_.confirm(
            this,
            QStringLiteral("ลบเสียงที่อัดไว้ของข้อความนี้หรือไม่\n\n%1").arg(voice::findPhrase(id)->text)))
        return;
    player_->stop();
    if (!QFile::remove(file)) {
        tell(QStringLiteral("ลบไฟล์ %1 ไม่ได้").arg(file), false);
        return;
    }
    tell(QStringLiteral("ลบเสียงแล้ว"));
    showClip(list_->currentRow());
    showChosen();
    emit voiceChanged();
}

void VoicePage::exportVoice() {
    const QString file = dialogs_.saveFileName(
        this, QDir::home().filePath(QStringLiteral("เสียงปิโก") + voice::voiceFileSuffix));
    if (file.isEmpty())
        return;
    QString error;
    const int written = voice::exportVoice(folders_, file, &error);
    if (written < 0) {
        dialogs_.inform(this, QStringLiteral("ส่งออกเสียงไม่ได้\n\n%1").arg(error));
        return;
    }
    tell(QStringLiteral("ส่งออกเสียง %1 ข้อความไปที่ %2 แล้ว").arg(written).arg(file));
}

void VoicePage::importVoice(QString file) {
    if (file.isNull())
        file = chooseImportFile_(this);
    if (file.isEmpty() ||
        !dialogs_.confirm(this, QStringLiteral("เสียงในไฟล์จะแทนที่เสียงที่อัดไว้ของข้อความเดียวกัน "
                                               "นำเข้าหรือไม่")))
        return;
    player_->stop();
    const voice::ImportReport report = voice::importVoice(file, folders_.own);
    if (!report.error.isEmpty()) {
        dialogs_.inform(this, QStringLiteral("นำเข้าเสียงไม่ได้\n\n%1").arg(report.error));
        return;
    }
    for (int row = 0; row < list_->rowCount(); ++row)
        showClip(row);
    showChosen();
    QString text = QStringLiteral("นำเข้าเสียงแล้ว %1 ข้อความ").arg(report.kept.size());
    if (!report.refused.isEmpty())
        text += QStringLiteral("\n\nไม่ได้นำเข้า %1 ข้อความ:\n%2")
                    .arg(report.refused.size())
                    .arg(report.refused.join(QLatin1Char('\n')));
    tell(QStringLiteral("นำเข้าเสียงแล้ว %1 ข้อความ").arg(report.kept.size()),
         report.refused.isEmpty());
    dialogs_.inform(this, text);
    if (!report.kept.isEmpty())
        emit voiceChanged();
}

} // namespace lumo::teacher
