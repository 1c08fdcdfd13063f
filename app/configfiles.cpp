#include "app/configfiles.h"

#include "app/journal.h"
#include "link/clockstamp.h"
#include "link/modulelink.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "link/storedread.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <cstring>

namespace {

QString fileFilter()
{
    return ConfigurationFiles::tr("Configurations (*.json);;All files (*)");
}
constexpr int kHighestAddress = 255;    // what an address byte holds; each field has its own range
constexpr int kBusyRetryMs = 100;
constexpr int kWaitingRetryMs = 30000;
const QString kJournalFile = QStringLiteral("journal.csv");

} // namespace

ConfigurationFiles::ConfigurationFiles(QWidget *w, const ConfigurationMenu &m, const ModulePage &p, ModuleLink &l)
    : QObject(w)
    , window(w)
    , menu(m)
    , page(p)
    , link(l)
    , log(std::make_unique<orlo::History>(orlo::History::defaultLocation(),
                                          QStringLiteral("orlo-configurator " ORLO_VERSION)))
    , provisioning(l, *log)
    , series(provisioning.series)
    , historyProblem(new QLabel(p.statusBar))
    , historyWaiting(new QLabel(p.statusBar))
    , waitingRetry(new QTimer(this))
{
    connect(menu.save, &QAction::triggered, this, [this] {
        const orlo::ModuleEntry *module = orlo::findModule(quint16(page.productId()));
        const QString suggested = module ? QString::fromLatin1(module->name) + QStringLiteral(".json") : QString();
        const QString path = QFileDialog::getSaveFileName(window, menu.save->text(), suggested, fileFilter());
        if (!path.isEmpty())
            saveTo(path);
    });
    connect(menu.open, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(window, menu.open->text(), QString(), fileFilter());
        if (!path.isEmpty())
            openFrom(path);
    });
    connect(menu.series, &QAction::toggled, this, [this](bool on) {
        series.restart();
        if (on)
            showSeries();
        else
            page.statusBar->clearMessage();
    });
    connect(menu.numberAddresses, &QAction::triggered, this, [this](bool on) {
        int first = firstAddress;
        QString name;
        const bool chosen = on && askNumbering(first, name);
        numberOwnAddresses(chosen, first, name);
    });
    connect(menu.verify, &QAction::toggled, this, [this](bool on) { provisioning.verify = on; });
    connect(menu.journal, &QAction::triggered, this, [this] { orlo::showJournal(window, *log); });
    connect(menu.exportJournal, &QAction::triggered, this, [this] {
        const QString path = orlo::chooseExportPath(window, kJournalFile);
        if (!path.isEmpty())
            exportJournalTo(path);
    });
    provisioning.verify = menu.verify->isChecked();
    provisioning.refusingButton = [this] {
        QPushButton *write = page.writeButton();
        return write ? write->text() : QString();
    };
    provisioning.rowRecorded = [this](const JournalEntry &row, bool saved) { rowRecorded(row, saved); };
    link.cycleObserver = &provisioning;

    historyProblem->setObjectName(QStringLiteral("label_HistoryProblem"));
    historyProblem->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    page.statusBar->addPermanentWidget(historyProblem);
    historyWaiting->setObjectName(QStringLiteral("label_HistoryWaiting"));
    page.statusBar->addPermanentWidget(historyWaiting);
    connect(waitingRetry, &QTimer::timeout, this, &ConfigurationFiles::sendWaiting);
    if (log->onServer())
        waitingRetry->start(kWaitingRetryMs);
    page.notWrittenLine->hide();
    showHistoryProblem();
    showWaiting();
    updateActions();
}

ConfigurationFiles::~ConfigurationFiles()
{
    if (link.cycleObserver == &provisioning)
        link.cycleObserver = nullptr;
}

