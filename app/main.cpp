#include "platform/application.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "quiz/form2.h"
#include "start/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    lumo::setUpApplication(app);

    lumo::RealServices services;
    lumo::ScreenHost host(services);
    lumo::Form1 start(services, host);
    lumo::Form2 quiz(services, host);
    start.setQuizScreen(&quiz);
    quiz.setStartScreen(&start);

    start.show();
    return app.exec();
}
