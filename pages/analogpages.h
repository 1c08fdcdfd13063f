// The analog pages: DA (0x0222 current, 0x0235 voltage, with two digital
// inputs) and DA_r20.
#pragma once

#include "pages/pagefamily.h"

namespace temperature { struct AnalogPage; }

namespace Ui {
class AnalogPages;
}

class AnalogPages : public PageFamily
{
    Q_OBJECT

public:
    AnalogPages(PageShell &shell, QWidget *parent);
    ~AnalogPages() override;

protected:
    void retranslateTexts() override;

public slots:
    void EnablePageDA(bool enable);
    void EnablePageDA_r20(bool enable);
    // Pages DA and DA_r20 (one analog input; DA adds two digital inputs).
    void SetprogressBarConfigurerDA();
    void ValueMeasurementDA();
    void on_pushButton_Configurer_DA_clicked();
    void on_comboBox_Periode_mesure_DA_currentIndexChanged(int index);
    void on_checkBox_envoi_T1_DA_clicked(bool checked);
    void on_checkBox_envoi_T2_DA_clicked(bool checked);
    void on_checkBox_envoi_T3_DA_clicked(bool checked);
    void on_doubleSpinBox_Seuil_bas_DA_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_DA_valueChanged(double value);
    void on_horizontalSlider_Type_releve_DA_valueChanged(int value);
    void on_comboBox_heures_releve_DA_currentIndexChanged(int index);
    void on_lineEdit_Unite_DA_textChanged(const QString &text);
    void on_doubleSpinBox_Y1_DA_valueChanged(double value);
    void on_doubleSpinBox_Y2_DA_valueChanged(double value);
    void on_pushButton_Front_entree_numerique1_DA_clicked();
    void on_pushButton_Front_entree_numerique2_DA_clicked();
    void SetprogressBarConfigurerDA_r20();
    void ValueMeasurementDA_r20();
    void on_pushButton_Configurer_DA_r20_clicked();
    void on_comboBox_Periode_mesure_DA_r20_currentIndexChanged(int index);
    void on_checkBox_envoi_T1_DA_r20_clicked(bool checked);
    void on_checkBox_envoi_T2_DA_r20_clicked(bool checked);
    void on_checkBox_envoi_T3_DA_r20_clicked(bool checked);
    void on_doubleSpinBox_Seuil_bas_DA_r20_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_DA_r20_valueChanged(double value);
    void on_comboBox_heures_releve_DA_r20_currentIndexChanged(int index);
    void on_lineEdit_Unite_DA_r20_textChanged(const QString &text);
    void on_doubleSpinBox_Y1_DA_r20_valueChanged(double value);
    void on_doubleSpinBox_Y2_DA_r20_valueChanged(double value);
    void on_comboBox_Analog_DA_r20_currentIndexChanged(int index);
private:
    // Steps of the two analog pages, each given its page's description.
    void initAnalogPage(const temperature::AnalogPage &page, void (AnalogPages::*measurement)(),
                        void (AnalogPages::*progress)());
    void showAnalogPage(const temperature::AnalogPage &page);
    void disableAnalogPage(const temperature::AnalogPage &page);
    void measureAnalogValue(const temperature::AnalogPage &page);
    void configureAnalogPage(const temperature::AnalogPage &page, bool periodic);
    // Write's frame built and checked: the cycle that sends it, or none when refused.
    std::optional<WriteCycle> buildAnalogPage(const temperature::AnalogPage &page, bool periodic);
    // Edge selection of the DA digital inputs: 0 none, 1 rising, 2 falling, 3 both.
    int edgeStateDA1 = 0;
    int edgeStateDA2 = 0;
    // The stored record the analog page read: decoded again when DA_r20's
    // analog type changes, and the counts of what the user left as read.
    quint8 storedRecordAnalog[orlo::kReportPayload * orlo::kMaxReports] = {};

private:
    std::unique_ptr<Ui::AnalogPages> ui;
};
