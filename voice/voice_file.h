// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A whole voice in one file, to carry one teacher's recordings to every
// computer of a school: an SQLite database with one row per clip (its
// phrase's id and Thai text, and the WAV file), marked as ours by its
// application id.

#include "voice/voice_folders.h"

#include <QString>
#include <QStringList>

namespace lumo::voice {

/// The file name ending the teacher's window suggests.
inline const QString voiceFileSuffix = QStringLiteral(".lumo3voice");

/// Writes every phrase that has a clip (the teacher's own, else the
/// computer's or the program's) into `file`, replacing it. The number of
/// clips written, or -1 with `error`.
int exportVoice(const VoiceFolders &folders, const QString &file, QString *error = nullptr);

struct ImportReport {
    /// The file could not be read as a voice at all; nothing was kept.
    QString error;
    /// The phrases whose clips were kept as the teacher's own.
    QStringList kept;
    /// One line for each clip refused, saying which and why.
    QStringList refused;
};

/// Reads a voice written by exportVoice(): every clip is checked (a phrase
/// this program says, a WAV file it can play, no longer than a clip may
/// be) and kept in `ownFolder` in place of a clip of the same phrase; the
/// rest are refused, each named.
ImportReport importVoice(const QString &file, const QString &ownFolder);

} // namespace lumo::voice
