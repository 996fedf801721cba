// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumo {

/// Lets the program write its --help, --version and warnings to the console
/// it was started from. A Windows program with windows of its own has no
/// console: it takes its parent's (cmd, PowerShell) when there is one, and
/// writes to its standard output when that is a file or a pipe. Nothing to
/// do elsewhere. Call first thing in main().
void useParentConsole();

} // namespace lumo
