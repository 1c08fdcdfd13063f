// Digital-input pages through a simulated module: what the page shows of the
// stored record, and the bytes the module receives when the user writes.
#include "pages/digitalinputpages.h"
#include "link/clockstamp.h"
#include "support/fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdio>
#include <unistd.h>

using namespace testing;

namespace {

constexpr std::uint16_t kDI = 0x01C7;
constexpr std::uint16_t kDI_r2x = 0x02E3;
constexpr std::uint16_t kDI4_r2x = 0x0317;
constexpr int kFlags = 9, kInputs = 10, kMinute = 11, kHour = 12, kCounter1 = 13, kCounter2 = 17;

const char *pageOf(std::uint16_t id)
{
    return id == kDI ? "page_ORLO_DI" : id == kDI_r2x ? "page_ORLO_DI_r2x" : "page_ORLO_DI4_r2x";
}

QString suffixOf(std::uint16_t id)
{
    return id == kDI ? QStringLiteral("DI") : id == kDI_r2x ? QStringLiteral("DI_r2x") : QStringLiteral("DI4_r2x");
}

sim::Bytes record(std::uint16_t id, int flags, int inputs, int minute, int hour, quint32 c1 = 0, quint32 c2 = 0)
{
    sim::Bytes r(id == kDI ? 16 : 24, 0);
    r[kFlags] = quint8(flags);
    r[kInputs] = quint8(inputs);
    r[kMinute] = quint8(minute);
    r[kHour] = quint8(hour);
    if (id != kDI) {
        for (int i = 0; i < 4; ++i) {
            r[std::size_t(kCounter1 + i)] = quint8(c1 >> (8 * i));
            r[std::size_t(kCounter2 + i)] = quint8(c2 >> (8 * i));
        }
    }
    return r;
}

template <typename W>
W *widget(const MainWindow &window, const QString &name)
{
    return child<W>(window, name.toLatin1().constData());
}

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

bool showsIcon(const QPushButton *button, const char *resource)
{
    if (!resource)
        return button->icon().isNull();
    return !button->icon().isNull()
        && button->icon().pixmap(32).toImage() == QIcon(QString::fromLatin1(resource)).pixmap(32).toImage();
}

const char *const kEdgeIcons[] = {nullptr, ":/MainWindow/img/ORLO_DI/rising_edge_32px",
                                  ":/MainWindow/img/ORLO_DI/falling_edge_32px",
                                  ":/MainWindow/img/ORLO_DI/both_edges_32px"};

// Radio buttons and check boxes take clicks on their indicator and text only.
// A press that asks the module something returns once the answer is shown.
void click(QAbstractButton *button)
{
    const bool indicator = qobject_cast<QRadioButton *>(button) || qobject_cast<QCheckBox *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, indicator ? QPoint(6, button->height() / 2) : QPoint());
    if (const auto *window = qobject_cast<const MainWindow *>(button->window()))
        QVERIFY(settled(*window));
}

// A checkable group box toggled from the keyboard, as a user may.
void toggle(QGroupBox *box)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

const QString kTitleFr = QStringLiteral("Configuration invalide");
const QString kTitleEn = QStringLiteral("Invalid configuration");
const QString kHeadFr = QStringLiteral(
    "CONFIGURATION INVALIDE.\n\nAu moins un champ horaire d'un des 3 envois de température possible n'est pas "
    "configuré :\n\n");
const QString kHourFr = QStringLiteral("\tChamp heure de relevé compteur non configuré.\n");
const QString kMinuteFr = QStringLiteral("\tChamp minutes de relevé compteur non configuré.\n");
const QString kFootFr = QStringLiteral(
    "\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur "
    "\"Configurer\"\n");
const QString kHeadEn = QStringLiteral("INVALID CONFIGURATION.\n\nAt least one time field of a sending is not configured.\n\n");
const QString kHourEn = QStringLiteral("\tMeter reading hour time is not set.\n");
const QString kMinuteEn = QStringLiteral("\tMeter reading minute time is not set.\n");
const QString kFootEn = QStringLiteral(
    "\nTo continue, click \"OK\", enter a valid configuration\nand click again on \"Configurer\"\n");
const QString kHeadAccented = QStringLiteral(
    "CONFIGURATION INVALIDE.\n\nAu moins un champ horaire d'un des 3 envois de température possible n'est pas "
    "configuré :\n\n");
const QString kHourAccented = QStringLiteral("\tChamp heure de relevé compteur non configuré.\n");
const QString kMinuteAccented = QStringLiteral("\tChamp minutes de relevé compteur non configuré.\n");
const QString kFootAccented = QStringLiteral(
    "\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur "
    "\"Configurer\"\n");

} // namespace

class PageDiTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readWritesBackWhatItShows_data();
    void readWritesBackWhatItShows();
    void formOfThePages_data();
    void formOfThePages();
    void inputsByteExtremesOnDI();
    void edgeButtonsCycle_data();
    void edgeButtonsCycle();
    void groupBoxAndModeRules();
    void userEditsReachTheFrame();
    void refusedTimes_data();
    void refusedTimes();
    void hour24OnlyMinuteZero();
    void resetFrameIsConfigureFrame_data();
    void resetFrameIsConfigureFrame();
    void countersShownAndCleared_data();
    void countersShownAndCleared();
    void silentModuleShowsNoEarlierRecord();
    void readingPeriodLinkage();
    void radioOptionsFour_data();
    void radioOptionsFour();
    void joinModeHiddenAfterLoRaWanModule();
    void badStoredRecords_data();
    void badStoredRecords();
    void anyStoredBytes();
    void slotsMatchTheirWidgets();
    void traceLineAtEachReading();

