#include "widgets/wdradio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

constexpr int channels = 560;

// The channel plan read independently: bands by their last channel, the
// allowed channels generated forward from each band's start.
struct Band { int first; int last; bool high; };
const Band bands[] = {{0, 511, false}, {512, 531, true}, {532, 559, false}};

struct Rule { int step; int offset; };
Rule ruleFor(int k, bool high)
{
    switch (k) {
    case 4: return {2, 0};
    case 5: return {3, 1};
    case 6: return high ? Rule{2, 4} : Rule{4, 0};
    case 7: return high ? Rule{5, 0} : Rule{6, -1};
    case 8: return high ? Rule{10, 0} : Rule{16, -8};
    default: return {1, 0};
    }
}

std::vector<int> expectedPlan(int k, bool highPower)
{
    std::vector<int> plan(channels, -1);
    for (const Band &b : bands) {
        const Rule r = ruleFor(k, b.high);
        const int margin = static_cast<int>(std::trunc((r.step + r.offset) / 2.0));
        for (int c = b.first + r.offset; c <= b.last; c += r.step) {
            const int fromStart = c - b.first;
            const int toEnd = b.last + 1 - c;
            if (fromStart < 1 || fromStart < margin || toEnd < margin)
                continue;
            const int edge = std::min(fromStart, toEnd);
            plan[c] = !(b.high && highPower) ? 14 : edge <= 2 ? 21 : edge <= 4 ? 23 : 27;
        }
    }
    return plan;
}

QString powerText(int dbm)
{
    return dbm == 14 ? QStringLiteral("14dBm") : QStringLiteral("14|%1dBm").arg(dbm);
}

QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// The widget's children as a user sees them.
struct Form {
    explicit Form(Wdradio &w)
        : rate(w.findChild<QComboBox *>("_comboBoxBaudrate")),
          channel(w.findChild<QSpinBox *>("_spinBoxChannel")),
          modem(w.findChild<QSpinBox *>("_spinBoxModem")),
          remote(w.findChild<QSpinBox *>("_spinBoxRemote")),
          power(w.findChild<QLabel *>("_labelMaxPower")),
          compat(w.findChild<QCheckBox *>("_checkBoxCompatibility")),
          modemLabel(w.findChild<QLabel *>("_labelModem")),
          remoteLabel(w.findChild<QLabel *>("_labelRemote")),
          line(w.findChild<QWidget *>("line"))
    {
    }
    bool complete() const
    {
        return rate && channel && modem && remote && power && compat && modemLabel
            && remoteLabel && line;
    }
    void type(int value) const
    {
        channel->selectAll();
        QTest::keyClicks(channel, QString::number(value));
        QTest::keyClick(channel, Qt::Key_Return);
    }
    QComboBox *rate;
    QSpinBox *channel, *modem, *remote;
    QLabel *power;
    QCheckBox *compat;
    QLabel *modemLabel, *remoteLabel;
    QWidget *line;
};

} // namespace

class tst_Wdradio : public QObject
{
    Q_OBJECT

private slots:
    void knownCodesRoundTrip();
    void channelPlan_data();
    void channelPlan();
    void planExamples();
    void initialForm();
    void rateLists_data();
    void rateLists();
    void stepping_data();
    void stepping();
    void typedChannel_data();
    void typedChannel();
    void walkVisitsEveryAllowedChannel_data();
    void walkVisitsEveryAllowedChannel();
    void rateChangeResetsChannel();
    void compatibilityMode();
    void setValues();
    void setValuesTakesShownChannelAsReference();
    void codeOutsideList();
    void fieldsHidden_data();
    void fieldsHidden();
    void compatibilityDisabled();
};

void tst_Wdradio::channelPlan_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("highPower");
    for (int k = 1; k <= 8; ++k) {
        QTest::addRow("k=%d", k) << k << true;
        QTest::addRow("k=%d low power", k) << k << false;
    }
}

void tst_Wdradio::channelPlan()
{
    QFETCH(int, k);
    QFETCH(bool, highPower);
    const std::vector<int> plan = expectedPlan(k, highPower);
    for (int ch = 0; ch < channels; ++ch)
        QVERIFY2(Wdradio::channelPower(ch, k, highPower) == plan[ch],
                 qPrintable(QStringLiteral("channel %1").arg(ch)));
    QCOMPARE(Wdradio::channelPower(channels, k, highPower), -1);
    QCOMPARE(Wdradio::channelPower(-1, k, highPower), -1);
}

