// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "platform/places.h"
#include "settings/teacher_pin.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lumo {

namespace {

QCommandLineOption hashPinOption() {
    // The file named as this system has it (C:\ProgramData\... on Windows).
    return QCommandLineOption(
        QStringLiteral("hash-pin"),
        QStringLiteral("Print the lines that set PIN as the teacher's PIN, for the computer's "
                       "settings file (%1), and end.")
            .arg(QDir::toNativeSeparators(systemSettingsFile())),
        QStringLiteral("PIN"));
}

} // namespace

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
    // Handled by runHashPin() before this; listed by --help.
    options.addOption(hashPinOption());
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

std::optional<int> runHashPin(int argc, char *argv[]) {
    const bool asked = std::any_of(argv + 1, argv + argc, [](const char *argument) {
        return std::strncmp(argument, "--hash-pin", 10) == 0;
    });
    if (!asked)
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    const QCommandLineOption hashPin = hashPinOption();
    options.addOption(hashPin);
    options.process(app);
    const QString pin = options.value(hashPin);
    if (!isAcceptablePin(pin)) {
        std::fprintf(stderr, "lumo3: a PIN has %d to %d characters and no space at either end\n",
                     shortestPin, longestPin);
        return EXIT_FAILURE;
    }
    const QString hash = lumo::hashPin(pin);
    if (hash.isEmpty()) {
        std::fputs("lumo3: the system gave no random salt for the PIN's hash\n", stderr);
        return EXIT_FAILURE;
    }
    std::fputs(pinSettingsLines(hash).toUtf8().constData(), stdout);
    return EXIT_SUCCESS;
}

} // namespace lumo
