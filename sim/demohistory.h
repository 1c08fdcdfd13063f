// The programs on the simulator keep their rows apart from a real bench's:
// demo-history.sqlite beside the real history, unless ORLO_HISTORY names
// another (a server's rows wait there too, unless ORLO_HISTORY_LOCAL names
// another). Called once the application has its names.
#pragma once

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace sim {

inline void useDemoHistory()
{
    const QByteArray demo = QFile::encodeName(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                                                  .filePath(QStringLiteral("demo-history.sqlite")));
    for (const char *variable : {"ORLO_HISTORY", "ORLO_HISTORY_LOCAL"})
        if (qEnvironmentVariableIsEmpty(variable))
            qputenv(variable, demo);
}

} // namespace sim
