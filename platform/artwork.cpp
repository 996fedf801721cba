// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/artwork.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QtEndian>

#include <cstdlib>
#include <utility>
#include <vector>

namespace lumo {

namespace {

// The counting pictures and every other icon file are designed at 32x32.
constexpr QSize iconDesignSize(32, 32);
// Variants c01@2x.gif .. c01@4x.gif are looked for beside a single-image file.
constexpr int largestVariant = 4;
// Our own variants differ from their base files by 1.5 to 4.5 (of 255, as
// compared by looksLike); the host in another pose differs by 11 or more.
constexpr double mostVariantDifference = 7.0;

// Qt's GIF reader hands back the rows it could decode from a file that
// stops early; a whole GIF file ends with its trailer byte.
bool gifEndsWithTrailer(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() > 0 && file.seek(file.size() - 1) &&
           file.read(1) == ";";
}

// The sizes of the images an icon file lists in its directory, read without
// decoding any, through the reader's own device (its buffer then serves the
// reader too). Qt's icon reader reads the images before a cut and skips the
// others only when asked for them, so an icon file whose directory lists an
// image beyond its end counts as cut short: no sizes.
QList<QSize> iconImageSizes(QIODevice *device) {
    const qint64 at = device->pos();
    if (at != 0 && !device->seek(0))
        return {};
    const QByteArray head = device->peek(6);
    const int count = head.size() == 6 ? qFromLittleEndian<quint16>(head.constData() + 4) : 0;
    const QByteArray directory = device->peek(6 + 16 * count);
    if (at != 0)
        device->seek(at);
    if (count == 0 || directory.size() < 6 + 16 * count)
        return {};
    const quint64 fileSize = quint64(device->size());
    QList<QSize> sizes;
    for (int i = 0; i < count; ++i) {
        const auto *entry = reinterpret_cast<const uchar *>(directory.constData()) + 6 + 16 * i;
        const quint64 bytes = qFromLittleEndian<quint32>(entry + 8);
        const quint64 offset = qFromLittleEndian<quint32>(entry + 12);
        if (offset + bytes > fileSize)
            return {};
        // A width or height of 0 stands for 256, as Qt's reader reads it.
        sizes.append(QSize(entry[0] ? entry[0] : 256, entry[1] ? entry[1] : 256));
    }
    return sizes;
}

qint64 area(QSize size) {
    return qint64(size.width()) * size.height();
}

// The picture as it stands on the start window's light blue, brought down
// to half the base size: that evens out the edges, which every size draws a
// little differently, and keeps what the picture shows.
QImage comparable(const QImage &image, QSize baseSize) {
    QImage onWindow(baseSize, QImage::Format_RGB32);
    onWindow.fill(qRgb(192, 192, 255));
    QPainter painter(&onWindow);
    painter.drawImage(0, 0,
                      image.size() == baseSize
                          ? image
                          : image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                .scaled(baseSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.end();
    return onWindow.scaled(baseSize / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool looksLike(const QImage &variant, const QImage &base) {
    const QImage a = comparable(variant, base.size());
    const QImage b = comparable(base, base.size());
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) +
                   std::abs(qBlue(p[x]) - qBlue(q[x]));
    }
    return double(sum) / (3.0 * double(area(a.size()))) <= mostVariantDifference;
}

} // namespace

struct Artwork::Data {
    struct Image {
        Image(QSize size, QString path, int index = 0, int factor = 1)
            : size(size), path(std::move(path)), index(index), factor(factor) {}
        QSize size;
        QString path;
        int index;  // its number in an icon file
        int factor; // a variant's size in base sizes
        QImage decoded;
        bool unusable = false; // would not decode, or is not the base file's picture
    };
    std::vector<Image> images;
    std::size_t design = 0;
    QSize designSize;
    // The last picture drawn, kept for the next one asked at the same size.
    QPixmap lastPixmap;

    bool decode(Image &image) const;
    const Image *best(QSize pixels);
};

bool Artwork::Data::decode(Image &image) const {
    if (!image.decoded.isNull() || image.unusable)
        return !image.unusable;
    QImageReader reader(image.path);
    const QByteArray format = reader.format();
    if (image.index > 0)
        reader.jumpToImage(image.index);
    QImage decoded = reader.read();
    // Qt's reader gives a file named "@2x" a pixel ratio of 2; the ratio an
    // artwork is drawn at is decided when it is drawn.
    decoded.setDevicePixelRatio(1.0);
    image.unusable = decoded.size() != image.size ||
                     (format == "gif" && !gifEndsWithTrailer(image.path)) ||
                     (image.factor > 1 && !looksLike(decoded, images[design].decoded));
    if (!image.unusable)
        image.decoded = decoded;
    return !image.unusable;
}

const Artwork::Data::Image *Artwork::Data::best(QSize pixels) {
    for (;;) {
        Image *smallestLarger = nullptr;
        Image *largest = nullptr;
        for (Image &image : images) {
            if (image.unusable)
                continue;
            if (!largest || area(image.size) > area(largest->size))
                largest = &image;
            if (image.size.width() >= pixels.width() && image.size.height() >= pixels.height() &&
                (!smallestLarger || area(image.size) < area(smallestLarger->size)))
                smallestLarger = &image;
        }
        Image *chosen = smallestLarger ? smallestLarger : largest;
        // The design image was decoded when the artwork was made, so the loop
        // ends with it at the latest.
        if (!chosen || decode(*chosen))
            return chosen;
    }
}

Artwork Artwork::read(const QString &path, QString *error) {
    if (QFileInfo(path).isDir()) {
        *error = QStringLiteral("a folder stands where the picture should be");
        return {};
    }
    // The reader asks the plugin its name ends in first and the others only
    // if that one cannot read it: a file misnamed is still read, and no
    // other plugin is loaded for the ones named right.
    QImageReader reader(path);
    // Asked before reading: afterwards the reader no longer tells.
    const QByteArray format = reader.format();
    auto data = std::make_shared<Data>();
    if (format == "ico") {
        const QList<QSize> sizes = iconImageSizes(reader.device());
        if (sizes.isEmpty()) {
            *error = QStringLiteral("the picture file is cut short or damaged");
            return {};
        }
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            data->images.emplace_back(sizes[i], path, int(i));
            const QSize chosen = data->images[data->design].size;
            if (chosen != iconDesignSize &&
                (sizes[i] == iconDesignSize || area(sizes[i]) > area(chosen)))
                data->design = std::size_t(i);
        }
        if (data->design > 0)
            reader.jumpToImage(int(data->design));
    } else {
        data->images.emplace_back(reader.size(), path);
    }
    Data::Image &design = data->images[data->design];
    design.decoded = reader.read();
    if (design.decoded.isNull()) {
        *error = reader.errorString();
        return {};
    }
    design.decoded.setDevicePixelRatio(1.0);
    if (format == "gif" && !gifEndsWithTrailer(path)) {
        *error = QStringLiteral("the picture file is cut short");
        return {};
    }
    design.size = design.decoded.size();
    data->designSize = design.size;

    if (format != "ico") {
        const QFileInfo info(path);
        for (int factor = 2; factor <= largestVariant; ++factor) {
            const QString variant = QStringLiteral("%1/%2@%3x.%4")
                                        .arg(info.path(), info.completeBaseName())
                                        .arg(factor)
                                        .arg(info.suffix());
            // A reader asked for a file that is not there tries every
            // image plugin first.
            if (!QFile::exists(variant))
                continue;
            QImageReader variantReader(variant);
            if (variantReader.size() == data->designSize * factor)
                data->images.emplace_back(data->designSize * factor, variant, 0, factor);
        }
    }
    Artwork artwork;
    artwork.d_ = std::move(data);
    return artwork;
}

QSize Artwork::designSize() const {
    return d_ ? d_->designSize : QSize();
}

QList<QSize> Artwork::imageSizes() const {
    QList<QSize> sizes;
    if (d_)
        for (const Data::Image &image : d_->images)
            if (!image.unusable)
                sizes.append(image.size);
    return sizes;
}

QImage Artwork::image(QSize pixels) const {
    if (!d_ || pixels.isEmpty())
        return {};
    const Data::Image *chosen = d_->best(pixels);
    if (chosen->size == pixels)
        return chosen->decoded;
    // The format Qt's smooth scaling works in, whatever format the file gave.
    return chosen->decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPixmap Artwork::pixmap(QSize logicalSize, qreal devicePixelRatio) const {
    // A row of pictures shows one artwork many times at one size: draw it once.
    if (d_ && d_->lastPixmap.deviceIndependentSize().toSize() == logicalSize &&
        qFuzzyCompare(d_->lastPixmap.devicePixelRatio(), devicePixelRatio))
        return d_->lastPixmap;
    QPixmap pixmap = QPixmap::fromImage(image((QSizeF(logicalSize) * devicePixelRatio).toSize()));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    if (d_)
        d_->lastPixmap = pixmap;
    return pixmap;
}

namespace {

class ArtworkIconEngine : public QIconEngine {
  public:
    explicit ArtworkIconEngine(Artwork artwork) : artwork_(std::move(artwork)) {}

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override {
        return artwork_.designSize().scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        const QSize shown = actualSize(size, mode, state);
        const quint64 key =
            (quint64(shown.width()) << 32) | (quint64(shown.height()) << 8) | quint64(mode);
        if (const auto found = drawn_.constFind(key); found != drawn_.constEnd())
            return *found;
        // Drawn by the artwork, which keeps its last size: a button made
        // anew at the next opening of its screen finds it drawn.
        QPixmap pixmap = artwork_.pixmap(shown, 1.0);
        if (mode != QIcon::Normal) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        // A button asks for one size in one or two modes; a window icon for a few sizes.
        if (drawn_.size() >= 16)
            drawn_.clear();
        drawn_.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap shown = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        shown.setDevicePixelRatio(ratio);
        const QSize logical = (QSizeF(shown.size()) / ratio).toSize();
        painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - logical.width()) / 2,
                                                          (rect.height() - logical.height()) / 2),
                                  logical),
                            shown);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return artwork_.imageSizes();
    }
    bool isNull() override { return artwork_.isNull(); }
    QString key() const override { return QStringLiteral("lumo-artwork"); }
    QIconEngine *clone() const override { return new ArtworkIconEngine(artwork_); }

  private:
    Artwork artwork_;
    QHash<quint64, QPixmap> drawn_;
};

} // namespace

QIcon artworkIcon(const Artwork &artwork) {
    return artwork.isNull() ? QIcon() : QIcon(new ArtworkIconEngine(artwork));
}

} // namespace lumo
