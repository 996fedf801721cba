// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What each role may do on the school's server, made with the tables: the
// computers hand in games and answers and bin or restore their own games,
// the teacher reads every game and bins or restores any, each only through
// the functions below (SECURITY DEFINER, owned by the owner role, with a
// search path of their own); nobody else may run them.

#include <QString>
#include <QStringList>

namespace lumo::sync {

/// Owns the schema, its tables and its functions; logs in for nobody. The
/// set-up takes this role to make and migrate the tables.
inline const QString ownerRole = QStringLiteral("lumo3_owner");
/// What every computer logs in as.
inline const QString computersRole = QStringLiteral("lumo3");
/// What the teacher's window logs in as (or a role that is a member of it).
inline const QString teacherRole = QStringLiteral("lumo3_teacher");

/// The functions and rights that come with schema version `version`.
QStringList serverFunctionStatements(int version);

} // namespace lumo::sync
