// The repeater and LoRaWAN-serial pages: their page widget does the work;
// the family starts it with the link and stops it when the module is gone.
#pragma once

#include "pages/pagefamily.h"

namespace Ui {
class WidgetPages;
}

class WidgetPages : public PageFamily
{
    Q_OBJECT

public:
    WidgetPages(PageShell &shell, QWidget *parent);
    ~WidgetPages() override;

public slots:
    void EnablePageORLO_RPT_r00(bool enable);
    void EnablePageORLO_RSLW_r00(bool enable);

private:
    std::unique_ptr<Ui::WidgetPages> ui;
};
