#include "wmorlorpt.h"
#include "ui_wmorlorpt.h"

#include "link/frames/rpt_frame.h"
#include "link/modulelink.h"
#include "link/trace.h"
#include "widgets/formtexts.h"

#include <QEvent>
#include <QMessageBox>
#include <QStatusBar>
#include <cstdio>

namespace rpt = orlo::rpt;
namespace page = orlo::widgetpage;

namespace {

constexpr int kInformationDelayMs = 3500;
constexpr int kInformationSoonMs = 1;
constexpr int kIdentifierByteMax = 255;
// The radio widget's address rows are hidden on this page.
constexpr int kUnusedModem = 0;
constexpr int kUnusedRemote = 255;

const QString kPlainStyle = QStringLiteral("font: 8pt \"MS Shell Dlg 2\";");
const QString kDuplicateStyle = QStringLiteral("background-color: orange; font: 8pt \"MS Shell Dlg 2\";");

} // namespace

WmOrloRpt::WmOrloRpt(QWidget *parent)
    : QWidget(parent)
    , form(std::make_unique<Ui::WmOrloRpt>())
    , progressTimer(new QTimer(this))
{
    form->setupUi(this);
    formTexts = std::make_unique<orlo::FormTexts>(QList<QWidget *>{this}, [this] { form->retranslateUi(this); });
    form->widget_radioParameter->setFieldsHidden(true, true);
    form->widget_radioParameter->setBaudList4(true);
    connect(progressTimer, &QTimer::timeout, this, &WmOrloRpt::SetprogressBarConfigurer);
    connect(&informationTimer, &QTimer::timeout, this, &WmOrloRpt::Update);
}

WmOrloRpt::~WmOrloRpt() = default;

void WmOrloRpt::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        formTexts->retranslate();
        if (duplicateWarning)
            duplicateWarning->setText(tr("Several ORLO has the same LSB!"));
    }
    QWidget::changeEvent(event);
}

void WmOrloRpt::start(ModuleLink *hid, QStatusBar *bar)
{
    link = hid;
    statusBar = bar;
    form->label_Resultat_configurer_ORLO_RPT_r00->clear();
    readConfiguration([this] {
        informationTimer.start(kInformationDelayMs);
        // A record from a file is checked against the gateway: its information
        // is asked once this read is over rather than at the timer's tick.
        if (informationNeeded())
            Update();
    });
}

bool WmOrloRpt::informationNeeded() const
{
    return link && link->storedRead().filledFromFile() && !link->information;
}

QLabel *WmOrloRpt::resultLabel() const
{
    return form->label_Resultat_configurer_ORLO_RPT_r00;
}

QPushButton *WmOrloRpt::writeButton() const
{
    return form->pushButton_Configurer_ORLO_RPT_r00;
}

void WmOrloRpt::stop()
{
    link = nullptr;
    statusBar = nullptr;
    informationTimer.stop();
    progressTimer->stop();
}

QSpinBox *WmOrloRpt::identifierBox(int module, int byte) const
{
    QSpinBox *const boxes[rpt::kModules][rpt::kIdentifierSize] = {
        {form->spinBox_id10, form->spinBox_id11, form->spinBox_id12, form->spinBox_id13},
        {form->spinBox_id20, form->spinBox_id21, form->spinBox_id22, form->spinBox_id23},
        {form->spinBox_id30, form->spinBox_id31, form->spinBox_id32, form->spinBox_id33},
        {form->spinBox_id40, form->spinBox_id41, form->spinBox_id42, form->spinBox_id43},
        {form->spinBox_id50, form->spinBox_id51, form->spinBox_id52, form->spinBox_id53},
        {form->spinBox_id60, form->spinBox_id61, form->spinBox_id62, form->spinBox_id63},
    };
    return boxes[module][byte];
}

void WmOrloRpt::resetHighlight()
{
    for (int m = 0; m < rpt::kModules; ++m)
        identifierBox(m, rpt::kLeastSignificant)->setStyleSheet(kPlainStyle);
}

