// The main window: menu, page stack, module link and every module page.
// Page logic lives in pages/<page>.cpp as slots of this class; the link
// (transport, detection, write cycle) in link/.
#pragma once

#include "link/moduletable.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <string>

struct hid_device_;
typedef struct hid_device_ hid_device;
struct hid_device_info;

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class Hid;
struct WriteCycle;
struct WarningTexts;

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

    // Frame transport on the open module (9 bytes counted per report).
    int writeReports(quint8 *frame, quint8 count);
    int readReports(quint8 *frame, quint8 count, int mode);
    void startTimeoutTimer(int ms);
    void stopTimeoutTimer();

    int currentProductId() const { return productId; }
    Hid *transport() const { return hid; }

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
    void initMirrorPage(orlo::ModuleType type);
    void configureMirror(orlo::ModuleType type);
    void restoreMirrorDefaults(orlo::ModuleType type);
    void advanceMirrorEdge(orlo::ModuleType type, int input);
    void applyMirrorInputRule(orlo::ModuleType type, int input, int rule, bool checked);

private:
    // Digital-input pages: shared steps of the three pages.
    void configureDI(quint8 command, QPushButton *button);
    void configureDI_r2x(quint8 command, QPushButton *button);
    void configureDI4_r2x(quint8 command, QPushButton *button);
    // DI4_r2x: radio variant (flags bits 3-5) of the last stored record read,
    // written back unchanged.
    int radioVariantDI4_r2x = 0;

private:
    // Write cycle shared by every configure and reset button: stamps nothing
    // itself (the page built txBuffer), pauses the timers, writes, waits for
    // the acknowledgement while the bar turns; true when the module accepted.
    bool runWriteCycle(const WriteCycle &cycle);
    // The invalid-configuration box; the label reads "Invalide" while it is open.
    void warnInvalidConfiguration(QLabel *result, const WarningTexts &texts,
                                  const QStringList &lines);
    static void stepProgress(QProgressBar *bar);
    // The module's stored record (command 2, read without turning the event
    // loop, not checked): its payload, zeros where nothing arrived.
    const quint8 *readStoredConfiguration(int reports);
    // A request of a bare command and its answer; true when both were whole.
    bool requestCommand(quint8 command, int reports);
    quint8 *requestPayload() { return txBuffer + 1; }
    const quint8 *answerPayload() const { return rxBuffer + 1; }
    void showModulePage(QWidget *page);
    void enablePageOf(int productId, bool enable);
    bool openFirstModule(const hid_device_info *bus);
    void closeModule();

    std::unique_ptr<Ui::MainWindow> ui;
    hid_device *device = nullptr;
    std::string devicePath;         // where the open module is listed on the bus
    int productId = 0;
    bool moduleShown = false;
    bool timeoutFlag = false;
    // Set by the transport when hidapi reports a failure: the module is gone.
    bool linkFailed = false;
    QTimer *pollTimer = nullptr;
    QTimer *timeoutTimer = nullptr;
    Hid *hid = nullptr;
    // Page timers: created when a page is enabled, destroyed when disabled.
    std::unique_ptr<QTimer> progressTimer;
    std::unique_ptr<QTimer> measureTimer;
    std::unique_ptr<QTimer> valueTimer;
    quint8 txBuffer[orlo::kFrameBufferSize] = {};
    quint8 rxBuffer[orlo::kFrameBufferSize] = {};

    // Edge selection of the digital-input pages: 0 none, 1 rising, 2 falling, 3 both.
    int edgeState1 = 0;
    int edgeState2 = 0;
};
