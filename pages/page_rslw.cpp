// LoRaWAN serial page: the page widget does the work; the main window starts
// it with its link and stops it when the module is gone.
#include "app/mainwindow.h"
#include "ui_mainwindow.h"
#include "widgets/wmorlorslw.h"

void MainWindow::EnablePageORLO_RSLW_r00(bool enable)
{
    if (!enable) {
        ui->widget_orlo_rslw_r00->stop();
        return;
    }
    showModulePage(ui->page_ORLO_RSLW_r00);
    ui->widget_orlo_rslw_r00->start(link, statusBar());
}
