// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/artwork.h"

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
/// far longer than the label could ever show is drawn cut short. A caption
/// too large for the painter's glyph cache (as on a 4K screen) and shown a
/// second time is drawn into a picture and kept, for every label, until what
/// it shows changes (its text, font, size, colours or frame) or newer
/// pictures push it out; a caption shown once (a clock's) is not kept.
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
    void paintEvent(QPaintEvent *event) override;

  private:
    void showCaption();
    void fitFont();
    QFont scaledDesignFont() const;
    bool keepsDrawing() const;
    QString drawingKey() const;
    QPixmap drawCaption();

    QString caption_;
    QFont designFont_;
    double scale_ = 1.0;
};

/// A picture that reports clicks. It takes its artwork's design size times
/// its scale, and draws the artwork to fill whatever size it is given, sharp
/// on the screen it is on. A disabled picture keeps its colours: the start
/// screen disables its host while he waves goodbye.
class Picture : public QLabel {
    Q_OBJECT
  public:
    explicit Picture(QWidget *parent = nullptr);

    void setArtwork(const Artwork &artwork);
    const Artwork &artwork() const { return artwork_; }
    void setEmpty();
    bool isEmpty() const { return artwork_.isNull(); }

    /// Logical pixels per design pixel: 1 in the unscaled window.
    void setScale(qreal scale);
    qreal scale() const { return scale_; }
    /// A mouse pointer of its own while over the picture, scaled likewise;
    /// the hot spot is given at the pointer's design size.
    void setPointer(const Artwork &pointer, QPoint hotSpot);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void drawArtwork();
    void showPointer();

    Artwork artwork_;
    Artwork pointer_;
    QPoint pointerHotSpot_;
    qreal scale_ = 1.0;
    // The size and pixel ratio the artwork was last drawn for.
    QSize drawnSize_;
    qreal drawnRatio_ = 0.0;
    bool pressedInside_ = false;
};

/// A push button that shows a picture above its caption, at the picture's
/// design size times the button's scale.
class Button : public QToolButton {
    Q_OBJECT
  public:
    explicit Button(QWidget *parent = nullptr);
    void setArtwork(const Artwork &artwork);
    const Artwork &artwork() const { return artwork_; }
    /// The caption's font at the design size.
    void setDesignFont(const QFont &font);

    /// Logical pixels per design pixel: 1 in the unscaled window.
    void setScale(qreal scale);
    qreal scale() const { return scale_; }

  private:
    Artwork artwork_;
    QFont designFont_;
    qreal scale_ = 1.0;
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
