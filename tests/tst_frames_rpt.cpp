// Repeater frame codec: every field both ways, ranges held, duplicate least
// significant bytes, and the status-bar text of the module information.
#include "link/frames/rpt_frame.h"
#include "support/coreapp.h"

#include <QtTest>
#include <array>

namespace rpt = orlo::rpt;

namespace {
using Payload = std::array<quint8, 40>;
} // namespace

class FramesRptTest : public QObject
{
    Q_OBJECT

private slots:
    void encodeFields_data();
    void encodeFields();
    void roundTripEveryByte();
    void duplicateLeastSignificantBytes_data();
    void duplicateLeastSignificantBytes();
    void statusText_data();
    void statusText();
};

void FramesRptTest::encodeFields_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("modem");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QByteArray>("bytes");   // offsets 1..5
    QTest::newRow("channel 522") << 1 << 522 << 7 << 144 << QByteArray("\x01\x02\x0A\x07\x90", 5);
    QTest::newRow("channel 29") << 2 << 29 << 254 << 1 << QByteArray("\x02\x00\x1D\xFE\x01", 5);
    // A radio code beyond the four rates is a stored one, sent back as it was.
    QTest::newRow("held to ranges") << 9 << 70000 << 0 << 300 << QByteArray("\x09\xFF\xFF\x01\x90", 5);
    QTest::newRow("held below") << -3 << -1 << 255 << 0 << QByteArray("\x00\x00\x00\xFE\x01", 5);
}

void FramesRptTest::encodeFields()
{
    QFETCH(int, code);
    QFETCH(int, channel);
    QFETCH(int, modem);
    QFETCH(int, frames);
    QFETCH(QByteArray, bytes);
    rpt::Record record;
    record.baudCode = code;
    record.channel = channel;
    record.modemAddress = modem;
    record.maxFrames = frames;
    record.identifiers[0] = {0x12, 0x34, 0x56, 0x78};
    record.identifiers[5] = {0xAB, 0xCD, 0xEF, 0x01};
    record.sf8 = true;
    Payload p;
    p.fill(0xEE);
    rpt::encode(p.data(), record);
    QCOMPARE(p[rpt::kCommand], quint8(1));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(p.data()) + 1, 5), bytes);
    QCOMPARE(p[rpt::kMode], quint8(1));
    // Identifiers most significant byte first, module 1 at offset 7.
    QCOMPARE(p[7], quint8(0x12));
    QCOMPARE(p[10], quint8(0x78));
    QCOMPARE(p[27], quint8(0xAB));
    QCOMPARE(p[30], quint8(0x01));
    QCOMPARE(p[31], quint8(0xEE));   // beyond the record: untouched
}

void FramesRptTest::roundTripEveryByte()
{
    // Any byte at any record offset decodes and, within range, comes back.
    for (int offset = 1; offset <= 30; ++offset)
        for (int v = 0; v < 256; ++v) {
            Payload p{};
            p[rpt::kBaudCode] = 1;
            p[rpt::kModemAddress] = 1;
            p[rpt::kMaxFrames] = 1;
            p[std::size_t(offset)] = quint8(v);
            const rpt::Record record = rpt::decode(p.data());
            Payload back{};
            rpt::encode(back.data(), record);
            const bool held = (offset == rpt::kModemAddress && (v < 1 || v > 254))
                || (offset == rpt::kMaxFrames && (v < 1 || v > 144)) || (offset == rpt::kMode && v > 1);
            if (!held)
                QCOMPARE(back[std::size_t(offset)], quint8(v));
            else
                QVERIFY(back[std::size_t(offset)] != quint8(v));
        }
}

void FramesRptTest::duplicateLeastSignificantBytes_data()
{
    QTest::addColumn<QByteArray>("lsbs");    // least significant byte of modules 1..6
    QTest::addColumn<QString>("pairs");
    QTest::newRow("modules 2 and 5") << QByteArray("\x01\x3A\x02\x03\x3A\x04", 6) << QStringLiteral("1-4");
    QTest::newRow("all zero") << QByteArray(6, '\0') << QString();
    QTest::newRow("three alike") << QByteArray("\x07\x07\x00\x07\x00\x00", 6) << QStringLiteral("0-1 0-3 1-3");
    QTest::newRow("all distinct") << QByteArray("\x01\x02\x03\x04\x05\x06", 6) << QString();
}

void FramesRptTest::duplicateLeastSignificantBytes()
{
    QFETCH(QByteArray, lsbs);
    QFETCH(QString, pairs);
    rpt::Identifiers ids{};
    for (int m = 0; m < rpt::kModules; ++m) {
        ids[std::size_t(m)] = {0x11, 0x22, 0x33, quint8(lsbs[m])};
    }
    QStringList found;
    for (const auto &pair : rpt::sameLeastSignificantByte(ids))
        found << QStringLiteral("%1-%2").arg(pair.first).arg(pair.second);
    QCOMPARE(found.join(QLatin1Char(' ')), pairs);
}

void FramesRptTest::statusText_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QByteArray a(40, '\0');
    a[1] = '\x9A'; a[2] = '\x4C'; a[3] = '\x1D'; a[4] = '\x00';
    a.replace(6, 3, "1.4");
    QTest::newRow("identifier and version") << a << 40 << QStringLiteral("sw:v1.4    Id sfx:1d4c9a");
    QByteArray none = a;
    none.replace(1, 4, QByteArray(4, '\xFF'));
    QTest::newRow("no identifier") << none << 40 << QStringLiteral("sw:v1.4    Id sfx:None!");
    QByteArray unterminated(40, 'V');
    unterminated.replace(1, 4, QByteArray(4, '\xFF'));
    // Read within the answer only: 34 letters, no terminating zero.
    QTest::newRow("no terminating zero") << unterminated << 40
                                         << QStringLiteral("sw:v%1    Id sfx:None!").arg(QString(34, QLatin1Char('V')));
    QTest::newRow("cut answer") << unterminated << 8 << QStringLiteral("sw:vVV    Id sfx:None!");
}

void FramesRptTest::statusText()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, size);
    QFETCH(QString, text);
    const auto information = orlo::rs::decodeInformation(reinterpret_cast<const quint8 *>(answer.constData()), size);
    QCOMPARE(rpt::statusText(information), text);
}

ORLO_CORE_TEST_MAIN(FramesRptTest)
#include "tst_frames_rpt.moc"
