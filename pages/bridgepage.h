// The radio and serial bridge page (ORLO_RS_r00): one tab per role, the
// module's information, and its Modbus frames.
#pragma once

#include "pages/pagefamily.h"

namespace Ui {
class BridgePage;
}

class BridgePage : public PageFamily
{
    Q_OBJECT

public:
    BridgePage(PageShell &shell, QWidget *parent);
    ~BridgePage() override;

protected:
    void retranslateTexts() override;

public slots:
    void EnablePageORLO_RS_r00(bool enable);
    // Page ORLO_RS_r00: radio and serial bridge.
    void SetprogressBarConfigurerORLO_RS_r00();
    void Update_RS_r00();
    void on_pushButton_Configurer_ORLO_RS_r00_clicked();
    void on_pushButton_DefaultConfiguration_ORLO_RS_r00_clicked();
    void on_tabWidget_ORLO_RS_r00_currentChanged(int index);
    void on_checkBox_Frame1_Master_ORLO_RS_r00_toggled(bool checked);
    void on_checkBox_Frame2_Master_ORLO_RS_r00_toggled(bool checked);
    void on_checkBox_Frame3_Master_ORLO_RS_r00_toggled(bool checked);
    void on_checkBox_Frame4_Master_ORLO_RS_r00_toggled(bool checked);
    void on_checkBox_Frame5_Master_ORLO_RS_r00_toggled(bool checked);
    void on_checkBox_Frame6_Master_ORLO_RS_r00_toggled(bool checked);
    void on_radioButton_RS232_Bridge_ORLO_RS_r00_toggled(bool checked);
    void on_comboBox_databit_Bridge_ORLO_RS_r00_currentIndexChanged(int index);
    void on_radioButton_mod_low_power_disable_Bridge_ORLO_RS_r00_clicked(bool checked);
    void on_radioButton_mod_low_power_master_Bridge_ORLO_RS_r00_clicked(bool checked);
    void on_radioButton_mod_low_power_slave_Bridge_ORLO_RS_r00_clicked(bool checked);
private:
    void InitPageORLO_RS_r00();
    void showStoredORLO_RS_r00(const quint8 *payload);
    void chainToggledORLO_RS_r00(int frame, bool checked);
    // Write's frame built and checked: the cycle that sends it, or none when refused.
    std::optional<WriteCycle> buildRS_r00();
    // The page shows a record from a file, whose firmware gates need the
    // module's information, and the module has not told it yet.
    bool informationNeededRS_r00() const;
    // The module's information asked (not while another exchange waits);
    // `then` (may be empty) runs once it was answered or not asked.
    void askInformationRS_r00(std::function<void()> then);
    void showInformationRS_r00();
    // Write's frame built and, unless refused, sent.
    void writeRS_r00();
    // What the module's firmware allows, known once its information is read.
    bool masterSupportedRS_r00 = false;
    bool serialFormatRS_r00 = false;
    int rememberedTabRS_r00 = 0;
    // The record as read: what no list of the page shows goes back from here.
    quint8 storedRecordRS_r00[orlo::kReportPayload * orlo::kMaxReports] = {};
    // Module information exchange, until it succeeds once.
    std::unique_ptr<QTimer> informationTimerRS_r00;

private:
    std::unique_ptr<Ui::BridgePage> ui;
};
