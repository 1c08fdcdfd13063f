#include "pages/widgetpages.h"

#include "ui_widgetpages.h"
#include "widgets/wmorlorpt.h"
#include "widgets/wmorlorslw.h"

WidgetPages::WidgetPages(PageShell &shell, QWidget *parent)
    : PageFamily(shell, parent)
    , ui(std::make_unique<Ui::WidgetPages>())
{
    ui->setupUi(this);
    using T = orlo::ModuleType;
    addPage({T::RSLW_r00, ui->page_ORLO_RSLW_r00, [this](bool on) { EnablePageORLO_RSLW_r00(on); },
             {ui->widget_orlo_rslw_r00->resultLabel(), ui->widget_orlo_rslw_r00->writeButton()},
             [this] { return ui->widget_orlo_rslw_r00->configurationFrame(); }});
    addPage({T::RPT_r00, ui->page_ORLO_RPT_r00, [this](bool on) { EnablePageORLO_RPT_r00(on); },
             {ui->widget_orlo_rpt_r00->resultLabel(), ui->widget_orlo_rpt_r00->writeButton()},
             [this] { return ui->widget_orlo_rpt_r00->configurationFrame(); }});
    // The page widgets retranslate their own forms.
    keepFormTexts([this] { ui->retranslateUi(this); });
}

WidgetPages::~WidgetPages() = default;

void WidgetPages::EnablePageORLO_RPT_r00(bool enable)
{
    if (!enable) {
        // The handle is closed now, and may be another module's at the next
        // plug: the page must not reach it.
        ui->widget_orlo_rpt_r00->stop();
        return;
    }
    showModulePage(ui->page_ORLO_RPT_r00);
    ui->widget_orlo_rpt_r00->start(&link(), statusBar());
}

void WidgetPages::EnablePageORLO_RSLW_r00(bool enable)
{
    if (!enable) {
        ui->widget_orlo_rslw_r00->stop();
        return;
    }
    showModulePage(ui->page_ORLO_RSLW_r00);
    ui->widget_orlo_rslw_r00->start(&link(), statusBar());
}
