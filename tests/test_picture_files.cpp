// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture files the game reads: the "icon" folder shipped beside the
// program and the pictures built into it. Every file is read back with Qt's
// own image readers, the same way the game reads it. Then how the game
// draws them at other sizes and on other screens.

#include "platform/controls.h"
#include "platform/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include <cstdlib>

namespace {

const QString kIconDir = QStringLiteral(LUMO_ICON_DIR);
const QString kPictureDir = QStringLiteral(LUMO_SOURCE_DIR "/assets/pictures");

// The background behind the rows of counting pictures.
const QRgb kRowBackground = qRgb(128, 128, 255);

struct Decoded {
    QString format;
    int imageCount = 0;
    QList<QImage> images;
};

// Reads every image of a file, deciding the format from the content so that,
// say, a PNG file named .gif does not pass.
Decoded decode(const QString &path) {
    Decoded decoded;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    decoded.format = QString::fromLatin1(reader.format());
    decoded.imageCount = reader.imageCount();
    for (int i = 0; i < std::max(decoded.imageCount, 1); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (image.isNull())
            break;
        image.setDevicePixelRatio(1.0); // which Qt's reader makes 2 for a file named "@2x"
        decoded.images.append(image);
    }
    return decoded;
}

// Some pixels fully transparent, some fully opaque: a picture with a real
// see-through background and something drawn on it.
bool hasTransparentBackground(const QImage &image) {
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    bool transparent = false, opaque = false;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(argb.pixel(x, y));
            transparent |= alpha == 0;
            opaque |= alpha == 255;
        }
    return transparent && opaque;
}

// The picture as the child sees it, on the given background.
QImage onBackground(const QImage &image, QRgb background) {
    QImage result(image.size(), QImage::Format_RGB32);
    result.fill(background);
    QPainter painter(&result);
    painter.drawImage(0, 0, image);
    return result;
}

// Mean absolute difference of the colour channels, 0..255.
double meanColourDifference(const QImage &a, const QImage &b) {
    Q_ASSERT(a.size() == b.size());
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}

// How far a larger image differs from the design-size image, both on the
// given background and brought down to a quarter of the design size: what
// the picture shows counts, not how the edges of each size fall on pixels.
double differenceAtDesignSize(const QImage &larger, const QImage &design, QRgb background) {
    const auto reduced = [&](const QImage &image) {
        return onBackground(
                   image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                       .scaled(design.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                   background)
            .scaled(design.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    return meanColourDifference(reduced(larger), reduced(design));
}

// Every size is drawn anew, and a larger image shown smaller must still be
// the same picture. Our own files differ from their design size by less than
// 5; another counting picture differs by more than 20, and the host in
// another pose by more than 9.
constexpr double kSamePicture = 7.0;

// Icon files hold these sizes, 32x32 first.
const QList<QSize> kIconSizes{QSize(32, 32), QSize(16, 16), QSize(48, 48), QSize(64, 64),
                              QSize(128, 128)};

void addIcoRow(const QString &path) {
    QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

// A single-size picture and the variants beside it, each a whole multiple of its size.
void addGifRows(const QString &folder, const QString &name, QSize size,
                std::initializer_list<int> variants) {
    const QString base = folder + QLatin1Char('/') + name + QStringLiteral(".gif");
    QTest::newRow(qPrintable(name + QStringLiteral(".gif"))) << base << size << QString();
    for (const int factor : variants) {
        const QString file = QStringLiteral("%1@%2x.gif").arg(name).arg(factor);
        QTest::newRow(qPrintable(file))
            << folder + QLatin1Char('/') + file << size * factor << base;
    }
}

void checkIcon(const QString &path) {
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + " is missing"));
    const Decoded decoded = decode(path);
    QCOMPARE(decoded.format, QStringLiteral("ico"));
    QCOMPARE(decoded.imageCount, kIconSizes.size());
    QCOMPARE(decoded.images.size(), kIconSizes.size());
    for (qsizetype i = 0; i < kIconSizes.size(); ++i) {
        const QImage &image = decoded.images[i];
        QCOMPARE(image.size(), kIconSizes[i]);
        QVERIFY2(hasTransparentBackground(image),
                 qPrintable(
                     QStringLiteral("the %1-pixel image has no transparency").arg(image.width())));
        if (image.width() > 32) {
            const double difference =
                differenceAtDesignSize(image, decoded.images[0], kRowBackground);
            QVERIFY2(
                difference < kSamePicture,
                qPrintable(QStringLiteral("the %1-pixel image differs from the 32-pixel one by %2")
                               .arg(image.width())
                               .arg(difference, 0, 'f', 2)));
        }
    }
}

// The background of the start window, where the host and the door stand.
const QRgb kStartBackground = qRgb(192, 192, 255);

void checkGif(const QString &path, QSize size, const QString &base) {
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + " is missing"));
    const Decoded decoded = decode(path);
    QCOMPARE(decoded.format, QStringLiteral("gif"));
    QVERIFY(!decoded.images.isEmpty());
    QCOMPARE(decoded.images[0].size(), size);
    QVERIFY2(hasTransparentBackground(decoded.images[0]), "picture has no transparency");
    if (base.isEmpty())
        return;
    const double difference =
        differenceAtDesignSize(decoded.images[0], QImage(base), kStartBackground);
    QVERIFY2(
        difference < kSamePicture,
        qPrintable(QStringLiteral("differs from %1 by %2").arg(base).arg(difference, 0, 'f', 2)));
}