bool ConfigurationFiles::saveTo(const QString &path)
{
    const int productId = page.productId();
    if (!productId)
        return false;
    // The frame Write would send, checked as Write checks it; nothing is
    // sent, and a refusal meanwhile is the page's box, not a history row.
    QByteArray kept;
    {
        const QScopedValueRollback<bool> quiet(provisioning.quiet, true);
        const QScopedValueRollback<bool> unsent(link.buildingForFile, true);
        kept = page.configurationFrame();
    }
    if (kept.isEmpty()) {
        QMessageBox::warning(window, menu.save->text(),
                             tr("Nothing was saved: the page sends no configuration yet "
                                            "(its module was not read, or a field is refused)."));
        return false;
    }
    const auto *payload = reinterpret_cast<const quint8 *>(kept.constData());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(orlo::records::documentOf(productId, payload, orlo::currentDateTime())) < 0 || !file.commit()) {
        QMessageBox::warning(window, menu.save->text(),
                             tr("The configuration could not be saved in %1: %2.")
                                 .arg(path, file.errorString()));
        return false;
    }
    useForSeries(path, productId, orlo::records::fieldsOf(productId, payload));
    page.statusBar->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()));
    return true;
}

bool ConfigurationFiles::openFrom(const QString &path)
{
    const int productId = page.productId();
    if (!productId)
        return false;
    QFile file(path);
    orlo::records::Parsed parsed;
    if (!file.open(QIODevice::ReadOnly))
        parsed.problem = file.errorString();
    else if (file.size() > orlo::records::kMaxDocumentBytes)
        parsed.problem = tr("the file is larger than 1 MiB");
    else
        parsed = orlo::records::parseDocument(file.read(orlo::records::kMaxDocumentBytes + 1), productId);
    if (parsed.problem.isEmpty()) {
        // Checked over what the module answered last; laid again over its next answer.
        QByteArray answer = link.storedRead().moduleAnswer();
        answer.resize(orlo::kFrameBufferSize - 1);
        parsed.problem = orlo::records::applyFields(parsed.fields, productId,
                                                    reinterpret_cast<const quint8 *>(answer.constData()))
                             .problem;
    }
    if (!parsed.problem.isEmpty()) {
        QMessageBox::warning(window, menu.open->text(),
                             tr("The configuration in %1 cannot be opened: %2.").arg(path, parsed.problem));
        return false;
    }
    if (!acceptsInputKind(path, parsed.productId, productId))
        return false;
    useForSeries(path, parsed.productId, parsed.fields);
    // The page reads its module afresh and shows the file's record in place
    // of the module's: couplings, lists and kept bytes follow as from a read.
    // An exchange still waiting is answered first, so that its answer is
    // never taken for that read.
    link.whenIdle(this, [this, productId] {
        if (page.productId() != productId)
            return;
        fillNextRead(true);
        page.readAgain();
    });
    return true;
}

