// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/look.h"

#include <QFont>
#include <QHeaderView>
#include <QPalette>
#include <QWidget>

namespace lumo::teacher {

void applyTeacherLook(QWidget *window) {
    QPalette palette = window->palette();
    const QColor lightBlue(192, 192, 255);
    const QColor darkBlue(0, 0, 64);
    palette.setColor(QPalette::Window, lightBlue);
    palette.setColor(QPalette::WindowText, darkBlue);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(232, 232, 255));
    palette.setColor(QPalette::Text, darkBlue);
    palette.setColor(QPalette::Button, QColor(224, 224, 255));
    palette.setColor(QPalette::ButtonText, darkBlue);
    // A button that cannot be pressed must look it.
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 160));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 160));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 160));
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    window->setPalette(palette);

    // "Tahoma" is mapped to a Thai family by the platform's font set-up.
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(15);
    window->setFont(font);
    // Styles give table headers a smaller font of their own.
    for (QHeaderView *header : window->findChildren<QHeaderView *>())
        header->setFont(font);
}

} // namespace lumo::teacher
