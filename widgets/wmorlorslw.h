// The LoRaWAN serial page (RSLW_r00): a widget of its own on the page stack,
// talking to its module through the module link, with its longer bounds.
#pragma once

#include "link/frames/rslw_frame.h"
#include "widgets/modbusframes.h"
#include "widgets/widgetexchange.h"
#include "widgets/writecycle.h"

#include <QWidget>
#include <memory>
#include <optional>

class ModuleLink;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;

namespace orlo { class FormTexts; }
namespace Ui {
class WmOrloRsLw;
}

class WmOrloRsLw : public QWidget
{
    Q_OBJECT

public:
    explicit WmOrloRsLw(QWidget *parent = nullptr);
    ~WmOrloRsLw() override;

    // Sets every widget afresh, then reads the module and its information.
    void start(ModuleLink *link, QStatusBar *statusBar);
    // The module is gone: nothing is exchanged until the next start.
    void stop();
    // Where the page says "OK", "Echec" or "Invalide".
    QLabel *resultLabel() const;
    // Write: what a saved configuration is taken from.
    QPushButton *writeButton() const;
    // The checked configuration Write would send, as its payload; empty
    // when the page refuses it (its box shown) or may not configure yet.
    QByteArray configurationFrame();

public slots:
    void on_pushButton_Configurer_clicked();
    void on_pushButton_DefaultConfiguration_clicked();
    void SetprogressBarConfigurer();
    void on_checkBox_Frame1_Master_toggled(bool checked);
    void on_checkBox_Frame2_Master_toggled(bool checked);
    void on_checkBox_Frame3_Master_toggled(bool checked);
    void on_checkBox_Frame4_Master_toggled(bool checked);
    void on_checkBox_Frame5_Master_toggled(bool checked);
    void on_checkBox_Frame6_Master_toggled(bool checked);
    void on_radioButton_RS232_toggled(bool checked);
    void on_tabWidget_ORLO_RSLW_r00_tabBarClicked(int index);
    void getInfo();

protected:
    // A language change: the form's texts again, with the lists the page
    // filled (choices kept) and the result word in the new language.
    void changeEvent(QEvent *event) override;

private:
    // Write's frame built into the page's frame and checked: the cycle that
    // sends it, or none.
    std::optional<WriteCycle> buildConfiguration();
    void initialiseAndRead();
    // The module's information asked, behind whatever the link holds.
    void askInformation();
    // Frame `number` (1 to 6) switched on or off: the chain rule.
    void frameToggled(int number, bool checked);
    orlo::modbus::BlockChain chain() const;
    orlo::modbus::SerialFormat serialFormat() const;

    std::unique_ptr<Ui::WmOrloRsLw> form;
    std::unique_ptr<orlo::FormTexts> formTexts;
    ModuleLink *link = nullptr;
    QStatusBar *statusBar = nullptr;
    QTimer *progressTimer;
    orlo::widgetpage::Frame frame;
    // The information answer has a buffer of its own: the stored record
    // read just before stays whole.
    orlo::widgetpage::Frame informationFrame;
    // The record as read: what no list shows goes back from here. A stored
    // role no tab shows is written only once the user chose a tab.
    orlo::rslw::Record stored;
    bool roleChosen = true;
};
