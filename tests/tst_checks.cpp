// The checks Write makes before sending, asked of the core about a stored
// record and of the page filled with it: both refuse alike, with the lines
// the page tests expect.
#include "link/checks.h"
#include "link/frames/da_frame.h"
#include "link/frames/di_frame.h"
#include "link/frames/mirror_frame.h"
#include "link/frames/rslw_frame.h"
#include "link/frames/th_frame.h"
#include "link/frames/tm2d_frame.h"
#include "link/frames/tm_frame.h"
#include "link/limits.h"
#include "sim/simbench.h"
#include "support/fixture.h"

#include <QPushButton>
#include <QtTest>

using namespace testing;

class ChecksTest : public QObject
{
    Q_OBJECT

private slots:
    void pageRefusesWhatTheCoreNames_data();
    void pageRefusesWhatTheCoreNames();
};

namespace {

// Offset and byte pairs laid over the module's stored record.
QByteArray bytes(std::initializer_list<int> pairs)
{
    QByteArray b;
    for (int v : pairs)
        b.append(char(v));
    return b;
}

} // namespace

void ChecksTest::pageRefusesWhatTheCoreNames_data()
{
    namespace tm = orlo::tm;
    namespace mf = orlo::mirror;
    QTest::addColumn<int>("productId");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("line");          // the one line expected, if any
    const int periodic = tm::kPeriodicStatement;
    const int hours = tm::kStatementHours;
    const int minutes = tm::kStatementMinutes;
    QTest::newRow("TM send time at 25 h")
        << 0x0244 << bytes({tm::kFlags, tm::kSendTime1Enabled, tm::kSendTimes + tm::kSendTimeHour, 0x25}) << true
        << QStringLiteral("\tChamp heure     de l'heure n°1 non configuré.\n");
    QTest::newRow("TM statement at 30 h") << 0x0244 << bytes({tm::kFlags, periodic, hours, 30}) << true
                                          << QStringLiteral("\tChamp heure de relevé non configuré.\n");
    QTest::newRow("TM statement at 30 h, not shown") << 0x0244 << bytes({tm::kFlags, 0, hours, 30}) << true
                                                     << QString();
    QTest::newRow("TM statement 00 h 00") << 0x0244 << bytes({tm::kFlags, periodic, hours, 0, minutes, 0}) << true
                                          << QStringLiteral("\tChamp minutes de relevé non configuré.\n");
    const orlo::tm::Layout tm2d = orlo::tm2d::layout();
    QTest::newRow("TM2D_r10 statement 00 h 00, moved to 00 h 10")
        << 0x0324 << bytes({tm2d.flags, periodic, tm2d.statementHours, 0, tm2d.statementMinutes, 0}) << false
        << QString();
    const orlo::tm::Layout th = orlo::th::layout();
    QTest::newRow("TH_r10 statement 00 h 00")
        << 0x02A9 << bytes({th.flags, periodic, th.statementHours, 0, th.statementMinutes, 0}) << true
        << QStringLiteral("\tChamp minutes de relevé non configuré.\n");
    QTest::newRow("TM_868 Master at 24 h") << 0x02AE << bytes({tm::kFlags, tm::kRoleMaster, hours, 24}) << true
                                          << QStringLiteral("\tChamp heure de relevé non configuré.\n");
    QTest::newRow("DA without span")
        << 0x0222 << bytes({orlo::da::kY1, 5, orlo::da::kY1 + 1, 0, orlo::da::kY2, 5, orlo::da::kY2 + 1, 0})
        << true << orlo::checks::kCalibrationLine;
    QTest::newRow("DI at 00:00") << 0x01C7 << bytes({orlo::di::kHour, 0, orlo::di::kMinute, 0}) << true
                                 << QStringLiteral("\tChamp minutes de relevé compteur non configuré.\n");
    QTest::newRow("DI_r2x at 30 h") << 0x02E3 << bytes({orlo::di::kHour, 30, orlo::di::kMinute, 10}) << true
                                    << QStringLiteral("\tMeter reading hour time is not set.\n");
    QTest::newRow("DI4_r2x at 24:10, moved to 00:10")
        << 0x0317 << bytes({orlo::di::kHour, 24, orlo::di::kMinute, 10}) << false << QString();
    QTest::newRow("IOD Master at 24:10")
        << 0x0390 << bytes({mf::kMode, mf::Master, mf::kHour, 24, mf::kMinute, 10}) << true
        << QStringLiteral("\tMeter reading minute time is not set.\n");
    QTest::newRow("IOD mirror at 1200 bps") << 0x0390 << bytes({mf::kMode, mf::SlaveMirror, mf::kSpeed, 1}) << true
                                            << orlo::checks::kMirrorSpeedsIOD.line;
    QTest::newRow("LoRa channel 3 at 2511 bps")
        << 0x0344 << bytes({mf::kMode, mf::Slave, mf::kChannel, 3, mf::kSpeed, orlo::limits::kFirstFastLoRaRate})
        << true << QStringLiteral("\tChannel 3 is not in the channel plan of this data rate\n");
    QTest::newRow("RSLW role 9") << 0x0354 << bytes({orlo::rslw::kRole, 9}) << true
                                 << orlo::checks::kRoleUnknownLine;
}

void ChecksTest::pageRefusesWhatTheCoreNames()
{
    QFETCH(int, productId);
    QFETCH(QByteArray, stored);
    QFETCH(bool, refused);
    QFETCH(QString, line);
    auto window = freshWindow();
    sim::Module &m = sim::Bench::instance().plug(std::uint16_t(productId));
    for (int i = 0; i + 1 < stored.size(); i += 2)
        m.stored[std::size_t(stored[i])] = quint8(stored[i + 1]);

    const orlo::checks::Failed core = orlo::checks::failedChecks(productId, m.stored.data());
    QCOMPARE(core.any(), refused);
    QCOMPARE(core.lines, line.isEmpty() ? QStringList() : QStringList{line});

    QVERIFY(waitForPage(*window));
    QVERIFY(QTest::qWaitFor([&] { return configureButton(shownPage(*window))->isEnabled(); }, 10000));
    MessageBoxCatcher box;
    const sim::Bytes sent = pressWrite(shownPage(*window), m, 0);
    QCOMPARE(sent.empty(), refused);
    QCOMPARE(box.seen, refused);
    if (refused)
        QCOMPARE(box.text, core.box.header + core.lines.join(QString()) + core.box.footer);
}

ORLO_TEST_MAIN(ChecksTest)
#include "tst_checks.moc"
