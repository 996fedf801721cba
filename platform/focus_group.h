// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QList>

namespace lumo {

/// A stand-in that lets the keyboard reach a group of controls as one (a
/// row of pictures): it covers the members that are shown, is there only
/// while one of them is, and is pressed with Space or Enter. It draws
/// nothing and takes no mouse input: clicks reach the members beneath it.
class FocusGroup : public QAbstractButton {
    Q_OBJECT
  public:
    explicit FocusGroup(QWidget *parent);

    /// A member; it must share the group's parent.
    void addMember(QWidget *member);
    const QList<QWidget *> &members() const { return members_; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void cover();

    QList<QWidget *> members_;
};

} // namespace lumo
