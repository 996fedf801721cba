// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

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
/// with their message, as QCommandLineParser does.
CommandLine readCommandLine(const QApplication &app);

/// `lumo3 --hash-pin PIN`, before any window system is needed (an IT
/// person's shell may have none): prints the lines that set the teacher's
/// PIN in a settings file, its section header included and nothing else,
/// or why the PIN cannot be one on standard error; the program's exit
/// code. None when the command line asks for something else.
std::optional<int> runHashPin(int argc, char *argv[]);

} // namespace lumo
