#include "app/mainwindow.h"

#include "app/about.h"
#include "app/application.h"
#include "app/configfiles.h"
#include "app/maker.h"
#include "link/modulelink.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int kPollIntervalMs = 500;
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);
    orlo::useSharpImages(this);
    setWindowTitle(QStringLiteral("Configurateur Orlo"));
    showConnectPage();

    link = new ModuleLink(this);
    pollTimer = new QTimer(this);
    pollTimer->setObjectName(QStringLiteral("pollTimer"));
    connect(pollTimer, &QTimer::timeout, this, &MainWindow::Connexion);
    pollTimer->start(kPollIntervalMs);
    link->setPollTimer(pollTimer);

    files = new ConfigurationFiles(
        this,
        {ui->actionSave_configuration, ui->actionOpen_configuration, ui->actionSeries, ui->actionNumber_addresses,
         ui->actionVerify_after_write, ui->actionJournal, ui->actionExport_journal},
        {[this] { return moduleShown ? link->productId() : 0; },
         [this] { return configureControlsOf(link->productId()).write; }, [this] { return link->identity(); },
         [this] { readStoredAgain(); }, statusBar(), &link->storedRead()});
}

MainWindow::~MainWindow()
{
    // The module is left closed so the next program finds it free.
    link->close();
}

int MainWindow::currentProductId() const
{
    return link->productId();
}

void MainWindow::showConnectPage()
{
    ui->label_Logo->hide();
    ui->stackedWidget->setCurrentWidget(ui->page_Connect);
}

void MainWindow::showModulePage(QWidget *page)
{
    ui->label_Logo->show();
    ui->stackedWidget->setCurrentWidget(page);
}

void MainWindow::on_action_Quitter_triggered()
{
    // A read still waiting on a silent module ends at once, so the program
    // quits now rather than at the end of that read's bound.
    link->endWait();
    QCoreApplication::exit(0);
}

void MainWindow::on_action_Help_triggered()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(maker::kSupportPage)));
}

void MainWindow::on_actionDownload_new_version_triggered()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(maker::kDownloadPage)));
}

void MainWindow::on_action_A_propos_triggered()
{
    about dialog(this);
    dialog.exec();
}
