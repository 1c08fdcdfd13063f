#include "app/exchangebuttons.h"

#include <QEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace {
// Write, Default and the counter reset of every page.
const QRegularExpression kExchangeButton(QStringLiteral("^pushButton_(Configurer|DefaultConfiguration|RAZ)"));
} // namespace

void ExchangeButtons::hold(QWidget *page)
{
    if (!page)
        return;
    const QScopedValueRollback<bool> ours(changing, true);
    for (QPushButton *button : page->findChildren<QPushButton *>(kExchangeButton)) {
        if (!button->isEnabled() || held.contains(button))
            continue;
        button->setEnabled(false);
        button->installEventFilter(this);
        held << button;
    }
}

void ExchangeButtons::release()
{
    const QScopedValueRollback<bool> ours(changing, true);
    for (const QPointer<QPushButton> &button : qAsConst(held)) {
        if (!button)
            continue;
        button->removeEventFilter(this);
        button->setEnabled(true);
    }
    held.clear();
}

bool ExchangeButtons::eventFilter(QObject *watched, QEvent *event)
{
    // The page enabled the button itself: its state is the page's again (a
    // frame around it turned off and on leaves it held).
    auto *button = qobject_cast<QPushButton *>(watched);
    if (event->type() == QEvent::EnabledChange && !changing && button && !button->testAttribute(Qt::WA_ForceDisabled)) {
        watched->removeEventFilter(this);
        held.removeAll(button);
    }
    return QObject::eventFilter(watched, event);
}
