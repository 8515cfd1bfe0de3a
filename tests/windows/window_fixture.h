#pragma once

// The program on the standard Windows controls, driven as a user drives it: keys, characters
// and clicks posted to the window's own message loop, which then delivers them as it delivers a
// user's. What the window shows afterwards is read back from the controls themselves.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "lessons/picture.h"
#include "windows/picture_window.h"
#include "windows/practice_page.h"
#include "windows/program.h"
#include "windows/squares_canvas.h"
#include "windows/steps_page.h"
#include "windows/wide.h"

using Lists = std::array<std::vector<std::wstring>, 3>;
inline const Lists kSeventy = {
    {{L"1", L"2", L"5", L"7"}, {L"70", L"35", L"14", L"10"}, {L"146", L"78", L"42", L"38"}}};
inline constexpr wchar_t kCaption[] = L"Математика - периметър на правоъгълник";

inline std::wstring Text(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A control's text as a test reads its words: the no-break spaces that keep a formula on one
// line read as blanks.
inline std::wstring Said(HWND control) {
  std::wstring text = Text(control);
  for (wchar_t& unit : text) {
    if (unit == L'\u00A0') unit = L' ';
  }
  return text;
}

// A text as a test's message prints it.
inline std::string Utf8(const std::wstring& text) {
  return runtime::ToUtf8(windows::FromWide(text));
}

inline std::wstring ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return name;
}

inline RECT InClient(HWND control, HWND window) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The pixel edge of a coordinate in twips at 96 dots per inch.
inline int Pixel(int twips) {
  return (2 * twips + 15) / 30;
}

// A folder of the test's own in place of the user's application data folder, where the program
// keeps what it keeps: made empty before the program starts, and gone with the test.
class OwnFolder {
 public:
  OwnFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int made = 0;
    path = std::wstring(temp) + L"ramka-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++made);
    Remove(path);
    CreateDirectoryW(path.c_str(), nullptr);
    SetEnvironmentVariableW(L"APPDATA", path.c_str());
  }
  ~OwnFolder() { Remove(path); }
  OwnFolder(const OwnFolder&) = delete;
  OwnFolder& operator=(const OwnFolder&) = delete;

  std::wstring path;

 private:
  static void Remove(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          Remove(folder + L"\\" + name);
        } else {
          DeleteFileW((folder + L"\\" + name).c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }
};

class Window : public testing::Test {
 protected:
  void SetUp() override {
    program.Start(SW_SHOWNORMAL);
    Settle();
  }

  HWND Control(const char* name, int index) const { return program.view.Control(name, index); }
  HWND Main() const { return program.view.Handle(); }

