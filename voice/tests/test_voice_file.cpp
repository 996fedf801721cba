// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A whole voice carried in one file: exported and imported whole, and every
// clip of a file from elsewhere checked, each one refused named with its
// reason, a file that is no voice at all refused whole.
#include "sound/clip.h"
#include "voice/phrases.h"
#include "voice/voice_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace lumo;
using namespace lumo::voice;

namespace {

QByteArray tone(int milliseconds, int rate = 22050, int channels = 1) {
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    const int frames = rate * milliseconds / 1000;
    QByteArray pcm(frames * channels * 2, Qt::Uninitialized);
    auto *out = reinterpret_cast<qint16 *>(pcm.data());
    for (int i = 0; i < frames * channels; ++i)
        out[i] = qint16(8000 * std::sin(i * 0.05));
    return writeClip(format, pcm);
}

/// A WAV header with other numbers in it: bits per sample, data size.
QByteArray withHeader(QByteArray wav, int offset, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        wav[offset + i] = char((value >> (8 * i)) & 0xff);
    return wav;
}

struct Row {
    QString phrase;
    QVariant wav;
};

/// A voice file as another program (or a damaged copy) might have made it.
void makeVoiceFile(const QString &file, int applicationId, int version, const QList<Row> &rows) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("made"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("PRAGMA application_id = %1").arg(applicationId)));
        QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
        QVERIFY(
            query.exec(QStringLiteral("CREATE TABLE clips (phrase TEXT, text TEXT, wav BLOB)")));
        for (const Row &row : rows) {
            QVERIFY(query.prepare(QStringLiteral("INSERT INTO clips VALUES (?, '', ?)")));
            query.addBindValue(row.phrase);
            query.addBindValue(row.wav);
            QVERIFY(query.exec());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("made"));
}

constexpr int ours = 0x6c6d3376;

} // namespace

class VoiceFile : public QObject {
    Q_OBJECT
  private slots:
    void aVoiceGoesWholeFromOneComputerToAnother();
    void everyClipIsCheckedAndEachRefusalNamed_data();
    void everyClipIsCheckedAndEachRefusalNamed();
    void theComputersVoiceIsBesideItsSettings_data();
    void theComputersVoiceIsBesideItsSettings();
    void numbersAreReadAsThaiWords_data();
    void numbersAreReadAsThaiWords();
};

void VoiceFile::aVoiceGoesWholeFromOneComputerToAnother() {
    QTemporaryDir dir;
    // The teacher's own clips win over the computer's: both go, as heard.
    const VoiceFolders here{dir.filePath("own"), dir.filePath("computer"), QString()};
    QVERIFY(saveClipFile(here.ownFile(id::right), tone(500)));
    QVERIFY(saveClipFile(here.ownFile(numberId(12)), tone(700, 44100, 2)));
    QVERIFY(saveClipFile(QDir(here.computer).filePath(numberId(12) + ".wav"), tone(300)));
    QVERIFY(saveClipFile(QDir(here.computer).filePath(id::won + ".wav"), tone(900)));
    const QString file = dir.filePath(QStringLiteral("เสียงปิโก") + voiceFileSuffix);
    QCOMPARE(exportVoice(here, file), 3);

    const QString there = dir.filePath(QStringLiteral("there"));
    const ImportReport report = importVoice(file, there);
    QCOMPARE(report.error, QString());
    QCOMPARE(report.refused, QStringList());
    QCOMPARE(report.kept, (QStringList{id::right, id::won, numberId(12)}));
    for (const QString &phrase : report.kept) {
        QFile in(QDir(there).filePath(phrase + ".wav"));
        QVERIFY(in.open(QIODevice::ReadOnly));
        QFile original(here.clipFile(phrase));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(readClip(in.readAll())->pcm, readClip(original.readAll())->pcm);
    }

    // Exported again over the same file: replaced, not added to.
    QVERIFY(QFile::remove(here.ownFile(id::right)));
    QCOMPARE(exportVoice(here, file), 2);
    QCOMPARE(importVoice(file, dir.filePath("again")).kept.size(), 2);

    // Every phrase recorded as the recording page keeps it, about as long
    // as a teacher takes to say it with the presses of the buttons around:
    // every one goes, in a file of a size to carry.
    const VoiceFolders whole{dir.filePath("whole"), QString(), QString()};
    for (const Phrase &phrase : phrases())
        QVERIFY(saveClipFile(whole.ownFile(phrase.id),
                             tone(1000 + 60 * int(phrase.text.size()), 44100)));
    const QString wholeFile = dir.filePath(QStringLiteral("whole") + voiceFileSuffix);
    QCOMPARE(exportVoice(whole, wholeFile), phrases().size());
    const qint64 bytes = QFileInfo(wholeFile).size();
    qInfo("A whole voice of %d clips: %.1f MB", int(phrases().size()), bytes / 1e6);
    QCOMPARE_LT(bytes, 25'000'000);
    const ImportReport all = importVoice(wholeFile, dir.filePath("all"));
    QCOMPARE(all.kept.size(), phrases().size());
    QCOMPARE(all.refused, QStringList());
}

