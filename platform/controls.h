#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace lumo {

/// The text with every line longer than `maxLength` characters cut at a
/// character boundary and ended with an ellipsis, so that a very long name
/// cannot make a label or a dialog slow or huge. Lines are separated by LF.
QString shortenLongLines(const QString &text, int maxLength);

/// A text label: centred, wrapped at its width, never markup. CR LF in a
/// caption is a line break. When a caption does not fit, the label draws it
/// in a smaller size of its font rather than cutting it off; only a caption
/// far longer than the label could ever show is drawn cut short.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return caption_; }

    /// The font the layout gives; the label may draw smaller to fit.
    void setDesignFont(const QFont &font);
    QFont designFont() const { return designFont_; }
    /// The layout's scale: the design font and border grow with it.
    void setScale(double scale);

signals:
    /// A mouse button went down on (or was released after a press on) the label.
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showCaption();
    void fitFont();
    QFont scaledDesignFont() const;

    QString caption_;
    QFont designFont_;
    double scale_ = 1.0;
};

/// A picture that takes the size of the image it shows and reports clicks.
class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget *parent = nullptr);

    /// The picture, shown at its own size times the layout's scale.
    void setPicture(const QPixmap &pixmap);
    void setEmpty();
    bool isEmpty() const { return picture_.isNull(); }
    void setScale(double scale);
    /// A mouse pointer of its own while over the picture, scaled likewise.
    void setPointer(const QPixmap &pointer, QPoint hotSpot);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showPicture();

    QPixmap picture_;
    QPixmap pointer_;
    QPoint pointerHotSpot_;
    double scale_ = 1.0;
    bool pressedInside_ = false;
};

/// A push button that shows a picture above its caption.
class Button : public QToolButton {
    Q_OBJECT
public:
    explicit Button(QWidget *parent = nullptr);
    /// The picture above the caption, at its own size times the layout's scale.
    void setPicture(const QPixmap &pixmap);
    void setDesignFont(const QFont &font);
    void setScale(double scale);

private:
    QFont designFont_;
    QSize pictureSize_;
    double scale_ = 1.0;
};

/// A framed group; the children's places are relative to its outer corner.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget *parent = nullptr);
    void setScale(double scale);

private:
    QFont designFont_;
};

} // namespace lumo
