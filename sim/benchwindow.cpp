#include "sim/benchwindow.h"

#include "link/moduletable.h"
#include "sim/firmware.h"
#include "sim/simbench.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int kMaxLogLines = 2000;

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
    , traffic(new QPlainTextEdit(this))
    , probe(new QDoubleSpinBox(this))
    , informationVersion(new QLineEdit(this))
    , informationIdentifier(new QLineEdit(this))
{
    setWindowTitle(tr("Module bench"));
    resize(620, 520);

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

    probe->setRange(-40.0, 125.0);
    probe->setDecimals(2);
    probe->setSingleStep(0.5);
    probe->setValue(20.0);
    probe->setSuffix(QStringLiteral(" °C"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(plugButton);
    buttons->addWidget(unplugButton);
    buttons->addStretch();
    buttons->addWidget(new QLabel(tr("Temperature probes read"), this));
    buttons->addWidget(probe);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Modules of the family (vendor 04D8):"), this));
    layout->addWidget(modules, 2);
    layout->addLayout(buttons);
    {
        auto *information = new QHBoxLayout;
        informationVersion->setPlaceholderText(tr("as stored"));
        informationIdentifier->setPlaceholderText(tr("none"));
        information->addWidget(new QLabel(tr("Gateway RPT_r00 / LoRaWAN RSLW_r00: version"), this));
        information->addWidget(informationVersion);
        information->addWidget(new QLabel(tr("identifier or EUI (hex)"), this));
        information->addWidget(informationIdentifier);
        layout->addLayout(information);
        connect(informationVersion, &QLineEdit::editingFinished, this, &BenchWindow::applyModuleInformation);
        connect(informationIdentifier, &QLineEdit::editingFinished, this, &BenchWindow::applyModuleInformation);
    }
    addHumidityAndProbeControls(layout);
    layout->addWidget(new QLabel(tr("Frames (PC → module, module → PC):"), this));
    layout->addWidget(traffic, 3);

    connect(plugButton, &QPushButton::clicked, this, [this] { plug(selectedProduct()); });
    connect(unplugButton, &QPushButton::clicked, this, [this] { unplug(selectedProduct()); });
    connect(modules, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        const auto id = std::uint16_t(item->data(Qt::UserRole).toUInt());
        pluggedModules.count(id) ? unplug(id) : plug(id);
    });

    connect(probe, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &BenchWindow::applyProbeReading);

    // What a radio bridge (RS_r00) answers about itself: identifier in hex
    // (FFFFFFFF: none) and firmware version text; applied when edited and
    // to a bridge as it is plugged.
    auto *bridgeId = new QLineEdit(QStringLiteral("001A2B3C"), this);
    auto *bridgeVersion = new QLineEdit(QStringLiteral("1.9"), this);
    bridgeId->setInputMask(QStringLiteral("HHHHHHHH"));
    auto *bridgeRow = new QHBoxLayout;
    bridgeRow->addWidget(new QLabel(tr("Bridge RS_r00: Sigfox id"), this));
    bridgeRow->addWidget(bridgeId);
    bridgeRow->addWidget(new QLabel(tr("version"), this));
    bridgeRow->addWidget(bridgeVersion);
    layout->insertLayout(layout->indexOf(traffic) - 1, bridgeRow);
    const auto applyBridge = [this, bridgeId, bridgeVersion] {
        for (const auto &[id, module] : pluggedModules) {
            const orlo::ModuleEntry *entry = orlo::findModule(id);
            if (entry && entry->type == orlo::ModuleType::RS_r00)
                sim::setModuleInformation(*module, bridgeId->text().toUInt(nullptr, 16),
                                          bridgeVersion->text().toStdString());
        }
    };
    connect(bridgeId, &QLineEdit::editingFinished, this, applyBridge);
    connect(bridgeVersion, &QLineEdit::editingFinished, this, applyBridge);
    connect(plugButton, &QPushButton::clicked, this, applyBridge);
    connect(modules, &QListWidget::itemDoubleClicked, this, applyBridge);
    // Analog modules: the current in a 4-20 mA loop, the voltage at a 0-10 V input.
    analogCurrent = new QDoubleSpinBox(this);
    analogCurrent->setRange(0.0, 24.0);
    analogCurrent->setSingleStep(0.1);
    analogCurrent->setValue(12.0);
    analogCurrent->setSuffix(QStringLiteral(" mA"));
    analogVoltage = new QDoubleSpinBox(this);
    analogVoltage->setRange(0.0, 10.5);
    analogVoltage->setSingleStep(0.1);
    analogVoltage->setValue(5.0);
    analogVoltage->setSuffix(QStringLiteral(" V"));
    auto *analog = new QHBoxLayout;
    analog->addStretch();
    analog->addWidget(new QLabel(tr("Analog inputs read"), this));
    analog->addWidget(analogCurrent);
    analog->addWidget(analogVoltage);
    layout->insertLayout(layout->indexOf(buttons) + 1, analog);
    for (QDoubleSpinBox *box : {analogCurrent, analogVoltage})
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &BenchWindow::applyProbeReading);
    // A pulse on both inputs of a plugged DI2_868_r_10 module.
    auto *pulse = new QPushButton(tr("Pulse DI2 inputs"), this);
    buttons->addWidget(pulse);
    connect(pulse, &QPushButton::clicked, this, [this] {
        for (const auto &[id, module] : pluggedModules)
            if (const orlo::ModuleEntry *entry = orlo::findModule(id);
                entry && entry->type == orlo::ModuleType::DI2_868_r_10)
                sim::advanceInputCounters(*module, 1, 1);
    });

    sim::Bench::instance().setTrafficObserver([this](const sim::Traffic &t) { log(t); });
}

