// What the package installs: the udev rule opens the family's hidraw nodes to
// the logged-in user, and only those (vendor 04d8 is shared by unrelated
// products); the desktop entry and the metainfo pass their validators and
// offer the program for every module of the family; the maintainer scripts
// apply the rules where udev runs and are harmless where it does not; the
// running window names its desktop entry; the package made from this build
// holds its files and passes lintian.
#include "app/application.h"
#include "link/moduletable.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
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
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
        int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {-1, program + QStringLiteral(" cannot be started (scripts/setup installs it)")};
    if (!process.waitForFinished(timeoutMs))
        return {-1, program + QStringLiteral(" did not finish")};
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {code, QString::fromUtf8(process.readAll())};
}

// What the first match of a pattern captures in a file of packaging/.
QString capturedIn(const QString &name, const QString &pattern)
{
    QFile file(packagingFile(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QRegularExpression re(pattern, QRegularExpression::MultilineOption);
    return re.match(QString::fromUtf8(file.readAll())).captured(1);
}

} // namespace

class PackagingTest : public QObject
{
    Q_OBJECT

private slots:
    void udevRuleMatchesTheFamily();
    void desktopEntryValidates();
    void metainfoValidates();
    // Menus and software centres name it in the desktop's language.
    void namedInFrenchAndEnglish();
    void metainfoProvidesEveryModule();
    void maintainerScriptsApplyTheRules_data();
    void maintainerScriptsApplyTheRules();
    void windowBelongsToItsEntry();
    void copyrightMatchesMetainfo();
    void packageHoldsItsFiles();
    void packagePassesLintian();

private:
    // The packages made by CPack from this build's installed files, once.
    bool makePackages();
    QTemporaryDir packageDir;
    QString packages[2];   // the program's, its debug symbols'
    QString packageError;
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

void PackagingTest::namedInFrenchAndEnglish()
{
    const QString entry = kAppId + QStringLiteral(".desktop");
    const QString metainfo = kAppId + QStringLiteral(".metainfo.xml");
    const QString english = QStringLiteral("Orlo Configurator");
    const QString french = QStringLiteral("Configurateur Orlo");
    const QString summary = QStringLiteral("Configurer les modules radio Orlo par USB");
    QCOMPARE(capturedIn(entry, QStringLiteral("^Name=(.*)$")), english);
    QCOMPARE(capturedIn(entry, QStringLiteral("^Name\\[fr\\]=(.*)$")), french);
    QCOMPARE(capturedIn(entry, QStringLiteral("^Comment\\[fr\\]=(.*)$")), summary);
    QCOMPARE(capturedIn(metainfo, QStringLiteral("<name>(.*)</name>")), english);
    QCOMPARE(capturedIn(metainfo, QStringLiteral("<name xml:lang=\"fr\">(.*)</name>")), french);
    QCOMPARE(capturedIn(metainfo, QStringLiteral("<summary xml:lang=\"fr\">(.*)</summary>")), summary);
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

void PackagingTest::maintainerScriptsApplyTheRules_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("udevadm");   // its exit status, or "" when absent
    QTest::addColumn<QStringList>("calls");

    const QStringList apply{QStringLiteral("control --reload-rules"),
                            QStringLiteral("trigger --subsystem-match=hidraw --action=change")};
    QTest::newRow("installed") << "postinst" << "configure" << "0" << apply;
    QTest::newRow("udev not running") << "postinst" << "configure" << "1" << apply;
    QTest::newRow("no udev") << "postinst" << "configure" << "" << QStringList();
    QTest::newRow("upgrade aborted") << "postinst" << "abort-upgrade" << "0" << QStringList();
    // Removed: the rule is gone, a module still plugged loses its access.
    QTest::newRow("removed") << "postrm" << "remove" << "0" << apply;
    QTest::newRow("removed, udev not running") << "postrm" << "remove" << "1" << apply;
    QTest::newRow("removed, no udev") << "postrm" << "remove" << "" << QStringList();
    QTest::newRow("upgraded") << "postrm" << "upgrade" << "0" << QStringList();
    QTest::newRow("purged") << "postrm" << "purge" << "0" << QStringList();
}

void PackagingTest::maintainerScriptsApplyTheRules()
{
    QFETCH(QString, script);
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
                           {packagingFile(script), action}, environment);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));

    QFile log(fake + QStringLiteral(".calls"));
    QStringList made;
    if (log.open(QIODevice::ReadOnly | QIODevice::Text))
        made = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(made, calls);
}

void PackagingTest::windowBelongsToItsEntry()
{
    orlo::initApplication(*QCoreApplication::instance());
    // Wayland compositors and docks find the menu entry (its name, its icon)
    // by the id the program gives them.
    QCOMPARE(QGuiApplication::desktopFileName(), kAppId);
    // On X11 they match the class of the window's WM_CLASS, which Qt takes
    // from the application name, with the entry's StartupWMClass.
    QCOMPARE(capturedIn(kAppId + QStringLiteral(".desktop"), QStringLiteral("^StartupWMClass=(.+)$")),
             QCoreApplication::applicationName());
}

