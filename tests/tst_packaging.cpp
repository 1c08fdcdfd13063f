// The udev rule opens the family's hidraw nodes to the logged-in user, and
// only those: vendor 04d8 is shared by unrelated products.
#include "link/moduletable.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class PackagingTest : public QObject
{
    Q_OBJECT

private slots:
    void udevRuleMatchesTheFamily();
};

void PackagingTest::udevRuleMatchesTheFamily()
{
    QFile file(QStringLiteral(ORLO_SOURCE_DIR "/packaging/60-orlo-modules.rules"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    static const char pattern[] =
        R"re(^SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="04d8", ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess"$)re";
    const QRegularExpression rule(QString::fromLatin1(pattern));
    QStringList products;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QRegularExpressionMatch m = rule.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        products << m.captured(1);
    }
    QStringList family;
    for (const orlo::ModuleEntry &entry : orlo::kModules)
        family << QStringLiteral("%1").arg(entry.productId, 4, 16, QLatin1Char('0'));
    QCOMPARE(products, family);
}

QTEST_APPLESS_MAIN(PackagingTest)
#include "tst_packaging.moc"
