#include "windows/code_editor.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "lessons/picture.h"
#include "lessons/write.h"
#include "windows/wide.h"

namespace windows {

namespace {

constexpr wchar_t kNumbersClass[] = L"org.example.ramka.numbers";
constexpr wchar_t kIndent[] = L"    ";  // what Tab puts at the caret
constexpr int kPixels = 14;             // the text's height at 96 dots per inch
constexpr int kNowhere = -(1 << 15);    // the place across of a character the control cannot give
// The raster operation that ANDs a brush into what is painted: white takes the brush's colour,
// black text stays black, so that a line is tinted under its letters.
constexpr DWORD kTint = 0x00A000C9;
constexpr COLORREF kNumbersPaper = RGB(0xF0, 0xF0, 0xF0);
constexpr COLORREF kNumbersInk = RGB(0x60, 0x60, 0x60);

bool Held(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

std::wstring WithWindowsLineEnds(std::wstring_view text) {
  std::wstring shown;
  shown.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      shown += L"\r\n";
    } else {
      shown += text[i];
    }
  }
  return shown;
}

CodeEditor::CodeEditor(HWND parent, int id) {
  static const bool registered =
      RegisterWindowClass(kNumbersClass, &Forward<CodeEditor>, false) != 0;
  (void)registered;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                              ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          instance, nullptr);
  // Its own font before any text comes in: Wine's shaping of some texts in the control's first,
  // the system font, reads past its tables.
  font_ = FixedFont(MulDiv(kPixels, DpiOf(parent), 96));
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowSubclass(edit_, &EditorMessage, 0, reinterpret_cast<DWORD_PTR>(this));
  CreateWindowExW(0, kNumbersClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                  instance, this);
}

CodeEditor::~CodeEditor() {
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  if (IsWindow(edit_)) RemoveWindowSubclass(edit_, &EditorMessage, 0);
  DeleteObject(font_);
}

void CodeEditor::Place(const RECT& rect, int dpi) {
  dpi_ = dpi;
  HFONT font = FixedFont(MulDiv(kPixels, dpi, 96));
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  DeleteObject(font_);
  font_ = font;
  HDC dc = GetDC(edit_);
  const HGDIOBJ before = SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE digits{};
  GetTextExtentPoint32W(dc, L"999", 3, &digits);
  SelectObject(dc, before);
  ReleaseDC(edit_, dc);
  line_height_ = std::max(1, static_cast<int>(metrics.tmHeight));
  char_width_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
  const int numbers = digits.cx + MulDiv(12, dpi, 96);
  MoveWindow(window_, rect.left, rect.top, numbers, rect.bottom - rect.top, TRUE);
  MoveWindow(edit_, rect.left + numbers, rect.top, rect.right - rect.left - numbers,
             rect.bottom - rect.top, TRUE);
  SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(MulDiv(4, dpi, 96), MulDiv(4, dpi, 96)));
  InvalidateRect(edit_, nullptr, TRUE);
  InvalidateRect(window_, nullptr, TRUE);
}

std::wstring CodeEditor::Text() const {
  return TextOf(edit_);
}

