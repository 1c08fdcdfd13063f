#include "wdlora.h"
#include "ui_wdlora.h"

#include "link/limits.h"
#include "widgets/formtexts.h"
#include "widgets/listfill.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

const QStringList kRates = orlo::limits::loRaRateTexts();


// Channel ranges of the two plans.
constexpr int kSlowFirst = orlo::limits::kFirstLoRaChannel;
constexpr int kSlowLast = orlo::limits::kLastLoRaChannel;

// The fast plan, in ascending order.
constexpr auto kFastPlan = orlo::limits::kFastLoRaPlan;
constexpr int kFastFirst = kFastPlan.front();
constexpr int kFastLast = kFastPlan.back();

constexpr int kRateChangeChannel = 23;      // allowed at every rate

const QString kPowerText = QStringLiteral("14dBm");

// The lowest channel of the fast plan above ch (the last one if none is).
int fastAbove(int ch)
{
    const auto it = std::upper_bound(kFastPlan.begin(), kFastPlan.end(), ch);
    return it == kFastPlan.end() ? kFastPlan.back() : *it;
}

// The highest channel of the fast plan at or below ch (the first one if none is).
int fastAtOrBelow(int ch)
{
    const auto it = std::upper_bound(kFastPlan.begin(), kFastPlan.end(), ch);
    return it == kFastPlan.begin() ? kFastPlan.front() : *(it - 1);
}

} // namespace

Wdlora::Wdlora(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Wdlora>()), previousChannel(kRateChangeChannel)
{
    ui->setupUi(this);
    formTexts = std::make_unique<orlo::FormTexts>(QList<QWidget *>{this}, [this] { ui->retranslateUi(this); });
    // The list is installed quietly: the form's power stands until the user
    // or a page chooses a rate. A widget never filled from a module still
    // holds a channel of the first rate's plan, never the form's 522.
    orlo::refillQuietly(ui->_comboBoxBaudrate, kRates, orlo::kListOwnVisible);
    const QScopedValueRollback<bool> still(validating, true);
    applyChannelRange();
    ui->_spinBoxChannel->setValue(kRateChangeChannel);
}

Wdlora::~Wdlora() = default;

void Wdlora::changeEvent(QEvent *event)
{
    // The rates and the power are numbers: the form's own texts are all that change.
    if (event->type() == QEvent::LanguageChange)
        formTexts->retranslate();
    QWidget::changeEvent(event);
}

bool Wdlora::isFastRate(int index)
{
    return index >= orlo::limits::kFirstFastLoRaRate;
}

bool Wdlora::isPlanChannel(int channel, int index)
{
    return orlo::limits::isLoRaPlanChannel(channel, index);
}

void Wdlora::setValues(int index, int channel, int modem, int remote)
{
    ui->_comboBoxBaudrate->setCurrentIndex(index);
    {
        // A stored channel is shown, not moved along the plan.
        const QScopedValueRollback<bool> quiet(validating, true);
        applyChannelRange();
        ui->_spinBoxChannel->setValue(channel);
    }
    previousChannel = ui->_spinBoxChannel->value();
    ui->_labelMaxPower->setText(kPowerText);
    ui->_spinBoxModem->setValue(modem);
    ui->_spinBoxRemote->setValue(remote);
}

void Wdlora::setFieldsHidden(bool hideModem, bool hideRemote)
{
    ui->_labelModem->setHidden(hideModem);
    ui->_spinBoxModem->setHidden(hideModem);
    ui->_labelRemote->setHidden(hideRemote);
    ui->_spinBoxRemote->setHidden(hideRemote);
}

int Wdlora::channel() const
{
    return ui->_spinBoxChannel->value();
}

int Wdlora::baudIndex() const
{
    return ui->_comboBoxBaudrate->currentIndex();
}

int Wdlora::modemAddress() const
{
    return ui->_spinBoxModem->value();
}

int Wdlora::remoteAddress() const
{
    return ui->_spinBoxRemote->value();
}

void Wdlora::on__comboBoxBaudrate_currentIndexChanged(int /*index*/)
{
    const QScopedValueRollback<bool> quiet(validating, true);
    // The new rate's channels can be typed at once (23 is in both ranges).
    applyChannelRange();
    ui->_spinBoxChannel->setValue(kRateChangeChannel);
    previousChannel = kRateChangeChannel;
    ui->_labelMaxPower->setText(kPowerText);
}

void Wdlora::on__spinBoxChannel_valueChanged(int value)
{
    // Arrow steps are checked at once; typed values wait for editingFinished.
    if (!validating && (value == previousChannel + 1 || value == previousChannel - 1))
        validateChannel();
}

void Wdlora::on__spinBoxChannel_editingFinished()
{
    validateChannel();
}

void Wdlora::applyChannelRange()
{
    if (isFastRate(baudIndex()))
        ui->_spinBoxChannel->setRange(kFastFirst, kFastLast);
    else
        ui->_spinBoxChannel->setRange(kSlowFirst, kSlowLast);
}

void Wdlora::validateChannel()
{
    const QScopedValueRollback<bool> quiet(validating, true);
    int v = ui->_spinBoxChannel->value();
    applyChannelRange();
    if (isFastRate(baudIndex())) {
        // An arrow step moves to the next channel of the plan in its
        // direction; any other value stays if the plan has it, or goes to the
        // plan's channel below it.
        if (v == previousChannel + 1)
            v = fastAbove(previousChannel);
        else if (v == previousChannel - 1)
            v = fastAtOrBelow(previousChannel - 1);
        else
            v = fastAtOrBelow(v);
    }
    previousChannel = v;
    ui->_spinBoxChannel->setValue(v);
    ui->_labelMaxPower->setText(kPowerText);
}
