// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace lumo {

/// Whether an answer was right, for a child who cannot read yet: a card
/// laid over the answer's boxes with a blue tick in a circle, or an orange
/// cross in a square followed by the right number. Colours and shapes both
/// tell them apart, so that children who do not see red and green apart
/// (or blue and orange) still can. The card takes the place of the boxes
/// it covers wherever they move and however large they grow; it takes no
/// mouse input, and a screen reader reads it by its name.
class AnswerMark : public QWidget {
    Q_OBJECT
  public:
    /// The tick's and the cross's colours.
    static const QColor rightColour;
    static const QColor wrongColour;

    explicit AnswerMark(QWidget *parent);

    /// Lays the card over `boxes` (their joint rectangle, shown or not).
    void cover(const QList<QWidget *> &boxes);
    /// Shows the card: a tick, or a cross with `rightNumber`; `spoken` is
    /// what a screen reader says of it.
    void showMark(bool right, int rightNumber, const QString &spoken);

    bool isRight() const { return right_; }
    int rightNumber() const { return rightNumber_; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void place();

    QList<QPointer<QWidget>> boxes_;
    bool right_ = false;
    int rightNumber_ = 0;
};

} // namespace lumo
