// "Module bench": plug and unplug simulated modules, watch the frames.
#pragma once

#include <QWidget>
#include <cstdint>
#include <map>

class QCheckBox;
class QComboBox;
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
    // The module of this type is taken away and, once the program has seen
    // it go, a fresh one of the same type is plugged: modules in a row.
    void plugNext(std::uint16_t productId);
    // Modules plugged from now on answer nothing, as the "Answers" list sets.
    void answerNothing();
    // The modules plugged answer whole frames, 3 s late.
    void answerSlowly();

private:
    void log(const sim::Traffic &traffic);
    void refreshRow(int row);
    std::uint16_t selectedProduct() const;
    // What the plugged modules read and answer: probes, humidity, analog
    // inputs, counters, module information. Set on every plugged module of
    // the type concerned, when edited and as a module is plugged.
    void addReadingControls(QBoxLayout *layout);
    void applyReadings();
    // The two-probe module's options live in its stored record: set when
    // toggled and as a module is plugged, not at every reading change.
    void applyTwoProbeOptions();
    // How the plugged modules answer: whole frames, nothing, one report of
    // each, or whole frames 3 s late, so a page can be seen failing to read
    // and recovering, and the window seen answering meanwhile.
    void applyAnswerFault();

    QListWidget *modules;
    QPushButton *plugButton;
    QPushButton *unplugButton;
    QPushButton *nextButton;
    QComboBox *answers;
    QPlainTextEdit *traffic;
    QDoubleSpinBox *probe = nullptr;
    QDoubleSpinBox *humidity = nullptr;
    QDoubleSpinBox *secondProbe = nullptr;
    QCheckBox *loRaWan = nullptr;
    QCheckBox *lowUnused = nullptr;
    QDoubleSpinBox *analogCurrent = nullptr;
    QDoubleSpinBox *analogVoltage = nullptr;
    QLineEdit *bridgeIdentifier = nullptr;
    QLineEdit *bridgeVersion = nullptr;
    QLineEdit *informationVersion = nullptr;
    QLineEdit *informationIdentifier = nullptr;
    std::map<std::uint16_t, sim::Module *> pluggedModules;
};
