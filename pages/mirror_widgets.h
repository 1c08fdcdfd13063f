// The mirror pages' widgets, gathered per page, and what differs between
// the three (IOD_PS_r20, ORLO_DIO_LoRa, DI2_868_r_10).
#pragma once

#include "link/frames/mirror_frame.h"
#include "link/limits.h"
#include "pages/input_steps.h"

#include <QString>
#include <optional>
#include <variant>

class MirrorPages;
class QComboBox;
class QSpinBox;
class QTabWidget;
class Wdlora;
class Wdradio;

namespace mirrorpage {

namespace mf = orlo::mirror;

struct Range {
    int lo;
    int hi;
};
constexpr Range kSlaveModem{1, orlo::limits::kLastAddress};
constexpr Range kAddress{0, orlo::limits::kLastAddress};
constexpr Range kRemoteDI2{0, orlo::limits::kLastRemoteAddressDI2};
constexpr Range kTimeOut{0, 10};

// What Default shows besides zero time-outs and counters.
constexpr int kDefaultSpeed = 4;
constexpr int kDefaultChannel = 160;
constexpr int kDefaultAddress = 1;

// A tab's radio widget: Wdradio, or Wdlora on the LoRa module.
using Radio = std::variant<Wdradio *, Wdlora *>;

struct SlaveTab {
    Radio radio;
    QSpinBox *modem;
};

struct MasterTab {
    Radio radio;
    QSpinBox *modem;
    QSpinBox *remote;
    inputs::InputGroup inputs;
};

// The mirror role uses one address: its own as Slave mirror, the peer's as
// Master mirror.
struct MirrorTab {
    Radio radio;
    QSpinBox *modem;
    QSpinBox *remote;
    QLabel *modemLabel;
    QLabel *remoteLabel;
    QSpinBox *timeOut;
    QComboBox *mode;
    const orlo::checks::SpeedRule *speeds;   // speed codes the mirror role accepts
};

struct TimeOuts {
    QSpinBox *slave;
    QSpinBox *master;
};

// One mirror page: its widgets, and what differs between the three (the
// values given here are IOD_PS_r20's).
struct MirrorPage {
    mf::Variant variant;
    void (MirrorPages::*progress)();
    inputs::PageFrame frame;            // its settings are the tabs
    QTabWidget *tabs;
    SlaveTab slave;
    MasterTab master;
    inputs::Counters counters;          // shown by the module that answers with them
    std::optional<MirrorTab> mirror;    // IOD_PS_r20, ORLO_DIO_LoRa
    std::optional<TimeOuts> timeOuts;   // IOD_PS_r20, ORLO_DIO_LoRa
    WarningTexts warning;
    int writeProgressMs = 30;
    Range masterRemote = kAddress;
    bool defaultSlaveRadio = false;     // Default shows the Slave tab's radio widget too
    int defaultMasterModem = kDefaultAddress;
};

MirrorPage pageIOD_PS_r20(Ui::MirrorPages &ui);
MirrorPage pageORLO_DIO_LoRa(Ui::MirrorPages &ui);
// Two tabs and no time-outs; the answer carries the counters.
MirrorPage pageDI2_868_r_10(Ui::MirrorPages &ui);

} // namespace mirrorpage
