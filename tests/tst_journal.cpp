// The journal dialog over a history on disk: what each filter shows, the
// benches sharing it, and the rows shown exported as CSV and as JSON lines.
#include "app/journal.h"
#include "link/clockstamp.h"
#include "link/history.h"
#include "link/writecycle.h"
#include "support/fixture.h"

#include <QtWidgets>

const QDateTime kNoon(QDate(2024, 5, 15), QTime(12, 0));

class TestJournal : public QObject
{
    Q_OBJECT
    QTemporaryDir folder;
    std::unique_ptr<orlo::History> history;

    static QStringList shownAddresses(const orlo::JournalDialog &dialog)
    {
        const auto *table = testing::child<QTableWidget>(dialog, "journalTable");
        QStringList addresses;
        for (int row = 0; row < table->rowCount(); ++row)
            addresses << table->item(row, journal::columns().indexOf("Own address"))->text();
        return addresses;
    }

    // Presses Export… and answers the file dialog: what it wrote at `written`.
    QByteArray exported(orlo::JournalDialog &dialog, const QString &typed, const char *filter, const QString &written)
    {
        QTimer::singleShot(0, &dialog, [this, typed, filter] {
            auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(files);
            files->selectNameFilter(filter);
            files->selectFile(folder.filePath(typed));
            static_cast<QDialog *>(files)->accept();
        });
        testing::child<QPushButton>(dialog, "journalExport")->click();
        QFile file(folder.filePath(written));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        orlo::setClockForTesting([] { return kNoon; });
        const QString path = folder.filePath("history.sqlite");
        const struct { int daysAgo, productId; QString address, result; } made[] = {
            {10, 0x02B1, "F6", result::kOk}, {3, 0x0240, "E5", result::kInvalid}, {1, 0x0222, "D4", result::kOk},
            {0, 0x0240, "A1", result::kOk}, {0, 0x02B1, "B2", result::kVerified}, {0, 0x0240, "C3", result::kFailed}};
        for (const auto &m : made) {
            // Two benches writing in one history, as on a line sharing a server.
            qputenv("ORLO_BENCH", &m - made < 4 ? "bench-a" : "bench-b");
            JournalEntry row;
            row.time = kNoon.addDays(-m.daysAgo);
            row.productId = m.productId;
            row.ownAddress = m.address;
            row.result = m.result;
            QVERIFY(orlo::History(path, "tst").record(row));
        }
        qunsetenv("ORLO_BENCH");
        history = std::make_unique<orlo::History>(path, "tst");
    }

    void filters_data()
    {
        // from, to (days ago; empty: today), product, own address, result, bench (all without)
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("today") << QStringList{"", "", "All", "", "All"} << QStringList{"A1", "B2", "C3"};
        QTest::newRow("range") << QStringList{"3", "1", "All", "", "All"} << QStringList{"E5", "D4"};
        QTest::newRow("product") << QStringList{"30", "", "0x0240 TM", "", "All"} << QStringList{"E5", "A1", "C3"};
        QTest::newRow("own address") << QStringList{"30", "", "All", "F6", "All"} << QStringList{"F6"};
        QTest::newRow("result") << QStringList{"30", "", "All", "", "OK"} << QStringList{"F6", "D4", "A1"};
        QTest::newRow("bench") << QStringList{"30", "", "All", "", "All", "bench-b"} << QStringList{"B2", "C3"};
    }

    void filters()
    {
        QFETCH(QStringList, choices);
        QFETCH(QStringList, expected);
        orlo::JournalDialog dialog(*history);
        for (int end = 0; end < 2; ++end)
            if (!choices.at(end).isEmpty())
                testing::child<QDateEdit>(dialog, end ? "journalTo" : "journalFrom")
                    ->setDate(kNoon.date().addDays(-choices.at(end).toInt()));
        auto *products = testing::child<QComboBox>(dialog, "journalProduct");
        products->setCurrentIndex(products->findText(choices.at(2)));
        QTest::keyClicks(testing::child<QLineEdit>(dialog, "journalOwnAddress"), choices.at(3));
        auto *results = testing::child<QComboBox>(dialog, "journalResult");
        results->setCurrentIndex(results->findText(choices.at(4)));
        auto *benches = testing::child<QComboBox>(dialog, "comboBox_Bench");
        benches->setCurrentIndex(benches->findText(choices.value(5, "All benches")));
        QCOMPARE(shownAddresses(dialog), expected);
        QVERIFY(testing::child<QLabel>(dialog, "journalCount")->text().startsWith(QString::number(expected.size())));
    }

    void exportShown()
    {
        orlo::JournalDialog dialog(*history);
        const QByteArray csv = exported(dialog, "today.csv", "CSV (*.csv)", "today.csv");
        QVERIFY(csv.startsWith("\xEF\xBB\xBF" + journal::columns().join(QLatin1Char(',')).toUtf8() + "\r\n"));
        QCOMPARE(csv.count("\r\n"), 1 + 3);
        QCOMPARE(csv.count('\n'), 1 + 3);
        // A name typed with no extension takes the chosen filter's.
        const QList<QByteArray> lines = exported(dialog, "shown", "JSON lines (*.jsonl)", "shown.jsonl").split('\n');
        QCOMPARE(lines.size(), 3 + 1);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(QJsonDocument::fromJson(lines.at(row)).object().value("own address").toString(),
                     shownAddresses(dialog).at(row));
    }
};

ORLO_TEST_MAIN(TestJournal)
#include "tst_journal.moc"
