// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/artwork.h"

#include <QString>

namespace lumo {

/// Reads a picture file. A file that cannot be read is not an error for the
/// game: the built-in picture `fallback` (a resource path) stands in for it,
/// and the first time a file fails one warning naming it and the reason goes
/// to standard error.
Artwork loadArtwork(const QString &path, const QString &fallback);

/// One of the program's own pictures (a resource path such as
/// ":/pictures/host.gif"), read from the resources once per run.
Artwork builtInArtwork(const QString &resource);

} // namespace lumo
