#include "sim/benchwindow.h"

#include "link/moduletable.h"
#include "sim/firmware.h"
#include "sim/simbench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <initializer_list>

namespace {
constexpr int kMaxLogLines = 2000;
constexpr int kNextModuleDelayMs = 1500;

QString hex(const sim::Bytes &bytes)
{
    QStringList parts;
    for (std::uint8_t b : bytes)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}
} // namespace

BenchWindow::BenchWindow(QWidget *parent)
    : QWidget(parent)
    , modules(new QListWidget(this))
    , plugButton(new QPushButton(tr("Plug"), this))
    , unplugButton(new QPushButton(tr("Unplug"), this))
    , nextButton(new QPushButton(tr("Next module"), this))
    , answers(new QComboBox(this))
    , traffic(new QPlainTextEdit(this))
{
    setWindowTitle(tr("Module bench"));
    resize(620, 640);

    for (const orlo::ModuleEntry &entry : orlo::kModules) {
        auto *item = new QListWidgetItem(modules);
        item->setData(Qt::UserRole, entry.productId);
    }
    for (int row = 0; row < modules->count(); ++row)
        refreshRow(row);
    modules->setCurrentRow(0);

    traffic->setReadOnly(true);
    traffic->setMaximumBlockCount(kMaxLogLines);
    traffic->setFont(QFont(QStringLiteral("monospace"), 9));
    traffic->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(plugButton);
    buttons->addWidget(unplugButton);
    nextButton->setToolTip(tr("Replace the selected type's module by a fresh one, as when the next "
                              "module of a box is plugged"));
    buttons->addWidget(nextButton);
    buttons->addStretch();
    answers->addItems({tr("whole frames"), tr("nothing (silent)"), tr("one report of each frame"),
                       tr("whole frames, 3 s late")});
    buttons->addWidget(new QLabel(tr("Answers:"), this));
    buttons->addWidget(answers);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Modules of the family (vendor 04D8):"), this));
    layout->addWidget(modules, 2);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(tr("What the plugged modules read and answer:"), this));
    addReadingControls(layout);
    layout->addWidget(new QLabel(tr("Frames (PC → module, module → PC):"), this));
    layout->addWidget(traffic, 3);

    connect(answers, qOverload<int>(&QComboBox::currentIndexChanged), this, &BenchWindow::applyAnswerFault);
    connect(plugButton, &QPushButton::clicked, this, [this] { plug(selectedProduct()); });
    connect(unplugButton, &QPushButton::clicked, this, [this] { unplug(selectedProduct()); });
    connect(nextButton, &QPushButton::clicked, this, [this] { plugNext(selectedProduct()); });
    connect(modules, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        const auto id = std::uint16_t(item->data(Qt::UserRole).toUInt());
        pluggedModules.count(id) ? unplug(id) : plug(id);
    });

    sim::Bench::instance().setTrafficObserver([this](const sim::Traffic &t) { log(t); });
}

BenchWindow::~BenchWindow()
{
    sim::Bench::instance().setTrafficObserver({});
}

void BenchWindow::plug(std::uint16_t productId)
{
    if (pluggedModules.count(productId))
        return;
    pluggedModules[productId] = &sim::Bench::instance().plug(productId);
    applyReadings();
    applyTwoProbeOptions();
    applyAnswerFault();
    for (int row = 0; row < modules->count(); ++row)
        refreshRow(row);
}

void BenchWindow::unplug(std::uint16_t productId)
{
    const auto found = pluggedModules.find(productId);
    if (found == pluggedModules.end())
        return;
    sim::Bench::instance().unplug(*found->second);
    pluggedModules.erase(found);
    for (int row = 0; row < modules->count(); ++row)
        refreshRow(row);
}

void BenchWindow::plugNext(std::uint16_t productId)
{
    unplug(productId);
    // Longer than two detection ticks, so the page of the module gone closes first.
    QTimer::singleShot(kNextModuleDelayMs, this, [this, productId] { plug(productId); });
}

namespace {

QDoubleSpinBox *valueBox(QWidget *parent, double low, double high, double value, int decimals,
                         const QString &suffix)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(decimals > 1 ? 0.5 : 0.1);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *line = new QHBoxLayout;
    for (QWidget *w : widgets)
        line->addWidget(w);
    line->addStretch();
    return line;
}

} // namespace

