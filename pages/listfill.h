// Small list helpers shared by the module pages.
#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

namespace orlo {

// Refilled without index signals: the list rules run when the page says so,
// not once per item. The first item is selected.
inline void refillQuietly(QComboBox *list, const QStringList &items, int visible)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->setMaxCount(items.size());
    list->setMaxVisibleItems(visible);
    list->addItems(items);
    list->setCurrentIndex(0);
}

// An hour or a minute as the lists show it: "07".
inline QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace orlo
