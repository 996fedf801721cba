// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the child hears, on a real sound server: each thing done on the
// quiz screen plays its own sound (told apart by its waveform, not just
// "something played"), the mute key and the class settings silence it,
// ปิโก says a recorded clip and passes over a missing one, and the sound
// of the check comes at once.
#include "app/game_sounds.h"
#include "audio_server.h"
#include "fakes/fake_services.h"
#include "sound/clip.h"
#include "support/question_cycle.h"
#include "voice/phrases.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace lumo;
using namespace lumo::test;

Q_DECLARE_METATYPE(std::function<void(lumo::test::TestProgram &)>)
Q_DECLARE_METATYPE(lumo::SoundSettings)

namespace {

using Action = std::function<void(TestProgram &)>;

Monitor *monitor = nullptr;

/// The game with its sounds, on voice folders of its own.
struct Rig {
    QTemporaryDir folders;
    TestProgram program;
    GameSounds sounds{program.screens,
                      voice::VoiceFolders{folders.filePath(QStringLiteral("own")),
                                          folders.filePath(QStringLiteral("computer")),
                                          folders.filePath(QStringLiteral("program"))}};

    /// Silent while the game is set up, so that nothing is still heard when
    /// the test listens.
    void quietly(const std::function<void()> &setUp) {
        sounds.setSettings({false, SoundSettings::loudest});
        setUp();
        sounds.setSettings({});
    }
    void putClip(const QString &folder, const QString &id, const QByteArray &wav) {
        QVERIFY(saveClipFile(QDir(folders.filePath(folder)).filePath(id + ".wav"), wav));
    }
};

bool allLoaded(const Rig &rig) {
    return rig.sounds.effects.loaded();
}

/// What was heard from the action on, for a while.
std::vector<float> heardWhile(const std::function<void()> &action, int milliseconds) {
    const std::size_t from = monitor->now();
    action();
    return monitor->listen(from, milliseconds);
}

/// Heard whole and as loud as it was made, other sounds mixed in or not.
/// On a busy machine the sound server may drop a few milliseconds of the
/// shortest sounds, a fifth of a 70-ms pop at most.
bool heardWhole(const Match &match) {
    return match.gain > 0.75 && match.gain < 1.15;
}

} // namespace

class GameSounds_ : public QObject {
    Q_OBJECT
  private slots:
    void eachThingDoneHasItsSound_data();
    void eachThingDoneHasItsSound();
    void theMuteKeyAndTheClassSettingsSilenceIt_data();
    void theMuteKeyAndTheClassSettingsSilenceIt();
    void aRecordedClipIsSaidWhenAPictureIsCounted_data();
    void aRecordedClipIsSaidWhenAPictureIsCounted();
    void theVoiceSaysOneClipAtATime();
    void theCheckIsHeardAtOnce();
};

