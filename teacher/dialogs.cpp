// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/dialogs.h"

#include "teacher/texts.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace lumo::teacher {

namespace {

/// A dialog reads as well as the window it belongs to: fonts do not pass
/// from a window to its dialogs by themselves.
void fontOf(QWidget *dialog, QWidget *parent) {
    if (parent)
        dialog->setFont(parent->window()->font());
}

const QString workbookFilter = QStringLiteral("สมุดงาน Excel (*.xlsx)");
const QString csvFilter = QStringLiteral("CSV สองไฟล์: เกมและคำตอบ (*.csv)");
} // namespace

std::optional<QString> TeacherDialogs::askPin(QWidget *, const QString &) {
    return std::nullopt;
}

QString TeacherDialogs::openFileName(QWidget *, const QString &) {
    return {};
}

bool TeacherDialogs::deletionWent(QWidget *parent, int removed, const QString &error) {
    if (removed >= 0)
        return true;
    inform(parent, QStringLiteral("ลบไม่ได้: %1").arg(error));
    return false;
}

QString RealTeacherDialogs::saveFileName(QWidget *parent, const QString &suggestedPath) {
    QFileDialog dialog(parent, QStringLiteral("ส่งออกผลการทดสอบ"), suggestedPath,
                       workbookFilter + QStringLiteral(";;") + csvFilter);
    fontOf(&dialog, parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectNameFilter(
        QFileInfo(suggestedPath).suffix() == QLatin1String("csv") ? csvFilter : workbookFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().first();
    // The kind chosen decides when the name has no ending of its own.
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        path += dialog.selectedNameFilter() == csvFilter ? QStringLiteral(".csv")
                                                         : QStringLiteral(".xlsx");
    return path;
}

bool RealTeacherDialogs::confirm(QWidget *parent, const QString &question) {
    QMessageBox box(QMessageBox::Warning, teacherWindowTitle, question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    fontOf(&box, parent);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("ลบ"));
    box.button(QMessageBox::No)->setText(QStringLiteral("ไม่ลบ"));
    return box.exec() == QMessageBox::Yes;
}

void RealTeacherDialogs::inform(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::Information, teacherWindowTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    fontOf(&box, parent);
    box.exec();
}

std::optional<QString> RealTeacherDialogs::askPin(QWidget *parent, const QString &text) {
    QInputDialog dialog(parent);
    fontOf(&dialog, parent);
    dialog.setWindowTitle(teacherWindowTitle);
    dialog.setLabelText(text);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    for (auto *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString RealTeacherDialogs::openFileName(QWidget *parent, const QString &title) {
    QFileDialog dialog(parent, title, QString(),
                       QStringLiteral("ไฟล์ข้อความ (*.txt *.csv);;ทุกไฟล์ (*)"));
    fontOf(&dialog, parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace lumo::teacher
