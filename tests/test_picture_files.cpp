// The picture files the game reads: the "icon" folder shipped beside the
// program and the pictures built into it. Every file is read back with Qt's
// own image readers, the same way the game reads it.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
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
        const QImage image = reader.read();
        if (image.isNull())
            break;
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

void addIcoRow(const QString &path) {
    QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

void addGifRow(const QString &path, QSize size) {
    QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path << size;
}

void checkTwoSizeIcon(const QString &path) {
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + " is missing"));
    const Decoded decoded = decode(path);
    QCOMPARE(decoded.format, QStringLiteral("ico"));
    QCOMPARE(decoded.imageCount, 2);
    QCOMPARE(decoded.images.size(), 2);
    QCOMPARE(decoded.images[0].size(), QSize(32, 32));
    QCOMPARE(decoded.images[1].size(), QSize(16, 16));
    QVERIFY2(hasTransparentBackground(decoded.images[0]), "32x32 image has no transparency");
    QVERIFY2(hasTransparentBackground(decoded.images[1]), "16x16 image has no transparency");
}

void checkGif(const QString &path, QSize size) {
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + " is missing"));
    const Decoded decoded = decode(path);
    QCOMPARE(decoded.format, QStringLiteral("gif"));
    QVERIFY(!decoded.images.isEmpty());
    QCOMPARE(decoded.images[0].size(), size);
    QVERIFY2(hasTransparentBackground(decoded.images[0]), "picture has no transparency");
}

} // namespace

class TestPictureFiles : public QObject {
    Q_OBJECT

  private slots:
    void eachCountingPictureHoldsA32And16PixelImageWithTransparency_data() {
        QTest::addColumn<QString>("path");
        for (int n = 1; n <= 30; ++n)
            addIcoRow(kIconDir + QStringLiteral("/%1.ico").arg(n));
    }
    void eachCountingPictureHoldsA32And16PixelImageWithTransparency() {
        QFETCH(QString, path);
        checkTwoSizeIcon(path);
    }

    void theHostAndExitAnimationPicturesHaveTheirSizesAndTransparency_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        addGifRow(kIconDir + QStringLiteral("/c01.gif"), QSize(70, 97));
        addGifRow(kIconDir + QStringLiteral("/c04.gif"), QSize(70, 97));
        addGifRow(kIconDir + QStringLiteral("/a01.gif"), QSize(65, 102));
        addGifRow(kIconDir + QStringLiteral("/a02.gif"), QSize(65, 102));
    }
    void theHostAndExitAnimationPicturesHaveTheirSizesAndTransparency() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        checkGif(path, size);
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
        QStringList expected{QStringLiteral("a01.gif"), QStringLiteral("a02.gif"),
                             QStringLiteral("c01.gif"), QStringLiteral("c04.gif")};
        for (int n = 1; n <= 30; ++n)
            expected << QStringLiteral("%1.ico").arg(n);
        QStringList found = QDir(kIconDir).entryList(QDir::Files);
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);
    }

    void theTwoSizeIconsBuiltIntoTheProgramAreComplete_data() {
        QTest::addColumn<QString>("path");
        addIcoRow(kPictureDir + QStringLiteral("/placeholder.ico"));
        addIcoRow(kPictureDir + QStringLiteral("/form1.ico"));
    }
    void theTwoSizeIconsBuiltIntoTheProgramAreComplete() {
        QFETCH(QString, path);
        checkTwoSizeIcon(path);
    }

    void theButtonAndHostPicturesBuiltIntoTheProgramHaveTheirSizes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        addGifRow(kPictureDir + QStringLiteral("/host.gif"), QSize(70, 97));
        addGifRow(kPictureDir + QStringLiteral("/cm1.gif"), QSize(70, 97));
        addGifRow(kPictureDir + QStringLiteral("/cm46.gif"), QSize(70, 97));
        addGifRow(kPictureDir + QStringLiteral("/exit.gif"), QSize(65, 102));
    }
    void theButtonAndHostPicturesBuiltIntoTheProgramHaveTheirSizes() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        checkGif(path, size);
    }

    void theCursorIsA32PixelPictureWithItsHotSpotOnTheDrawing() {
        const QString path = kPictureDir + QStringLiteral("/cursor.png");
        const Decoded decoded = decode(path);
        QCOMPARE(decoded.format, QStringLiteral("png"));
        QVERIFY(!decoded.images.isEmpty());
        const QImage cursor = decoded.images[0];
        QCOMPARE(cursor.size(), QSize(32, 32));
        QVERIFY(hasTransparentBackground(cursor));
        // The hot spot (5, 12) must fall on the pointing tip, not on empty space.
        QVERIFY2(qAlpha(cursor.pixel(5, 12)) >= 128, "nothing is drawn under the hot spot");
    }
};

QTEST_MAIN(TestPictureFiles)
#include "test_picture_files.moc"
