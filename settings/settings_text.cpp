// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_text.h"

#include <QFile>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace lumo {

namespace {

// Windows' code page 874 below the Thai letters; the rest of 0x80 to 0xA0
// is unassigned there.
char16_t windowsPunctuation(unsigned char byte) {
    switch (byte) {
    case 0x80:
        return u'\u20AC';
    case 0x85:
        return u'\u2026';
    case 0x91:
        return u'\u2018';
    case 0x92:
        return u'\u2019';
    case 0x93:
        return u'\u201C';
    case 0x94:
        return u'\u201D';
    case 0x95:
        return u'\u2022';
    case 0x96:
        return u'\u2013';
    case 0x97:
        return u'\u2014';
    case 0xA0:
        return u'\u00A0';
    default:
        return 0;
    }
}

std::optional<QString> strictUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QList<QByteArrayView> splitLines(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\n') {
            QByteArrayView line = bytes.sliced(start, i - start);
            if (line.endsWith('\r'))
                line.chop(1);
            if (i < bytes.size() || !line.isEmpty())
                lines << line;
            start = i + 1;
        }
    }
    return lines;
}

QStringList textLines(const QString &text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Characters a settings or name file has no business holding: control
// characters other than the tab, and what a decoder made of bytes it could
// not read.
bool holdsJunk(const QString &line) {
    return std::any_of(line.begin(), line.end(), [](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F ||
               c == QChar::ReplacementCharacter;
    });
}

// A line QSettings' INI reader reads alone: a comment, a section header
// closed on its line, or a key with its value, quotes closed.
bool readsAlone(const QString &line) {
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(u';') || text.startsWith(u'#'))
        return true;
    if (text.startsWith(u'['))
        return text.endsWith(u']') && text.count(u'[') == 1 && text.count(u']') == 1;
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0 || text.left(equals).contains(u'"'))
        return false;
    bool quoted = false;
    for (qsizetype i = equals + 1; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == u'"')
            quoted = !quoted;
    }
    return !quoted;
}

} // namespace

std::optional<QString> decodeThaiSingleByte(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    bool thai = false;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += QChar(byte);
        } else if (const char16_t mark = windowsPunctuation(byte)) {
            text += QChar(mark);
        } else if ((byte >= 0xA1 && byte <= 0xDA) || (byte >= 0xDF && byte <= 0xFB)) {
            text += QChar(char16_t(0x0E01 + (byte - 0xA1)));
            thai = true;
        } else {
            return std::nullopt;
        }
    }
    // Windows' punctuation alone is no sign of Thai.
    if (!thai && std::any_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return std::nullopt;
    return text;
}

DecodedText decodeTextFile(const QByteArray &bytes) {
    DecodedText decoded;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        decoded.lines = textLines(decoder.decode(QByteArrayView(bytes).sliced(2)));
    } else {
        QByteArrayView body(bytes);
        if (body.startsWith("\xEF\xBB\xBF"))
            body = body.sliced(3);
        if (const auto text = strictUtf8(body)) {
            decoded.lines = textLines(*text);
        } else if (const auto thai = decodeThaiSingleByte(body)) {
            decoded.lines = textLines(*thai);
            decoded.thaiSingleByte = true;
        } else {
            // Partly damaged: each line that reads is kept.
            int number = 0;
            for (QByteArrayView line : splitLines(body)) {
                ++number;
                if (const auto text = strictUtf8(line)) {
                    decoded.lines << *text;
                } else if (const auto lineThai = decodeThaiSingleByte(line)) {
                    decoded.lines << *lineThai;
                    decoded.thaiSingleByte = true;
                } else {
                    decoded.lines << QString();
                    decoded.badLines << number;
                }
            }
        }
    }
    for (qsizetype i = 0; i < decoded.lines.size(); ++i) {
        if (holdsJunk(decoded.lines[i])) {
            decoded.lines[i].clear();
            if (!decoded.badLines.contains(int(i + 1)))
                decoded.badLines << int(i + 1);
        }
    }
    std::sort(decoded.badLines.begin(), decoded.badLines.end());
    return decoded;
}

QString lineNumbers(const QList<int> &lines) {
    if (lines.size() == 1)
        return QStringLiteral("line %1").arg(lines.first());
    if (lines.size() == 2)
        return QStringLiteral("lines %1 and %2").arg(lines[0]).arg(lines[1]);
    return QStringLiteral("lines %1, %2 and %3 more")
        .arg(lines[0])
        .arg(lines[1])
        .arg(lines.size() - 2);
}

SettingsFileReader::SettingsFileReader(const QString &file) : file_(file) {
    QFile in(file);
    QByteArray bytes;
    if (in.open(QIODevice::ReadOnly))
        bytes = in.readAll();
    DecodedText decoded = decodeTextFile(bytes);
    for (qsizetype i = 0; i < decoded.lines.size(); ++i) {
        if (!decoded.lines[i].isEmpty() && !readsAlone(decoded.lines[i])) {
            decoded.lines[i].clear();
            decoded.badLines << int(i + 1);
        }
    }
    std::sort(decoded.badLines.begin(), decoded.badLines.end());
    cleaned_ = decoded.lines.join(QLatin1Char('\n')).toUtf8();
    if (!decoded.lines.isEmpty())
        cleaned_ += '\n';
    if (!decoded.badLines.isEmpty()) {
        problem_ =
            QStringLiteral("%1: %2 could not be read and %3 left out; the rest is read")
                .arg(file, lineNumbers(decoded.badLines),
                     decoded.badLines.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
        // Once a run: the settings are read again at every game.
        static QMutex mutex;
        static QSet<QString> told;
        const QMutexLocker lock(&mutex);
        if (!told.contains(problem_)) {
            told.insert(problem_);
            qWarning().noquote() << QStringLiteral("lumo3: settings file ") + problem_;
        }
    }
    const bool marked = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
                        bytes.startsWith("\xFE\xFF");
    if (decoded.badLines.isEmpty() && !decoded.thaiSingleByte && !marked) {
        settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
        return;
    }
    // QSettings reads files only: it reads a copy of what could be read.
    copy_ = std::make_unique<QTemporaryFile>();
    if (copy_->open()) {
        copy_->write(cleaned_);
        copy_->flush();
    }
    settings_ = std::make_unique<QSettings>(copy_->fileName(), QSettings::IniFormat);
}

} // namespace lumo
