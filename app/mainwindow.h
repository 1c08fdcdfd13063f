// The main window: menu, page stack, what detection shows, and every module
// page. Page logic lives in pages/<page>.cpp as slots of this class; the
// module link (transport, bus watch, write cycle's exchange) in link/.
#pragma once

#include "link/moduletable.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class ConfigurationFiles;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class ModuleLink;
struct WriteCycle;
struct WarningTexts;
namespace orlo::tm { struct Layout; }
namespace temperature { struct ThresholdPage; struct ToolBoxPage; struct RadioPage; struct AnalogPage; struct Texts; }

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void showConnectPage();

    // Frame transport on the open module with the main window's bounds
    // (9 bytes counted per report).
    int writeReports(quint8 *frame, quint8 count);
    int readReports(quint8 *frame, quint8 count, int mode);

    int currentProductId() const;
    ModuleLink *transport() const { return link; }

public slots:
    void Connexion();
    void InCaseOfTimeout();
    void delay(int millisecondsToWait);

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
    void EnablePageDI(bool enable);
    void SetprogressBarConfigurerDI();
    void EnablePageDI_r2x(bool enable);
    void SetprogressBarConfigurerDI_r2x();
    void EnablePageDI4_r2x(bool enable);
    void SetprogressBarConfigurerDI4_r2x();
    void EnablePageDI2_868_r_10(bool enable);
    void EnablePageDA(bool enable);
    void EnablePageDA_r20(bool enable);
    void EnablePageIOD_PS_r20(bool enable);
    void EnablePageORLO_DIO_LoRa(bool enable);
    void EnablePageORLO_RS_r00(bool enable);
    void EnablePageORLO_RPT_r00(bool enable);
    void EnablePageORLO_RSLW_r00(bool enable);

    // Menu.
    void on_action_A_propos_triggered();
    void on_action_Help_triggered();
    void on_actionDownload_new_version_triggered();
    void on_action_Quitter_triggered();

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
    void createTemperatureTimers(void (MainWindow::*measurement)(), void (MainWindow::*progress)());
    void destroyTemperatureTimers();
    bool readTemperatureRaw(int reports, quint16 *raw);
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
    void configureThresholdPage(const temperature::ThresholdPage &page, bool periodic,
                                const orlo::tm::Layout &layout, const temperature::Texts &texts, int reports);
    // True (and the warning shown) when a field the page needs is missing.
    bool refuseThresholdPage(const temperature::ThresholdPage &page, bool periodic,
                             const temperature::Texts &texts);
    void initToolBoxPage(const temperature::ToolBoxPage &page, void (MainWindow::*measurement)(),
                         void (MainWindow::*progress)());
    void enableToolBoxPage(const temperature::ToolBoxPage &page);
    void configureToolBoxPage(const temperature::ToolBoxPage &page);
    void initRadioPage(const temperature::RadioPage &page, void (MainWindow::*measurement)(),
                       void (MainWindow::*progress)());
    void enableRadioPage(const temperature::RadioPage &page);
    bool configureRadioPage(const temperature::RadioPage &page);
    // Live temperature and humidity; false when the exchange was not whole.
    bool readTemperatureAndHumidity(int reports, double *celsius, double *humidity);
    void showLowThresholdsTM2D_r10(bool shown);
    // TM2D_r10: options byte and low thresholds of the last stored record
    // read, for the tool box and for configure.
    quint8 optionsTM2D_r10 = 0;
    double storedLowTM2D_r10[2] = {};
