#include "platform/controls.h"

#include <QMouseEvent>

namespace lumo {

namespace {
constexpr int smallestFittedPixelSize = 9;
}

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setCaption(const QString &caption)
{
    caption_ = caption;
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setText(shown);
    // A label with a spoken name of its own (a slot, a counter) tells a
    // screen reader its caption as the description.
    if (!accessibleName().isEmpty())
        setAccessibleDescription(shown);
    fitFont();
}

void Label::setDesignFont(const QFont &font)
{
    designFont_ = font;
    fitFont();
}

void Label::fitFont()
{
    QFont font = designFont_;
    const QRect room = contentsRect();
    if (room.isEmpty() || text().isEmpty() || font.pixelSize() <= 0) {
        setFont(font);
        return;
    }
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const auto fits = [&](int size) {
        font.setPixelSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(room, flags, text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    // The largest size that fits, found by halving: a few measurements
    // even for a very long caption.
    int low = smallestFittedPixelSize;
    int high = designFont_.pixelSize();
    if (!fits(high)) {
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            if (fits(middle))
                low = middle;
            else
                high = middle;
        }
        high = low;
    }
    font.setPixelSize(high);
    setFont(font);
}

void Label::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fitFont();
}

void Label::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button());
    event->accept();
}

Picture::Picture(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void Picture::setPicture(const QPixmap &pixmap)
{
    setPixmap(pixmap);
    if (!pixmap.isNull())
        resize(pixmap.deviceIndependentSize().toSize());
}

void Picture::setEmpty() { setPixmap(QPixmap()); }

void Picture::mousePressEvent(QMouseEvent *event)
{
    pressedInside_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressedInside_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressedInside_ = false;
    event->accept();
    if (click)
        emit clicked();
}

Button::Button(QWidget *parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);
    setAutoRaise(false);
}

void Button::setPicture(const QPixmap &pixmap)
{
    setIcon(QIcon(pixmap));
    setIconSize(pixmap.deviceIndependentSize().toSize());
}

Frame::Frame(QWidget *parent) : QGroupBox(parent) { setFocusPolicy(Qt::NoFocus); }

} // namespace lumo
