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

// The result label's words. The window's label shows them translated
// (context "orlo::result", see widgets/writecycle.h); the history, the journal
// and orlo-cli keep these words as they are.
namespace result {
inline const QString kBusy = QStringLiteral(QT_TRANSLATE_NOOP("orlo::result", "Configuration..."));
inline const QString kOk = QStringLiteral(QT_TRANSLATE_NOOP("orlo::result", "OK"));
inline const QString kFailed = QStringLiteral(QT_TRANSLATE_NOOP("orlo::result", "Echec"));
inline const QString kInvalid = QStringLiteral(QT_TRANSLATE_NOOP("orlo::result", "Invalide"));
// An accepted write read back and found as sent.
inline const QString kVerified = QStringLiteral(QT_TRANSLATE_NOOP("orlo::result", "OK, verified"));
} // namespace result

// The invalid-configuration box's texts. The window's box shows them
// translated (context "orlo::warning"); orlo-cli prints them as they are.
// A page's own header is written whole, for the translator to see it whole.
namespace warning {
inline const QString kTitleFrench = QStringLiteral(QT_TRANSLATE_NOOP("orlo::warning", "Configuration invalide"));
inline const QString kTitleEnglish = QStringLiteral(QT_TRANSLATE_NOOP("orlo::warning", "Invalid configuration"));
inline const QString kHeadFrench = QStringLiteral(QT_TRANSLATE_NOOP("orlo::warning", "CONFIGURATION INVALIDE.\n\n"));
inline const QString kHeadEnglish = QStringLiteral(QT_TRANSLATE_NOOP("orlo::warning", "INVALID CONFIGURATION.\n\n"));
inline const QString kFooterFrench = QStringLiteral(QT_TRANSLATE_NOOP("orlo::warning",
    "\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
    "et cliquez à nouveau sur \"Configurer\"\n"));
inline const QString kFooterEnglish = QStringLiteral(QT_TRANSLATE_NOOP("orlo::warning",
    "\nTo continue, click \"OK\", enter a valid configuration\n"
    "and click again on \"Write\"\n"));
} // namespace warning
