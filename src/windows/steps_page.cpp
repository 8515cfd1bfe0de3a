#include "windows/steps_page.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "windows/screen.h"
#include "windows/squares_canvas.h"
#include "windows/wide.h"

namespace windows {

namespace steps = lessons::steps;

namespace {

constexpr wchar_t kPageClass[] = L"org.example.ramka.steps";
constexpr int kFirstButton = 200;
constexpr int kSpeedId = 300;
constexpr UINT_PTR kPlayer = 1;

std::wstring Numbered(int number, const std::string& line, bool current) {
  std::wstring text = current ? WideFromUtf8(steps::kCurrentLine) : L" ";
  text += number < 10 ? L"   " : L"  ";
  return text + WideFromUtf8(std::to_string(number)) + L"   " + WideFromUtf8(line);
}

}  // namespace

StepsPage::StepsPage(steps::Walkthrough& steps, HWND parent) : steps_(steps) {
  static const bool registered = RegisterWindowClass(kPageClass, &Forward<StepsPage>, false) != 0;
  (void)registered;
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, WideFromUtf8(steps::kStepsTab).c_str(),
                            WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
  const char* headings[] = {steps::kProgramLabel, steps::kValuesLabel, steps::kRowsLabel};
  for (size_t i = 0; i < headings_.size(); ++i)
    headings_[i] = MakeChild(L"STATIC", WideFromUtf8(headings[i]), SS_LEFT | SS_NOPREFIX, window_);
  axes_ = MakeChild(L"STATIC", WideFromUtf8(steps::kAxes), SS_LEFT | SS_NOPREFIX, window_);
  const DWORD shown_list = WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS;
  program_ = MakeChild(L"LISTBOX", WideFromUtf8(steps::kProgramLabel), shown_list, window_);
  values_ = MakeChild(L"LISTBOX", WideFromUtf8(steps::kValuesLabel), shown_list, window_);
  sentence_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, window_);
  rows_ = MakeChild(L"LISTBOX", WideFromUtf8(steps::kRowsLabel), shown_list, window_);
  canvas_ = std::make_unique<SquaresCanvas>(window_, DpiOf(parent));
  words_ = MakeChild(L"STATIC", L"", SS_CENTER | SS_NOPREFIX, window_);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] =
        MakeChild(L"BUTTON", WideFromUtf8(steps::kCommandNames[i]), WS_TABSTOP | BS_PUSHBUTTON,
                  window_, kFirstButton + static_cast<int>(i));
    SetWindowSubclass(buttons_[i], &ButtonKeys, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  speed_label_ =
      MakeChild(L"STATIC", WideFromUtf8(steps::kSpeedLabel), SS_RIGHT | SS_NOPREFIX, window_);
  speed_ =
      MakeChild(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, window_, kSpeedId);
  for (const steps::Speed& speed : steps::kSpeeds) {
    SendMessageW(speed_, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(speed.name).c_str()));
  }
  counter_ = MakeChild(L"STATIC", L"", SS_RIGHT | SS_NOPREFIX, window_);

  int number = 1;
  std::vector<std::wstring> lines;
  for (const std::string& line : steps::ProgramLines())
    lines.push_back(Numbered(number++, line, false));
  ShowLines(program_, lines);
  const int row_stops[] = {30, 90, 150};
  SendMessageW(rows_, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(row_stops));
  Refresh();
}

StepsPage::~StepsPage() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    for (HWND button : buttons_)
      RemoveWindowSubclass(button, &ButtonKeys, 0);
  }
}

