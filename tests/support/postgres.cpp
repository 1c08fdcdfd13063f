#include "support/postgres.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace testing {

ThrowawayPostgres::ThrowawayPostgres()
{
    // Every connection of the test and of the programs it starts.
    if (qEnvironmentVariableIsEmpty("PGPASSWORD"))
        qputenv("PGPASSWORD", kPassword);
    start();
}

ThrowawayPostgres::~ThrowawayPostgres()
{
    if (!serverUrl.isEmpty())
        stop();
}

bool ThrowawayPostgres::run(const QString &action, QString *said)
{
    QProcess script;
    script.start(QStringLiteral("bash"), {QStringLiteral(ORLO_POSTGRES_SCRIPT), action, folder.path()});
    if (!script.waitForFinished(120000) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        lastProblem = QString::fromLocal8Bit(script.readAllStandardError());
        return false;
    }
    if (said)
        *said = QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
    return true;
}

bool ThrowawayPostgres::start()
{
    return folder.isValid() && run(QStringLiteral("start"), &serverUrl);
}

bool ThrowawayPostgres::stop()
{
    return run(QStringLiteral("stop"));
}

QString ThrowawayPostgres::freshDatabase()
{
    const QString name = QStringLiteral("history_%1").arg(++databases);
    const QString connection = QStringLiteral("throwaway-postgres");
    bool made = false;
    {
        QSqlDatabase server = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        const QUrl url(serverUrl);
        server.setHostName(QUrlQuery(url).queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded));
        server.setUserName(url.userName());
        server.setDatabaseName(url.path().mid(1));
        QSqlQuery create(server);
        made = server.open() && create.exec(QStringLiteral("CREATE DATABASE ") + name);
        lastProblem = server.lastError().text() + create.lastError().text();
        server.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!made)
        return {};
    QUrl url(serverUrl);
    url.setPath(QLatin1Char('/') + name);
    return url.toString();
}

} // namespace testing
