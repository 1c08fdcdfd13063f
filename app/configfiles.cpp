#include "app/configfiles.h"

#include "link/clockstamp.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "link/storedread.h"
#include "link/transport.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <cstring>

namespace {

const QString kFilter = QStringLiteral("Configurations (*.json);;All files (*)");
const QString kVerified = QStringLiteral("OK, verified");

bool sameType(int a, int b)
{
    const orlo::ModuleEntry *x = orlo::findModule(quint16(a));
    const orlo::ModuleEntry *y = orlo::findModule(quint16(b));
    return x && y && x->type == y->type;
}

bool sendsRecord(quint8 command)
{
    return command == orlo::command::WriteConfiguration || command == orlo::command::WriteAndClearCounters;
}

} // namespace

ConfigurationFiles::ConfigurationFiles(QWidget *w, const ConfigurationMenu &m, const ModulePage &p)
    : QObject(w)
    , window(w)
    , menu(m)
    , page(p)
{
    connect(menu.save, &QAction::triggered, this, [this] {
        const orlo::ModuleEntry *module = orlo::findModule(quint16(page.productId()));
        const QString suggested = module ? QString::fromLatin1(module->name) + QStringLiteral(".json") : QString();
        const QString path = QFileDialog::getSaveFileName(window, menu.save->text(), suggested, kFilter);
        if (!path.isEmpty())
            saveTo(path);
    });
    connect(menu.open, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(window, menu.open->text(), QString(), kFilter);
        if (!path.isEmpty())
            openFrom(path);
    });
    connect(menu.series, &QAction::toggled, this, [this](bool on) {
        seriesWritten = 0;
        filledFromSeries = false;
        if (on)
            showSeries();
        else
            page.statusBar->clearMessage();
    });
    connect(menu.journal, &QAction::triggered, this, [this] { orlo::showJournal(window, log); });
    connect(menu.exportJournal, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getSaveFileName(window, menu.exportJournal->text(), QString(),
                                                          QStringLiteral("CSV (*.csv);;All files (*)"));
        if (!path.isEmpty())
            exportJournalTo(path);
    });
    orlo::setCycleObserver(this);
    updateActions();
}

ConfigurationFiles::~ConfigurationFiles()
{
    orlo::removeCycleObserver(this);
}

bool ConfigurationFiles::saveTo(const QString &path)
{
    const int productId = page.productId();
    QPushButton *write = productId ? page.writeButton() : nullptr;
    if (!write || orlo::exchangeInProgress())
        return false;
    // Write builds its frame as ever; the cycle hands it here and sends
    // nothing. The button may be greyed only until the page's next live
    // reading after a write: its slot still checks all it must.
    kept.clear();
    keeping = true;
    emit write->clicked(false);
    keeping = false;
    if (kept.isEmpty()) {
        QMessageBox::warning(window, menu.save->text(),
                             QStringLiteral("Nothing was saved: the page sends no configuration yet "
                                            "(its module was not read, or a field is refused)."));
        return false;
    }
    const auto *payload = reinterpret_cast<const quint8 *>(kept.constData());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(orlo::records::documentOf(productId, payload, orlo::currentDateTime())) < 0 || !file.commit()) {
        QMessageBox::warning(window, menu.save->text(),
                             QStringLiteral("The configuration could not be saved in %1: %2.")
                                 .arg(path, file.errorString()));
        return false;
    }
    const orlo::records::Record r = orlo::records::recordOf(productId);
    useForSeries(path, productId, kept.mid(r.first, r.end - r.first));
    page.statusBar->showMessage(QStringLiteral("Saved %1").arg(QFileInfo(path).fileName()));
    return true;
}

bool ConfigurationFiles::openFrom(const QString &path)
{
    const int productId = page.productId();
    if (!productId)
        return false;
    if (orlo::exchangeInProgress()) {
        QMessageBox::information(window, menu.open->text(),
                                 QStringLiteral("The module is busy with an exchange: "
                                                "open the file again in a moment."));
        return false;
    }
    QFile file(path);
    orlo::records::Opened opened;
    if (!file.open(QIODevice::ReadOnly))
        opened.problem = file.errorString();
    else if (file.size() > orlo::records::kMaxDocumentBytes)
        opened.problem = QStringLiteral("the file is larger than 1 MiB");
    else
        opened = orlo::records::openDocument(file.read(orlo::records::kMaxDocumentBytes + 1), productId);
    if (!opened.problem.isEmpty()) {
        QMessageBox::warning(window, menu.open->text(),
                             QStringLiteral("The configuration in %1 cannot be opened: %2.").arg(path, opened.problem));
        return false;
    }
    useForSeries(path, productId, opened.record);
    filledFromSeries = menu.series->isChecked();
    writtenInSeries = false;
    // The page reads its module afresh and shows the file's record in place
    // of the module's: couplings, lists and kept bytes follow as from a read.
    page.stored->showNextRead(opened.record, orlo::records::configurationMask(productId),
                              orlo::records::recordOf(productId).first);
    page.readAgain();
    return true;
}

