// Small list helpers shared by the module pages and the radio and serial
// widgets.
#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QStringList>

namespace orlo {

// For `visible`: the open list shows as many entries as its form says.
constexpr int kListOwnVisible = -1;

// Refilled without index signals: the list rules run when the page says so,
// not once per item. At most items.size() entries, `visible` of them shown at
// once, then `selected`.
inline void refillQuietly(QComboBox *list, const QStringList &items, int visible, int selected)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->setMaxCount(items.size());
    if (visible != kListOwnVisible)
        list->setMaxVisibleItems(visible);
    list->addItems(items);
    list->setCurrentIndex(selected);
}

// The same with the first item selected.
inline void refillQuietly(QComboBox *list, const QStringList &items, int visible)
{
    refillQuietly(list, items, visible, 0);
}

// Overwrites the entries in place rather than clearing the list, index
// signals on: the list's own rule runs, sees only real entries and never an
// empty list. Then `selected`.
inline void replaceItemsInPlace(QComboBox *list, const QStringList &items, int selected)
{
    list->setMaxCount(items.size());
    for (int i = 0; i < items.size(); ++i)
        list->insertItem(i, items.at(i));
    list->setCurrentIndex(selected);
}

// Where the core marks the texts of its lists for the translations.
constexpr char kLimitsContext[] = "orlo::limits";     // link/limits.h
constexpr char kModbusContext[] = "orlo::modbus";     // link/frames/modbus_frame.cpp

// A list's items as the window shows them: each source text (marked with
// QT_TRANSLATE_NOOP under `context` where the list is defined) in the language
// now installed. The source list stays what records and files store; the
// shown list only differs in words, so logic goes by index.
inline QStringList translatedItems(const char *context, const QStringList &items)
{
    QStringList shown;
    shown.reserve(items.size());
    for (const QString &item : items)
        shown << QCoreApplication::translate(context, item.toUtf8().constData());
    return shown;
}

// A list's entries written again in the language now installed (a language
// change): `items` are the source texts of the entries it holds. Its choice
// stays and no signal goes out.
inline void retranslateItems(QComboBox *list, const char *context, const QStringList &items)
{
    const QSignalBlocker quiet(list);
    const QStringList shown = translatedItems(context, items);
    for (int i = 0; i < list->count() && i < shown.size(); ++i)
        list->setItemText(i, shown.at(i));
}

// An hour or a minute as the lists show it: "07".
inline QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// A reading-time list: "--" for no time, then 0 .. last in steps, two digits each.
inline QStringList dashThenTwoDigits(int last, int step)
{
    QStringList items{QStringLiteral("--")};
    for (int value = 0; value <= last; value += step)
        items << twoDigits(value);
    return items;
}

} // namespace orlo
