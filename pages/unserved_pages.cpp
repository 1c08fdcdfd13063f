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
ORLO_EMPTY_PAGE(EnablePageIOD_PS_r20, page_IOD_PS_r20)
ORLO_EMPTY_PAGE(EnablePageORLO_DIO_LoRa, page_ORLO_DIO_LoRa)
