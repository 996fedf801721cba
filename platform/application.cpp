// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/application.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFont>
#include <QPixmapCache>
#include <QStyleFactory>

namespace lumo {

void setUpApplication(QApplication &app) {
    // Text larger than 64 pixels stays drawn as outlines, as Qt draws it:
    // raising QT_MAX_CACHED_GLYPH_SIZE to keep such glyphs as pictures
    // leaves the raster engine drawing nothing at all for them.
    installFontSubstitutions();
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pointsToPixels(8.25));
    app.setFont(font);
    app.setQuitOnLastWindowClosed(false);
    // Every opening of a screen makes new palettes and button pictures, and
    // the style caches drawings under keys that include them: keep that cache
    // small so that many games in one run do not pile up old drawings.
    QPixmapCache::setCacheLimit(2048);
    app.setApplicationName(QStringLiteral("lumo3"));
}

} // namespace lumo
