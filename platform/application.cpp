#include "platform/application.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace lumo {

void setUpApplication(QApplication &app)
{
    installFontSubstitutions();
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pointsToPixels(8.25));
    app.setFont(font);
    app.setQuitOnLastWindowClosed(false);
    app.setApplicationName(QStringLiteral("lumo3"));
}

} // namespace lumo
