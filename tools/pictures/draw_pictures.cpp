// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the game into one folder as PNG files:
//   icon-N-SIZE.png   the thirty counting pictures (N = 1..30) at every icon size
//   c01.png c04.png a01.png a02.png   the host's greeting/goodbye and the exit animation
//   host.png exit.png cm1.png cm46.png   the pictures built into the program
//   placeholder-SIZE.png form1-SIZE.png cursor.png app-SIZE.png
//   NAME@Nx.png   the larger variants of the single-size pictures (see kVariants)
// pack-pictures.sh then turns them into the ICO, GIF and PNG files under assets/.
//
// Larger sizes are drawn at their size, never scaled up from a smaller one: our
// own drawings are painted again at N times the scale, and emoji are taken from
// the font's 136-pixel bitmaps, which is why no emoji picture goes beyond that.
//
// The counting pictures and the two button pictures come from the Noto Color
// Emoji font; the host "Piko", the door and the small icons are drawn here.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <numbers>

namespace {

// Drawn pictures are painted this many times larger and then scaled down.
constexpr int kSuper = 4;

// The sizes of every icon file, in the order they are stored: 32x32 first,
// so that a reader that takes the first image gets the design size. 48, 64
// and 128 are the sizes a 32-pixel picture is shown at on screens scaled by
// 1.5, 2 and up to 4 (a 4K screen filled by the game shows it at about
// 117 pixels); 128 is also the largest square the emoji bitmaps fill without
// being scaled up. Keep in step with pack-pictures.sh.
constexpr int kIconSizes[] = {32, 16, 48, 64, 128};

const QColor kOutline(0x33, 0x24, 0x1c);
const QColor kSkin(0xf2, 0xc2, 0x8e);
const QColor kHair(0x26, 0x22, 0x26);
const QColor kShirt(0xff, 0x8c, 0x1a);
const QColor kShorts(0x2c, 0x4a, 0xa8);
const QColor kShoe(0xe0, 0x2f, 0x3c);
const QColor kWhite(0xff, 0xff, 0xff);

[[noreturn]] void fail(const QString &message) {
    std::fprintf(stderr, "draw_pictures: %s\n", qPrintable(message));
    std::exit(1);
}

QImage blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QRect opaqueBounds(const QImage &image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// ---------------------------------------------------------------- emoji

QFont emojiFont() {
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(109); // the size of the font's own bitmaps
    if (QFontInfo(font).family() != QLatin1String("Noto Color Emoji"))
        fail(QStringLiteral("the font \"Noto Color Emoji\" is missing (Debian package "
                            "fonts-noto-color-emoji)"));
    return font;
}

// One emoji at the font's native size, cropped to its visible part.
QImage emoji(char32_t codePoint) {
    const QString text = QString::fromUcs4(&codePoint, 1);
    const QString name = QStringLiteral("U+%1").arg(uint(codePoint), 0, 16).toUpper();
    const QFont font = emojiFont();
    if (!QFontMetrics(font).inFontUcs4(codePoint))
        fail(QStringLiteral("emoji %1 is not in the emoji font").arg(name));
    QImage canvas = blank(256, 256);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.drawText(canvas.rect(), Qt::AlignCenter, text);
    }
    const QRect bounds = opaqueBounds(canvas);
    if (bounds.isEmpty())
        fail(QStringLiteral("emoji %1 did not render").arg(name));
    const QImage cropped = canvas.copy(bounds);
    // A glyph drawn as an outline rather than a colour picture would come out
    // in the painter's black pen.
    bool coloured = false;
    for (int y = 0; y < cropped.height() && !coloured; ++y)
        for (int x = 0; x < cropped.width() && !coloured; ++x) {
            const QRgb pixel = cropped.pixel(x, y);
            coloured = qAlpha(pixel) == 255 && qRed(pixel) + qGreen(pixel) + qBlue(pixel) > 96;
        }
    if (!coloured)
        fail(QStringLiteral("emoji %1 did not render in colour").arg(name));
    return cropped;
}

// Scales a picture smoothly so that it fits a box, keeping its proportions.
QImage fitted(const QImage &source, int width, int height) {
    return source.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A square icon: the picture fills the square but for a margin on each side,
// so that neighbours in a row stay apart: 1 pixel in 32, none at 16.
QImage squareIcon(const QImage &source, int size) {
    const int innerSize = size <= 16 ? size : size * 30 / 32;
    // A margin of a pixel and a half (at 48) is drawn at twice the size and
    // halved, so that the picture sits where it sits at the other sizes.
    if ((size - innerSize) % 2 != 0)
        return squareIcon(source, 2 * size)
            .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage inner = fitted(source, innerSize, innerSize);
    QImage icon = blank(size, size);
    QPainter painter(&icon);
    painter.drawImage((size - inner.width()) / 2, (size - inner.height()) / 2, inner);
    return icon;
}

// GIF knows only fully transparent and fully opaque pixels; decide each pixel
// here rather than leave it to the converter.
QImage withBinaryAlpha(const QImage &source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? (line[x] | 0xff000000u) : 0u;
    }
    return image;
}

// ---------------------------------------------------------------- drawing helpers

// A painter on a canvas kSuper times the final size, working in design-size
// units; `scale` makes the final picture that many times its design size.
class BigCanvas {
  public:
    BigCanvas(int width, int height, int scale = 1)
        : m_width(width * scale), m_height(height * scale),
          m_image(blank(m_width * kSuper, m_height * kSuper)), m_painter(&m_image) {
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.scale(kSuper * scale, kSuper * scale);
    }
    QPainter &painter() { return m_painter; }
    QImage result() {
        m_painter.end();
        return m_image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

  private:
    int m_width;
    int m_height;
    QImage m_image;
    QPainter m_painter;
};

constexpr qreal kLine = 1.1; // outline width in final pixels

void fillOutlined(QPainter &p, const QPainterPath &path, const QColor &fill, qreal line = kLine) {
    p.setPen(QPen(kOutline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// A thick stroke (an arm, a leg) with an outline around it.
void strokeOutlined(QPainter &p, const QPainterPath &path, qreal width, const QColor &fill) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, width + 2 * kLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF &point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    return path;
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath star(QPointF centre, qreal outer, qreal inner) {
    QPolygonF polygon;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal radius = (i % 2 == 0) ? outer : inner;
        polygon << centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// ---------------------------------------------------------------- Piko

// Piko is drawn in a 70 x 97 box. Arms are given as elbow and hand points.
struct Pose {
    QPointF leftElbow{19, 60}, leftHand{21, 69};   // on the viewer's left
    QPointF rightElbow{51, 60}, rightHand{49, 69}; // on the viewer's right
    bool leftOpen = false, rightOpen = false;      // an open, waving hand
    bool leftWaving = false, rightWaving = false;  // little motion marks beside the hand
    bool happyEyes = false;                        // eyes closed in a smile
    bool backpack = false;
    qreal leftFootShift = 0, rightFootShift = 0; // a step: feet move sideways
};

const QPointF kLeftShoulder(26, 52);
const QPointF kRightShoulder(44, 52);

void drawHand(QPainter &p, QPointF elbow, QPointF hand, bool open, bool onRight) {
    if (!open) {
        fillOutlined(p, ellipse(hand, 3.1, 3.1), kSkin);
        return;
    }
    // An open palm facing the viewer, drawn along the forearm: a mitten with
    // the thumb on the side towards the body and two lines between fingers.
    const QPointF along = hand - elbow;
    p.save();
    p.translate(hand);
    p.rotate(std::atan2(along.y(), along.x()) * 180 / std::numbers::pi);
    const qreal thumbSide = onRight ? -1 : 1;
    QPainterPath mitten = ellipse(QPointF(2.0, 0), 4.6, 3.6);
    mitten = mitten.united(ellipse(QPointF(0.4, thumbSide * 3.4), 2.6, 1.5));
    fillOutlined(p, mitten, kSkin);
    p.setPen(QPen(kOutline, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.0, -1.2), QPointF(6.4, -1.2));
    p.drawLine(QPointF(4.0, 1.2), QPointF(6.4, 1.2));
    p.restore();
}

// Two curved marks beside a waving hand.
void drawWaveMarks(QPainter &p, QPointF hand, bool onRight) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 1.3, Qt::SolidLine, Qt::RoundCap));
    const qreal middle = onRight ? 25 : 155;
    for (const qreal r : {7.5, 10.5}) {
        const QRectF box(hand.x() - r, hand.y() - r, 2 * r, 2 * r);
        QPainterPath arc;
        arc.arcMoveTo(box, middle - 32);
        arc.arcTo(box, middle - 32, 64);
        p.drawPath(arc);
    }
}

void drawArm(QPainter &p, QPointF shoulder, QPointF elbow, QPointF hand) {
    strokeOutlined(p, polyline({shoulder, elbow, hand}), 4.6, kSkin);
}

void drawSleeve(QPainter &p, QPointF shoulder, QPointF elbow) {
    const QPointF along = elbow - shoulder;
    const qreal length = std::hypot(along.x(), along.y());
    const QPointF end = shoulder + along / length * std::min(5.5, length * 0.6);
    strokeOutlined(p, polyline({shoulder, end}), 7.0, kShirt);
}

void drawHead(QPainter &p, const Pose &pose) {
    const QPointF c(35, 30);
    // Ears.
    fillOutlined(p, ellipse(c + QPointF(-19, 3), 3.6, 4.4), kSkin);
    fillOutlined(p, ellipse(c + QPointF(19, 3), 3.6, 4.4), kSkin);
    // Face.
    fillOutlined(p, ellipse(c, 19, 18.5), kSkin);

    // Hair: a round cap with a spiky fringe swept to one side.
    QPainterPath hair;
    hair.moveTo(c + QPointF(-19.6, 6));
    hair.cubicTo(c + QPointF(-23, -14), c + QPointF(-10, -23), c + QPointF(2, -22));
    hair.cubicTo(c + QPointF(16, -22), c + QPointF(24, -12), c + QPointF(19.6, 6));
    hair.lineTo(c + QPointF(17.2, -1));
    hair.lineTo(c + QPointF(14.5, -6));
    hair.lineTo(c + QPointF(11.5, -3.5));
    hair.lineTo(c + QPointF(8.5, -9));
    hair.lineTo(c + QPointF(4.5, -4.8));
    hair.lineTo(c + QPointF(0.5, -10.5));
    hair.lineTo(c + QPointF(-4, -5));
    hair.lineTo(c + QPointF(-8.5, -10.5));
    hair.lineTo(c + QPointF(-11.5, -4.5));
    hair.lineTo(c + QPointF(-15, -7));
    hair.lineTo(c + QPointF(-17.2, -1));
    hair.closeSubpath();
    fillOutlined(p, hair, kHair);
    // A shine on the hair.
    p.setPen(QPen(QColor(0x6a, 0x66, 0x78), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shine;
    shine.moveTo(c + QPointF(-11, -16));
    shine.quadTo(c + QPointF(-5, -19.5), c + QPointF(1, -19.5));
    p.drawPath(shine);

    // Eyebrows.
    p.setPen(QPen(kHair, 1.3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath brows;
    brows.moveTo(c + QPointF(-10.5, -2.5));
    brows.quadTo(c + QPointF(-7.5, -4.6), c + QPointF(-4.5, -3));
    brows.moveTo(c + QPointF(4.5, -3));
    brows.quadTo(c + QPointF(7.5, -4.6), c + QPointF(10.5, -2.5));
    p.drawPath(brows);

    // Eyes.
    const QPointF leftEye = c + QPointF(-7.4, 2.6);
    const QPointF rightEye = c + QPointF(7.4, 2.6);
    if (pose.happyEyes) {
        p.setPen(QPen(kOutline, 1.6, Qt::SolidLine, Qt::RoundCap));
        for (const QPointF eye : {leftEye, rightEye}) {
            QPainterPath arc;
            arc.moveTo(eye + QPointF(-3, 1.2));
            arc.quadTo(eye + QPointF(0, -3.4), eye + QPointF(3, 1.2));
            p.drawPath(arc);
        }
    } else {
        p.setPen(Qt::NoPen);
        for (const QPointF eye : {leftEye, rightEye}) {
            p.setBrush(kOutline);
            p.drawEllipse(eye, 2.5, 3.2);
            p.setBrush(kWhite);
            p.drawEllipse(eye + QPointF(-0.8, -1.2), 1.0, 1.0);
        }
    }

    // Rosy cheeks.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x6f, 0x7a, 130));
    p.drawEllipse(c + QPointF(-12, 8), 3.4, 2.1);
    p.drawEllipse(c + QPointF(12, 8), 3.4, 2.1);

    // A little nose.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xc4, 0x86, 0x5a), 1.1, Qt::SolidLine, Qt::RoundCap));
    QPainterPath nose;
    nose.moveTo(c + QPointF(-1.2, 6.4));
    nose.quadTo(c + QPointF(0, 7.4), c + QPointF(1.2, 6.4));
    p.drawPath(nose);

    // A big open smile with a tongue.
    QPainterPath mouth;
    mouth.moveTo(c + QPointF(-7, 9.2));
    mouth.quadTo(c + QPointF(0, 10.4), c + QPointF(7, 9.2));
    mouth.cubicTo(c + QPointF(6, 17), c + QPointF(-6, 17), c + QPointF(-7, 9.2));
    mouth.closeSubpath();
    fillOutlined(p, mouth, QColor(0x9c, 0x1f, 0x2e), 1.0);
    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x7f, 0x8c));
    p.drawEllipse(c + QPointF(0, 16.2), 4.6, 3.6);
    p.setBrush(kWhite);
    p.drawRect(QRectF(c + QPointF(-7, 8), c + QPointF(7, 11.2)));
    p.restore();
}

void drawPiko(QPainter &p, const Pose &pose) {
    if (pose.backpack) {
        QPainterPath bag;
        bag.addRoundedRect(QRectF(18, 50, 34, 24), 6, 6);
        fillOutlined(p, bag, QColor(0x2e, 0xa3, 0x5c));
    }

    // Legs and shoes.
    const qreal lf = pose.leftFootShift, rf = pose.rightFootShift;
    strokeOutlined(p, polyline({{30, 80}, {29.5 + lf, 90}}), 5.0, kSkin);
    strokeOutlined(p, polyline({{40, 80}, {40.5 + rf, 90}}), 5.0, kSkin);
    for (const qreal x : {28.0 + lf, 42.0 + rf}) {
        QPainterPath shoe;
        shoe.addRoundedRect(QRectF(x - 5.5, 89.2, 11, 6.2), 3, 3);
        fillOutlined(p, shoe, kShoe);
        p.setPen(QPen(kWhite, 1.3));
        p.drawLine(QPointF(x - 4.2, 93.4), QPointF(x + 4.2, 93.4));
    }

    // Shorts.
    QPainterPath shorts;
    shorts.moveTo(24.5, 70);
    shorts.lineTo(45.5, 70);
    shorts.lineTo(47, 82);
    shorts.lineTo(36, 82);
    shorts.lineTo(35, 77);
    shorts.lineTo(34, 82);
    shorts.lineTo(23, 82);
    shorts.closeSubpath();
    fillOutlined(p, shorts, kShorts);

    // Arms, then the shirt over the shoulders.
    drawArm(p, kLeftShoulder, pose.leftElbow, pose.leftHand);
    drawArm(p, kRightShoulder, pose.rightElbow, pose.rightHand);
    QPainterPath shirt;
    shirt.moveTo(26, 48);
    shirt.lineTo(44, 48);
    shirt.quadTo(48, 49, 47.5, 54);
    shirt.lineTo(46.5, 73);
    shirt.lineTo(23.5, 73);
    shirt.lineTo(22.5, 54);
    shirt.quadTo(22, 49, 26, 48);
    shirt.closeSubpath();
    fillOutlined(p, shirt, kShirt);
    drawSleeve(p, kLeftShoulder, pose.leftElbow);
    drawSleeve(p, kRightShoulder, pose.rightElbow);
    fillOutlined(p, star(QPointF(35, 61), 6.2, 2.7), QColor(0xff, 0xe0, 0x3d), 0.9);
    if (pose.backpack) {
        p.setPen(QPen(QColor(0x1e, 0x7a, 0x42), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(27.5, 49), QPointF(27, 71));
        p.drawLine(QPointF(42.5, 49), QPointF(43, 71));
    }
    // Hands in front of the shirt again, so a hand on the hip stays visible.
    drawHand(p, pose.leftElbow, pose.leftHand, pose.leftOpen, false);
    drawHand(p, pose.rightElbow, pose.rightHand, pose.rightOpen, true);

    drawHead(p, pose);

    if (pose.leftWaving)
        drawWaveMarks(p, pose.leftHand, false);
    if (pose.rightWaving)
        drawWaveMarks(p, pose.rightHand, true);
}

QImage piko(const Pose &pose, int scale) {
    BigCanvas canvas(70, 97, scale);
    drawPiko(canvas.painter(), pose);
    return canvas.result();
}

// Standing, one hand raised in a friendly "hi", the other on his hip.
QImage hostPicture(int scale) {
    Pose pose;
    pose.leftElbow = {17, 62};
    pose.leftHand = {23.5, 69};
    pose.rightElbow = {56, 53};
    pose.rightHand = {61, 42};
    pose.rightOpen = true;
    return piko(pose, scale);
}

// Greeting the child: both hands up, waving hello.
QImage helloPicture(int scale) {
    Pose pose;
    pose.leftElbow = {14, 48};
    pose.leftHand = {9, 35};
    pose.rightElbow = {56, 48};
    pose.rightHand = {61, 35};
    pose.leftOpen = pose.rightOpen = true;
    pose.leftWaving = pose.rightWaving = true;
    return piko(pose, scale);
}

// Going home: backpack on, eyes closed in a smile, waving goodbye.
QImage goodbyePicture(int scale) {
    Pose pose;
    pose.backpack = true;
    pose.leftElbow = {14, 48};
    pose.leftHand = {10, 35};
    pose.leftOpen = true;
    pose.leftWaving = true;
    pose.rightElbow = {51, 61};
    pose.rightHand = {49, 70};
    pose.happyEyes = true;
    return piko(pose, scale);
}

// ---------------------------------------------------------------- the door

const QColor kFrame(0xd9, 0x9a, 0x52);
const QColor kDoor(0x9a, 0x5b, 0x2c);
const QColor kDoorDark(0x7e, 0x47, 0x20);
const QColor kSign(0x2b, 0xa8, 0x4a);

void drawExitSign(QPainter &p) {
    QPainterPath sign;
    sign.addRoundedRect(QRectF(12, 1.5, 41, 15), 3, 3);
    fillOutlined(p, sign, kSign);
    // A white arrow pointing right.
    QPainterPath arrow;
    arrow.moveTo(19, 7);
    arrow.lineTo(35, 7);
    arrow.lineTo(35, 4);
    arrow.lineTo(46, 9);
    arrow.lineTo(35, 14);
    arrow.lineTo(35, 11);
    arrow.lineTo(19, 11);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawPath(arrow);
}

void drawFrame(QPainter &p) {
    QPainterPath frame;
    frame.addRect(QRectF(8, 19, 49, 82));
    frame.addRect(QRectF(13, 24, 39, 77));
    frame.setFillRule(Qt::OddEvenFill);
    fillOutlined(p, frame, kFrame);
}

void drawClosedDoor(QPainter &p) {
    QPainterPath door;
    door.addRect(QRectF(13, 24, 39, 77));
    fillOutlined(p, door, kDoor);
    for (const QRectF panel : {QRectF(18, 30, 29, 26), QRectF(18, 63, 29, 32)}) {
        QPainterPath inset;
        inset.addRoundedRect(panel, 2, 2);
        p.setPen(QPen(kDoorDark, 1.4));
        p.setBrush(QColor(0xa8, 0x68, 0x36));
        p.drawPath(inset);
    }
    fillOutlined(p, ellipse(QPointF(46, 60), 2.6, 2.6), QColor(0xff, 0xd0, 0x3a), 0.9);
}

QImage exitPicture(int scale) {
    BigCanvas canvas(65, 102, scale);
    QPainter &p = canvas.painter();
    drawFrame(p);
    drawClosedDoor(p);
    drawExitSign(p);
    return canvas.result();
}

// The door stands open, showing the garden outside, and a small Piko walks out
// waving; the two frames differ in his step and his waving arm.
QImage exitAnimationFrame(int frame, int scale) {
    BigCanvas canvas(65, 102, scale);
    QPainter &p = canvas.painter();
    // Outside: sky and grass.
    QPainterPath opening;
    opening.addRect(QRectF(13, 24, 39, 77));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9f, 0xdc, 0xff));
    p.drawPath(opening);
    p.setBrush(QColor(0x6c, 0xc6, 0x4e));
    p.drawRect(QRectF(13, 80, 39, 21));
    p.setBrush(QColor(0xff, 0xe6, 0x4d));
    p.drawEllipse(QPointF(44, 33), 4.5, 4.5);
    drawFrame(p);
    // The door leaf swung open towards the viewer, on the hinge side.
    QPainterPath leaf;
    leaf.moveTo(13, 24);
    leaf.lineTo(4, 18);
    leaf.lineTo(4, 101);
    leaf.lineTo(13, 101);
    leaf.closeSubpath();
    fillOutlined(p, leaf, kDoor);
    fillOutlined(p, ellipse(QPointF(6.5, 62), 1.4, 2.2), QColor(0xff, 0xd0, 0x3a), 0.8);
    drawExitSign(p);

    // Little Piko stepping out: in the second frame he is a step nearer, so
    // he looks bigger and overlaps the door frame.
    Pose pose;
    pose.rightOpen = true;
    if (frame == 0) {
        pose.rightElbow = {56, 47};
        pose.rightHand = {61, 34};
        pose.rightWaving = true;
        pose.leftFootShift = -2.5;
        pose.rightFootShift = 2.5;
    } else {
        pose.rightElbow = {57, 52};
        pose.rightHand = {64, 42};
        pose.leftFootShift = 1.5;
        pose.rightFootShift = -1.5;
    }
    p.save();
    if (frame == 0) {
        p.translate(14, 50);
        p.scale(0.52, 0.52);
    } else {
        p.translate(19, 45);
        p.scale(0.58, 0.58);
    }
    drawPiko(p, pose);
    p.restore();
    return canvas.result();
}

// ---------------------------------------------------------------- button pictures

// An emoji picture centred on a 70 x 97 button picture (`scale` times that).
QImage centredOn70x97(const QImage &content, int top, int scale) {
    QImage image = blank(70 * scale, 97 * scale);
    QPainter p(&image);
    p.drawImage((70 * scale - content.width()) / 2, top, content);
    return image;
}

QImage clockPicture(int scale) {
    const QImage clock = fitted(emoji(0x23F0), 68 * scale, 68 * scale); // alarm clock
    return centredOn70x97(clock, (97 * scale - clock.height()) / 2, scale);
}

// Paper and pencil with an arrow pointing on: fits both "next question" and
// "leave the exam room".
QImage nextPicture(int scale) {
    QImage image = centredOn70x97(fitted(emoji(0x1F4DD), 58 * scale, 58 * scale), 4 * scale,
                                  scale); // memo
    BigCanvas canvas(70, 97, scale);
    QPainter &p = canvas.painter();
    QPainterPath arrow;
    arrow.moveTo(9, 72);
    arrow.lineTo(40, 72);
    arrow.lineTo(40, 64);
    arrow.lineTo(61, 79);
    arrow.lineTo(40, 94);
    arrow.lineTo(40, 86);
    arrow.lineTo(9, 86);
    arrow.closeSubpath();
    fillOutlined(p, arrow, kSign, 1.4);
    const QImage arrowImage = canvas.result();
    QPainter painter(&image);
    painter.drawImage(0, 0, arrowImage);
    return image;
}

// ---------------------------------------------------------------- small icons

// A neutral tile with a question mark, standing in for a counting picture.
QImage placeholderIcon(int size) {
    BigCanvas canvas(size, size);
    QPainter &p = canvas.painter();
    p.scale(size / 32.0, size / 32.0);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    p.setPen(QPen(QColor(0x70, 0x70, 0x8c), size == 16 ? 2.4 : 1.6));
    p.setBrush(QColor(0xee, 0xee, 0xf4));
    p.drawPath(tile);
    QPainterPath hook;
    hook.moveTo(10.5, 11.5);
    hook.cubicTo(10.5, 4.5, 22, 4.5, 21.5, 11.5);
    hook.cubicTo(21, 16, 16, 15.5, 16, 20.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x60, 0x60, 0x80), size == 16 ? 5.0 : 3.8, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x60, 0x60, 0x80));
    p.drawEllipse(QPointF(16, 26), size == 16 ? 2.8 : 2.3, size == 16 ? 2.8 : 2.3);
    return canvas.result();
}

// The start window's icon: "1+2" on an orange tile; the small size keeps only
// the plus sign, which stays readable at 16 pixels.
QImage windowIcon(int size) {
    BigCanvas canvas(size, size);
    QPainter &p = canvas.painter();
    p.scale(size / 32.0, size / 32.0);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
    p.setPen(QPen(QColor(0xb3, 0x4a, 0x00), 1.5));
    p.setBrush(QColor(0xff, 0x8a, 0x1f));
    p.drawPath(tile);
    if (size >= 32) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(15);
        if (QFontInfo(font).family() != QLatin1String("DejaVu Sans"))
            fail(QStringLiteral("the font \"DejaVu Sans\" is missing (Debian package "
                                "fonts-dejavu-core)"));
        p.setFont(font);
        p.setPen(kWhite);
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("1+2"));
    } else {
        p.setPen(QPen(kWhite, 5.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(16, 6.5), QPointF(16, 25.5));
        p.drawLine(QPointF(6.5, 16), QPointF(25.5, 16));
    }
    return canvas.result();
}

// The mouse cursor: a hand pointing left, its fingertip on the hot spot.
QImage cursorPicture(int scale) {
    const QPoint hotSpot = QPoint(5, 12) * scale;
    const QImage hand =
        fitted(emoji(0x1F448), 26 * scale, 26 * scale); // backhand index pointing left
    // The tip is the leftmost visible pixel column; take the middle of it.
    int tipX = hand.width(), tipTop = -1, tipBottom = -1;
    for (int x = 0; x < hand.width() && tipTop < 0; ++x)
        for (int y = 0; y < hand.height(); ++y)
            if (qAlpha(hand.pixel(x, y)) >= 128) {
                if (tipTop < 0) {
                    tipX = x;
                    tipTop = y;
                }
                tipBottom = y;
            }
    const QPoint offset = hotSpot - QPoint(tipX, (tipTop + tipBottom) / 2);
    QImage image = blank(32 * scale, 32 * scale);
    QPainter p(&image);
    // A dark rim so the hand shows on any background.
    QImage rim = hand.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter r(&rim);
        r.setCompositionMode(QPainter::CompositionMode_SourceIn);
        r.fillRect(rim.rect(), QColor(0x40, 0x2a, 0x10));
    }
    for (int step = 1; step <= scale; ++step)
        for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            p.drawImage(offset + d * step, rim);
    p.drawImage(offset, hand);
    return image;
}

