// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/sound_settings.h"
#include "voice/voice_folders.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTableWidget;

namespace lumo {
class ClipPlayer;
}
namespace lumo::voice {
class Recorder;
}

namespace lumo::teacher {

class TeacherDialogs;

/// The page "เสียง": the game's sounds on or off and how loud, for the
/// class; and ปิโก's voice, phrase by phrase: recorded from the computer's
/// microphone, listened to, recorded again or deleted, and the whole voice
/// exported to one file or imported from one.
class VoicePage : public QWidget {
    Q_OBJECT
  public:
    /// The voice is kept in "voice/th" of `dataFolder`; the computer's
    /// voice is looked for beside the computer's settings file, and the
    /// program's beside the program.
    VoicePage(const QString &dataFolder, const SettingsFiles &settings, TeacherDialogs &dialogs,
              QWidget *parent = nullptr);
    VoicePage(const voice::VoiceFolders &folders, const SettingsFiles &settings,
              TeacherDialogs &dialogs, QWidget *parent = nullptr);
    ~VoicePage() override;

    const voice::VoiceFolders &folders() const { return folders_; }
    /// The phrase chosen in the list, or empty.
    QString chosenPhrase() const;
    void choosePhrase(const QString &id);

    void startRecording();
    void stopRecording();
    void listen();
    void deleteRecording();
    /// Asks where to, then writes the whole voice to one file.
    void exportVoice();
    /// Reads a whole voice from `file`, after asking whether it may
    /// replace recordings of the same phrases; a null file is asked for.
    void importVoice(QString file = QString());
    /// How the import asks for its file; an open-file dialog unless a test
    /// says otherwise.
    void setImportFileChooser(std::function<QString(QWidget *)> choose) {
        chooseImportFile_ = std::move(choose);
    }

    /// What the page last said about what it did, or why it could not.
    QLabel *statusLine() const { return status_; }
    QPushButton *recordButton() const { return record_; }
    QPushButton *stopButton() const { return stop_; }
    QPushButton *listenButton() const { return listen_; }
    QPushButton *deleteButton() const { return delete_; }
    QTableWidget *phraseList() const { return list_; }
    QCheckBox *soundsOn() const { return soundsOn_; }
    QSlider *volume() const { return volume_; }
    QProgressBar *levelMeter() const { return meter_; }

  signals:
    void soundSettingsSaved(const lumo::SoundSettings &settings);
    /// A clip was recorded, deleted or imported: the game should look for
    /// its clips again.
    void voiceChanged();

  private:
    void showClip(int row);
    void showChosen();
    void saveSoundSettings();
    void keepRecording(const QByteArray &wav);
    void tell(const QString &text, bool good = true);

    voice::VoiceFolders folders_;
    SettingsFiles settings_;
    TeacherDialogs &dialogs_;
    std::function<QString(QWidget *)> chooseImportFile_;
    voice::Recorder *recorder_;
    ClipPlayer *player_;
    QCheckBox *soundsOn_;
    QSlider *volume_;
    QLabel *volumeValue_;
    QTableWidget *list_;
    QPushButton *record_;
    QPushButton *stop_;
    QPushButton *listen_;
    QPushButton *delete_;
    QProgressBar *meter_;
    QLabel *status_;
    QString recordingPhrase_;
};

} // namespace lumo::teacher
