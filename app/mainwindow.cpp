#include "app/mainwindow.h"

#include "app/about.h"
#include "app/application.h"
#include "app/configfiles.h"
#include "app/exchangebuttons.h"
#include "app/language.h"
#include "link/maker.h"
#include "link/modulelink.h"
#include "pages/analogpages.h"
#include "pages/bridgepage.h"
#include "pages/digitalinputpages.h"
#include "pages/mirrorpages.h"
#include "pages/temperaturepages.h"
#include "pages/widgetpages.h"
#include "ui_mainwindow.h"
#include "widgets/formtexts.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int kPollIntervalMs = 500;
// The line saying a file's values are not written yet: right of the page's
// title, left of the maker's logo.
constexpr int kNotWrittenTop = 6;
constexpr int kNotWrittenHeight = 60;
constexpr int kNotWrittenGap = 10;
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
{
    // The page families, in the stack's order after the connect page.
    families = {new TemperaturePages(*this, this), new DigitalInputPages(*this, this), new MirrorPages(*this, this),
                new BridgePage(*this, this), new WidgetPages(*this, this), new AnalogPages(*this, this)};
    ui->setupUi(this);
    for (PageFamily *family : qAsConst(families))
        for (QWidget *page : family->pages())
            ui->stackedWidget->addWidget(page);
    orlo::useSharpImages(this);
    setWindowTitle(tr("Configurateur Orlo"));
    addLanguageMenu();
    formTexts = std::make_unique<orlo::FormTexts>(QList<QWidget *>{this}, [this] { ui->retranslateUi(this); });
    showConnectPage();

    moduleLink = new ModuleLink(this);
    pollTimer = new QTimer(this);
    pollTimer->setObjectName(QStringLiteral("pollTimer"));
    connect(pollTimer, &QTimer::timeout, this, &MainWindow::Connexion);
    pollTimer->start(kPollIntervalMs);
    moduleLink->setPollTimer(pollTimer);
    exchangeButtons = new ExchangeButtons(this);
    connect(moduleLink, &ModuleLink::busyChanged, this, [this](bool busy) {
        if (busy) {
            exchangeButtons->hold(ui->stackedWidget->currentWidget());
            return;
        }
        exchangeButtons->release();
        linkIdle();
    });

    notWrittenLine = new QLabel(ui->centralWidget);
    notWrittenLine->setObjectName(QStringLiteral("label_NotWrittenYet"));
    notWrittenLine->setWordWrap(true);
    notWrittenLine->setAlignment(Qt::AlignCenter);
    notWrittenLine->setStyleSheet(QStringLiteral("color: rgb(224, 96, 0); font-weight: bold; font-size: 9pt;"));
    files = new ConfigurationFiles(
        this,
        {ui->actionSave_configuration, ui->actionOpen_configuration, ui->actionSeries, ui->actionNumber_addresses,
         ui->actionVerify_after_write, ui->actionJournal, ui->actionExport_journal},
        {[this] { return moduleShown ? moduleLink->productId() : 0; },
         [this] { return controlsOf(moduleLink->productId()).write; },
         [this] { return configurationFrameOf(moduleLink->productId()); }, [this] { readStoredAgain(); },
         statusBar(), notWrittenLine},
        *moduleLink);
}

MainWindow::~MainWindow()
{
    // Files and series follow the module link: they go before it.
    delete files;
    // The module is left closed so the next program finds it free.
    moduleLink->endWait();
    moduleLink->close();
}

int MainWindow::currentProductId() const
{
    return moduleLink->productId();
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
    placeNotWrittenLine(page);
    // A page shown while its first read is awaited gets its buttons back with the answer.
    if (moduleLink && moduleLink->busy())
        exchangeButtons->hold(page);
}

void MainWindow::placeNotWrittenLine(QWidget *page)
{
    // Titles differ in length from page to page: the line starts after the
    // page's own, whose label is named "label_Titre_…" or "label_…_Title".
    int left = 0;
    for (const QLabel *label : page->findChildren<QLabel *>()) {
        const QString name = label->objectName();
        if (name.startsWith(QLatin1String("label_Titre")) || name.endsWith(QLatin1String("_Title")))
            left = qMax(left, label->mapTo(ui->centralWidget, QPoint(label->sizeHint().width(), 0)).x());
    }
    left += kNotWrittenGap;
    const int right = ui->label_Logo->geometry().left() - kNotWrittenGap;
    notWrittenLine->setGeometry(left, kNotWrittenTop, qMax(0, right - left), kNotWrittenHeight);
    notWrittenLine->raise();
}

void MainWindow::addLanguageMenu()
{
    // Named in both languages: whoever cannot read the window finds it.
    auto *menu = new QMenu(QStringLiteral("Langue / Language"), ui->menuBar);
    menu->setObjectName(QStringLiteral("menuLanguage"));
    ui->menuBar->insertMenu(ui->menu_A_propos->menuAction(), menu);
    auto *choices = new QActionGroup(menu);
    const struct {
        const char *name;
        QString text;
        orlo::Language language;
    } languages[] = {{"actionLanguageFrench", QStringLiteral("Français"), orlo::Language::French},
                     {"actionLanguageEnglish", QStringLiteral("English"), orlo::Language::English}};
    for (const auto &choice : languages) {
        QAction *action = menu->addAction(choice.text);
        action->setObjectName(QLatin1String(choice.name));
        action->setCheckable(true);
        action->setChecked(orlo::currentLanguage() == choice.language);
        choices->addAction(action);
        const orlo::Language language = choice.language;
        connect(action, &QAction::triggered, this, [language] {
            orlo::rememberLanguage(language);
            if (orlo::currentLanguage() != language)
                orlo::useLanguage(language);
        });
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && formTexts) {
        formTexts->retranslate();
        setWindowTitle(tr("Configurateur Orlo"));
        files->retranslate();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::showLogo(bool shown)
{
    ui->label_Logo->setVisible(shown);
}

QStatusBar *MainWindow::statusLine()
{
    return statusBar();
}

void MainWindow::InCaseOfTimeout()
{
    moduleLink->endWait();
}

void MainWindow::on_action_Quitter_triggered()
{
    if (!files->mayQuit())
        return;
    // A read still waiting on a silent module ends at once, so the program
    // quits now rather than at the end of that read's bound; a write's row
    // is committed first.
    moduleLink->endWait();
    quitting = true;
    if (!moduleLink->busy())
        QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!closing && !files->mayQuit()) {
        event->ignore();
        return;
    }
    moduleLink->endWait();
    // The exchange in flight is answered at once: the window closes then.
    closing = moduleLink->busy();
    if (closing)
        event->ignore();
    else
        event->accept();
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