// Where each part stands at the page's resolution: the program and the values side by side,
// the sentence under them, then the rows and the rectangle, and the controls at the bottom.
void StepsPage::Place(const RECT& area, int dpi, HFONT font) {
  MoveWindow(window_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  const auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int gap = px(8);
  const int left = (width - 3 * gap) / 2;
  const int right_x = gap * 2 + left;
  const int right = width - gap - right_x;
  const int line = px(22);
  // The buttons that move through the steps and the counter on one line, playing on the next.
  const int playing_y = height - px(32);
  const int controls_y = playing_y - px(34);
  const int top = px(246);
  const int sentence_y = line + top + gap;
  const int sentence = px(52);
  const int bottom_y = sentence_y + sentence + gap;
  const int bottom = controls_y - gap - bottom_y - line;
  MoveWindow(headings_[0], gap, 0, left, line, TRUE);
  MoveWindow(program_, gap, line, left, top, TRUE);
  MoveWindow(headings_[1], right_x, 0, right, line, TRUE);
  MoveWindow(values_, right_x, line, right, top, TRUE);
  MoveWindow(sentence_, gap, sentence_y, width - 2 * gap, sentence, TRUE);
  const int heading = px(130);
  MoveWindow(headings_[2], gap, bottom_y, heading, line, TRUE);
  MoveWindow(axes_, gap + heading + gap, bottom_y, width - 3 * gap - heading, line, TRUE);
  MoveWindow(rows_, gap, bottom_y + line, left, bottom, TRUE);
  MoveWindow(canvas_->Handle(), right_x, bottom_y + line, right, bottom - line - px(4), TRUE);
  MoveWindow(words_, right_x, bottom_y + bottom - px(4), right, line + px(4), TRUE);
  int x = gap;
  for (size_t i = 0; i + 1 < buttons_.size(); ++i) {
    const int button = px(i == 4 || i == 5 ? 104 : 72);
    MoveWindow(buttons_[i], x, controls_y, button, px(28), TRUE);
    x += button + (i == 3 ? 2 * gap : px(4));
  }
  MoveWindow(counter_, x + gap, controls_y + px(5), width - gap - x - gap, line, TRUE);
  MoveWindow(Button(steps::Command::kPlay), gap, playing_y, px(72), px(28), TRUE);
  x = gap + px(72) + 2 * gap;
  MoveWindow(speed_label_, x, playing_y + px(5), px(66), line, TRUE);
  MoveWindow(speed_, x + px(70), playing_y + px(2), px(160), px(200), TRUE);
  canvas_->SetDpi(dpi);
  for (HWND control :
       {program_, values_, sentence_, rows_, words_, axes_, speed_label_, speed_, counter_})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND control : headings_)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND control : buttons_)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  FitValues(font);
}

