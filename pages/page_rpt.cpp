// Repeater page: the page widget does the work; the main window starts it
// with its link and stops it when the module is gone.
#include "app/mainwindow.h"
#include "ui_mainwindow.h"
#include "widgets/wmorlorpt.h"

void MainWindow::EnablePageORLO_RPT_r00(bool enable)
{
    if (!enable) {
        // The handle is closed now, and may be another module's at the next
        // plug: the page must not reach it.
        ui->widget_orlo_rpt_r00->stop();
        return;
    }
    showModulePage(ui->page_ORLO_RPT_r00);
    ui->widget_orlo_rpt_r00->start(link, statusBar());
}
