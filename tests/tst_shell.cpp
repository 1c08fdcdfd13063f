// The main window as the user first meets it: identity, fixed size, menu,
// numbering a series, quitting and the about dialog.
#include "app/about.h"
#include "app/configfiles.h"
#include "app/language.h"
#include "link/modulelink.h"
#include "support/fixture.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>

using namespace testing;

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void startsOnConnectPage();
    void pagesInOrder();
    void menuEntries();
    void numberingAsksNameAndFirstAddress();
    void quitShortcut_data();
    void quitShortcut();
    void aboutIsModal();
    void languageMenuSwitchesLive();
};

void ShellTest::startsOnConnectPage()
{
    auto window = freshWindow();
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Velka Radiocommunications"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Configurateur modules Orlo"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Configurateur Orlo"));
    QCOMPARE(currentPage(*window), QStringLiteral("page_Connect"));
    QCOMPARE(child<QLabel>(*window, "label_texte_Connect")->text(), QStringLiteral("Connect Orlo device"));
    QVERIFY(!child<QLabel>(*window, "label_image_USB_Connect")->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!window->windowIcon().isNull());
    QVERIFY(!child<QLabel>(*window, "label_Logo")->isVisible());

    // Fixed size: a resize request leaves it at 640 x 480.
    QCOMPARE(window->minimumSize(), QSize(640, 480));
    QCOMPARE(window->maximumSize(), QSize(640, 480));
    window->resize(800, 600);
    QCOMPARE(window->size(), QSize(640, 480));
}

void ShellTest::pagesInOrder()
{
    auto window = freshWindow();
    const QStringList expected = {
        "page_Connect", "page_ORLO_TM", "page_ORLO_TM_r20", "page_ORLO_TM2D_r10", "page_ORLO_TH_r10",
        "page_ORLO_TH_868", "page_ORLO_TM_868", "page_ORLO_DI", "page_ORLO_DI_r2x", "page_ORLO_DI4_r2x",
        "page_DI2_868_r_10", "page_IOD_PS_r20", "page_ORLO_DIO_LoRa", "page_ORLO_RS_r00",
        "page_ORLO_RSLW_r00", "page_ORLO_RPT_r00", "page_ORLO_DA", "page_ORLO_DA_r20"};
    auto *stack = child<QStackedWidget>(*window, "stackedWidget");
    QStringList pages;
    for (int i = 0; i < stack->count(); ++i)
        pages << stack->widget(i)->objectName();
    QCOMPARE(pages, expected);
}

