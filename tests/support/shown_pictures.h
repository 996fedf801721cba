// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Comparing what a picture control shows with the picture file it should
// show, both brought to one pixel format.

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace lumo::test {

/// The image that a picture control shows.
inline QImage shownImage(const QLabel *picture) {
    return picture->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

/// A picture file as Qt's own readers see it; of an icon's sizes, the 32x32
/// one that the unscaled game shows (the largest when there is none).
inline QImage fileImage(const QString &path) {
    QImageReader reader(path);
    QImage best = reader.read();
    for (int i = 1;
         i < reader.imageCount() && reader.jumpToImage(i) && best.size() != QSize(32, 32); ++i) {
        const QImage next = reader.read();
        if (next.size() == QSize(32, 32) ||
            next.width() * next.height() > best.width() * best.height())
            best = next;
    }
    return best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace lumo::test
