// Input/output mirror pages (IOD_PS_r20, ORLO_DIO_LoRa, DI2_868_r_10): one
// page design for the three module types, each a tab per role (Slave,
// Master, and Mirror where the module has it). The page opens on the tab of
// the stored role; Write sends the role of the current tab; Default restores
// the module's defaults (command 5) and shows them.
#include "app/mainwindow.h"
#include "pages/listfill.h"
#include "link/clockstamp.h"
#include "link/frames/mirror_frame.h"
#include "link/transport.h"
#include "link/writecycle.h"
#include "ui_mainwindow.h"
#include "widgets/wdlora.h"
#include "widgets/wdradio.h"

#include <QSignalBlocker>
#include <QTimer>
#include <cstring>

namespace mf = orlo::mirror;
namespace di = orlo::di;
using orlo::ModuleType;

namespace {

constexpr int kTabSlave = 0;
constexpr int kTabMaster = 1;
constexpr int kTabMirror = 2;

// The meter-reading lists: "--", then hours 00 .. 24 and minutes 00 .. 50.
constexpr int kNotSet = 0;
constexpr int kLastHour = 24;
constexpr int kHourZero = 1;            // "00": reading at 00:00 is not offered
constexpr int kHour24 = kLastHour + 1;  // "24": only minute 00 is offered
constexpr int kMinuteStep = 10;
constexpr int kLastMinute = 50;
constexpr int kHourListVisible = 10;
const QString kDash = QStringLiteral("--");

// The Mirror tab's operating mode; the mirror role is 2 + its index.
constexpr int kSlaveMirror = 0;
constexpr int kMasterMirror = 1;
const QStringList kOperatingModes = {QStringLiteral("Slave mirror"), QStringLiteral("Master mirror")};

// What an input's widget asks of its input's controls.
enum InputRule { kMirrorRuleBox, kMirrorRuleDigital, kMirrorRuleCounter };

const QString kTabStyle = QStringLiteral("QTabWidget,QTabWidget::pane,QTabBar");

// A radio widget keeps the speed code it was given when its list has no
// entry for it, so that a write sends what the module had.
const char *const kStoredSpeed = "storedSpeed";

struct Range {
    int lo;
    int hi;
};
constexpr Range kSlaveModem{1, 240};
constexpr Range kAddress{0, 240};
constexpr Range kTimeOut{0, 10};

// What the page shows after the module restored its defaults.
struct Defaults {
    int speed;
    int channel;
    int modem;
    int remote;
    bool slaveRadio;    // the Slave tab's radio widget too
    int masterModem;
};

// What differs between the three pages.
struct Variant {
    ModuleType type;
    void (MainWindow::*progress)();
    mf::Variant frame;
    const char *suffix;
    int writeProgressMs;
    int defaultsProgressMs;
    bool mirrorTab;
    bool compatibilityBit;      // Wdradio: speed codes above 8 set it
    bool counters;              // last counter values shown
    bool edgeNoneShowsBoth;
    Range masterRemote;
    Range mirrorSpeed;          // speed codes the mirror role accepts
    Defaults defaults;
};

// Per page: progress intervals of Write and Default; Mirror tab, compatibility
// bit, counters, edge 0 shown as both; Master remote range; mirror speeds; defaults.
const Variant kVariants[] = {
    {ModuleType::IOD_PS_r20, &MainWindow::SetprogressBarConfigurerIOD_PS_r20, mf::Variant::IOD_PS_r20,
     "IOD_PS_r20", 30, 30, true, true, false, false, {0, 240}, {2, 5}, {4, 160, 1, 1, false, 1}},
    // The LoRa speed code is the data-rate index: 610 bps and above on a mirror.
    {ModuleType::DIO_LoRa, &MainWindow::SetprogressBarConfigurerORLO_DIO_LoRa, mf::Variant::DIO_LoRa,
     "ORLO_DIO_LoRa", 50, 30, true, false, false, false, {0, 240}, {2, 6}, {4, 160, 1, 1, false, 1}},
    {ModuleType::DI2_868_r_10, &MainWindow::SetprogressBarConfigurer_DI2_868_r_10, mf::Variant::DI2_868_r_10,
     "DI2_868_r_10", 30, 30, false, true, true, true, {0, 254}, {0, 255}, {4, 160, 1, 1, true, 2}},
};

const Variant &variantOf(ModuleType type)
{
    for (const Variant &v : kVariants)
        if (v.type == type)
            return v;
    return kVariants[0];
}

// Invalid-configuration texts.
const QString kHourLine = QStringLiteral("\tMeter reading hour time is not set.\n");
const QString kMinuteLine = QStringLiteral("\tMeter reading minute time is not set.\n");
const QString kFooterWrite = QStringLiteral("\nTo continue, click \"OK\", enter a valid configuration\n"
                                            "and click again on \"Write\"\n");

WarningTexts warningOf(ModuleType type)
{
    switch (type) {
    case ModuleType::IOD_PS_r20:
        return {warning::kTitleEnglish, warning::kHeadEnglish + QStringLiteral("Warning\n\n"), kFooterWrite};
    case ModuleType::DIO_LoRa:
        return {warning::kTitleEnglish, warning::kHeadEnglish, kFooterWrite};
    default:
        return {warning::kTitleEnglish,
                warning::kHeadEnglish + QStringLiteral("At least one time field of a sending is not configured.\n\n"),
                QStringLiteral("\nTo continue, click \"OK\", enter a valid configuration\n"
                               "and click again on \"Configurer\"\n")};
    }
}

QString speedLineOf(ModuleType type)
{
    return type == ModuleType::DIO_LoRa ? QStringLiteral("\tDatarate 183bps and 335bps are not available\n")
                                        : QStringLiteral("\t1200,38400,57600,115200 is not available\n");
}

// ---- Widgets ------------------------------------------------------------------

struct InputWidgets {
    QGroupBox *box;
    QRadioButton *digital;
    QRadioButton *counter;
    QPushButton *edge;
    QLabel *value;
};

// One tab's addresses, time-out and radio widget; null where the tab has none.
struct TabWidgets {
    QWidget *radio;
    QSpinBox *modem;
    QSpinBox *remote;
    QSpinBox *timeOut;
    QLabel *modemLabel;
    QLabel *remoteLabel;
};

struct MirrorPage {
    const Variant &v;
    QWidget *page;
    QTabWidget *tabs;
    QFrame *configurer;
    QProgressBar *bar;
    QLabel *result;
    QPushButton *write;
    QPushButton *defaults;
    QComboBox *hours;
    QComboBox *minutes;
    QComboBox *operatingMode;
    InputWidgets input1;
    InputWidgets input2;
    TabWidgets slave;
    TabWidgets master;
    TabWidgets mirror;
};

// The page's widget of that name (stem + suffix), or null.
template <typename T>
T *part(QWidget *page, const char *stem, const char *suffix)
{
    return page->findChild<T *>(QLatin1String(stem) + QLatin1String(suffix));
}

InputWidgets inputOf(QWidget *page, const char *suffix, int n)
{
    const auto name = [n](const char *a, const char *b) { return QByteArray(a) + QByteArray::number(n) + b; };
    return {part<QGroupBox>(page, name("groupBox_Entree", "_Master_"), suffix),
            part<QRadioButton>(page, name("radioButton_Entree_numerique", "_Master_"), suffix),
            part<QRadioButton>(page, name("radioButton_Compteur", "_Master_"), suffix),
            part<QPushButton>(page, name("pushButton_Front_entree_numerique", "_Master_"), suffix),
            part<QLabel>(page, name("label_index_compteur", "_Master_"), suffix)};
}

TabWidgets tabOf(QWidget *page, const char *suffix, const char *tab)
{
    const auto name = [tab](const char *stem) { return QByteArray(stem) + tab + '_'; };
    return {part<QWidget>(page, name("widget_radioParameter_"), suffix),
            part<QSpinBox>(page, name("spinBox_adressModem_"), suffix),
            part<QSpinBox>(page, name("spinBox_adressRemote_"), suffix),
            part<QSpinBox>(page, name("spinBox_TimeOut_"), suffix),
            part<QLabel>(page, name("label_adressModem_"), suffix),
            part<QLabel>(page, name("label_adressRemote_"), suffix)};
}

QWidget *pageWidget(Ui::MainWindow &ui, ModuleType type)
{
    switch (type) {
    case ModuleType::DIO_LoRa:
        return ui.page_ORLO_DIO_LoRa;
    case ModuleType::DI2_868_r_10:
        return ui.page_DI2_868_r_10;
    default:
        return ui.page_IOD_PS_r20;
    }
}

MirrorPage mirrorPage(Ui::MainWindow &ui, ModuleType type)
{
    const Variant &v = variantOf(type);
    QWidget *page = pageWidget(ui, type);
    const char *s = v.suffix;
    return {v,
            page,
            part<QTabWidget>(page, "tabWidget_", s),
            part<QFrame>(page, "frame_Configurer_", s),
            part<QProgressBar>(page, "progressBar_Configurer_", s),
            part<QLabel>(page, "label_Resultat_configurer_", s),
            part<QPushButton>(page, "pushButton_Configurer_", s),
            part<QPushButton>(page, "pushButton_DefaultConfiguration_", s),
            part<QComboBox>(page, "comboBox_heures_releve_compteur_Master_", s),
            part<QComboBox>(page, "comboBox_minutes_releve_compteur_Master_", s),
            part<QComboBox>(page, "comboBox_operatingMode_Mirror_", s),
            inputOf(page, s, 1),
            inputOf(page, s, 2),
            tabOf(page, s, "Slave"),
            tabOf(page, s, "Master"),
            tabOf(page, s, "Mirror")};
}

// ---- The radio widgets: Wdradio, or Wdlora on the LoRa module ------------------

void showRadio(QWidget *radio, int speed, int channel, int modem, int remote)
{
    radio->setProperty(kStoredSpeed, speed);
    if (auto *lora = qobject_cast<Wdlora *>(radio))
        lora->setValues(speed, channel, modem, remote);
    else if (auto *r = qobject_cast<Wdradio *>(radio))
        r->setValues(speed, channel, modem, remote);
}

void hideRadioAddresses(QWidget *radio)
{
    if (auto *lora = qobject_cast<Wdlora *>(radio))
        lora->setFieldsHidden(true, true);
    else if (auto *r = qobject_cast<Wdradio *>(radio))
        r->setFieldsHidden(true, true);
}

// The speed code the widget shows: Wdradio's code, Wdlora's data-rate index,
// or the stored code when the list had no entry for it.
int radioSpeed(const QWidget *radio)
{
    const auto *lora = qobject_cast<const Wdlora *>(radio);
    const auto *r = qobject_cast<const Wdradio *>(radio);
    const int index = lora ? lora->baudIndex() : r ? r->baudIndex() : -1;
    if (index < 0)
        return radio->property(kStoredSpeed).toInt();
    return lora ? index : r->baudCode();
}

int radioChannel(const QWidget *radio)
{
    if (const auto *lora = qobject_cast<const Wdlora *>(radio))
        return lora->channel();
    const auto *r = qobject_cast<const Wdradio *>(radio);
    return r ? r->channel() : 0;
}

// ---- Widget rules -------------------------------------------------------------------

void setRange(QSpinBox *box, Range range)
{
    if (box)
        box->setRange(range.lo, range.hi);
}

void setValue(QSpinBox *box, int value)
{
    if (box)
        box->setValue(value);
}

int valueOf(const QSpinBox *box)
{
    return box ? box->value() : 0;
}

QIcon edgeIcon(int state, bool noneShowsBoth)
{
    static const char *const kIcons[] = {nullptr, ":/MainWindow/img/ORLO_DI/rising_edge_32px",
                                         ":/MainWindow/img/ORLO_DI/falling_edge_32px",
                                         ":/MainWindow/img/ORLO_DI/both_edges_32px"};
    if (state == di::kEdgeNone && noneShowsBoth)
        state = di::kEdgeBoth;
    const bool known = state > di::kEdgeNone && state <= di::kEdgeBoth;
    return known ? QIcon(QString::fromLatin1(kIcons[state])) : QIcon();
}

// Rising, falling, both, rising ...
int nextEdge(int state)
{
    return state == di::kEdgeBoth ? 1 : state + 1;
}

void applyBoxRule(const InputWidgets &input, bool checked, bool counters)
{
    input.digital->setEnabled(checked);
    input.counter->setEnabled(checked);
    input.edge->setEnabled(checked);
    if (counters)
        input.value->setEnabled(checked);
}

// A counter has no edge; its last value is shown on the pages that read it.
void applyModeRule(const InputWidgets &input, bool counter, bool counters)
{
    input.edge->setVisible(!counter);
    input.value->setVisible(counter && counters);
}

// The mirror role uses one address: its own as Slave mirror, the peer's as
// Master mirror.
void applyOperatingMode(const TabWidgets &mirror, int mode)
{
    const bool master = mode == kMasterMirror;
    mirror.remote->setVisible(master);
    mirror.remoteLabel->setVisible(master);
    mirror.modem->setVisible(!master);
    mirror.modemLabel->setVisible(!master);
}


// A list limited to its entries and rewritten in place, quietly: the minute
// rule runs when the page says so.
void refill(QComboBox *list, const QStringList &items, int visible)
{
    const QSignalBlocker quiet(list);
    list->setMaxCount(items.size());
    list->setMaxVisibleItems(visible);
    for (int i = 0; i < items.size(); ++i) {
        if (i < list->count())
            list->setItemText(i, items.at(i));
        else
            list->insertItem(i, items.at(i));
    }
    list->setCurrentIndex(kNotSet);
}

// Minute items 1 .. 6 for an hour item: the reading time runs from 00:10
// to 24:00; an item that cannot be chosen reads "--".
void rewriteMinutes(QComboBox *minutes, int hourIndex)
{
    for (int entry = 1; entry < minutes->count(); ++entry) {
        const bool offered = hourIndex == kHourZero ? entry > 1 : hourIndex != kHour24 || entry == 1;
        minutes->setItemText(entry, offered ? orlo::twoDigits((entry - 1) * kMinuteStep) : kDash);
    }
}

void fillInput(const InputWidgets &input, const di::Input &stored, const Variant &v)
{
    input.box->setChecked(stored.inUse);
    applyBoxRule(input, stored.inUse, v.counters);
    (stored.counter ? input.counter : input.digital)->setChecked(true);
    applyModeRule(input, stored.counter, v.counters);
    input.edge->setIcon(edgeIcon(stored.edge, v.edgeNoneShowsBoth));
}

void fillTab(const TabWidgets &tab, const mf::Record &stored)
{
    setValue(tab.remote, stored.remote);
    setValue(tab.modem, stored.modem);
    setValue(tab.timeOut, stored.timeOut);
    showRadio(tab.radio, stored.speed, stored.channel, stored.modem, stored.remote);
}

// ---- Records the tabs write ---------------------------------------------------------

void takeRadio(mf::Record &record, const TabWidgets &tab, bool compatibilityBit)
{
    record.speed = radioSpeed(tab.radio);
    record.channel = radioChannel(tab.radio);
    record.compatibility = compatibilityBit && mf::isCompatibilitySpeed(record.speed);
    record.modem = valueOf(tab.modem);
    record.timeOut = valueOf(tab.timeOut);
}

mf::Record slaveRecord(const MirrorPage &p)
{
    mf::Record record;
    record.role = mf::Slave;
    takeRadio(record, p.slave, p.v.compatibilityBit);
    return record;
}

mf::Record masterRecord(const MirrorPage &p, int edge1, int edge2, QStringList &missing)
{
    mf::Record record;
    record.role = mf::Master;
    if (p.hours->currentIndex() <= kNotSet)
        missing << kHourLine;
    if (p.minutes->currentIndex() < 0 || p.minutes->currentText() == kDash)
        missing << kMinuteLine;
    record.hour = p.hours->currentIndex() - 1;
    record.minute = (p.minutes->currentIndex() - 1) * kMinuteStep;
    takeRadio(record, p.master, p.v.compatibilityBit);
    record.remote = valueOf(p.master.remote);
    record.input1 = {p.input1.box->isChecked(), p.input1.counter->isChecked(), edge1};
    record.input2 = {p.input2.box->isChecked(), p.input2.counter->isChecked(), edge2};
    return record;
}

mf::Record mirrorRecord(const MirrorPage &p, ModuleType type, QStringList &missing)
{
    mf::Record record;
    record.role = mf::SlaveMirror + qMax(0, p.operatingMode->currentIndex());
    takeRadio(record, p.mirror, false);
    record.remote = valueOf(p.mirror.remote);
    if (record.speed < p.v.mirrorSpeed.lo || record.speed > p.v.mirrorSpeed.hi)
        missing << speedLineOf(type);
    return record;
}

} // namespace

