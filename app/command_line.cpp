// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QApplication>
#include <QCommandLineParser>

namespace lumo {

CommandLine readCommandLine(const QApplication &app) {
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMO_VERSION));
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Counting and adding with big brother Piko"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"),
                                        QStringLiteral("Start in fullscreen (F11 toggles it)."));
    const QCommandLineOption results(
        QStringLiteral("results"),
        QStringLiteral("Open only the teacher's window with the recorded games."));
    options.addOption(fullScreen);
    options.addOption(results);
    options.process(app);
    return {options.isSet(fullScreen), options.isSet(results)};
}

} // namespace lumo
