// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumo::demo {

/// Records a few games of two children through the recorder, as the game
/// would: different mistakes for each, and every way a game can end.
/// `extraNames` each get one short game too.
void recordSampleGames(const QString &folder, const QStringList &extraNames = {});

} // namespace lumo::demo