// ---- Slots --------------------------------------------------------------------------

void MainWindow::enableMirrorPage(ModuleType type, bool enable)
{
    const MirrorPage p = mirrorPage(*ui, type);
    if (!enable) {
        progressTimer.reset();
        p.configurer->hide();
        p.tabs->hide();
        return;
    }
    initMirrorPage(type);
    const mf::Record stored = mf::decode(readStoredConfiguration(mf::layoutOf(p.v.frame).reports), p.v.frame);
    p.tabs->setStyleSheet(kTabStyle);

    p.hours->setCurrentIndex(stored.hour <= kLastHour ? stored.hour + 1 : kNotSet);
    const bool minuteShown = stored.minute % kMinuteStep == 0 && stored.minute <= kLastMinute;
    p.minutes->setCurrentIndex(minuteShown ? stored.minute / kMinuteStep + 1 : kNotSet);
    if (p.v.counters) {
        p.input1.value->setText(QString::number(stored.counter1));
        p.input2.value->setText(QString::number(stored.counter2));
    }

    if (stored.role == mf::Slave) {
        p.tabs->setCurrentIndex(kTabSlave);
        fillTab(p.slave, stored);
    } else if (stored.role == mf::Master) {
        p.tabs->setCurrentIndex(kTabMaster);
        fillTab(p.master, stored);
        fillInput(p.input1, stored.input1, p.v);
        fillInput(p.input2, stored.input2, p.v);
        edgeState1 = stored.input1.edge;
        edgeState2 = stored.input2.edge;
    } else if (p.v.mirrorTab) {
        p.tabs->setCurrentIndex(kTabMirror);
        fillTab(p.mirror, stored);
        const int mode = stored.role == mf::MasterMirror ? kMasterMirror : kSlaveMirror;
        p.operatingMode->setCurrentIndex(mode);
        // The address the role does not use is cleared.
        (mode == kMasterMirror ? p.mirror.modem : p.mirror.remote)->setValue(0);
        applyOperatingMode(p.mirror, mode);
        hideRadioAddresses(p.mirror.radio);
    } else if (stored.role == mf::MasterMirror) {
        // A two-tab module keeps only the edge selections of a mirror record.
        edgeState1 = stored.input1.edge;
        edgeState2 = stored.input2.edge;
        p.input1.edge->setIcon(edgeIcon(edgeState1, p.v.edgeNoneShowsBoth));
        p.input2.edge->setIcon(edgeIcon(edgeState2, p.v.edgeNoneShowsBoth));
    }

    p.tabs->show();
    p.configurer->show();
    p.result->clear();
    showModulePage(p.page);
}

