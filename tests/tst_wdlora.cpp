#include "widgets/wdlora.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

#include <vector>

namespace {

const QStringList kRates = {"183", "335", "610", "1120", "2511", "4464", "9114"};

// The channel plans, written out from the rules: at the slow rates every
// channel 1 .. 29; at the fast rates even channels from 2 up to 20, then
// every third channel up to 26.
std::vector<int> planOf(int index)
{
    std::vector<int> plan;
    if (index < 4) {
        for (int c = 1; c <= 29; ++c)
            plan.push_back(c);
        return plan;
    }
    for (int c = 2; c <= 20; c += 2)
        plan.push_back(c);
    for (int c = 23; c <= 26; c += 3)
        plan.push_back(c);
    return plan;
}

// Where a typed channel ends: held to the plan's range, then the highest
// channel of the plan not above it.
int typedResult(int typed, int index)
{
    const std::vector<int> plan = planOf(index);
    int result = plan.front();
    for (int c : plan)
        if (c <= typed)
            result = c;
    return result;
}

struct Parts {
    QComboBox *rate;
    QSpinBox *channel;
    QLabel *power;
    QSpinBox *modem;
    QSpinBox *remote;
};

Parts partsOf(const Wdlora &w)
{
    return {w.findChild<QComboBox *>("_comboBoxBaudrate"), w.findChild<QSpinBox *>("_spinBoxChannel"),
            w.findChild<QLabel *>("_labelMaxPower"), w.findChild<QSpinBox *>("_spinBoxModem"),
            w.findChild<QSpinBox *>("_spinBoxRemote")};
}

// A value typed over the whole field, then Enter.
void type(QSpinBox *box, int value)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
    QTest::keyClick(box, Qt::Key_Enter);
}

} // namespace

class WdloraTest : public QObject
{
    Q_OBJECT

private slots:
    void initialForm();
    void rateChangeGoesTo23_data();
    void rateChangeGoesTo23();
    void everyTypedChannelAtEveryRate_data();
    void everyTypedChannelAtEveryRate();
    void arrowsWalkThePlan_data();
    void arrowsWalkThePlan();
    void planChannelStaysWhenValidatedAgain();
    void typedWithTheKeyboard();
    void setValuesShowsTheStoredValues_data();
    void setValuesShowsTheStoredValues();
    void fieldsHidden();
};

void WdloraTest::initialForm()
{
    Wdlora w;
    const Parts p = partsOf(w);
    QStringList items;
    for (int i = 0; i < p.rate->count(); ++i)
        items << p.rate->itemText(i);
    QCOMPARE(items, kRates);
    QCOMPARE(p.rate->maxCount(), 7);
    QCOMPARE(w.baudIndex(), 0);
    // A channel of the first rate's plan, not the form's 522.
    QCOMPARE(w.channel(), 23);
    QVERIFY(Wdlora::isPlanChannel(w.channel(), w.baudIndex()));
    QCOMPARE(p.channel->minimum(), 1);
    QCOMPARE(p.channel->maximum(), 29);
    QCOMPARE(p.power->text(), QString("14|27dBm"));
    QCOMPARE(w.modemAddress(), 0);
    QCOMPARE(w.remoteAddress(), 255);
    QCOMPARE(w.windowTitle(), QString("Form"));
}

void WdloraTest::rateChangeGoesTo23_data()
{
    QTest::addColumn<int>("index");
    for (int i = 1; i < 7; ++i)
        QTest::newRow(qPrintable(kRates[i])) << i;
}

void WdloraTest::rateChangeGoesTo23()
{
    QFETCH(int, index);
    Wdlora w;
    const Parts p = partsOf(w);
    p.rate->setCurrentIndex(index);
    QCOMPARE(w.channel(), 23);
    QCOMPARE(p.power->text(), QString("14dBm"));
    QCOMPARE(w.baudIndex(), index);
    // 22 and 24 are one step from 23: a step, not a typed value.
    p.channel->stepDown();
    QCOMPARE(w.channel(), Wdlora::isFastRate(index) ? 20 : 22);
}

void WdloraTest::everyTypedChannelAtEveryRate_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 7; ++i)
        QTest::newRow(qPrintable(kRates[i])) << i;
}

void WdloraTest::everyTypedChannelAtEveryRate()
{
    QFETCH(int, index);
    const std::vector<int> plan = planOf(index);
    Wdlora w;
    const Parts p = partsOf(w);
    w.setValues(index, 23, 0, 0);
    for (int typed = 0; typed <= 40; ++typed) {
        // Start from a channel that is no arrow step away from the typed one.
        const int from = std::abs(typed - plan.front()) == 1 ? plan.back() : plan.front();
        p.channel->setValue(from);
        emit p.channel->editingFinished();
        QCOMPARE(w.channel(), from);
        p.channel->setValue(typed);
        emit p.channel->editingFinished();
        QVERIFY2(w.channel() == typedResult(typed, index),
                 qPrintable(QString("typed %1 gave %2").arg(typed).arg(w.channel())));
        QCOMPARE(Wdlora::isPlanChannel(w.channel(), index), true);
        QCOMPARE(p.power->text(), QString("14dBm"));
    }
    for (int c = 0; c <= 40; ++c)
        QCOMPARE(Wdlora::isPlanChannel(c, index), std::count(plan.begin(), plan.end(), c) == 1);
}

