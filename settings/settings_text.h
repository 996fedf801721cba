// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Settings and class-list files as people make them: saved by a Windows
// editor as "ANSI" (Thai TIS-620), with a byte-order mark, or partly
// damaged. What can be read is read; the rest is named in one warning.

#include <QByteArray>
#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <memory>

namespace lumo {

/// Thai text in TIS-620 as Windows writes it (code page 874): the Thai
/// letters at 0xA1 to 0xFB, and Windows' few punctuation marks below 0xA1.
/// None when a byte is none of these.
std::optional<QString> decodeThaiSingleByte(QByteArrayView bytes);

/// A text file's lines: UTF-8 (with or without a byte-order mark), UTF-16
/// with a byte-order mark, or, when it is not valid UTF-8 but reads as
/// Thai, TIS-620. Lines that read as neither are left out and listed.
struct DecodedText {
    QStringList lines;
    /// 1-based numbers of the lines left out.
    QList<int> badLines;
    bool thaiSingleByte = false;
};
DecodedText decodeTextFile(const QByteArray &bytes);

/// "line 3", "lines 3 and 7", "lines 3, 7 and 2 more".
QString lineNumbers(const QList<int> &lines);

/// One settings file as the program reads it: decoded as above, with the
/// lines an INI reader would trip over left out (binary junk, a quote
/// never closed, a section header never closed), so that one damaged line
/// does not take the rest of the file with it. When anything was left out,
/// one warning names the file and the lines.
class SettingsFileReader {
  public:
    explicit SettingsFileReader(const QString &file);

    QSettings &settings() { return *settings_; }
    /// The file's own name, whatever is read.
    const QString &fileName() const { return file_; }
    /// The warning, or empty when the file read whole.
    const QString &problem() const { return problem_; }
    /// The text as read, when it is not the file's bytes as they are; the
    /// file is rewritten with it before the program writes to it.
    bool differs() const { return copy_ != nullptr; }
    QByteArray cleanedText() const { return cleaned_; }

  private:
    QString file_;
    QString problem_;
    QByteArray cleaned_;
    std::unique_ptr<QTemporaryFile> copy_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace lumo
