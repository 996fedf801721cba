// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recording page on a real sound server with a virtual microphone: a
// known tone said into it is recorded for
// a phrase, kept, heard again when listened to, and deleted; a microphone
// that hears nothing gives no clip.
#include "audio_server.h"
#include "sound/clip.h"
#include "teacher/dialogs.h"
#include "teacher/voice_page.h"
#include "voice/phrases.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace lumo;
using namespace lumo::test;

namespace {

Monitor *monitor = nullptr;

class FakeDialogs : public teacher::TeacherDialogs {
  public:
    bool answer = true;
    QStringList asked;
    QString saveFileName(QWidget *, const QString &) override { return QString(); }
    bool confirm(QWidget *, const QString &question) override {
        asked << question;
        return answer;
    }
    void inform(QWidget *, const QString &) override {}
};

struct Page {
    QTemporaryDir dir;
    FakeDialogs dialogs;
    voice::VoiceFolders folders{dir.filePath("own"), dir.filePath("computer"), QString()};
    teacher::VoicePage page{
        folders, SettingsFiles{dir.filePath("system.conf"), dir.filePath("user.conf")}, dialogs};
};

/// Says a WAV file into the microphone, the event loop running.
bool sayIntoMicrophone(const QString &file) {
    QProcess paplay;
    paplay.start(QStringLiteral("paplay"), {QStringLiteral("-d"), QStringLiteral("micsink"), file});
    if (!paplay.waitForStarted(5000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (paplay.state() != QProcess::NotRunning && waited.elapsed() < 10000)
        QTest::qWait(10);
    return paplay.state() == QProcess::NotRunning && paplay.exitCode() == 0;
}

} // namespace

class VoiceRecording : public QObject {
    Q_OBJECT
  private slots:
    void whatTheMicrophoneHearsIsKeptAndPlayedBack();
    void aMicrophoneThatHearsNothingGivesNoClip();
};

void VoiceRecording::whatTheMicrophoneHearsIsKeptAndPlayedBack() {
    Page p;
    const QString phrase = voice::numberId(5);
    p.page.choosePhrase(phrase);
    const QString tone = p.dir.filePath("tone.wav");
    QVERIFY(saveClipFile(tone, toneWav(523.25, 800, 0.5)));
    int loudest = 0;
    connect(p.page.levelMeter(), &QProgressBar::valueChanged, this,
            [&loudest](int value) { loudest = std::max(loudest, value); });

    p.page.startRecording();
    QVERIFY2(p.page.stopButton()->isEnabled(), qPrintable(p.page.statusLine()->text()));
    QVERIFY(!p.page.recordButton()->isEnabled());
    QVERIFY(sayIntoMicrophone(tone));
    QTest::qWait(100);
    p.page.stopRecording();

    // Kept as the phrase's clip: the tone, whole, as loud as it was played.
    const std::optional<Clip> kept = readClipFile(p.folders.ownFile(phrase));
    QVERIFY2(kept, qPrintable(p.page.statusLine()->text()));
    QCOMPARE_GE(kept->milliseconds(), 800);
    std::vector<float> samples(std::size_t(kept->pcm.size() / 2));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = reinterpret_cast<const qint16 *>(kept->pcm.constData())[i] / 32768.0f;
    QCOMPARE_GT(toneAmplitude(samples, 523.25), 0.2);
    QCOMPARE_GT(loudest, 40);
    QCOMPARE(p.page.levelMeter()->value(), 0);
    QVERIFY(p.page.listenButton()->isEnabled() && p.page.deleteButton()->isEnabled());

    // Listened to: heard on the sound output.
    const std::size_t from = monitor->now();
    p.page.listen();
    const std::vector<float> heard = monitor->listen(from, kept->milliseconds() + 400);
    QCOMPARE_GT(toneAmplitude(heard, 523.25), 0.1);

    // Deleted, once the teacher says yes.
    p.page.deleteRecording();
    QCOMPARE(p.dialogs.asked.size(), 1);
    QVERIFY(!QFile::exists(p.folders.ownFile(phrase)));
    QVERIFY(!p.page.listenButton()->isEnabled());
}

void VoiceRecording::aMicrophoneThatHearsNothingGivesNoClip() {
    Page p;
    p.page.choosePhrase(voice::id::hello);
    // Silence played into it: samples come, all of them quiet.
    const QString silence = p.dir.filePath("silence.wav");
    QVERIFY(saveClipFile(silence, toneWav(523.25, 600, 0.0)));
    p.page.startRecording();
    QVERIFY(p.page.stopButton()->isEnabled());
    QVERIFY(sayIntoMicrophone(silence));
    p.page.stopRecording();
    QVERIFY(!QFile::exists(p.folders.ownFile(voice::id::hello)));
    QVERIFY2(p.page.statusLine()->text().contains(QStringLiteral("ไม่ได้ยินเสียงจากไมโครโฟน")),
             qPrintable(p.page.statusLine()->text()));
    QVERIFY(p.page.recordButton()->isEnabled());
}

int main(int argc, char *argv[]) {
    return runListening<VoiceRecording>(argc, argv, monitor);
}

#include "test_voice_recording.moc"