void WdloraTest::arrowsWalkThePlan_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 7; ++i)
        QTest::newRow(qPrintable(kRates[i])) << i;
}

void WdloraTest::arrowsWalkThePlan()
{
    QFETCH(int, index);
    const std::vector<int> plan = planOf(index);
    Wdlora w;
    const Parts p = partsOf(w);
    w.setValues(index, plan.front(), 0, 0);
    std::vector<int> visited{w.channel()};
    for (std::size_t i = 1; i < plan.size() + 2; ++i) {
        p.channel->stepUp();
        if (w.channel() != visited.back())
            visited.push_back(w.channel());
    }
    QCOMPARE(visited, plan);
    std::vector<int> down{w.channel()};
    for (std::size_t i = 1; i < plan.size() + 2; ++i) {
        p.channel->stepDown();
        if (w.channel() != down.front())
            down.insert(down.begin(), w.channel());
    }
    QCOMPARE(down, plan);
}

void WdloraTest::planChannelStaysWhenValidatedAgain()
{
    // At a fast rate every channel of the plan survives leaving the field,
    // however it was reached.
    Wdlora w;
    const Parts p = partsOf(w);
    p.rate->setCurrentIndex(4);
    for (int c : planOf(4)) {
        w.setValues(4, c, 0, 0);
        emit p.channel->editingFinished();
        emit p.channel->editingFinished();
        QCOMPARE(w.channel(), c);
    }
    w.setValues(4, 16, 0, 0);
    p.channel->stepUp();
    QCOMPARE(w.channel(), 18);
    emit p.channel->editingFinished();
    QCOMPARE(w.channel(), 18);
}

void WdloraTest::typedWithTheKeyboard()
{
    Wdlora w;
    w.show();
    const Parts p = partsOf(w);
    p.rate->setCurrentIndex(4);
    type(p.channel, 10);
    QCOMPARE(w.channel(), 10);
    type(p.channel, 15);
    QCOMPARE(w.channel(), 14);
    type(p.channel, 25);
    QCOMPARE(w.channel(), 23);
    QTest::keyClick(p.channel, Qt::Key_Up);
    QCOMPARE(w.channel(), 26);
    QTest::keyClick(p.channel, Qt::Key_Down);
    QTest::keyClick(p.channel, Qt::Key_Down);
    QTest::keyClick(p.channel, Qt::Key_Down);
    QCOMPARE(w.channel(), 18);
    p.rate->setCurrentIndex(1);
    type(p.channel, 29);
    QCOMPARE(w.channel(), 29);
    QCOMPARE(p.channel->minimum(), 1);
    QCOMPARE(p.channel->maximum(), 29);
}

void WdloraTest::setValuesShowsTheStoredValues_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<int>("shownChannel");
    QTest::newRow("4464, 26") << 5 << 26 << 5 << 26;
    QTest::newRow("183, 29") << 0 << 29 << 0 << 29;
    QTest::newRow("fast, stored off plan") << 6 << 15 << 6 << 15;
    QTest::newRow("fast, one below 23") << 4 << 22 << 4 << 22;
    QTest::newRow("slow, 0 held") << 2 << 0 << 2 << 1;
    QTest::newRow("fast, 160 held") << 4 << 160 << 4 << 26;
    QTest::newRow("unknown rate") << 7 << 12 << -1 << 12;
    QTest::newRow("unknown rate 255") << 255 << 65535 << -1 << 29;
}

void WdloraTest::setValuesShowsTheStoredValues()
{
    QFETCH(int, index);
    QFETCH(int, channel);
    QFETCH(int, shownIndex);
    QFETCH(int, shownChannel);
    Wdlora w;
    const Parts p = partsOf(w);
    w.setValues(index, channel, 1, 2);
    QCOMPARE(w.baudIndex(), shownIndex);
    QCOMPARE(p.rate->currentText(), shownIndex < 0 ? QString() : kRates[shownIndex]);
    QCOMPARE(w.channel(), shownChannel);
    QCOMPARE(w.modemAddress(), 1);
    QCOMPARE(w.remoteAddress(), 2);
    QCOMPARE(p.power->text(), QString("14dBm"));
    // Shown again after any other rate was shown first.
    w.setValues(3, 7, 0, 0);
    w.setValues(index, channel, 1, 2);
    QCOMPARE(w.channel(), shownChannel);
}

void WdloraTest::fieldsHidden()
{
    Wdlora w;
    w.show();
    const Parts p = partsOf(w);
    auto *modemLabel = w.findChild<QLabel *>("_labelModem");
    auto *remoteLabel = w.findChild<QLabel *>("_labelRemote");
    w.setFieldsHidden(true, false);
    QVERIFY(!p.modem->isVisible() && !modemLabel->isVisible());
    QVERIFY(p.remote->isVisible() && remoteLabel->isVisible());
    w.setFieldsHidden(false, true);
    QVERIFY(p.modem->isVisible() && modemLabel->isVisible());
    QVERIFY(!p.remote->isVisible() && !remoteLabel->isVisible());
}

QTEST_MAIN(WdloraTest)
#include "tst_wdlora.moc"
