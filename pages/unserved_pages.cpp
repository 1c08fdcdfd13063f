// Module types whose configuration page is not served yet: detection still
// shows their (empty) page so the user sees the module was recognised.
#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#define ORLO_EMPTY_PAGE(slot, page)        \
    void MainWindow::slot(bool enable)     \
    {                                      \
        if (enable)                        \
            showModulePage(ui->page);      \
    }

ORLO_EMPTY_PAGE(EnablePageDI2_868_r_10, page_DI2_868_r_10)
ORLO_EMPTY_PAGE(EnablePageDA, page_ORLO_DA)
ORLO_EMPTY_PAGE(EnablePageDA_r20, page_ORLO_DA_r20)
ORLO_EMPTY_PAGE(EnablePageIOD_PS_r20, page_IOD_PS_r20)
ORLO_EMPTY_PAGE(EnablePageORLO_DIO_LoRa, page_ORLO_DIO_LoRa)
ORLO_EMPTY_PAGE(EnablePageORLO_RS_r00, page_ORLO_RS_r00)
ORLO_EMPTY_PAGE(EnablePageORLO_RPT_r00, page_ORLO_RPT_r00)
ORLO_EMPTY_PAGE(EnablePageORLO_RSLW_r00, page_ORLO_RSLW_r00)
