#include "app/screen_flow.h"
#include "platform/application.h"
#include "platform/services.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    lumo::setUpApplication(app);

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Counting and adding with big brother Piko"));
    options.addHelpOption();
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"), QStringLiteral("Start in fullscreen (F11 toggles it)."));
    options.addOption(fullScreen);
    options.process(app);

    lumo::RealServices services;
    lumo::ScreenFlow screens(services);
    screens.checkLayouts();
    if (options.isSet(fullScreen))
        screens.host.placement().setFullScreen(true);

    screens.start.show();
    return app.exec();
}
