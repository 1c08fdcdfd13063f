// Records as named fields: a random record of every type goes to a document
// and back to the same bytes; a change shows under its field's name.
#include "link/frames/rpt_frame.h"
#include "link/frames/tm2d_frame.h"
#include "link/frames/tm_frame.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "support/records.h"

#include <QJsonDocument>
#include <QtTest>

using namespace orlo::records;
namespace tmf = orlo::tm;

namespace {

// A payload of zeros but for (offset, value) pairs.
QByteArray payloadWith(const QList<int> &pairs)
{
    QByteArray payload(orlo::kReportPayload * orlo::kMaxReports, '\0');
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        payload[pairs[i]] = char(pairs[i + 1]);
    return payload;
}

const quint8 *bytes(const QByteArray &b)
{
    return reinterpret_cast<const quint8 *>(b.constData());
}

int offsetCount(int productId, double celsius)
{
    return qRound(celsius * tmf::layoutOf(tmf::probeOfTm(productId)).offsetSteps);
}

} // namespace

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

    // A document saved from `source` holding sourceBytes, laid over what the
    // plugged module answered: the byte at `at` of the result, or the problem.
    void copyKeepsWhatIsTheModules_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QList<int>>("sourceBytes");
        QTest::addColumn<int>("plugged");
        QTest::addColumn<QList<int>>("answerBytes");
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("problem");
        using Own = Copy::Own;
        const int tm868 = 0x02AE, tm8 = 0x0240, tm14 = 0x0244, tm2d = 0x0324, rpt = 0x0302;
        const QList<int> master9{tmf::kFlags, tmf::kRoleMaster, tmf::kModemAddress, 9};
        const QList<int> master5{tmf::kFlags, tmf::kRoleMaster, tmf::kModemAddress, 5};
        QTest::newRow("Open copies the own address")
            << tm868 << master9 << tm868 << master5 << int(Own::FromDocument) << 0 << tmf::kModemAddress << 9 << "";
        QTest::newRow("a series keeps it")
            << tm868 << master9 << tm868 << master5 << int(Own::Kept) << 0 << tmf::kModemAddress << 5 << "";
        QTest::newRow("or numbers it")
            << tm868 << master9 << tm868 << master5 << int(Own::Numbered) << 14 << tmf::kModemAddress << 14 << "";
        QTest::newRow("to the end of its range")
            << tm868 << master9 << tm868 << master5 << int(Own::Numbered) << tmf::kMaxAddress + 1 << 0 << 0
            << "outside the range of the field \"modem address\"";
        const int lastIdentifierByte = orlo::rpt::kIdentifiers + orlo::rpt::kModules * orlo::rpt::kIdentifierSize - 1;
        const QList<int> gateway{orlo::rpt::kModemAddress, 7, orlo::rpt::kMaxFrames, 1, lastIdentifierByte, 0x11};
        QTest::newRow("relayed identifiers stay the unit's")
            << rpt << gateway << rpt << QList<int>{lastIdentifierByte, 0x22} << int(Own::Kept) << 0
            << lastIdentifierByte << 0x22 << "";
        const int offset14 = tmf::layoutOf(tmf::probeOfTm(tm14)).offset;
        const int offset = tmf::layoutOf(tmf::probeOfTm(tm8)).offset;
        QTest::newRow("an offset travels in degC")
            << tm8 << QList<int>{offset, offsetCount(tm8, 1.5)} << tm14 << QList<int>{} << int(Own::Kept) << 0
            << offset14 << offsetCount(tm14, 1.5) << "";
        QTest::newRow("beyond the target's range")
            << tm8 << QList<int>{offset, offsetCount(tm8, 10)} << tm14 << QList<int>{} << int(Own::Kept) << 0 << 0 << 0
            << "the field \"offset (degC)\" is 10, outside -3.9 to 3.9";
        const int lora = orlo::tm2d::kLoRaWan, abp = orlo::tm2d::kJoinAbp, lowUnused = orlo::tm2d::kLowUnusedWhenPeriodic;
        const int options = orlo::tm2d::kOptions;
        QTest::newRow("hardware bits stay the module's")
            << tm2d << QList<int>{options, abp | lora} << tm2d << QList<int>{options, lowUnused}
            << int(Own::FromDocument) << 0 << options << lowUnused << "";
        QTest::newRow("the join mode is a setting")
            << tm2d << QList<int>{options, abp | lora} << tm2d << QList<int>{options, lora} << int(Own::FromDocument)
            << 0 << options << (abp | lora) << "";
        QTest::newRow("a file without one keeps the module's")
            << tm2d << QList<int>{} << tm2d << QList<int>{options, abp | lora} << int(Own::FromDocument) << 0
            << options << (abp | lora) << "";
    }
    void copyKeepsWhatIsTheModules()
    {
        QFETCH(int, source);
        QFETCH(QList<int>, sourceBytes);
        QFETCH(int, plugged);
        QFETCH(QList<int>, answerBytes);
        QFETCH(int, own);
        QFETCH(int, number);
        QFETCH(int, at);
        QFETCH(int, expected);
        QFETCH(QString, problem);
        const QJsonObject fields = fieldsOf(source, bytes(payloadWith(sourceBytes)));
        const Opened opened =
            applyFields(fields, plugged, bytes(payloadWith(answerBytes)), {Copy::Own(own), number});
        QVERIFY2(opened.problem.contains(problem), qPrintable(opened.problem));
        QCOMPARE(opened.outOfAddresses, problem.contains(QStringLiteral("range")));
        if (problem.isEmpty())
            QCOMPARE(int(quint8(opened.record.at(at - recordOf(plugged).first))), expected);
    }
};

QTEST_GUILESS_MAIN(TestConfigRecord)
#include "tst_config_record.moc"