void tst_Wdradio::planExamples()
{
    QCOMPARE(Wdradio::channelPower(513, 1, true), 21);
    QCOMPARE(Wdradio::channelPower(515, 1, true), 23);
    QCOMPARE(Wdradio::channelPower(517, 1, true), 27);
    QCOMPARE(Wdradio::channelPower(100, 1, true), 14);

    std::vector<int> fastest;
    for (int ch = 8; ch <= 504; ch += 16)
        fastest.push_back(ch);
    fastest.insert(fastest.end(), {522, 540, 556});
    std::vector<int> allowed;
    for (int ch = 0; ch < channels; ++ch)
        if (Wdradio::channelPower(ch, 8, true) != -1)
            allowed.push_back(ch);
    QCOMPARE(allowed, fastest);
    QCOMPARE(Wdradio::channelPower(522, 8, true), 27);

    for (int k = 1; k <= 3; ++k)
        for (int ch = 0; ch < channels; ++ch)
            QCOMPARE(Wdradio::channelPower(ch, k, true) == -1, ch == 0 || ch == 512 || ch == 532);
    for (int k = 1; k <= 8; ++k)
        QVERIFY(Wdradio::channelPower(522, k, true) != -1);

    // No rate selected: nothing allowed, and no read outside the plan.
    QCOMPARE(Wdradio::channelPower(100, 0, true), -1);
    QCOMPARE(Wdradio::channelPower(100, 9, true), -1);
}

void tst_Wdradio::initialForm()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    QCOMPARE(w.windowTitle(), QStringLiteral("Form"));
    QCOMPARE(f.rate->currentIndex(), 0);
    QCOMPARE(f.channel->minimum(), 0);
    QCOMPARE(f.channel->maximum(), 559);
    QCOMPARE(w.channel(), 522);
    QCOMPARE(f.power->text(), QStringLiteral("14|27dBm"));
    QCOMPARE(f.modem->maximum(), 255);
    QCOMPARE(w.modemAddress(), 0);
    QCOMPARE(w.remoteAddress(), 255);
    QVERIFY(!f.compat->isChecked());
    QCOMPARE(f.compat->text(), QStringLiteral("Compatibility with Kelo modem"));
}

enum Mode { Normal, Compatibility, FourRates };

void tst_Wdradio::rateLists_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("normal") << int(Normal)
                            << QStringList{"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}
                            << 0 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("compatibility") << int(Compatibility) << QStringList{"19200", "9600"} << 1
                                   << QList<int>{10, 11};
    QTest::newRow("four rates") << int(FourRates) << QStringList{"1200", "4800", "19200", "57600"}
                                << 0 << QList<int>{1, 2, 3, 4};
}

void tst_Wdradio::rateLists()
{
    QFETCH(int, mode);
    QFETCH(QStringList, list);
    QFETCH(int, selected);
    QFETCH(QList<int>, codes);
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    if (mode == FourRates) {
        f.type(540); // away from 522, to see the reset
        w.setBaudList4(true);
        QVERIFY(f.compat->isHidden() && f.line->isHidden());
    } else if (mode == Compatibility) {
        f.compat->click();
    } else {
        // Back from the four-rate list the normal list and the box return.
        w.setBaudList4(true);
        f.rate->setCurrentIndex(3);
        w.setBaudList4(false);
        QVERIFY(!f.compat->isHidden() && !f.line->isHidden());
    }
    QCOMPARE(entries(f.rate), list);
    QCOMPARE(f.rate->currentIndex(), selected);
    QCOMPARE(w.channel(), mode == Compatibility ? 14 : 522);
    for (int i = 0; i < codes.size(); ++i) {
        f.rate->setCurrentIndex(i);
        QCOMPARE(w.baudIndex(), i);
        QCOMPARE(w.baudCode(), codes.at(i));
    }
}

void tst_Wdradio::stepping_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("115200 up from 522") << 7 << 522 << int(Qt::Key_Up) << 540;
    QTest::newRow("115200 down from 522") << 7 << 522 << int(Qt::Key_Down) << 504;
    QTest::newRow("115200 down from 8 wraps") << 7 << 8 << int(Qt::Key_Down) << 556;
    QTest::newRow("115200 up from 556 wraps") << 7 << 556 << int(Qt::Key_Up) << 8;
    QTest::newRow("1200 down from 513") << 0 << 513 << int(Qt::Key_Down) << 511;
}

void tst_Wdradio::stepping()
{
    QFETCH(int, index);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    f.rate->setCurrentIndex(index);
    f.type(start);
    QCOMPARE(w.channel(), start);
    QTest::keyClick(f.channel, Qt::Key(key));
    QCOMPARE(w.channel(), expected);
    QCOMPARE(f.power->text(), powerText(expectedPlan(index + 1, true)[expected]));
}

