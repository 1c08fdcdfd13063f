#include "pages/mirror_widgets.h"

#include "pages/mirrorpages.h"
#include "ui_mirrorpages.h"

namespace mirrorpage {

MirrorPage pageIOD_PS_r20(Ui::MirrorPages &ui)
{
    MirrorPage p{};
    p.variant = mf::Variant::IOD_PS_r20;
    p.progress = &MirrorPages::SetprogressBarConfigurerIOD_PS_r20;
    p.tabs = ui.tabWidget_IOD_PS_r20;
    p.frame = {ui.page_IOD_PS_r20, ui.frame_Configurer_IOD_PS_r20, ui.tabWidget_IOD_PS_r20,
               ui.progressBar_Configurer_IOD_PS_r20, ui.label_Resultat_configurer_IOD_PS_r20,
               ui.pushButton_Configurer_IOD_PS_r20, ui.pushButton_DefaultConfiguration_IOD_PS_r20};
    p.slave = {ui.widget_radioParameter_Slave_IOD_PS_r20, ui.spinBox_adressModem_Slave_IOD_PS_r20};
    p.master = {ui.widget_radioParameter_Master_IOD_PS_r20, ui.spinBox_adressModem_Master_IOD_PS_r20,
                ui.spinBox_adressRemote_Master_IOD_PS_r20, inputs::groupIOD_PS_r20(ui)};
    p.counters = {ui.label_index_compteur1_Master_IOD_PS_r20, ui.label_index_compteur2_Master_IOD_PS_r20};
    p.mirror = MirrorTab{ui.widget_radioParameter_Mirror_IOD_PS_r20, ui.spinBox_adressModem_Mirror_IOD_PS_r20,
                         ui.spinBox_adressRemote_Mirror_IOD_PS_r20, ui.label_adressModem_Mirror_IOD_PS_r20,
                         ui.label_adressRemote_Mirror_IOD_PS_r20, ui.spinBox_TimeOut_Mirror_IOD_PS_r20,
                         ui.comboBox_operatingMode_Mirror_IOD_PS_r20, &orlo::checks::kMirrorSpeedsIOD};
    p.timeOuts = TimeOuts{ui.spinBox_TimeOut_Slave_IOD_PS_r20, ui.spinBox_TimeOut_Master_IOD_PS_r20};
    p.warning = orlo::checks::kMirrorWarningIOD;
    return p;
}

MirrorPage pageORLO_DIO_LoRa(Ui::MirrorPages &ui)
{
    MirrorPage p{};
    p.variant = mf::Variant::DIO_LoRa;
    p.progress = &MirrorPages::SetprogressBarConfigurerORLO_DIO_LoRa;
    p.tabs = ui.tabWidget_ORLO_DIO_LoRa;
    p.frame = {ui.page_ORLO_DIO_LoRa, ui.frame_Configurer_ORLO_DIO_LoRa, ui.tabWidget_ORLO_DIO_LoRa,
               ui.progressBar_Configurer_ORLO_DIO_LoRa, ui.label_Resultat_configurer_ORLO_DIO_LoRa,
               ui.pushButton_Configurer_ORLO_DIO_LoRa, ui.pushButton_DefaultConfiguration_ORLO_DIO_LoRa};
    p.slave = {ui.widget_radioParameter_Slave_ORLO_DIO_LoRa, ui.spinBox_adressModem_Slave_ORLO_DIO_LoRa};
    p.master = {ui.widget_radioParameter_Master_ORLO_DIO_LoRa, ui.spinBox_adressModem_Master_ORLO_DIO_LoRa,
                ui.spinBox_adressRemote_Master_ORLO_DIO_LoRa, inputs::groupORLO_DIO_LoRa(ui)};
    p.counters = {ui.label_index_compteur1_Master_ORLO_DIO_LoRa, ui.label_index_compteur2_Master_ORLO_DIO_LoRa};
    p.mirror = MirrorTab{ui.widget_radioParameter_Mirror_ORLO_DIO_LoRa, ui.spinBox_adressModem_Mirror_ORLO_DIO_LoRa,
                         ui.spinBox_adressRemote_Mirror_ORLO_DIO_LoRa, ui.label_adressModem_Mirror_ORLO_DIO_LoRa,
                         ui.label_adressRemote_Mirror_ORLO_DIO_LoRa, ui.spinBox_TimeOut_Mirror_ORLO_DIO_LoRa,
                         ui.comboBox_operatingMode_Mirror_ORLO_DIO_LoRa, &orlo::checks::kMirrorSpeedsLoRa};
    p.timeOuts = TimeOuts{ui.spinBox_TimeOut_Slave_ORLO_DIO_LoRa, ui.spinBox_TimeOut_Master_ORLO_DIO_LoRa};
    p.warning = orlo::checks::kMirrorWarningLoRa;
    p.writeProgressMs = 50;
    return p;
}

MirrorPage pageDI2_868_r_10(Ui::MirrorPages &ui)
{
    MirrorPage p{};
    p.variant = mf::Variant::DI2_868_r_10;
    p.progress = &MirrorPages::SetprogressBarConfigurer_DI2_868_r_10;
    p.tabs = ui.tabWidget_DI2_868_r_10;
    p.frame = {ui.page_DI2_868_r_10, ui.frame_Configurer_DI2_868_r_10, ui.tabWidget_DI2_868_r_10,
               ui.progressBar_Configurer_DI2_868_r_10, ui.label_Resultat_configurer_DI2_868_r_10,
               ui.pushButton_Configurer_DI2_868_r_10, ui.pushButton_DefaultConfiguration_DI2_868_r_10};
    p.slave = {ui.widget_radioParameter_Slave_DI2_868_r_10, ui.spinBox_adressModem_Slave_DI2_868_r_10};
    p.master = {ui.widget_radioParameter_Master_DI2_868_r_10, ui.spinBox_adressModem_Master_DI2_868_r_10,
                ui.spinBox_adressRemote_Master_DI2_868_r_10, inputs::groupDI2_868_r_10(ui)};
    p.counters = {ui.label_index_compteur1_Master_DI2_868_r_10, ui.label_index_compteur2_Master_DI2_868_r_10};
    p.warning = inputs::kTextsEnglish.box;
    p.masterRemote = kRemoteDI2;
    p.defaultSlaveRadio = true;
    p.defaultMasterModem = 2;
    return p;
}

} // namespace mirrorpage