void WmOrloRpt::readConfiguration(std::function<void()> then)
{
    if (!link)
        return;
    orlo::trace("*** Lecture de la configuration ORLO-GW ***\n");
    page::readStored(*link, frame, [this, then](bool) {
        // The module went while it was read: the page waits for the next start.
        if (!link)
            return;
        const rpt::Record record = rpt::decode(frame.payload());

        if (record.sf8) {
            // The Sigfox mode starts from its own radio settings, whatever is stored.
            form->groupBox_sf8->setEnabled(true);
            enableSfx();
        } else {
            enableModbus();
            // A code beyond the four-rate list leaves the list without a choice
            // and is written back as stored.
            form->widget_radioParameter->setValues(record.baudCode, record.channel, kUnusedModem, kUnusedRemote);
        }
        // Shown in both modes: a record read and written back unchanged keeps its
        // daily frame limit and modem address.
        form->spinBox_adressModem->setValue(record.modemAddress);
        form->spinBox_maxFrame->setValue(record.maxFrames);
        for (int m = 0; m < rpt::kModules; ++m)
            for (int b = 0; b < rpt::kIdentifierSize; ++b) {
                QSpinBox *box = identifierBox(m, b);
                box->setRange(0, kIdentifierByteMax);
                box->setValue(record.identifiers[m][b]);
            }
        resetHighlight();
        if (!informationTimer.isActive())
            informationTimer.start(kInformationSoonMs);
        if (then)
            then();
    });
}

QByteArray WmOrloRpt::configurationFrame()
{
    if (const auto cycle = buildConfiguration())
        return QByteArray(reinterpret_cast<const char *>(frame.payload()), orlo::kReportPayload * cycle->reports);
    return {};
}

void WmOrloRpt::on_pushButton_Configurer_ORLO_RPT_r00_clicked()
{
    // Asked within the page's bounds before the record is checked against it.
    if (!(informationNeeded() && page::mayConfigure(link))) {
        writeConfiguration();
        return;
    }
    QPushButton *const write = form->pushButton_Configurer_ORLO_RPT_r00;
    write->setEnabled(false);
    // The bar turns from the press on: the question is the write's first step.
    progressTimer->start(page::kProgressMs);
    askInformation([this, write] {
        progressTimer->stop();
        write->setEnabled(true);
        writeConfiguration();
    });
}

void WmOrloRpt::writeConfiguration()
{
    if (const auto cycle = buildConfiguration())
        page::runWriteCycle(*link, progressTimer, frame, *cycle, {});
}

std::optional<WriteCycle> WmOrloRpt::buildConfiguration()
{
    if (!page::mayConfigure(link))
        return std::nullopt;
    rpt::Record record;
    for (int m = 0; m < rpt::kModules; ++m)
        for (int b = 0; b < rpt::kIdentifierSize; ++b)
            record.identifiers[m][b] = quint8(identifierBox(m, b)->value());

    // Shown, not refused: the frame is sent all the same.
    resetHighlight();
    const auto pairs = rpt::sameLeastSignificantByte(record.identifiers);
    for (const auto &pair : pairs) {
        identifierBox(pair.first, rpt::kLeastSignificant)->setStyleSheet(kDuplicateStyle);
        identifierBox(pair.second, rpt::kLeastSignificant)->setStyleSheet(kDuplicateStyle);
    }
    if (!pairs.isEmpty()) {
        duplicateWarning = new QMessageBox(QMessageBox::Warning, QString(), tr("Several ORLO has the same LSB!"),
                                           QMessageBox::Ok, this);
        duplicateWarning->setAttribute(Qt::WA_DeleteOnClose);
        duplicateWarning->setModal(false);
        duplicateWarning->show();
    }

    orlo::trace("*** Sauvegarde de la configuration ORLO-GW ***\n");
    record.sf8 = !form->groupBox_868->isChecked();
    record.baudCode = form->widget_radioParameter->baudCode();
    record.channel = form->widget_radioParameter->channel();
    record.modemAddress = form->spinBox_adressModem->value();
    record.maxFrames = form->spinBox_maxFrame->value();
    // A configuration from a file obeys the gateway as if the user had typed it.
    const QStringList locked = link->storedRead().filledFromFile()
                                   ? rpt::lockedFeatures(record, link->information)
                                   : QStringList();
    if (!locked.isEmpty()) {
        orlo::warnInvalidConfiguration(link->cycleObserver, this, form->label_Resultat_configurer_ORLO_RPT_r00,
                                       {warning::kTitleEnglish, warning::kHeadEnglish, warning::kFooterEnglish},
                                       locked);
        return std::nullopt;
    }
    frame.clear();
    rpt::encode(frame.payload(), record);
    WriteCycle cycle{form->pushButton_Configurer_ORLO_RPT_r00, form->progressBar_Configurer,
                     form->label_Resultat_configurer_ORLO_RPT_r00, page::kReports, page::kProgressMs};
    cycle.informationTimer = &informationTimer;
    cycle.otherButton = form->pushButton_DefaultConfiguration_ORLO_RPT_r00;
    return cycle;
}