void tst_Wdradio::typedChannel_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("label");
    QTest::newRow("512 after 520 at 1200") << 0 << 520 << 512 << 513 << "14|21dBm";
    QTest::newRow("above the previous moves down") << 7 << 522 << 530 << 522 << "14|27dBm";
    QTest::newRow("below the previous moves up") << 7 << 540 << 100 << 104 << "14dBm";
    QTest::newRow("allowed stays") << 3 << 522 << 100 << 100 << "14dBm";
}

void tst_Wdradio::typedChannel()
{
    QFETCH(int, index);
    QFETCH(int, previous);
    QFETCH(int, typed);
    QFETCH(int, expected);
    QFETCH(QString, label);
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    f.rate->setCurrentIndex(index);
    f.type(previous);
    f.type(typed);
    QCOMPARE(w.channel(), expected);
    QCOMPARE(f.power->text(), label);
}

void tst_Wdradio::walkVisitsEveryAllowedChannel_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= 8; ++k)
        QTest::addRow("k=%d", k) << k;
}

// Stepping through the whole range in both directions must land on each
// allowed channel, and only on those, with its power shown.
void tst_Wdradio::walkVisitsEveryAllowedChannel()
{
    QFETCH(int, k);
    const std::vector<int> plan = expectedPlan(k, true);
    std::set<int> expected;
    for (int ch = 0; ch < channels; ++ch)
        if (plan[ch] != -1)
            expected.insert(ch);

    std::set<int> visited;
    for (bool up : {true, false}) {
        Wdradio w;
        const Form f(w);
        QVERIFY(f.complete());
        f.rate->setCurrentIndex(k - 1);
        for (int steps = 0; steps <= channels; ++steps) {
            const int before = w.channel();
            up ? f.channel->stepUp() : f.channel->stepDown();
            const int now = w.channel();
            if (now == before || !visited.insert(now).second)
                break;
            QVERIFY2(plan[now] != -1, qPrintable(QStringLiteral("landed on %1").arg(now)));
            QCOMPARE(f.power->text(), powerText(plan[now]));
        }
    }
    visited.insert(522);
    QCOMPARE(visited, expected);
}

void tst_Wdradio::rateChangeResetsChannel()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    for (int i = 0; i < 8; ++i) {
        f.rate->setCurrentIndex((i + 1) % 8);
        f.channel->stepUp();
        QVERIFY(w.channel() != 522);
        f.rate->setCurrentIndex(i);
        QCOMPARE(w.channel(), 522);
        QCOMPARE(f.power->text(), QStringLiteral("14|27dBm"));
        // 522 is the reference again: one step finds its neighbour.
        f.channel->stepDown();
        const std::vector<int> plan = expectedPlan(i + 1, true);
        int below = 521;
        while (plan[below] == -1)
            --below;
        QCOMPARE(w.channel(), below);
    }
}

void tst_Wdradio::compatibilityMode()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    f.modem->setValue(3);
    f.remote->setValue(4);
    f.compat->click();
    QCOMPARE(f.channel->maximum(), 15);
    QCOMPARE(w.channel(), 14);
    QCOMPARE(w.modemAddress(), 0);
    QCOMPARE(w.remoteAddress(), 255);
    QVERIFY(!f.modem->isEnabled() && !f.remote->isEnabled());
    QCOMPARE(f.power->text(), QStringLiteral("14|27dBm"));

    f.channel->stepDown();
    QCOMPARE(f.power->text(), QStringLiteral("14|27dBm"));
    f.channel->stepDown();
    QCOMPARE(f.power->text(), QStringLiteral("14dBm"));
    f.type(0); // no channel plan in this mode
    QCOMPARE(w.channel(), 0);
    f.rate->setCurrentIndex(0);
    QCOMPARE(w.channel(), 0);
    QCOMPARE(w.baudCode(), 10);

    f.compat->click();
    QCOMPARE(f.channel->minimum(), 1);
    QCOMPARE(f.channel->maximum(), 559);
    QCOMPARE(w.channel(), 522);
    QCOMPARE(f.rate->currentText(), QStringLiteral("1200"));
    QVERIFY(f.modem->isEnabled() && f.remote->isEnabled());
    QCOMPARE(w.baudCode(), 1);
}

