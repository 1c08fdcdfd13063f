#include "support/fixture.h"
#include "widgets/listfill.h"

#include <QSignalSpy>
#include <QtTest>

class ListFillTest : public QObject
{
    Q_OBJECT

private slots:
    void refill_data();
    void refill();
};

void ListFillTest::refill_data()
{
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("shownVisible");
    QTest::newRow("visible given, first item") << 4 << 0 << 4;
    QTest::newRow("visible given, third item") << 6 << 2 << 6;
    QTest::newRow("the form's visible count") << orlo::kListOwnVisible << 1 << 9;
}

// A full list of other entries is replaced without one index signal.
void ListFillTest::refill()
{
    QFETCH(int, visible);
    QFETCH(int, selected);
    QFETCH(int, shownVisible);
    QComboBox list;
    list.setMaxVisibleItems(9);
    list.addItems({"a", "b", "c", "d", "e"});
    list.setCurrentIndex(4);
    QSignalSpy changes(&list, qOverload<int>(&QComboBox::currentIndexChanged));
    orlo::refillQuietly(&list, {"x", "y", "z"}, visible, selected);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.maxCount(), 3);
    QCOMPARE(list.maxVisibleItems(), shownVisible);
    QCOMPARE(list.currentIndex(), selected);
}

ORLO_TEST_MAIN(ListFillTest)
#include "tst_listfill.moc"
