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
    void everyTextTranslated();
};

void TranslationsTest::everyTextTranslated()
{
    const QDir sources(QStringLiteral(ORLO_SOURCE_DIR));
    QTemporaryDir scratch;
    for (const QString language : {QStringLiteral("fr"), QStringLiteral("en")}) {
        const QString copy = scratch.filePath(language + QStringLiteral(".ts"));
        QVERIFY(QFile::copy(sources.filePath(QStringLiteral("translations/orlo_%1.ts").arg(language)), copy));
        QProcess lupdate;
        lupdate.setWorkingDirectory(sources.path());
        lupdate.start(QStringLiteral(ORLO_LUPDATE), QStringList{"-locations", "none", "app", "pages", "widgets",
                                                                 "forms", "link", "-ts", copy});
        QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
        QCOMPARE(lupdate.exitCode(), 0);

        // New texts come in unfinished; texts gone from the sources stay as vanished or obsolete.
        QFile updated(copy);
        QVERIFY(updated.open(QIODevice::ReadOnly));
        QXmlStreamReader ts(&updated);
        QStringList faults;
        QString source;
        while (!ts.atEnd()) {
            if (ts.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (ts.name() == QLatin1String("source")) {
                source = ts.readElementText();
            } else if (ts.name() == QLatin1String("translation")) {
                const QString type = ts.attributes().value(QLatin1String("type")).toString();
                if (!type.isEmpty() || ts.readElementText().isEmpty())
                    faults << QStringLiteral("%1 %2: \"%3\"").arg(language, type, source);
            }
        }
        QVERIFY2(!ts.hasError() && !source.isEmpty(), qPrintable(ts.errorString()));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
}

ORLO_CORE_TEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
