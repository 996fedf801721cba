// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Collects the warnings that go to standard error while it lives, and
// passes every message on to the handler that was there before.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lumo::test {

class WarningLog {
  public:
    WarningLog() : previous_(qInstallMessageHandler(&WarningLog::handle)) { current() = this; }
    ~WarningLog() {
        current() = nullptr;
        qInstallMessageHandler(previous_);
    }
    WarningLog(const WarningLog &) = delete;
    WarningLog &operator=(const WarningLog &) = delete;

    /// The warnings so far, in order.
    const QStringList &warnings() const { return warnings_; }

    /// How many warnings mention `text`.
    int mentioning(const QString &text) const {
        int n = 0;
        for (const QString &warning : warnings_)
            n += warning.contains(text) ? 1 : 0;
        return n;
    }

  private:
    static WarningLog *&current() {
        static WarningLog *log = nullptr;
        return log;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message) {
        WarningLog *log = current();
        if (!log)
            return;
        if (type == QtWarningMsg)
            log->warnings_.append(message);
        if (log->previous_)
            log->previous_(type, context, message);
    }

    QtMessageHandler previous_;
    QStringList warnings_;
};

} // namespace lumo::test