public slots:
    // Page DI widgets.
    void on_pushButton_Configurer_DI_clicked();
    void on_pushButton_RAZ_DI_clicked();
    void on_pushButton_Front_entree_numerique1_DI_clicked();
    void on_pushButton_Front_entree_numerique2_DI_clicked();
    void on_groupBox_Entree1_DI_clicked(bool checked);
    void on_groupBox_Entree2_DI_clicked(bool checked);
    void on_radioButton_Entree_numerique1_DI_clicked();
    void on_radioButton_Compteur1_DI_clicked();
    void on_radioButton_Entree_numerique2_DI_clicked();
    void on_radioButton_Compteur2_DI_clicked();
    void on_comboBox_heures_releve_compteur_DI_currentIndexChanged(int index);
    // Page DI_r2x widgets.
    void on_pushButton_Configurer_DI_r2x_clicked();
    void on_pushButton_RAZ_DI_r2x_clicked();
    void on_pushButton_Front_entree_numerique1_DI_r2x_clicked();
    void on_pushButton_Front_entree_numerique2_DI_r2x_clicked();
    void on_groupBox_Entree1_DI_r2x_clicked(bool checked);
    void on_groupBox_Entree2_DI_r2x_clicked(bool checked);
    void on_radioButton_Entree_numerique1_DI_r2x_clicked();
    void on_radioButton_Compteur1_DI_r2x_clicked();
    void on_radioButton_Entree_numerique2_DI_r2x_clicked();
    void on_radioButton_Compteur2_DI_r2x_clicked();
    void on_comboBox_heures_releve_compteur_DI_r2x_currentIndexChanged(int index);
    // Page DI4_r2x widgets.
    void on_pushButton_Configurer_DI4_r2x_clicked();
    void on_pushButton_RAZ_DI4_r2x_clicked();
    void on_pushButton_Front_entree_numerique1_DI4_r2x_clicked();
    void on_pushButton_Front_entree_numerique2_DI4_r2x_clicked();
    void on_groupBox_Entree1_DI4_r2x_clicked(bool checked);
    void on_groupBox_Entree2_DI4_r2x_clicked(bool checked);
    void on_groupBox_Entree3_DI4_r2x_clicked(bool checked);
    void on_groupBox_Entree4_DI4_r2x_clicked(bool checked);
    void on_comboBox_heures_releve_compteur_DI4_r2x_currentIndexChanged(int index);
    void on_comboBox_minutes_releve_compteur_DI4_r2x_currentIndexChanged(int index);
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
    // What the module's firmware allows, known once its information is read.
    bool masterSupportedRS_r00 = false;
    bool serialFormatRS_r00 = false;
    int rememberedTabRS_r00 = 0;
    // The record as read: what no list of the page shows goes back from here.
    quint8 storedRecordRS_r00[orlo::kReportPayload * orlo::kMaxReports] = {};
    // Module information exchange, until it succeeds once.
    std::unique_ptr<QTimer> informationTimerRS_r00;
public slots:
    // Mirror pages (IOD_PS_r20, ORLO_DIO_LoRa, DI2_868_r_10): one implementation.
    void SetprogressBarConfigurerIOD_PS_r20();
    void SetprogressBarConfigurerORLO_DIO_LoRa();
    void SetprogressBarConfigurer_DI2_868_r_10();
    void on_comboBox_operatingMode_Mirror_IOD_PS_r20_currentIndexChanged(int index);
    void on_comboBox_operatingMode_Mirror_ORLO_DIO_LoRa_currentIndexChanged(int index);
    void on_pushButton_Configurer_IOD_PS_r20_clicked();
    void on_pushButton_DefaultConfiguration_IOD_PS_r20_clicked();
    void on_comboBox_heures_releve_compteur_Master_IOD_PS_r20_currentIndexChanged(int index);
    void on_pushButton_Front_entree_numerique1_Master_IOD_PS_r20_clicked();
    void on_pushButton_Front_entree_numerique2_Master_IOD_PS_r20_clicked();
    void on_groupBox_Entree1_Master_IOD_PS_r20_clicked(bool checked);
    void on_groupBox_Entree2_Master_IOD_PS_r20_clicked(bool checked);
    void on_radioButton_Entree_numerique1_Master_IOD_PS_r20_clicked();
    void on_radioButton_Compteur1_Master_IOD_PS_r20_clicked();
    void on_radioButton_Entree_numerique2_Master_IOD_PS_r20_clicked();
    void on_radioButton_Compteur2_Master_IOD_PS_r20_clicked();
    void on_pushButton_Configurer_ORLO_DIO_LoRa_clicked();
    void on_pushButton_DefaultConfiguration_ORLO_DIO_LoRa_clicked();
    void on_comboBox_heures_releve_compteur_Master_ORLO_DIO_LoRa_currentIndexChanged(int index);
    void on_pushButton_Front_entree_numerique1_Master_ORLO_DIO_LoRa_clicked();
    void on_pushButton_Front_entree_numerique2_Master_ORLO_DIO_LoRa_clicked();
    void on_groupBox_Entree1_Master_ORLO_DIO_LoRa_clicked(bool checked);
    void on_groupBox_Entree2_Master_ORLO_DIO_LoRa_clicked(bool checked);
    void on_radioButton_Entree_numerique1_Master_ORLO_DIO_LoRa_clicked();
    void on_radioButton_Compteur1_Master_ORLO_DIO_LoRa_clicked();
    void on_radioButton_Entree_numerique2_Master_ORLO_DIO_LoRa_clicked();
    void on_radioButton_Compteur2_Master_ORLO_DIO_LoRa_clicked();
    void on_pushButton_Configurer_DI2_868_r_10_clicked();
    void on_pushButton_DefaultConfiguration_DI2_868_r_10_clicked();
    void on_comboBox_heures_releve_compteur_Master_DI2_868_r_10_currentIndexChanged(int index);
    void on_pushButton_Front_entree_numerique1_Master_DI2_868_r_10_clicked();
    void on_pushButton_Front_entree_numerique2_Master_DI2_868_r_10_clicked();
    void on_groupBox_Entree1_Master_DI2_868_r_10_clicked(bool checked);
    void on_groupBox_Entree2_Master_DI2_868_r_10_clicked(bool checked);
    void on_radioButton_Entree_numerique1_Master_DI2_868_r_10_clicked();
    void on_radioButton_Compteur1_Master_DI2_868_r_10_clicked();
    void on_radioButton_Entree_numerique2_Master_DI2_868_r_10_clicked();
    void on_radioButton_Compteur2_Master_DI2_868_r_10_clicked();
