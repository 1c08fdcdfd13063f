// Configurations in files, a series of modules filled from one, the check
// after writing, and the journal: all follow the shared write cycle.
#pragma once

#include "app/journal.h"
#include "link/writecycle.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class QWidget;
namespace orlo { class StoredRead; }
namespace orlo::records { struct Copy; struct Opened; }

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
    std::function<QString()> identity;           // what the module told of itself
    std::function<void()> readAgain;             // the page reads its module afresh
    QStatusBar *statusBar;
    orlo::StoredRead *stored;
};

class ConfigurationFiles : public QObject, public orlo::CycleObserver
{
    Q_OBJECT

public:
    ConfigurationFiles(QWidget *window, const ConfigurationMenu &menu, const ModulePage &page);
    ~ConfigurationFiles() override;

    // What the menu entries do once a file name is chosen; false (and a
    // message box) when nothing was saved, opened or exported.
    bool saveTo(const QString &path);
    bool openFrom(const QString &path);
    bool exportJournalTo(const QString &path);
    // The series numbers the modules' own addresses from `first` (what the
    // menu entry does once a number is chosen), or keeps each module's own.
    void numberOwnAddresses(bool on, int first = 0);
    const Journal &journal() const { return log; }

    // Detection: a module page is shown (the module is about to be read),
    // or no module is.
    void modulePlugged(int productId);
    void moduleGone();

    bool finished(const CycleLink &link, const quint8 *sent, const CycleRun &run, bool accepted) override;
    void refused(const QStringList &lines) override;

private:
    void useForSeries(const QString &path, int productId, const QJsonObject &fields);
    // The next whole read of the module shows `fields` laid over its answer.
    void fillNextRead(const QString &path, const QJsonObject &fields, int productId,
                      const orlo::records::Copy &copy);
    void notApplied(const QString &path, const orlo::records::Opened &opened);
    // Different analog inputs: the user says whether the file fills the page.
    bool acceptsInputKind(const QString &path, int fileProductId, int productId);
    void fillFromSeries(int productId);
    orlo::records::Copy seriesCopy() const;
    void showSeries();
    void updateActions();
    bool readBack(const CycleLink &link, const quint8 *sent, int reports, QString *remarks);
    JournalEntry entryNow() const;

    QWidget *window;
    ConfigurationMenu menu;
    ModulePage page;
    Journal log;
    // Save asks the page for its frame: a refusal meanwhile is the page's
    // box, not a journal row.
    bool saving = false;
    // The configuration a series fills each module of its type with: the
    // file's fields, laid over each module's own answer in its own units.
    QString seriesPath;
    int seriesProductId = 0;
    QJsonObject seriesFields;
    int seriesWritten = 0;
    bool filledFromSeries = false;   // this plug's page shows the series' record
    bool writtenInSeries = false;    // and was written
    // Own addresses numbered through the series: the first chosen, the next
    // to give, and whether this plug's page shows one.
    bool numbering = false;
    int firstAddress = 0;
    int nextAddress = 0;
    bool numberedThisModule = false;
};
