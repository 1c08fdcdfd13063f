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

ORLO_EMPTY_PAGE(EnablePageTM2D_r10, page_ORLO_TM2D_r10)
ORLO_EMPTY_PAGE(EnablePageTH_r10, page_ORLO_TH_r10)
ORLO_EMPTY_PAGE(EnablePageTH_868, page_ORLO_TH_868)
ORLO_EMPTY_PAGE(EnablePageDA, page_ORLO_DA)
ORLO_EMPTY_PAGE(EnablePageDA_r20, page_ORLO_DA_r20)
ORLO_EMPTY_PAGE(EnablePageORLO_RS_r00, page_ORLO_RS_r00)
ORLO_EMPTY_PAGE(EnablePageORLO_RPT_r00, page_ORLO_RPT_r00)
ORLO_EMPTY_PAGE(EnablePageORLO_RSLW_r00, page_ORLO_RSLW_r00)
