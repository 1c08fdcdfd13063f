// Records as named fields: a random record of every type goes to a document
// and back to the same bytes; a change shows under its field's name.
#include "link/frames/rpt_frame.h"
#include "link/frames/tm2d_frame.h"
#include "link/frames/tm_frame.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "support/coreapp.h"
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

struct Copying {
    int source;
    QList<int> sourceBytes;     // (offset, value) pairs
    int plugged;
    QList<int> answer;
    Copy copy;
    int at;
    int expected;
    QString problem = {};
};

} // namespace

Q_DECLARE_METATYPE(Copying)

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
        QTest::addColumn<Copying>("c");
        using Own = Copy::Own;
        const int tm868 = 0x02AE, tm8 = 0x0240, tm14 = 0x0244, tm2d = 0x0324, rpt = 0x0302;
        const int modem = tmf::kModemAddress, options = orlo::tm2d::kOptions;
        const QList<int> master9{tmf::kFlags, tmf::kRoleMaster, modem, 9};
        const QList<int> master5{tmf::kFlags, tmf::kRoleMaster, modem, 5};
        const int lastId = orlo::rpt::kIdentifiers + orlo::rpt::kModules * orlo::rpt::kIdentifierSize - 1;
        const QList<int> gateway{orlo::rpt::kModemAddress, 7, orlo::rpt::kMaxFrames, 1, lastId, 0x11};
        const int offset8 = tmf::layoutOf(tmf::probeOfTm(tm8)).offset;
        const int offset14 = tmf::layoutOf(tmf::probeOfTm(tm14)).offset;
        const int lora = orlo::tm2d::kLoRaWan, abp = orlo::tm2d::kJoinAbp, low = orlo::tm2d::kLowUnusedWhenPeriodic;
        const QString beyond = QStringLiteral("outside the range of the field \"modem address\"");
        QTest::newRow("Open copies the own address") << Copying{tm868, master9, tm868, master5, {}, modem, 9};
        QTest::newRow("a series keeps it") << Copying{tm868, master9, tm868, master5, {Own::Kept}, modem, 5};
        QTest::newRow("or numbers it") << Copying{tm868, master9, tm868, master5, {Own::Numbered, 14}, modem, 14};
        QTest::newRow("to the end of its range")
            << Copying{tm868, master9, tm868, master5, {Own::Numbered, tmf::kMaxAddress + 1}, 0, 0, beyond};
        QTest::newRow("a unit's relayed identifiers")
            << Copying{rpt, gateway, rpt, {lastId, 0x22}, {Own::Kept}, lastId, 0x22};
        QTest::newRow("an offset travels in degC")
            << Copying{tm8, {offset8, offsetCount(tm8, 1.5)}, tm14, {}, {Own::Kept}, offset14, offsetCount(tm14, 1.5)};
        QTest::newRow("beyond the target's range") << Copying{tm8, {offset8, offsetCount(tm8, 10)}, tm14, {}, {}, 0, 0,
                                                              "the field \"offset (degC)\" is 10, outside -3.9 to 3.9"};
        QTest::newRow("hardware bits") << Copying{tm2d, {options, abp | lora}, tm2d, {options, low}, {}, options, low};
        QTest::newRow("the join mode is a setting")
            << Copying{tm2d, {options, abp | lora}, tm2d, {options, lora}, {}, options, abp | lora};
        QTest::newRow("or the module's") << Copying{tm2d, {}, tm2d, {options, abp | lora}, {}, options, abp | lora};
    }
    void copyKeepsWhatIsTheModules()
    {
        QFETCH(Copying, c);
        const QJsonObject document = fieldsOf(c.source, bytes(payloadWith(c.sourceBytes)));
        const Opened opened = applyFields(document, c.plugged, bytes(payloadWith(c.answer)), c.copy);
        QVERIFY2(opened.problem.contains(c.problem), qPrintable(opened.problem));
        QCOMPARE(opened.outOfAddresses, c.problem.contains(QStringLiteral("range")));
        if (c.problem.isEmpty())
            QCOMPARE(int(quint8(opened.record.at(c.at - recordOf(c.plugged).first))), c.expected);
    }
};

ORLO_CORE_TEST_MAIN(TestConfigRecord)
#include "tst_config_record.moc"