// The image of a file that the game should have drawn from: an icon's image of
// the given size, or the file's only image.
QImage sourceImage(const QString &path, QSize size) {
    QImageReader reader(path);
    for (int i = 0; i < std::max(reader.imageCount(), 1); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        image.setDevicePixelRatio(1.0);
        if (image.size() == size)
            return image;
    }
    return {};
}

} // namespace

class TestPictureFiles : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        // A user's icon with only a 32x32 image, as ImageMagick makes one.
        QVERIFY(sourceImage(kIconDir + QStringLiteral("/7.ico"), QSize(32, 32))
                    .save(folder.filePath(QStringLiteral("own.ico")), "ICO"));
        // A picture saved as PNG under an icon's name, as a teacher may do.
        QVERIFY(sourceImage(kIconDir + QStringLiteral("/7.ico"), QSize(32, 32))
                    .save(folder.filePath(QStringLiteral("png-named.ico")), "PNG"));
        // c01.gif replaced by a picture of one's own, our old variants left beside it.
        QVERIFY(QFile::copy(kIconDir + QStringLiteral("/c04.gif"),
                            folder.filePath(QStringLiteral("c01.gif"))));
        for (const QString &variant : {QStringLiteral("c01@2x.gif"), QStringLiteral("c01@4x.gif")})
            QVERIFY(QFile::copy(kIconDir + QLatin1Char('/') + variant, folder.filePath(variant)));
    }

    void everyIconFileHoldsEachSizeOfTheSamePictureWithTransparency_data() {
        QTest::addColumn<QString>("path");
        for (int n = 1; n <= 30; ++n)
            addIcoRow(kIconDir + QStringLiteral("/%1.ico").arg(n));
        addIcoRow(kPictureDir + QStringLiteral("/placeholder.ico"));
        addIcoRow(kPictureDir + QStringLiteral("/form1.ico"));
    }
    void everyIconFileHoldsEachSizeOfTheSamePictureWithTransparency() {
        QFETCH(QString, path);
        checkIcon(path);
    }

    // The host, the door and the button pictures, each with its larger variants.
    void everySingleSizePictureAndEachVariantHasItsSizeTransparencyAndPicture_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("base"); // the picture a variant must look like
        addGifRows(kIconDir, QStringLiteral("c01"), QSize(70, 97), {2, 4});
        addGifRows(kIconDir, QStringLiteral("c04"), QSize(70, 97), {2, 4});
        addGifRows(kIconDir, QStringLiteral("a01"), QSize(65, 102), {2, 4});
        addGifRows(kIconDir, QStringLiteral("a02"), QSize(65, 102), {2, 4});
        addGifRows(kPictureDir, QStringLiteral("host"), QSize(70, 97), {2, 4});
        addGifRows(kPictureDir, QStringLiteral("exit"), QSize(65, 102), {2, 4});
        addGifRows(kPictureDir, QStringLiteral("cm1"), QSize(70, 97), {2});
        addGifRows(kPictureDir, QStringLiteral("cm46"), QSize(70, 97), {2});
    }
    void everySingleSizePictureAndEachVariantHasItsSizeTransparencyAndPicture() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(QString, base);
        checkGif(path, size, base);
    }

    void theTwoExitAnimationFramesVisiblyDiffer() {
        const QImage first = QImage(kIconDir + QStringLiteral("/a01.gif"));
        const QImage second = QImage(kIconDir + QStringLiteral("/a02.gif"));
        QVERIFY(!first.isNull() && !second.isNull());
        QCOMPARE(first.size(), second.size());
        const QRgb grey = qRgb(192, 192, 192);
        const double difference =
            meanColourDifference(onBackground(first, grey), onBackground(second, grey));
        QVERIFY2(difference > 4.0,
                 qPrintable(QStringLiteral("frames differ by only %1").arg(difference, 0, 'f', 2)));
    }

    // Rows of different pictures must be told apart at a glance: no two of the
    // thirty may be near copies of each other on the rows' background.
    void theThirtyCountingPicturesAreClearlyDifferentFromEachOther() {
        QList<QImage> seen;
        for (int n = 1; n <= 30; ++n) {
            QImageReader reader(kIconDir + QStringLiteral("/%1.ico").arg(n));
            const QImage image = reader.read();
            QVERIFY2(image.size() == QSize(32, 32), qPrintable(QString::number(n)));
            seen.append(onBackground(image, kRowBackground));
        }
        for (int i = 0; i < seen.size(); ++i)
            for (int j = i + 1; j < seen.size(); ++j) {
                const double difference = meanColourDifference(seen[i], seen[j]);
                QVERIFY2(difference > 20.0,
                         qPrintable(QStringLiteral("%1.ico and %2.ico differ by only %3")
                                        .arg(i + 1)
                                        .arg(j + 1)
                                        .arg(difference, 0, 'f', 2)));
            }
    }

    void theIconFolderHoldsNothingButTheGamesPictures() {
        QStringList expected;
        for (const QString &name : {QStringLiteral("a01"), QStringLiteral("a02"),
                                    QStringLiteral("c01"), QStringLiteral("c04")})
            expected << name + QStringLiteral(".gif") << name + QStringLiteral("@2x.gif")
                     << name + QStringLiteral("@4x.gif");
        for (int n = 1; n <= 30; ++n)
            expected << QStringLiteral("%1.ico").arg(n);
        QStringList found = QDir(kIconDir).entryList(QDir::Files);
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);
    }

    void theCursorAtEachSizeIsTransparentWithItsHotSpotOnTheDrawing_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("factor");
        QTest::newRow("cursor.png") << QStringLiteral("cursor.png") << 1;
        QTest::newRow("cursor@2x.png") << QStringLiteral("cursor@2x.png") << 2;
        QTest::newRow("cursor@4x.png") << QStringLiteral("cursor@4x.png") << 4;
    }
    void theCursorAtEachSizeIsTransparentWithItsHotSpotOnTheDrawing() {
        QFETCH(QString, file);
        QFETCH(int, factor);
        const Decoded decoded = decode(kPictureDir + QLatin1Char('/') + file);
        QCOMPARE(decoded.format, QStringLiteral("png"));
        QVERIFY(!decoded.images.isEmpty());
        const QImage cursor = decoded.images[0];
        QCOMPARE(cursor.size(), QSize(32, 32) * factor);
        QVERIFY(hasTransparentBackground(cursor));
        // The hot spot (5, 12) must fall on the pointing tip, not on empty space.
        const QPoint hotSpot = QPoint(5, 12) * factor;
        QVERIFY2(qAlpha(cursor.pixel(hotSpot)) >= 128, "nothing is drawn under the hot spot");
    }

    // The image a picture is drawn from for a size on a screen of a pixel
    // ratio: the smallest one at least as large, scaled smoothly to exactly
    // the pixels the screen shows, or the largest, scaled up.
    void aPictureIsDrawnFromItsBestImageForEachSizeAndScreen_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("logical");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("sourceSize");
        const QString apple = kIconDir + QStringLiteral("/1.ico");
        const QString hello = kIconDir + QStringLiteral("/c01.gif");
        const auto icon = [&](const char *name, QSize logical, double ratio, int from) {
            QTest::newRow(name) << apple << logical << ratio << apple << QSize(from, from);
        };
        icon("icon, unscaled", QSize(32, 32), 1.0, 32);
        icon("icon, ratio 1.25", QSize(32, 32), 1.25, 48);
        icon("icon, ratio 1.5", QSize(32, 32), 1.5, 48);
        icon("icon, ratio 2", QSize(32, 32), 2.0, 64);
        icon("icon, 4K screen filled", QSize(118, 118), 1.0, 128);
        icon("icon, scale 2 on ratio 2", QSize(64, 64), 2.0, 128);
        icon("icon, beyond its largest image", QSize(118, 118), 2.0, 128);
        icon("icon, smaller than its design size", QSize(16, 16), 1.0, 16);
        const QString own = folder.filePath(QStringLiteral("own.ico"));
        QTest::newRow("an icon of 32x32 only, ratio 2")
            << own << QSize(32, 32) << 2.0 << own << QSize(32, 32);
        QTest::newRow("an icon of 32x32 only, 4K screen")
            << own << QSize(118, 118) << 1.0 << own << QSize(32, 32);
        const QString pngNamedIcon = folder.filePath(QStringLiteral("png-named.ico"));
        QTest::newRow("a PNG named as an icon, read by its content")
            << pngNamedIcon << QSize(32, 32) << 2.0 << pngNamedIcon << QSize(32, 32);
        const auto host = [&](const char *name, QSize logical, double ratio, const char *file,
                              int factor) {
            QTest::newRow(name) << hello << logical << ratio
                                << kIconDir + QLatin1Char('/') + QLatin1String(file)
                                << QSize(70, 97) * factor;
        };
        host("GIF, unscaled", QSize(70, 97), 1.0, "c01.gif", 1);
        host("GIF, ratio 1.5", QSize(70, 97), 1.5, "c01@2x.gif", 2);
        host("GIF, ratio 2", QSize(70, 97), 2.0, "c01@2x.gif", 2);
        host("GIF, 4K screen filled", QSize(259, 359), 1.0, "c01@4x.gif", 4);
        const QString replaced = folder.filePath(QStringLiteral("c01.gif"));
        QTest::newRow("GIF replaced, our old variants beside it")
            << replaced << QSize(70, 97) << 2.0 << replaced << QSize(70, 97);
    }
    void aPictureIsDrawnFromItsBestImageForEachSizeAndScreen() {
        QFETCH(QString, path);
        QFETCH(QSize, logical);
        QFETCH(double, ratio);
        QFETCH(QString, source);
        QFETCH(QSize, sourceSize);
        QString error;
        const lumo::Artwork artwork = lumo::Artwork::read(path, &error);
        QVERIFY2(!artwork.isNull(), qPrintable(error));
        // An icon's 32x32 image sets its size in the window, not its largest.
        QCOMPARE(artwork.designSize(),
                 path.endsWith(QLatin1String(".ico")) ? QSize(32, 32) : QSize(70, 97));
        const QPixmap pixmap = artwork.pixmap(logical, ratio);
        const QSize pixels = (QSizeF(logical) * ratio).toSize();
        QCOMPARE(pixmap.size(), pixels);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        const QImage from = sourceImage(source, sourceSize);
        QVERIFY(!from.isNull());
        const QImage expected =
            from.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage shown = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        shown.setDevicePixelRatio(1.0);
        QCOMPARE(shown, expected);
    }

    // The start screen disables its host while he waves goodbye; Qt would
    // draw a disabled label's picture washed out in grey.
    void aPictureKeepsItsColoursWhenDisabledAndAtEveryScale_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("scaledLater"); // the scale set while it shows its picture
        QTest::newRow("unscaled, enabled") << 1.0 << true << false;
        QTest::newRow("unscaled, disabled") << 1.0 << false << false;
        QTest::newRow("scale 2, disabled") << 2.0 << false << false;
        QTest::newRow("scale 3.7, enabled, set later") << 3.7 << true << true;
    }
    void aPictureKeepsItsColoursWhenDisabledAndAtEveryScale() {
        QFETCH(double, scale);
        QFETCH(bool, enabled);
        QFETCH(bool, scaledLater);
        const lumo::Artwork host = lumo::builtInArtwork(QStringLiteral(":/pictures/host.gif"));
        QWidget window;
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(kStartBackground));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.resize(300, 400);
        auto *picture = new lumo::Picture(&window);
        if (!scaledLater)
            picture->setScale(scale);
        picture->setArtwork(host);
        if (scaledLater)
            picture->setScale(scale);
        picture->setEnabled(enabled);
        const QSize size = (QSizeF(70, 97) * scale).toSize();
        QCOMPARE(picture->size(), size);

        QImage expected(size, QImage::Format_RGB32);
        expected.fill(kStartBackground);
        QPainter painter(&expected);
        painter.drawImage(0, 0, host.image(size));
        painter.end();
        QCOMPARE(picture->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    }

  private:
    QTemporaryDir folder;
};

QTEST_MAIN(TestPictureFiles)
#include "test_picture_files.moc"