void ShellTest::menuEntries()
{
    auto window = freshWindow();
    auto *file = child<QMenu>(*window, "menu_Fichier");
    auto *help = child<QMenu>(*window, "menu_A_propos");
    QCOMPARE(file->title(), QStringLiteral("File"));
    QCOMPARE(help->title(), QStringLiteral("Help"));
    QStringList fileEntries;
    for (QAction *a : file->actions())
        fileEntries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(fileEntries, QStringList({"Open configuration…", "Save configuration…", "Apply to every module",
                                       "Number own addresses…", "Verify after write", "-", "Journal…",
                                       "Export journal…", "-", "Update...", "Quit"}));
    QStringList helpEntries;
    for (QAction *a : help->actions())
        helpEntries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(helpEntries, QStringList({"Help", "-", "About"}));
    QCOMPARE(child<QAction>(*window, "action_Quitter")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QCOMPARE(child<QAction>(*window, "action_Help")->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    QCOMPARE(child<QAction>(*window, "actionSave_configuration")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(child<QAction>(*window, "actionOpen_configuration")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    // Files need a module page; the series a configuration; verify is asked for.
    QVERIFY(!child<QAction>(*window, "actionSave_configuration")->isEnabled());
    QVERIFY(!child<QAction>(*window, "actionSeries")->isEnabled());
    QVERIFY(!child<QAction>(*window, "actionNumber_addresses")->isEnabled());
    QVERIFY(!child<QAction>(*window, "actionVerify_after_write")->isChecked());
    QCOMPARE(child<QMenu>(*window, "menuUpdate")->actions().value(0)->text(), QStringLiteral("Download new version"));
}

// Triggers the numbering entry and answers its dialog once it shows with
// `name` and `first`. What it offered: name, first address, and whether OK
// goes with a blank name.
static QStringList answerNumbering(MainWindow &window, const QString &name, int first)
{
    QStringList offered;
    QTimer::singleShot(0, &window, [&] {
        auto *dialog = window.findChild<QDialog *>("dialog_NumberOwnAddresses");
        auto *nameEdit = child<QLineEdit>(*dialog, "lineEdit_SeriesName");
        auto *firstEdit = child<QSpinBox>(*dialog, "spinBox_FirstAddress");
        QPushButton *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        offered << nameEdit->text() << QString::number(firstEdit->value());
        nameEdit->setText("  ");
        offered << (ok->isEnabled() ? "OK" : "no OK");
        nameEdit->setText(name);
        firstEdit->setValue(first);
        ok->click();
    });
    child<QAction>(window, "actionNumber_addresses")->trigger();
    return offered;
}

void ShellTest::numberingAsksNameAndFirstAddress()
{
    auto window = freshWindow();
    plugAndShow(*window, 0x0240, "page_ORLO_TM");
    QTRY_VERIFY(configureButton(shownPage(*window))->isEnabled());
    QTemporaryDir folder;
    QVERIFY(window->findChild<ConfigurationFiles *>()->saveTo(folder.filePath("line.tm.json")));
    child<QAction>(*window, "actionSeries")->setChecked(true);
    QCOMPARE(answerNumbering(*window, "line 7", 20), (QStringList{"line.tm", "0", "no OK"}));
    QVERIFY(child<QAction>(*window, "actionNumber_addresses")->isChecked());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Series: line.tm.json, 0 written, next address 20"));
}

void ShellTest::quitShortcut_data()
{
    QTest::addColumn<bool>("withModule");
    QTest::addColumn<bool>("silentRepeater");
    QTest::newRow("connect page") << false << false;
    QTest::newRow("module page") << true << false;
    // Its read would wait 20 s: Quit ends it at once.
    QTest::newRow("silent repeater read") << false << true;
}

void ShellTest::quitShortcut()
{
    QFETCH(bool, withModule);
    QFETCH(bool, silentRepeater);
    auto window = freshWindow();
    if (withModule)
        plugAndShow(*window, 0x0240, "page_ORLO_TM");
    if (silentRepeater) {
        sim::Module &m = sim::Bench::instance().plug(0x0302);
        m.silent = true;
        QTRY_VERIFY(!m.received.empty() && window->transport()->busy());
    }
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    // Quit ends the application's event loop with code 0, as in the program.
    QTimer::singleShot(50, [&] { QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier); });
    // The guard goes with this test: a stray exit would end the next test's dialog.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(42); });
    guard.start(3000);
    QCOMPARE(QCoreApplication::exec(), 0);
}

void ShellTest::aboutIsModal()
{
    auto window = freshWindow();
    plugAndShow(*window, 0x01C7, "page_ORLO_DI");
    bool modal = false;
    QString title, description;
    // Looked for until it shows, however slowly the machine draws it.
    QTimer poll;
    poll.start(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<about *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        modal = dialog->isModal();
        title = dialog->windowTitle();
        description = child<QTextBrowser>(*dialog, "textBrowser_Description_gamme")->toPlainText();
        QCOMPARE(child<QPushButton>(*dialog, "pushButton_Exit")->toolTip(), QStringLiteral("Fermer"));
        child<QPushButton>(*dialog, "pushButton_Exit")->click();
    });
    child<QAction>(*window, "action_A_propos")->trigger();
    QVERIFY(modal);
    QCOMPARE(title, QStringLiteral("About"));
    QVERIFY(description.contains(QStringLiteral("Version 3.7.7")));
    QVERIFY(description.contains(QStringLiteral("Technical support")));
    QVERIFY(description.contains(QStringLiteral("Thank you for working with Velka.")));
    QCOMPARE(currentPage(*window), QStringLiteral("page_ORLO_DI"));
    QVERIFY(!QApplication::activeModalWidget());
}


void ShellTest::languageMenuSwitchesLive()
{
    auto window = freshWindow();
    auto *menu = child<QMenu>(*window, "menuLanguage");
    QCOMPARE(menu->title(), QStringLiteral("Langue / Language"));
    QCOMPARE(window->menuBar()->actions().value(1), menu->menuAction());
    const struct {
        const char *action;
        orlo::Language language;
        QString file, connect, title;
    } steps[] = {{"actionLanguageFrench", orlo::Language::French, QStringLiteral("Fichier"),
                  QStringLiteral("Connecter un Orlo"), QStringLiteral("Configurateur Orlo")},
                 {"actionLanguageEnglish", orlo::Language::English, QStringLiteral("File"),
                  QStringLiteral("Connect Orlo device"), QStringLiteral("Orlo Configurator")}};
    for (const auto &step : steps) {
        auto *action = child<QAction>(*window, step.action);
        action->trigger();
        QVERIFY(action->isChecked());
        // The window is told through its event queue.
        QTRY_COMPARE(child<QMenu>(*window, "menu_Fichier")->title(), step.file);
        QCOMPARE(child<QLabel>(*window, "label_texte_Connect")->text(), step.connect);
        QCOMPARE(window->windowTitle(), step.title);
        // Remembered for the next start, unless ORLO_LANGUAGE says otherwise.
        qunsetenv("ORLO_LANGUAGE");
        QCOMPARE(orlo::startLanguage(), step.language);
        qputenv("ORLO_LANGUAGE", "source");
        QCOMPARE(orlo::startLanguage(), orlo::Language::Source);
    }
    orlo::useLanguage(orlo::Language::Source);
}

ORLO_TEST_MAIN(ShellTest)
#include "tst_shell.moc"
