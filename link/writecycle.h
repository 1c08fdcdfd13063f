// The configuration write cycle's exchange, shared by every page and the
// files that follow it; and the texts of the result label and of the
// invalid-configuration box. No widget: widgets/writecycle.h puts it on a page.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QTimer;
namespace orlo { class CycleObserver; }

// How a cycle reaches the module: through the module link, with the page's bounds.
// One cycle of a page: who pressed, the frame length, the page's timers.
struct CycleRun {
    QString button;                     // its text, for the journal
    int reports;                        // frame length N of the module type
    int progressIntervalMs;
    QTimer *measurementTimer;           // paused during the cycle too
    QTimer *informationTimer;           // module information exchange, paused too
};

namespace orlo { struct Answer; }

struct CycleLink {
    // One exchange: `reports` reports of `frame` out, as many back; `done`
    // gets the answer on the asker's thread.
    using Answered = std::function<void(const orlo::Answer &answer)>;
    std::function<void(const quint8 *frame, int reports, Answered done)> exchange;
    QTimer *progressTimer;              // ticks the bar while the answer is awaited
    QTimer *pollTimer;                  // detection, paused meanwhile; null when the link does it
    orlo::CycleObserver *observer;      // told the outcome; null for none
};

namespace orlo {
// Who follows every configuration exchange (files, series, history): the
// write cycle and the invalid-configuration box tell it, in one place.
class CycleObserver
{
public:
    virtual ~CycleObserver() = default;
    // The module answered (accepted or not) what `sent` held; the timers are
    // still paused, so it may read back through `link`. Gives the result to
    // `result` once it is known (and, for the history, committed).
    virtual void finished(const CycleLink &link, const quint8 *sent, const CycleRun &run, bool accepted,
                          std::function<void(bool accepted)> result) = 0;
    // A configuration the page refused to send, with its failed checks.
    virtual void refused(const QStringList &lines) = 0;
};
// A configuration a page refused to send, with its failed checks.
void noteRefused(CycleObserver *observer, const QStringList &lines);

// The exchange: detection and the page's timers paused, the frame in `tx`
// sent (it stamps nothing itself), the acknowledgement awaited into `rx`
// (may be `tx`) while the progress timer ticks, the observer told; `done`
// learns whether the module accepted. The caller goes on meanwhile.
void exchangeCycle(const CycleLink &link, const quint8 *tx, quint8 *rx, const CycleRun &run,
                   std::function<void(bool accepted)> done);
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
// An accepted write read back and found as sent.
inline const QString kVerified = QStringLiteral("OK, verified");
} // namespace result


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