void MainWindow::initMirrorPage(ModuleType type)
{
    const MirrorPage p = mirrorPage(*ui, type);
    edgeState1 = edgeState2 = di::kEdgeNone;
    advanceMirrorEdge(type, 1);
    advanceMirrorEdge(type, 2);

    p.tabs->hide();
    p.configurer->hide();
    ui->label_Logo->hide();

    setRange(p.slave.modem, kSlaveModem);
    setRange(p.master.modem, kAddress);
    setRange(p.mirror.modem, kAddress);
    setRange(p.master.remote, p.v.masterRemote);
    setRange(p.mirror.remote, kAddress);
    for (QSpinBox *timeOut : {p.slave.timeOut, p.master.timeOut, p.mirror.timeOut})
        setRange(timeOut, kTimeOut);
    for (const TabWidgets *tab : {&p.slave, &p.master, &p.mirror})
        if (tab->radio)
            hideRadioAddresses(tab->radio);

    if (p.v.mirrorTab) {
        refill(p.operatingMode, kOperatingModes, kOperatingModes.size());
        p.mirror.remote->setValue(0);
        applyOperatingMode(p.mirror, kSlaveMirror);
    }

    QStringList hours{kDash};
    for (int h = 0; h <= kLastHour; ++h)
        hours << orlo::twoDigits(h);
    refill(p.hours, hours, kHourListVisible);
    QStringList minutes{kDash};
    for (int m = 0; m <= kLastMinute; m += kMinuteStep)
        minutes << orlo::twoDigits(m);
    refill(p.minutes, minutes, minutes.size());

    p.input1.value->hide();
    p.input2.value->hide();
    p.result->clear();
    p.bar->setValue(0);
    p.write->setEnabled(true);
    p.defaults->setEnabled(true);

    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, p.v.progress);
}

