#include "app/application.h"
#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    orlo::enableHighDpi();
    QApplication app(argc, argv);
    orlo::initApplication(app);
    MainWindow window;
    window.show();
    return app.exec();
}
