// The mirror pages: DI2_868_r_10, IOD_PS_r20 and ORLO_DIO_LoRa, one
// implementation given each page's description.
#pragma once

#include "pages/input_steps.h"

namespace mirrorpage {
struct MirrorPage;
}

namespace Ui {
class MirrorPages;
}

class MirrorPages : public InputPages
{
    Q_OBJECT

public:
    MirrorPages(PageShell &shell, QWidget *parent);
    ~MirrorPages() override;

protected:
    void retranslateTexts() override;

public slots:
    void EnablePageDI2_868_r_10(bool enable);
    void EnablePageIOD_PS_r20(bool enable);
    void EnablePageORLO_DIO_LoRa(bool enable);
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
    // Mirror pages: the shared steps, given the page's description.
    void enableMirrorPage(const mirrorpage::MirrorPage &page, bool enable);
    void configureMirror(const mirrorpage::MirrorPage &page);
    // Write's frame built and checked: the cycle that sends it, or none when refused.
    std::optional<WriteCycle> buildMirror(const mirrorpage::MirrorPage &page);
    void restoreMirrorDefaults(const mirrorpage::MirrorPage &page);

private:
    std::unique_ptr<Ui::MirrorPages> ui;
};
