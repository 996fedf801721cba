// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A real PostgreSQL server for one test program: initdb into a temporary
// folder, listening only on a unix socket in that folder (no TCP at all),
// set up with the README's script, and stopped and removed at the end. When
// the tests run as root, the server runs as the "postgres" account that
// Debian's package makes; it dies with the test program in any case.

#include "settings/server_settings.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace lumo::sync::test {

class TestServer {
  public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    /// initdb, start, and the README's set-up with the password given to
    /// the program's user; false with error() if any step failed.
    bool setUp();
    QString error() const { return error_; }

    /// Drops the database and the roles and sets them up again as the
    /// README says: server-setup.sql, the two passwords, and (with
    /// `tables`) the program's set-up of its tables.
    bool resetDatabase(bool tables = true);
    /// The program's set-up of its tables, as the superuser.
    bool setUpTables();

    bool start();
    bool isRunning() const { return postgres_ && postgres_->state() != QProcess::NotRunning; }
    /// A fast shutdown, as when the server is switched off properly.
    bool stop();
    /// The server and every process of it killed at once, as by a power cut.
    bool kill();
    /// Every process of the server stopped (SIGSTOP) or let go on: a server
    /// that takes connections and statements and never answers.
    bool pause();
    bool resume();

    /// Runs SQL as the server's superuser in the program's database; the
    /// rows come back one a line, columns separated by '|'.
    bool admin(const QString &sql, QString *output = nullptr);
    /// Runs psql's script file as the superuser, starting in `database`.
    bool runScript(const QString &file, const QString &database = QStringLiteral("postgres"));

    /// Settings that reach the server through its socket, as the computers' user.
    ServerSettings settings() const;
    /// The same as the server's superuser.
    ServerSettings adminSettings() const;
    /// Writes the password file that libpq reads (PGPASSFILE), for the
    /// computers' user and the teacher's (the same password unless given);
    /// none: an empty file.
    void usePassword(const QString &password, const std::optional<QString> &teacher = {});
    QString rightPassword() const { return QStringLiteral("Lumo-test-1'\\"); }
    QString teacherPassword() const { return QStringLiteral("Lumo-teacher-2:\\"); }
    /// Writes a connection service file (PGSERVICEFILE) with one service.
    void useService(const QString &name, const QString &lines);

  private:
    QString bin(const QString &program) const;
    bool runAsServerUser(const QString &program, const QStringList &arguments);
    bool psql(const QStringList &arguments, QString *output);

    QTemporaryDir dir_;
    QString bin_;
    bool asRoot_ = false;
    std::unique_ptr<QProcess> postgres_;
    QString error_;
};

} // namespace lumo::sync::test
