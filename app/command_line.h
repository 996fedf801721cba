// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace lumo {

/// What the program was asked for on its command line.
struct CommandLine {
    /// Start the game in fullscreen.
    bool fullScreen = false;
    /// Open only the teacher's window (the desktop entry's action).
    bool results = false;
};

/// Reads the command line; --help and unknown options end the program
/// with their message, as QCommandLineParser does. So does --hash-pin PIN,
/// which prints the lines that set the teacher's PIN in a settings file
/// (its section header included, nothing else), or why the PIN cannot be
/// one on standard error.
CommandLine readCommandLine(const QApplication &app);

} // namespace lumo
