// Module detection, every poll tick: open the first module of the family on
// the bus, show its page, and notice when it goes away.
#include "app/mainwindow.h"
#include "app/configfiles.h"
#include "link/modulelink.h"
#include "link/transport.h"
#include "ui_mainwindow.h"
#include "widgets/wmorlorpt.h"
#include "widgets/wmorlorslw.h"

#include <QLabel>
#include <QStatusBar>

namespace {

// A module of the family is listed but hidraw refused to open it: without
// the udev rule the node belongs to root. Shown once, not at every tick.
void showPermissionHint(QStatusBar *bar, bool show)
{
    static const QString hint = QStringLiteral(
        "Module found, no access: install the udev rule (README), replug it.");
    const bool shown = bar->currentMessage() == hint;
    if (show && !shown)
        bar->showMessage(hint);
    else if (!show && shown)
        bar->clearMessage();
}

const QString kStoredReadFailure = QStringLiteral(
    "The module's configuration could not be read: reading it again...");

} // namespace

void MainWindow::Connexion()
{
    const int previous = link->productId();
    const bool refused = link->poll();
    if (previous == 0)
        showPermissionHint(statusBar(), refused);
    const int productId = link->productId();
    if (productId != 0) {
        if (!moduleShown) {
            moduleShown = true;
            link->storedRead().expect();
            files->modulePlugged(productId);
            enablePageOf(productId, true);
            showStoredReadFailure();
        } else if (link->storedRead().retryDue(orlo::StoredRead::now()) && !orlo::exchangeInProgress()) {
            readStoredAgain();
        }
    } else if (moduleShown) {
        link->endWait();  // an exchange still waiting ends at once
        moduleShown = false;
        link->storedRead().forget();
        link->moduleInformation.clear();
        link->information.reset();
        statusBar()->clearMessage();
        files->moduleGone();
        enablePageOf(previous, false);
        showConnectPage();
    }
}

void MainWindow::readStoredAgain()
{
    // The page starts afresh on the module as if just plugged, its read
    // turning the event loop: detection waits meanwhile, so the page cannot
    // be taken away under its own read.
    pollTimer->stop();
    enablePageOf(link->productId(), false);
    enablePageOf(link->productId(), true);
    pollTimer->start();
    if (link->storedRead().failed())
        showStoredReadFailure();
    else if (statusBar()->currentMessage() == kStoredReadFailure)
        statusBar()->clearMessage();
}

void MainWindow::showStoredReadFailure()
{
    if (!link->storedRead().failed())
        return;
    if (QLabel *label = configureControlsOf(link->productId()).result)
        label->setText(result::kFailed);
    statusBar()->showMessage(kStoredReadFailure);
}

bool MainWindow::mayConfigure() const
{
    return link->mayConfigure();
}

MainWindow::ConfigureControls MainWindow::configureControlsOf(int id) const
{
    using T = orlo::ModuleType;
    const orlo::ModuleEntry *entry = orlo::findModule(quint16(id));
    if (!entry)
        return {};
    switch (entry->type) {
    case T::TM: return {ui->label_Resultat_configurer_TM, ui->pushButton_Configurer_TM};
    case T::TM_r20: return {ui->label_Resultat_configurer_TM_r20, ui->pushButton_Configurer_TM_r20};
    case T::TM_868: return {ui->label_Resultat_configurer_TM_868, ui->pushButton_Configurer_TM_868};
    case T::TM2D_r10: return {ui->label_Resultat_configurer_TM2D_r10, ui->pushButton_Configurer_TM2D_r10};
    case T::TH_r10: return {ui->label_Resultat_configurer_TH_r10, ui->pushButton_Configurer_TH_r10};
    case T::TH_868: return {ui->label_Resultat_configurer_TH_868, ui->pushButton_Configurer_TH_868};
    case T::DI: return {ui->label_Resultat_configurer_DI, ui->pushButton_Configurer_DI};
    case T::DI_r2x: return {ui->label_Resultat_configurer_DI_r2x, ui->pushButton_Configurer_DI_r2x};
    case T::DI4_r2x: return {ui->label_Resultat_configurer_DI4_r2x, ui->pushButton_Configurer_DI4_r2x};
    case T::DI2_868_r_10:
        return {ui->label_Resultat_configurer_DI2_868_r_10, ui->pushButton_Configurer_DI2_868_r_10};
    case T::DA: return {ui->label_Resultat_configurer_DA, ui->pushButton_Configurer_DA};
    case T::DA_r20: return {ui->label_Resultat_configurer_DA_r20, ui->pushButton_Configurer_DA_r20};
    case T::IOD_PS_r20: return {ui->label_Resultat_configurer_IOD_PS_r20, ui->pushButton_Configurer_IOD_PS_r20};
    case T::DIO_LoRa:
        return {ui->label_Resultat_configurer_ORLO_DIO_LoRa, ui->pushButton_Configurer_ORLO_DIO_LoRa};
    case T::RS_r00: return {ui->label_Resultat_configurer_ORLO_RS_r00, ui->pushButton_Configurer_ORLO_RS_r00};
    case T::RPT_r00:
        return {ui->widget_orlo_rpt_r00->resultLabel(), ui->widget_orlo_rpt_r00->writeButton()};
    case T::RSLW_r00:
        return {ui->widget_orlo_rslw_r00->resultLabel(), ui->widget_orlo_rslw_r00->writeButton()};
    }
    return {};
}

void MainWindow::enablePageOf(int id, bool enable)
{
    using Slot = void (MainWindow::*)(bool);
    using T = orlo::ModuleType;
    const orlo::ModuleEntry *entry = orlo::findModule(quint16(id));
    if (!entry)
        return;
    Slot slot = nullptr;
    switch (entry->type) {
    case T::TM: slot = &MainWindow::EnablePageTM; break;
    case T::TM_r20: slot = &MainWindow::EnablePageTM_r20; break;
    case T::TM_868: slot = &MainWindow::EnablePageTM_868; break;
    case T::TM2D_r10: slot = &MainWindow::EnablePageTM2D_r10; break;
    case T::TH_r10: slot = &MainWindow::EnablePageTH_r10; break;
    case T::TH_868: slot = &MainWindow::EnablePageTH_868; break;
    case T::DI: slot = &MainWindow::EnablePageDI; break;
    case T::DI_r2x: slot = &MainWindow::EnablePageDI_r2x; break;
    case T::DI4_r2x: slot = &MainWindow::EnablePageDI4_r2x; break;
    case T::DI2_868_r_10: slot = &MainWindow::EnablePageDI2_868_r_10; break;
    case T::DA: slot = &MainWindow::EnablePageDA; break;
    case T::IOD_PS_r20: slot = &MainWindow::EnablePageIOD_PS_r20; break;
    case T::DIO_LoRa: slot = &MainWindow::EnablePageORLO_DIO_LoRa; break;
    case T::RS_r00: slot = &MainWindow::EnablePageORLO_RS_r00; break;
    case T::RPT_r00: slot = &MainWindow::EnablePageORLO_RPT_r00; break;
    case T::RSLW_r00: slot = &MainWindow::EnablePageORLO_RSLW_r00; break;
    case T::DA_r20: slot = &MainWindow::EnablePageDA_r20; break;
    }
    if (slot)
        (this->*slot)(enable);
}