void MainWindow::configureMirror(ModuleType type)
{
    // Default stays enabled while Write waits, and the other way round.
    if (orlo::exchangeInProgress())
        return;
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const MirrorPage p = mirrorPage(*ui, type);
    QStringList missing;
    mf::Record record;
    switch (p.tabs->currentIndex()) {
    case kTabMaster:
        record = masterRecord(p, edgeState1, edgeState2, missing);
        break;
    case kTabMirror:
        record = mirrorRecord(p, type, missing);
        break;
    default:
        record = slaveRecord(p);
        break;
    }
    if (!missing.isEmpty()) {
        warnInvalidConfiguration(p.result, warningOf(type), missing);
        return;
    }
    mf::encode(requestPayload(), orlo::command::WriteConfiguration, now, record, p.v.frame);
    runWriteCycle({p.write, p.bar, p.result, mf::layoutOf(p.v.frame).reports, p.v.writeProgressMs});
}

void MainWindow::restoreMirrorDefaults(ModuleType type)
{
    if (orlo::exchangeInProgress())
        return;
    std::memset(txBuffer, 0, sizeof txBuffer);
    const MirrorPage p = mirrorPage(*ui, type);
    requestPayload()[mf::kCommand] = orlo::command::RestoreDefaults;
    if (!runWriteCycle({p.defaults, p.bar, p.result, mf::layoutOf(p.v.frame).reports, p.v.defaultsProgressMs}))
        return;
    const Defaults &d = p.v.defaults;
    if (d.slaveRadio)
        showRadio(p.slave.radio, d.speed, d.channel, d.modem, d.remote);
    setValue(p.slave.modem, d.modem);
    setValue(p.slave.timeOut, 0);
    p.input1.value->setText(QString::number(0));
    p.input2.value->setText(QString::number(0));
    showRadio(p.master.radio, d.speed, d.channel, d.modem, d.remote);
    setValue(p.master.remote, d.remote);
    setValue(p.master.modem, d.masterModem);
    setValue(p.master.timeOut, 0);
    if (p.v.mirrorTab) {
        p.operatingMode->setCurrentIndex(kSlaveMirror);
        applyOperatingMode(p.mirror, kSlaveMirror);
        setValue(p.mirror.remote, d.remote);
        setValue(p.mirror.modem, d.modem);
        setValue(p.mirror.timeOut, 0);
        showRadio(p.mirror.radio, d.speed, d.channel, d.modem, d.remote);
    }
}

