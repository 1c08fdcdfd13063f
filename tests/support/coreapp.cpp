#include "support/coreapp.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace testing {

void isolateUserData()
{
    QStandardPaths::setTestModeEnabled(true);
    // The source texts, whatever the machine's language: the tests assert them.
    if (qEnvironmentVariableIsEmpty("ORLO_LANGUAGE"))
        qputenv("ORLO_LANGUAGE", "source");
    // The settings (the language chosen in the menu) stay out of the user's.
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    if (!qEnvironmentVariableIsEmpty("ORLO_HISTORY"))
        return;
    // Removed with the process, after every test function used it.
    static QTemporaryDir folder;
    if (!folder.isValid())
        qFatal("no temporary folder for the history: %s", qPrintable(folder.errorString()));
    qputenv("ORLO_HISTORY", QFile::encodeName(folder.filePath(QStringLiteral("history.sqlite"))));
    // Where rows wait for a history server that cannot be reached.
    qputenv("ORLO_HISTORY_LOCAL", QFile::encodeName(folder.filePath(QStringLiteral("waiting.sqlite"))));
}

} // namespace testing