bool ConfigurationFiles::askNumbering(int &first, QString &name)
{
    QDialog dialog(window);
    dialog.setObjectName(QStringLiteral("dialog_NumberOwnAddresses"));
    dialog.setWindowTitle(menu.numberAddresses->text().remove(QStringLiteral("…")));
    auto *form = new QFormLayout(&dialog);
    auto *nameEdit = new QLineEdit(seriesName.isEmpty() ? defaultSeriesName() : seriesName, &dialog);
    nameEdit->setObjectName(QStringLiteral("lineEdit_SeriesName"));
    nameEdit->setToolTip(tr("Benches sharing a history server number a series of this name together"));
    form->addRow(tr("Series name:"), nameEdit);
    auto *firstEdit = new QSpinBox(&dialog);
    firstEdit->setObjectName(QStringLiteral("spinBox_FirstAddress"));
    firstEdit->setRange(0, kHighestAddress);
    firstEdit->setValue(first);
    form->addRow(tr("Own address of the series' first module:"), firstEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    const auto allowOk = [ok](const QString &text) { ok->setEnabled(!text.trimmed().isEmpty()); };
    allowOk(nameEdit->text());
    connect(nameEdit, &QLineEdit::textChanged, ok, allowOk);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    first = firstEdit->value();
    name = nameEdit->text().trimmed();
    return true;
}

QString ConfigurationFiles::defaultSeriesName() const
{
    return QFileInfo(series.path()).completeBaseName();
}

void ConfigurationFiles::numberOwnAddresses(bool on, int first, const QString &name)
{
    // The server alone gives a numbered series' addresses: guessed on this
    // bench, one could be another bench's too.
    if (on && log->onServer() && !log->reachServer()) {
        QMessageBox box(QMessageBox::Warning, menu.numberAddresses->text().remove(QStringLiteral("…")),
                        tr("A numbered series takes its own addresses from the history server, which cannot be "
                           "reached: %1. No address is guessed: the series keeps each module's own until the "
                           "server answers.")
                            .arg(log->serverProblem()),
                        QMessageBox::Ok, window);
        box.setObjectName(QStringLiteral("numberingRefused"));
        box.exec();
        showWaiting();
        on = false;
    }
    if (on) {
        firstAddress = first;
        if (!name.trimmed().isEmpty())
            seriesName = name.trimmed();
        series.setName(seriesName.isEmpty() ? defaultSeriesName() : seriesName);
    }
    series.numberFrom(on ? std::optional<int>(first) : std::nullopt);
    const QSignalBlocker quiet(menu.numberAddresses);
    menu.numberAddresses->setChecked(on);
    if (menu.series->isChecked())
        showSeries();
}

void ConfigurationFiles::fillNextRead(bool opened)
{
    const int productId = page.productId();
    const bool counted = menu.series->isChecked();
    link.storedRead().showNextRead([this, productId, opened, counted](quint8 *payload) {
        const orlo::records::Opened filled =
            opened ? series.open(productId, payload, counted) : series.fill(productId, payload);
        if (!filled.problem.isEmpty()) {
            // Said once the read is over: the page shows the module's own.
            QTimer::singleShot(0, this, [this, filled] { notApplied(filled); });
            return false;
        }
        std::memcpy(payload + orlo::records::recordOf(productId).first, filled.record.constData(),
                    size_t(filled.record.size()));
        // Shown once the page shows the values.
        QTimer::singleShot(0, this, [this] { showNotWritten(); });
        return true;
    });
}

void ConfigurationFiles::notApplied(const orlo::records::Opened &opened)
{
    showNotWritten();
    if (opened.outOfAddresses && menu.series->isChecked() && series.sharesAddresses() && !log->reachServer()) {
        // Never a guessed address: the series waits for its server.
        menu.series->setChecked(false);
        QMessageBox::warning(window, menu.series->text(),
                             tr("The series of %1 stops: %2. The page shows the module's own configuration.")
                                 .arg(series.path(), opened.problem));
        return;
    }
    if (opened.outOfAddresses && menu.series->isChecked()) {
        menu.series->setChecked(false);
        QMessageBox::warning(window, menu.series->text(),
                             tr("The series of %1 stops: %2, so no address is left for this module. "
                                            "The page shows the module's own configuration.")
                                 .arg(series.path(), opened.problem));
        return;
    }
    QMessageBox::warning(window, menu.series->isChecked() ? menu.series->text() : menu.open->text(),
                         tr("The configuration in %1 cannot be applied to this module: %2. "
                                        "The page shows the module's own configuration.")
                             .arg(series.path(), opened.problem));
}

bool ConfigurationFiles::acceptsInputKind(const QString &path, int fileProductId, int productId)
{
    const QString different = orlo::differentInputs(path, fileProductId, productId);
    return different.isEmpty()
           || QMessageBox::question(window, menu.open->text(),
                                    different + tr(" Fill the page with it all the same?"),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                  == QMessageBox::Yes;
}

bool ConfigurationFiles::exportJournalTo(const QString &path)
{
    const QDate today = orlo::currentDateTime().date();
    orlo::HistoryFilter todays;
    todays.from = todays.to = today;
    QVector<JournalEntry> rows = log->rows(todays);
    for (const JournalEntry &row : log->unwritten())
        if (row.time.date() != today)
            rows.append(row);
    if (!orlo::exportJournal(window, rows, path))
        return false;
    log->markExported();
    showHistoryProblem();
    return true;
}

bool ConfigurationFiles::mayQuit()
{
    if (!log->hasUnsavedRows())
        return true;
    QMessageBox box(QMessageBox::Warning, menu.journal->text().remove(QStringLiteral("…")),
                    tr("The journal holds %1 row(s) that the history %2 could not keep. "
                                   "Save the journal before quitting?")
                        .arg(log->unwritten().size())
                        .arg(log->location()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window);
    box.setObjectName(QStringLiteral("quitWithUnsavedRows"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: {
        const QString path = orlo::chooseExportPath(window, kJournalFile);
        return !path.isEmpty() && exportJournalTo(path);
    }
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void ConfigurationFiles::modulePlugged(int productId)
{
    series.forgetModule();
    if (menu.series->isChecked() && series.serves(productId)) {
        if (orlo::differentInputs(series.path(), series.fileProductId(), productId).isEmpty())
            fillNextRead(false);
        else
            // Asked once the module's own configuration is shown.
            QTimer::singleShot(0, this, [this, productId] { fillFromSeries(productId); });
        showSeries();
    }
    showNotWritten();
    updateActions();
}

void ConfigurationFiles::fillFromSeries(int productId)
{
    if (page.productId() != productId || !menu.series->isChecked())
        return;
    if (link.busy()) {
        QTimer::singleShot(kBusyRetryMs, this, [this, productId] { fillFromSeries(productId); });
        return;
    }
    if (!acceptsInputKind(series.path(), series.fileProductId(), productId) || page.productId() != productId)
        return;
    fillNextRead(false);
    page.readAgain();
}

void ConfigurationFiles::moduleGone()
{
    series.forgetModule();
    showNotWritten();
    updateActions();
}

void ConfigurationFiles::rowRecorded(const JournalEntry &row, bool saved)
{
    showHistoryProblem();
    showWaiting();
    showNotWritten();
    if (!saved)
        return;
    if (row.result == result::kFailed && !row.remarks.isEmpty())
        page.statusBar->showMessage(row.remarks);
    else if (row.result != result::kInvalid && menu.series->isChecked())
        showSeries();
}

void ConfigurationFiles::useForSeries(const QString &path, int productId, const QJsonObject &fields)
{
    series.setFile(path, productId, fields);
    updateActions();
    if (menu.series->isChecked())
        showSeries();
}

void ConfigurationFiles::showSeries()
{
    if (series.hasFile())
        page.statusBar->showMessage(series.status());
}

void ConfigurationFiles::showNotWritten()
{
    QLabel *line = page.notWrittenLine;
    const bool shown = series.awaitsWrite() && page.productId() != 0;
    if (shown) {
        line->setText(series.notWrittenLine());
        line->setToolTip(series.path());
    }
    line->setVisible(shown);
}

void ConfigurationFiles::retranslate()
{
    if (page.notWrittenLine->isVisible())
        showNotWritten();
    if (historyProblem->isVisible())
        showHistoryProblem();
    if (historyWaiting->isVisible())
        showWaiting();
}

void ConfigurationFiles::showHistoryProblem()
{
    // Said while the history cannot be written, and until the rows it could
    // not keep are saved one way or the other.
    const bool shown = !log->problem().isEmpty() || log->hasUnsavedRows();
    historyProblem->setText(shown ? tr("History not written") : QString());
    historyProblem->setToolTip(log->problem());
    historyProblem->setVisible(shown);
    if (shown && !log->problem().isEmpty())
        page.statusBar->showMessage(tr("Rows kept in memory: %1.").arg(log->problem()));
}

void ConfigurationFiles::showWaiting()
{
    const int rows = log->waiting();
    historyWaiting->setText(rows > 0 ? tr("%n row(s) waiting for the history server", "", rows) : QString());
    historyWaiting->setToolTip(log->serverProblem());
    historyWaiting->setVisible(rows > 0);
}

void ConfigurationFiles::sendWaiting()
{
    // Not during an exchange: a server that is down holds the window for
    // its whole connection timeout.
    if (log->waiting() > 0 && !link.busy())
        log->sendWaiting();
    showWaiting();
}

void ConfigurationFiles::updateActions()
{
    const bool module = page.productId() != 0;
    menu.save->setEnabled(module);
    menu.open->setEnabled(module);
    menu.series->setEnabled(series.hasFile());
    menu.numberAddresses->setEnabled(series.hasFile());
}
