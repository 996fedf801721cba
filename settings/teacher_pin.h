// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The teacher's PIN, which locks the teacher's window and every deletion.
// Only a salted, slow hash of it is kept (PBKDF2-HMAC-SHA256 by OpenSSL):
// "pbkdf2-sha256$<iterations>$<salt>$<hash>", salt and hash in URL-safe
// base64. The computer's settings file, set up by the school's IT person,
// wins over the user's.

#include "settings/settings_files.h"

#include <QString>

#include <optional>

namespace lumo {

/// About 0.3 s on a school's two-core computer: slow for anyone trying
/// PINs one after another, unnoticed by a teacher typing one.
constexpr int pinIterations = 1'000'000;
constexpr int shortestPin = 4;
constexpr int longestPin = 32;

/// Whether a PIN may be set: 4 to 32 characters, no space at either end.
bool isAcceptablePin(const QString &pin);

/// A new salted hash of the PIN; empty if the system gave no random salt.
QString hashPin(const QString &pin, int iterations = pinIterations);
/// Whether the PIN is the one `hash` was made from; the hashes are compared
/// in constant time. False for anything that is not such a hash.
bool pinMatches(const QString &pin, const QString &hash);
/// Whether the text has the form of a hash this program makes.
bool isPinHash(const QString &text);

struct TeacherPin {
    QString hash;
    /// Set by the school's IT person for every user of the computer: it
    /// cannot be changed or removed from the teacher's window.
    bool computerWide = false;
};

/// The PIN in force, if any. A `pin` key that holds no hash this program
/// made counts as none, with a warning (and a line in `problems`).
std::optional<TeacherPin> readTeacherPin(const SettingsFiles &files,
                                         QStringList *problems = nullptr);
/// Keeps `hash` as the user's PIN, or removes the user's PIN when it is
/// empty; false if the file could not be written.
bool writeTeacherPin(const SettingsFiles &files, const QString &hash);

/// The lines to add to a settings file, its section header included.
QString pinSettingsLines(const QString &hash);

} // namespace lumo
