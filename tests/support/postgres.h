// A throwaway PostgreSQL server in a temporary folder, for the tests of a
// history on a server: started by the object, stopped and removed with it.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testing {

class ThrowawayPostgres
{
public:
    static constexpr const char *kPassword = "orlo-test";

    // Starts it; url() is empty, and problem() says why, when it could not.
    ThrowawayPostgres();
    ~ThrowawayPostgres();
    ThrowawayPostgres(const ThrowawayPostgres &) = delete;
    ThrowawayPostgres &operator=(const ThrowawayPostgres &) = delete;

    bool start();
    bool stop();
    const QString &url() const { return serverUrl; }
    const QString &problem() const { return lastProblem; }
    // A new, empty database on it: its URL, without a password.
    QString freshDatabase();

private:
    bool run(const QString &action, QString *said = nullptr);

    QTemporaryDir folder;
    QString serverUrl;
    QString lastProblem;
    int databases = 0;
};

} // namespace testing
