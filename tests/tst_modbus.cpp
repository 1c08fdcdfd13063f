// The Modbus polling model of the serial modules: register blocks, statement
// period and timeout bytes, and the chain of block widgets.
#include "link/frames/modbus_frame.h"
#include "widgets/modbusframes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QtTest>
#include <array>

namespace mb = orlo::modbus;

class ModbusTest : public QObject
{
    Q_OBJECT

private slots:
    void blocksBothWays();
    void blockValuesHeldToTheirFields();
    void minuteBytes_data();
    void minuteBytes();
    void timeoutBytes_data();
    void timeoutBytes();
    void chainRule();
    void storedBlocksShown();
    void serialFormat();

private:
    // Six blocks of stand-alone widgets, owned by `owner`.
    mb::BlockChain makeChain(QWidget &owner)
    {
        mb::BlockChain chain{};
        for (auto &b : chain)
            b = {new QCheckBox(&owner), new QSpinBox(&owner), new QSpinBox(&owner), new QSpinBox(&owner)};
        mb::resetChain(chain, 4);
        return chain;
    }
};

void ModbusTest::blocksBothWays()
{
    std::array<quint8, 24> bytes{};
    for (int i = 0; i < 24; ++i)
        bytes[std::size_t(i)] = quint8(0x10 + i);
    bytes[8] = 0;   // block 3 off
    const mb::Blocks blocks = mb::getBlocks(bytes.data());
    QVERIFY(blocks[0].enabled);
    QVERIFY(!blocks[2].enabled);
    QCOMPARE(blocks[1].device, 0x14);
    QCOMPARE(blocks[1].registerAddress, 0x1615);     // low byte first
    QCOMPARE(blocks[1].length, 0x17);
    QCOMPARE(blocks[2].registerAddress, 0x1A19);     // sent whatever the box says
    std::array<quint8, 24> again{};
    mb::putBlocks(again.data(), blocks);
    QCOMPARE(again, bytes);
}

void ModbusTest::blockValuesHeldToTheirFields()
{
    mb::Blocks blocks;
    blocks[0] = {true, 300, 70000, -2};
    blocks[1] = {false, 7, -1, 2};
    std::array<quint8, 24> bytes{};
    mb::putBlocks(bytes.data(), blocks);
    QCOMPARE(int(bytes[0]), 255);
    QCOMPARE(int(bytes[1]), 0xFF);
    QCOMPARE(int(bytes[2]), 0xFF);
    QCOMPARE(int(bytes[3]), 0);
    QCOMPARE(int(bytes[4]), 0);       // off: device 0
    QCOMPARE(int(bytes[5]) | int(bytes[6]), 0);
    QCOMPARE(int(bytes[7]), 2);
}

void ModbusTest::minuteBytes_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("item");     // -1: no item shows the byte
    QTest::newRow("10: first") << 10 << 6 << 10 << 0;
    QTest::newRow("10: 60 is item 5") << 10 << 6 << 60 << 5;
    QTest::newRow("10: 0") << 10 << 6 << 0 << -1;
    QTest::newRow("10: 15") << 10 << 6 << 15 << -1;
    QTest::newRow("10: 70") << 10 << 6 << 70 << -1;
    QTest::newRow("10: 255") << 10 << 6 << 255 << -1;
    QTest::newRow("5: 60 is item 11") << 5 << 12 << 60 << 11;
    QTest::newRow("5: 5") << 5 << 12 << 5 << 0;
}

void ModbusTest::minuteBytes()
{
    QFETCH(int, step);
    QFETCH(int, items);
    QFETCH(int, byte);
    QFETCH(int, item);
    QCOMPARE(mb::minuteItem(byte, step, items), item);
    if (item >= 0)
        QCOMPARE(int(mb::minuteByte(item, step, items)), byte);
    // An item beyond the list is held to it.
    QCOMPARE(int(mb::minuteByte(items + 3, step, items)), items * step);
    QCOMPARE(int(mb::minuteByte(-1, step, items)), step);
}

void ModbusTest::timeoutBytes_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("byte");
    QTest::addColumn<double>("readBack");
    QTest::newRow("0.1") << 0.1 << 1 << 0.1;
    QTest::newRow("2.3") << 2.3 << 23 << 2.3;
    QTest::newRow("25.0") << 25.0 << 250 << 25.0;
    QTest::newRow("truncated") << 1.29 << 12 << 1.2;
    QTest::newRow("above") << 40.0 << 250 << 25.0;
    QTest::newRow("zero") << 0.0 << 1 << 0.1;
    QTest::newRow("nan") << qQNaN() << 1 << 0.1;
}

void ModbusTest::timeoutBytes()
{
    QFETCH(double, seconds);
    QFETCH(int, byte);
    QFETCH(double, readBack);
    QCOMPARE(int(mb::timeoutByte(seconds)), byte);
    QCOMPARE(mb::timeoutSeconds(byte), readBack);
    // Every tenth of the range goes and comes back exactly.
    for (int b = mb::kTimeoutMin; b <= mb::kTimeoutMax; ++b)
        QCOMPARE(int(mb::timeoutByte(mb::timeoutSeconds(b))), b);
    QCOMPARE(mb::timeoutSeconds(251), 25.0);
    QCOMPARE(mb::timeoutSeconds(0), 0.1);
}

