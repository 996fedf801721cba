// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace lumo {

/// Maps the font families of the layout data to installed families that
/// render Thai, so that no text shows boxes and widths match on every machine:
/// Debian's Thai fonts on Linux, Windows' own (Microsoft Sans Serif, Tahoma,
/// Leelawadee UI) on Windows. Call before any widget exists.
void installFontSubstitutions();

/// A font of a family of the layout data. Only outline fonts are taken: on
/// Windows "MS Sans Serif" is a bitmap font that neither scales with the
/// window nor has Thai, and its substitutes stand in for it.
QFont layoutFont(const QString &family);

} // namespace lumo
