#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace lumo {

/// A text label: centred, wrapped at its width, never markup. CR LF in a
/// caption is a line break. When a caption does not fit, the label draws it
/// in a smaller size of its font rather than cutting it off.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return caption_; }

    /// The font the layout gives; the label may draw smaller to fit.
    void setDesignFont(const QFont &font);
    QFont designFont() const { return designFont_; }

signals:
    /// A mouse button went down on (or was released after a press on) the label.
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitFont();

    QString caption_;
    QFont designFont_;
};

/// A picture that takes the size of the image it shows and reports clicks.
class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget *parent = nullptr);

    void setPicture(const QPixmap &pixmap);
    void setEmpty();
    bool isEmpty() const { return pixmap().isNull(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressedInside_ = false;
};

/// A push button that shows a picture above its caption.
class Button : public QToolButton {
    Q_OBJECT
public:
    explicit Button(QWidget *parent = nullptr);
    void setPicture(const QPixmap &pixmap);
};

/// A framed group; the children's places are relative to its outer corner.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget *parent = nullptr);
};

} // namespace lumo
