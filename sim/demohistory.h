// The programs on the simulator keep their rows apart from a real bench's:
// demo-history.sqlite beside the real history, unless ORLO_HISTORY names
// another. Called once the application has its names.
#pragma once

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace sim {

inline void useDemoHistory()
{
    if (qEnvironmentVariableIsEmpty("ORLO_HISTORY"))
        qputenv("ORLO_HISTORY",
                QFile::encodeName(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                                      .filePath(QStringLiteral("demo-history.sqlite"))));
}

} // namespace sim
