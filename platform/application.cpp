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

void setUpApplication(QApplication &app)
{
    // Qt draws text larger than 64 pixels as outlines, anew at every paint;
    // on a large screen every caption is that large. Keep its glyphs as
    // pictures instead, as for small text (read before anything is painted).
    if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE"))
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", "512");
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