// ---------------------------------------------------------------- the thirty icons

// The thirty counting pictures, all from the emoji font. They were chosen to
// differ in colour as well as in shape on the rows' violet background, so
// that no two rows look alike; light blue and pale grey things are left out
// because they fade into the violet.
const char32_t kCounting[30] = {
    0x1F34E, // 1 red apple
    0x1F34C, // 2 banana
    0x1F34A, // 3 orange
    0x1F438, // 4 frog
    0x1F699, // 5 blue car
    0x1F437, // 6 pig
    0x1F347, // 7 grapes
    0x1F43B, // 8 bear
    0x1F418, // 9 elephant
    0x1F427, // 10 penguin
    0x1F349, // 11 watermelon
    0x2B50,  // 12 star
    0x1F422, // 13 turtle
    0x1F308, // 14 rainbow
    0x1F955, // 15 carrot
    0x1F993, // 16 zebra
    0x1F338, // 17 cherry blossom
    0x1F40C, // 18 snail
    0x1F41D, // 19 bee
    0x26BD,  // 20 football
    0x1F680, // 21 rocket
    0x1F344, // 22 mushroom
    0x1F682, // 23 steam train
    0x1F419, // 24 octopus
    0x1F3B2, // 25 dice
    0x1F965, // 26 coconut
    0x1F42F, // 27 tiger
    0x1F966, // 28 broccoli
    0x1F692, // 29 fire engine
    0x1FAA3, // 30 bucket
};