private:
    // Mirror pages: the shared steps, given the page's module type.
    void enableMirrorPage(orlo::ModuleType type, bool enable);
    void configureMirror(orlo::ModuleType type);
    void restoreMirrorDefaults(orlo::ModuleType type);

private:
    // Digital-input pages: DI and DI_r2x given by their module type, and DI4_r2x.
    void enableTwoInputPage(orlo::ModuleType type, bool enable);
    void configureTwoInputPage(orlo::ModuleType type, quint8 command);
    void configureDI4_r2x(quint8 command);
    // Steps of the digital-input and mirror pages: the edges and the progress
    // timer of a fresh page; the page taken down; the cleared request to fill,
    // or null inside another exchange or when a field is missing (then the
    // warning is shown).
    void startInputPage(void (MainWindow::*progress)());
    void stopInputPage(QWidget *configurer, QWidget *settings);
    quint8 *clearedRequest(QLabel *result, const WarningTexts &texts, const QStringList &missing);
    // DI4_r2x: radio variant (flags bits 3-5) of the last stored record read,
    // written back unchanged.
    int radioVariantDI4_r2x = 0;

public slots:
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
    void initAnalogPage(const temperature::AnalogPage &page, void (MainWindow::*measurement)(),
                        void (MainWindow::*progress)());
    void showAnalogPage(const temperature::AnalogPage &page);
    void disableAnalogPage(const temperature::AnalogPage &page);
    void measureAnalogValue(const temperature::AnalogPage &page);
    void configureAnalogPage(const temperature::AnalogPage &page, bool periodic);
    // Edge selection of the DA digital inputs: 0 none, 1 rising, 2 falling, 3 both.
    int edgeStateDA1 = 0;
    int edgeStateDA2 = 0;
    // The stored record the analog page read: decoded again when DA_r20's
    // analog type changes, and the counts of what the user left as read.
    quint8 storedRecordAnalog[orlo::kReportPayload * orlo::kMaxReports] = {};

private:
    // Write cycle shared by every configure and reset button: stamps nothing
    // itself (the page built txBuffer), pauses the timers, writes, waits for
    // the acknowledgement while the bar turns; true when the module accepted.
    bool runWriteCycle(const WriteCycle &cycle);
    // The invalid-configuration box; the label reads "Invalide" while it is open.
    void warnInvalidConfiguration(QLabel *result, const WarningTexts &texts,
                                  const QStringList &lines);
    static void stepProgress(QProgressBar *bar);
    // The module's stored record (command 2): its payload, zeros where
    // nothing arrived. Whether it arrived whole is kept by the link, which
    // sends no configuration before; a retry turns the event loop.
    const quint8 *readStoredConfiguration(int reports);
    // The same under a trace line of the page's own.
    const quint8 *readStoredConfiguration(int reports, const char *trace);
    // A request of a bare command and its answer; true when both were whole.
    bool requestCommand(quint8 command, int reports, int mode = 0);
    // A configuration button may send: no other exchange waits and the
    // module's record was read.
    bool mayConfigure() const;
    // A read of the stored record failed: the page's result label and the
    // status bar say so, detection reads it again at later ticks.
    void showStoredReadFailure();
    void readStoredAgain();
    // The page's result label and its Write (configure) button.
    struct ConfigureControls {
        QLabel *result = nullptr;
        QPushButton *write = nullptr;
    };
    ConfigureControls configureControlsOf(int productId) const;
    // The request frame cleared, and the payloads of the request and answer frames.
    void clearRequest();
    quint8 *requestPayload();
    const quint8 *answerPayload() const;
    void showModulePage(QWidget *page);
    void enablePageOf(int productId, bool enable);

    std::unique_ptr<Ui::MainWindow> ui;
    bool moduleShown = false;
    QTimer *pollTimer = nullptr;
    ModuleLink *link = nullptr;
    ConfigurationFiles *files = nullptr;
    // Page timers: created when a page is enabled, destroyed when disabled.
    std::unique_ptr<QTimer> progressTimer;
    std::unique_ptr<QTimer> measureTimer;
    std::unique_ptr<QTimer> valueTimer;

    // Edge selection of the digital-input pages: 0 none, 1 rising, 2 falling, 3 both.
    int edgeState1 = 0;
    int edgeState2 = 0;
};
