// Building a question: the picture rows of the current level, their sizes,
// the total, and the answer slots that fit them.
#include "quiz/form2.h"

#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/services.h"

namespace lumo {

namespace {
const QString placeholderIcon = QStringLiteral(":/pictures/placeholder.ico");
}

Form2::Group Form2::group(int g)
{
    switch (g) {
    case 1:
        return {Im1, groupTop1, LB6, LB7, LB4};
    case 2:
        return {Im2, groupTop2, LB8, LB9, Label6};
    case 3:
        return {Im3, groupTop3, LB10, LB11, Label16};
    default:
        return {Im4, groupTop4, LB12, LB13, Label14};
    }
}

void Form2::drawGroupSize(int g)
{
    group(g).top = static_cast<Integer>(services_.random() * 14 + 1);
}

void Form2::showGroupPictures(int g)
{
    Group grp = group(g);
    // Each picture reads its file anew; a file that cannot be read shows
    // the built-in placeholder and the question goes on.
    const QString file = services_.iconPath(QString::number(iconNumber[g - 1]) + QStringLiteral(".ico"));
    for (loopIndex = 0; loopIndex <= grp.top; ++loopIndex) {
        grp.row[loopIndex]->show();
        grp.row[loopIndex]->setPicture(loadPicture(file, placeholderIcon));
    }
}

void Form2::showGroup(int g)
{
    drawGroupSize(g);
    showGroupPictures(g);
}

void Form2::Lv1()
{
    drawGroupSize(1);
    nin();
    showGroupPictures(1);
}

void Form2::Lv2()
{
    showGroup(1);
    LB8->show();
    LB9->show();
    Label6->show();
    showGroup(2);
    pictureTotal = static_cast<Integer>(groupTop1 + 1 + groupTop2 + 1);
    LB14->show();
    LB15->show();
    Label18->show();
    nin();
}

void Form2::Lv3()
{
    showGroup(1);
    LB10->show();
    LB11->show();
    showGroup(2);
    showGroup(3);
    pictureTotal = static_cast<Integer>(groupTop1 + 1 + groupTop2 + 1 + groupTop3 + 1);
    Label16->show();
    nin();
}

void Form2::Lv4()
{
    showGroup(1);
    LB12->show();
    LB13->show();
    showGroup(2);
    showGroup(3);
    showGroup(4);
    pictureTotal = static_cast<Integer>(groupTop1 + 1 + groupTop2 + 1 + groupTop3 + 1 + groupTop4 + 1);
    Label14->show();
    nin();
}

void Form2::nin()
{
    for (int g = 1; g <= 4; ++g) {
        const Group grp = group(g);
        grp.tens->setVisible(grp.top + 1 >= 10);
    }
}

} // namespace lumo
