// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;
class QMessageBox;
class QPushButton;

namespace lumo {

/// How much larger than at the layout's design size a dialog over `parent`
/// is drawn: the scale of the screen's window it belongs to, else 1.
double dialogScale(const QWidget *parent);

/// The modal name prompt, as large as the window it belongs to: its text,
/// a field holding the default answer (selected, so that typing replaces
/// it), and the buttons "ตกลง" and "ยกเลิก". Enter answers with the field,
/// Esc cancels. With names to choose from, each is a large button: one tap
/// answers with that name, as listed; typing part of a name shows only the
/// names that hold it, and any other name can still be typed. A name too
/// long for its button is cut short there with an ellipsis; the dialog
/// never grows past the screen, and the names scroll when there are many.
class NamePrompt : public QDialog {
    Q_OBJECT
  public:
    NamePrompt(QWidget *parent, const QString &text, const QString &title,
               const QString &defaultAnswer, const QStringList &choices);

    /// The name picked, or else the text in the field.
    QString answer() const;

    QLineEdit *field() const { return field_; }
    const QList<QPushButton *> &nameButtons() const { return nameButtons_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }

  private:
    void pick(const QString &name);
    void showNamesHolding(const QString &typed);

    QLineEdit *field_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
    QList<QPushButton *> nameButtons_;
    QStringList choices_;
    QString picked_;
    bool hasPicked_ = false;
};

/// Sets up a message box for the end of a game over `parent`: `text` as
/// plain text (CR LF as line breaks, lines too long for any screen cut
/// short), no icon, the program's title, and one button "ตกลง"; text and
/// button as large as the window it belongs to.
void setUpMessage(QMessageBox &box, QWidget *parent, const QString &text);

} // namespace lumo
