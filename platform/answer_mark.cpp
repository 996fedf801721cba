// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/answer_mark.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lumo {

// Blue and vermillion from the palette of Okabe and Ito, which readers
// with any common colour vision deficiency tell apart; white marks on
// both stand out against them by far more than large marks need.
const QColor AnswerMark::rightColour(0, 114, 178);
const QColor AnswerMark::wrongColour(213, 94, 0);

AnswerMark::AnswerMark(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void AnswerMark::cover(const QList<QWidget *> &boxes) {
    for (const QPointer<QWidget> &box : std::as_const(boxes_))
        if (box)
            box->removeEventFilter(this);
    boxes_.clear();
    for (QWidget *box : boxes) {
        boxes_.append(box);
        box->installEventFilter(this);
    }
    place();
}

void AnswerMark::showMark(bool right, int rightNumber, const QString &spoken) {
    right_ = right;
    rightNumber_ = rightNumber;
    setAccessibleName(spoken);
    place();
    raise();
    show();
    update();
}

bool AnswerMark::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        place();
    return QWidget::eventFilter(watched, event);
}

void AnswerMark::place() {
    QRect area;
    for (const QPointer<QWidget> &box : std::as_const(boxes_))
        if (box && box->parentWidget() == parentWidget())
            area |= box->geometry();
    if (area.isValid())
        setGeometry(area);
}

void AnswerMark::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = right_ ? rightColour : wrongColour;
    const double h = height();
    const double border = std::max(2.0, h / 14.0);

    // The card, framed in the mark's colour; the frame hides the boxes beneath.
    painter.fillRect(rect(), colour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(rect()).adjusted(border, border, -border, -border), h / 10,
                            h / 10);

    // The badge: a disc with a tick, or a square with a cross.
    const double d = std::min(h * 0.72, width() * 0.9);
    const double badgeLeft = right_ ? (width() - d) / 2 : border + h * 0.1;
    const QRectF badge(badgeLeft, (h - d) / 2, d, d);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    QPen stroke(Qt::white, d * 0.15, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const auto at = [&badge, d](double x, double y) {
        return badge.topLeft() + QPointF(x * d, y * d);
    };
    if (right_) {
        painter.drawEllipse(badge);
        painter.setPen(stroke);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF{at(0.26, 0.53), at(0.43, 0.7), at(0.75, 0.33)});
        return;
    }
    painter.drawRoundedRect(badge, d * 0.14, d * 0.14);
    painter.setPen(stroke);
    painter.drawLine(at(0.3, 0.3), at(0.7, 0.7));
    painter.drawLine(at(0.7, 0.3), at(0.3, 0.7));

    // The right number beside the cross, as large as the room allows.
    const QString number = QString::number(rightNumber_);
    const QRectF room(badge.right() + h * 0.08, border, width() - badge.right() - h * 0.08 - border,
                      h - 2 * border);
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(std::max(1, qRound(h * 0.62)));
    const int wide = QFontMetrics(font).horizontalAdvance(number);
    if (wide > room.width() && wide > 0)
        font.setPixelSize(std::max(1, int(font.pixelSize() * room.width() / wide)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(room, Qt::AlignCenter, number);
}

} // namespace lumo