void VoiceFile::everyClipIsCheckedAndEachRefusalNamed_data() {
    QTest::addColumn<QByteArray>("file"); // empty: made from the rows
    QTest::addColumn<int>("applicationId");
    QTest::addColumn<int>("version");
    QTest::addColumn<QStringList>("phrases");
    QTest::addColumn<QList<QVariant>>("clips");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QString>("refused"); // a part of every refusal line, in order, '|' between
    QTest::addColumn<bool>("whole");      // the file refused whole

    const QByteArray good = tone(400);
    QTest::newRow("a phrase the game does not say")
        << QByteArray() << ours << 1 << QStringList{"n61", id::right} << QList<QVariant>{good, good}
        << QStringList{id::right} << "n61: ไม่มีข้อความนี้ในเกม" << false;
    QTest::newRow("not a WAV file")
        << QByteArray() << ours << 1 << QStringList{id::right}
        << QList<QVariant>{QByteArray("RIFF1234WAVEjunk")} << QStringList{}
        << "เก่งมากครับ ถูกต้องครับ: ไม่ใช่ไฟล์เสียง WAV" << false;
    QTest::newRow("8-bit samples")
        << QByteArray() << ours << 1 << QStringList{id::wrong}
        << QList<QVariant>{withHeader(good, 34, 8, 2)} << QStringList{} << "PCM 16 บิต" << false;
    QTest::newRow("a header that promises more than the file holds")
        << QByteArray() << ours << 1 << QStringList{id::won}
        << QList<QVariant>{withHeader(good, 40, quint32(good.size()), 4)} << QStringList{}
        << "ไฟล์เสียงไม่ครบ" << false;
    QTest::newRow("longer than a clip may be")
        << QByteArray() << ours << 1 << QStringList{numberId(3)}
        << QList<QVariant>{tone(longestClipMs + 1000, 8000)} << QStringList{} << "ยาวเกิน 15 วินาที"
        << false;
    QTest::newRow("no sound at all")
        << QByteArray() << ours << 1 << QStringList{numberId(4)} << QList<QVariant>{tone(0)}
        << QStringList{} << "ไม่มีเสียง" << false;
    QTest::newRow("text where a clip should be")
        << QByteArray() << ours << 1 << QStringList{numberId(5)}
        << QList<QVariant>{QStringLiteral("<b>เสียง</b>")} << QStringList{} << "ไม่ใช่ไฟล์เสียง WAV"
        << false;
    QTest::newRow("another program's database")
        << QByteArray() << 0 << 1 << QStringList{id::right} << QList<QVariant>{good}
        << QStringList{} << "ไม่ใช่ไฟล์เสียงพูดของปิโก" << true;
    QTest::newRow("from a newer program")
        << QByteArray() << ours << 2 << QStringList{id::right} << QList<QVariant>{good}
        << QStringList{} << "รุ่นใหม่กว่า" << true;
    QTest::newRow("not a database at all")
        << QByteArray(4096, 'x') << ours << 1 << QStringList{} << QList<QVariant>{} << QStringList{}
        << "ไม่ใช่ไฟล์เสียงพูดของปิโก" << true;
}