private:
    std::unique_ptr<MainWindow> window;
};

void PageDiTest::init()
{
    window = freshWindow();
    orlo::setClockForTesting([] { return QDateTime(QDate(2026, 12, 7), QTime(4, 5, 9)); });
}

void PageDiTest::readWritesBackWhatItShows_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("sentFlags");
    QTest::newRow("DI all off") << int(kDI) << 0x00 << 0x00 << 10 << 0 << 0x00;
    QTest::newRow("DI all on") << int(kDI) << 0xC0 << 0xFF << 50 << 23 << 0xC0;
    QTest::newRow("DI other flag bits dropped") << int(kDI) << 0x3F << 0x5A << 20 << 7 << 0x00;
    QTest::newRow("DI_r2x every day") << int(kDI_r2x) << 0x80 << 0xA5 << 0 << 24 << 0x80;
    QTest::newRow("DI_r2x cable break") << int(kDI_r2x) << 0x40 << 0x3C << 40 << 12 << 0x40;
    QTest::newRow("DI4_r2x OTAA") << int(kDI4_r2x) << 0x4C << 0xFF << 0 << 24 << 0x4C;
    QTest::newRow("DI4_r2x ABP") << int(kDI4_r2x) << 0xBD << 0x00 << 30 << 0 << 0xBD;
    // Variant without join mode: local radio transmission, always on.
    QTest::newRow("DI4_r2x local radio") << int(kDI4_r2x) << 0x10 << 0x96 << 0 << 3 << 0x11;
    // No variant: no join mode is ever set, bit 0 goes back as read.
    QTest::newRow("DI4_r2x no variant, bit 2") << int(kDI4_r2x) << 0x84 << 0x69 << 0 << 1 << 0x80;
    QTest::newRow("DI4_r2x no variant, bit 0") << int(kDI4_r2x) << 0x41 << 0x22 << 20 << 0 << 0x41;
}

void PageDiTest::readWritesBackWhatItShows()
{
    QFETCH(int, id);
    QFETCH(int, flags);
    QFETCH(int, inputs);
    QFETCH(int, minute);
    QFETCH(int, hour);
    QFETCH(int, sentFlags);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type),
                                 [&](sim::Module &mod) { mod.stored = record(type, flags, inputs, minute, hour); });
    QCOMPARE(int(m.received.size()), 1);
    QCOMPARE(int(m.received[0].size()), type == kDI ? 16 : 24);
    QCOMPARE(int(m.received[0][0]), 2);
    QVERIFY(widget<QFrame>(*window, "frame_Parametres_" + suffixOf(type))->isVisible());
    QVERIFY(widget<QFrame>(*window, "frame_Configurer_" + suffixOf(type))->isVisible());
    QVERIFY(child<QLabel>(*window, "label_Logo")->isVisible());

    click(widget<QPushButton>(*window, "pushButton_Configurer_" + suffixOf(type)));
    QCOMPARE(widget<QLabel>(*window, "label_Resultat_configurer_" + suffixOf(type))->text(), QStringLiteral("OK"));
    const sim::Bytes sent = m.lastReceived(1);
    QCOMPARE(int(sent.size()), type == kDI ? 16 : 24);
    const quint8 stamp[] = {0x26, 0x00, 0x07, 0x12, 0x04, 0x00, 0x09, 0x05};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(int(sent[std::size_t(1 + i)]), int(stamp[i]));
    QCOMPARE(int(sent[kFlags]), sentFlags);
    QCOMPARE(int(sent[kInputs]), inputs);
    QCOMPARE(int(sent[kMinute]), minute);
    QCOMPARE(int(sent[kHour]), hour);
    for (std::size_t i = kHour + 1; i < sent.size(); ++i)
        QCOMPARE(int(sent[i]), 0);
}

void PageDiTest::formOfThePages_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("erase");
    QTest::addColumn<int>("hours");
    QTest::addColumn<QStringList>("minutes");
    QTest::newRow("DI") << int(kDI) << "Configurer" << "RAZ" << 25
                        << QStringList{"--", "00", "10", "20", "30", "40", "50"};
    QTest::newRow("DI_r2x") << int(kDI_r2x) << "Write" << "Erase" << 26
                            << QStringList{"--", "00", "10", "20", "30", "40", "50"};
    QTest::newRow("DI4_r2x") << int(kDI4_r2x) << "Write" << "Erase" << 26
                             << QStringList{"--", "00", "10", "20", "30"};
}

