// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A clip as the game plays and keeps it: a WAV file of 16-bit PCM, one or
// two channels, 8 to 48 kHz, at most 15 seconds long. Clips that come from
// outside (an imported voice) are read and checked before they are kept,
// and kept as written here.

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <optional>

namespace lumo {

/// The longest clip kept, and so the longest a recording may last.
inline constexpr int longestClipMs = 15000;

struct Clip {
    QAudioFormat format;
    /// The samples, 16-bit, interleaved.
    QByteArray pcm;
    int milliseconds() const;
};

/// The clip in `wav`, or none with `problem` saying why in Thai: not a WAV
/// file, cut short, not 16-bit PCM, empty or too long.
std::optional<Clip> readClip(const QByteArray &wav, QString *problem = nullptr);
/// The same from a file or a resource; a file that cannot be read is no clip.
std::optional<Clip> readClipFile(const QString &file, QString *problem = nullptr);

/// How long the clip in the WAV file `file` plays, read from its header;
/// -1 when it is no WAV file.
int clipFileMilliseconds(const QString &file);

/// The WAV file of a clip of 16-bit samples.
QByteArray writeClip(const QAudioFormat &format, const QByteArray &pcm);

/// Writes `wav` to `file` whole or not at all, making its folder; false
/// with `error` if it could not be written.
bool saveClipFile(const QString &file, const QByteArray &wav, QString *error = nullptr);

} // namespace lumo
