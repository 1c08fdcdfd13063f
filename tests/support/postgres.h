// A throwaway PostgreSQL server in a temporary folder, for the tests of a
// history on a server: started by the object, stopped with it.
#pragma once

#include <QProcess>
#include <QTemporaryDir>

namespace testing {

class ThrowawayPostgres
{
public:
    ThrowawayPostgres()
    {
        // Every connection of the test and of the programs it starts.
        if (qEnvironmentVariableIsEmpty("PGPASSWORD"))
            qputenv("PGPASSWORD", "orlo-test");
        start();
    }
    ~ThrowawayPostgres() { stop(); }

    bool start() { return run("start", &url); }
    bool stop() { return run("stop", nullptr); }
    // A new, empty database on it: its URL, without a password; empty when it could not.
    QString freshDatabase() { QString made; run("database", &made); return made; }

    QString url;        // of its first database; empty when it could not start
    QString problem;    // what the last step that failed said

private:
    bool run(const char *action, QString *said)
    {
        QProcess script;
        script.start("bash", {ORLO_SOURCE_DIR "/tests/support/postgres.sh", action, folder.path()});
        const bool done = script.waitForFinished(120000) && script.exitStatus() == QProcess::NormalExit
                          && script.exitCode() == 0;
        problem = done ? QString() : QString::fromLocal8Bit(script.readAllStandardError());
        if (done && said)
            *said = QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
        return done;
    }

    QTemporaryDir folder;
};

} // namespace testing
