// The temperature pages: TM (0x0240, 0x0244), TM_r20, TM2D_r10, TH_r10,
// TH_868 and TM_868. Each shows the module's stored record, writes it back
// with the clock stamp, and reads the probes live; the steps they share are
// in temperature_steps.
#pragma once

#include "pages/pagefamily.h"

namespace orlo::tm { struct Layout; }
namespace temperature { struct ThresholdPage; struct ToolBoxPage; struct RadioPage; }
namespace orlo::checks { struct ScheduleTexts; }

namespace Ui {
class TemperaturePages;
}

class TemperaturePages : public PageFamily
{
    Q_OBJECT

public:
    TemperaturePages(PageShell &shell, QWidget *parent);
    ~TemperaturePages() override;

protected:
    void retranslateTexts() override;

public slots:
    // Module pages.
    void EnablePageTM(bool enable);
    void SetprogressBarConfigurerTM();
    void TemperatureMeasurementTM();
    void EnablePageTM_r20(bool enable);
    void SetprogressBarConfigurerTM_r20();
    void TemperatureMeasurementTM_r20();
    void EnablePageTM_868(bool enable);
    void SetprogressBarConfigurerTM_868();
    void TemperatureMeasurementTM_868();
    void EnablePageTM2D_r10(bool enable);
    void EnablePageTH_r10(bool enable);
    void EnablePageTH_868(bool enable);
    // Page TM widgets.
    void on_comboBox_Periode_mesure_TM_currentIndexChanged(int index);
    void on_checkBox_envoi_T1_TM_clicked(bool checked);
    void on_checkBox_envoi_T2_TM_clicked(bool checked);
    void on_checkBox_envoi_T3_TM_clicked(bool checked);
    void on_doubleSpinBox_Seuil_bas_TM_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_TM_valueChanged(double value);
    void on_horizontalSlider_Type_releve_TM_valueChanged(int value);
    void on_comboBox_heures_releve_TM_currentIndexChanged(int index);
    void on_pushButton_Configurer_TM_clicked();
private:
    void InitPageTM();
    void ShowThresholdModeTM();
    void InitPageTM_r20();
    void InitPageTM_868();
    // Shared by the temperature pages.
    void createTemperatureTimers(void (TemperaturePages::*measurement)(), void (TemperaturePages::*progress)());
    void destroyTemperatureTimers();
    // One live reading (command ReadLive), Write disabled until its answer
    // is in: `done` is told whether it came whole (answerPayload holds it),
    // then Write is usable again, whatever came back.
    void readLive(QPushButton *write, int reports, std::function<void(bool whole)> done);
public slots:
    // Page TM_r20 widgets.
    void on_comboBox_Periode_mesure_TM_r20_currentIndexChanged(int index);
    void on_checkBox_envoi_T1_TM_r20_clicked(bool checked);
    void on_checkBox_envoi_T2_TM_r20_clicked(bool checked);
    void on_checkBox_envoi_T3_TM_r20_clicked(bool checked);
    void on_doubleSpinBox_Seuil_bas_TM_r20_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_TM_r20_valueChanged(double value);
    void on_comboBox_heures_releve_TM_r20_currentIndexChanged(int index);
    void on_pushButton_Configurer_TM_r20_clicked();
    // Page TM_868 widgets.
    void on_comboBox_heures_releve_Master_TM_868_currentIndexChanged(int index);
    void on_pushButton_Configurer_TM_868_clicked();
    // Pages TH_r10, TH_868 and TM2D_r10.
    void TemperatureMeasurementTH_r10();
    void SetprogressBarConfigurerTH_r10();
    void on_comboBox_Periode_mesure_TH_r10_currentIndexChanged(int index);
    void on_checkBox_envoi_T1_TH_r10_clicked(bool checked);
    void on_checkBox_envoi_T2_TH_r10_clicked(bool checked);
    void on_checkBox_envoi_T3_TH_r10_clicked(bool checked);
    void on_doubleSpinBox_Seuil_bas_TH_r10_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_TH_r10_valueChanged(double value);
    void on_comboBox_heures_releve_TH_r10_currentIndexChanged(int index);
    void on_pushButton_Configurer_TH_r10_clicked();
    void TemperatureMeasurementTH_868();
    void SetprogressBarConfigurerTH_868();
    void on_comboBox_heures_releve_TH_868_currentIndexChanged(int index);
    void on_pushButton_Configurer_TH_868_clicked();
    void TemperatureMeasurementTM2D_r10();
    void SetprogressBarConfigurerTM2D_r10();
    void configurationFailed_TM2D_r10();
    void on_comboBox_Periode_mesure_TM2D_r10_currentIndexChanged(int index);
    void on_comboBox_minutes_releve_TM2D_r10_currentIndexChanged(int index);
    void on_comboBox_heures_releve_TM2D_r10_currentIndexChanged(int index);
    void on_checkBox_envoi_T1_TM2D_r10_clicked(bool checked);
    void on_checkBox_envoi_T2_TM2D_r10_clicked(bool checked);
    void on_checkBox_envoi_T3_TM2D_r10_clicked(bool checked);
    void on_pushButton_Configurer_TM2D_r10_clicked();
    void on_doubleSpinBox_Seuil_bas_S1_TM2D_r10_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_S1_TM2D_r10_valueChanged(double value);
    void on_doubleSpinBox_Seuil_bas_S2_TM2D_r10_valueChanged(double value);
    void on_doubleSpinBox_Seuil_haut_S2_TM2D_r10_valueChanged(double value);
    void on_toolBox_Type_releve_TM2D_r10_currentChanged(int index);
private:
    void InitPageTH_r10();
    void InitPageTH_868();
    void InitPageTM2D_r10();
    // Steps the temperature pages share, each page giving its widgets and units.
    void disableTemperaturePage(QWidget *configureFrame, QWidget *parameterFrame);
    // Write's frame built into the request and checked: the cycle that
    // sends it, or none when refused (the warning shown) or not allowed yet.
    std::optional<WriteCycle> buildThresholdPage(const temperature::ThresholdPage &page, bool periodic,
                                                 const orlo::tm::Layout &layout, const orlo::checks::ScheduleTexts &texts,
                                                 int reports);
    // True (and the warning shown) when a field the page needs is missing.
    bool refuseThresholdPage(const temperature::ThresholdPage &page, bool periodic,
                             const orlo::checks::ScheduleTexts &texts);
    void initToolBoxPage(const temperature::ToolBoxPage &page, void (TemperaturePages::*measurement)(),
                         void (TemperaturePages::*progress)());
    void enableToolBoxPage(const temperature::ToolBoxPage &page);
    std::optional<WriteCycle> buildToolBoxPage(const temperature::ToolBoxPage &page);
    void initRadioPage(const temperature::RadioPage &page, void (TemperaturePages::*measurement)(),
                       void (TemperaturePages::*progress)());
    void enableRadioPage(const temperature::RadioPage &page);
    std::optional<WriteCycle> buildRadioPage(const temperature::RadioPage &page);
    // Each page's Write frame.
    std::optional<WriteCycle> buildTM();
    std::optional<WriteCycle> buildTM_r20();
    std::optional<WriteCycle> buildTM_868();
    std::optional<WriteCycle> buildTM2D_r10();
    std::optional<WriteCycle> buildTH_r10();
    std::optional<WriteCycle> buildTH_868();
    void showLowThresholdsTM2D_r10(bool shown);
    // TM2D_r10: options byte and low thresholds of the last stored record
    // read, for the tool box and for configure.
    quint8 optionsTM2D_r10 = 0;
    double storedLowTM2D_r10[2] = {};
    // The titles the last readings chose, as source texts: written again on
    // a language change. None yet: the form's own.
    const char *titleTH_r10 = nullptr;
    const char *titleTM2D_r10 = nullptr;

private:
    std::unique_ptr<Ui::TemperaturePages> ui;
};
