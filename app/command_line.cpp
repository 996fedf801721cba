// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "settings/teacher_pin.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

namespace lumo {

CommandLine readCommandLine(const QApplication &app) {
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Counting and adding with big brother Piko"));
    options.addHelpOption();
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"),
                                        QStringLiteral("Start in fullscreen (F11 toggles it)."));
    const QCommandLineOption results(
        QStringLiteral("results"),
        QStringLiteral("Open only the teacher's window with the recorded games."));
    const QCommandLineOption hashPin(
        QStringLiteral("hash-pin"),
        QStringLiteral("Print the lines that set PIN as the teacher's PIN, for the computer's "
                       "settings file (/etc/xdg/lumo3/lumo3.conf), and end."),
        QStringLiteral("PIN"));
    options.addOption(fullScreen);
    options.addOption(results);
    options.addOption(hashPin);
    options.process(app);
    if (options.isSet(hashPin)) {
        const QString pin = options.value(hashPin);
        if (!isAcceptablePin(pin)) {
            std::fprintf(stderr,
                         "lumo3: a PIN has %d to %d characters and no space at either end\n",
                         shortestPin, longestPin);
            std::exit(EXIT_FAILURE);
        }
        const QString hash = lumo::hashPin(pin);
        if (hash.isEmpty()) {
            std::fputs("lumo3: the system gave no random salt for the PIN's hash\n", stderr);
            std::exit(EXIT_FAILURE);
        }
        std::fputs(pinSettingsLines(hash).toUtf8().constData(), stdout);
        std::exit(EXIT_SUCCESS);
    }
    return {options.isSet(fullScreen), options.isSet(results)};
}

} // namespace lumo
