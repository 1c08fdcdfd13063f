// Module detection, every poll tick: open the first module of the family on
// the bus, show its page, and notice when it goes away.
#include "app/mainwindow.h"
#include "app/configfiles.h"
#include "link/modulelink.h"
#include "widgets/writecycle.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace {

// A module of the family is listed but hidraw refused to open it: without
// the udev rule the node belongs to root. Shown once, not at every tick.
void showPermissionHint(QStatusBar *bar, bool show)
{
    const QString hint = MainWindow::tr("Module found, no access: install the udev rule (README), replug it.");
    const bool shown = bar->currentMessage() == hint;
    if (show && !shown)
        bar->showMessage(hint);
    else if (!show && shown)
        bar->clearMessage();
}

QString storedReadFailure()
{
    return MainWindow::tr("The module's configuration could not be read: reading it again...");
}

} // namespace

void MainWindow::Connexion()
{
    // One look at a time, and none while an exchange waits: a module pulled
    // meanwhile fails that exchange, and the next look notices it gone.
    if (moduleLink->busy() || moduleLink->polling())
        return;
    const int previous = moduleLink->productId();
    moduleLink->poll([this, previous](bool refused) { lookedAtBus(previous, refused); });
}

void MainWindow::lookedAtBus(int previous, bool refused)
{
    if (previous == 0)
        showPermissionHint(statusBar(), refused);
    const int productId = moduleLink->productId();
    if (productId != 0) {
        if (!moduleShown) {
            moduleShown = true;
            moduleLink->storedRead().expect();
            files->modulePlugged(productId);
            readingStoredRecord = true;
            enablePageOf(productId, true);
        } else if (moduleLink->storedRead().retryDue(orlo::StoredRead::now()) && !moduleLink->busy()) {
            readStoredAgain();
        }
    } else if (moduleShown) {
        moduleLink->endWait();  // an exchange still waiting ends at once
        moduleShown = false;
        readingStoredRecord = false;
        moduleLink->storedRead().forget();
        moduleLink->forgetTold();
        statusBar()->clearMessage();
        files->moduleGone();
        enablePageOf(previous, false);
        showConnectPage();
    }
}

void MainWindow::readStoredAgain()
{
    // The page starts afresh on the module as if just plugged; detection
    // looks at the bus again once its read is answered.
    readingStoredRecord = true;
    enablePageOf(moduleLink->productId(), false);
    enablePageOf(moduleLink->productId(), true);
}

void MainWindow::linkIdle()
{
    if (quitting) {
        QCoreApplication::exit(0);
        return;
    }
    if (closing) {
        // Not from inside the link's own call: closing may destroy it.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    // The page's read of the stored record is answered: whether it failed
    // shows now.
    if (!readingStoredRecord || !moduleShown)
        return;
    readingStoredRecord = false;
    if (moduleLink->storedRead().failed())
        showStoredReadFailure();
    else if (statusBar()->currentMessage() == storedReadFailure())
        statusBar()->clearMessage();
}

void MainWindow::showStoredReadFailure()
{
    if (!moduleLink->storedRead().failed())
        return;
    if (QLabel *label = controlsOf(moduleLink->productId()).result)
        orlo::showResult(label, result::kFailed);
    statusBar()->showMessage(storedReadFailure());
}

PageFamily *MainWindow::familyOf(int productId) const
{
    const orlo::ModuleEntry *entry = orlo::findModule(quint16(productId));
    if (!entry)
        return nullptr;
    for (PageFamily *family : families)
        if (family->serves(entry->type))
            return family;
    return nullptr;
}

PageFamily::Controls MainWindow::controlsOf(int productId) const
{
    PageFamily *family = familyOf(productId);
    return family ? family->controlsOf(orlo::findModule(quint16(productId))->type) : PageFamily::Controls{};
}

QByteArray MainWindow::configurationFrameOf(int productId) const
{
    PageFamily *family = familyOf(productId);
    return family ? family->configurationFrame(orlo::findModule(quint16(productId))->type) : QByteArray();
}

void MainWindow::enablePageOf(int productId, bool enable)
{
    if (PageFamily *family = familyOf(productId))
        family->enablePage(orlo::findModule(quint16(productId))->type, enable);
}