void WmOrloRpt::on_pushButton_DefaultConfiguration_ORLO_RPT_r00_clicked()
{
    if (!page::mayConfigure(link))
        return;
    WriteCycle cycle{form->pushButton_DefaultConfiguration_ORLO_RPT_r00, form->progressBar_Configurer,
                     form->label_Resultat_configurer_ORLO_RPT_r00, page::kReports, page::kProgressMs};
    cycle.informationTimer = &informationTimer;
    cycle.otherButton = form->pushButton_Configurer_ORLO_RPT_r00;
    page::restoreDefaults(*link, progressTimer, frame, cycle, [this](bool accepted) {
        if (accepted)
            readConfiguration({});
    });
}

void WmOrloRpt::SetprogressBarConfigurer()
{
    orlo::stepProgress(form->progressBar_Configurer);
}

void WmOrloRpt::Update()
{
    askInformation({});
}

void WmOrloRpt::askInformation(std::function<void()> then)
{
    // During another exchange the timer keeps running: it asks again after.
    if (!page::mayExchange(link)) {
        if (then)
            then();
        return;
    }
    informationTimer.stop();
    page::request(*link, frame, orlo::command::ReadLive, [this, then](bool whole) {
        // Only a whole answer is shown: a cut one would show what the module
        // never sent. A module gone meanwhile told nothing.
        if (whole && link)
            showInformation();
        if (then)
            then();
    });
}

void WmOrloRpt::showInformation()
{
    const rpt::Information information = orlo::rs::decodeInformation(frame.payload(), page::Frame::payloadSize());
    link->information = information;
    const QByteArray id = QByteArray::number(information.identifier, 16);
    std::printf("Sigfox id: %s\nVersion: %s\n", id.constData(), information.version.toLatin1().constData());
    std::fflush(stdout);
    link->moduleInformation = rpt::statusText(information);
    if (statusBar)
        statusBar->showMessage(link->moduleInformation);
}

void WmOrloRpt::on_groupBox_868_clicked(bool checked)
{
    if (checked || !form->groupBox_sf8->isEnabled())
        enableModbus();
    else
        enableSfx();
}

void WmOrloRpt::on_groupBox_sf8_clicked(bool checked)
{
    if (checked)
        enableSfx();
    else
        enableModbus();
}

void WmOrloRpt::on_checkBox_firstGeneration_clicked(bool)
{
    enableSfx();
}

void WmOrloRpt::enableModbus()
{
    form->groupBox_sf8->setChecked(false);
    form->groupBox_868->setChecked(true);
    form->widget_radioParameter->setValues(rpt::kModbusBaudCode, rpt::kModbusChannel, kUnusedModem, kUnusedRemote);
}

void WmOrloRpt::enableSfx()
{
    form->groupBox_868->setChecked(false);
    form->groupBox_sf8->setChecked(true);
    form->widget_radioParameter->setValues(rpt::kSigfoxBaudCode, rpt::kSigfoxChannel, kUnusedModem, kUnusedRemote);
}
