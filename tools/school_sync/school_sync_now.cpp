// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Sends this user's recorded games to the school's server now, as the game
// does in the background, and says how it went: for setting a server up
// and checking it. Exits 0 when everything recorded here is on the server.
//   lumo_school_sync [--folder DIR]
// With --set-up-server, run on the server by its superuser after
// server-setup.sql, it makes or updates the program's tables and functions
// there instead (as the owner role); exits 0 when they are up to date.
//   lumo_school_sync --set-up-server [--host H] [--port P] [--user U] [--database D]
#include "settings/server_settings.h"
#include "store/opening.h"
#include "sync/school_sync.h"
#include "sync/server_schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {
const char *stateName(lumo::sync::SyncStatus::State state) {
    using State = lumo::sync::SyncStatus::State;
    switch (state) {
    case State::Off:
        return "off (no server in the settings)";
    case State::Starting:
        return "not tried";
    case State::Sending:
        return "sending";
    case State::UpToDate:
        return "up to date";
    case State::Unreachable:
        return "server unreachable";
    case State::LoginRefused:
        return "login refused";
    case State::NotSetUp:
        return "server not set up";
    case State::SchemaTooNew:
        return "server schema newer than this program";
    case State::Interrupted:
        return "interrupted";
    case State::StoreUnusable:
        return "local store unusable";
    }
    return "?";
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("lumo3"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption folderOption(QStringLiteral("folder"),
                                          QStringLiteral("Store folder (default: this user's)."),
                                          QStringLiteral("dir"));
    parser.addOption(folderOption);
    const QCommandLineOption setUpOption(
        QStringLiteral("set-up-server"),
        QStringLiteral("Make or update the program's tables on the server (after "
                       "server-setup.sql), connecting as the server's superuser."));
    const QCommandLineOption hostOption(
        QStringLiteral("host"), QStringLiteral("With --set-up-server: host or socket folder."),
        QStringLiteral("host"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("With --set-up-server: port."),
                                        QStringLiteral("port"));
    const QCommandLineOption userOption(
        QStringLiteral("user"),
        QStringLiteral("With --set-up-server: user (default: the system user's name)."),
        QStringLiteral("user"));
    const QCommandLineOption databaseOption(
        QStringLiteral("database"), QStringLiteral("With --set-up-server: database (lumo3)."),
        QStringLiteral("database"), QStringLiteral("lumo3"));
    parser.addOptions({setUpOption, hostOption, portOption, userOption, databaseOption});
    parser.process(app);

    if (parser.isSet(setUpOption)) {
        // libpq's defaults fill in what is not given: the local socket, the
        // system user's name, and a password from ~/.pgpass if one is needed.
        lumo::ServerSettings admin;
        admin.host = parser.value(hostOption);
        admin.port = parser.value(portOption).toInt();
        admin.user = parser.value(userOption);
        admin.database = parser.value(databaseOption);
        const lumo::sync::ServerSchema schema =
            lumo::sync::setUpServer(admin, QStringLiteral(LUMO_VERSION));
        if (schema.kind != lumo::sync::ServerSchema::Kind::Ready) {
            std::fprintf(stderr, "The server was not set up: %s\n",
                         qPrintable(schema.detail.simplified()));
            return 1;
        }
        std::printf("The server's tables are at version %d (they were at %d).\n", schema.toVersion,
                    schema.fromVersion);
        return 0;
    }

    const QString folder =
        parser.isSet(folderOption) ? parser.value(folderOption) : lumo::store::defaultStoreFolder();
    const lumo::SettingsFiles files = lumo::SettingsFiles::standard();
    const lumo::ServerSettings server = lumo::readServerSettings(files);
    if (!server.enabled()) {
        std::fprintf(stderr, "No school server is set up: [server] host=... in %s or %s\n",
                     qPrintable(files.systemFile), qPrintable(files.userFile));
        return 2;
    }
    lumo::sync::SchoolSync sync(folder, server);
    sync.start();
    sync.waitUntilIdle(120000);
    const lumo::sync::SyncStatus status = sync.status();
    std::printf("store:   %s\nserver:  %s\nstate:   %s\n",
                qPrintable(lumo::store::storeFilePath(folder)), qPrintable(status.server),
                stateName(status.state));
    if (!status.detail.isEmpty())
        std::printf("detail:  %s\n", qPrintable(status.detail.simplified()));
    std::printf("waiting: %d games, %d answers, %d deletions\n", status.waiting.games,
                status.waiting.answers, status.waiting.deletions);
    return status.upToDate() ? 0 : 1;
}
