// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the store tests use to break files and folders and to look at them.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <unistd.h>

namespace lumo::store::test {

/// Root ignores file permissions: a read-only folder is only read-only to
/// the program while the test plays as an ordinary user (nobody) for a while.
class OrdinaryUser {
  public:
    explicit OrdinaryUser(bool wanted) {
        if (wanted && geteuid() == 0)
            active_ = setegid(65534) == 0 && seteuid(65534) == 0;
    }
    ~OrdinaryUser() {
        if (active_ && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot return to root");
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

  private:
    bool active_ = false;
};

/// A file's bytes, empty if it cannot be read.
inline QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace lumo::store::test
