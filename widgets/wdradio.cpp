#include "wdradio.h"
#include "ui_wdradio.h"

#include "link/limits.h"
#include "widgets/formtexts.h"
#include "widgets/listfill.h"

#include <QEvent>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

// Spacing of the allowed channels: a channel is allowed when its distance
// from the start of its sub-band, minus offset, is a multiple of step.
struct Spacing {
    int step;
    int offset;
};

// Indexed by rate rank k - 1 (k = 1 for 1200 bps ... 8 for 115200 bps).
constexpr std::array<Spacing, 8> spacingPlan{{
    {1, 0}, {1, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 0}, {6, -1}, {16, -8}}};

// The high-power sub-band is narrower, so the fastest rates space differently.
constexpr int firstHighBandRank = 6;
constexpr std::array<Spacing, 3> highBandSpacing{{{2, 4}, {5, 0}, {10, 0}}};

struct SubBand {
    int first;
    int end; // first channel after the sub-band
    bool highPower;
};

constexpr std::array<SubBand, 3> subBands{{
    {0, 512, false}, {512, 532, true}, {532, 560, false}}};

constexpr int channelCount = subBands.back().end;
constexpr int lastChannel = channelCount - 1;
constexpr int firstWrappedChannel = 1; // channel 0 is never allowed

constexpr int notAllowed = -1;

// dBm; in the high-power sub-band the power drops near both edges.
constexpr int basePower = 14;
constexpr int edgePower = 21;
constexpr int nearEdgePower = 23;
constexpr int fullPower = 27;
constexpr int edgeDistance = 2;
constexpr int nearEdgeDistance = 4;

constexpr int defaultChannel = 522; // allowed at every rate of the normal list

constexpr int lastNormalCode = 8;
constexpr int normalCodeBase = 1;
constexpr int compatCodeBase = 10;

constexpr int compatLastChannel = 15;
constexpr int compatDefaultChannel = 14;
constexpr int compatLowPowerLast = 12; // Kelo channels up to here: 14 dBm only
constexpr int compatDefaultIndex = 1;  // 9600
constexpr int compatModem = 0;
constexpr int compatRemote = 255;

const QString defaultPowerText = QStringLiteral("14|27dBm");
const QString basePowerText = QStringLiteral("14dBm");

QStringList normalRates()
{
    return orlo::limits::radioRateTexts();
}

QStringList compatRates()
{
    return orlo::limits::compatibilityRateTexts();
}

QStringList fourRates()
{
    return orlo::limits::fourRateTexts();
}

QString compatPowerText(int channel)
{
    return channel > compatLowPowerLast ? defaultPowerText : basePowerText;
}

} // namespace

Wdradio::Wdradio(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Wdradio>()), previousChannel(defaultChannel)
{
    ui->setupUi(this);
    formTexts = std::make_unique<orlo::FormTexts>(QList<QWidget *>{this}, [this] { ui->retranslateUi(this); });
}

Wdradio::~Wdradio() = default;

void Wdradio::changeEvent(QEvent *event)
{
    // The rates and the power are numbers: the form's own texts are all that change.
    if (event->type() == QEvent::LanguageChange)
        formTexts->retranslate();
    QWidget::changeEvent(event);
}

bool Wdradio::isKnownBaudCode(int code)
{
    const bool normal = code >= normalCodeBase && code <= lastNormalCode;
    const bool compat = code >= compatCodeBase && code < compatCodeBase + int(compatRates().size());
    return normal || compat;
}

int Wdradio::channelPower(int ch, int k, bool highPower)
{
    // No rate selected (index -1) or an unknown one: nothing is allowed.
    if (k < 1 || k > static_cast<int>(spacingPlan.size()) || ch < 0)
        return notAllowed;

    const auto band = std::find_if(subBands.begin(), subBands.end(),
                                   [ch](const SubBand &b) { return ch < b.end; });
    if (band == subBands.end())
        return notAllowed;

    const int pos = ch - band->first;
    const int room = band->end - ch;
    Spacing spacing = spacingPlan[k - 1];
    if (band->highPower && k >= firstHighBandRank)
        spacing = highBandSpacing[k - firstHighBandRank];

    int power = basePower;
    if (band->highPower && highPower) {
        if (pos <= edgeDistance || room <= edgeDistance)
            power = edgePower;
        else if (pos <= nearEdgeDistance || room <= nearEdgeDistance)
            power = nearEdgePower;
        else
            power = fullPower;
    }

    if (pos == 0)
        return notAllowed;
    const int half = (spacing.step + spacing.offset) / 2;
    if (half > pos || half > room)
        return notAllowed;
    const int shifted = pos - spacing.offset;
    if (shifted < 0 || shifted % spacing.step != 0)
        return notAllowed;
    return power;
}

void Wdradio::setValues(int code, int channel, int modem, int remote)
{
    // Unchecking first reinstalls the normal list, so the index below lands
    // in the list that matches the code.
    ui->_checkBoxCompatibility->setChecked(false);
    givenCode = code;
    // Only a compatibility rate selects the compatibility list: any other code
    // no list holds leaves the normal list without a choice (and its channel
    // range as it is).
    const bool compatibility = !fourRatesOnly && code >= compatCodeBase
        && code < compatCodeBase + int(compatRates().size());
    if (compatibility) {
        ui->_checkBoxCompatibility->setChecked(true);
        ui->_comboBoxBaudrate->setCurrentIndex(code - compatCodeBase);
    } else {
        ui->_comboBoxBaudrate->setCurrentIndex(code - normalCodeBase);
    }
    ui->_spinBoxChannel->setValue(channel);
    ui->_spinBoxModem->setValue(modem);
    ui->_spinBoxRemote->setValue(remote);
    acceptShownChannel();
}

