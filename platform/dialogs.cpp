// The real modal dialogs. Text in them is shown as typed, never as markup.
#include "platform/services.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace lumo {

QString RealServices::prompt(QWidget *parent, const QString &text, const QString &title,
                             const QString &defaultAnswer)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(defaultAnswer);
    dialog.setInputMode(QInputDialog::TextInput);
    for (auto *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

void RealServices::message(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle, QString(), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Lines of the game's messages are separated by CR LF.
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.exec();
}

} // namespace lumo
