#include "windows/picture_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "lessons/placement.h"
#include "lessons/practice.h"
#include "windows/change_page.h"
#include "windows/practice_page.h"
#include "windows/screen.h"
#include "windows/squares_canvas.h"
#include "windows/steps_page.h"
#include "windows/wide.h"
#include "windows/write_page.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace windows {

namespace picture = lessons::picture;

namespace {

constexpr wchar_t kFrameClass[] = L"org.example.ramka.picture";

// The strip at the bottom of the picture's page where the words stand.
constexpr int kWordsHeight = 48;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kPages = 5;

}  // namespace

PictureWindow::PictureWindow(const window::Form& form, lessons::Lessons& lessons, HWND owner)
    : form_(form), lessons_(lessons) {
  static const bool registered =
      RegisterWindowClass(kFrameClass, &Forward<PictureWindow>, true) != 0 && [] {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
      }();
  (void)registered;
  dpi_ = DpiOf(owner);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Owned by the form's window: above it, gone with it, and no button of its own on the taskbar.
  CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, WideFromUtf8(lessons::PageTitle(0)).c_str(),
                  kStyle, 0, 0, 0, 0, owner, nullptr, instance, this);
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, nullptr,
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, 0, 0, window_,
                          nullptr, instance, nullptr);
  for (const char* name : {lessons::steps::kPictureTab, lessons::steps::kStepsTab,
                           lessons::practice::kTab, lessons::change::kTab, lessons::write::kTab}) {
    std::wstring text = WideFromUtf8(name);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0),
                 reinterpret_cast<LPARAM>(&item));
  }
  canvas_ = std::make_unique<SquaresCanvas>(window_, dpi_);
  words_ = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX,
                           0, 0, 0, 0, window_, nullptr, instance, nullptr);
  steps_page_ = std::make_unique<StepsPage>(lessons.steps, window_);
  practice_page_ = std::make_unique<PracticePage>(lessons.practice, window_, [this, &lessons] {
    if (!lessons.ShowInProgram()) return;
    ShowPage(1);
    FocusPage();
  });
  change_page_ = std::make_unique<ChangePage>(lessons.change, window_);
  write_page_ = std::make_unique<WritePage>(lessons.write, window_);
  for (HWND page : {canvas_->Handle(), words_, steps_page_->Handle(), practice_page_->Handle(),
                    change_page_->Handle(), write_page_->Handle()})
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Place(owner);
  Scale(DpiOf(window_));
  ShowPage(0);
}

