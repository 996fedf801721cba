// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/twips.h"

#include <QCache>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace lumo {

namespace {
constexpr int smallestFittedPixelSize = 9;
const QChar ellipsis(0x2026);
} // namespace

QString shortenLongLines(const QString &text, int maxLength) {
    if (text.size() <= maxLength)
        return text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.size() <= maxLength)
            continue;
        // Never between a letter and its marks, nor inside a surrogate pair.
        const QString head = line.left(maxLength + 16);
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, head);
        graphemes.setPosition(maxLength);
        if (!graphemes.isAtBoundary())
            graphemes.toPreviousBoundary();
        line = head.left(qMax<qsizetype>(graphemes.position(), 0)) + ellipsis;
    }
    return lines.join(QLatin1Char('\n'));
}

Label::Label(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setCaption(const QString &caption) {
    caption_ = caption;
    showCaption();
}

void Label::showCaption() {
    QString shown = caption_;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // No line can show more characters than fit at the smallest size
    // (about 3 x 12 pixels each); measuring more would only cost time.
    // Shortened only once the label has its size: the size it has before
    // would cut every longer caption, and finding where a letter ends is
    // slow the first time.
    if (testAttribute(Qt::WA_Resized)) {
        const QRect room = contentsRect();
        const int mostPerLine = qMax(40, (room.width() / 3) * qMax(1, room.height() / 12));
        shown = shortenLongLines(shown, mostPerLine);
    }
    setText(shown);
    // A label with a spoken name of its own (a slot, a counter) tells a
    // screen reader its caption as the description.
    if (!accessibleName().isEmpty())
        setAccessibleDescription(shown);
    fitFont();
}

void Label::setDesignFont(const QFont &font) {
    designFont_ = font;
    fitFont();
}

void Label::setScale(double scale) {
    scale_ = scale;
    setLineWidth(scaled(1, scale));
    fitFont();
}

QFont Label::scaledDesignFont() const {
    QFont font = designFont_;
    if (font.pixelSize() > 0)
        font.setPixelSize(scaled(font.pixelSize(), scale_));
    return font;
}

void Label::fitFont() {
    QFont font = scaledDesignFont();
    const QRect room = contentsRect();
    // Until the layout has given the label its size there is nothing to fit to.
    if (!testAttribute(Qt::WA_Resized) || room.isEmpty() || text().isEmpty() ||
        font.pixelSize() <= 0) {
        setFont(font);
        return;
    }
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const int design = font.pixelSize();
    const QFontMetrics designMetrics(font);
    QRect needed = designMetrics.boundingRect(room, flags, text());
    if (needed.width() <= room.width() && needed.height() <= room.height()) {
        setFont(font);
        return;
    }
    // Glyphs grow with the size, so a text fits at `size` as it fits at the
    // design size in a room larger by design / size. The search measures
    // with the design size's font alone: a font at every size tried would
    // each be looked up and loaded, which made a screen's first opening slow.
    const auto fitsWhenScaled = [&](int size) {
        const double larger = double(design) / size;
        const QRect scaledRoom(0, 0, int(room.width() * larger), int(room.height() * larger));
        needed = designMetrics.boundingRect(scaledRoom, flags, text());
        return needed.width() <= scaledRoom.width() && needed.height() <= scaledRoom.height();
    };
    const auto fits = [&](int size) {
        font.setPixelSize(size);
        needed = QFontMetrics(font).boundingRect(room, flags, text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    // The text's area shrinks with the square of the size: guess from the
    // area it needs now, then close in by halving around the guess.
    // Never larger than the layout asks, and never below a readable size
    // (a layout font smaller than that stays as it is).
    const double share =
        double(room.width()) * room.height() / (double(needed.width()) * needed.height());
    int low = std::min(smallestFittedPixelSize, design);
    int high = design;
    if (high - low > 2) {
        const int guess = std::clamp(int(design * std::sqrt(share)), low + 1, high - 1);
        if (fitsWhenScaled(guess)) {
            low = guess;
            if (!fitsWhenScaled(guess + 1))
                high = guess + 1;
        } else {
            high = guess;
            if (fitsWhenScaled(guess - 1)) {
                low = guess - 1;
                high = guess;
            }
        }
    }
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (fitsWhenScaled(middle))
            low = middle;
        else
            high = middle;
    }
    // Rounding at the smaller size may still cost a pixel: checked with the
    // font itself.
    while (low > smallestFittedPixelSize && !fits(low))
        --low;
    font.setPixelSize(low);
    setFont(font);
}

void Label::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    showCaption();
}

// Text drawn larger than this (in device pixels) is drawn as outlines at
// every paint: the raster engine keeps only smaller glyphs as pictures.
constexpr int largestCachedGlyph = 64;
// The large captions kept drawn, in kilobytes: both screens' at 4K.
constexpr int keptCaptionsKilobytes = 48 * 1024;

// Kept with the application, so that no picture outlives it.
class DrawnCaptions : public QObject {
  public:
    using QObject::QObject;
    QCache<QString, QPixmap> pictures{keptCaptionsKilobytes};
};

// The large captions painted once and not kept (yet), by their key's hash.
QCache<size_t, bool> &seenCaptions() {
    static QCache<size_t, bool> seen(1024);
    return seen;
}

QCache<QString, QPixmap> &drawnCaptions() {
    static QPointer<DrawnCaptions> kept;
    if (!kept)
        kept = new DrawnCaptions(QCoreApplication::instance());
    return kept->pictures;
}

bool Label::keepsDrawing() const {
    const QFont shown = font();
    const qreal pixels = shown.pixelSize() > 0 ? shown.pixelSize() : shown.pointSizeF() * 96 / 72;
    return !text().isEmpty() && pixels * devicePixelRatioF() >= largestCachedGlyph;
}

QString Label::drawingKey() const {
    // The colours the text and the frame are drawn in: a palette set anew
    // with the same colours draws the same.
    QString colours;
    const QPalette &shown = palette();
    for (const QPalette::ColorRole role :
         {foregroundRole(), QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark,
          QPalette::Shadow, QPalette::Window})
        colours += QString::number(shown.color(role).rgba64(), 16) + QLatin1Char(',');
    return QStringLiteral("%1|%2x%3@%4|%5|%6|%7|%8|%9")
        .arg(font().key())
        .arg(width())
        .arg(height())
        .arg(devicePixelRatioF())
        .arg(colours)
        .arg(isEnabled())
        .arg(QStringLiteral("%1,%2,%3,%4,%5,%6")
                 .arg(int(alignment()))
                 .arg(wordWrap())
                 .arg(frameStyle())
                 .arg(lineWidth())
                 .arg(margin())
                 .arg(indent()))
        .arg(int(layoutDirection()))
        .arg(text());
}

QPixmap Label::drawCaption() {
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    // As QLabel paints a plain text: its frame, then the text in the
    // frame's contents, a frame's indent on the aligned sides.
    QPainter painter(&pixmap);
    painter.setFont(font());
    drawFrame(&painter);
    const bool rightToLeft = text().isRightToLeft();
    const int align =
        QStyle::visualAlignment(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, alignment());
    QRect room = contentsRect().marginsRemoved(QMargins() + margin());
    const int indent = this->indent() < 0 && frameWidth()
                           ? fontMetrics().horizontalAdvance(u'x') / 2 - margin()
                           : this->indent();
    if (indent > 0)
        room.adjust(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                    align & Qt::AlignRight ? -indent : 0, align & Qt::AlignBottom ? -indent : 0);
    const int flags = align | (wordWrap() ? Qt::TextWordWrap : 0) |
                      (rightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
    style()->drawItemText(&painter, room, flags, palette(), isEnabled(), text(), foregroundRole());
    return pixmap;
}

void Label::paintEvent(QPaintEvent *event) {
    if (!keepsDrawing()) {
        QLabel::paintEvent(event);
        return;
    }
    QCache<QString, QPixmap> &kept = drawnCaptions();
    const QString key = drawingKey();
    QPixmap drawn;
    if (const QPixmap *found = kept.object(key)) {
        drawn = *found;
    } else if (!seenCaptions().remove(qHash(key))) {
        // Seen for the first time: a caption that changes at every paint (a
        // clock) would only push the others out, so it is kept only once it
        // comes again.
        seenCaptions().insert(qHash(key), new bool(true));
        QLabel::paintEvent(event);
        return;
    } else {
        drawn = drawCaption();
        const qint64 kilobytes = qint64(drawn.width()) * drawn.height() * 4 / 1024;
        kept.insert(key, new QPixmap(drawn), std::max<qint64>(1, kilobytes));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, drawn);
}

void Label::mousePressEvent(QMouseEvent *event) {
    emit pressed(event->button());
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *event) {
    emit released(event->button());
    event->accept();
}

Picture::Picture(QWidget *parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void Picture::setArtwork(const Artwork &artwork) {
    artwork_ = artwork;
    drawnSize_ = QSize();
    if (artwork_.isNull()) {
        setPixmap(QPixmap());
        return;
    }
    // Drawn here and not only on resizing: a picture of the same size as
    // the last one is not resized, and a hidden one hears of it only when shown.
    resize((QSizeF(artwork_.designSize()) * scale_).toSize());
    drawArtwork();
}

void Picture::setEmpty() {
    setArtwork(Artwork());
}

void Picture::setScale(qreal scale) {
    scale_ = scale;
    if (!artwork_.isNull()) {
        resize((QSizeF(artwork_.designSize()) * scale_).toSize());
        drawArtwork();
    }
    showPointer();
}

void Picture::setPointer(const Artwork &pointer, QPoint hotSpot) {
    pointer_ = pointer;
    pointerHotSpot_ = hotSpot;
    showPointer();
}

void Picture::showPointer() {
    if (pointer_.isNull())
        return;
    // The hot spot is in logical pixels, as the pointer's picture is.
    const qreal ratio = devicePixelRatioF();
    setCursor(QCursor(pointer_.pixmap(scaled(pointer_.designSize(), scale_), ratio),
                      qRound(pointerHotSpot_.x() * scale_), qRound(pointerHotSpot_.y() * scale_)));
}

void Picture::drawArtwork() {
    const qreal ratio = devicePixelRatioF();
    if (artwork_.isNull() || (drawnSize_ == size() && qFuzzyCompare(drawnRatio_, ratio)))
        return;
    drawnSize_ = size();
    drawnRatio_ = ratio;
    setPixmap(artwork_.pixmap(drawnSize_, drawnRatio_));
}

void Picture::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    drawArtwork();
}

void Picture::paintEvent(QPaintEvent *) {
    // Moved to a screen of another pixel ratio: drawn anew for it.
    drawArtwork();
    // Not QLabel's painting: it washes a disabled label's picture out grey.
    QPainter painter(this);
    drawFrame(&painter);
    const QPixmap shown = pixmap();
    if (!shown.isNull())
        painter.drawPixmap(contentsRect().topLeft(), shown);
}

void Picture::mousePressEvent(QMouseEvent *event) {
    pressedInside_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = pressedInside_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressedInside_ = false;
    event->accept();
    if (click)
        emit clicked();
}

Button::Button(QWidget *parent) : QToolButton(parent) {
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);
    setAutoRaise(false);
}

void Button::setArtwork(const Artwork &artwork) {
    artwork_ = artwork;
    setIcon(artworkIcon(artwork_));
    if (!artwork_.isNull())
        setIconSize((QSizeF(artwork_.designSize()) * scale_).toSize());
}

void Button::setDesignFont(const QFont &font) {
    designFont_ = font;
    setScale(scale_);
}

void Button::setScale(qreal scale) {
    scale_ = scale;
    QFont font = designFont_;
    font.setPixelSize(scaled(designFont_.pixelSize(), scale));
    setFont(font);
    if (!artwork_.isNull())
        setIconSize((QSizeF(artwork_.designSize()) * scale_).toSize());
}

Frame::Frame(QWidget *parent) : QGroupBox(parent) {
    setFocusPolicy(Qt::NoFocus);
    designFont_ = font();
}

void Frame::setScale(double scale) {
    QFont font = designFont_;
    font.setPixelSize(scaled(designFont_.pixelSize(), scale));
    setFont(font);
}

} // namespace lumo
