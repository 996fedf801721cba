// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Class settings from the computer's file and the user's, in real files:
// the user's keys win, bad values fall back to their defaults with a
// warning, and saving keeps only what differs from the computer's file.
#include "settings/name_links.h"
#include "settings/server_settings.h"
#include "settings/settings_files.h"
#include "settings/sound_settings.h"
#include "settings/teacher_pin.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lumo;

namespace {

void writeFile(const QString &path, const QByteArray &text) {
    if (text.isNull())
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

ClassSettings make(int level, bool clock, int minutes, bool fullscreen, const QStringList &names) {
    return {level, clock, minutes, fullscreen, names};
}

} // namespace

class ClassSettingsFiles : public QObject {
    Q_OBJECT
  private slots:
    void theStandardFilesAreWhereTheSystemKeepsThem();
    void theUsersKeysWinAndBadValuesFallBack_data();
    void theUsersKeysWinAndBadValuesFallBack();
    void savingKeepsOnlyWhatDiffersFromTheComputer();
    void theServerComesFromBothFilesAndNeverItsPassword_data();
    void theServerComesFromBothFilesAndNeverItsPassword();
    void theTeachersPinIsKeptOnlyAsASaltedHash_data();
    void theTeachersPinIsKeptOnlyAsASaltedHash();
    void joinedNamesAreKeptBesideTheClassList();
    void theSoundsComeFromBothFilesAndAreSavedOnTheirOwn_data();
    void theSoundsComeFromBothFilesAndAreSavedOnTheirOwn();
};

void ClassSettingsFiles::theUsersKeysWinAndBadValuesFallBack_data() {
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<ClassSettings>("expected");
    QTest::addColumn<int>("problems");
    const ClassSettings defaults;
    const QStringList room{QStringLiteral("ด.ช. สมชาย"), QStringLiteral("Smith, John"),
                           QStringLiteral("มานี")};

    QTest::newRow("no files: the game as it always was")
        << QByteArray() << QByteArray() << defaults << 0;
    QTest::newRow("the computer's file sets up the room")
        << QByteArray("[class]\nstart_level=3\nclock=false\nclock_minutes=45\nfullscreen=yes\n"
                      "names=ด.ช. สมชาย, \"Smith, John\", มานี\n")
        << QByteArray() << make(3, false, 45, true, room) << 0;
    QTest::newRow("the user's keys win, key by key")
        << QByteArray("[class]\nstart_level=3\nclock=false\nnames=A, B\n")
        << QByteArray("[class]\nstart_level=2\nnames=\n") << make(2, false, 30, false, {}) << 0;
    QTest::newRow("out of range and unreadable values fall back")
        << QByteArray("[class]\nstart_level=5\nclock=maybe\nclock_minutes=9\nfullscreen=2\n")
        << QByteArray("[class]\nclock_minutes=121\n") << defaults << 4;
    QTest::newRow("a bad user value falls back to the default, not the computer's")
        << QByteArray("[class]\nstart_level=4\n") << QByteArray("[class]\nstart_level=zero\n")
        << defaults << 1;
    QTest::newRow("edges of the ranges")
        << QByteArray("[class]\nstart_level=4\nclock_minutes=120\n")
        << QByteArray("[class]\nclock_minutes=10\n") << make(4, true, 10, false, {}) << 0;
    QTest::newRow("names are trimmed, blank and repeated ones dropped, the rest verbatim")
        << QByteArray("[class]\nnames=\" =1+1\", , <b>x</b>, <b>x</b>, \"O'Neil \\\"Jo\\\"\"\n")
        << QByteArray()
        << make(1, true, 30, false,
                {QStringLiteral("=1+1"), QStringLiteral("<b>x</b>"),
                 QStringLiteral("O'Neil \"Jo\"")})
        << 0;
    QTest::newRow("a file that is not INI at all: one warning")
        << QByteArray("\x00\xff\xfe garbage [[[ = =", 20) << QByteArray() << defaults << 1;
    // What a Windows editor saves as "ANSI" on a Thai system.
    QTest::newRow("a class list in TIS-620 is read as Thai")
        << QByteArray("[class]\nstart_level=2\nnames=\xb4.\xaa. \xc0\xd9\xc1\xd4, "
                      "\xc1\xd2\xb9\xd5\r\n")
        << QByteArray()
        << make(2, true, 30, false, {QStringLiteral("ด.ช. ภูมิ"), QStringLiteral("มานี")}) << 0;
    QTest::newRow("binary junk with a quote loses only its own line")
        << QByteArray("[class]\nstart_level=3\n\x01\x02\"\xff\xfe junk\nclock=false\nnames=A, B\n")
        << QByteArray() << make(3, false, 30, false, {QStringLiteral("A"), QStringLiteral("B")})
        << 1;
    QTest::newRow("a quote never closed and a section never closed lose only their lines")
        << QByteArray("[class]\nstart_level=3\njunk\"line = x\n[junk\nclock=false\nnames=A, B\n")
        << QByteArray() << make(3, false, 30, false, {QStringLiteral("A"), QStringLiteral("B")})
        << 1;
    QTest::newRow("UTF-8 with one line of another code: that line goes")
        << QByteArray("[class]\nstart_level=2\nfullscreen=\x80\x81\nnames=มานี\n") << QByteArray()
        << make(2, true, 30, false, {QStringLiteral("มานี")}) << 1;
}

void ClassSettingsFiles::theUsersKeysWinAndBadValuesFallBack() {
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, user);
    QFETCH(ClassSettings, expected);
    QFETCH(int, problems);
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    writeFile(files.systemFile, system);
    writeFile(files.userFile, user);