  // Delivers whatever waits in the queue, as the program's message loop does.
  void Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      windows::Deliver(Main(), message);
  }

  void Click(HWND control, POINT at) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Settle();
  }
  void Click(HWND control) {
    RECT rect;
    GetClientRect(control, &rect);
    Click(control, {rect.right / 2, rect.bottom / 2});
  }
  void ClickRow(int list, int row) {
    RECT rect;
    SendMessageW(Control("List1", list), LB_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&rect));
    Click(Control("List1", list), {rect.left + 5, (rect.top + rect.bottom) / 2});
  }

  // A key pressed on the focused control, Shift held down or not.
  void Press(UINT key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    Settle();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  // Characters typed into a box, one message per UTF-16 unit, as the keyboard delivers them.
  void Type(HWND box, std::wstring_view text) {
    for (const wchar_t unit : text)
      PostMessageW(box, WM_CHAR, unit, 1);
    Settle();
  }
  void Retype(HWND box, std::wstring_view text) {
    SetFocus(box);
    PostMessageW(box, EM_SETSEL, 0, -1);
    Type(box, text);
  }

  // A paste from the clipboard, as the box's context menu gives it.
  void Paste(HWND box, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(Main()));
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    PostMessageW(box, WM_PASTE, 0, 0);
    Settle();
  }

  Lists Shown() const {
    Lists lists;
    for (int i = 0; i < 3; ++i) {
      HWND list = Control("List1", i);
      for (int row = 0; row < SendMessageW(list, LB_GETCOUNT, 0, 0); ++row) {
        std::wstring item(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(item.data()));
        lists[static_cast<size_t>(i)].push_back(item);
      }
    }
    return lists;
  }
  std::array<LRESULT, 3> Selection() const {
    std::array<LRESULT, 3> rows{};
    for (int i = 0; i < 3; ++i)
      rows[static_cast<size_t>(i)] = SendMessageW(Control("List1", i), LB_GETCURSEL, 0, 0);
    return rows;
  }
  bool Checked(int option) const {
    return SendMessageW(Control("Option1", option), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::string Focused() const {
    for (const auto& control : window::layout::kControls) {
      if (Control(control.name, control.index) == GetFocus())
        return control.name + ("(" + std::to_string(control.index) + ")");
    }
    return "elsewhere";
  }

  OwnFolder app_data;  // before the program, which reads it as it starts
  windows::Program program;
};

// Every control of a page that can be seen stands inside it, clear of the others, and large
// enough for its text: a button's on one line; a label's on one line where it is short and not
// sunken, or, with `wrapped`, every label's broken into lines as the label breaks it. A button
// that the page draws itself is named by its text, which it does not show.
inline void ExpectWhole(HWND page, bool wrapped = false) {
  RECT area;
  GetClientRect(page, &area);
  // A page that scrolls holds its controls within its whole height, as far down as it goes.
  SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
  int scrolled = 0;
  if ((GetWindowLongPtrW(page, GWL_STYLE) & WS_VSCROLL) != 0 &&
      GetScrollInfo(page, SB_VERT, &bar) != FALSE && bar.nMax > 0) {
    area.bottom = bar.nMax + 1;
    scrolled = bar.nPos;
  }
  std::vector<std::pair<HWND, RECT>> shown;
  for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT rect = InClient(child, page);
    OffsetRect(&rect, 0, scrolled);
    const std::wstring text = Text(child);
    const std::string name = Utf8(ClassOf(child) + L" " + text.substr(0, 30));
    EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= area.right &&
                rect.bottom <= area.bottom)
        << name << " at " << rect.left << "," << rect.top << " " << rect.right << ","
        << rect.bottom;
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    const bool button = ClassOf(child) == L"Button" && (style & BS_TYPEMASK) != BS_OWNERDRAW;
    const bool label = ClassOf(child) == L"Static" && (style & SS_TYPEMASK) != SS_OWNERDRAW &&
                       (wrapped || (text.size() < 60 && (style & SS_SUNKEN) == 0));
    if ((button || label) && !text.empty()) {
      RECT client;
      GetClientRect(child, &client);
      HDC dc = GetDC(child);
      const HGDIOBJ before =
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
      RECT needed{0, 0, client.right, 0};
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_NOPREFIX | (wrapped && label ? DT_WORDBREAK : DT_SINGLELINE));
      SelectObject(dc, before);
      ReleaseDC(child, dc);
      EXPECT_LE(needed.right, client.right) << name;
      EXPECT_LE(needed.bottom, client.bottom) << name;
    }
    if (ClassOf(child) != L"msctls_updown32") shown.emplace_back(child, rect);
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      RECT both;
      EXPECT_FALSE(IntersectRect(&both, &shown[i].second, &shown[j].second))
          << Utf8(Text(shown[i].first)) << " and " << Utf8(Text(shown[j].first));
    }
  }
}

// A canvas painted into a bitmap of the canvas's size, as the canvas paints itself: its pixels.
class Painted {
 public:
  explicit Painted(const windows::Canvas& canvas) {
    RECT client;
    GetClientRect(canvas.Handle(), &client);
    width = client.right;
    height = client.bottom;
    screen_ = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateCompatibleBitmap(screen_, width, height);
    before_ = SelectObject(dc_, bitmap_);
    canvas.PaintInto(dc_, width, height);
  }
  ~Painted() {
    SelectObject(dc_, before_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  Painted(const Painted&) = delete;
  Painted& operator=(const Painted&) = delete;

  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

  int width = 0;
  int height = 0;

 private:
  HDC screen_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ before_;
};

// The colour inside each square, as a canvas paints its picture, counted by colour.
inline std::map<COLORREF, int> Counted(const windows::SquaresCanvas& canvas) {
  const Painted painted(canvas);
  const auto& picture = canvas.Picture();
  const auto scene = lessons::picture::Paint(picture, painted.width, painted.height);
  std::map<COLORREF, int> counted;
  for (int row = 0; row < picture.Rows(); ++row) {
    for (int column = 0; column < picture.Columns(); ++column) {
      ++counted[painted.At(scene.grid.x + column * scene.square + 2,
                           scene.grid.y + row * scene.square + 2)];
    }
  }
  return counted;
}

class Picture : public Window {
 protected:
  windows::PictureWindow* Drawn() const { return program.view.Picture(); }
  bool Open() const { return Drawn() != nullptr && Drawn()->IsOpen(); }

  void DoubleClickRow(int list, int row) {
    RECT rect;
    HWND handle = Control("List1", list);
    SendMessageW(handle, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
    PostMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(handle, WM_LBUTTONUP, 0, at);
    PostMessageW(handle, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(handle, WM_LBUTTONUP, 0, at);
    Settle();
  }

  std::map<COLORREF, int> PaintedSquares() const { return Counted(Drawn()->Squares()); }
};

inline const COLORREF kGold = RGB(0xC0, 0xC0, 0x00);
inline const COLORREF kOlive = RGB(0x80, 0x80, 0x00);
inline const COLORREF kBlank = RGB(0xD8, 0xD8, 0xB0);