void BenchWindow::addReadingControls(QBoxLayout *layout)
{
    probe = valueBox(this, -40.0, 125.0, 20.0, 2, QStringLiteral(" °C"));
    // The lowest value of these two means the sensor is not there.
    humidity = valueBox(this, -6.0, 100.0, 45.0, 1, QStringLiteral(" %RH"));
    humidity->setSpecialValueText(tr("no sensor"));
    secondProbe = valueBox(this, -125.0, 125.0, 18.5, 2, QStringLiteral(" °C"));
    secondProbe->setSpecialValueText(tr("not fitted"));
    loRaWan = new QCheckBox(tr("LoRaWAN"), this);
    lowUnused = new QCheckBox(tr("low thresholds unused when periodic"), this);
    // Analog modules: the current in a 4-20 mA loop, the voltage at a 0-10 V input.
    analogCurrent = valueBox(this, 0.0, 24.0, 12.0, 1, QStringLiteral(" mA"));
    analogVoltage = valueBox(this, 0.0, 10.5, 5.0, 1, QStringLiteral(" V"));
    auto *pulse = new QPushButton(tr("Pulse both inputs"), this);
    // The radio bridge's identifier (FFFFFFFF: none) and firmware version.
    bridgeIdentifier = new QLineEdit(QStringLiteral("001A2B3C"), this);
    bridgeIdentifier->setInputMask(QStringLiteral("HHHHHHHH"));
    bridgeVersion = new QLineEdit(QStringLiteral("1.9"), this);
    // Gateway and LoRaWAN module: nothing typed, each answers what it holds.
    informationVersion = new QLineEdit(this);
    informationVersion->setPlaceholderText(tr("version as stored"));
    informationIdentifier = new QLineEdit(this);
    informationIdentifier->setPlaceholderText(tr("identifier or EUI (hex), none"));

    auto *form = new QFormLayout;
    form->addRow(tr("Temperature probes"), row({probe}));
    form->addRow(tr("Humidity (TH)"), row({humidity}));
    form->addRow(tr("Second probe (TM2D)"), row({secondProbe, loRaWan, lowUnused}));
    form->addRow(tr("Analog inputs (DA)"), row({analogCurrent, analogVoltage}));
    form->addRow(tr("Counters (DI2_868_r_10)"), row({pulse}));
    form->addRow(tr("Bridge RS_r00"), row({bridgeIdentifier, bridgeVersion}));
    form->addRow(tr("Gateway, LoRaWAN serial"), row({informationVersion, informationIdentifier}));
    layout->addLayout(form);

    for (QDoubleSpinBox *box : {probe, humidity, secondProbe, analogCurrent, analogVoltage})
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &BenchWindow::applyReadings);
    for (QLineEdit *edit : {bridgeIdentifier, bridgeVersion, informationVersion, informationIdentifier})
        connect(edit, &QLineEdit::editingFinished, this, &BenchWindow::applyReadings);
    // The options are the stored record's: a module plugged again reads them.
    for (QCheckBox *box : {loRaWan, lowUnused})
        connect(box, &QCheckBox::toggled, this, &BenchWindow::applyTwoProbeOptions);
    connect(pulse, &QPushButton::clicked, this, [this] {
        const std::lock_guard<std::recursive_mutex> lock(sim::busMutex());
        for (const auto &[id, module] : pluggedModules)
            if (const orlo::ModuleEntry *entry = orlo::findModule(id);
                entry && entry->type == orlo::ModuleType::DI2_868_r_10)
                sim::advanceInputCounters(*module, 1, 1);
    });
}

