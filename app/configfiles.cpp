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
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QTimer>
#include <cstring>

namespace {

const QString kFilter = QStringLiteral("Configurations (*.json);;All files (*)");
constexpr int kHighestAddress = 255;    // what an address byte holds; each field has its own range
constexpr int kBusyRetryMs = 100;

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
        nextAddress = firstAddress;
        filledFromSeries = false;
        if (on)
            showSeries();
        else
            page.statusBar->clearMessage();
    });
    connect(menu.numberAddresses, &QAction::triggered, this, [this](bool on) {
        bool chosen = !on;
        const int first = on ? QInputDialog::getInt(window, menu.numberAddresses->text(),
                                                    QStringLiteral("Own address of the series' first module:"),
                                                    firstAddress, 0, kHighestAddress, 1, &chosen)
                             : 0;
        numberOwnAddresses(on && chosen, first);
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
    if (!productId || orlo::exchangeInProgress())
        return false;
    // The frame Write would send, checked as Write checks it; nothing is sent.
    saving = true;
    const QByteArray kept = page.configurationFrame();
    saving = false;
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
    useForSeries(path, productId, orlo::records::fieldsOf(productId, payload));
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
    orlo::records::Parsed parsed;
    if (!file.open(QIODevice::ReadOnly))
        parsed.problem = file.errorString();
    else if (file.size() > orlo::records::kMaxDocumentBytes)
        parsed.problem = QStringLiteral("the file is larger than 1 MiB");
    else
        parsed = orlo::records::parseDocument(file.read(orlo::records::kMaxDocumentBytes + 1), productId);
    if (parsed.problem.isEmpty()) {
        // Checked over what the module answered last; laid again over its next answer.
        QByteArray answer = page.stored->moduleAnswer();
        answer.resize(orlo::kFrameBufferSize - 1);
        parsed.problem = orlo::records::applyFields(parsed.fields, productId,
                                                    reinterpret_cast<const quint8 *>(answer.constData()))
                             .problem;
    }
    if (!parsed.problem.isEmpty()) {
        QMessageBox::warning(window, menu.open->text(),
                             QStringLiteral("The configuration in %1 cannot be opened: %2.").arg(path, parsed.problem));
        return false;
    }
    if (!acceptsInputKind(path, parsed.productId, productId))
        return false;
    useForSeries(path, parsed.productId, parsed.fields);
    filledFromSeries = menu.series->isChecked();
    writtenInSeries = false;
    numberedThisModule = false;
    // The page reads its module afresh and shows the file's record in place
    // of the module's: couplings, lists and kept bytes follow as from a read.
    // Opened on one module, a file copies its own address too: that is how a
    // failed unit is replaced.
    fillNextRead(path, parsed.fields, productId, {});
    page.readAgain();
    return true;
}

void ConfigurationFiles::numberOwnAddresses(bool on, int first)
{
    numbering = on;
    firstAddress = nextAddress = first;
    const QSignalBlocker quiet(menu.numberAddresses);
    menu.numberAddresses->setChecked(on);
    if (menu.series->isChecked())
        showSeries();
}

void ConfigurationFiles::fillNextRead(const QString &path, const QJsonObject &fields, int productId,
                                      const orlo::records::Copy &copy)
{
    const int first = orlo::records::recordOf(productId).first;
    page.stored->showNextRead([this, path, fields, productId, copy, first](quint8 *payload) {
        const orlo::records::Opened opened = orlo::records::applyFields(fields, productId, payload, copy);
        if (!opened.problem.isEmpty()) {
            // Said once the read is over: the page shows the module's own.
            QTimer::singleShot(0, this, [this, path, opened] { notApplied(path, opened); });
            return false;
        }
        std::memcpy(payload + first, opened.record.constData(), size_t(opened.record.size()));
        numberedThisModule = opened.numbered;
        return true;
    });
}

void ConfigurationFiles::notApplied(const QString &path, const orlo::records::Opened &opened)
{
    filledFromSeries = false;
    if (opened.outOfAddresses && menu.series->isChecked()) {
        menu.series->setChecked(false);
        QMessageBox::warning(window, menu.series->text(),
                             QStringLiteral("The series of %1 stops: %2, so no address is left for this module. "
                                            "The page shows the module's own configuration.")
                                 .arg(path, opened.problem));
        return;
    }
    QMessageBox::warning(window, menu.series->isChecked() ? menu.series->text() : menu.open->text(),
                         QStringLiteral("The configuration in %1 cannot be applied to this module: %2. "
                                        "The page shows the module's own configuration.")
                             .arg(path, opened.problem));
}

bool ConfigurationFiles::acceptsInputKind(const QString &path, int fileProductId, int productId)
{
    const QString file = orlo::records::inputKindOf(fileProductId);
    const QString module = orlo::records::inputKindOf(productId);
    if (file == module)
        return true;
    return QMessageBox::question(window, menu.open->text(),
                                 QStringLiteral("The configuration in %1 was saved from a module with a %2 input; "
                                                "the plugged module has a %3 input. They are different sensors. "
                                                "Fill the page with it all the same?")
                                     .arg(path, file, module),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
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
    writtenInSeries = false;
    numberedThisModule = false;
    filledFromSeries = menu.series->isChecked() && !seriesFields.isEmpty() && sameType(productId, seriesProductId);
    if (filledFromSeries) {
        if (orlo::records::inputKindOf(productId) == orlo::records::inputKindOf(seriesProductId)) {
            fillNextRead(seriesPath, seriesFields, productId, seriesCopy());
        } else {
            // Asked once the module's own configuration is shown.
            filledFromSeries = false;
            QTimer::singleShot(0, this, [this, productId] { fillFromSeries(productId); });
        }
        showSeries();
    }
    updateActions();
}

void ConfigurationFiles::fillFromSeries(int productId)
{
    if (page.productId() != productId || !menu.series->isChecked())
        return;
    if (orlo::exchangeInProgress()) {
        QTimer::singleShot(kBusyRetryMs, this, [this, productId] { fillFromSeries(productId); });
        return;
    }
    if (!acceptsInputKind(seriesPath, seriesProductId, productId) || page.productId() != productId)
        return;
    filledFromSeries = true;
    fillNextRead(seriesPath, seriesFields, productId, seriesCopy());
    page.readAgain();
}

orlo::records::Copy ConfigurationFiles::seriesCopy() const
{
    using Own = orlo::records::Copy::Own;
    return numbering ? orlo::records::Copy{Own::Numbered, nextAddress} : orlo::records::Copy{Own::Kept, 0};
}

void ConfigurationFiles::moduleGone()
{
    filledFromSeries = false;
    updateActions();
}

bool ConfigurationFiles::finished(const CycleLink &link, const quint8 *sent, const CycleRun &run, bool accepted)
{
    JournalEntry entry = entryNow();
    entry.button = run.button;
    const bool record = sendsRecord(sent[0]);
    if (record)
        entry.configuration = orlo::records::readable(entry.productId, sent);
    if (accepted && record && menu.verify->isChecked())
        accepted = readBack(link, sent, run.reports, &entry.remarks);
    entry.result = !accepted ? result::kFailed : record && menu.verify->isChecked() ? result::kVerified : result::kOk;
    if (accepted && record && filledFromSeries && menu.series->isChecked() && !writtenInSeries) {
        writtenInSeries = true;
        ++seriesWritten;
        if (numberedThisModule)
            ++nextAddress;
    }
    log.append(entry);
    if (accepted && filledFromSeries && menu.series->isChecked())
        showSeries();
    return accepted;
}

void ConfigurationFiles::refused(const QStringList &lines)
{
    if (saving)
        return;
    JournalEntry entry = entryNow();
    if (QPushButton *write = page.writeButton())
        entry.button = write->text();
    entry.result = result::kInvalid;
    entry.remarks = lines.join(QString()).trimmed();
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

void ConfigurationFiles::useForSeries(const QString &path, int productId, const QJsonObject &fields)
{
    if (QFileInfo(path).fileName() != QFileInfo(seriesPath).fileName() || !sameType(productId, seriesProductId))
        seriesWritten = 0;
    seriesPath = path;
    seriesProductId = productId;
    seriesFields = fields;
    updateActions();
    if (menu.series->isChecked())
        showSeries();
}

void ConfigurationFiles::showSeries()
{
    if (seriesFields.isEmpty())
        return;
    QString text = QStringLiteral("Series: %1, %2 written").arg(QFileInfo(seriesPath).fileName()).arg(seriesWritten);
    if (numbering)
        text += QStringLiteral(", next address %1").arg(nextAddress);
    page.statusBar->showMessage(text);
}

void ConfigurationFiles::updateActions()
{
    const bool module = page.productId() != 0;
    menu.save->setEnabled(module);
    menu.open->setEnabled(module);
    menu.series->setEnabled(!seriesFields.isEmpty());
    menu.numberAddresses->setEnabled(!seriesFields.isEmpty());
}
