// Every page shows the core's limits and lists: the threshold, offset and
// address boxes end where the record tables end, and the lists and buttons
// read as the texts the record tables name.
#include "link/limits.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

using namespace testing;
namespace L = orlo::limits;

namespace {

enum class Shows { Minimum, Maximum, Items, Text };

// The widget's limit or texts, in the form the core gives it.
QVariant shown(const QWidget *w, Shows what)
{
    if (auto *box = qobject_cast<const QDoubleSpinBox *>(w))
        return what == Shows::Minimum ? box->minimum() : box->maximum();
    if (auto *box = qobject_cast<const QSpinBox *>(w))
        return double(what == Shows::Minimum ? box->minimum() : box->maximum());
    if (auto *list = qobject_cast<const QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        if (items.value(0) == QLatin1String("--"))
            items.removeFirst();    // the page's "not set" entry
        return items;
    }
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Shows)

class LimitsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { sim::Bench::instance().reset(); }
    void pagesShowTheCoresLimits_data();
    void pagesShowTheCoresLimits();
};

void LimitsTest::pagesShowTheCoresLimits_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<Shows>("what");
    QTest::addColumn<QVariant>("core");
    const auto row = [](int product, const char *page, const char *widget, Shows what, const QVariant &core) {
        QTest::addRow("%s", widget) << product << QString::fromLatin1(page) << QString::fromLatin1(widget) << what
                                    << core;
    };
    const QStringList french = L::lifeTextsFrench(), english = L::lifeTextsEnglish();
    row(0x0240, "page_ORLO_TM", "doubleSpinBox_Seuil_bas_TM", Shows::Minimum, L::kThresholdsTm.lowMinimum);
    row(0x0240, "page_ORLO_TM", "doubleSpinBox_Seuil_haut_TM", Shows::Maximum, L::kThresholdsTm.highMaximum);
    row(0x0240, "page_ORLO_TM", "comboBox_Periode_mesure_TM", Shows::Items, L::periodTexts());
    row(0x0240, "page_ORLO_TM", "radioButton_Tous_les_jours_TM", Shows::Text, french.at(0));
    row(0x0240, "page_ORLO_TM", "radioButton_Tous_les_5_jours_TM", Shows::Text, french.at(1));
    row(0x0314, "page_ORLO_TM_r20", "doubleSpinBox_Offset_TM_r20", Shows::Maximum, L::kOffsetTm);
    row(0x0314, "page_ORLO_TM_r20", "radioButton_Tous_les_jours_TM_r20", Shows::Text, english.at(0));
    row(0x0314, "page_ORLO_TM_r20", "radioButton_Tous_les_5_jours_TM_r20", Shows::Text, english.at(1));
    row(0x02A9, "page_ORLO_TH_r10", "doubleSpinBox_Seuil_bas_TH_r10", Shows::Minimum, L::kThresholdsTh.lowMinimum);
    row(0x02A9, "page_ORLO_TH_r10", "doubleSpinBox_Seuil_haut_TH_r10", Shows::Maximum, L::kThresholdsTh.highMaximum);
    row(0x02A9, "page_ORLO_TH_r10", "doubleSpinBox_Offset_TH_r10", Shows::Maximum, L::kOffsetTh);
    row(0x0324, "page_ORLO_TM2D_r10", "doubleSpinBox_Seuil_bas_S1_TM2D_r10", Shows::Minimum,
        L::kThresholdsTm2d.lowMinimum);
    row(0x0324, "page_ORLO_TM2D_r10", "doubleSpinBox_Seuil_haut_S2_TM2D_r10", Shows::Maximum,
        L::kThresholdsTm2d.highMaximum);
    row(0x0324, "page_ORLO_TM2D_r10", "doubleSpinBox_Offset_S2_TM2D_r10", Shows::Maximum, L::kOffsetTm2d);
    row(0x0222, "page_ORLO_DA", "comboBox_Periode_mesure_DA", Shows::Items, L::periodTexts());
    row(0x0222, "page_ORLO_DA", "radioButton_Tous_les_5_jours_DA", Shows::Text, french.at(1));
    row(0x01C7, "page_ORLO_DI", "radioButton_Tous_les_jours_DI", Shows::Text, french.at(0));
    row(0x02E3, "page_ORLO_DI_r2x", "radioButton_Tous_les_jours_DI_r2x", Shows::Text, english.at(0));
    row(0x0390, "page_IOD_PS_r20", "spinBox_adressModem_Master_IOD_PS_r20", Shows::Maximum, double(L::kLastAddress));
    row(0x0372, "page_DI2_868_r_10", "spinBox_adressRemote_Master_DI2_868_r_10", Shows::Maximum,
        double(L::kLastRemoteAddressDI2));
    row(0x02B1, "page_ORLO_RS_r00", "spinBox_addressModem_Slave_ORLO_RS_r00", Shows::Maximum, double(L::kLastAddress));
}

void LimitsTest::pagesShowTheCoresLimits()
{
    QFETCH(int, product);
    QFETCH(QString, page);
    QFETCH(QString, widget);
    QFETCH(Shows, what);
    QFETCH(QVariant, core);
    auto window = freshWindow();
    const DialogCloser closer;
    plugAndShow(*window, std::uint16_t(product), page.toLatin1().constData());
    const QVariant onPage = shown(child<QWidget>(*window, widget.toLatin1().constData()), what);
    if (core.userType() == QMetaType::Double)
        QVERIFY2(qFuzzyCompare(onPage.toDouble(), core.toDouble()),
                 qPrintable(QStringLiteral("%1 on the page, %2 in the core").arg(onPage.toDouble()).arg(core.toDouble())));
    else
        QCOMPARE(onPage, core);
    sim::Bench::instance().reset();
}

ORLO_TEST_MAIN(LimitsTest)
#include "tst_limits.moc"