void save(const QImage &image, const QDir &dir, const QString &name) {
    if (!image.save(dir.filePath(name), "PNG"))
        fail(QStringLiteral("cannot write %1").arg(dir.filePath(name)));
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        fail(QStringLiteral("cannot create %1").arg(out.path()));

    for (int i = 0; i < 30; ++i) {
        const QImage source = emoji(kCounting[i]);
        for (const int size : kIconSizes)
            save(squareIcon(source, size), out,
                 QStringLiteral("icon-%1-%2.png").arg(i + 1).arg(size));
    }

    // A single-size picture and its larger variants NAME@2x, NAME@4x: the
    // drawn ones at 2 and 4 times, the emoji buttons only at 2 (their emoji
    // would have to be scaled up beyond that).
    const auto saveWithVariants = [&](const QString &name, std::initializer_list<int> scales,
                                      const auto &draw) {
        save(draw(1), out, name + QStringLiteral(".png"));
        for (const int scale : scales)
            save(draw(scale), out, QStringLiteral("%1@%2x.png").arg(name).arg(scale));
    };
    const auto gif = [](QImage (*draw)(int)) {
        return [draw](int s) { return withBinaryAlpha(draw(s)); };
    };
    saveWithVariants(QStringLiteral("c01"), {2, 4}, gif(helloPicture));
    saveWithVariants(QStringLiteral("c04"), {2, 4}, gif(goodbyePicture));
    saveWithVariants(QStringLiteral("a01"), {2, 4},
                     [](int s) { return withBinaryAlpha(exitAnimationFrame(0, s)); });
    saveWithVariants(QStringLiteral("a02"), {2, 4},
                     [](int s) { return withBinaryAlpha(exitAnimationFrame(1, s)); });

    saveWithVariants(QStringLiteral("host"), {2, 4}, gif(hostPicture));
    saveWithVariants(QStringLiteral("exit"), {2, 4}, gif(exitPicture));
    saveWithVariants(QStringLiteral("cm1"), {2}, gif(clockPicture));
    saveWithVariants(QStringLiteral("cm46"), {2}, gif(nextPicture));
    for (const int size : kIconSizes) {
        save(placeholderIcon(size), out, QStringLiteral("placeholder-%1.png").arg(size));
        save(windowIcon(size), out, QStringLiteral("form1-%1.png").arg(size));
    }
    saveWithVariants(QStringLiteral("cursor"), {2, 4}, cursorPicture);
    // The application icon of the desktop entry and the package, in the
    // sizes desktops look for in the icon theme.
    for (const int size : {16, 32, 48, 64, 128, 256})
        save(windowIcon(size), out, QStringLiteral("app-%1.png").arg(size));
    return 0;
}
