// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/voice_file.h"

#include "sound/clip.h"
#include "store/connection.h"
#include "store/statement.h"
#include "voice/phrases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace lumo::voice {

namespace {

// "lm3v": what `PRAGMA application_id` says of a voice file.
constexpr int applicationId = 0x6c6d3376;
constexpr int formatVersion = 1;
// Far more than a clip of the longest length takes in the largest format.
constexpr qint64 largestClipBytes = qint64(longestClipMs / 1000 + 1) * 48000 * 2 * 2 + 4096;

void fail(QString *error, const QString &text) {
    if (error)
        *error = text;
}

QString unreadable(const QString &file) {
    return QStringLiteral("ไฟล์ %1 ไม่ใช่ไฟล์เสียงพูดของปิโก").arg(QFileInfo(file).fileName());
}

} // namespace

int exportVoice(const VoiceFolders &folders, const QString &file, QString *error) {
    // Written beside the file under another name, then put in its place,
    // so that a failure leaves no half-written voice.
    const QString partial = file + QStringLiteral(".part");
    QFile::remove(partial);
    int written = 0;
    QSqlError sqlError;
    {
        store::Connection out(partial);
        QSqlDatabase &db = out.db();
        bool ok = out.isOpen() &&
                  out.exec(QStringLiteral("PRAGMA application_id = %1").arg(applicationId)) &&
                  out.exec(QStringLiteral("PRAGMA user_version = %1").arg(formatVersion)) &&
                  out.exec(QStringLiteral("CREATE TABLE clips (phrase TEXT PRIMARY KEY, "
                                          "text TEXT NOT NULL, wav BLOB NOT NULL)"));
        store::WriteTransaction transaction(db);
        ok = ok && transaction.begin(sqlError);
        for (const Phrase &phrase : phrases()) {
            if (!ok)
                break;
            const QString clipFile = folders.clipFile(phrase.id);
            if (clipFile.isEmpty())
                continue;
            QFile in(clipFile);
            if (!in.open(QIODevice::ReadOnly)) {
                fail(error, QStringLiteral("อ่านไฟล์ %1 ไม่ได้: %2").arg(clipFile, in.errorString()));
                ok = false;
                break;
            }
            ok = store::execute(
                db, QStringLiteral("INSERT INTO clips (phrase, text, wav) VALUES (?, ?, ?)"),
                {phrase.id, phrase.text, in.readAll()}, sqlError);
            written += ok ? 1 : 0;
        }
        ok = ok && transaction.commit(sqlError);
        if (!ok) {
            if (error && error->isEmpty())
                *error =
                    out.isOpen() ? store::errorText(sqlError) : store::errorText(out.openError());
            written = -1;
        }
    }
    if (written >= 0 && (QFile::exists(file) && !QFile::remove(file))) {
        fail(error, QStringLiteral("เขียนทับไฟล์ %1 ไม่ได้").arg(file));
        written = -1;
    }
    if (written >= 0 && !QFile::rename(partial, file)) {
        fail(error, QStringLiteral("บันทึกไฟล์ %1 ไม่ได้").arg(file));
        written = -1;
    }
    if (written < 0)
        QFile::remove(partial);
    return written;
}

ImportReport importVoice(const QString &file, const QString &ownFolder) {
    ImportReport report;
    if (!QFileInfo(file).isFile()) {
        report.error = QStringLiteral("ไม่พบไฟล์ %1").arg(file);
        return report;
    }
    store::Connection in(file, store::Connection::Mode::Immutable);
    if (!in.isOpen() ||
        in.scalar(QStringLiteral("PRAGMA application_id")).toInt() != applicationId) {
        report.error = unreadable(file);
        return report;
    }
    if (in.scalar(QStringLiteral("PRAGMA user_version")).toInt() > formatVersion) {
        report.error = QStringLiteral("ไฟล์ %1 มาจากโปรแกรมรุ่นใหม่กว่า ให้ปรับรุ่นโปรแกรมก่อน")
                           .arg(QFileInfo(file).fileName());
        return report;
    }
    QSqlQuery rows(in.db());
    QSqlError sqlError;
    const qsizetype mostRows = phrases().size() * 2;
    if (const qlonglong all = in.scalar(QStringLiteral("SELECT count(*) FROM clips")).toLongLong();
        all > mostRows)
        report.refused.append(
            QStringLiteral("อีก %1 รายการ: ไฟล์มีรายการมากเกินกว่าที่เกมใช้").arg(all - mostRows));
    // The size first, so that no clip larger than any clip can be is read.
    if (!store::execute(rows,
                        QStringLiteral("SELECT phrase, length(wav), typeof(wav) FROM clips "
                                       "ORDER BY rowid LIMIT %1")
                            .arg(mostRows),
                        {}, sqlError)) {
        report.error = unreadable(file);
        return report;
    }
    QStringList seen;
    while (rows.next()) {
        const QString id = rows.value(0).toString();
        const Phrase *phrase = findPhrase(id);
        // A name from the file is shown shortened, as plain text.
        const QString name = phrase ? phrase->text : id.left(40);
        const auto refuse = [&](const QString &why) {
            report.refused.append(QStringLiteral("%1: %2").arg(name, why));
        };
        if (!phrase) {
            refuse(QStringLiteral("ไม่มีข้อความนี้ในเกม"));
            continue;
        }
        if (seen.contains(id))
            continue;
        seen.append(id);
        if (rows.value(2).toString() != QStringLiteral("blob") ||
            rows.value(1).toLongLong() > largestClipBytes) {
            refuse(rows.value(1).toLongLong() > largestClipBytes
                       ? QStringLiteral("ยาวเกิน %1 วินาที").arg(longestClipMs / 1000)
                       : QStringLiteral("ไม่ใช่ไฟล์เสียง WAV"));
            continue;
        }
        QSqlQuery blob(in.db());
        if (!store::execute(blob, QStringLiteral("SELECT wav FROM clips WHERE phrase = ?"), {id},
                            sqlError) ||
            !blob.next()) {
            refuse(QStringLiteral("อ่านไม่ได้"));
            continue;
        }
        QString problem;
        const std::optional<Clip> clip = readClip(blob.value(0).toByteArray(), &problem);
        if (!clip) {
            refuse(problem);
            continue;
        }
        QString error;
        if (!saveClipFile(QDir(ownFolder).filePath(id + QStringLiteral(".wav")),
                          writeClip(clip->format, clip->pcm), &error)) {
            refuse(QStringLiteral("บันทึกไม่ได้: %1").arg(error));
            continue;
        }
        report.kept.append(id);
    }
    if (rows.lastError().isValid() && report.kept.isEmpty() && report.refused.isEmpty())
        report.error = unreadable(file);
    return report;
}

} // namespace lumo::voice
