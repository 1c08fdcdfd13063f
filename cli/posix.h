// The few POSIX calls of orlo-cli: the signals that stop a run and a file
// pushed to the disk. Everything else in cli/ is Qt's, so a Windows build
// changes only this file (and isatty in the mains).
#pragma once

class QFile;

namespace orlo::cli {

// Whether SIGINT or SIGTERM came since the run began.
bool interrupted();
// A run begins: no signal seen yet.
void clearInterrupted();

// What was written to `file` is on the disk, not only in the system's
// cache: a power cut loses none of it.
void syncToDisk(QFile &file);

} // namespace orlo::cli
