#include "app/screen_flow.h"
#include "platform/application.h"
#include "platform/services.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    lumo::setUpApplication(app);

    lumo::RealServices services;
    lumo::ScreenFlow screens(services);
    screens.checkLayouts();

    screens.start.show();
    return app.exec();
}
