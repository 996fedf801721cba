// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/qt_thai.h"

#include <QCoreApplication>
#include <QTranslator>

namespace lumo::teacher {

bool installQtThai(const QLocale &locale) {
    static QTranslator *installed = nullptr;
    if (installed)
        return true;
    if (locale.language() != QLocale::Thai || !QCoreApplication::instance())
        return false;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/lumo3/translations/qt_th.qm")) ||
        !QCoreApplication::installTranslator(translator)) {
        qWarning("lumo3: the Thai texts of Qt's dialogs could not be loaded");
        delete translator;
        return false;
    }
    installed = translator;
    return true;
}

} // namespace lumo::teacher
