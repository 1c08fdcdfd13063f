// Closes every dialog and message box of the application as soon as it
// shows, for tests that press things whose boxes they do not inspect: a
// modal one would stop the test, the others would pile up.
#pragma once

#include <QObject>

namespace testing {

class DialogCloser : public QObject
{
public:
    DialogCloser();
    ~DialogCloser() override;

    // How many it closed.
    int closed() const { return count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int count = 0;
};

} // namespace testing
