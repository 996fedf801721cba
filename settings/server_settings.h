// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_files.h"

#include <QString>
#include <QStringList>

namespace lumo {

/// Where a school's PostgreSQL server is, from the [server] group of the
/// same two files as the class settings (the user's keys win). The password
/// is never kept here: libpq finds it in the user's ~/.pgpass (or the file
/// PGPASSFILE names) or in the connection service named by `service`.
struct ServerSettings {
    static constexpr int defaultPort = 5432;
    static inline const QString defaultName = QStringLiteral("lumo3");

    /// A name or an address; empty, with no service either: no server (the default).
    QString host;
    /// 0: the service's (or libpq's default).
    int port = defaultPort;
    /// Empty: the service's.
    QString database = defaultName;
    /// Empty: the service's.
    QString user = defaultName;
    /// A service of pg_service.conf (on Debian /etc/postgresql-common/, or
    /// ~/.pg_service.conf, or the file PGSERVICEFILE names). Keys given
    /// above win over the service's; a key that neither file sets is left to
    /// the service when there is one.
    QString service;
    /// The teacher's window reads the server as a user of its own, whose
    /// password only the teacher's account keeps (its ~/.pgpass, or this
    /// service in its ~/.pg_service.conf); host, port and database as above.
    QString teacherUser = QStringLiteral("lumo3_teacher");
    QString teacherService;

    /// The same server as the teacher's user.
    ServerSettings forTeacher() const;

    bool enabled() const { return !host.isEmpty() || !service.isEmpty(); }
    /// "host:port/database", or the service's name, for messages.
    QString place() const;

    bool operator==(const ServerSettings &) const = default;
};

/// The server settings in force; a bad port or a password key is named in
/// `problems` and in one warning each.
ServerSettings readServerSettings(const SettingsFiles &files, QStringList *problems = nullptr);
/// What the computer's file alone gives.
ServerSettings readSystemServerSettings(const SettingsFiles &files);
/// Saves them as the user's own, leaving out what equals the computer's.
bool writeServerSettings(const SettingsFiles &files, const ServerSettings &settings);

} // namespace lumo
