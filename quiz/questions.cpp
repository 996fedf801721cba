// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a question: the picture rows of its level, and the answer slots
// and counters that fit them.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/services.h"

namespace lumo {

namespace {
const QString placeholderIcon = QStringLiteral(":/pictures/placeholder.ico");
}

Form2::Group Form2::group(int g) {
    switch (g) {
    case 1:
        return {Im1, LB6, LB7, LB4};
    case 2:
        return {Im2, LB8, LB9, Label6};
    case 3:
        return {Im3, LB10, LB11, Label16};
    default:
        return {Im4, LB12, LB13, Label14};
    }
}

void Form2::showGroupPictures(int g) {
    Group grp = group(g);
    // Each question reads its pictures' files anew, once for the whole row;
    // a file that cannot be read shows the built-in placeholder and the
    // question goes on.
    const QString file =
        services_.iconPath(QString::number(game_.iconNumber()[g - 1]) + QStringLiteral(".ico"));
    const Artwork picture = loadArtwork(file, placeholderIcon);
    for (int k = 0; k < game_.count(g); ++k) {
        grp.row[k]->show();
        grp.row[k]->setArtwork(picture);
    }
}

void Form2::showLevelsControls(int level) {
    const quiz::Level *rules = quiz::levelRules(level);
    if (!rules)
        return;
    // Rows of lower levels are shown too, for a game that starts above level 1.
    for (int g = 1; g <= rules->groups; ++g) {
        showGroupPictures(g);
        group(g).units->show();
        group(g).counter->show();
    }
    if (rules->asksTotal()) {
        LB14->show();
        LB15->show();
        Label18->show();
    }
    nin();
}

void Form2::Lv1() {
    showLevelsControls(1);
}
void Form2::Lv2() {
    showLevelsControls(2);
}
void Form2::Lv3() {
    showLevelsControls(3);
}
void Form2::Lv4() {
    showLevelsControls(4);
}

void Form2::nin() {
    for (int g = 1; g <= 4; ++g)
        group(g).tens->setVisible(game_.count(g) >= 10);
}

} // namespace lumo