void MainWindow::advanceMirrorEdge(ModuleType type, int input)
{
    const MirrorPage p = mirrorPage(*ui, type);
    int &state = input == 1 ? edgeState1 : edgeState2;
    state = nextEdge(state);
    (input == 1 ? p.input1 : p.input2).edge->setIcon(edgeIcon(state, p.v.edgeNoneShowsBoth));
}

void MainWindow::applyMirrorInputRule(ModuleType type, int input, int rule, bool checked)
{
    const MirrorPage p = mirrorPage(*ui, type);
    const InputWidgets &widgets = input == 1 ? p.input1 : p.input2;
    if (rule == kMirrorRuleBox)
        applyBoxRule(widgets, checked, p.v.counters);
    else
        applyModeRule(widgets, rule == kMirrorRuleCounter, p.v.counters);
}

void MainWindow::on_comboBox_operatingMode_Mirror_IOD_PS_r20_currentIndexChanged(int index)
{
    applyOperatingMode(mirrorPage(*ui, ModuleType::IOD_PS_r20).mirror, index);
}

void MainWindow::on_comboBox_operatingMode_Mirror_ORLO_DIO_LoRa_currentIndexChanged(int index)
{
    applyOperatingMode(mirrorPage(*ui, ModuleType::DIO_LoRa).mirror, index);
}