void ModbusTest::chainRule()
{
    QWidget owner;
    const mb::BlockChain chain = makeChain(owner);
    auto state = [&] {
        QString s;
        for (const auto &b : chain)
            s += QString::number(int(b.box->isChecked()) + 2 * int(b.box->isEnabled())
                                 + 4 * int(b.device->isEnabled()));
        return s;
    };
    // checked + 2 enabled + 4 fields enabled, per block.
    QCOMPARE(state(), QStringLiteral("720000"));
    mb::chainToggled(chain, 0, false);
    QCOMPARE(state(), QStringLiteral("720000"));
    for (int i = 1; i < mb::kBlockCount; ++i) {
        chain[std::size_t(i)].box->setChecked(true);
        mb::chainToggled(chain, i, true);
        chain[std::size_t(i)].device->setValue(10 + i);
        chain[std::size_t(i)].registerAddress->setValue(100 + i);
        chain[std::size_t(i)].length->setValue(3);
    }
    QCOMPARE(state(), QStringLiteral("777777"));
    // Frame 3 off: frames 3 to 6 off, disabled from 4 on, fields reset.
    chain[2].box->setChecked(false);
    mb::chainToggled(chain, 2, false);
    QCOMPARE(state(), QStringLiteral("772000"));
    for (int i = 2; i < mb::kBlockCount; ++i) {
        QCOMPARE(chain[std::size_t(i)].device->value(), 1);
        QCOMPARE(chain[std::size_t(i)].registerAddress->value(), 0);
        QCOMPARE(chain[std::size_t(i)].length->value(), 1);
    }
    QCOMPARE(chain[1].device->value(), 11);
    const mb::Blocks blocks = mb::blocksOf(chain);
    QVERIFY(blocks[0].enabled && blocks[1].enabled && !blocks[2].enabled);
    // A fresh chain again.
    mb::resetChain(chain, 4);
    QCOMPARE(state(), QStringLiteral("720000"));
    QCOMPARE(chain[1].device->value(), 1);
}

void ModbusTest::storedBlocksShown()
{
    QWidget owner;
    const mb::BlockChain chain = makeChain(owner);
    mb::Blocks blocks;
    blocks[0] = {false, 0, 65535, 9};           // frame 1 is on whatever it says
    blocks[1] = {true, 200, 513, 4};
    blocks[2] = {false, 0, 77, 2};              // off: register and length still shown
    mb::showBlocks(chain, blocks);
    QVERIFY(chain[0].box->isChecked());
    QCOMPARE(chain[0].device->value(), 1);      // held to the range
    QCOMPARE(chain[0].length->value(), 4);
    QVERIFY(chain[1].box->isChecked());
    QVERIFY(chain[1].device->isEnabled());
    QCOMPARE(chain[1].registerAddress->value(), 513);
    QVERIFY(!chain[2].box->isChecked());
    QVERIFY(chain[2].box->isEnabled());
    QVERIFY(!chain[2].device->isEnabled());
    QCOMPARE(chain[2].registerAddress->value(), 77);
    QVERIFY(!chain[3].box->isEnabled());
}

void ModbusTest::serialFormat()
{
    QWidget owner;
    const mb::SerialFormat format{new QComboBox(&owner), new QComboBox(&owner), new QComboBox(&owner)};
    mb::fillSerialFormat(format);
    QCOMPARE(format.dataBits->currentText(), QStringLiteral("8 bits"));
    QCOMPARE(format.parity->currentText(), QStringLiteral("No parity"));
    QCOMPARE(format.stopBits->currentText(), QStringLiteral("1 stop bit"));
    mb::refillParity(format.parity, mb::kDataBits7Item);
    QCOMPARE(format.parity->count(), 2);
    QCOMPARE(format.parity->currentText(), QStringLiteral("Odd parity"));
    format.dataBits->setCurrentIndex(mb::kDataBits7Item);
    format.stopBits->setCurrentIndex(mb::kStopBits2Item);
    mb::setSerialFormatFree(format, false);
    QCOMPARE(format.dataBits->currentIndex(), mb::kDataBits8Item);
    QCOMPARE(format.parity->count(), 3);
    QCOMPARE(format.parity->currentIndex(), mb::kParityNoneItem);
    QCOMPARE(format.stopBits->currentIndex(), mb::kStopBits1Item);
    QVERIFY(!format.parity->isEnabled());
    mb::setSerialFormatFree(format, true);
    QVERIFY(format.dataBits->isEnabled() && format.parity->isEnabled() && format.stopBits->isEnabled());
    mb::selectItem(format.stopBits, 5);
    QCOMPARE(format.stopBits->currentIndex(), -1);
}

QTEST_MAIN(ModbusTest)
#include "tst_modbus.moc"