void PageDiTest::formOfThePages()
{
    QFETCH(int, id);
    QFETCH(int, hours);
    QFETCH(QStringList, minutes);
    const auto type = std::uint16_t(id);
    const QString s = suffixOf(type);
    // A stored hour the lists cannot show leaves them on their first entry.
    plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) { mod.stored = record(type, 0, 0, 99, 99); });
    auto *write = widget<QPushButton>(*window, "pushButton_Configurer_" + s);
    QTEST(write->text(), "write");
    QVERIFY(write->styleSheet().contains(QLatin1String("stop:0 rgba(247, 158, 0, 255)")));
    QVERIFY(!write->icon().isNull());
    QTEST(widget<QPushButton>(*window, "pushButton_RAZ_" + s)->text(), "erase");
    auto *bar = widget<QProgressBar>(*window, "progressBar_Configurer_" + s);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!bar->isTextVisible());
    QCOMPARE(widget<QLabel>(*window, "label_Resultat_configurer_" + s)->text(), QString());

    auto *hourList = widget<QComboBox>(*window, "comboBox_heures_releve_compteur_" + s);
    QStringList expectedHours{"--"};
    for (int h = 0; h < hours - 1; ++h)
        expectedHours << QString::asprintf("%02d", h);
    QCOMPARE(itemsOf(hourList), expectedHours);
    QCOMPARE(hourList->maxCount(), hours);
    QCOMPARE(hourList->maxVisibleItems(), 10);
    auto *minuteList = widget<QComboBox>(*window, "comboBox_minutes_releve_compteur_" + s);
    QCOMPARE(minuteList->maxCount(), minutes.size());
    QCOMPARE(minuteList->maxVisibleItems(), minutes.size());
    QCOMPARE(itemsOf(minuteList), minutes);
    QCOMPARE(hourList->currentIndex(), 0);
    QCOMPARE(minuteList->currentIndex(), 0);
    if (type == kDI) {
        QVERIFY(!child<QWidget>(*window, "spinBox_index_compteur1_DI")->isVisible());
        QVERIFY(!child<QWidget>(*window, "spinBox_index_compteur2_DI")->isVisible());
        QVERIFY(child<QRadioButton>(*window, "radioButton_Tous_les_jours_DI")->isChecked());
    }
    if (type == kDI_r2x) {
        QCOMPARE(child<QLabel>(*window, "label_DI_r2x_Title")->text(), QStringLiteral("Brisane\nDigital Input 2"));
        QCOMPARE(child<QLabel>(*window, "label_index_compteur1_DI_r2x")->toolTip(), QStringLiteral("Last stored value"));
        QCOMPARE(child<QRadioButton>(*window, "radioButton_Tous_les_jours_DI_r2x")->text(), QStringLiteral("Every week"));
        QCOMPARE(child<QRadioButton>(*window, "radioButton_Desactivee_DI_r2x")->text(), QStringLiteral("Every day"));
    }
    if (type == kDI4_r2x)
        QCOMPARE(child<QLabel>(*window, "label_DI4_r2x_Title")->text(), QStringLiteral("Brisane\nDigital Input 4"));
}

void PageDiTest::inputsByteExtremesOnDI()
{
    plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &m) { m.stored = record(kDI, 0, 0xFF, 0, 1); });
    for (const char *n : {"1", "2"}) {
        const QString i = QString::fromLatin1(n);
        QVERIFY(widget<QGroupBox>(*window, "groupBox_Entree" + i + "_DI")->isChecked());
        QVERIFY(widget<QRadioButton>(*window, "radioButton_Compteur" + i + "_DI")->isChecked());
        QVERIFY(!widget<QRadioButton>(*window, "radioButton_Entree_numerique" + i + "_DI")->isChecked());
        auto *edge = widget<QPushButton>(*window, "pushButton_Front_entree_numerique" + i + "_DI");
        QVERIFY(!edge->isVisible());
        QVERIFY(showsIcon(edge, kEdgeIcons[3]));
    }

    // Then a module with nothing in use: the page forgets the first one.
    sim::Bench::instance().reset();
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
    plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &m) { m.stored = record(kDI, 0, 0x00, 0, 1); });
    for (const char *n : {"1", "2"}) {
        const QString i = QString::fromLatin1(n);
        QVERIFY(!widget<QGroupBox>(*window, "groupBox_Entree" + i + "_DI")->isChecked());
        QVERIFY(widget<QRadioButton>(*window, "radioButton_Entree_numerique" + i + "_DI")->isChecked());
        auto *edge = widget<QPushButton>(*window, "pushButton_Front_entree_numerique" + i + "_DI");
        QVERIFY(edge->isVisible());
        QVERIFY(showsIcon(edge, nullptr));
    }
}

void PageDiTest::edgeButtonsCycle_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("button1");
    QTest::addColumn<QString>("button2");
    QTest::addColumn<int>("shift1");
    QTest::addColumn<int>("shift2");
    QTest::newRow("DI") << int(kDI) << "pushButton_Front_entree_numerique1_DI" << "pushButton_Front_entree_numerique2_DI" << 2 << 6;
    QTest::newRow("DI_r2x") << int(kDI_r2x) << "pushButton_Front_entree_numerique1_DI_r2x"
                            << "pushButton_Front_entree_numerique2_DI_r2x" << 2 << 6;
    QTest::newRow("DI4_r2x") << int(kDI4_r2x) << "pushButton_Front_entree_numerique1_DI4_r2x"
                             << "pushButton_Front_entree_numerique2_DI4_r2x" << 2 << 6;
}

void PageDiTest::edgeButtonsCycle()
{
    QFETCH(int, id);
    QFETCH(QString, button1);
    QFETCH(QString, button2);
    QFETCH(int, shift1);
    QFETCH(int, shift2);
    const auto type = std::uint16_t(id);
    // Both inputs in use, no edge yet; input 2 starts on "falling".
    const int inUse = type == kDI4_r2x ? 0x22 : 0x11;
    sim::Module &m = plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) {
        mod.stored = record(type, 0, inUse | (2 << shift2), 0, 2);
    });
    auto *first = widget<QPushButton>(*window, button1);
    auto *second = widget<QPushButton>(*window, button2);
    QVERIFY(showsIcon(first, nullptr));
    QVERIFY(showsIcon(second, kEdgeIcons[2]));
    const int expected1[] = {1, 2, 3, 1};
    const int expected2[] = {3, 1, 2, 3};
    auto *write = widget<QPushButton>(*window, "pushButton_Configurer_" + suffixOf(type));
    for (int step = 0; step < 4; ++step) {
        click(first);
        click(second);
        QVERIFY(showsIcon(first, kEdgeIcons[expected1[step]]));
        QVERIFY(showsIcon(second, kEdgeIcons[expected2[step]]));
        click(write);
        const sim::Bytes sent = m.lastReceived(1);
        QVERIFY(!sent.empty());
        QCOMPARE(int(sent[kInputs]), inUse | (expected1[step] << shift1) | (expected2[step] << shift2));
    }
}

