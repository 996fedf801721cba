// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumo::demo {

/// The class list of the sample class: five children, one of whom has not
/// played yet.
QStringList sampleClassList();

/// Records a few games of the sample class through the recorder, as the
/// game would: different mistakes for each child, every way a game can end
/// (one child leaving early, one game cut off by a power cut), and one
/// child who typed a short name instead of picking the listed one.
/// `extraNames` each get one short game too.
void recordSampleGames(const QString &folder, const QStringList &extraNames = {});

} // namespace lumo::demo