void GameSounds_::eachThingDoneHasItsSound_data() {
    QTest::addColumn<Action>("setUp");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QList<Sound>>("heard");
    QTest::addColumn<QList<Sound>>("notHeard");
    QTest::addColumn<int>("listenMs");
    const Action question = [](TestProgram &p) {
        startGame(p);
        askQuestion(p, {7});
    };
    QTest::newRow("a tile picked up") << question << Action([](TestProgram &p) {
        p.quiz.LB_MouseDown(3);
        p.quiz.LB_MouseUp(3);
    }) << QList<Sound>{Sound::TilePicked}
                                      << QList<Sound>{Sound::TileDropped} << 400;
    QTest::newRow("a digit dropped into a box")
        << question << Action([](TestProgram &p) { p.quiz.placeDigit(7, 1); })
        << QList<Sound>{Sound::TileDropped} << QList<Sound>{Sound::TilePicked} << 400;
    QTest::newRow("a picture counted")
        << question << Action([](TestProgram &p) { p.quiz.Im1_Click(0); })
        << QList<Sound>{Sound::PictureCounted} << QList<Sound>{} << 400;
    QTest::newRow("a right answer") << Action([question](TestProgram &p) {
        question(p);
        enterRightAnswers(p.quiz);
    }) << Action([](TestProgram &p) { p.quiz.Cm3_Click(); })
                                    << QList<Sound>{Sound::Right} << QList<Sound>{Sound::Wrong}
                                    << 900;
    QTest::newRow("a wrong answer") << Action([question](TestProgram &p) {
        question(p);
        enterNumber(p.quiz, 1, 6);
    }) << Action([](TestProgram &p) { p.quiz.Cm3_Click(); })
                                    << QList<Sound>{Sound::Wrong} << QList<Sound>{Sound::Right}
                                    << 900;
    QTest::newRow("one row right, the total wrong: the wrong answer's sound")
        << Action([](TestProgram &p) {
               startGame(p, 2);
               askQuestion(p, {4, 5});
               enterNumber(p.quiz, 1, 4);
               enterNumber(p.quiz, 2, 5);
               enterNumber(p.quiz, 5, 8);
           })
        << Action([](TestProgram &p) { p.quiz.Cm3_Click(); }) << QList<Sound>{Sound::Wrong}
        << QList<Sound>{Sound::Right} << 900;
    QTest::newRow("a level reached, after the check's sound")
        << Action([](TestProgram &p) { askQuestionNo(p, 1, 25, {3}); })
        << Action([](TestProgram &p) { p.quiz.Cm3_Click(); })
        << QList<Sound>{Sound::Wrong, Sound::LevelUp} << QList<Sound>{Sound::Won} << 2600;
    QTest::newRow("the game won") << Action([](TestProgram &p) {
        askQuestionNo(p, 4, 100, {2, 2, 2, 2});
        finishQuestion(p.quiz);
    }) << Action([](TestProgram &p) { p.quiz.Cm4_Click(); })
                                  << QList<Sound>{Sound::Won} << QList<Sound>{Sound::LevelUp}
                                  << 2000;
    QTest::newRow("the time up") << Action([](TestProgram &p) {
        startGame(p, 1, 10);
        // Only the test's own ticks count.
        p.quiz.Timer1->stop();
        for (int tick = 0; tick < 10 * 60 - 1; ++tick)
            p.quiz.Timer1_Timer();
    }) << Action([](TestProgram &p) { p.quiz.Timer1_Timer(); })
                                 << QList<Sound>{Sound::TimeUp} << QList<Sound>{Sound::Wrong}
                                 << 1600;
}

void GameSounds_::eachThingDoneHasItsSound() {
    QFETCH(Action, setUp);
    QFETCH(Action, action);
    QFETCH(QList<Sound>, heard);
    QFETCH(QList<Sound>, notHeard);
    QFETCH(int, listenMs);
    Rig rig;
    QTRY_VERIFY(allLoaded(rig));
    rig.quietly([&] { setUp(rig.program); });
    const std::vector<float> recording = heardWhile([&] { action(rig.program); }, listenMs);
    QVERIFY(!recording.empty());
    std::size_t previous = 0;
    for (Sound sound : heard) {
        const Match match = findSound(recording, wavSamples(soundResource(sound)));
        QVERIFY2(heardWhole(match), qPrintable(QStringLiteral("%1 not heard: gain %2, alike %3")
                                                   .arg(soundResource(sound))
                                                   .arg(match.gain)
                                                   .arg(match.score)));
        QVERIFY2(match.at >= previous, qPrintable(soundResource(sound) + " heard too early"));
        previous = match.at;
    }
    for (Sound sound : notHeard)
        QVERIFY2(!heardWhole(findSound(recording, wavSamples(soundResource(sound)))),
                 qPrintable(soundResource(sound) + " heard"));
}

void GameSounds_::theMuteKeyAndTheClassSettingsSilenceIt_data() {
    // A key pressed on the quiz screen (twice: silence, then sound again),
    // or the class settings (set, then back to their defaults).
    QTest::addColumn<int>("key");
    QTest::addColumn<SoundSettings>("settings");
    QTest::newRow("the M key") << int(Qt::Key_M) << SoundSettings{};
    QTest::newRow("the same key on the Thai layout (ท)") << 0x0e17 << SoundSettings{};
    QTest::newRow("sounds off in the class settings") << 0 << SoundSettings{false, 100};
    QTest::newRow("the volume at 0") << 0 << SoundSettings{true, 0};
}

