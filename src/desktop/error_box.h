#pragma once

#include "runtime/runtime_error.h"

class QWidget;

namespace desktop {

// Reports a run-time error that reached the top of an event procedure: a modal message box,
// titled with the program's title, naming the error's number and description. Returns when the
// user has dismissed it.
void ShowErrorBox(QWidget* parent, const runtime::RuntimeError& error);

}  // namespace desktop