void MainWindow::SetprogressBarConfigurerIOD_PS_r20()
{
    stepProgress(ui->progressBar_Configurer_IOD_PS_r20);
}

void MainWindow::SetprogressBarConfigurerORLO_DIO_LoRa()
{
    stepProgress(ui->progressBar_Configurer_ORLO_DIO_LoRa);
}

void MainWindow::SetprogressBarConfigurer_DI2_868_r_10()
{
    stepProgress(ui->progressBar_Configurer_DI2_868_r_10);
}

// The slots of one input of the Master tab.
#define ORLO_MIRROR_INPUT_SLOTS(S, TYPE, N)                                                                \
    void MainWindow::on_pushButton_Front_entree_numerique##N##_Master_##S##_clicked()                      \
    {                                                                                                      \
        advanceMirrorEdge(TYPE, N);                                                                        \
    }                                                                                                      \
    void MainWindow::on_groupBox_Entree##N##_Master_##S##_clicked(bool checked)                            \
    {                                                                                                      \
        applyMirrorInputRule(TYPE, N, kMirrorRuleBox, checked);                                            \
    }                                                                                                      \
    void MainWindow::on_radioButton_Entree_numerique##N##_Master_##S##_clicked()                           \
    {                                                                                                      \
        applyMirrorInputRule(TYPE, N, kMirrorRuleDigital, false);                                          \
    }                                                                                                      \
    void MainWindow::on_radioButton_Compteur##N##_Master_##S##_clicked()                                   \
    {                                                                                                      \
        applyMirrorInputRule(TYPE, N, kMirrorRuleCounter, false);                                          \
    }

