// The program on the module simulator, with a bench window to plug modules.
#include "app/application.h"
#include "app/mainwindow.h"
#include "sim/benchwindow.h"
#include "sim/demohistory.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QString>
#include <cstdint>

int main(int argc, char *argv[])
{
    orlo::enableHighDpi();
    QApplication app(argc, argv);
    orlo::initApplication(app);
    sim::useDemoHistory();
    MainWindow window;
    window.show();
    BenchWindow bench;
    bench.move(window.x() + window.width() + 20, window.y());
    bench.show();
    // The module plugged at start: a TM, or the product identifier given in
    // hexadecimal (orlo-configurator-demo 0222); "silent" after it plugs one
    // that answers nothing, to see a page fail to read its module, "slow" one
    // that answers 3 s late, to see the window go on meanwhile.
    const QString fault = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (fault == QLatin1String("silent"))
        bench.answerNothing();
    else if (fault == QLatin1String("slow"))
        bench.answerSlowly();
    bool given = false;
    const uint productId = argc > 1 ? QString::fromLocal8Bit(argv[1]).toUInt(&given, 16) : 0;
    bench.plug(given && productId <= 0xFFFF ? std::uint16_t(productId) : std::uint16_t(0x0240));
    // ORLO_DEMO_SCREENSHOT=file.png: the whole screen a few seconds after the
    // module was plugged, then quit (for looking at a page under Xvfb).
    const QString shot = qEnvironmentVariable("ORLO_DEMO_SCREENSHOT");
    if (!shot.isEmpty()) {
        QTimer::singleShot(4000, &app, [&app, shot] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
            app.quit();
        });
    }
    return app.exec();
}
