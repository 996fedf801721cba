// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumo {

/// The computer has somewhere to play sounds. When it has none, the first
/// call says so in one warning: the game is then silent.
bool soundOutputPresent();

} // namespace lumo