void PageDiTest::groupBoxAndModeRules()
{
    plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x",
                [](sim::Module &m) { m.stored = record(kDI_r2x, 0, 0x13, 0, 2, 77, 5); });
    // Input 1 counting: edge hidden, last value shown; input 2 a digital input.
    auto *edge1 = child<QPushButton>(*window, "pushButton_Front_entree_numerique1_DI_r2x");
    auto *value1 = child<QLabel>(*window, "label_index_compteur1_DI_r2x");
    auto *edge2 = child<QPushButton>(*window, "pushButton_Front_entree_numerique2_DI_r2x");
    auto *value2 = child<QLabel>(*window, "label_index_compteur2_DI_r2x");
    QVERIFY(!edge1->isVisible());
    QVERIFY(value1->isVisible());
    QVERIFY(edge2->isVisible());
    QVERIFY(!value2->isVisible());

    click(child<QRadioButton>(*window, "radioButton_Entree_numerique1_DI_r2x"));
    QVERIFY(edge1->isVisible());
    QVERIFY(!value1->isVisible());
    click(child<QRadioButton>(*window, "radioButton_Compteur2_DI_r2x"));
    QVERIFY(!edge2->isVisible());
    QVERIFY(value2->isVisible());

    auto *box1 = child<QGroupBox>(*window, "groupBox_Entree1_DI_r2x");
    toggle(box1);
    QVERIFY(!box1->isChecked());
    QVERIFY(!edge1->isEnabled());
    QVERIFY(!child<QRadioButton>(*window, "radioButton_Compteur1_DI_r2x")->isEnabled());
    toggle(box1);
    QVERIFY(box1->isChecked());
    QVERIFY(edge1->isEnabled());

    // On DI the index spin box never shows, even in counter mode.
    sim::Bench::instance().reset();
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
    plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &m) { m.stored = record(kDI, 0, 0x11, 0, 2); });
    click(child<QRadioButton>(*window, "radioButton_Compteur1_DI"));
    QVERIFY(!child<QPushButton>(*window, "pushButton_Front_entree_numerique1_DI")->isVisible());
    QVERIFY(!child<QWidget>(*window, "spinBox_index_compteur1_DI")->isVisible());

    // DI4_r2x: the boxes enable their own widget.
    sim::Bench::instance().reset();
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
    plugAndShow(*window, kDI4_r2x, "page_ORLO_DI4_r2x",
                [](sim::Module &m) { m.stored = record(kDI4_r2x, 0, 0x33, 0, 2); });
    auto *counter1 = child<QGroupBox>(*window, "groupBox_Entree1_DI4_r2x");
    auto *input3 = child<QGroupBox>(*window, "groupBox_Entree3_DI4_r2x");
    QVERIFY(counter1->isChecked());
    QVERIFY(child<QLabel>(*window, "label_index_compteur1_DI4_r2x")->isEnabled());
    toggle(counter1);
    QVERIFY(!child<QLabel>(*window, "label_index_compteur1_DI4_r2x")->isEnabled());
    toggle(input3);
    QVERIFY(!child<QPushButton>(*window, "pushButton_Front_entree_numerique1_DI4_r2x")->isEnabled());
}

void PageDiTest::userEditsReachTheFrame()
{
    sim::Module &m = plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) {
        mod.stored = record(kDI, 0x00, 0x00, 10, 5);
    });
    toggle(child<QGroupBox>(*window, "groupBox_Entree2_DI"));
    click(child<QRadioButton>(*window, "radioButton_Compteur2_DI"));
    click(child<QRadioButton>(*window, "radioButton_Tous_les_5_jours_DI"));
    click(child<QCheckBox>(*window, "checkBox_Cut_DI"));
    child<QComboBox>(*window, "comboBox_heures_releve_compteur_DI")->setCurrentIndex(24);  // "23"
    child<QComboBox>(*window, "comboBox_minutes_releve_compteur_DI")->setCurrentIndex(6);  // "50"
    click(child<QPushButton>(*window, "pushButton_Configurer_DI"));
    const sim::Bytes sent = m.lastReceived(1);
    QVERIFY(!sent.empty());
    QCOMPARE(int(sent[kFlags]), 0xC0);
    QCOMPARE(int(sent[kInputs]), 0x30);
    QCOMPARE(int(sent[kMinute]), 50);
    QCOMPARE(int(sent[kHour]), 23);
    // The module keeps it: the next reading shows it again.
    QCOMPARE(int(m.stored[kInputs]), 0x30);

    // "Every day" on DI_r2x is flags bit 7.
    sim::Bench::instance().reset();
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
    sim::Module &r2x = plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x",
                                   [](sim::Module &mod) { mod.stored = record(kDI_r2x, 0x80, 0, 0, 5); });
    QVERIFY(child<QRadioButton>(*window, "radioButton_Desactivee_DI_r2x")->isChecked());
    click(child<QRadioButton>(*window, "radioButton_Tous_les_jours_DI_r2x"));
    click(child<QPushButton>(*window, "pushButton_Configurer_DI_r2x"));
    QCOMPARE(int(r2x.lastReceived(1).at(kFlags)), 0x00);
}