    QStringList found;
    const ClassSettings settings = readClassSettings(files, &found);
    QCOMPARE(settings.startLevel, expected.startLevel);
    QCOMPARE(settings.clock, expected.clock);
    QCOMPARE(settings.clockMinutes, expected.clockMinutes);
    QCOMPARE(settings.fullscreen, expected.fullscreen);
    QCOMPARE(settings.classList, expected.classList);
    QCOMPARE(found.size(), problems);
}

void ClassSettingsFiles::savingKeepsOnlyWhatDiffersFromTheComputer() {
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    writeFile(files.systemFile, "[class]\nstart_level=3\nnames=A, B\n");

    const ClassSettings mine = make(
        3, false, 60, true, {QStringLiteral("ด.ญ. มาลี"), QStringLiteral("=cmd|' /C calc'!A0")});
    QVERIFY(writeClassSettings(files, mine));
    QCOMPARE(readClassSettings(files), mine);
    QSettings user(files.userFile, QSettings::IniFormat);
    QVERIFY(!user.contains(QStringLiteral("class/start_level")));
    QVERIFY(user.contains(QStringLiteral("class/clock")));

    // A later change to the computer's file reaches the keys the user left alone.
    writeFile(files.systemFile, "[class]\nstart_level=2\n");
    QCOMPARE(readClassSettings(files).startLevel, 2);

    // A user's file in TIS-620 with a damaged line keeps what could be read
    // when the window saves: its Thai, and the keys after the damage.
    writeFile(files.userFile, "[class]\nnames=\xc1\xd2\xb9\xd5\n\x01\"\xff\n" +
                                  pinSettingsLines(hashPin(QStringLiteral("1357"), 1000)).toUtf8());
    ClassSettings later = readClassSettings(files);
    QCOMPARE(later.classList, QStringList{QStringLiteral("มานี")});
    later.fullscreen = true;
    QVERIFY(writeClassSettings(files, later));
    QCOMPARE(readClassSettings(files), later);
    QVERIFY(readTeacherPin(files).has_value());
    QVERIFY(writeTeacherPin(files, QString()));

    // Saving the computer's own values empties the user's file of them.
    QVERIFY(writeClassSettings(files, readSystemClassSettings(files)));
    user.sync();
    QVERIFY(user.childKeys().isEmpty() && user.childGroups().isEmpty());

    const QJsonObject json = QJsonDocument::fromJson(mine.gameSettingsJson().toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("startLevel")).toInt(), 3);
    QVERIFY(json.value(QStringLiteral("clockMinutes")).isNull());
    QVERIFY(!mine.gameSettingsJson().contains(QStringLiteral("มาลี")));
    QCOMPARE(mine.startingMinutes(), std::nullopt);
}

