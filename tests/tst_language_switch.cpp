// A language change on a shown module page: the texts the page chose from
// its state, the lists it filled and its result follow the language; the
// user's choice stays. And the history names a button by its source text.
#include "app/configfiles.h"
#include "app/language.h"
#include "sim/firmware.h"
#include "support/fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>

using namespace testing;
using Prepare = std::function<void(sim::Module &)>;
Q_DECLARE_METATYPE(Prepare)

namespace {

// Every text becomes "context|source": the window shows which context each went through.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        return *source ? QStringLiteral("%1|%2").arg(QLatin1String(context), QString::fromUtf8(source)) : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class LanguageSwitchTest : public QObject
{
    Q_OBJECT

private slots:
    void pageKeepsItsStateAcrossALanguageChange_data();
    void pageKeepsItsStateAcrossALanguageChange();
    void journalNamesButtonsInTheSourceTexts();
};

void LanguageSwitchTest::pageKeepsItsStateAcrossALanguageChange_data()
{
    // A list the page filled and the user's choice in it; a text the page chose from its state.
    QTest::addColumn<int>("product");
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("textWidget");
    QTest::addColumn<QString>("text");
    QTest::newRow("TM2D_r10 two probes")
        << 0x0324 << Prepare([](sim::Module &m) { sim::setTwoProbeOptions(m, true, false), sim::setSecondProbeCelsius(m, 21); })
        << "comboBox_lorawan_joinMode_TM2D_r10" << 1 << "label_TM2D_r10_Title"
        << "TemperaturePages|Brisane\n2 Digital Temperature";
    QTest::newRow("TH_r10 no humidity") << 0x02A9 << Prepare(sim::removeHumiditySensor)
                                        << "comboBox_Periode_mesure_TH_r10" << 3 << "label_TH_r10_Title"
                                        << "TemperaturePages|Brisane\nTemperature SF8";
    QTest::newRow("DA_r20 current turned to voltage")
        << 0x0293 << Prepare([](sim::Module &m) { m.stored[9] = 0x04; }) << "comboBox_Analog_DA_r20" << 0
        << "label_X1_DA_r20" << "AnalogPages|pour U = 0V";
    QTest::newRow("DI4_r2x ABP turned to OTAA")
        << 0x0317 << Prepare([](sim::Module &m) { m.stored[9] = 0x3D, m.stored[12] = 1; })
        << "comboBox_lorawan_joinMode_DI4_r2x" << 0 << "checkBox_radio_local_DI4_r2x"
        << "DigitalInputPages|With local radio transmission";
}

void LanguageSwitchTest::pageKeepsItsStateAcrossALanguageChange()
{
    QFETCH(int, product);
    QFETCH(Prepare, prepare);
    QFETCH(QString, list);
    QFETCH(int, chosen);
    QFETCH(QString, textWidget);
    QFETCH(QString, text);
    auto window = freshWindow();
    const orlo::ModuleEntry *entry = orlo::findModule(quint16(product));
    sim::Module &m = plugAndShow(*window, quint16(product), (QByteArray("page_ORLO_") + entry->name).constData(), prepare);
    QVERIFY(settled(*window));
    auto *shownList = child<QComboBox>(*window, list.toLatin1().constData());
    const QWidget *textShown = child<QWidget>(*window, textWidget.toLatin1().constData());
    shownList->setCurrentIndex(chosen);
    const QString source = text.section(QLatin1Char('|'), 1);
    QTRY_COMPARE_WITH_TIMEOUT(textShown->property("text").toString(), source, 5000);
    QVERIFY(!pressWrite(shownPage(*window), m, 0).empty());
    const QLabel *result = resultLabel(shownPage(*window));
    QCOMPARE(result->text(), QStringLiteral("OK"));

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(window.get(), &change);
    QCOMPARE(shownList->currentIndex(), chosen);
    QVERIFY2(shownList->currentText().startsWith(QLatin1String("orlo::limits|")), qPrintable(shownList->currentText()));
    QCOMPARE(textShown->property("text").toString(), text);
    QCOMPARE(result->text(), QStringLiteral("orlo::result|OK"));
}

void LanguageSwitchTest::journalNamesButtonsInTheSourceTexts()
{
    // In French the bridge's Write reads "Configurer"; its row keeps "Write",
    // as orlo-cli's and every other language's rows do.
    orlo::useLanguage(orlo::Language::French);
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x02B1, "page_ORLO_RS_r00");
    QVERIFY(settled(*window));
    QCOMPARE(child<QPushButton>(*window, "pushButton_Configurer_ORLO_RS_r00")->text(), QStringLiteral("Configurer"));
    QVERIFY(!pressWrite(shownPage(*window), m, 0).empty());
    const QVector<JournalEntry> rows = window->findChild<ConfigurationFiles *>()->history().rows();
    orlo::useLanguage(orlo::Language::Source);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.last().button, QStringLiteral("Write"));
}

ORLO_TEST_MAIN(LanguageSwitchTest)
#include "tst_language_switch.moc"