void PageDiTest::refusedTimes_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<int>("hourEntry");
    QTest::addColumn<int>("minuteEntry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("DI hour 00, minute 00") << int(kDI) << false << 1 << 1 << kTitleFr << kHeadFr + kMinuteFr + kFootFr;
    QTest::newRow("DI both unset") << int(kDI) << false << 0 << 0 << kTitleFr << kHeadFr + kHourFr + kMinuteFr + kFootFr;
    QTest::newRow("DI reset, hour unset") << int(kDI) << true << 0 << 3 << kTitleFr << kHeadFr + kHourFr + kFootFr;
    QTest::newRow("DI_r2x both unset") << int(kDI_r2x) << false << 0 << 0 << kTitleEn
                                       << kHeadEn + kHourEn + kMinuteEn + kFootEn;
    QTest::newRow("DI_r2x hour 00") << int(kDI_r2x) << false << 1 << 1 << kTitleEn << kHeadEn + kMinuteEn + kFootEn;
    QTest::newRow("DI_r2x reset") << int(kDI_r2x) << true << 0 << 0 << kTitleFr
                                  << kHeadFr + kHourFr + kMinuteFr + kFootFr;
    QTest::newRow("DI4_r2x hour unset") << int(kDI4_r2x) << false << 0 << 1 << kTitleEn << kHeadEn + kHourEn + kFootEn;
    QTest::newRow("DI4_r2x reset") << int(kDI4_r2x) << true << 0 << 1 << kTitleFr
                                   << kHeadAccented + kHourAccented + kFootAccented;
}

void PageDiTest::refusedTimes()
{
    QFETCH(int, id);
    QFETCH(bool, reset);
    QFETCH(int, hourEntry);
    QFETCH(int, minuteEntry);
    const auto type = std::uint16_t(id);
    const QString s = suffixOf(type);
    sim::Module &m = plugAndShow(*window, type, pageOf(type),
                                 [&](sim::Module &mod) { mod.stored = record(type, 0, 0x11, 0, 6); });
    auto *hours = widget<QComboBox>(*window, "comboBox_heures_releve_compteur_" + s);
    auto *minutes = widget<QComboBox>(*window, "comboBox_minutes_releve_compteur_" + s);
    hours->setCurrentIndex(hourEntry);
    minutes->setCurrentIndex(minuteEntry);
    QCOMPARE(hours->currentIndex(), hourEntry);
    QCOMPARE(minutes->currentIndex(), minuteEntry);
    auto *button = widget<QPushButton>(*window, (reset ? "pushButton_RAZ_" : "pushButton_Configurer_") + s);
    auto *result = widget<QLabel>(*window, "label_Resultat_configurer_" + s);
    const std::size_t before = m.received.size();

    QString labelWhileOpen;
    QTimer peek;
    connect(&peek, &QTimer::timeout, this, [&] {
        if (QApplication::activeModalWidget())
            labelWhileOpen = result->text();
    });
    peek.start(1);
    MessageBoxCatcher box;
    click(button);
    QVERIFY(box.seen);
    QTEST(box.title, "title");
    QTEST(box.text, "text");
    QCOMPARE(box.buttons, int(QMessageBox::Ok));
    QCOMPARE(box.defaultButton, int(QMessageBox::Ok));
    QCOMPARE(labelWhileOpen, QStringLiteral("Invalide"));
    QCOMPARE(result->text(), QString());
    QCOMPARE(m.received.size(), before);
    QVERIFY(button->isEnabled());
    QVERIFY(child<QTimer>(*window, "pollTimer")->isActive());
}

void PageDiTest::hour24OnlyMinuteZero()
{
    sim::Module &m = plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x",
                                 [](sim::Module &mod) { mod.stored = record(kDI_r2x, 0, 0, 0, 24); });
    auto *hours = child<QComboBox>(*window, "comboBox_heures_releve_compteur_DI_r2x");
    auto *minutes = child<QComboBox>(*window, "comboBox_minutes_releve_compteur_DI_r2x");
    QCOMPARE(hours->currentText(), QStringLiteral("24"));
    QCOMPARE(itemsOf(minutes), (QStringList{"--", "00", "--", "--", "--", "--", "--"}));
    QCOMPARE(minutes->currentIndex(), 1);
    click(child<QPushButton>(*window, "pushButton_Configurer_DI_r2x"));
    QCOMPARE(int(m.lastReceived(1).at(kHour)), 24);

    minutes->setCurrentIndex(3);
    {
        MessageBoxCatcher box;
        click(child<QPushButton>(*window, "pushButton_Configurer_DI_r2x"));
        QCOMPARE(box.text, kHeadEn + kMinuteEn + kFootEn);
    }
    // Hour 00: all but minute 00; any other hour: all of them.
    hours->setCurrentIndex(1);
    QCOMPARE(itemsOf(minutes), (QStringList{"--", "--", "10", "20", "30", "40", "50"}));
    hours->setCurrentIndex(9);
    QCOMPARE(itemsOf(minutes), (QStringList{"--", "00", "10", "20", "30", "40", "50"}));
    click(child<QPushButton>(*window, "pushButton_Configurer_DI_r2x"));
    QCOMPARE(int(m.lastReceived(1).at(kMinute)), 20);
    QCOMPARE(int(m.lastReceived(1).at(kHour)), 8);
}

