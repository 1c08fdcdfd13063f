// Module detection, every poll tick: open the first module of the family on
// the bus, show its page, and notice when it goes away.
#include "app/mainwindow.h"
#include "app/configfiles.h"
#include "link/hid.h"
#include "link/transport.h"
#include "ui_mainwindow.h"
#include "widgets/wmorlorpt.h"
#include "widgets/wmorlorslw.h"

#include <QLabel>
#include <QStatusBar>
#include <cwchar>
#include <hidapi/hidapi.h>

namespace {

constexpr size_t kStringLength = 255;

// hidraw keeps answering the strings after an unplug, so they prove the
// maker only; presence is checked against the bus listing.
bool fromMaker(hid_device *device)
{
    wchar_t manufacturer[kStringLength] = {};
    wchar_t serial[kStringLength] = {};
    if (hid_get_manufacturer_string(device, manufacturer, kStringLength) != 0)
        return false;
    if (hid_get_serial_number_string(device, serial, kStringLength) != 0)
        return false;
    manufacturer[kStringLength - 1] = serial[kStringLength - 1] = L'\0';
    return std::wcscmp(manufacturer, orlo::kManufacturer) == 0 && std::wcscmp(serial, orlo::kSerialNumber) == 0;
}

const hid_device_info *listed(const hid_device_info *bus, unsigned short productId)
{
    for (const hid_device_info *d = bus; d; d = d->next)
        if (d->product_id == productId && d->path)
            return d;
    return nullptr;
}

// Still on the bus where it was opened, as the same type of module.
bool listedAt(const hid_device_info *bus, const std::string &path, int productId)
{
    for (const hid_device_info *d = bus; d; d = d->next)
        if (d->path && path == d->path)
            return d->product_id == productId;
    return false;
}

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

struct Enumeration {
    hid_device_info *list = hid_enumerate(orlo::kVendorId, 0);
    ~Enumeration() { hid_free_enumeration(list); }
};

} // namespace

void MainWindow::Connexion()
{
    const int previous = productId;
    {
        // One bus listing per tick serves both the search and the presence check.
        const Enumeration bus;
        if (productId == 0) {
            bool refused = false;
            const bool opened = openFirstModule(bus.list, &refused);
            showPermissionHint(statusBar(), !opened && refused);
        } else if (moduleShown) {
            // Gone only when no longer listed or no longer the maker's; a
            // failed exchange on a listed module leaves its page as it is.
            if (!listedAt(bus.list, devicePath, productId))
                closeModule();
            else {
                reopenAfterFailure();
                if (device && !fromMaker(device))
                    closeModule();
            }
        }
    }

    if (productId != 0) {
        if (!moduleShown) {
            moduleShown = true;
            hid->storedRead().expect();
            files->modulePlugged(productId);
            enablePageOf(productId, true);
            showStoredReadFailure();
        } else if (hid->storedRead().retryDue(orlo::StoredRead::now()) && !orlo::exchangeInProgress()) {
            readStoredAgain();
        }
    } else if (moduleShown) {
        timeoutFlag = true;  // an exchange still waiting ends at once
        moduleShown = false;
        hid->storedRead().forget();
        hid->moduleInformation.clear();
        statusBar()->clearMessage();
        files->moduleGone();
        enablePageOf(previous, false);
        showConnectPage();
    }
}

bool MainWindow::openFirstModule(const hid_device_info *bus, bool *refused)
{
    for (const orlo::ModuleEntry &entry : orlo::kModules) {
        const hid_device_info *found = listed(bus, entry.productId);
        if (!found)
            continue;
        hid_device *candidate = hid_open_path(found->path);
        if (!candidate) {
            *refused = true;
            continue;
        }
        // Another product on the same vendor identifier is closed at once:
        // it never receives a frame.
        if (!fromMaker(candidate)) {
            hid_close(candidate);
            continue;
        }
        device = candidate;
        devicePath = found->path;
        productId = entry.productId;
        linkFailed = false;
        hid->takeFailure();
        return true;
    }
    return false;
}

void MainWindow::reopenAfterFailure()
{
    const bool failed = hid->takeFailure() || linkFailed;
    // A read turning the event loop may still hold the handle: next tick.
    if (!failed || orlo::exchangeInProgress()) {
        linkFailed = failed;
        return;
    }
    // A handle left dead by a quick unplug and replug heals here; the page
    // and what the user entered on it stay.
    if (device)
        hid_close(device);
    device = hid_open_path(devicePath.c_str());
    linkFailed = device == nullptr;
}

void MainWindow::closeModule()
{
    if (device)
        hid_close(device);
    device = nullptr;
    devicePath.clear();
    productId = 0;
}

void MainWindow::readStoredAgain()
{
    // The page starts afresh on the module as if just plugged, its read
    // turning the event loop: detection waits meanwhile, so the page cannot
    // be taken away under its own read.
    pollTimer->stop();
    enablePageOf(productId, false);
    enablePageOf(productId, true);
    pollTimer->start();
    if (hid->storedRead().failed())
        showStoredReadFailure();
    else if (statusBar()->currentMessage() == kStoredReadFailure)
        statusBar()->clearMessage();
}

void MainWindow::showStoredReadFailure()
{
    if (!hid->storedRead().failed())
        return;
    if (QLabel *label = configureControlsOf(productId).result)
        label->setText(result::kFailed);
    statusBar()->showMessage(kStoredReadFailure);
}

bool MainWindow::mayConfigure() const
{
    return hid->mayConfigure();
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

QString MainWindow::moduleIdentity() const
{
    wchar_t serial[kStringLength] = {};
    QString identity;
    if (device && hid_get_serial_number_string(device, serial, kStringLength) == 0) {
        serial[kStringLength - 1] = L'\0';
        identity = QStringLiteral("USB serial %1").arg(QString::fromWCharArray(serial));
    }
    if (!hid->moduleInformation.isEmpty())
        identity += (identity.isEmpty() ? QString() : QStringLiteral("; ")) + hid->moduleInformation;
    return identity;
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
