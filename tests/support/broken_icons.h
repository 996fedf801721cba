// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Program folders whose "icon" folder is broken in one way or another, for
// tests of what the game does with picture files it cannot read.

#include "support/shown_pictures.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QStringList>

namespace lumo::test {

enum class Breakage {
    NoIconFolder,  // the program folder has no "icon" folder at all
    IconIsAFile,   // "icon" is a file, not a folder
    Missing,       // the icon folder is empty
    Empty,         // every picture file has 0 bytes
    CutInHalf,     // every picture file ends halfway through
    CorruptBytes,  // the right signature, then bytes that make no picture
    FolderInPlace, // a folder stands where each picture file should be
    Unreadable,    // the files are there but may not be read
};

/// Every picture file that the game reads from its icon folder.
inline QStringList pictureFileNames() {
    QStringList names;
    for (int n = 1; n <= 30; ++n)
        names << QStringLiteral("%1.ico").arg(n);
    names << QStringLiteral("c01.gif") << QStringLiteral("c04.gif") << QStringLiteral("a01.gif")
          << QStringLiteral("a02.gif");
    return names;
}

/// Builds the icon folder inside `programFolder` broken the given way, from
/// the game's own picture files in `goodIcons`. Returns an empty text or what went wrong.
inline QString makeBrokenIconFolder(const QString &programFolder, const QString &goodIcons,
                                    Breakage how) {
    QDir program(programFolder);
    if (how == Breakage::NoIconFolder)
        return {};
    if (how == Breakage::IconIsAFile) {
        QFile file(program.filePath(QStringLiteral("icon")));
        return file.open(QIODevice::WriteOnly) && file.write("not a folder") > 0
                   ? QString()
                   : file.errorString();
    }
    if (!program.mkdir(QStringLiteral("icon")))
        return QStringLiteral("cannot make the icon folder");
    const QDir icon(program.filePath(QStringLiteral("icon")));
    for (const QString &name : pictureFileNames()) {
        const QString path = icon.filePath(name);
        if (how == Breakage::Missing)
            continue;
        if (how == Breakage::FolderInPlace) {
            if (!icon.mkdir(name))
                return QStringLiteral("cannot make the folder %1").arg(path);
            continue;
        }
        QFile good(QDir(goodIcons).filePath(name));
        if (!good.open(QIODevice::ReadOnly))
            return good.errorString();
        QByteArray bytes = good.readAll();
        switch (how) {
        case Breakage::Empty:
            bytes.clear();
            break;
        case Breakage::CutInHalf:
            bytes.truncate(bytes.size() / 2);
            break;
        case Breakage::CorruptBytes:
            // The signature stays, so the file still looks like a GIF or an icon.
            for (qsizetype i = 6; i < bytes.size(); ++i)
                bytes[i] = char(bytes[i] ^ 0x5A);
            break;
        default:
            break;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return file.errorString();
        file.close();
        if (how == Breakage::Unreadable && !file.setPermissions(QFileDevice::Permissions()))
            return QStringLiteral("cannot take the read permission from %1").arg(path);
    }
    return {};
}

/// A picture as the game's built-in resources hold it; of an icon's sizes, the largest.
inline QImage builtInPicture(const QString &resource) {
    return fileImage(resource);
}

} // namespace lumo::test