void CodeEditor::Replace(const std::wstring& text) {
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(edit_, EM_SETSEL, 0, 0);
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void CodeEditor::Insert(const std::wstring& text) {
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  SetFocus(edit_);
}

std::pair<int, int> CodeEditor::Span(const language::Place& place) const {
  const int lines = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
  const int line = std::clamp(place.line - 1, 0, std::max(lines - 1, 0));
  const auto start = static_cast<int>(SendMessageW(edit_, EM_LINEINDEX, line, 0));
  const auto length = static_cast<int>(SendMessageW(edit_, EM_LINELENGTH, start, 0));
  const int begin = start + std::clamp(place.column, 0, length);
  return {begin, start + std::clamp(place.column + place.length, place.column, length)};
}

void CodeEditor::Mark(std::optional<language::Place> place, bool error) {
  if (place == mark_ && error == error_) return;
  mark_ = place;
  error_ = error;
  if (place) {
    // The marked line in sight; an error's place takes the caret, a step's leaves it.
    if (error) {
      const int begin = Span(*place).first;
      SendMessageW(edit_, EM_SETSEL, begin, begin);
      SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    } else {
      RECT client;
      GetClientRect(edit_, &client);
      const int first = static_cast<int>(SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
      const int shown = std::max(1, static_cast<int>(client.bottom) / line_height_);
      const int line = place->line - 1;
      if (line < first || line >= first + shown)
        SendMessageW(edit_, EM_LINESCROLL, 0, line - first - shown / 3);
      // And across: its span's end in sight, unless that would hide its start.
      RECT format;
      SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
      const auto [left, right] = Across(*place);
      int by = 0;
      if (left != kNowhere && left < format.left) by = left - format.left - char_width_;
      if (left != kNowhere && right > format.right)
        by = std::min(right - format.right, left - format.left) + char_width_;
      if (by != 0) SendMessageW(edit_, EM_LINESCROLL, by / char_width_, 0);
    }
  }
  InvalidateRect(edit_, nullptr, FALSE);
  InvalidateRect(window_, nullptr, FALSE);
}

std::pair<int, int> CodeEditor::Across(const language::Place& place) const {
  const auto x_of = [this](int index) {
    const LRESULT at = SendMessageW(edit_, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    return at == -1 ? kNowhere : static_cast<int>(static_cast<short>(LOWORD(at)));
  };
  const auto [begin, end] = Span(place);
  const int left = x_of(begin);
  if (left == kNowhere) return {kNowhere, kNowhere};
  // The end of the text, which the control gives no place, just past the last character; an
  // empty span a character wide.
  const int right = end > begin ? x_of(end) : kNowhere;
  if (right != kNowhere) return {left, std::max(right, left + 2)};
  return {left, (end > begin ? x_of(end - 1) : left) + char_width_};
}

int CodeEditor::LineTop(int line) const {
  RECT format;
  SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const int first = static_cast<int>(SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
  return format.top + (line - first) * line_height_;
}

// The marked line tinted across the editor and its span underlined, over what the control painted.
void CodeEditor::PaintMark() const {
  if (!mark_) return;
  RECT client;
  GetClientRect(edit_, &client);
  const int top = LineTop(mark_->line - 1);
  if (top + line_height_ <= 0 || top >= client.bottom) return;
  namespace write = lessons::write;
  HDC dc = GetDC(edit_);
  HideCaret(edit_);
  HBRUSH tint =
      CreateSolidBrush(ToColorRef(error_ ? write::kErrorLineColour : write::kStepLineColour));
  const HGDIOBJ before = SelectObject(dc, tint);
  PatBlt(dc, 0, top, client.right, line_height_, kTint);
  SelectObject(dc, before);
  DeleteObject(tint);
  const auto [left, right] = Across(*mark_);
  if (left != kNowhere) {
    const int thickness = std::max(2, MulDiv(2, dpi_, 96));
    const RECT line{left, top + line_height_ - thickness, right, top + line_height_};
    FillIn(dc, line, error_ ? write::kErrorColour : lessons::picture::kInkColour);
  }
  ShowCaret(edit_);
  ReleaseDC(edit_, dc);
}

// The numbers of the lines in sight, each beside its line, the marked one on its line's tint.
void CodeEditor::PaintNumbers() {
  following_ = true;  // what the numbers ask the editor is no scrolling of its
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  SetDCBrushColor(dc, kNumbersPaper);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  const HGDIOBJ before = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kNumbersInk);
  const int first = static_cast<int>(SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
  const int count = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
  const int pad = MulDiv(6, dpi_, 96);
  for (int line = first; line < count; ++line) {
    POINT at{0, LineTop(line)};
    MapWindowPoints(edit_, window_, &at, 1);
    if (at.y >= client.bottom) break;
    RECT row{0, at.y, client.right, at.y + line_height_};
    if (mark_ && mark_->line - 1 == line) {
      namespace write = lessons::write;
      FillIn(dc, row, error_ ? write::kErrorLineColour : write::kStepLineColour);
    }
    row.right -= pad;
    const std::wstring number = WideFromUtf8(std::to_string(line + 1));
    DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &row,
              DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, before);
  EndPaint(window_, &paint);
  shown_first_ = first;
  shown_count_ = count;
  following_ = false;
}

// The numbers painted again when the editor has scrolled or its lines have come or gone.
void CodeEditor::FollowScrolling() {
  if (following_ || window_ == nullptr) return;
  following_ = true;
  const int first = static_cast<int>(SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
  const int count = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
  following_ = false;
  if (first != shown_first_ || count != shown_count_) InvalidateRect(window_, nullptr, FALSE);
}

// Tab, Esc and the keys that disarm a leave. The dialog keys ask the editor first which keys it
// takes: Tab, unless a leave is armed, and Esc, which would otherwise close the window; never
// Shift+Tab. The editor also never takes the dialog's selecting all of its text as the focus
// comes in by Tab.
LRESULT CodeEditor::Key(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(edit_, message, wparam, lparam) & ~DLGC_HASSETSEL;
      const auto* pending = reinterpret_cast<const MSG*>(lparam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB &&
          (leaving_ || Held(VK_SHIFT))) {
        code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
      }
      return code;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) {
        leaving_ = true;
        return 0;
      }
      if (wparam == VK_SHIFT || wparam == VK_CONTROL || wparam == VK_MENU) break;
      leaving_ = false;
      if (wparam == VK_TAB && !Held(VK_CONTROL)) {
        SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kIndent));
        return 0;
      }
      if (wparam == 'A' && Held(VK_CONTROL)) {  // select all, as in every editor
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == L'\t' || wparam == 0x1B || (wparam == 0x01 && Held(VK_CONTROL)))
        return 0;  // done by their keys
      break;
    case WM_KILLFOCUS:
      leaving_ = false;
      break;
    default:
      break;
  }
  return DefSubclassProc(edit_, message, wparam, lparam);
}

LRESULT CALLBACK CodeEditor::EditorMessage(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR /*id*/, DWORD_PTR editor) {
  auto* self = reinterpret_cast<CodeEditor*>(editor);
  LRESULT result = 0;
  switch (message) {
    case WM_GETDLGCODE:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_KILLFOCUS:
      result = self->Key(message, wparam, lparam);
      break;
    case WM_PAINT:
      result = DefSubclassProc(edit, message, wparam, lparam);
      self->PaintMark();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &EditorMessage, 0);
      return DefSubclassProc(edit, message, wparam, lparam);
    default:
      result = DefSubclassProc(edit, message, wparam, lparam);
      break;
  }
  // A selection made across the marked line hides its tint where the control drew it; the line
  // is painted again once the keys or the mouse are done.
  if (self->mark_ && (message == WM_KEYUP || message == WM_LBUTTONUP ||
                      (message == WM_MOUSEMOVE && (wparam & MK_LBUTTON) != 0))) {
    const int top = self->LineTop(self->mark_->line - 1);
    RECT line{0, top, 1 << 15, top + self->line_height_};
    InvalidateRect(edit, &line, FALSE);
  }
  self->FollowScrolling();
  return result;
}

LRESULT CodeEditor::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      PaintNumbers();
      return 0;
    case WM_ERASEBKGND:
      return 1;           // painted whole
    case WM_NCDESTROY: {  // with the page
      HWND numbers = window_;
      window_ = nullptr;
      return DefWindowProcW(numbers, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

}  // namespace windows