void PageDiTest::resetFrameIsConfigureFrame_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("flags");
    QTest::newRow("DI") << int(kDI) << 0xC0;
    QTest::newRow("DI_r2x") << int(kDI_r2x) << 0x40;
    // The counter reset keeps the radio options of the module.
    QTest::newRow("DI4_r2x OTAA") << int(kDI4_r2x) << 0x2C;
    QTest::newRow("DI4_r2x ABP") << int(kDI4_r2x) << 0xFD;
    QTest::newRow("DI4_r2x local radio") << int(kDI4_r2x) << 0x58;
}

void PageDiTest::resetFrameIsConfigureFrame()
{
    QFETCH(int, id);
    QFETCH(int, flags);
    const auto type = std::uint16_t(id);
    const QString s = suffixOf(type);
    sim::Module &m = plugAndShow(*window, type, pageOf(type),
                                 [&](sim::Module &mod) { mod.stored = record(type, flags, 0xE7, 20, 0, 9, 8); });
    click(widget<QPushButton>(*window, "pushButton_Configurer_" + s));
    click(widget<QPushButton>(*window, "pushButton_RAZ_" + s));
    QCOMPARE(widget<QLabel>(*window, "label_Resultat_configurer_" + s)->text(), QStringLiteral("OK"));
    sim::Bytes configure = m.lastReceived(1);
    const sim::Bytes reset = m.lastReceived(4);
    QVERIFY(!configure.empty());
    QCOMPARE(int(reset.size()), int(configure.size()));
    configure[0] = 4;
    QCOMPARE(reset, configure);
}

void PageDiTest::countersShownAndCleared_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("DI_r2x") << int(kDI_r2x);
    QTest::newRow("DI4_r2x") << int(kDI4_r2x);
}

void PageDiTest::countersShownAndCleared()
{
    QFETCH(int, id);
    const auto type = std::uint16_t(id);
    const QString s = suffixOf(type);
    sim::Module &m = plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) {
        mod.stored = record(type, 0, 0x13, 0, 2, 0xFFFFFFFFu, 1234567);
    });
    auto *value1 = widget<QLabel>(*window, "label_index_compteur1_" + s);
    auto *value2 = widget<QLabel>(*window, "label_index_compteur2_" + s);
    QCOMPARE(value1->text(), QStringLiteral("4294967295"));
    QCOMPARE(value2->text(), QStringLiteral("1234567"));

    // Write keeps the counters, on the module and on the page.
    click(widget<QPushButton>(*window, "pushButton_Configurer_" + s));
    QCOMPARE(value1->text(), QStringLiteral("4294967295"));
    QCOMPARE(int(m.stored[kCounter1]), 0xFF);

    // A refused reset leaves them shown.
    auto *reset = widget<QPushButton>(*window, "pushButton_RAZ_" + s);
    auto *result = widget<QLabel>(*window, "label_Resultat_configurer_" + s);
    m.writeStatus = 1;
    click(reset);
    QCOMPARE(result->text(), QStringLiteral("Echec"));
    QCOMPARE(value2->text(), QStringLiteral("1234567"));
    QVERIFY(reset->isEnabled());

    m.writeStatus = 0;
    click(reset);
    QCOMPARE(result->text(), QStringLiteral("OK"));
    QCOMPARE(value1->text(), QStringLiteral("0"));
    QCOMPARE(value2->text(), QStringLiteral("0"));
    QCOMPARE(int(m.lastReceived(4).at(0)), 4);
    // And the module reads them back as 0 from then on.
    for (int i = 0; i < 8; ++i)
        QCOMPARE(int(m.stored[std::size_t(kCounter1 + i)]), 0);
}

void PageDiTest::silentModuleShowsNoEarlierRecord()
{
    sim::Module &first = plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x", [](sim::Module &mod) {
        mod.stored = record(kDI_r2x, 0, 0x13, 0, 2, 1234567, 7654321);
    });
    auto *value1 = widget<QLabel>(*window, "label_index_compteur1_DI_r2x");
    QCOMPARE(value1->text(), QStringLiteral("1234567"));
    sim::Bench::instance().unplug(first);
    QTRY_COMPARE(currentPage(*window), QStringLiteral("page_Connect"));

    // The next module never answers its read: its page shows an empty record,
    // not the counters of the module read before it.
    plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x", [](sim::Module &mod) {
        mod.stored = record(kDI_r2x, 0, 0x13, 0, 2, 42, 42);
        mod.silent = true;
    });
    QCOMPARE(value1->text(), QStringLiteral("0"));
    QCOMPARE(widget<QLabel>(*window, "label_index_compteur2_DI_r2x")->text(), QStringLiteral("0"));
}

