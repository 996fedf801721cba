// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the store tests use to break files and folders and to look at them.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace lumo::store::test {

/// Whether a folder whose write permissions are taken away stops this
/// process from writing in it. Not on Windows: there QFile::setPermissions
/// sets only the read-only attribute, which folders ignore.
#ifdef Q_OS_WIN
inline constexpr bool foldersCanBeMadeReadOnly = false;
#else
inline constexpr bool foldersCanBeMadeReadOnly = true;
#endif

/// Root ignores file permissions: a read-only folder is only read-only to
/// the program while the test plays as an ordinary user (nobody) for a while.
class OrdinaryUser {
  public:
    explicit OrdinaryUser([[maybe_unused]] bool wanted) {
#ifndef Q_OS_WIN
        if (wanted && geteuid() == 0)
            active_ = setegid(65534) == 0 && seteuid(65534) == 0;
#endif
    }
    ~OrdinaryUser() {
#ifndef Q_OS_WIN
        if (active_ && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot return to root");
#endif
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