void GameSounds_::theMuteKeyAndTheClassSettingsSilenceIt() {
    QFETCH(int, key);
    QFETCH(SoundSettings, settings);
    Rig rig;
    rig.putClip(QStringLiteral("own"), voice::numberId(1), toneWav(440, 400));
    rig.sounds.voice.reload();
    QTRY_VERIFY(allLoaded(rig));
    rig.quietly([&] {
        startGame(rig.program);
        askQuestion(rig.program, {7});
    });
    // The key works where the quiz window is the active one.
    rig.program.quiz.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.program.quiz.window()));
    const auto silenceOrNot = [&](bool silence) {
        if (key)
            QTest::sendKeyEvent(QTest::Click, rig.program.quiz.window(), Qt::Key(key),
                                QString(QChar(key)).toLower(), Qt::NoModifier);
        else
            rig.sounds.setSettings(silence ? settings : SoundSettings{});
    };
    // Neither the sound of the counting nor ปิโก saying "หนึ่ง".
    silenceOrNot(true);
    const std::vector<float> silent = heardWhile([&] { rig.program.quiz.Im1_Click(0); }, 800);
    QVERIFY(!silent.empty());
    QCOMPARE_LT(rms(silent), 1e-4);
    // And heard again once the key is pressed again, or the setting undone.
    silenceOrNot(false);
    const std::vector<float> heard = heardWhile([&] { rig.program.quiz.Im1_Click(1); }, 500);
    QVERIFY(heardWhole(findSound(heard, wavSamples(soundResource(Sound::PictureCounted)))));
}

void GameSounds_::aRecordedClipIsSaidWhenAPictureIsCounted_data() {
    QTest::addColumn<QStringList>("clips");
    QTest::addColumn<double>("heardHz");
    QTest::addColumn<QList<double>>("notHeardHz");
    // Each clip "folder:hertz" is "หนึ่ง" in that folder, a tone of that pitch.
    QTest::newRow("beside the program") << QStringList{"program:440"} << 440.0 << QList<double>{};
    QTest::newRow("the computer's wins over the program's")
        << QStringList{"program:440", "computer:660"} << 660.0 << QList<double>{440.0};
    QTest::newRow("the teacher's own wins over both")
        << QStringList{"program:440", "computer:660", "own:990"} << 990.0
        << QList<double>{440.0, 660.0};
    QTest::newRow("no clip: only the counting sound")
        << QStringList{} << 0.0 << QList<double>{440.0, 660.0, 990.0};
}

void GameSounds_::aRecordedClipIsSaidWhenAPictureIsCounted() {
    QFETCH(QStringList, clips);
    QFETCH(double, heardHz);
    QFETCH(QList<double>, notHeardHz);
    Rig rig;
    for (const QString &clip : clips)
        rig.putClip(clip.section(u':', 0, 0), voice::numberId(1),
                    toneWav(clip.section(u':', 1).toDouble(), 400));
    rig.sounds.voice.reload();
    QTRY_VERIFY(allLoaded(rig));
    rig.quietly([&] {
        startGame(rig.program);
        askQuestion(rig.program, {7});
    });
    const std::vector<float> heard = heardWhile([&] { rig.program.quiz.Im1_Click(0); }, 900);
    QVERIFY(heardWhole(findSound(heard, wavSamples(soundResource(Sound::PictureCounted)))));
    if (heardHz > 0)
        QCOMPARE_GT(toneAmplitude(heard, heardHz), 0.01);
    for (double hz : notHeardHz)
        QCOMPARE_LT(toneAmplitude(heard, hz), 0.002);
}

/// The 10-ms stretches of `heard` in which a tone of `hertz` sounds.
QList<int> toneStretches(const std::vector<float> &heard, double hertz) {
    constexpr std::size_t stretch = AudioServer::rate / 100;
    QList<int> found;
    for (std::size_t at = 0; at + stretch <= heard.size(); at += stretch)
        if (toneAmplitude(heard, hertz, at, at + stretch) > 0.1)
            found.append(int(at / stretch));
    return found;
}

