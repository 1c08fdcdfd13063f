#include "support/coreapp.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace testing {

void isolateUserData()
{
    QStandardPaths::setTestModeEnabled(true);
    if (!qEnvironmentVariableIsEmpty("ORLO_HISTORY"))
        return;
    // Removed with the process, after every test function used it.
    static QTemporaryDir folder;
    if (!folder.isValid())
        qFatal("no temporary folder for the history: %s", qPrintable(folder.errorString()));
    qputenv("ORLO_HISTORY", QFile::encodeName(folder.filePath(QStringLiteral("history.sqlite"))));
}

} // namespace testing
