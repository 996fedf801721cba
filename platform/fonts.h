// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumo {

/// Maps the font families of the layout data to installed families that
/// render Thai, so that no text shows boxes and widths match on every machine.
/// Call before any widget exists.
void installFontSubstitutions();

} // namespace lumo
