// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace lumo {

CommandLine readCommandLine(const QApplication &app) {
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMO_VERSION));
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Counting and adding with big brother Piko"));
    const QCommandLineOption help = options.addHelpOption();
    const QCommandLineOption version = options.addVersionOption();
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"),
                                        QStringLiteral("Start in fullscreen (F11 toggles it)."));
    const QCommandLineOption results(
        QStringLiteral("results"),
        QStringLiteral("Open only the teacher's window with the recorded games."));
    options.addOption(fullScreen);
    options.addOption(results);
    // Written to standard output on every system: Qt for Windows shows them
    // in a message box when the program has no console (platform/console.h).
    if (options.parse(app.arguments()) && (options.isSet(help) || options.isSet(version))) {
        const QString text = options.isSet(help)
                                 ? options.helpText()
                                 : QCoreApplication::applicationName() + u' ' +
                                       QCoreApplication::applicationVersion() + u'\n';
        std::fputs(text.toLocal8Bit().constData(), stdout);
        std::exit(EXIT_SUCCESS);
    }
    options.process(app);
    return {options.isSet(fullScreen), options.isSet(results)};
}

} // namespace lumo
