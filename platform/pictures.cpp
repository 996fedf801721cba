// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictures.h"

#include <QHash>
#include <QSet>
#include <QtDebug>

namespace lumo {

Artwork builtInArtwork(const QString &resource) {
    // The program's own pictures never change while it runs: read each once.
    // An artwork holds images, not pixmaps, so these may outlive the
    // application object.
    static QHash<QString, Artwork> builtIn;
    auto found = builtIn.find(resource);
    if (found == builtIn.end()) {
        QString error;
        found = builtIn.insert(resource, Artwork::read(resource, &error));
        if (found->isNull())
            qWarning().noquote()
                << QStringLiteral("Built-in picture %1 is missing (%2)").arg(resource, error);
    }
    return found.value();
}

Artwork loadArtwork(const QString &path, const QString &fallback) {
    QString error;
    Artwork artwork = Artwork::read(path, &error);
    if (!artwork.isNull())
        return artwork;

    static QSet<QString> warned;
    if (!warned.contains(path)) {
        warned.insert(path);
        qWarning().noquote()
            << QStringLiteral(
                   "Cannot read the picture %1 (%2); showing a built-in picture instead.")
                   .arg(path, error);
    }
    return builtInArtwork(fallback);
}

} // namespace lumo