void VoiceFile::everyClipIsCheckedAndEachRefusalNamed() {
    QFETCH(QByteArray, file);
    QFETCH(int, applicationId);
    QFETCH(int, version);
    QFETCH(QStringList, phrases);
    QFETCH(QList<QVariant>, clips);
    QFETCH(QStringList, kept);
    QFETCH(QString, refused);
    QFETCH(bool, whole);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("voice") + voiceFileSuffix);
    if (file.isEmpty()) {
        QList<Row> rows;
        for (qsizetype i = 0; i < phrases.size(); ++i)
            rows.append({phrases[i], clips[i]});
        makeVoiceFile(path, applicationId, version, rows);
    } else {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    }

    const QString own = dir.filePath(QStringLiteral("own"));
    const ImportReport report = importVoice(path, own);
    QCOMPARE(report.kept, kept);
    if (whole) {
        QVERIFY2(report.error.contains(refused), qPrintable(report.error));
    } else {
        QCOMPARE(report.error, QString());
        const QStringList reasons = refused.split(u'|');
        QCOMPARE(report.refused.size(), reasons.size());
        for (qsizetype i = 0; i < reasons.size(); ++i)
            QVERIFY2(report.refused[i].contains(reasons[i]), qPrintable(report.refused[i]));
    }
    // Nothing refused is kept.
    QCOMPARE(QDir(own).entryList(QDir::Files).size(), kept.size());
}

void VoiceFile::theComputersVoiceIsBesideItsSettings_data() {
    QTest::addColumn<QString>("systemSettingsFile");
    QTest::addColumn<QString>("programData"); // the variable on Windows
    QTest::addColumn<QString>("computer");
    QTest::newRow("a settings file")
        << "/etc/xdg/lumo3/lumo3.conf" << QString()
        << QFileInfo(QStringLiteral("/etc/xdg/lumo3/voice/th")).absoluteFilePath(); // Z:/… in Wine
    QTest::newRow("the registry on Windows") << "\\HKEY_LOCAL_MACHINE\\Software\\lumo3\\lumo3"
                                             << "D:/ProgramData"
                                             << "D:/ProgramData/lumo3/voice/th";
    QTest::newRow("no computer's settings") << QString() << QString() << QString();
}

void VoiceFile::theComputersVoiceIsBesideItsSettings() {
    QFETCH(QString, systemSettingsFile);
    QFETCH(QString, programData);
    QFETCH(QString, computer);
    const QByteArray before = qgetenv("ProgramData");
    qputenv("ProgramData", programData.toUtf8());
    const VoiceFolders folders =
        VoiceFolders::beside(QStringLiteral("/home/kru/.local/share/lumo3"), systemSettingsFile,
                             QStringLiteral("/opt/lumo3"));
    qputenv("ProgramData", before);
    QCOMPARE(folders.own, QStringLiteral("/home/kru/.local/share/lumo3/voice/th"));
    QCOMPARE(folders.computer, computer);
    QCOMPARE(folders.program, QStringLiteral("/opt/lumo3/voice/th"));
}

void VoiceFile::numbersAreReadAsThaiWords_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("words");
    QTest::newRow("1") << 1 << QStringLiteral("หนึ่ง");
    QTest::newRow("10") << 10 << QStringLiteral("สิบ");
    QTest::newRow("11: เอ็ด after ten") << 11 << QStringLiteral("สิบเอ็ด");
    QTest::newRow("20: ยี่สิบ") << 20 << QStringLiteral("ยี่สิบ");
    QTest::newRow("21") << 21 << QStringLiteral("ยี่สิบเอ็ด");
    QTest::newRow("45") << 45 << QStringLiteral("สี่สิบห้า");
    QTest::newRow("60") << 60 << QStringLiteral("หกสิบ");
}

void VoiceFile::numbersAreReadAsThaiWords() {
    QFETCH(int, number);
    QFETCH(QString, words);
    QCOMPARE(thaiNumberWords(number), words);
    // Every number the game says has a phrase to record.
    QCOMPARE(findPhrase(numberId(number))->text, words);
}

QTEST_GUILESS_MAIN(VoiceFile)
#include "test_voice_file.moc"
