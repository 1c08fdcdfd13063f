// "Module bench": plug and unplug simulated modules, watch the frames.
#pragma once

#include <QWidget>
#include <cstdint>
#include <map>

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QBoxLayout;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace sim {
class Module;
struct Traffic;
} // namespace sim

class BenchWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BenchWindow(QWidget *parent = nullptr);
    ~BenchWindow() override;

    void plug(std::uint16_t productId);
    void unplug(std::uint16_t productId);

private:
    void log(const sim::Traffic &traffic);
    void refreshRow(int row);
    void applyProbeReading();
    std::uint16_t selectedProduct() const;

    QListWidget *modules;
    QPushButton *plugButton;
    QPushButton *unplugButton;
    QPlainTextEdit *traffic;
    QDoubleSpinBox *probe;
    QDoubleSpinBox *analogCurrent;
    QDoubleSpinBox *analogVoltage;
    // Module information of the repeater and the LoRaWAN serial module.
    void applyModuleInformation();
    QLineEdit *informationVersion;
    QLineEdit *informationIdentifier;
    // Temperature-and-humidity and two-probe modules: humidity (or no
    // sensor), second probe (or none) and the two-probe module's options.
    void addHumidityAndProbeControls(QBoxLayout *layout);
    void applyHumidityAndProbes();
    QDoubleSpinBox *humidity = nullptr;
    QDoubleSpinBox *secondProbe = nullptr;
    QCheckBox *loRaWan = nullptr;
    QCheckBox *lowUnused = nullptr;
    std::map<std::uint16_t, sim::Module *> pluggedModules;
};
