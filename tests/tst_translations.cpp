// The translations are whole: lupdate run over the sources into a copy of
// each .ts file finds no text the file lacks, and the file keeps no entry
// unfinished and none whose text left the sources.
#include "support/coreapp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyTextTranslated_data();
    void everyTextTranslated();
};

void TranslationsTest::everyTextTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("French") << QStringLiteral("fr");
    QTest::newRow("English") << QStringLiteral("en");
}

void TranslationsTest::everyTextTranslated()
{
    QFETCH(QString, language);
    const QDir sources(QStringLiteral(ORLO_SOURCE_DIR));
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("orlo.ts"));
    QVERIFY(QFile::copy(sources.filePath(QStringLiteral("translations/orlo_%1.ts").arg(language)), copy));

    QProcess lupdate;
    lupdate.setWorkingDirectory(sources.path());
    lupdate.start(QStringLiteral(ORLO_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("app"), QStringLiteral("pages"),
                   QStringLiteral("widgets"), QStringLiteral("forms"), QStringLiteral("link"), QStringLiteral("-ts"),
                   copy});
    QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
    QCOMPARE(lupdate.exitCode(), 0);

    // New texts come in unfinished; texts gone from the sources stay as vanished or obsolete.
    QFile updated(copy);
    QVERIFY(updated.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&updated);
    QStringList faults;
    QString source;
    int messages = 0;
    while (!ts.atEnd()) {
        if (ts.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (ts.name() == QLatin1String("message")) {
            ++messages;
        } else if (ts.name() == QLatin1String("source")) {
            source = ts.readElementText();
        } else if (ts.name() == QLatin1String("translation")) {
            const QString type = ts.attributes().value(QLatin1String("type")).toString();
            const QString text = ts.readElementText();
            if (!type.isEmpty() || text.isEmpty())
                faults << QStringLiteral("%1: \"%2\"").arg(type.isEmpty() ? QStringLiteral("empty") : type, source);
        }
    }
    QVERIFY2(!ts.hasError(), qPrintable(ts.errorString()));
    QVERIFY(messages > 0);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

ORLO_CORE_TEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
