// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The real modal dialogs. Text in them is shown as typed, never as markup.
#include "platform/services.h"

#include "platform/controls.h"

#include <QComboBox>
#include <QCompleter>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace lumo {

QString RealServices::prompt(QWidget *parent, const QString &text, const QString &title,
                             const QString &defaultAnswer, const QStringList &choices) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setInputMode(QInputDialog::TextInput);
    if (!choices.isEmpty()) {
        dialog.setComboBoxItems(choices);
        dialog.setComboBoxEditable(true);
        if (auto *names = dialog.findChild<QComboBox *>()) {
            // An editable combo box finishes a typed text by looking it up
            // in its list ignoring case, and then answers with the listed
            // spelling; and its inline completion fills in a listed name
            // from the first letters. The name must stay as the child typed
            // it: list names are offered in a popup, compared case by case,
            // those with the typed letters anywhere (a first name finds the
            // name with its title).
            auto *completer = new QCompleter(choices, names);
            completer->setCaseSensitivity(Qt::CaseSensitive);
            completer->setFilterMode(Qt::MatchContains);
            completer->setCompletionMode(QCompleter::PopupCompletion);
            names->setCompleter(completer);
            // No name is picked yet, so that the Down key picks the first.
            names->setCurrentIndex(-1);
        }
    }
    dialog.setTextValue(defaultAnswer);
    for (auto *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    // Cancelled (Esc, its Cancel button or its close box), it answers with
    // the empty text; never with a null one, which is no text at all.
    const QString answer = dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    return answer.isNull() ? QStringLiteral("") : answer;
}

void RealServices::message(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, programTitle, QString(), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // The end of a game is news for a child: large enough to read at a glance.
    QFont font = box.font();
    font.setPixelSize(20);
    box.setFont(font);
    // Lines of the game's messages are separated by CR LF. A line as long as
    // the longest name would make the box taller than the screen.
    constexpr int longestShownLine = 200;
    box.setText(shortenLongLines(
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), longestShownLine));
    box.exec();
}

} // namespace lumo
