// What the package installs: the udev rule opens the family's hidraw nodes to
// the logged-in user, and only those (vendor 04d8 is shared by unrelated
// products); the desktop entry and the metainfo pass their validators and
// offer the program for every module of the family; the post-installation
// script applies the rule where udev runs and is harmless where it does not.
#include "link/moduletable.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kAppId = QStringLiteral("example.velka_radio.orlo_configurator");

QString packagingFile(const QString &name)
{
    return QStringLiteral(ORLO_SOURCE_DIR "/packaging/") + name;
}

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {-1, program + QStringLiteral(" cannot be started (scripts/setup installs it)")};
    if (!process.waitForFinished(60000))
        return {-1, program + QStringLiteral(" did not finish")};
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {code, QString::fromUtf8(process.readAll())};
}

} // namespace

class PackagingTest : public QObject
{
    Q_OBJECT

private slots:
    void udevRuleMatchesTheFamily();
    void desktopEntryValidates();
    void metainfoValidates();
    void metainfoProvidesEveryModule();
    void postinstAppliesTheRule_data();
    void postinstAppliesTheRule();
};

void PackagingTest::udevRuleMatchesTheFamily()
{
    QFile file(packagingFile(QStringLiteral("60-orlo-modules.rules")));
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

void PackagingTest::desktopEntryValidates()
{
    const Run result = run(QStringLiteral("desktop-file-validate"),
                           {packagingFile(kAppId + QStringLiteral(".desktop"))});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    // Hints too are reported on the output; there must be none.
    QVERIFY2(result.output.trimmed().isEmpty(), qPrintable(result.output));
}

void PackagingTest::metainfoValidates()
{
    const Run result = run(QStringLiteral("appstreamcli"),
                           {QStringLiteral("validate"), QStringLiteral("--no-net"),
                            QStringLiteral("--pedantic"),
                            packagingFile(kAppId + QStringLiteral(".metainfo.xml"))});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    // Every issue, pedantic ones included, but one: the maker's domain is a
    // reserved example domain whose top level the validator does not know.
    const QRegularExpression issue(QStringLiteral(R"(^([EWIP]): \S+: (\S+))"),
                                   QRegularExpression::MultilineOption);
    for (auto it = issue.globalMatch(result.output); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QVERIFY2(m.captured(2) == QLatin1String("cid-maybe-not-rdns"), qPrintable(result.output));
    }
}

void PackagingTest::metainfoProvidesEveryModule()
{
    QFile file(packagingFile(kAppId + QStringLiteral(".metainfo.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList modaliases;
    QString id;
    QString launchable;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("modalias"))
            modaliases << xml.readElementText();
        else if (xml.name() == QLatin1String("id"))
            id = xml.readElementText();
        else if (xml.name() == QLatin1String("launchable"))
            launchable = xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, kAppId);
    QCOMPARE(launchable, kAppId + QStringLiteral(".desktop"));
    // The kernel writes a USB device's modalias with upper-case hexadecimal.
    const auto hex = [](int value) {
        return QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    };
    QStringList family;
    for (const orlo::ModuleEntry &entry : orlo::kModules)
        family << QStringLiteral("usb:v%1p%2d*").arg(hex(orlo::kVendorId), hex(entry.productId));
    QCOMPARE(modaliases, family);
}

void PackagingTest::postinstAppliesTheRule_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("udevadm");   // its exit status, or "" when absent
    QTest::addColumn<QStringList>("calls");

    const QStringList apply{QStringLiteral("control --reload-rules"),
                            QStringLiteral("trigger --subsystem-match=hidraw --action=change")};
    QTest::newRow("installed") << "configure" << "0" << apply;
    QTest::newRow("udev not running") << "configure" << "1" << apply;
    QTest::newRow("no udev") << "configure" << "" << QStringList();
    QTest::newRow("upgrade aborted") << "abort-upgrade" << "0" << QStringList();
}

void PackagingTest::postinstAppliesTheRule()
{
    QFETCH(QString, action);
    QFETCH(QString, udevadm);
    QFETCH(QStringList, calls);

    // A PATH of one folder: a udevadm that records its arguments, or nothing.
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString fake = bin.filePath(QStringLiteral("udevadm"));
    if (!udevadm.isEmpty()) {
        QFile script(fake);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$*\" >> \"$0.calls\"\nexit %1\n")
                         .arg(udevadm).toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                      | QFileDevice::ExeOwner));
    }
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), bin.path());
    const Run result = run(QStringLiteral("/bin/sh"),
                           {packagingFile(QStringLiteral("postinst")), action}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));

    QFile log(fake + QStringLiteral(".calls"));
    QStringList made;
    if (log.open(QIODevice::ReadOnly | QIODevice::Text))
        made = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(made, calls);
}

QTEST_GUILESS_MAIN(PackagingTest)
#include "tst_packaging.moc"