void BenchWindow::applyReadings()
{
    // The program's link thread reads the modules while this window changes them.
    const std::lock_guard<std::recursive_mutex> lock(sim::busMutex());
    using T = orlo::ModuleType;
    const QString version = informationVersion->text().trimmed();
    bool given = false;
    const qulonglong identifier = informationIdentifier->text().trimmed().toULongLong(&given, 16);
    for (const auto &[id, module] : pluggedModules) {
        const orlo::ModuleEntry *entry = orlo::findModule(id);
        if (!entry)
            continue;
        switch (entry->type) {
        case T::TM:
        case T::TM_r20:
        case T::TM_868:
            sim::setTemperatureCelsius(*module, probe->value());
            break;
        case T::TH_r10:
        case T::TH_868:
            sim::setTemperatureCelsius(*module, probe->value());
            if (humidity->value() <= humidity->minimum())
                sim::removeHumiditySensor(*module);
            else
                sim::setHumidity(*module, humidity->value());
            break;
        case T::TM2D_r10:
            sim::setTemperatureCelsius(*module, probe->value());
            if (secondProbe->value() <= secondProbe->minimum())
                sim::removeSecondProbe(*module);
            else
                sim::setSecondProbeCelsius(*module, secondProbe->value());
            break;
        case T::DA:
        case T::DA_r20:
            sim::setAnalogReading(*module, analogCurrent->value(), analogVoltage->value());
            break;
        case T::RS_r00:
            sim::setModuleInformation(*module, bridgeIdentifier->text().toUInt(nullptr, 16),
                                      bridgeVersion->text().toStdString());
            break;
        case T::RPT_r00:
            if (!version.isEmpty())
                sim::setModuleInformation(*module, given ? std::uint32_t(identifier) : 0xFFFFFFFFu,
                                          version.toStdString());
            break;
        case T::RSLW_r00:
            if (!version.isEmpty())
                sim::setLoRaWanInformation(
                    *module, std::uint16_t(qBound(0L, std::lround(version.toDouble() * 100), 0xFFFFL)),
                    given ? identifier : 0);
            break;
        default:
            break;
        }
    }
}

void BenchWindow::applyTwoProbeOptions()
{
    const std::lock_guard<std::recursive_mutex> lock(sim::busMutex());
    for (const auto &[id, module] : pluggedModules)
        if (const orlo::ModuleEntry *entry = orlo::findModule(id);
            entry && entry->type == orlo::ModuleType::TM2D_r10)
            sim::setTwoProbeOptions(*module, loRaWan->isChecked(), lowUnused->isChecked());
}

namespace {
enum { kWholeFrames, kSilent, kOneReport, kSlow };
constexpr int kSlowAnswerMs = 3000;

} // namespace

void BenchWindow::answerNothing()
{
    answers->setCurrentIndex(kSilent);
}

void BenchWindow::answerSlowly()
{
    answers->setCurrentIndex(kSlow);
}

void BenchWindow::applyAnswerFault()
{
    const std::lock_guard<std::recursive_mutex> lock(sim::busMutex());
    for (const auto &[id, module] : pluggedModules) {
        module->silent = answers->currentIndex() == kSilent;
        module->answerReports = answers->currentIndex() == kOneReport ? 1 : -1;
        module->answerDelayMs = answers->currentIndex() == kSlow ? kSlowAnswerMs : 0;
    }
}

std::uint16_t BenchWindow::selectedProduct() const
{
    const QListWidgetItem *item = modules->currentItem();
    return item ? std::uint16_t(item->data(Qt::UserRole).toUInt()) : 0;
}

void BenchWindow::refreshRow(int row)
{
    QListWidgetItem *item = modules->item(row);
    const auto id = std::uint16_t(item->data(Qt::UserRole).toUInt());
    const orlo::ModuleEntry *entry = orlo::findModule(id);
    const bool in = pluggedModules.count(id) != 0;
    item->setText(QStringLiteral("%1  0x%2  %3").arg(in ? QStringLiteral("●") : QStringLiteral("○"))
                      .arg(QString::number(id, 16).rightJustified(4, QLatin1Char('0')).toUpper())
                      .arg(QLatin1String(entry ? entry->name : "?")));
}

void BenchWindow::log(const sim::Traffic &t)
{
    const bool out = t.direction == sim::Traffic::ToModule;
    const QString line = QStringLiteral("%1  %2 0x%3  %4")
                             .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                                  out ? QStringLiteral("PC → module") : QStringLiteral("module → PC"))
                             .arg(QString::number(t.productId, 16).rightJustified(4, QLatin1Char('0')).toUpper())
                             .arg(hex(t.report));
    traffic->appendPlainText(line);
}