// The slots every mirror page has, each handing its page to the shared step.
#define ORLO_MIRROR_PAGE_SLOTS(S, TYPE)                                                                    \
    void MainWindow::EnablePage##S(bool enable)                                                            \
    {                                                                                                      \
        enableMirrorPage(TYPE, enable);                                                                    \
    }                                                                                                      \
    void MainWindow::on_pushButton_Configurer_##S##_clicked()                                              \
    {                                                                                                      \
        configureMirror(TYPE);                                                                             \
    }                                                                                                      \
    void MainWindow::on_pushButton_DefaultConfiguration_##S##_clicked()                                    \
    {                                                                                                      \
        restoreMirrorDefaults(TYPE);                                                                       \
    }                                                                                                      \
    void MainWindow::on_comboBox_heures_releve_compteur_Master_##S##_currentIndexChanged(int index)       \
    {                                                                                                      \
        rewriteMinutes(mirrorPage(*ui, TYPE).minutes, index);                                              \
    }                                                                                                      \
    ORLO_MIRROR_INPUT_SLOTS(S, TYPE, 1)                                                                    \
    ORLO_MIRROR_INPUT_SLOTS(S, TYPE, 2)

ORLO_MIRROR_PAGE_SLOTS(IOD_PS_r20, ModuleType::IOD_PS_r20)
ORLO_MIRROR_PAGE_SLOTS(ORLO_DIO_LoRa, ModuleType::DIO_LoRa)
ORLO_MIRROR_PAGE_SLOTS(DI2_868_r_10, ModuleType::DI2_868_r_10)
