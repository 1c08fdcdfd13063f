// Application identity and resources, shared by the program, the demo and
// the tests.
#pragma once

class QCoreApplication;
class QWidget;

namespace orlo {
// Before the application object exists: the fixed window and its absolute
// layouts follow the desktop's scale factor, images use their @2x variants.
void enableHighDpi();
void initApplication(QCoreApplication &app);
// On a high-DPI screen, the labels of a form built by setupUi show the @2x
// variant of their image (Qt takes it by itself only for icons).
void useSharpImages(QWidget *form);
}