void PageDiTest::readingPeriodLinkage()
{
    sim::Module &m = plugAndShow(*window, kDI4_r2x, "page_ORLO_DI4_r2x",
                                 [](sim::Module &mod) { mod.stored = record(kDI4_r2x, 0, 0x11, 0, 3); });
    auto *hours = child<QComboBox>(*window, "comboBox_heures_releve_compteur_DI4_r2x");
    auto *minutes = child<QComboBox>(*window, "comboBox_minutes_releve_compteur_DI4_r2x");
    auto *write = child<QPushButton>(*window, "pushButton_Configurer_DI4_r2x");
    const auto period = [&] { return hours->currentText() + QLatin1Char('h') + minutes->currentText(); };
    QCOMPARE(period(), QStringLiteral("03h00"));

    minutes->setCurrentIndex(3);
    QCOMPARE(period(), QStringLiteral("00h20"));
    click(write);
    QCOMPARE(int(m.lastReceived(1).at(kHour)), 0);
    QCOMPARE(int(m.lastReceived(1).at(kMinute)), 20);

    hours->setCurrentIndex(6);
    QCOMPARE(period(), QStringLiteral("05h00"));
    hours->setCurrentIndex(1);
    QCOMPARE(period(), QStringLiteral("00h10"));
    minutes->setCurrentIndex(0);
    QCOMPARE(period(), QStringLiteral("01h00"));
    minutes->setCurrentIndex(4);
    QCOMPARE(period(), QStringLiteral("00h30"));
    hours->setCurrentIndex(25);
    QCOMPARE(period(), QStringLiteral("24h00"));
    click(write);
    QCOMPARE(int(m.lastReceived(1).at(kHour)), 24);
    QCOMPARE(int(m.lastReceived(1).at(kMinute)), 0);
}

void PageDiTest::radioOptionsFour_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("listShown");
    QTest::addColumn<int>("joinEntry");
    QTest::newRow("OTAA") << 0x0C << true << 0;
    QTest::newRow("ABP") << 0x3D << true << 1;
    QTest::newRow("variant, no join mode") << 0x20 << false << -1;
    QTest::newRow("no variant, join mode bit") << 0x05 << false << -1;
    QTest::newRow("no variant at all") << 0x00 << false << -1;
}

void PageDiTest::radioOptionsFour()
{
    QFETCH(int, flags);
    QFETCH(bool, listShown);
    QFETCH(int, joinEntry);
    sim::Module &m = plugAndShow(*window, kDI4_r2x, "page_ORLO_DI4_r2x",
                                 [&](sim::Module &mod) { mod.stored = record(kDI4_r2x, flags, 0, 0, 1); });
    auto *join = child<QComboBox>(*window, "comboBox_lorawan_joinMode_DI4_r2x");
    auto *local = child<QCheckBox>(*window, "checkBox_radio_local_DI4_r2x");
    QVERIFY(!local->isVisible());
    QCOMPARE(join->isVisible(), listShown);
    click(child<QPushButton>(*window, "pushButton_Configurer_DI4_r2x"));
    const int sent = m.lastReceived(1).at(kFlags);
    // The radio variant is the module's: always sent back as read.
    QCOMPARE(sent & 0x38, flags & 0x38);
    if (!listShown) {
        QVERIFY2(!(sent & 0x04), "no join mode on a module that has none");
        QCOMPARE(local->text(), QStringLiteral("With local radio transmission"));
        return;
    }
    QCOMPARE(itemsOf(join), (QStringList{"Join mode : OTAA", "Join mode : ABP"}));
    QCOMPARE(join->maxCount(), 2);
    QCOMPARE(join->maxVisibleItems(), 2);
    QCOMPARE(join->currentIndex(), joinEntry);
    QCOMPARE(sent & 0x05, 0x04 | joinEntry);
    join->setCurrentIndex(1 - joinEntry);
    click(child<QPushButton>(*window, "pushButton_Configurer_DI4_r2x"));
    QCOMPARE(m.lastReceived(1).at(kFlags) & 0x05, 0x04 | (1 - joinEntry));
}

void PageDiTest::joinModeHiddenAfterLoRaWanModule()
{
    plugAndShow(*window, kDI4_r2x, "page_ORLO_DI4_r2x",
                [](sim::Module &m) { m.stored = record(kDI4_r2x, 0x0D, 0, 0, 1); });
    auto *join = child<QComboBox>(*window, "comboBox_lorawan_joinMode_DI4_r2x");
    QVERIFY(join->isVisible());
    sim::Bench::instance().reset();
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
    sim::Module &plain = plugAndShow(*window, kDI4_r2x, "page_ORLO_DI4_r2x",
                                     [](sim::Module &m) { m.stored = record(kDI4_r2x, 0x40, 0, 0, 1); });
    QVERIFY(!join->isVisible());
    click(child<QPushButton>(*window, "pushButton_RAZ_DI4_r2x"));
    QCOMPARE(int(plain.lastReceived(4).at(kFlags)), 0x40);
    click(child<QPushButton>(*window, "pushButton_Configurer_DI4_r2x"));
    QCOMPARE(int(plain.lastReceived(1).at(kFlags)), 0x40);
}

void PageDiTest::badStoredRecords_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("hour");
    QTest::addColumn<QString>("shown");     // hour and minute texts as shown
    QTest::addColumn<QString>("text");      // the box on Write
    QTest::newRow("DI hour 24") << int(kDI) << 10 << 24 << "--h10" << kHeadFr + kHourFr + kFootFr;
    QTest::newRow("DI hour 255, minute 255") << int(kDI) << 255 << 255 << "--h--"
                                            << kHeadFr + kHourFr + kMinuteFr + kFootFr;
    QTest::newRow("DI minute 15") << int(kDI) << 15 << 4 << "04h--" << kHeadFr + kMinuteFr + kFootFr;
    QTest::newRow("DI minute 60") << int(kDI) << 60 << 4 << "04h--" << kHeadFr + kMinuteFr + kFootFr;
    QTest::newRow("DI_r2x hour 25") << int(kDI_r2x) << 0 << 25 << "--h00" << kHeadEn + kHourEn + kFootEn;
    QTest::newRow("DI_r2x minute 255") << int(kDI_r2x) << 255 << 9 << "09h--" << kHeadEn + kMinuteEn + kFootEn;
    QTest::newRow("DI4_r2x hour 200") << int(kDI4_r2x) << 0 << 200 << "--h00" << kHeadEn + kHourEn + kFootEn;
    QTest::newRow("DI4_r2x minute 40") << int(kDI4_r2x) << 40 << 0 << "00h--" << kHeadEn + kMinuteEn + kFootEn;
    QTest::newRow("DI4_r2x minute 7, hour 5") << int(kDI4_r2x) << 7 << 5 << "05h--" << kHeadEn + kMinuteEn + kFootEn;
}

