// Start-up of the tests that need no window: they link the core (and the
// simulator) without QtWidgets, on a QCoreApplication.
#pragma once

#include <QCoreApplication>
#include <QtTest>

namespace testing {

// Keeps every test away from the user's own files: QStandardPaths in its
// test mode, and the history in a temporary folder that lives as long as the
// process ($ORLO_HISTORY, unless the caller named one).
void isolateUserData();

} // namespace testing

#define ORLO_CORE_TEST_MAIN(TestClass)                \
    int main(int argc, char *argv[])                  \
    {                                                 \
        QCoreApplication app(argc, argv);             \
        testing::isolateUserData();                   \
        TestClass test;                               \
        return QTest::qExec(&test, argc, argv);       \
    }
