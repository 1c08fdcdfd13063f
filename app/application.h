// Application identity and resources, shared by the program, the demo and
// the tests.
#pragma once

class QCoreApplication;

namespace orlo {
void initApplication(QCoreApplication &app);
}
