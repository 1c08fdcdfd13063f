// The program on the module simulator, with a bench window to plug modules.
#include "app/application.h"
#include "app/mainwindow.h"
#include "sim/benchwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    orlo::initApplication(app);
    MainWindow window;
    window.show();
    BenchWindow bench;
    bench.move(window.x() + window.width() + 20, window.y());
    bench.show();
    bench.plug(0x0240);
    return app.exec();
}