BenchWindow::~BenchWindow()
{
    connect(probe, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &BenchWindow::applyProbeReading);

    sim::Bench::instance().setTrafficObserver({});
}

void BenchWindow::plug(std::uint16_t productId)
{
    if (pluggedModules.count(productId))
        return;
    pluggedModules[productId] = &sim::Bench::instance().plug(productId);
    applyProbeReading();
    applyModuleInformation();
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

void BenchWindow::applyProbeReading()
{
    using T = orlo::ModuleType;
    for (const auto &[id, module] : pluggedModules) {
        const orlo::ModuleEntry *entry = orlo::findModule(id);
        if (entry && (entry->type == T::TM || entry->type == T::TM_r20 || entry->type == T::TM_868
                      || entry->type == T::TH_r10 || entry->type == T::TH_868 || entry->type == T::TM2D_r10))
            sim::setTemperatureCelsius(*module, probe->value());
        if (entry && (entry->type == T::DA || entry->type == T::DA_r20))
            sim::setAnalogReading(*module, analogCurrent->value(), analogVoltage->value());
    }
}

void BenchWindow::applyModuleInformation()
{
    // Nothing typed: each module answers what its firmware holds.
    const QString version = informationVersion->text().trimmed();
    if (version.isEmpty())
        return;
    bool given = false;
    const qulonglong identifier = informationIdentifier->text().trimmed().toULongLong(&given, 16);
    using T = orlo::ModuleType;
    for (const auto &[id, module] : pluggedModules) {
        const orlo::ModuleEntry *entry = orlo::findModule(id);
        if (entry && entry->type == T::RPT_r00)
            sim::setModuleInformation(*module, given ? std::uint32_t(identifier) : 0xFFFFFFFFu,
                                       version.toStdString());
        else if (entry && entry->type == T::RSLW_r00)
            sim::setLoRaWanInformation(*module, std::uint16_t(qBound(0L, std::lround(version.toDouble() * 100), 0xFFFFL)),
                                       given ? identifier : 0);
    }
    applyHumidityAndProbes();
}

void BenchWindow::addHumidityAndProbeControls(QBoxLayout *layout)
{
    humidity = new QDoubleSpinBox(this);
    humidity->setRange(-6.0, 100.0);
    humidity->setDecimals(1);
    humidity->setValue(45.0);
    humidity->setSuffix(QStringLiteral(" %RH"));
    humidity->setSpecialValueText(tr("no sensor"));
    secondProbe = new QDoubleSpinBox(this);
    secondProbe->setRange(-125.0, 125.0);
    secondProbe->setDecimals(2);
    secondProbe->setSingleStep(0.5);
    secondProbe->setValue(18.5);
    secondProbe->setSuffix(QStringLiteral(" °C"));
    secondProbe->setSpecialValueText(tr("not fitted"));
    loRaWan = new QCheckBox(tr("LoRaWAN"), this);
    lowUnused = new QCheckBox(tr("Low thresholds unused when periodic"), this);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Humidity"), this));
    row->addWidget(humidity);
    row->addWidget(new QLabel(tr("Second probe"), this));
    row->addWidget(secondProbe);
    row->addWidget(loRaWan);
    row->addWidget(lowUnused);
    row->addStretch();
    layout->addLayout(row);
    connect(humidity, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &BenchWindow::applyHumidityAndProbes);
    connect(secondProbe, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &BenchWindow::applyHumidityAndProbes);
    // The options are the stored record's: a module plugged again reads them.
    connect(loRaWan, &QCheckBox::toggled, this, &BenchWindow::applyHumidityAndProbes);
    connect(lowUnused, &QCheckBox::toggled, this, &BenchWindow::applyHumidityAndProbes);
}

void BenchWindow::applyHumidityAndProbes()
{
    using T = orlo::ModuleType;
    if (!humidity)
        return;
    for (const auto &[id, module] : pluggedModules) {
        const orlo::ModuleEntry *entry = orlo::findModule(id);
        if (!entry)
            continue;
        if (entry->type == T::TH_r10 || entry->type == T::TH_868) {
            if (humidity->value() <= humidity->minimum())
                sim::removeHumiditySensor(*module);
            else
                sim::setHumidity(*module, humidity->value());
        } else if (entry->type == T::TM2D_r10) {
            if (secondProbe->value() <= secondProbe->minimum())
                sim::removeSecondProbe(*module);
            else
                sim::setSecondProbeCelsius(*module, secondProbe->value());
            sim::setTwoProbeOptions(*module, loRaWan->isChecked(), lowUnused->isChecked());
        }
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
