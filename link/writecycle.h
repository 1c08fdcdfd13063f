// What a page hands to the shared configuration write cycle, and the texts
// of the result label and of the invalid-configuration box.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;

struct WriteCycle {
    QPushButton *button;
    QProgressBar *progressBar;
    QLabel *result;
    int reports;                        // frame length N of the module type
    int progressIntervalMs = 30;
    QTimer *measurementTimer = nullptr; // paused during the cycle too
    bool reenableButton = true;         // false: the page re-enables it itself
    QTimer *informationTimer = nullptr; // module information exchange, paused too
    QPushButton *otherButton = nullptr; // a Default beside Write: disabled meanwhile too
};

// How a cycle reaches the module: the main window's transport or Hid's.
struct CycleLink {
    std::function<int(quint8 *frame, quint8 count)> write;
    std::function<int(quint8 *frame, quint8 count, int mode)> read;
    QTimer *progressTimer;              // ticks the bar while the answer is awaited
    QTimer *pollTimer;                  // detection, paused meanwhile; null when the link does it
};

namespace orlo {
// Who follows every configuration exchange (files, series, journal): the
// write cycle and the invalid-configuration box tell it, in one place.
class CycleObserver
{
public:
    virtual ~CycleObserver() = default;
    // Before anything goes out: true keeps the frame (a configuration being
    // saved) and the cycle sends nothing and changes nothing on the page.
    virtual bool keepsFrame(const quint8 *payload, int reports) = 0;
    // The module answered (accepted or not) what `sent` held; the timers are
    // still paused, so it may read back through `link`. Gives the result.
    virtual bool finished(const CycleLink &link, const quint8 *sent, const WriteCycle &cycle, bool accepted) = 0;
    // A configuration the page refused to send, with its failed checks.
    virtual void refused(const QStringList &lines) = 0;
    // The defaults restored by a bare command, outside the cycle.
    virtual void restoredDefaults(const QPushButton *button, bool accepted) = 0;
};
void setCycleObserver(CycleObserver *observer);
// Pages that restore the defaults by a bare command tell it here.
void noteRestoredDefaults(const QPushButton *button, bool accepted);
// Unless another took its place meanwhile.
void removeCycleObserver(CycleObserver *observer);

// The configuration write cycle of every page: sends the frame the page built
// in `tx` (it stamps nothing itself), pauses the timers, awaits the
// acknowledgement into `rx` (may be `tx`) while the bar turns; "OK" and true
// when the module accepted, else "Echec". Refused inside another exchange.
bool runWriteCycle(const CycleLink &link, quint8 *tx, quint8 *rx, const WriteCycle &cycle);
// One tick of a write's progress bar: up to 100, then back to 0.
void stepProgress(QProgressBar *bar);
} // namespace orlo

struct WarningTexts {
    QString title;
    QString header;                     // first lines, before the failed checks
    QString footer;
};

namespace result {
inline const QString kBusy = QStringLiteral("Configuration...");
inline const QString kOk = QStringLiteral("OK");
inline const QString kFailed = QStringLiteral("Echec");
inline const QString kInvalid = QStringLiteral("Invalide");
} // namespace result

namespace orlo {
// The invalid-configuration box over `parent`, the failed checks' lines
// between the texts' header and footer; the label reads "Invalide" while it
// is open.
void warnInvalidConfiguration(QWidget *parent, QLabel *resultLabel, const WarningTexts &texts,
                              const QStringList &lines);
} // namespace orlo

namespace warning {
inline const QString kTitleFrench = QStringLiteral("Configuration invalide");
inline const QString kTitleEnglish = QStringLiteral("Invalid configuration");
inline const QString kHeadFrench = QStringLiteral("CONFIGURATION INVALIDE.\n\n");
inline const QString kHeadEnglish = QStringLiteral("INVALID CONFIGURATION.\n\n");
inline const QString kFooterFrench = QStringLiteral(
    "\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
    "et cliquez \uFFFD nouveau sur \"Configurer\"\n");
inline const QString kFooterEnglish = QStringLiteral("\nTo continue, click \"OK\", enter a valid configuration\n"
                                                    "and click again on \"Write\"\n");
// The French warning of most pages, with the page's introduction line.
inline WarningTexts french(const QString &introduction)
{
    return {kTitleFrench, kHeadFrench + introduction, kFooterFrench};
}
} // namespace warning
