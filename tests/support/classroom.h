// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The whole program as main() puts it together (the screens, the class
// settings, the recording of results, the teacher's window) on the fake
// services, with its results store and settings files in a temporary
// folder of its own: real SQLite files, real settings files.

#include "fakes/playing.h"

#include "app/program.h"
#include "platform/controls.h"
#include "teacher/dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace lumo::test {

/// The teacher's window's dialogs, answered at once.
class FakeTeacherDialogs : public teacher::TeacherDialogs {
  public:
    QString saveFileName(QWidget *, const QString &) override { return {}; }
    bool confirm(QWidget *, const QString &) override { return false; }
    void inform(QWidget *, const QString &text) override { told << text; }
    QStringList told;
};

/// A computer's folders: the results store and the computer's and the
/// user's settings files, none of which exists until written.
class RoomFolders {
  public:
    QString store() const { return dir_.filePath(QStringLiteral("results")); }
    SettingsFiles settings() const {
        return {dir_.filePath(QStringLiteral("etc/xdg/lumo3/lumo3.conf")),
                dir_.filePath(QStringLiteral("home/.config/lumo3/lumo3.conf"))};
    }
    ProgramFolders folders() const { return {store(), settings()}; }
    QString path() const { return dir_.path(); }

    static void write(const QString &file, const QByteArray &text) {
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(text);
    }

  private:
    QTemporaryDir dir_;
};

/// A store that answers quickly when it is locked, so that tests do not wait.
inline store::RecorderOptions quickRecorder() {
    store::RecorderOptions options;
    options.store.busyTimeoutMs = 50;
    options.retryIntervalMs = 50;
    return options;
}

struct Classroom {
    explicit Classroom(const ProgramFolders &folders,
                       const store::RecorderOptions &options = quickRecorder())
        : program(services, folders, dialogs, options) {}

    /// From the start screen into the quiz: the host clicked, the name
    /// answered, the host clicked again.
    void enterQuiz(const QString &name) {
        if (!start.isOpen())
            start.show();
        services.promptAnswers.push_back(name);
        start.Im1_Click();
        start.Im1_Click();
    }

    /// The next question with the given row sizes, `ticks` seconds on the
    /// clock, the slots filled by `answer`, then checked and cleared.
    template <typename Answer>
    void playQuestion(const QList<int> &sizes, int ticks, Answer &&answer) {
        scriptQuestion(services, sizes);
        quiz.Cm4->click();
        for (int i = 0; i < ticks; ++i)
            quiz.Timer1_Timer();
        answer(quiz);
        quiz.Cm3->click();
        runClearing(quiz);
    }

    FakeServices services;
    FakeTeacherDialogs dialogs;
    Program program;
    Form1 &start = program.screens.start;
    Form2 &quiz = program.screens.quiz;
    ScreenHost &host = program.screens.host;
};

} // namespace lumo::test
