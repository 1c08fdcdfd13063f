#include "sim/benchwindow.h"

#include "link/moduletable.h"
#include "sim/firmware.h"
#include "sim/simbench.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

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
    layout->addWidget(new QLabel(tr("Frames (PC → module, module → PC):"), this));
    layout->addWidget(traffic, 3);

    connect(plugButton, &QPushButton::clicked, this, [this] { plug(selectedProduct()); });
    connect(unplugButton, &QPushButton::clicked, this, [this] { unplug(selectedProduct()); });
    connect(modules, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        const auto id = std::uint16_t(item->data(Qt::UserRole).toUInt());
        pluggedModules.count(id) ? unplug(id) : plug(id);
    });

    connect(probe, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &BenchWindow::applyProbeReading);

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
        if (entry && (entry->type == T::TM || entry->type == T::TM_r20 || entry->type == T::TM_868))
            sim::setTemperatureCelsius(*module, probe->value());
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
