#include "windows/view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "lessons/picture.h"
#include "lessons/placement.h"
#include "lessons/steps.h"
#include "windows/error_box.h"
#include "windows/picture_window.h"
#include "windows/screen.h"
#include "windows/wide.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace windows {

namespace layout = window::layout;
using layout::Kind;

namespace {

constexpr wchar_t kClassName[] = L"org.example.ramka";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFirstId = 100;        // clear of IDOK and IDCANCEL, which Enter and Escape send
constexpr UINT kFirstMenuId = 1000;  // the menu's items, after the controls

// The standard control that shows each kind, and its style.
struct Native {
  const wchar_t* class_name;
  DWORD style;
  DWORD extended_style;
};

Native NativeOf(Kind kind) {
  switch (kind) {
    case Kind::kNote:
      return {L"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
              WS_EX_CLIENTEDGE};
    case Kind::kTitle:
    case Kind::kLabel:
      return {L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::kTextBox:
      return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::kList:
      return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case Kind::kButton:
    case Kind::kPicture:
      return {L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0};
    case Kind::kFrame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case Kind::kOption:
      return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
  }
  return {L"STATIC", 0, 0};
}

// A control without text of its own, which a screen reader names after the label just before it.
bool NamedByLabel(Kind kind) {
  return kind == Kind::kNote || kind == Kind::kTextBox || kind == Kind::kList;
}

// The control that a label of the table names, if any.
const layout::Control* NamedBy(const layout::Control& label) {
  if (label.kind != Kind::kLabel) return nullptr;
  for (const layout::Control& control : layout::kControls) {
    if (NamedByLabel(control.kind) && control.accessible_name != nullptr &&
        std::string_view(control.accessible_name) == label.text) {
      return &control;
    }
  }
  return nullptr;
}

// The order in which the controls are made, which is their z-order: the tab order, which the
// dialog keys follow, but for a label that names a box or a list, which stands just before it,
// and the frame, which lies under the options it holds rather than paint over them.
std::vector<const layout::Control*> ZOrder() {
  const auto key = [](const layout::Control* control) {
    if (control->kind == Kind::kFrame) return 2 * static_cast<int>(layout::kControls.size());
    const layout::Control* named = NamedBy(*control);
    return named != nullptr ? 2 * named->tab - 1 : 2 * control->tab;
  };
  std::vector<const layout::Control*> order;
  for (const layout::Control& control : layout::kControls)
    order.push_back(&control);
  std::stable_sort(order.begin(), order.end(), [&](auto* a, auto* b) { return key(a) < key(b); });
  return order;
}

// A read-only note wants the arrows and paging keys to scroll, but not Tab, Enter and Escape:
// those move the focus or press nothing, as everywhere else in the window.
LRESULT CALLBACK NoteProc(HWND note, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR) {
  const LRESULT result = DefSubclassProc(note, message, wparam, lparam);
  return message == WM_GETDLGCODE ? result & ~DLGC_WANTALLKEYS : result;
}

// Sizes the window so that its client area is width × height, whatever its frame takes: the
// frame's size at the window's resolution is known only once the window stands there.
void FitClient(HWND window, int width, int height) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    if (client.right == width && client.bottom == height) return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                 outer.bottom - outer.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

// The window opens with every control in place at the screen's resolution; a window that opens
// on a monitor of another one is laid out again for it.
FormWindow::FormWindow(window::Form& form, lessons::Lessons& lessons)
    : form_(form), lessons_(lessons) {
  static const ATOM registered = RegisterWindowClass(kClassName, &Forward<FormWindow>, true);
  (void)registered;
  dpi_ = DpiOf(nullptr);
  RECT outer{0, 0, layout::Pixels(layout::kClientWidth, dpi_),
             layout::Pixels(layout::kClientHeight, dpi_)};
  AdjustWindowRectEx(&outer, kWindowStyle, TRUE, 0);
  CreateWindowExW(0, kClassName, WideFromUtf8(layout::kCaption).c_str(), kWindowStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  font_ = FontFor(dpi_);
  Build();
  BuildMenu();
  if (const int dpi = DpiOf(window_); dpi != dpi_) {
    Layout(dpi);
  } else {
    FitClient(window_, layout::Pixels(layout::kClientWidth, dpi),
              layout::Pixels(layout::kClientHeight, dpi));
  }
  for (int box = 0; box < 2; ++box) {
    TextChanged(box);
    EnabledChanged(box);
  }
  ShowOptions();
  AddListHints();
  form_.SetObserver(this);
  lessons_.steps.SetObserver(this);
  lessons_.practice.SetObserver(this);
  lessons_.change.SetObserver(this);
  kept_.Restore(lessons_.write);
  lessons_.write.SetKeeper(&kept_);
  lessons_.write.SetObserver(this);
}

FormWindow::~FormWindow() {
  form_.SetObserver(nullptr);
  lessons_.steps.SetObserver(nullptr);
  lessons_.practice.SetObserver(nullptr);
  lessons_.change.SetObserver(nullptr);
  lessons_.write.SetObserver(nullptr);
  lessons_.write.SetKeeper(nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // the window ends with the program, not by a close
  DestroyWindow(window_);                        // with its menu
  DestroyAcceleratorTable(shortcuts_);
  DeleteObject(font_);
}

UINT FormWindow::MenuId(lessons::menu::Command command) {
  return kFirstMenuId + static_cast<UINT>(command);
}

// The menu bar from the core's table, each item with its mnemonic and, after a tab, its shortcut
// key, which the shortcut keys' table then presses.
void FormWindow::BuildMenu() {
  menu_ = CreateMenu();
  std::vector<ACCEL> keys;
  for (const lessons::menu::Menu& each : lessons::menu::kMenus) {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < each.count; ++i) {
      const lessons::menu::Item& item = each.items[static_cast<size_t>(i)];
      const std::wstring text =
          WideFromUtf8(item.text) + L"\t" + WideFromUtf8(lessons::menu::Shortcut(item));
      AppendMenuW(popup, MF_STRING, MenuId(item.command), text.c_str());
      keys.push_back({FVIRTKEY, static_cast<WORD>(VK_F1 + item.function_key - 1),
                      static_cast<WORD>(MenuId(item.command))});
    }
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                WideFromUtf8(each.text).c_str());
  }
  SetMenu(window_, menu_);
  shortcuts_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
  ShowMenuState();
}

// An item that cannot act now is shown disabled.
void FormWindow::ShowMenuState() {
  for (const lessons::menu::Menu& each : lessons::menu::kMenus) {
    for (int i = 0; i < each.count; ++i) {
      const lessons::menu::Command command = each.items[static_cast<size_t>(i)].command;
      EnableMenuItem(
          menu_, MenuId(command),
          MF_BYCOMMAND | (lessons::menu::Enabled(command, form_) ? MF_ENABLED : MF_GRAYED));
    }
  }
}

HWND FormWindow::Control(std::string_view name, int index) const {
  for (const Placed& placed : controls_) {
    if (placed.control->name == name && placed.control->index == index) return placed.handle;
  }
  return nullptr;
}

const FormWindow::Placed* FormWindow::Find(HWND handle) const {
  for (const Placed& placed : controls_) {
    if (placed.handle == handle && handle != nullptr) return &placed;
  }
  return nullptr;
}

HWND FormWindow::Of(Kind kind, int index) const {
  for (const Placed& placed : controls_) {
    if (placed.control->kind == kind && placed.control->index == index) return placed.handle;
  }
  return nullptr;
}

// Makes every control of the layout table in its place. Each option button after the first
// joins the group of the one before, so that the arrows move between the two.
void FormWindow::Build() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const layout::Control* frame = layout::Frame();
  const layout::Control* previous = nullptr;
  for (const layout::Control* control : ZOrder()) {
    const std::wstring name = WideFromUtf8(
        control->accessible_name != nullptr ? control->accessible_name : control->text);
    const bool labelled = previous != nullptr && NamedBy(*previous) == control;
    if (NamedByLabel(control->kind) && !labelled) {  // an unseen label, for screen readers
      CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"STATIC", name.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0,
                      0, 0, window_, nullptr, instance, nullptr);
    }
    const Native native = NativeOf(control->kind);
    const bool joins_group =
        control->kind == Kind::kOption && previous != nullptr && previous->kind == Kind::kOption;
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style |
                        (control->hidden ? 0 : WS_VISIBLE) | (joins_group ? 0 : WS_GROUP);
    // A picture's text is never drawn; it is the name a screen reader reads.
    const std::wstring text = control->kind == Kind::kPicture ? name : WideFromUtf8(control->text);
    const auto id = static_cast<INT_PTR>(kFirstId + controls_.size());
    const layout::PixelRect rect = layout::InWindow(*control, frame, dpi_);
    // A note takes its text after its font, so that it breaks its lines once, in that font.
    const bool note = control->kind == Kind::kNote;
    HWND handle =
        CreateWindowExW(native.extended_style | WS_EX_NOPARENTNOTIFY, native.class_name,
                        note ? nullptr : text.c_str(), style, rect.x, rect.y, rect.width,
                        rect.height, window_, reinterpret_cast<HMENU>(id), instance, nullptr);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (note) {
      SetWindowTextW(handle, text.c_str());
      SetWindowSubclass(handle, NoteProc, 0, 0);
    }
    controls_.push_back({control, handle});
    previous = control;
  }
}