void ClassSettingsFiles::theStandardFilesAreWhereTheSystemKeepsThem() {
#ifdef Q_OS_WIN
    // Files in the computer's and the user's application-data folders,
    // under the same name as on Linux; not the registry.
    const auto folder = [](const char *variable) {
        return QDir::fromNativeSeparators(qEnvironmentVariable(variable));
    };
    QCOMPARE(SettingsFiles::standard().systemFile,
             folder("ProgramData") + QStringLiteral("/lumo3/lumo3.conf"));
    QCOMPARE(SettingsFiles::standard().userFile,
             folder("APPDATA") + QStringLiteral("/lumo3/lumo3.conf"));
#else
    // A test of a whole program points the computer's file elsewhere this
    // way; QSettings reads the variable once, at its first use.
    qputenv("XDG_CONFIG_DIRS", "/tmp/lumo-room");
    QCOMPARE(SettingsFiles::standard().systemFile,
             QStringLiteral("/tmp/lumo-room/lumo3/lumo3.conf"));
#endif
}

void ClassSettingsFiles::theServerComesFromBothFilesAndNeverItsPassword_data() {
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QString>("place"); // empty: no server
    QTest::addColumn<int>("problems");
    QTest::newRow("no files: off") << QByteArray() << QByteArray() << QString() << 0;
    QTest::newRow("the computer's file names the server")
        << QByteArray("[server]\nhost=school-db.example\n") << QByteArray()
        << QStringLiteral("school-db.example:5432/lumo3 as lumo3") << 0;
    QTest::newRow("the user's keys win; an empty host turns it off")
        << QByteArray("[server]\nhost=a\nport=5433\n") << QByteArray("[server]\nhost=\n")
        << QString() << 0;
    QTest::newRow("a service leaves what the files do not set to it")
        << QByteArray("[server]\nservice=lumo3\n") << QByteArray("[server]\nuser=teacher\n")
        << QStringLiteral("service lumo3 as teacher") << 0;
    QTest::newRow("a password is never read, a bad port falls back")
        << QByteArray("[server]\nhost=db\npassword=secret\nport=99999\n") << QByteArray()
        << QStringLiteral("db:5432/lumo3 as lumo3") << 2;
}

void ClassSettingsFiles::theServerComesFromBothFilesAndNeverItsPassword() {
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, user);
    QFETCH(QString, place);
    QFETCH(int, problems);
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    writeFile(files.systemFile, system);
    writeFile(files.userFile, user);
    QStringList found;
    const ServerSettings server = readServerSettings(files, &found);
    QCOMPARE(server.enabled(), !place.isEmpty());
    if (server.enabled()) {
        const QString shown = server.place() + QStringLiteral(" as ") + server.user;
        QCOMPARE(shown.trimmed(), place);
    }
    QCOMPARE(found.size(), problems);
    for (const QString &problem : found)
        QVERIFY(!problem.contains(QStringLiteral("secret")));

    // Saved as the user's own, it reads back the same.
    QVERIFY(writeServerSettings(files, server));
    QCOMPARE(readServerSettings(files), server);
}

void ClassSettingsFiles::theTeachersPinIsKeptOnlyAsASaltedHash_data() {
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QString>("pin"); // empty: none in force
    QTest::addColumn<bool>("computerWide");
    QTest::addColumn<int>("problems");
    // Few rounds, so that the test is quick; the stored hash says how many.
    const QByteArray one = pinSettingsLines(hashPin(QStringLiteral("1234"), 1000)).toUtf8();
    const QByteArray two = pinSettingsLines(hashPin(QStringLiteral("9876"), 1000)).toUtf8();
    QTest::newRow("no PIN") << QByteArray() << QByteArray() << QString() << false << 0;
    QTest::newRow("the user's") << QByteArray() << one << QStringLiteral("1234") << false << 0;
    QTest::newRow("the computer's wins over the user's")
        << two << one << QStringLiteral("9876") << true << 0;
    QTest::newRow("a PIN written as it is counts as none, with a warning")
        << QByteArray("[teacher]\npin=1234\n") << QByteArray() << QString() << false << 1;
    QTest::newRow("an empty computer's PIN leaves the user's")
        << QByteArray("[teacher]\npin=\n") << one << QStringLiteral("1234") << false << 0;
}

