// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumo::voice {

/// Where ปิโก's clips are looked for, "<id>.wav" in a folder per language.
/// A clip in the teacher's own recordings wins over the computer's, which
/// wins over the one beside the program; a clip in none of them is not
/// said. An empty folder name is no folder.
struct VoiceFolders {
    /// What the teacher recorded in the teacher's window.
    QString own;
    /// One voice for every user of a computer, set up beside the computer's
    /// settings file.
    QString computer;
    /// Beside the program, as its pictures are.
    QString program;

    enum class Source { None, Own, Computer, Program };

    /// The file of the clip `id` and where it came from; empty when no
    /// folder has it.
    QString clipFile(const QString &id, Source *from = nullptr) const;
    /// The file the teacher's own recording of `id` is kept in.
    QString ownFile(const QString &id) const;

    /// The voice folders of a program whose user keeps data in
    /// `dataFolder` (with the results), whose computer's settings file is
    /// `systemSettingsFile` and which runs from `programFolder`: each with
    /// "voice/th" added.
    static VoiceFolders beside(const QString &dataFolder, const QString &systemSettingsFile,
                               const QString &programFolder);
};

} // namespace lumo::voice
