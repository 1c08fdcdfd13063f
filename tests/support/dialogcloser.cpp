#include "support/dialogcloser.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace testing {

DialogCloser::DialogCloser()
{
    QCoreApplication::instance()->installEventFilter(this);
}

DialogCloser::~DialogCloser()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool DialogCloser::eventFilter(QObject *watched, QEvent *event)
{
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (event->type() != QEvent::Show || !dialog)
        return false;
    // Once its own event loop runs, as a user's click would come.
    QTimer::singleShot(0, dialog, [this, dialog] {
        ++count;
        auto *box = qobject_cast<QMessageBox *>(dialog);
        if (box && box->defaultButton())
            box->defaultButton()->click();
        else
            dialog->reject();
    });
    return false;
}

} // namespace testing
