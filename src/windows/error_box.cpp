#include "windows/error_box.h"

#include "window/layout.h"
#include "windows/wide.h"

namespace windows {

void ShowErrorBox(HWND owner, const runtime::RuntimeError& error) {
  MessageBoxW(owner, WideFromUtf8(error.Message()).c_str(),
              WideFromUtf8(window::layout::kCaption).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace windows
