// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fonts.h"

#include <QStringList>

namespace lumo {

namespace {

// The first that is installed stands in for a missing family, and the
// others give the glyphs that it lacks. Debian's fonts come first (on
// Windows they are found only under Wine, whose own fonts have no Thai),
// then Windows' own; DejaVu last, for Latin text alone.
const QStringList sans{QStringLiteral("Loma"),           QStringLiteral("Garuda"),
                       QStringLiteral("Noto Sans Thai"), QStringLiteral("Microsoft Sans Serif"),
                       QStringLiteral("Tahoma"),         QStringLiteral("Leelawadee UI"),
                       QStringLiteral("DejaVu Sans")};
const QStringList serif{QStringLiteral("Norasi"),          QStringLiteral("Kinnari"),
                        QStringLiteral("Noto Serif Thai"), QStringLiteral("Leelawadee UI"),
                        QStringLiteral("Tahoma"),          QStringLiteral("DejaVu Serif")};

void substitute(const QString &family, QStringList by) {
    by.removeAll(family);
    QFont::insertSubstitutions(family, by);
}

} // namespace

void installFontSubstitutions() {
    substitute(QStringLiteral("Tahoma"), sans);
    substitute(QStringLiteral("MS Sans Serif"), sans);
    substitute(QStringLiteral("Times New Roman"), serif);
}

QFont layoutFont(const QString &family) {
    QFont font(family);
    font.setStyleStrategy(QFont::ForceOutline);
    return font;
}

} // namespace lumo