void Wdradio::setFieldsHidden(bool hideModem, bool hideRemote)
{
    ui->_labelModem->setHidden(hideModem);
    ui->_spinBoxModem->setHidden(hideModem);
    ui->_labelRemote->setHidden(hideRemote);
    ui->_spinBoxRemote->setHidden(hideRemote);
}

void Wdradio::setBaudList4(bool four)
{
    fourRatesOnly = four;
    orlo::replaceItemsInPlace(ui->_comboBoxBaudrate, four ? fourRates() : normalRates(), 0);
    ui->line->setHidden(four);
    ui->_checkBoxCompatibility->setHidden(four);
}

void Wdradio::setCompatibilityEnabled(bool enabled)
{
    ui->_checkBoxCompatibility->setEnabled(enabled);
    if (!enabled)
        ui->_checkBoxCompatibility->setChecked(false);
}

int Wdradio::baudCode() const
{
    if (ui->_comboBoxBaudrate->currentIndex() < 0)
        return givenCode;
    const int base = ui->_checkBoxCompatibility->isChecked() ? compatCodeBase : normalCodeBase;
    return ui->_comboBoxBaudrate->currentIndex() + base;
}

int Wdradio::baudIndex() const
{
    return ui->_comboBoxBaudrate->currentIndex();
}

int Wdradio::channel() const
{
    return ui->_spinBoxChannel->value();
}

int Wdradio::modemAddress() const
{
    return ui->_spinBoxModem->value();
}

int Wdradio::remoteAddress() const
{
    return ui->_spinBoxRemote->value();
}

void Wdradio::on__checkBoxCompatibility_toggled(bool checked)
{
    if (checked) {
        ui->_spinBoxChannel->setRange(0, compatLastChannel);
        ui->_spinBoxChannel->setValue(compatDefaultChannel);
        previousChannel = compatDefaultChannel;
        ui->_labelMaxPower->setText(defaultPowerText);
        orlo::replaceItemsInPlace(ui->_comboBoxBaudrate, compatRates(), compatDefaultIndex);
        // Kelo modems have fixed addresses.
        ui->_spinBoxModem->setValue(compatModem);
        ui->_spinBoxModem->setEnabled(false);
        ui->_spinBoxRemote->setValue(compatRemote);
        ui->_spinBoxRemote->setEnabled(false);
    } else {
        ui->_spinBoxChannel->setRange(firstWrappedChannel, lastChannel);
        ui->_spinBoxChannel->setValue(defaultChannel);
        previousChannel = defaultChannel;
        ui->_labelMaxPower->setText(defaultPowerText);
        orlo::replaceItemsInPlace(ui->_comboBoxBaudrate, normalRates(), 0);
        ui->_spinBoxModem->setEnabled(true);
        ui->_spinBoxRemote->setEnabled(true);
    }
}

void Wdradio::on__comboBoxBaudrate_currentIndexChanged(int /*index*/)
{
    if (ui->_checkBoxCompatibility->isChecked())
        return;
    ui->_spinBoxChannel->setValue(defaultChannel);
    previousChannel = defaultChannel;
    ui->_labelMaxPower->setText(defaultPowerText);
}

void Wdradio::on__spinBoxChannel_valueChanged(int value)
{
    // Arrow steps are checked at once; typed values wait for editingFinished.
    if (value == previousChannel + 1 || value == previousChannel - 1)
        validateChannel();
}

void Wdradio::on__spinBoxChannel_editingFinished()
{
    validateChannel();
}

void Wdradio::validateChannel()
{
    int v = ui->_spinBoxChannel->value();
    if (ui->_checkBoxCompatibility->isChecked()) {
        ui->_labelMaxPower->setText(compatPowerText(v));
        previousChannel = v;
        return;
    }

    const int k = rateRank();
    int power = channelPower(v, k, true);

    // A step keeps its direction; a typed value moves back towards the
    // channel it replaced.
    int direction;
    if (v == previousChannel + 1)
        direction = 1;
    else if (v == previousChannel - 1)
        direction = -1;
    else
        direction = v < previousChannel ? 1 : -1;

    // Bounded to one turn: with no rate selected no channel is allowed.
    int steps = 0;
    while (power == notAllowed && steps < channelCount) {
        v += direction;
        if (v <= 0)
            v = lastChannel;
        else if (v >= channelCount)
            v = firstWrappedChannel;
        power = channelPower(v, k, true);
        ++steps;
    }

    if (power == notAllowed) {
        // Nothing to move to: leave the channel as the user set it.
        previousChannel = ui->_spinBoxChannel->value();
        return;
    }
    if (steps > 0)
        ui->_spinBoxChannel->setValue(v); // may validate v once more; it is allowed
    showPower(power);
    previousChannel = v;
}

void Wdradio::acceptShownChannel()
{
    // A stored channel is shown as read, not moved; it becomes the reference
    // for the next step and its power is displayed.
    const int v = ui->_spinBoxChannel->value();
    if (ui->_checkBoxCompatibility->isChecked()) {
        ui->_labelMaxPower->setText(compatPowerText(v));
    } else {
        const int power = channelPower(v, rateRank(), true);
        if (power != notAllowed)
            showPower(power);
    }
    previousChannel = v;
}

void Wdradio::showPower(int power)
{
    ui->_labelMaxPower->setText(power == basePower ? basePowerText
                                                   : QStringLiteral("14|%1dBm").arg(power));
}

int Wdradio::rateRank() const
{
    return ui->_comboBoxBaudrate->currentIndex() + 1;
}
