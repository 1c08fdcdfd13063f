// The journal of this run as a table in a dialog: the window's view of the
// core's journal.
#pragma once

#include "link/journal.h"

class QWidget;

namespace orlo {
// The journal as a table in a dialog over `parent`.
void showJournal(QWidget *parent, const Journal &journal);
} // namespace orlo
