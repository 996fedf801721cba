// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <memory>

namespace lumo {

/// Every image that one picture has, so that it can be drawn sharp at any
/// size: all the images of an icon file, or a single-image file (GIF, PNG)
/// together with its larger variants beside it, named like Qt's own: for
/// `c01.gif` the files `c01@2x.gif`, `c01@3x.gif` and `c01@4x.gif`.
///
/// The base file decides what the picture shows: a variant is used only when
/// it is exactly 2, 3 or 4 times the base file's size and, scaled down, looks
/// like the base file, so that a picture replaced without its variants never
/// shows the old one on a large screen.
///
/// The sizes are read when the artwork is made, and the design-size image is
/// decoded then too (a file that cannot be read fails there); every other
/// image is decoded the first time it is needed and kept. Copies share them.
class Artwork {
  public:
    Artwork() = default;

    /// Reads a picture file; a null artwork with the reason in `error` when it
    /// cannot be read.
    static Artwork read(const QString &path, QString *error);

    bool isNull() const { return !d_; }
    /// The picture's size in the unscaled window: an icon file's 32x32 image
    /// (its largest when it has none), or the size of a single-image file.
    QSize designSize() const;
    /// The sizes of its images, in pixels.
    QList<QSize> imageSizes() const;

    /// The picture exactly `pixels` large: the smallest image at least that
    /// large, scaled down smoothly, or the largest one scaled up when none is.
    QImage image(QSize pixels) const;
    /// The picture at `logicalSize`, for a screen of `devicePixelRatio`: as
    /// many pixels as the screen shows there, and that ratio set, so that it
    /// is drawn sharp at ratios such as 1, 1.25, 1.5 and 2.
    QPixmap pixmap(QSize logicalSize, qreal devicePixelRatio) const;

  private:
    struct Data;
    std::shared_ptr<Data> d_;
};

/// An icon that draws the artwork at whatever size and screen it is asked
/// for (window icons, button pictures); disabled, it is greyed as Qt greys
/// any icon.
QIcon artworkIcon(const Artwork &artwork);

} // namespace lumo