void ClassSettingsFiles::theTeachersPinIsKeptOnlyAsASaltedHash() {
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, user);
    QFETCH(QString, pin);
    QFETCH(bool, computerWide);
    QFETCH(int, problems);
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    writeFile(files.systemFile, system);
    writeFile(files.userFile, user);
    QStringList found;
    const auto inForce = readTeacherPin(files, &found);
    QCOMPARE(found.size(), problems);
    QCOMPARE(inForce.has_value(), !pin.isEmpty());
    if (!inForce)
        return;
    QCOMPARE(inForce->computerWide, computerWide);
    QVERIFY(!inForce->hash.contains(pin));
    QVERIFY(pinMatches(pin, inForce->hash));
    QVERIFY(!pinMatches(pin + QLatin1Char('0'), inForce->hash));
    QVERIFY(!pinMatches(pin, inForce->hash.chopped(2)));
    // Salted: the same PIN never gives the same hash twice.
    QVERIFY(hashPin(pin, 1000) != hashPin(pin, 1000));

    // Removed from the user's file, the computer's PIN stays.
    QVERIFY(writeTeacherPin(files, QString()));
    QCOMPARE(readTeacherPin(files).has_value(), computerWide);
}

void ClassSettingsFiles::joinedNamesAreKeptBesideTheClassList() {
    // A name typed joined to a listed child is kept in the user's file,
    // whatever characters either holds, and wins over the computer's joins.
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    writeFile(files.systemFile, "[class]\nnames=ด.ช. ภูมิ รักเรียน\njoined\\1\\typed=ภู\n"
                                "joined\\1\\listed=ด.ช. ภูมิ รักเรียน\njoined\\size=1\n");
    QCOMPARE(readNameLinks(files).listedFor(QStringLiteral("ภู")), QStringLiteral("ด.ช. ภูมิ รักเรียน"));
    NameLinks links;
    links.join(QStringLiteral("ภูมิ, \"=1+1\"/x\\y"), QStringLiteral("ด.ช. ภูมิ รักเรียน"));
    links.join(QStringLiteral(" ภูมิ "), QStringLiteral("ด.ญ. มาลี"));
    QVERIFY(writeNameLinks(files, links));
    const NameLinks read = readNameLinks(files);
    QCOMPARE(read, links);
    QCOMPARE(read.listedFor(QStringLiteral("ภูมิ")), QStringLiteral("ด.ญ. มาลี"));
    QCOMPARE(read.listedFor(QStringLiteral("ภู")), QString());
    QCOMPARE(read.typedFor(QStringLiteral("ด.ช. ภูมิ รักเรียน")).size(), 1);
    // The class list itself is untouched by the joins.
    QCOMPARE(readClassSettings(files).classList, QStringList{QStringLiteral("ด.ช. ภูมิ รักเรียน")});
}

void ClassSettingsFiles::theSoundsComeFromBothFilesAndAreSavedOnTheirOwn_data() {
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("problems");
    QTest::newRow("no files: on, as loud as the computer")
        << QByteArray() << QByteArray() << true << 100 << 0;
    QTest::newRow("a quiet exam room")
        << QByteArray("[class]\nsounds=off\nvolume=40\n") << QByteArray() << false << 40 << 0;
    QTest::newRow("the user's keys win") << QByteArray("[class]\nsounds=false\nvolume=40\n")
                                         << QByteArray("[class]\nsounds=yes\n") << true << 40 << 0;
    QTest::newRow("bad values fall back") << QByteArray("[class]\nsounds=loud\nvolume=101\n")
                                          << QByteArray("[class]\nvolume=-1\n") << true << 100 << 2;
}

void ClassSettingsFiles::theSoundsComeFromBothFilesAndAreSavedOnTheirOwn() {
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, user);
    QFETCH(bool, on);
    QFETCH(int, volume);
    QFETCH(int, problems);
    QTemporaryDir dir;
    const SettingsFiles files{dir.filePath(QStringLiteral("system.conf")),
                              dir.filePath(QStringLiteral("user.conf"))};
    writeFile(files.systemFile, system);
    writeFile(files.userFile, user);
    QStringList found;
    const SoundSettings sounds = readSoundSettings(files, &found);
    QCOMPARE(sounds.on, on);
    QCOMPARE(sounds.volume, volume);
    QCOMPARE(found.size(), problems);

    // Saved and read back; saving the other class settings leaves them be.
    const SoundSettings changed{!on, 7};
    QVERIFY(writeSoundSettings(files, changed));
    QVERIFY(writeClassSettings(files, readClassSettings(files)));
    QCOMPARE(readSoundSettings(files), changed);
}

QTEST_GUILESS_MAIN(ClassSettingsFiles)
#include "test_class_settings.moc"
