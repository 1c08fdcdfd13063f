// The main window: menu, page stack, status bar, logo and connect page, and
// what detection shows. The module pages are families of their own
// (pages/), placed in the stack in the module table's order; the module
// link is in link/.
#pragma once

#include "pages/pagefamily.h"

#include <QMainWindow>
#include <QList>

class ConfigurationFiles;
namespace orlo {
class FormTexts;
}
class ExchangeButtons;
class QLabel;
class QTimer;
class ModuleLink;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow, private PageShell
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void showConnectPage();

    int currentProductId() const;
    ModuleLink *transport() const { return moduleLink; }

public slots:
    void Connexion();
    // An exchange still waiting on the module ends at once.
    void InCaseOfTimeout();

    // Menu.
    void on_action_A_propos_triggered();
    void on_action_Help_triggered();
    void on_actionDownload_new_version_triggered();
    void on_action_Quitter_triggered();

protected:
    // Closing the window asks, as Quit does, about rows the history could not keep.
    void closeEvent(QCloseEvent *event) override;
    // A new language: the menus, the connect page and the shell's own lines.
    void changeEvent(QEvent *event) override;

private:
    // What the pages reach of the shell.
    ModuleLink &link() override { return *moduleLink; }
    QStatusBar *statusLine() override;
    void showModulePage(QWidget *page) override;
    void showLogo(bool shown) override;

    // "Langue / Language": the window switches at once, and starts in that
    // language next time.
    void addLanguageMenu();

    // A read of the stored record failed: the page's result label and the
    // status bar say so, detection reads it again at later ticks.
    void showStoredReadFailure();
    // Over the page, between its title and the maker's logo.
    void placeNotWrittenLine(QWidget *page);
    void readStoredAgain();
    // What a look at the bus found; `previous` is the module open before it.
    void lookedAtBus(int previous, bool refused);
    // Every exchange asked was answered: a read of the stored record shows
    // its outcome, a Quit or a close waiting for it goes on.
    void linkIdle();
    // The family serving a product identifier, or nullptr.
    PageFamily *familyOf(int productId) const;
    PageFamily::Controls controlsOf(int productId) const;
    QByteArray configurationFrameOf(int productId) const;
    void enablePageOf(int productId, bool enable);

    // Created before the form, so that they go before the pages they
    // drive when the window is destroyed.
    QList<PageFamily *> families;
    std::unique_ptr<Ui::MainWindow> ui;
    bool moduleShown = false;
    // The page's read of its module's stored record is awaited.
    bool readingStoredRecord = false;
    // Quit or the window's close wait for the exchange in flight to be
    // answered (and its history row committed), ended at once.
    bool quitting = false;
    bool closing = false;
    QTimer *pollTimer = nullptr;
    ModuleLink *moduleLink = nullptr;
    ConfigurationFiles *files = nullptr;
    QLabel *notWrittenLine = nullptr;
    ExchangeButtons *exchangeButtons = nullptr;
    std::unique_ptr<orlo::FormTexts> formTexts;
};
