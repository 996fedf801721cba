// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace lumo {

void installFontSubstitutions() {
    const QStringList sans{QStringLiteral("Loma"), QStringLiteral("Garuda"),
                           QStringLiteral("Noto Sans Thai"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Norasi"), QStringLiteral("Kinnari"),
                            QStringLiteral("Noto Serif Thai"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), serif);
}

} // namespace lumo