void PackagingTest::copyrightMatchesMetainfo()
{
    const QString declared = capturedIn(QStringLiteral("copyright"), QStringLiteral("^License: (\\S+)$"));
    QVERIFY(!declared.isEmpty());
    QCOMPARE(capturedIn(kAppId + QStringLiteral(".metainfo.xml"),
                        QStringLiteral("<project_license>(.+)</project_license>")),
             declared);
}

bool PackagingTest::makePackages()
{
    if (!packages[0].isEmpty() || !packageError.isEmpty())
        return packageError.isEmpty();
    // Installed as the package installs them (cmake --install builds nothing),
    // then packed by CPack with this build's settings.
    const QString stage = packageDir.filePath(QStringLiteral("stage"));
    const QString out = packageDir.filePath(QStringLiteral("out"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), stage);
    const Run installed = run(QStringLiteral(ORLO_CMAKE),
                              {QStringLiteral("--install"), QStringLiteral(ORLO_BINARY_DIR),
                               QStringLiteral("--prefix"), QStringLiteral("/usr")}, environment);
    const Run packed = installed.exitCode != 0 ? installed
        : run(QStringLiteral(ORLO_CPACK),
              {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
               QStringLiteral(ORLO_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), out,
               QStringLiteral("-D"), QStringLiteral("CPACK_INSTALL_CMAKE_PROJECTS="),
               QStringLiteral("-D"), QStringLiteral("CPACK_INSTALLED_DIRECTORIES=%1;.").arg(stage)},
              QProcessEnvironment::systemEnvironment(), 240000);
    const QStringList made = QDir(out).entryList({QStringLiteral("orlo-configurator*_*.*deb")},
                                                 QDir::Files, QDir::Name);
    if (packed.exitCode != 0 || made.size() != 2) {
        packageError = packed.output;
        return false;
    }
    // By name: orlo-configurator-dbgsym_ sorts before orlo-configurator_.
    packages[0] = QDir(out).filePath(made[1]);
    packages[1] = QDir(out).filePath(made[0]);
    return true;
}

void PackagingTest::packageHoldsItsFiles()
{
    QVERIFY2(makePackages(), qPrintable(packageError));
    const Run listed = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), packages[0]});
    QCOMPARE(listed.exitCode, 0);
    // Files and links with their modes: nothing writable but by root.
    QStringList files;
    for (const QString &line : listed.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (!fields.first().startsWith(QLatin1Char('d')))
            files << fields.first() + QLatin1Char(' ') + fields.at(5);
    }
    const QString doc = QStringLiteral("-rw-r--r-- ./usr/share/doc/orlo-configurator/");
    const QString data = QStringLiteral("-rw-r--r-- ./usr/share/");
    QStringList expected = {
        QStringLiteral("-rwxr-xr-x ./usr/bin/orlo-configurator"),
        QStringLiteral("-rwxr-xr-x ./usr/bin/orlo-cli"),
        QStringLiteral("-rw-r--r-- ./usr/lib/udev/rules.d/60-orlo-modules.rules"),
        data + QStringLiteral("applications/") + kAppId + QStringLiteral(".desktop"),
        doc + QStringLiteral("README.md.gz"), doc + QStringLiteral("changelog.Debian.gz"),
        doc + QStringLiteral("copyright"),
        data + QStringLiteral("icons/hicolor/256x256/apps/orlo-configurator.png"),
        data + QStringLiteral("icons/hicolor/64x64/apps/orlo-configurator.png"),
        data + QStringLiteral("lintian/overrides/orlo-configurator"),
        data + QStringLiteral("man/man1/orlo-configurator.1.gz"),
        data + QStringLiteral("man/man1/orlo-cli.1.gz"),
        data + QStringLiteral("metainfo/") + kAppId + QStringLiteral(".metainfo.xml")};
    files.sort();
    expected.sort();
    QCOMPARE(files, expected);
}

void PackagingTest::packagePassesLintian()
{
    QVERIFY2(makePackages(), qPrintable(packageError));
    const Run checked = run(QStringLiteral("lintian"),
                            {QStringLiteral("--pedantic"), QStringLiteral("--fail-on"),
                             QStringLiteral("error,warning"), packages[0], packages[1]},
                            QProcessEnvironment::systemEnvironment(), 240000);
    // Any error or warning tag fails it; informational and pedantic ones do not.
    QVERIFY2(checked.exitCode == 0, qPrintable(checked.output));
}

QTEST_GUILESS_MAIN(PackagingTest)
#include "tst_packaging.moc"
