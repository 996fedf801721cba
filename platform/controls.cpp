// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>

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
    const QRect room = contentsRect();
    const int mostPerLine = qMax(40, (room.width() / 3) * qMax(1, room.height() / 12));
    shown = shortenLongLines(shown, mostPerLine);
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
    QRect needed;
    const auto fits = [&](int size) {
        font.setPixelSize(size);
        needed = QFontMetrics(font).boundingRect(room, flags, text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    const int design = font.pixelSize();
    if (fits(design)) {
        setFont(font);
        return;
    }
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
        if (fits(guess)) {
            low = guess;
            if (!fits(guess + 1))
                high = guess + 1;
        } else {
            high = guess;
            if (fits(guess - 1)) {
                low = guess - 1;
                high = guess;
            }
        }
    }
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    font.setPixelSize(low);
    setFont(font);
}

void Label::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    showCaption();
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