bool ConfigurationFiles::exportJournalTo(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(log.csv()) < 0 || !file.commit()) {
        QMessageBox::warning(window, menu.exportJournal->text(),
                             QStringLiteral("The journal could not be saved in %1: %2.").arg(path, file.errorString()));
        return false;
    }
    return true;
}

void ConfigurationFiles::modulePlugged(int productId)
{
    filledFromSeries = menu.series->isChecked() && !seriesRecord.isEmpty() && sameType(productId, seriesProductId);
    writtenInSeries = false;
    if (filledFromSeries) {
        page.stored->showNextRead(seriesRecord, orlo::records::configurationMask(productId),
                                  orlo::records::recordOf(productId).first);
        showSeries();
    }
    updateActions();
}

void ConfigurationFiles::moduleGone()
{
    filledFromSeries = false;
    updateActions();
}

bool ConfigurationFiles::keepsFrame(const quint8 *payload, int reports)
{
    if (!keeping)
        return false;
    kept = QByteArray(reinterpret_cast<const char *>(payload), orlo::kReportPayload * reports);
    return true;
}

bool ConfigurationFiles::finished(const CycleLink &link, const quint8 *sent, const WriteCycle &cycle, bool accepted)
{
    JournalEntry entry = entryNow();
    entry.button = cycle.button->text();
    const bool record = sendsRecord(sent[0]);
    if (record)
        entry.configuration = orlo::records::readable(entry.productId, sent);
    if (accepted && record && menu.verify->isChecked())
        accepted = readBack(link, sent, cycle.reports, &entry.remarks);
    entry.result = !accepted ? result::kFailed : record && menu.verify->isChecked() ? kVerified : result::kOk;
    if (accepted && record && filledFromSeries && menu.series->isChecked() && !writtenInSeries) {
        writtenInSeries = true;
        ++seriesWritten;
    }
    log.append(entry);
    if (accepted && filledFromSeries && menu.series->isChecked())
        showSeries();
    return accepted;
}

void ConfigurationFiles::refused(const QStringList &lines)
{
    if (keeping)
        return;
    JournalEntry entry = entryNow();
    if (QPushButton *write = page.writeButton())
        entry.button = write->text();
    entry.result = result::kInvalid;
    entry.remarks = lines.join(QString()).trimmed();
    log.append(entry);
}

void ConfigurationFiles::restoredDefaults(const QPushButton *button, bool accepted)
{
    JournalEntry entry = entryNow();
    entry.button = button->text();
    entry.result = accepted ? result::kOk : result::kFailed;
    log.append(entry);
}

bool ConfigurationFiles::readBack(const CycleLink &link, const quint8 *sent, int reports, QString *remarks)
{
    quint8 frame[orlo::kFrameBufferSize] = {};
    const int whole = orlo::kReportSize * reports;
    frame[1] = orlo::command::ReadConfiguration;
    bool read = link.write(frame, quint8(reports)) == whole;
    if (read) {
        std::memset(frame, 0, sizeof frame);
        read = link.read(frame, quint8(reports), 1) == whole;
    }
    const QStringList differing =
        read ? orlo::records::differingFields(page.productId(), sent, frame + 1) : QStringList();
    if (read && differing.isEmpty())
        return true;
    *remarks = read ? QStringLiteral("Stored otherwise than written: %1").arg(differing.join(QStringLiteral(", ")))
                    : QStringLiteral("The configuration written could not be read back");
    page.statusBar->showMessage(*remarks);
    return false;
}

JournalEntry ConfigurationFiles::entryNow() const
{
    JournalEntry entry;
    entry.time = orlo::currentDateTime();
    entry.productId = page.productId();
    const orlo::ModuleEntry *module = orlo::findModule(quint16(entry.productId));
    entry.moduleType = module ? QString::fromLatin1(module->name) : QString();
    entry.module = page.identity();
    return entry;
}

void ConfigurationFiles::useForSeries(const QString &path, int productId, const QByteArray &record)
{
    const QString name = QFileInfo(path).fileName();
    if (name != seriesName || !sameType(productId, seriesProductId))
        seriesWritten = 0;
    seriesName = name;
    seriesProductId = productId;
    seriesRecord = record;
    updateActions();
    if (menu.series->isChecked())
        showSeries();
}

void ConfigurationFiles::showSeries()
{
    if (!seriesRecord.isEmpty())
        page.statusBar->showMessage(QStringLiteral("Series: %1, %2 written").arg(seriesName).arg(seriesWritten));
}

void ConfigurationFiles::updateActions()
{
    const bool module = page.productId() != 0;
    menu.save->setEnabled(module);
    menu.open->setEnabled(module);
    menu.series->setEnabled(!seriesRecord.isEmpty());
}
