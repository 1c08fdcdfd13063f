// The few calls that differ between Qt 5 and Qt 6 (-DORLO_QT=6), kept here so
// that no other source needs to know which one it is built on.
#pragma once

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTextStream>
#include <QtGlobal>

namespace orlo::qtcompat {

// Qt 6 always scales by the desktop's factor and loads @2x images; Qt 5 does
// so only when asked, before the application object exists.
inline void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

// Trace lines are UTF-8 whatever the locale.
inline void writeUtf8(QTextStream &out)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    out.setCodec("UTF-8");
#else
    out.setEncoding(QStringConverter::Utf8);
#endif
}

// Where the system keeps Qt's own translations.
inline QString translationsPath()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace orlo::qtcompat