void GameSounds_::theVoiceSaysOneClipAtATime() {
    Rig rig;
    // Each clip a tone of its own pitch, far from the game's sounds.
    rig.putClip(QStringLiteral("own"), voice::numberId(1), toneWav(440, 1000));
    rig.putClip(QStringLiteral("own"), voice::numberId(2), toneWav(660, 300));
    // The check's sound rings C5, E5 and G5 with their overtones.
    rig.putClip(QStringLiteral("own"), voice::id::right, toneWav(200, 300));
    rig.putClip(QStringLiteral("own"), voice::id::answerIs, toneWav(2900, 300));
    rig.putClip(QStringLiteral("own"), voice::numberId(7), toneWav(4000, 300));
    rig.sounds.voice.reload();
    QTRY_VERIFY(allLoaded(rig));
    rig.quietly([&] {
        startGame(rig.program);
        askQuestion(rig.program, {7});
        enterRightAnswers(rig.program.quiz);
    });

    // The next number counted cuts the last one short.
    const std::vector<float> counted = heardWhile(
        [&] {
            rig.program.quiz.Im1_Click(0);
            QTest::qWait(300);
            rig.program.quiz.Im1_Click(1);
        },
        800);
    const QList<int> one = toneStretches(counted, 440);
    const QList<int> two = toneStretches(counted, 660);
    QVERIFY(!one.isEmpty() && !two.isEmpty());
    QCOMPARE_LE(one.last(), two.first());
    QCOMPARE_LT(one.size(), 40);

    // The check: praise, "คำตอบที่ถูกคือ", then the number, one after another.
    const std::vector<float> checked = heardWhile([&] { rig.program.quiz.Cm3_Click(); }, 2600);
    const QList<int> praise = toneStretches(checked, 200);
    const QList<int> answerIs = toneStretches(checked, 2900);
    const QList<int> seven = toneStretches(checked, 4000);
    QVERIFY(!praise.isEmpty() && !answerIs.isEmpty() && !seven.isEmpty());
    QCOMPARE_LE(praise.last(), answerIs.first());
    QCOMPARE_LE(answerIs.last(), seven.first());
    // Each said whole.
    for (const QList<int> *clip : {&praise, &answerIs, &seven})
        QCOMPARE_GE(clip->size(), 27);
}

void GameSounds_::theCheckIsHeardAtOnce() {
    Rig rig;
    QTRY_VERIFY(allLoaded(rig));
    std::vector<double> delays;
    for (int check = 0; check < 7; ++check) {
        rig.quietly([&] {
            rig.program.openQuiz();
            rig.program.quiz.Cm1_Click();
            askQuestion(rig.program, {5});
            enterRightAnswers(rig.program.quiz);
        });
        const std::size_t from = monitor->now();
        const double clicked = steadyMs();
        QTest::mouseClick(rig.program.quiz.Cm3, Qt::LeftButton);
        // Long enough to hear it whole even when a busy machine delays it.
        const std::vector<float> heard = monitor->listen(from, 1600);
        const std::vector<float> right = wavSamples(soundResource(Sound::Right));
        const Match match = findSound(heard, right);
        QVERIFY2(heardWhole(match), qPrintable(QStringLiteral("gain %1, alike %2, at %3 ms")
                                                   .arg(match.gain)
                                                   .arg(match.score)
                                                   .arg(match.at * 1000.0 / AudioServer::rate)));
        // The sound's first sample, not the silence the file may begin with.
        const std::size_t first = from + match.at + onset(right, 0.0f);
        delays.push_back(monitor->timeOf(first) - clicked);
        rig.program.quiz.Cm6_Click();
        settle();
    }
    std::sort(delays.begin(), delays.end());
    QStringList shown;
    for (double d : delays)
        shown << QString::number(d, 'f', 1);
    qInfo().noquote() << "From the click on the check to its sound (ms):" << shown.join(u' ')
                      << "median" << QString::number(delays[delays.size() / 2], 'f', 1);
    // Within a few frames: a sound loaded at the first play would take far longer.
    QCOMPARE_LT(delays[delays.size() / 2], 150.0);
}

int main(int argc, char *argv[]) {
    return runListening<GameSounds_>(argc, argv, monitor);
}

#include "test_game_sounds.moc"
