// Digital-input pages (DI, DI_r2x, DI4_r2x).
#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::EnablePageDI(bool enable)
{
    if (enable)
        showModulePage(ui->page_ORLO_DI);
}
void MainWindow::SetprogressBarConfigurerDI() {}
void MainWindow::EnablePageDI_r2x(bool enable)
{
    if (enable)
        showModulePage(ui->page_ORLO_DI_r2x);
}
void MainWindow::SetprogressBarConfigurerDI_r2x() {}
void MainWindow::EnablePageDI4_r2x(bool enable)
{
    if (enable)
        showModulePage(ui->page_ORLO_DI4_r2x);
}
void MainWindow::SetprogressBarConfigurerDI4_r2x() {}
