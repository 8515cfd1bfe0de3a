// The yardstick of the Windows start-up benchmark: a bare window of the program's client size
// (475 × 424 pixels at 96 dots per inch) holding one label, and its message loop. Built with
// COMMON_CONTROLS, it loads Common Controls 6 as the program does.
#include <windows.h>

#ifdef COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int show) {
#ifdef COMMON_CONTROLS
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"bare";
  RegisterClassW(&window_class);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT outer{0, 0, 475, 424};
  AdjustWindowRect(&outer, style, FALSE);
  HWND window = CreateWindowExW(0, L"bare", L"bare window", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, instance, nullptr);
  CreateWindowExW(0, L"STATIC", L"Математика - рамка с минимален периметър",
                  WS_CHILD | WS_VISIBLE | SS_CENTER, 56, 0, 321, 25, window, nullptr, instance,
                  nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
