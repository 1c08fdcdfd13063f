// On a screen scaled twice (QT_SCALE_FACTOR=2): the fixed window doubles in
// device pixels, and what it shows uses images drawn at twice the resolution.
#include "app/about.h"
#include "app/application.h"
#include "support/fixture.h"

#include <QDirIterator>
#include <QIcon>
#include <QLabel>

using namespace testing;

class HighDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void windowScales();
    void everyImageHasSharperVariant();
    void imagesShownSharp();
};

void HighDpiTest::windowScales()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    auto window = freshWindow();
    QCOMPARE(window->size(), QSize(640, 480));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QPixmap shot = window->grab();
    QCOMPARE(shot.size(), QSize(1280, 960));
    QCOMPARE(shot.devicePixelRatio(), 2.0);
}

void HighDpiTest::everyImageHasSharperVariant()
{
    int images = 0;
    for (QDirIterator it(QStringLiteral(":/MainWindow"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (path.contains(QLatin1String("@2x")))
            continue;
        const int dot = path.lastIndexOf(QLatin1Char('.'));
        QString sharp = path;
        sharp.insert(dot > path.lastIndexOf(QLatin1Char('/')) ? dot : path.size(), QLatin1String("@2x"));
        const QImage base(path);
        const QImage twice(sharp);
        QVERIFY2(!twice.isNull(), qPrintable(sharp));
        QCOMPARE(twice.size(), base.size() * 2);
        // What Qt picks for an icon of the image's own size.
        const QPixmap icon = QIcon(path).pixmap(base.size());
        QCOMPARE(icon.size(), twice.size());
        ++images;
    }
    QVERIFY(images >= 11);
}

void HighDpiTest::imagesShownSharp()
{
    auto window = freshWindow();
    about dialog(window.get());
    const QList<QLabel *> labels = window->findChildren<QLabel *>() + dialog.findChildren<QLabel *>();
    int withImage = 0;
    for (const QLabel *label : labels) {
        const QPixmap shown = label->pixmap(Qt::ReturnByValue);
        if (shown.isNull())
            continue;
        ++withImage;
        QVERIFY2(shown.devicePixelRatio() == 2.0, qPrintable(label->objectName()));
    }
    // The window's logo, the family logo of the connect page, the dialog's logo.
    QVERIFY(withImage >= 3);
    const QPixmap logo = child<QLabel>(*window, "label_Logo")->pixmap(Qt::ReturnByValue);
    QCOMPARE(logo.size(), QImage(QStringLiteral(":/MainWindow/img/Commun/velka_flat_small.png")).size() * 2);
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    orlo::enableHighDpi();
    QApplication app(argc, argv);
    testing::initTestApplication();
    HighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
