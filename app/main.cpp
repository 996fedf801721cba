// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "app/program.h"
#include "platform/application.h"
#include "platform/console.h"
#include "platform/services.h"
#include "platform/warm_up.h"
#include "teacher/dialogs.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    lumo::useParentConsole();
    if (const auto done = lumo::runHashPin(argc, argv))
        return *done;
    const lumo::StartUpWarming warming;
    QApplication app(argc, argv);
    // Also names the folders of the results and the settings.
    lumo::setUpApplication(app);
    const lumo::CommandLine commandLine = lumo::readCommandLine(app);
    if (commandLine.results)
        return lumo::runTeacherWindowAlone(app);

    lumo::RealServices services;
    lumo::teacher::RealTeacherDialogs dialogs;
    lumo::Program program(services, lumo::ProgramFolders::standard(), dialogs);
    program.start(commandLine.fullScreen);
    return app.exec();
}
