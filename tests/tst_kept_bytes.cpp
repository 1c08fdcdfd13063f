// Stored values a page cannot show as they are (a list with no entry for
// them, a count its boxes round) go back as the module stored them when the
// user writes without touching them.
#include "support/dialogcloser.h"
#include "support/fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <utility>
#include <vector>

using namespace testing;

using Bytes = std::vector<std::pair<int, int>>;   // payload offset, stored byte
Q_DECLARE_METATYPE(Bytes)

namespace {

constexpr std::uint16_t kRs = 0x02B1;
constexpr std::uint16_t kRpt = 0x0302;
constexpr std::uint16_t kRslw = 0x0354;
constexpr std::uint16_t kTm868 = 0x02AE;
constexpr std::uint16_t kTh868 = 0x027C;
constexpr std::uint16_t kDaCurrent = 0x0222;

// An analog calibration Y1 .. Y2 (tenths) with two thresholds and an offset
// in converter counts, as the DA record holds them.
Bytes analog(int y1Tenths, int y2Tenths, int low, int high, int offset)
{
    Bytes b;
    const auto le16 = [&b](int at, int v) {
        b.push_back({at, v & 0xFF});
        b.push_back({at + 1, (v >> 8) & 0xFF});
    };
    le16(11, low);
    le16(13, high);
    le16(23, offset);
    le16(25, y1Tenths);
    le16(27, y2Tenths);
    return b;
}

} // namespace

class KeptBytesTest : public QObject
{
    Q_OBJECT

private slots:
    void writtenBackAsStored_data();
    void writtenBackAsStored();
};

void KeptBytesTest::writtenBackAsStored_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<Bytes>("stored");
    // Bridge as Master (role 2): speed byte 1, hour 0xFF, minute 0.
    QTest::newRow("RS_r00 serial speed, hour, minute") << int(kRs) << Bytes{{1, 2}, {3, 1}, {4, 0xFF}, {5, 0}};
    // Bridge as Slave (role 0): radio codes no rate list holds, on channel
    // 522 (big-endian), which such a code must not move.
    QTest::newRow("RS_r00 radio code 0") << int(kRs) << Bytes{{1, 0}, {5, 0}, {6, 0x02}, {7, 0x0A}};
    QTest::newRow("RS_r00 radio code 12") << int(kRs) << Bytes{{1, 0}, {5, 12}, {6, 0x02}, {7, 0x0A}};
    QTest::newRow("RSLW_r00 speed, minute") << int(kRslw) << Bytes{{3, 0xFF}, {9, 0}};
    QTest::newRow("RPT_r00 radio code 6") << int(kRpt) << Bytes{{6, 0}, {1, 6}};
    QTest::newRow("TM_868 radio code 9") << int(kTm868) << Bytes{{25, 9}, {23, 0x0A}, {24, 0x02}};
    QTest::newRow("TH_868 radio code 0") << int(kTh868) << Bytes{{25, 0}};
    QTest::newRow("DA 0..12.5") << int(kDaCurrent) << analog(0, 125, 20000, 40001, 1234);
    QTest::newRow("DA 0..1.5") << int(kDaCurrent) << analog(0, 15, 20003, 40000, -777);
    QTest::newRow("DA 0..0.5") << int(kDaCurrent) << analog(0, 5, 20000, 50007, 99);
    QTest::newRow("DA 4-20 mA as 0..100") << int(kDaCurrent) << analog(0, 1000, 13001, 59000, -3);
}

void KeptBytesTest::writtenBackAsStored()
{
    QFETCH(int, product);
    QFETCH(Bytes, stored);
    auto window = freshWindow();
    const DialogCloser closer;
    sim::Module &m = sim::Bench::instance().plug(std::uint16_t(product));
    for (const auto &[at, byte] : stored)
        m.stored[std::size_t(at)] = std::uint8_t(byte);
    QTRY_VERIFY_WITH_TIMEOUT(currentPage(*window) != QLatin1String("page_Connect"), 30000);
    QWidget *page = child<QStackedWidget>(*window, "stackedWidget")->currentWidget();
    const auto buttons = page->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^pushButton_Configurer")));
    const auto labels = page->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^label_Resultat_configurer")));
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(labels.size(), 1);
    // Pages with a live reading let Write go once the first one came.
    QTRY_VERIFY_WITH_TIMEOUT(buttons.front()->isEnabled(), 10000);
    m.received.clear();
    buttons.front()->click();
    QTRY_COMPARE_WITH_TIMEOUT(labels.front()->text(), QStringLiteral("OK"), 30000);
    const sim::Bytes written = m.lastReceived(orlo::command::WriteConfiguration);
    QCOMPARE(written.size(), m.stored.size());
    for (const auto &[at, byte] : stored)
        QVERIFY2(written[std::size_t(at)] == byte,
                 qPrintable(QStringLiteral("offset %1: stored %2, written %3").arg(at).arg(byte).arg(written[std::size_t(at)])));
}

ORLO_TEST_MAIN(KeptBytesTest)
#include "tst_kept_bytes.moc"
