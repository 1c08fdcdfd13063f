#include "pages/pagefamily.h"

#include "link/modulelink.h"
#include "widgets/formtexts.h"
#include "widgets/writecycle.h"

#include <QEvent>
#include <QTimer>
#include <cstring>

PageFamily::PageFamily(PageShell &shell, QWidget *parent)
    : QWidget(parent)
    , shell(shell)
{
    // The family's own widget only carries its form: its pages live in
    // the shell's stack.
    hide();
}

PageFamily::~PageFamily() = default;

void PageFamily::addPage(Page page)
{
    table.append(std::move(page));
}

void PageFamily::keepFormTexts(std::function<void()> retranslateUi)
{
    QList<QWidget *> widgets{this};
    widgets << pages();
    formTexts = std::make_unique<orlo::FormTexts>(widgets, std::move(retranslateUi));
}

void PageFamily::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && formTexts) {
        formTexts->retranslate();
        retranslateTexts();
        for (const Page &page : table)
            orlo::retranslateResult(page.controls.result);
    }
    QWidget::changeEvent(event);
}

const PageFamily::Page *PageFamily::pageOf(orlo::ModuleType type) const
{
    for (const Page &page : table)
        if (page.type == type)
            return &page;
    return nullptr;
}

QList<QWidget *> PageFamily::pages() const
{
    QList<QWidget *> widgets;
    for (const Page &page : table)
        widgets << page.widget;
    return widgets;
}

bool PageFamily::serves(orlo::ModuleType type) const
{
    return pageOf(type) != nullptr;
}

void PageFamily::enablePage(orlo::ModuleType type, bool enable)
{
    if (const Page *page = pageOf(type))
        page->enable(enable);
}

PageFamily::Controls PageFamily::controlsOf(orlo::ModuleType type) const
{
    const Page *page = pageOf(type);
    return page ? page->controls : Controls{};
}

QByteArray PageFamily::configurationFrame(orlo::ModuleType type)
{
    const Page *page = pageOf(type);
    return page && page->frame ? page->frame() : QByteArray();
}

QByteArray PageFamily::builtFrame(const std::optional<WriteCycle> &cycle) const
{
    if (!cycle)
        return {};
    return QByteArray(reinterpret_cast<const char *>(link().txBuffer + 1), orlo::kReportPayload * cycle->reports);
}

int PageFamily::currentProductId() const
{
    return link().productId();
}

void PageFamily::requestCommand(quint8 command, int reports, std::function<void(bool whole)> done)
{
    link().requestCommand(command, reports, std::move(done));
}

void PageFamily::readStoredConfiguration(int reports, std::function<void(const quint8 *stored)> done)
{
    readStoredConfiguration(reports, "/*** Lecture de la configuration ***/\n", std::move(done));
}

void PageFamily::readStoredConfiguration(int reports, const char *trace,
                                         std::function<void(const quint8 *stored)> done)
{
    link().readStoredConfiguration(reports, trace, std::move(done));
}

bool PageFamily::mayConfigure() const
{
    return link().mayConfigure();
}

void PageFamily::clearRequest()
{
    std::memset(link().txBuffer, 0, sizeof link().txBuffer);
}

quint8 *PageFamily::requestPayload()
{
    return link().txBuffer + 1;
}

const quint8 *PageFamily::answerPayload() const
{
    return link().rxBuffer + 1;
}

void PageFamily::runWriteCycle(const WriteCycle &cycle, std::function<void(bool accepted)> done)
{
    ModuleLink &module = link();
    const CycleLink through{[&module](const quint8 *frame, int reports, CycleLink::Answered answered) {
                                module.exchange(frame, reports, ModuleLink::kPageBounds, std::move(answered));
                            },
                            progressTimer.get(), module.detectionTimer(), module.cycleObserver};
    orlo::runWriteCycle(through, module.txBuffer, module.rxBuffer, cycle, std::move(done));
}

void PageFamily::warnInvalidConfiguration(QLabel *result, const WarningTexts &texts, const QStringList &lines)
{
    orlo::warnInvalidConfiguration(link().cycleObserver, window(), result, texts, lines);
}

void PageFamily::stepProgress(QProgressBar *bar)
{
    orlo::stepProgress(bar);
}
