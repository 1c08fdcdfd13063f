#ifndef WDRADIO_H
#define WDRADIO_H

#include <QWidget>

#include <memory>

namespace orlo { class FormTexts; }
namespace Ui {
class Wdradio;
}

// 868 MHz radio settings of a module: channel, baud rate, modem and remote
// addresses, and the compatibility mode for the older Kelo modems. Keeps the
// channel on one allowed by the channel plan for the selected rate.
class Wdradio : public QWidget
{
    Q_OBJECT

public:
    explicit Wdradio(QWidget *parent = nullptr);
    ~Wdradio() override;

    // Shows a stored configuration; a compatibility code (10, 11) selects
    // compatibility mode.
    // A code the list has no entry for leaves it without a choice, and
    // baudCode gives that code back until the user picks a rate.
    void setValues(int code, int channel, int modem, int remote);
    void setFieldsHidden(bool hideModem, bool hideRemote);
    // The repeater offers only four rates and no compatibility mode.
    void setBaudList4(bool four);
    void setCompatibilityEnabled(bool enabled);

    int baudCode() const;
    int baudIndex() const;
    int channel() const;
    int modemAddress() const;
    int remoteAddress() const;

    // Maximum transmit power in dBm allowed on channel ch at rate rank k
    // (combo index + 1), or -1 when the plan does not allow that channel.
    static int channelPower(int ch, int k, bool highPower);
    // A code setValues can show: a rate of the normal or compatibility list.
    static bool isKnownBaudCode(int code);

protected:
    // A language change: the form's texts again, what the code showed kept.
    void changeEvent(QEvent *event) override;

private slots:
    void on__checkBoxCompatibility_toggled(bool checked);
    void on__comboBoxBaudrate_currentIndexChanged(int index);
    void on__spinBoxChannel_valueChanged(int value);
    void on__spinBoxChannel_editingFinished();

private:
    void validateChannel();
    void acceptShownChannel();
    void showPower(int power);
    int rateRank() const;

    std::unique_ptr<Ui::Wdradio> ui;
    std::unique_ptr<orlo::FormTexts> formTexts;
    int previousChannel;
    int givenCode = 0;
    bool fourRatesOnly = false;
};

#endif // WDRADIO_H