// The values' columns as wide as their names and values in the list's font, each name on one line
// but the longest, which may take two ("LetterCount" and "mod i"), and each meaning broken into the
// lines that fit the rest of the list's width: "остатъкът при делението на LetterCount на i" takes
// two.
void StepsPage::FitValues(HFONT font) {
  HDC dc = GetDC(values_);
  const HGDIOBJ before = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const auto extent = [dc](const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  // A text broken between its words into lines no wider than `room`, where its words allow.
  const auto wrap = [&](const std::wstring& text, int room) {
    std::vector<std::wstring> lines(1);
    std::wstring word;
    for (const wchar_t c : text + L' ') {
      if (c != L' ') {
        word += c;
        continue;
      }
      const std::wstring longer = lines.back().empty() ? word : lines.back() + L' ' + word;
      if (extent(longer) <= room || lines.back().empty()) {
        lines.back() = longer;
      } else {
        lines.push_back(word);
      }
      word.clear();
    }
    return lines;
  };
  const std::vector<steps::Value> values = steps_.Values();
  std::vector<int> widths;
  for (const steps::Value& value : values)
    widths.push_back(extent(WideFromUtf8(value.name)));
  std::sort(widths.begin(), widths.end());
  const int padding = extent(L"  ");
  const int names = widths.size() > 1 ? widths[widths.size() - 2] : widths.back();
  const int shown = extent(L"-32768   " + WideFromUtf8(steps::kChanged));
  // The list's tab stops are in quarters of the font's average character width.
  const int quarter = std::max(static_cast<int>(metrics.tmAveCharWidth), 1);
  const int stops[] = {MulDiv(names + padding, 4, quarter),
                       MulDiv(names + shown + 2 * padding, 4, quarter)};
  SendMessageW(values_, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
  RECT list;
  GetClientRect(values_, &list);
  const int room = std::max(static_cast<int>(list.right) - MulDiv(stops[1], quarter, 4) -
                                GetSystemMetrics(SM_CXVSCROLL) - padding,
                            padding);
  names_.clear();
  meanings_.clear();
  for (const steps::Value& value : values) {
    names_.push_back(wrap(WideFromUtf8(value.name), names));
    meanings_.push_back(wrap(WideFromUtf8(value.meaning), room));
  }
  SelectObject(dc, before);
  ReleaseDC(values_, dc);
  Refresh();
}

void StepsPage::Show(bool shown) {
  ShowWindow(window_, shown ? SW_SHOW : SW_HIDE);
  if (!shown) StopPlaying();
}

void StepsPage::TakeFocus() {
  for (HWND button : buttons_) {
    if (IsWindowEnabled(button)) {
      SetFocus(button);
      return;
    }
  }
  SetFocus(window_);
}

void StepsPage::Refresh() {
  const int line = steps_.Line();
  std::vector<std::wstring> lines;
  int number = 1;
  for (const std::string& text : steps::ProgramLines()) {
    lines.push_back(Numbered(number, text, number == line));
    ++number;
  }
  ShowLines(program_, lines);
  SendMessageW(program_, LB_SETCURSEL, static_cast<WPARAM>(line - 1), 0);  // -1: none

  // Each value on a line, a name or a meaning too long for one going on under itself.
  std::vector<std::wstring> values;
  const std::vector<steps::Value> now = steps_.Values();
  for (size_t i = 0; i < now.size(); ++i) {
    const steps::Value& value = now[i];
    std::wstring shown = WideFromUtf8(value.text);
    if (value.changed) shown += L"   " + WideFromUtf8(steps::kChanged);
    const std::vector<std::wstring> name =
        i < names_.size() ? names_[i] : std::vector<std::wstring>{WideFromUtf8(value.name)};
    const std::vector<std::wstring> meaning =
        i < meanings_.size() ? meanings_[i]
                             : std::vector<std::wstring>{WideFromUtf8(value.meaning)};
    for (size_t line = 0; line < std::max(name.size(), meaning.size()); ++line) {
      values.push_back((line < name.size() ? name[line] : std::wstring()) + L"\t" +
                       (line == 0 ? shown : std::wstring()) + L"\t" +
                       (line < meaning.size() ? meaning[line] : std::wstring()));
    }
  }
  ShowLines(values_, values);

  const std::wstring sentence = WideFromUtf8(steps_.Sentence());
  ShowText(sentence_, sentence);
  // A screen reader reads the page's name, the sentence, when it changes; not at every step
  // while the steps play faster than one a second.
  if (steps_.Announced()) ShowText(window_, sentence);

  ShowRows();
  const auto rectangle = steps_.Rectangle();
  canvas_->SetPicture(rectangle.value_or(lessons::picture::Picture()));
  ShowText(words_, WideFromUtf8(rectangle ? rectangle->Words() : steps::kNoRectangle));
  ShowText(counter_, WideFromUtf8(steps_.Counter()));

  for (size_t i = 0; i < buttons_.size(); ++i) {
    // A button that goes out of use hands the focus to the page, whose keys go on working.
    const bool enabled = steps_.Enabled(static_cast<steps::Command>(i));
    if (!enabled && GetFocus() == buttons_[i]) SetFocus(window_);
    EnableWindow(buttons_[i], enabled);
  }
  ShowText(Button(steps::Command::kPlay), WideFromUtf8(steps_.PlayName()));
  if (SendMessageW(speed_, CB_GETCURSEL, 0, 0) != steps_.SpeedIndex())
    SendMessageW(speed_, CB_SETCURSEL, static_cast<WPARAM>(steps_.SpeedIndex()), 0);
  if (steps_.Playing()) {
    if (!timer_ || timer_interval_ != steps_.TickMilliseconds()) {
      SetTimer(window_, kPlayer, static_cast<UINT>(steps_.TickMilliseconds()), nullptr);
      timer_ = true;
      timer_interval_ = steps_.TickMilliseconds();
    }
  } else if (timer_) {
    KillTimer(window_, kPlayer);
    timer_ = false;
  }
}

// The rows so far, the one this step listed selected and pointed at.
void StepsPage::ShowRows() {
  const steps::Rows rows = steps_.RowsSoFar();
  const size_t count =
      std::max({rows.columns[0].size(), rows.columns[1].size(), rows.columns[2].size()});
  if (steps_.RunNumber() == shown_run_ && static_cast<int>(count) == shown_rows_ &&
      rows.marked == shown_mark_) {
    return;
  }
  std::vector<std::wstring> lines;
  for (size_t row = 0; row < count; ++row) {
    const bool marked = static_cast<int>(row) == rows.marked;
    std::wstring line = (marked ? WideFromUtf8(steps::kCurrentLine) + L" " : L"") +
                        WideFromUtf8(std::to_string(row + 1));
    for (const auto& column : rows.columns)
      line += L"\t" + (row < column.size() ? WideFromUtf8(column[row]) : std::wstring());
    lines.push_back(line);
  }
  ShowLines(rows_, lines);
  SendMessageW(rows_, LB_SETCURSEL, static_cast<WPARAM>(rows.marked), 0);
  shown_run_ = steps_.RunNumber();
  shown_rows_ = static_cast<int>(count);
  shown_mark_ = rows.marked;
}

bool StepsPage::Key(WPARAM key, bool from_button) {
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  switch (key) {
    case VK_LEFT:
      return steps_.Press(steps::Key::kLeft);
    case VK_RIGHT:
      return steps_.Press(steps::Key::kRight);
    case VK_HOME:
      return steps_.Press(steps::Key::kHome);
    case VK_END:
      return steps_.Press(steps::Key::kEnd);
    case VK_PRIOR:
      return steps_.Press(steps::Key::kPageUp);
    case VK_NEXT:
      return steps_.Press(steps::Key::kPageDown);
    case VK_SPACE:  // a focused button takes Space for itself
      return !from_button && steps_.Press(steps::Key::kSpace);
    default:
      return false;
  }
}

// The page's keys reach it from its buttons, which would move the focus on the arrows.
LRESULT CALLBACK StepsPage::ButtonKeys(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR /*id*/, DWORD_PTR page) {
  auto* self = reinterpret_cast<StepsPage*>(page);
  switch (message) {
    case WM_GETDLGCODE: {
      const auto* pending = reinterpret_cast<const MSG*>(lparam);
      const bool arrow = pending != nullptr && pending->message == WM_KEYDOWN &&
                         (pending->wParam == VK_LEFT || pending->wParam == VK_RIGHT);
      const LRESULT code = DefSubclassProc(button, message, wparam, lparam);
      return arrow ? code | DLGC_WANTMESSAGE : code;
    }
    case WM_KEYDOWN:
      if (self->Key(wparam, true)) return 0;
      break;
    default:
      break;
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

LRESULT StepsPage::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id >= kFirstButton && id < kFirstButton + static_cast<int>(buttons_.size()) &&
          HIWORD(wparam) == BN_CLICKED) {
        steps_.Do(static_cast<steps::Command>(id - kFirstButton));
      } else if (id == kSpeedId && HIWORD(wparam) == CBN_SELCHANGE) {
        steps_.SetSpeed(static_cast<int>(SendMessageW(speed_, CB_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    case WM_TIMER:
      if (wparam == kPlayer) steps_.Tick();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      if (Key(wparam, false)) return 0;
      break;
    case WM_LBUTTONDOWN:
      SetFocus(window_);
      return 0;
    default:
      break;
  }
  return PageDefault(window_, message, wparam, lparam);
}

}  // namespace windows
