#ifndef WDLORA_H
#define WDLORA_H

#include <QWidget>

#include <memory>

namespace orlo { class FormTexts; }
namespace Ui {
class Wdlora;
}

// LoRa radio settings of a module: data rate, channel, modem and remote
// addresses. Keeps the channel on one the rate's channel plan allows: any of
// 1 .. 29 at the slow rates, the even channels 2 .. 20, 23 and 26 at the
// fast ones.
class Wdlora : public QWidget
{
    Q_OBJECT

public:
    explicit Wdlora(QWidget *parent = nullptr);
    ~Wdlora() override;

    // Shows a stored configuration: the rate index, then the channel (held
    // to the rate's channel range) and the two addresses.
    void setValues(int index, int channel, int modem, int remote);
    void setFieldsHidden(bool hideModem, bool hideRemote);

    int channel() const;
    // Index of the data rate, 0 .. 6; -1 when a stored index had no entry.
    int baudIndex() const;
    int modemAddress() const;
    int remoteAddress() const;

    static constexpr int kRateCount = 7;
    static bool isFastRate(int index);
    static bool isPlanChannel(int channel, int index);

protected:
    // A language change: the form's texts again, what the code showed kept.
    void changeEvent(QEvent *event) override;

private slots:
    void on__comboBoxBaudrate_currentIndexChanged(int index);
    void on__spinBoxChannel_valueChanged(int value);
    void on__spinBoxChannel_editingFinished();

private:
    void validateChannel();
    void applyChannelRange();

    std::unique_ptr<Ui::Wdlora> ui;
    std::unique_ptr<orlo::FormTexts> formTexts;
    int previousChannel;
    bool validating = false;    // the spin box changes under the validation
};

#endif // WDLORA_H
