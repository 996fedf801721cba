// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the outside world: scripted chance, a fixed clock, dialogs
// that answer at once, and a picture folder of the test's choosing.

#include "app/screen_flow.h"
#include "platform/application.h"
#include "platform/services.h"

#include <QApplication>
#include <QRect>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <random>

namespace lumo::test {

class FakeServices : public Services {
  public:
    /// Values that random() hands out first, in order; after them a seeded
    /// generator takes over.
    std::deque<double> scriptedRandoms;
    std::mt19937 engine{12345};
    int seedCount = 0;
    int randomCalls = 0;

    QDateTime fixedNow{QDate(2026, 12, 7), QTime(14, 5, 9)};
    QLocale fixedLocale{QLocale::Thai, QLocale::Thailand};

    /// Answers for the name prompt, in order; a missing answer means the
    /// prompt was accepted with its default.
    std::deque<QString> promptAnswers;
    struct PromptCall {
        QString text, title, defaultAnswer;
        /// The names offered to pick from.
        QStringList choices;
    };
    std::vector<PromptCall> prompts;
    QStringList messages;
    /// Runs while a message box would be open (timers may tick then).
    std::function<void()> duringMessage;

    QString folder = QStringLiteral(LUMO_SOURCE_DIR "/assets");
    int endCount = 0;

    /// Settings in a folder of their own, with the windows at the layout's
    /// design size (scale 1) unless a test says otherwise.
    QTemporaryDir settingsFolder;
    QSettings settingsFile{settingsFolder.filePath(QStringLiteral("lumo3.conf")),
                           QSettings::IniFormat};
    FakeServices() {
        settingsFile.setValue(QStringLiteral("window/geometry"), QRect(0, 0, 793, 593));
    }
    QSettings &settings() override { return settingsFile; }

    void seedFromClock() override { ++seedCount; }
    double random() override {
        ++randomCalls;
        if (!scriptedRandoms.empty()) {
            const double r = scriptedRandoms.front();
            scriptedRandoms.pop_front();
            return r;
        }
        return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
    }
    QDateTime now() const override { return fixedNow; }
    QLocale locale() const override { return fixedLocale; }
    QString prompt(QWidget *, const QString &text, const QString &title,
                   const QString &defaultAnswer, const QStringList &choices) override {
        prompts.push_back({text, title, defaultAnswer, choices});
        if (promptAnswers.empty())
            return defaultAnswer;
        const QString answer = promptAnswers.front();
        promptAnswers.pop_front();
        return answer;
    }
    void message(QWidget *, const QString &text) override {
        messages.append(text);
        if (duringMessage)
            duringMessage();
    }
    QString programFolder() const override { return folder; }
    void endProgram() override { ++endCount; }

    /// The random value that makes a group show `count` pictures.
    static double sizeDraw(int count) { return (count - 1 - 1 + 0.5) / 14.0; }
    /// The random value that draws picture number `number`.
    static double pictureDraw(int number) { return (number - 1 + 0.5) / 30.0; }
};

/// The program as main() puts it together, on fake services.
struct TestProgram {
    FakeServices services;
    ScreenFlow screens{services};
    Form1 &start = screens.start;
    Form2 &quiz = screens.quiz;
    ScreenHost &host = screens.host;

    /// Opens the quiz directly, as the start screen's second host click does.
    void openQuiz(const QString &name = QStringLiteral("ต้น")) { quiz.show(name); }
};

} // namespace lumo::test