void PageDiTest::badStoredRecords()
{
    QFETCH(int, id);
    QFETCH(int, minute);
    QFETCH(int, hour);
    QFETCH(QString, shown);
    const auto type = std::uint16_t(id);
    const QString s = suffixOf(type);
    sim::Module &m = plugAndShow(*window, type, pageOf(type),
                                 [&](sim::Module &mod) { mod.stored = record(type, 0xFF, 0xFF, minute, hour); });
    auto *hours = widget<QComboBox>(*window, "comboBox_heures_releve_compteur_" + s);
    auto *minutes = widget<QComboBox>(*window, "comboBox_minutes_releve_compteur_" + s);
    QCOMPARE(hours->currentText() + QLatin1Char('h') + minutes->currentText(), shown);
    const std::size_t before = m.received.size();
    MessageBoxCatcher box;
    click(widget<QPushButton>(*window, "pushButton_Configurer_" + s));
    QTEST(box.text, "text");
    QCOMPARE(m.received.size(), before);
}

void PageDiTest::anyStoredBytes()
{
    // Whatever the module holds, the page fills without an invalid list entry.
    QRandomGenerator random(20261207);
    for (const std::uint16_t type : {kDI, kDI_r2x, kDI4_r2x}) {
        sim::Bench::instance().reset();
        QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
        sim::Module &m = plugAndShow(*window, type, pageOf(type));
        const QString s = suffixOf(type);
        auto *hours = widget<QComboBox>(*window, "comboBox_heures_releve_compteur_" + s);
        auto *minutes = widget<QComboBox>(*window, "comboBox_minutes_releve_compteur_" + s);
        for (int round = 0; round < 300; ++round) {
            for (auto &byte : m.stored)
                byte = quint8(random.bounded(256));
            if (round < 256) {
                m.stored[kMinute] = quint8(round);
                m.stored[kHour] = quint8(255 - round);
            }
            if (type == kDI)
                family<DigitalInputPages>(*window).EnablePageDI(true);
            else if (type == kDI_r2x)
                family<DigitalInputPages>(*window).EnablePageDI_r2x(true);
            else
                family<DigitalInputPages>(*window).EnablePageDI4_r2x(true);
            QVERIFY(settled(*window));
            QVERIFY(hours->currentIndex() >= 0 && hours->currentIndex() < hours->count());
            QVERIFY(minutes->currentIndex() >= 0 && minutes->currentIndex() < minutes->count());
            QVERIFY(hours->count() == hours->maxCount());
        }
    }
}

void PageDiTest::slotsMatchTheirWidgets()
{
    // Connect-by-name takes the first match silently: each slot of these
    // pages has exactly one widget of its name, which has the signal.
    const QMetaObject *meta = family<DigitalInputPages>(*window).metaObject();
    int checked = 0;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QString slot = QString::fromLatin1(meta->method(i).name());
        const int cut = slot.lastIndexOf(QLatin1Char('_'));
        const QString object = slot.mid(3, cut - 3);
        const QString signal = slot.mid(cut + 1);
        const bool ofTheseTypes = object.endsWith(QLatin1String("_DI")) || object.endsWith(QLatin1String("_DI_r2x"))
            || object.endsWith(QLatin1String("_DI4_r2x"));
        if (!slot.startsWith(QLatin1String("on_")) || !ofTheseTypes)
            continue;
        const QList<QWidget *> found = window->findChildren<QWidget *>(object);
        QVERIFY2(found.size() == 1, qPrintable(slot));
        bool hasSignal = false;
        for (int k = 0; k < found[0]->metaObject()->methodCount(); ++k) {
            const QMetaMethod method = found[0]->metaObject()->method(k);
            hasSignal = hasSignal || (method.methodType() == QMetaMethod::Signal && method.name() == signal.toLatin1());
        }
        QVERIFY2(hasSignal, qPrintable(slot));
        ++checked;
    }
    QCOMPARE(checked, 11 + 11 + 10);
}

void PageDiTest::traceLineAtEachReading()
{
    plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x");
    std::fflush(stdout);
    const int saved = dup(fileno(stdout));
    FILE *capture = std::tmpfile();
    QVERIFY(saved >= 0 && capture);
    dup2(fileno(capture), fileno(stdout));
    family<DigitalInputPages>(*window).EnablePageDI_r2x(true);
    family<DigitalInputPages>(*window).EnablePageDI_r2x(true);
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::rewind(capture);
    char text[256] = {};
    const size_t length = std::fread(text, 1, sizeof text - 1, capture);
    std::fclose(capture);
    QCOMPARE(QByteArray(text, int(length)),
             QByteArray("/*** Lecture de la configuration ***/\n/*** Lecture de la configuration ***/\n"));
}

ORLO_TEST_MAIN(PageDiTest)
#include "tst_page_di.moc"
