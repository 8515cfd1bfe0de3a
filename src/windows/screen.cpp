#include "windows/screen.h"

#include <commctrl.h>

#include <initializer_list>

#include "windows/wide.h"

namespace windows {

int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window != nullptr && get_dpi != nullptr) return static_cast<int>(get_dpi(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

HFONT FontFor(int dpi, int pixels) {
  namespace layout = window::layout;
  const int height = pixels > 0 ? pixels : MulDiv(layout::kFontPoints, dpi, 72);
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_ROMAN, WideFromUtf8(layout::kFontFamily).c_str());
}

namespace {

int CALLBACK FoundFace(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                       LPARAM seen) {
  *reinterpret_cast<bool*>(seen) = true;
  return 0;
}

// The first of the faces installed, else the first.
const wchar_t* FirstInstalled(std::initializer_list<const wchar_t*> faces) {
  const auto installed = [](const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    for (int i = 0; i < LF_FACESIZE - 1 && face[i] != L'\0'; ++i)
      wanted.lfFaceName[i] = face[i];
    HDC screen = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, &FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
  };
  for (const wchar_t* each : faces) {
    if (installed(each)) return each;
  }
  return *faces.begin();
}

}  // namespace

HFONT StarsFont(int pixels) {
  static const wchar_t* const face =
      FirstInstalled({L"Segoe UI Symbol", L"DejaVu Sans", L"Arial Unicode MS"});
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

HFONT FixedFont(int pixels) {
  static const wchar_t* const face =
      FirstInstalled({L"Consolas", L"Courier New", L"Liberation Mono", L"DejaVu Sans Mono"});
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, face);
}

COLORREF ToColorRef(window::layout::Rgb rgb) {
  return RGB(rgb.red, rgb.green, rgb.blue);
}

RECT ToRect(const window::layout::PixelRect& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

void FillIn(HDC dc, const RECT& rect, window::layout::Rgb colour) {
  SetDCBrushColor(dc, ToColorRef(colour));
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawButton(const DRAWITEMSTRUCT& item, COLORREF face, const std::wstring& text) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  RECT rect = item.rcItem;
  SetDCBrushColor(item.hDC, face);
  FillRect(item.hDC, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  DrawEdge(item.hDC, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (!text.empty()) {
    if (pressed) OffsetRect(&rect, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
                 (item.itemState & ODS_DISABLED) != 0 ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    rect = item.rcItem;
    InflateRect(&rect, -3, -3);
    DrawFocusRect(item.hDC, &rect);
  }
}

LRESULT LabelColours(HDC dc, window::layout::Rgb background) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, ToColorRef(background));
  SetDCBrushColor(dc, ToColorRef(background));
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

LRESULT EraseIn(HWND window, HDC dc, window::layout::Rgb colour) {
  RECT client;
  GetClientRect(window, &client);
  FillIn(dc, client, colour);
  return 1;
}

SIZE MovePage(HWND page, const RECT& area) {
  const SIZE size{area.right - area.left, area.bottom - area.top};
  MoveWindow(page, area.left, area.top, size.cx, size.cy, TRUE);
  return size;
}

LRESULT PageDefault(HWND& window, UINT message, WPARAM wparam, LPARAM lparam) {
  constexpr window::layout::Rgb kPage = window::layout::kBackground;  // the picture's, too
  switch (message) {
    case WM_CTLCOLORSTATIC:
      return LabelColours(reinterpret_cast<HDC>(wparam), kPage);
    case WM_ERASEBKGND:
      return EraseIn(window, reinterpret_cast<HDC>(wparam), kPage);
    case WM_NCDESTROY: {  // with the lessons' window
      const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
      window = nullptr;
      return result;
    }
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

HWND MakeChild(const wchar_t* type, const std::wstring& text, DWORD style, HWND parent, int id) {
  return CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

HWND MakeTextBox(const std::wstring& text, int limit, HWND parent, int id) {
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
  SendMessageW(box, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
  return box;
}

HWND MakeArrows(HWND box, HWND parent) {
  HWND arrows = MakeChild(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_ARROWKEYS, parent);
  SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
  SendMessageW(arrows, UDM_SETRANGE32, 0, 100);
  SendMessageW(arrows, UDM_SETPOS32, 0, 50);  // never at an end, where a step would not be told
  return arrows;
}

int ArrowStep(LPARAM notification, HWND arrows) {
  const auto* header = reinterpret_cast<const NMHDR*>(notification);
  if (header->hwndFrom != arrows || header->code != UDN_DELTAPOS) return 0;
  return reinterpret_cast<const NMUPDOWN*>(notification)->iDelta > 0 ? 1 : -1;
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ShowText(HWND control, const std::wstring& text) {
  if (TextOf(control) != text) SetWindowTextW(control, text.c_str());
}

void ShowLines(HWND list, const std::vector<std::wstring>& lines) {
  const auto count = static_cast<size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i < count) {
      std::wstring item(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      if (item == lines[i]) continue;
      SendMessageW(list, LB_DELETESTRING, i, 0);
    }
    SendMessageW(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(lines[i].c_str()));
  }
  for (size_t i = count; i > lines.size(); --i)
    SendMessageW(list, LB_DELETESTRING, i - 1, 0);
}

ATOM RegisterWindowClass(const wchar_t* name, WNDPROC procedure, bool icons) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  if (icons) {
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    window_class.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  }
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class);
}

}  // namespace windows
