#pragma once

#include <windows.h>

#include "runtime/runtime_error.h"

namespace windows {

// Reports a run-time error that reached the top of an event procedure: a modal message box over
// `owner`, titled with the program's title, naming the error's number and description, with one
// OK button. Returns when the user has dismissed it.
void ShowErrorBox(HWND owner, const runtime::RuntimeError& error);

}  // namespace windows
