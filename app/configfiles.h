// The window's side of configuration files, series, verify and the
// history: menus, dialogs and page glue around the core's provisioning,
// which follows every write cycle of the window's module link.
#pragma once

#include "link/history.h"
#include "link/provisioning.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class ModuleLink;
class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;
class QWidget;

struct ConfigurationMenu {
    QAction *save;
    QAction *open;
    QAction *series;
    QAction *numberAddresses;
    QAction *verify;
    QAction *journal;
    QAction *exportJournal;
};

// What they need of the main window's current module page.
struct ModulePage {
    std::function<int()> productId;              // 0 while no module page is shown
    std::function<QPushButton *()> writeButton;
    // The checked configuration the page's Write would send: its payload,
    // or empty when the page refuses it (and shows why) or has none yet.
    std::function<QByteArray()> configurationFrame;
    std::function<void()> readAgain;             // the page reads its module afresh
    QStatusBar *statusBar;
    // Over the page: the file whose values it holds is not written yet.
    QLabel *notWrittenLine;
};

class ConfigurationFiles : public QObject
{
    Q_OBJECT

public:
    ConfigurationFiles(QWidget *window, const ConfigurationMenu &menu, const ModulePage &page, ModuleLink &link);
    ~ConfigurationFiles() override;

    // What the menu entries do once a file name is chosen; false (and a
    // message box) when nothing was saved, opened or exported.
    bool saveTo(const QString &path);
    bool openFrom(const QString &path);
    // Today's rows and every row the history could not hold.
    bool exportJournalTo(const QString &path);
    // The series `name` numbers the modules' own addresses from `first`
    // (what the menu entry does once they are chosen), or keeps each
    // module's own. Refused, with a box, while the history server that
    // would give the addresses cannot be reached.
    void numberOwnAddresses(bool on, int first = 0, const QString &name = {});
    orlo::History &history() { return *log; }
    // Quit asks about rows the history could not hold and nobody exported:
    // false when the user stays.
    bool mayQuit();

    // Detection: a module page is shown (the module is about to be read),
    // or no module is.
    void modulePlugged(int productId);
    void moduleGone();
    // A new language: the lines over the page and in the status bar say it again.
    void retranslate();

private:
    void useForSeries(const QString &path, int productId, const QJsonObject &fields);
    // The next whole read of the module shows the file laid over its answer:
    // as a series module, or opened on this one.
    void fillNextRead(bool opened);
    void notApplied(const orlo::records::Opened &opened);
    // Different analog inputs: the user says whether the file fills the page.
    bool acceptsInputKind(const QString &path, int fileProductId, int productId);
    void fillFromSeries(int productId);
    void rowRecorded(const JournalEntry &row, bool saved);
    void showSeries();
    void showNotWritten();
    void showHistoryProblem();
    void showWaiting();
    void sendWaiting();
    // Asks the series' name and first own address; false when the user gave up.
    bool askNumbering(int &first, QString &name);
    QString defaultSeriesName() const;
    void updateActions();

    QWidget *window;
    ConfigurationMenu menu;
    ModulePage page;
    ModuleLink &link;
    std::unique_ptr<orlo::History> log;
    orlo::Provisioning provisioning;
    orlo::Series &series;
    int firstAddress = 0;            // offered again when numbering is asked
    QString seriesName;              // likewise; empty: the file's name
    QLabel *historyProblem;          // in the status bar while rows wait in memory
    QLabel *historyWaiting;          // in the status bar while rows wait for the server
    QTimer *waitingRetry;            // sends them again now and then
};