void tst_Wdradio::setValues()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    w.setValues(11, 5, 0, 255);
    QVERIFY(f.compat->isChecked());
    QCOMPARE(f.rate->currentText(), QStringLiteral("9600"));
    QCOMPARE(w.baudCode(), 11);
    QCOMPARE(w.channel(), 5);
    QCOMPARE(w.modemAddress(), 0);
    QCOMPARE(w.remoteAddress(), 255);
    QVERIFY(!f.modem->isEnabled() && !f.remote->isEnabled());

    w.setValues(5, 522, 3, 7);
    QVERIFY(!f.compat->isChecked());
    QCOMPARE(f.rate->currentText(), QStringLiteral("19200"));
    QCOMPARE(w.baudCode(), 5);
    QCOMPARE(w.channel(), 522);
    QCOMPARE(w.modemAddress(), 3);
    QCOMPARE(w.remoteAddress(), 7);
    QVERIFY(f.modem->isEnabled() && f.remote->isEnabled());

    w.setValues(10, 3, 0, 255);
    QCOMPARE(f.rate->currentText(), QStringLiteral("19200"));
    QCOMPARE(w.baudCode(), 10);
}

void tst_Wdradio::setValuesTakesShownChannelAsReference()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    w.setValues(1, 100, 0, 255);
    QCOMPARE(f.power->text(), QStringLiteral("14dBm"));
    w.setValues(8, 504, 0, 255);
    QCOMPARE(f.power->text(), QStringLiteral("14dBm"));
    f.channel->stepDown();
    QCOMPARE(w.channel(), 488);
    w.setValues(11, 5, 0, 255);
    QCOMPARE(f.power->text(), QStringLiteral("14dBm"));
}

void tst_Wdradio::codeOutsideList()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    w.setValues(0, 100, 1, 2);
    QCOMPARE(w.baudIndex(), -1);
    QCOMPARE(w.channel(), 100);
    // Without a rate there is no plan to move to; the value stays.
    f.channel->stepUp();
    QCOMPARE(w.channel(), 101);
    f.type(300);
    QCOMPARE(w.channel(), 300);

    // A code above 8 that is no compatibility rate keeps the normal list and
    // its channel range: a stored channel is not cut to the compatibility's.
    for (int code : {9, 12}) {
        w.setValues(code, 522, 0, 255);
        QVERIFY(!f.compat->isChecked());
        QCOMPARE(w.baudIndex(), -1);
        QCOMPARE(w.baudCode(), code);
        QCOMPARE(w.channel(), 522);
    }
}

void tst_Wdradio::fieldsHidden_data()
{
    QTest::addColumn<bool>("hideModem");
    QTest::addColumn<bool>("hideRemote");
    QTest::newRow("none") << false << false;
    QTest::newRow("modem") << true << false;
    QTest::newRow("remote") << false << true;
    QTest::newRow("both") << true << true;
}

void tst_Wdradio::fieldsHidden()
{
    QFETCH(bool, hideModem);
    QFETCH(bool, hideRemote);
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    w.setFieldsHidden(!hideModem, !hideRemote);
    w.setFieldsHidden(hideModem, hideRemote);
    QCOMPARE(f.modemLabel->isHidden(), hideModem);
    QCOMPARE(f.modem->isHidden(), hideModem);
    QCOMPARE(f.remoteLabel->isHidden(), hideRemote);
    QCOMPARE(f.remote->isHidden(), hideRemote);
}

void tst_Wdradio::compatibilityDisabled()
{
    Wdradio w;
    const Form f(w);
    QVERIFY(f.complete());
    f.compat->click();
    QVERIFY(f.compat->isChecked());
    w.setCompatibilityEnabled(false);
    QVERIFY(!f.compat->isChecked());
    QVERIFY(!f.compat->isEnabled());
    QCOMPARE(f.rate->count(), 8);
    QCOMPARE(w.channel(), 522);
    QVERIFY(f.modem->isEnabled() && f.remote->isEnabled());
    w.setCompatibilityEnabled(true);
    QVERIFY(f.compat->isEnabled());
    QVERIFY(!f.compat->isChecked());
}

// Exactly the codes the widget can show are shown; every code comes back
// unchanged until the user picks a rate.
void tst_Wdradio::knownCodesRoundTrip()
{
    int known = 0;
    for (int code = 0; code < 256; ++code) {
        for (bool four : {false, true}) {
            Wdradio radio;
            radio.setBaudList4(four);
            radio.setValues(code, 522, 0, 255);
            QCOMPARE(radio.baudCode(), code);
            if (!four) {
                QCOMPARE(Wdradio::isKnownBaudCode(code), radio.baudIndex() >= 0);
                known += Wdradio::isKnownBaudCode(code);
            }
        }
    }
    QCOMPARE(known, 10);
    Wdradio radio;
    radio.setValues(0, 522, 0, 255);
    radio.findChild<QComboBox *>(QStringLiteral("_comboBoxBaudrate"))->setCurrentIndex(1);
    QCOMPARE(radio.baudCode(), 2);
}

QTEST_MAIN(tst_Wdradio)
#include "tst_wdradio.moc"
