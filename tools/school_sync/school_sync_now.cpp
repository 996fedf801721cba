// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Sends this user's recorded games to the school's server now, as the game
// does in the background, and says how it went: for setting a server up
// and checking it. Exits 0 when everything recorded here is on the server.
//   lumo_school_sync [--folder DIR]
#include "settings/server_settings.h"
#include "store/opening.h"
#include "sync/school_sync.h"

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
    parser.process(app);

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
