// Temperature pages (TM, TM_r20, TM_868).
#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::EnablePageTM(bool enable)
{
    if (enable)
        showModulePage(ui->page_ORLO_TM);
}
void MainWindow::SetprogressBarConfigurerTM() {}
void MainWindow::TemperatureMeasurementTM() {}
void MainWindow::EnablePageTM_r20(bool enable)
{
    if (enable)
        showModulePage(ui->page_ORLO_TM_r20);
}
void MainWindow::SetprogressBarConfigurerTM_r20() {}
void MainWindow::TemperatureMeasurementTM_r20() {}
void MainWindow::EnablePageTM_868(bool enable)
{
    if (enable)
        showModulePage(ui->page_ORLO_TM_868);
}
void MainWindow::SetprogressBarConfigurerTM_868() {}
void MainWindow::TemperatureMeasurementTM_868() {}
