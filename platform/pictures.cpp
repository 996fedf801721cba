#include "platform/pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <QtDebug>

namespace lumo {

namespace {

// Qt's GIF reader hands back the rows it could decode from a file that
// stops early; a whole GIF file ends with its trailer byte.
bool gifEndsWithTrailer(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() > 0 && file.seek(file.size() - 1) &&
           file.read(1) == ";";
}

} // namespace

QImage readPictureFile(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("a folder stands where the picture should be");
        return {};
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // Asked before reading: afterwards the reader no longer tells.
    const QByteArray format = reader.format();
    // An icon file holds one image per size; show the largest, choosing by
    // the sizes in the file's directory so that only one image is decoded.
    if (format == "ico") {
        int largest = 0;
        QSize largestSize = reader.size();
        for (int i = 1; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
            const QSize size = reader.size();
            if (size.width() * size.height() > largestSize.width() * largestSize.height()) {
                largest = i;
                largestSize = size;
            }
        }
        reader.jumpToImage(largest);
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        *error = reader.errorString();
        return {};
    }
    if (format == "gif" && !gifEndsWithTrailer(path)) {
        *error = QStringLiteral("the picture file is cut short");
        return {};
    }
    return image;
}

QPixmap builtInPicture(const QString &resource)
{
    // The program's own pictures never change while it runs: read each once.
    // Images, not pixmaps: these outlive the application object.
    static QHash<QString, QImage> builtIn;
    auto found = builtIn.find(resource);
    if (found == builtIn.end()) {
        QString error;
        found = builtIn.insert(resource, readPictureFile(resource, &error));
        if (found->isNull())
            qWarning().noquote() << QStringLiteral("Built-in picture %1 is missing (%2)").arg(resource, error);
    }
    return QPixmap::fromImage(found.value());
}

QPixmap loadPicture(const QString &path, const QString &fallback)
{
    QString error;
    const QImage image = readPictureFile(path, &error);
    if (!image.isNull())
        return QPixmap::fromImage(image);

    static QSet<QString> warned;
    if (!warned.contains(path)) {
        warned.insert(path);
        qWarning().noquote() << QStringLiteral("Cannot read the picture %1 (%2); showing a built-in picture instead.")
                                    .arg(path, error);
    }
    return builtInPicture(fallback);
}

} // namespace lumo
