#pragma once

#include <QPixmap>
#include <QString>

namespace lumo {

/// Reads a GIF or ICO picture file; of an ICO's images the largest is taken.
/// A file that cannot be read is not an error for the game: the built-in
/// picture `fallback` (a resource path) stands in for it, and the first time
/// a file fails one warning naming it and the reason goes to standard error.
QPixmap loadPicture(const QString &path, const QString &fallback);

/// One of the program's own pictures (a resource path such as
/// ":/pictures/host.gif"), read from the resources once per run.
QPixmap builtInPicture(const QString &resource);

/// The image of a picture file, or a null image with the reason in `error`.
QImage readPictureFile(const QString &path, QString *error);

} // namespace lumo
