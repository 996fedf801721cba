// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/dialogs.h"

#include "teacher/texts.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

namespace lumo::teacher {

bool TeacherDialogs::deletionWent(QWidget *parent, int removed, const QString &error) {
    if (removed >= 0)
        return true;
    inform(parent, QStringLiteral("ลบไม่ได้: %1").arg(error));
    return false;
}

QString RealTeacherDialogs::saveFileName(QWidget *parent, const QString &suggestedPath) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("ส่งออกเป็น CSV"), suggestedPath,
                                        QStringLiteral("CSV (*.csv)"));
}

bool RealTeacherDialogs::confirm(QWidget *parent, const QString &question) {
    QMessageBox box(QMessageBox::Warning, teacherWindowTitle, question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("ลบ"));
    box.button(QMessageBox::No)->setText(QStringLiteral("ไม่ลบ"));
    return box.exec() == QMessageBox::Yes;
}

void RealTeacherDialogs::inform(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::Information, teacherWindowTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace lumo::teacher
