// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/game_sounds.h"

#include "app/screen_flow.h"
#include "platform/announcer.h"
#include "voice/phrases.h"

#include <QShortcut>

namespace lumo {

namespace {
// ปิโก speaks once the sound of the check has rung out, and the level's
// fanfare follows the sound of the check.
constexpr int voiceAfterCheckMs = 450;
constexpr int levelSoundAfterCheckMs = 650;

// M on an English layout, and the same key on the Thai Kedmanee layout (ท).
const QKeySequence muteKeys[] = {QKeySequence(Qt::Key_M), QKeySequence(0x0e17)};
} // namespace

GameSounds::GameSounds(ScreenFlow &screens, voice::VoiceFolders folders, QObject *parent)
    : QObject(parent), voice(std::move(folders)), screens_(screens) {
    // Speakers plugged in after the start are used from then on.
    connect(&devices_, &QMediaDevices::audioOutputsChanged, this, [this] {
        if (!effects.loaded()) {
            effects.load();
            voice.reload();
        }
    });

    namespace id = voice::id;
    Form1 &start = screens.start;
    Form2 &quiz = screens.quiz;
    quiz::Game &game = quiz.game();

    // The start screen: a welcome, after whatever is still being said (the
    // end of the last game), and a greeting once the name is known.
    connect(&start, &Screen::windowOpened, this, [this] { voice.sayAfter({id::welcome}); });
    connect(&start, &Form1::greeted, this, [this] { voice.say({id::hello}); });

    connect(&quiz, &Screen::windowOpened, this, [this] {
        addMuteKeys();
        voice.sayAfter({id::ready});
    });
    connect(&game, &quiz::Game::clockStarted, this, [this] { voice.say({id::firstQuestion}); });
    connect(&game, &quiz::Game::questionReady, this, &GameSounds::questionAsked);
    connect(&quiz, &Form2::tilePicked, this, [this] { effects.play(Sound::TilePicked); });
    connect(&quiz, &Form2::tileDropped, this, [this] { effects.play(Sound::TileDropped); });
    connect(&quiz, &Form2::pictureCounted, this, [this](int, int count) {
        effects.play(Sound::PictureCounted);
        voice.say({voice::numberId(count)});
    });
    connect(&game, &quiz::Game::answerMarked, this, &GameSounds::answerMarked);
    connect(&game, &quiz::Game::levelRaised, this, [this](int level) {
        effects.playAfter(Sound::LevelUp, levelSoundAfterCheckMs);
        voice.sayAfter({id::levelReached(level)});
    });
    connect(&game, &quiz::Game::gameWon, this, [this] {
        effects.play(Sound::Won);
        voice.say({id::won});
    });
    connect(&game, &quiz::Game::timeOut, this, [this] {
        effects.play(Sound::TimeUp);
        voice.say({id::timeUp});
    });
    // Leaving ends what ปิโก was saying about the game; a game won or lost
    // is told to its end.
    connect(&quiz, &Form2::ended, this, [this](quiz::Game::Outcome how) {
        if (how == quiz::Game::Outcome::Left || how == quiz::Game::Outcome::WindowClosed)
            voice.stop();
    });
}

void GameSounds::setSettings(const SoundSettings &settings) {
    Loudness loudness = loudness_;
    loudness.on = settings.on;
    loudness.volume = settings.volume;
    setLoudness(loudness);
}

void GameSounds::toggleMute() {
    Loudness loudness = loudness_;
    loudness.muted = !loudness.muted;
    setLoudness(loudness);
    if (Announcer *announcer = screens_.quiz.announcer())
        announcer->say(loudness.muted ? QStringLiteral("ปิดเสียงแล้ว") : QStringLiteral("เปิดเสียงแล้ว"));
}

void GameSounds::setLoudness(const Loudness &loudness) {
    loudness_ = loudness;
    effects.setLoudness(loudness);
    voice.setLoudness(loudness);
}

void GameSounds::addMuteKeys() {
    // Made with each quiz window and gone with it.
    for (const QKeySequence &keys : muteKeys) {
        auto *shortcut = new QShortcut(keys, screens_.quiz.window());
        connect(shortcut, &QShortcut::activated, this, &GameSounds::toggleMute);
    }
}

void GameSounds::questionAsked(const quiz::Game::Question &question) {
    // A level's hint is said at its first question, as it is first shown.
    if (question.number != quiz::questionsBefore(question.level) + 1)
        return;
    const quiz::Level *level = quiz::levelRules(question.level);
    voice.say({level && level->asksTotal() ? voice::id::hintTotal : voice::id::hintRows});
}

void GameSounds::answerMarked(const quiz::Game::Marking &marking) {
    int right = 0;
    int marks = 0;
    for (int g = 0; g < marking.groups; ++g, ++marks)
        right += marking.group[std::size_t(g)].right ? 1 : 0;
    if (marking.hasTotal) {
        ++marks;
        right += marking.total.right ? 1 : 0;
    }
    // One wrong mark is enough for the gentle sound; the voice tells a
    // partly right answer from a wholly wrong one.
    effects.play(right == marks ? Sound::Right : Sound::Wrong);
    const QString verdict = right == marks ? voice::id::right
                            : right > 0    ? voice::id::almost
                                           : voice::id::wrong;
    const int answer = marking.hasTotal ? marking.total.expected : marking.group[0].expected;
    voice.say({verdict, voice::id::answerIs, voice::numberId(answer)}, voiceAfterCheckMs);
}

} // namespace lumo