// Where the window opens: its size at the form's resolution, beside the form where it fits on
// the form's monitor, else where it fits on that monitor's work area.
void PictureWindow::Place(HWND owner) {
  RECT outer{0, 0, MulDiv(lessons::placement::kWidth, dpi_, 96),
             MulDiv(lessons::placement::kHeight, dpi_, 96)};
  AdjustWindowRectEx(&outer, kStyle, FALSE, WS_EX_CONTROLPARENT);
  RECT form;
  GetWindowRect(owner, &form);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const window::layout::PixelRect placed = lessons::placement::Beside(
      {form.left, form.top, form.right - form.left, form.bottom - form.top},
      outer.right - outer.left, outer.bottom - outer.top,
      {work.left, work.top, work.right - work.left, work.bottom - work.top}, MulDiv(8, dpi_, 96));
  SetWindowPos(window_, nullptr, placed.x, placed.y, placed.width, placed.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

PictureWindow::~PictureWindow() {
  write_page_.reset();
  change_page_.reset();
  practice_page_.reset();
  steps_page_.reset();
  canvas_.reset();
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  DeleteObject(font_);
}

HWND PictureWindow::Canvas() const {
  return canvas_->Handle();
}

const picture::Picture& PictureWindow::Picture() const {
  return canvas_->Picture();
}

void PictureWindow::Open(bool activate) {
  if (window_ == nullptr) return;
  Refresh();
  // A window the user minimised comes back at its size.
  if (activate) {
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    FocusPage();
  } else if (IsWindowVisible(window_) && !IsIconic(window_)) {
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
}

void PictureWindow::Close() {
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_HIDE);
  steps_page_->StopPlaying();
}

void PictureWindow::Refresh() {
  canvas_->SetPicture(picture::Picture::Of(form_));
  if (window_ == nullptr) return;
  SetWindowTextW(words_, WideFromUtf8(canvas_->Picture().Words()).c_str());
}

void PictureWindow::RefreshSteps() {
  steps_page_->Refresh();
}

void PictureWindow::RefreshPractice() {
  practice_page_->Refresh();
}

void PictureWindow::RefreshChange() {
  change_page_->Refresh();
}

void PictureWindow::RefreshWrite() {
  write_page_->Refresh();
}

void PictureWindow::ShowPage(int page) {
  page_ = std::clamp(page, 0, kPages - 1);
  SetWindowTextW(window_, WideFromUtf8(lessons::PageTitle(page_)).c_str());
  if (page_ == 3) lessons_.OpenChange();  // its N starts with the window's count
  if (page_ == 4) lessons_.OpenWrite();
  if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != page_)
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(page_), 0);
  ShowWindow(canvas_->Handle(), page_ == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(words_, page_ == 0 ? SW_SHOW : SW_HIDE);
  steps_page_->Show(page_ == 1);
  ShowWindow(practice_page_->Handle(), page_ == 2 ? SW_SHOW : SW_HIDE);
  ShowWindow(change_page_->Handle(), page_ == 3 ? SW_SHOW : SW_HIDE);
  ShowWindow(write_page_->Handle(), page_ == 4 ? SW_SHOW : SW_HIDE);
  if (GetActiveWindow() == window_) FocusPage();
}

// The focus goes to the page shown: the steps' buttons, the practice's first box in use, or the
// tabs of the picture.
void PictureWindow::FocusPage() {
  if (page_ == 1) {
    steps_page_->TakeFocus();
  } else if (page_ == 2) {
    practice_page_->TakeFocus();
  } else if (page_ == 3) {
    change_page_->TakeFocus();
  } else if (page_ == 4) {
    write_page_->TakeFocus();
  } else {
    SetFocus(tabs_);
  }
}

// The pages take the tab control's display area; on the picture's page the squares take it but
// for a strip at the bottom, where the words stand.
void PictureWindow::Arrange() {
  RECT client;
  GetClientRect(window_, &client);
  const int margin = MulDiv(8, dpi_, 96);
  MoveWindow(tabs_, margin, margin, std::max(0, static_cast<int>(client.right) - 2 * margin),
             std::max(0, static_cast<int>(client.bottom) - 2 * margin), TRUE);
  RECT area;
  GetWindowRect(tabs_, &area);
  MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&area), 2);
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const int words = MulDiv(kWordsHeight, dpi_, 96);
  const int width = std::max(0, static_cast<int>(area.right - area.left) - 2 * margin);
  const int height = std::max(0, static_cast<int>(area.bottom - area.top) - words - 2 * margin);
  MoveWindow(canvas_->Handle(), area.left + margin, area.top + margin, width, height, TRUE);
  MoveWindow(words_, area.left + margin, area.top + margin + height, width, words, TRUE);
  steps_page_->Place(area, dpi_, font_);
  practice_page_->Place(area, dpi_, font_);
  change_page_->Place(area, dpi_, font_);
  write_page_->Place(area, dpi_, font_);
}

void PictureWindow::Scale(int dpi) {
  dpi_ = dpi;
  HFONT font = FontFor(dpi);
  for (HWND control : {tabs_, words_})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  canvas_->SetDpi(dpi);
  DeleteObject(font_);
  font_ = font;
  Arrange();
}

LRESULT PictureWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Arrange();
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    case WM_SETFOCUS:  // the window's focus goes to its page
      FocusPage();
      return 0;
    case kPreviewKey: {  // Ctrl+Tab and Ctrl+Shift+Tab, wherever the focus is in the window
      const auto* key = reinterpret_cast<const MSG*>(lparam);
      if (key->message != WM_KEYDOWN || key->wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0)
        return 0;
      ShowPage((page_ + (GetKeyState(VK_SHIFT) < 0 ? kPages - 1 : 1)) % kPages);
      FocusPage();
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      return LabelColours(reinterpret_cast<HDC>(wparam), picture::kBackground);
    case WM_ERASEBKGND:
      return EraseIn(window_, reinterpret_cast<HDC>(wparam), picture::kBackground);
    case WM_COMMAND:  // Escape and Enter, as the dialog keys give them
      if (LOWORD(wparam) == IDCANCEL) Close();
      if (LOWORD(wparam) == IDOK && page_ == 2) practice_page_->Enter(GetFocus());
      if (LOWORD(wparam) == IDOK && page_ == 3) change_page_->Enter(GetFocus());
      if (LOWORD(wparam) == IDOK && page_ == 4) write_page_->Enter(GetFocus());
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) Close();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED: {
      Scale(HIWORD(wparam));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_NCDESTROY:  // with the form's window, which owns this one
      window_ = tabs_ = words_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

}  // namespace windows
