#include "widgets/widgetexchange.h"

#include "link/hid.h"
#include "link/writecycle.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cstring>

namespace orlo::widgetpage {

namespace {
constexpr int kLastProgress = 100;
} // namespace

void Frame::clear()
{
    std::memset(bytes, 0, sizeof bytes);
}

bool request(Hid &link, Frame &frame, quint8 command)
{
    frame.clear();
    frame.payload()[0] = command;
    // No answer follows a request the module did not take whole.
    if (link.writeReports(frame.bytes, kReports) != kWholeFrame)
        return false;
    // writeReports left report identifiers in the payload: the answer starts clean.
    frame.clear();
    return link.readReports(frame.bytes, kReports, 0) == kWholeFrame;
}

bool write(Hid &link, Frame &frame, const WriteControls &controls)
{
    controls.write->setEnabled(false);
    controls.defaults->setEnabled(false);
    controls.result->setText(result::kBusy);
    const bool resumeInformation = controls.information && controls.information->isActive();
    if (controls.information)
        controls.information->stop();

    int total = link.writeReports(frame.bytes, kReports);
    controls.progress->start(kProgressMs);
    if (total == kWholeFrame) {
        frame.clear();
        total = link.readReports(frame.bytes, kReports, 1);
    }
    controls.progress->stop();
    controls.bar->setValue(0);

    const bool accepted = total == kWholeFrame && frame.payload()[0] == 0;
    controls.result->setText(accepted ? result::kOk : result::kFailed);
    controls.write->setEnabled(true);
    controls.defaults->setEnabled(true);
    if (resumeInformation)
        controls.information->start();
    return accepted;
}

void stepProgress(QProgressBar *bar)
{
    bar->setValue(bar->value() >= kLastProgress ? 0 : bar->value() + 1);
}

} // namespace orlo::widgetpage
