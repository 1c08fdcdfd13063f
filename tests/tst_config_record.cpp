// Records as named fields: a random record of every type goes to a document
// and back to the same bytes; a change shows under its field's name.
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "support/records.h"

#include <QJsonDocument>
#include <QtTest>

using namespace orlo::records;

class TestConfigRecord : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("productId");
        for (const orlo::ModuleEntry &e : orlo::kModules)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(e.name).arg(e.productId, 4, 16)))
                << int(e.productId);
    }
    void roundTrip()
    {
        QFETCH(int, productId);
        const Record r = recordOf(productId);
        QVERIFY2(!r.fields.isEmpty(), "the type has named fields");
        QRandomGenerator random{quint32(productId)};
        for (int i = 0; i < 200; ++i) {
            const QByteArray payload = randomRecordPayload(productId, random);
            QVERIFY2(!payload.isEmpty(), "a record from the fields' ranges opens");
            const auto *bytes = reinterpret_cast<const quint8 *>(payload.constData());
            const QByteArray document = documentOf(productId, bytes, QDateTime::currentDateTime());
            const Opened opened = openDocument(document, productId);
            QVERIFY2(opened.problem.isEmpty(), qPrintable(opened.problem + "\n" + document));
            QCOMPARE(opened.record.toHex(' '), payload.mid(r.first, r.end - r.first).toHex(' '));
            QVERIFY(differingFields(productId, bytes, bytes).isEmpty());
            // Every field's bytes changed one at a time show under its name.
            for (const Field &f : r.fields) {
                QByteArray changed = payload;
                changed[f.offset] = char(changed[f.offset] ^ (f.mask & -f.mask));
                const auto *other = reinterpret_cast<const quint8 *>(changed.constData());
                if (fieldsOf(productId, bytes).value(f.name) != fieldsOf(productId, other).value(f.name))
                    QVERIFY2(differingFields(productId, bytes, other).contains(f.name), qPrintable(f.name));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestConfigRecord)
#include "tst_config_record.moc"
