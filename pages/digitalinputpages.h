// The digital-input pages: DI, DI_r2x and DI4_r2x, on the input group
// they share with the mirror pages.
#pragma once

#include "pages/input_steps.h"

namespace Ui {
class DigitalInputPages;
}

class DigitalInputPages : public InputPages
{
    Q_OBJECT

public:
    DigitalInputPages(PageShell &shell, QWidget *parent);
    ~DigitalInputPages() override;

protected:
    void retranslateTexts() override;

public slots:
    // Module pages.
    void EnablePageDI(bool enable);
    void SetprogressBarConfigurerDI();
    void EnablePageDI_r2x(bool enable);
    void SetprogressBarConfigurerDI_r2x();
    void EnablePageDI4_r2x(bool enable);
    void SetprogressBarConfigurerDI4_r2x();
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
private:
    // Digital-input pages: DI and DI_r2x given by their module type, and DI4_r2x.
    void enableTwoInputPage(orlo::ModuleType type, bool enable);
    void configureTwoInputPage(orlo::ModuleType type, quint8 command);
    void configureDI4_r2x(quint8 command);
    // The frame of Write (or of the counter reset) built and checked: the
    // cycle that sends it, or none when refused.
    std::optional<WriteCycle> buildTwoInputPage(orlo::ModuleType type, quint8 command);
    std::optional<WriteCycle> buildDI4_r2x(quint8 command);
    // DI4_r2x: radio variant (flags bits 3-5) of the last stored record read,
    // written back unchanged.
    int radioVariantDI4_r2x = 0;

private:
    std::unique_ptr<Ui::DigitalInputPages> ui;
};