// Places every control and sizes the window for another resolution, in the table's font at that
// size.
void FormWindow::Layout(int dpi) {
  dpi_ = dpi;
  HFONT font = FontFor(dpi);
  const layout::Control* frame = layout::Frame();
  for (const Placed& placed : controls_) {
    const layout::PixelRect rect = layout::InWindow(*placed.control, frame, dpi);
    SetWindowPos(placed.handle, nullptr, rect.x, rect.y, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(placed.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  DeleteObject(font_);
  font_ = font;
  FitClient(window_, layout::Pixels(layout::kClientWidth, dpi),
            layout::Pixels(layout::kClientHeight, dpi));
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT FormWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (lparam == 0 && LOWORD(wparam) >= kFirstMenuId &&
          LOWORD(wparam) <= MenuId(lessons::menu::Command::kAbout)) {  // a menu item or its key
        Do(static_cast<lessons::menu::Command>(LOWORD(wparam) - kFirstMenuId));
      } else if (const Placed* placed = Find(reinterpret_cast<HWND>(lparam))) {
        Command(*placed, HIWORD(wparam));
      } else if (LOWORD(wparam) == IDOK) {  // Enter, which presses no button
        const Placed* focused = Find(GetFocus());
        if (focused != nullptr && focused->control->kind == Kind::kList &&
            form_.List1[focused->control->index].ListIndex() >= 0) {
          OpenPicture();
        }
      } else if (LOWORD(wparam) == IDCANCEL && picture_ != nullptr) {  // Escape
        picture_->Close();
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      return Colour(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam));
    case WM_DRAWITEM:
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillIn(reinterpret_cast<HDC>(wparam), client, layout::kBackground);
      return 1;
    }
    case WM_ACTIVATE:  // the focus returns to where it was, at first to the first control
      if (LOWORD(wparam) == WA_INACTIVE) {
        focus_ = GetFocus();
      } else {
        SetFocus(IsChild(window_, focus_) ? focus_ : GetNextDlgTabItem(window_, nullptr, FALSE));
      }
      return 0;
    case WM_DPICHANGED: {
      Layout(HIWORD(wparam));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case kPreviewKey:  // the menu's shortcut keys
      return TranslateAcceleratorW(window_, shortcuts_, reinterpret_cast<MSG*>(lparam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

// What a user did with a control, as its notification tells it.
void FormWindow::Command(const Placed& placed, int code) {
  const int index = placed.control->index;
  switch (placed.control->kind) {
    case Kind::kButton:
      if (code == BN_CLICKED) form_.UserClick(index);
      break;
    case Kind::kOption:
      if (code == BN_CLICKED) {
        form_.UserChoose(index);
        ShowOptions();  // the form decides, whatever the button did
      }
      break;
    case Kind::kList:
      if (code == LBN_SELCHANGE) {
        const auto row = static_cast<int>(SendMessageW(placed.handle, LB_GETCURSEL, 0, 0));
        if (row >= 0) form_.UserSelect(index, row);
        ShowSelection(index);
      } else if (code == LBN_DBLCLK && form_.List1[index].ListIndex() >= 0) {
        OpenPicture();
      }
      break;
    case Kind::kTextBox:
      if (code == EN_CHANGE && !mirroring_) Edited(index);
      break;
    default:
      break;
  }
}

// A user's edit of an input box goes to the form, which counts its limit in characters; when
// the form keeps less than was typed or pasted, the box shows what it kept, the caret where the
// form says.
void FormWindow::Edited(int box) {
  HWND handle = Of(Kind::kTextBox, box);
  const std::wstring proposed = TextOf(handle);
  const int caret = form_.UserEdit(box, FromWide(proposed));
  const runtime::String& kept = form_.Text2[box].Text();
  if (ToWide(kept) == proposed) return;
  TextChanged(box);
  const int at = WideLength(kept, caret);
  SendMessageW(handle, EM_SETSEL, static_cast<WPARAM>(at), at);
}

// The colours of the labels, the frame and the options, and the white of the read-only notes.
LRESULT FormWindow::Colour(HWND control, HDC dc) {
  const Placed* placed = Find(control);
  if (placed != nullptr && placed->control->colour) {
    const COLORREF colour = ToColorRef(*placed->control->colour);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, colour);
    SetDCBrushColor(dc, colour);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
  }
  if (placed != nullptr && placed->control->kind == Kind::kNote) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

// A button drawn in its colour; a picture's text is never drawn.
void FormWindow::Draw(const DRAWITEMSTRUCT& item) const {
  const Placed* placed = Find(item.hwndItem);
  if (placed == nullptr || !placed->control->colour) return;
  DrawButton(item, ToColorRef(*placed->control->colour),
             placed->control->kind == Kind::kButton ? WideFromUtf8(placed->control->text)
                                                    : std::wstring());
}

void FormWindow::OpenLessons() {
  if (picture_ == nullptr) picture_ = std::make_unique<PictureWindow>(form_, lessons_, window_);
}

void FormWindow::OpenPicture() {
  OpenLessons();
  picture_->ShowPage(0);
  picture_->Open(false);
}

void FormWindow::Do(lessons::menu::Command command) {
  if (!lessons::menu::Enabled(command, form_)) return;
  const int page = lessons::menu::PageOf(command);
  if (page < 0) {
    MessageBoxW(window_, WideFromUtf8(lessons::menu::AboutText()).c_str(),
                WideFromUtf8(lessons::menu::kAboutTitle).c_str(), MB_OK | MB_ICONINFORMATION);
    return;
  }
  OpenLessons();
  picture_->ShowPage(page);
  picture_->Open(lessons::menu::Activates(command));
}

void FormWindow::RefreshPicture() {
  if (picture_ != nullptr && picture_->IsOpen()) picture_->Refresh();
}

// Each result list tells, when the pointer rests on it, how to see a row's picture.
void FormWindow::AddListHints() {
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, dpi_, 96));  // broken into lines
  static std::wstring hint = WideFromUtf8(lessons::steps::kListHint);
  for (const Placed& placed : controls_) {
    if (placed.control->kind != Kind::kList) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(placed.handle);
    tool.lpszText = hint.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void FormWindow::TextChanged(int box) {
  RefreshPicture();  // the letters may now be numbered, or the mantra's
  HWND handle = Of(Kind::kTextBox, box);
  const std::wstring text = ToWide(form_.Text2[box].Text());
  if (TextOf(handle) == text) return;
  mirroring_ = true;
  SetWindowTextW(handle, text.c_str());
  mirroring_ = false;
}

void FormWindow::EnabledChanged(int box) {
  EnableWindow(Of(Kind::kTextBox, box), form_.Text2[box].Enabled() ? TRUE : FALSE);
}

void FormWindow::ValueChanged(int /*option*/) {
  ShowOptions();
  RefreshPicture();
}

// Each option shows the form's value; the selected one alone is a tab stop, so that Tab enters
// the group there.
void FormWindow::ShowOptions() {
  for (int i = 0; i < 2; ++i) {
    HWND handle = Of(Kind::kOption, i);
    const bool selected = form_.Option1[i].Value();
    SendMessageW(handle, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE, selected ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void FormWindow::ListCleared(int list) {
  SendMessageW(Of(Kind::kList, list), LB_RESETCONTENT, 0, 0);
  RefreshPicture();
  ShowMenuState();
}

void FormWindow::ItemAdded(int list) {
  const std::wstring item = ToWide(form_.List1[list].Items().back());
  SendMessageW(Of(Kind::kList, list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void FormWindow::ListIndexChanged(int list) {
  ShowSelection(list);
  RefreshPicture();
  ShowMenuState();
}

void FormWindow::ShowSelection(int list) {
  HWND handle = Of(Kind::kList, list);
  const int row = form_.List1[list].ListIndex();
  if (SendMessageW(handle, LB_GETCURSEL, 0, 0) != row) {
    SendMessageW(handle, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  }
}

void FormWindow::StepsChanged() {
  if (picture_ != nullptr) picture_->RefreshSteps();
}

void FormWindow::PracticeChanged() {
  if (picture_ != nullptr) picture_->RefreshPractice();
}

void FormWindow::ChangeChanged() {
  if (picture_ != nullptr) picture_->RefreshChange();
}

void FormWindow::WriteChanged() {
  if (picture_ != nullptr) picture_->RefreshWrite();
}

void FormWindow::ErrorReported(const runtime::RuntimeError& error) {
  ShowErrorBox(window_, error);
}

void Deliver(HWND window, MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  HWND dialog = root != nullptr && GetWindow(root, GW_OWNER) == window ? root : window;
  const bool key = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  if (key && root == dialog &&
      SendMessageW(dialog, kPreviewKey, 0, reinterpret_cast<LPARAM>(&message)) != 0) {
    return;
  }
  if (IsDialogMessageW(dialog, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int RunMessageLoop(HWND window) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    Deliver(window, message);
  return static_cast<int>(message.wParam);
}

}  // namespace windows
