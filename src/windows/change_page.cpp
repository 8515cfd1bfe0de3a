#include "windows/change_page.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "lessons/practice.h"
#include "lessons/steps.h"
#include "lessons/work_chart.h"
#include "windows/chart_canvas.h"
#include "windows/wide.h"

namespace windows {

namespace {

constexpr wchar_t kPageClass[] = L"org.example.ramka.change";
constexpr int kCountId = 500;
constexpr int kFirstSwitchId = 510;
constexpr int kGuessId = 520;
constexpr int kFirstButtonId = 530;

// The lines of the program a line of the page each, and the rows of the table.
constexpr int kLine = 19;
constexpr int kRow = 20;
// What a list view keeps between a cell's text and its edges, at 96 dots per inch.
constexpr int kCellMargin = 14;
constexpr int kFirstCellMargin = 18;

}  // namespace

ChangePage::ChangePage(change::Change& change, HWND parent) : change_(change) {
  static const bool registered =
      RegisterWindowClass(kPageClass, &Forward<ChangePage>, false) != 0 && [] {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
      }();
  (void)registered;
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, WideFromUtf8(change::kTab).c_str(),
                            WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
  // In the order they stand, which is the order of the dialog keys; each label just before the
  // control it names, which a screen reader takes as its name.
  program_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kProgramLabel), SS_LEFT | SS_NOPREFIX, window_);
  count_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kCountLabel), SS_LEFT | SS_NOPREFIX, window_);
  count_ = MakeTextBox(L"70", lessons::practice::kBoxLength, window_, kCountId);
  arrows_ = MakeArrows(count_, window_);
  count_note_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  // The program's lines, each switch right after the line it changes.
  const std::vector<std::string>& program = lessons::steps::ProgramLines();
  for (size_t at = 0; at < program.size(); ++at) {
    lines_.push_back(MakeChild(L"STATIC", L"", SS_OWNERDRAW, window_));
    for (size_t part = 0; part < switches_.size(); ++part) {
      if (change::kPartLines[part] != static_cast<int>(at) + 1) continue;
      switches_[part] = MakeChild(L"BUTTON", WideFromUtf8(change::kPartNames[part]),
                                  WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY, window_,
                                  kFirstSwitchId + static_cast<int>(part));
    }
  }
  legend_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  others_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kOthersLabel), SS_LEFT | SS_NOPREFIX, window_);
  std::string others = std::string(change::kProgramNames[2]) + ":";
  for (const char* line : change::kEverySideLines)
    others += std::string("\r\n") + line;
  others += std::string("\r\n") + change::kProgramNames[3] + ":";
  for (const char* line : change::kFormulaLines)
    others += std::string("\r\n") + line;
  others_ = MakeChild(L"STATIC", WideFromUtf8(others), SS_LEFT | SS_NOPREFIX, window_);
  table_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kTableLabel), SS_LEFT | SS_NOPREFIX, window_);
  table_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, WideFromUtf8(change::kTableLabel).c_str(),
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, 0, 0, 0,
      0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(table_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  for (size_t column = 0; column < change::kTableHeadings.size(); ++column) {
    std::wstring heading = WideFromUtf8(change::kTableHeadings[column]);
    LVCOLUMNW entry{};
    entry.mask = LVCF_TEXT | LVCF_WIDTH;
    entry.pszText = heading.data();
    entry.cx = 80;
    SendMessageW(table_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
  }
  for (size_t row = 0; row < change::kProgramNames.size(); ++row) {
    std::wstring name = WideFromUtf8(change::kProgramNames[row]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = name.data();
    SendMessageW(table_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  hunt_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kHuntLabel), SS_LEFT | SS_NOPREFIX, window_);
  hunt_task_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  guess_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kGuessLabel), SS_LEFT | SS_NOPREFIX, window_);
  guess_ = MakeTextBox(L"", lessons::practice::kBoxLength, window_, kGuessId);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = MakeChild(L"BUTTON", WideFromUtf8(change::kButtonNames[i]),
                            WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, window_,
                            kFirstButtonId + static_cast<int>(i));
  }
  said_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, window_);
  work_label_ =
      MakeChild(L"STATIC", WideFromUtf8(change::kWorkLabel), SS_LEFT | SS_NOPREFIX, window_);
  chart_ = std::make_unique<ChartCanvas>(window_, DpiOf(parent), change::kWorkLabel);
  chart_sentence_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  Refresh();
}

ChangePage::~ChangePage() {
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DeleteObject(bold_);
  DeleteObject(struck_);
}

namespace {

// The height of a text in a control's font, wrapped at a width.
int TextHeight(HWND control, HFONT font, const std::wstring& text, int width) {
  if (text.empty()) return 0;
  HDC dc = GetDC(control);
  const HGDIOBJ before = SelectObject(dc, font);
  RECT room{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &room,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, before);
  ReleaseDC(control, dc);
  return room.bottom;
}

// A control moved where it is not yet, so that nothing repaints for nothing.
void Put(HWND control, int x, int y, int width, int height) {
  RECT now;
  GetWindowRect(control, &now);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
  if (now.left != x || now.top != y || now.right - now.left != width ||
      now.bottom - now.top != height)
    MoveWindow(control, x, y, width, height, TRUE);
}

}  // namespace

void ChangePage::Place(const RECT& area, int dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  area_ = area;
  MoveWindow(window_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  chart_->SetDpi(dpi);
  for (HWND control : {program_label_, count_label_, count_, count_note_, legend_, others_label_,
                       others_, table_label_, table_, hunt_label_, hunt_task_, guess_label_, guess_,
                       said_, work_label_, chart_sentence_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  for (HWND control : switches_)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND control : buttons_)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  LOGFONTW shown{};
  GetObjectW(font, sizeof shown, &shown);
  LOGFONTW bold = shown;
  bold.lfWeight = FW_BOLD;
  LOGFONTW struck = shown;
  struck.lfStrikeOut = TRUE;
  DeleteObject(bold_);
  DeleteObject(struck_);
  bold_ = CreateFontIndirectW(&bold);
  struck_ = CreateFontIndirectW(&struck);
  for (HWND label : {program_label_, table_label_, hunt_label_, others_label_, work_label_})
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), TRUE);
  Refresh();
  for (HWND each : lines_)
    InvalidateRect(each, nullptr, TRUE);
}

// The page laid out at its width, less a scroll bar where it is taller than its place; scrolled
// no further than its height allows.
void ChangePage::Arrange() {
  if (area_.right <= area_.left) return;
  const int width = area_.right - area_.left;
  const int height = area_.bottom - area_.top;
  int laid = width;
  content_height_ = LayOut(laid, false);
  if (content_height_ > height) {
    laid -= GetSystemMetrics(SM_CXVSCROLL);
    content_height_ = LayOut(laid, false);
  }
  scroll_ = std::clamp(scroll_, 0, std::max(content_height_ - height, 0));
  SCROLLINFO bar{sizeof bar,
                 SIF_RANGE | SIF_PAGE | SIF_POS,
                 0,
                 content_height_ > height ? content_height_ - 1 : 0,
                 static_cast<UINT>(height),
                 scroll_,
                 0};
  SetScrollInfo(window_, SB_VERT, &bar, TRUE);
  LayOut(laid, true);
}

// Where each part stands at the page's resolution, from the top down: N; the program's lines with
// the switches beside them, the other two programs to their right; the legend under them; below,
// the table and the hunt, and the chart beside them.
int ChangePage::LayOut(int width, bool move) {
  const auto px = [this](int pixels) { return MulDiv(pixels, dpi_, 96); };
  const auto put = [move](HWND control, int x, int y, int w, int h) {
    if (move) Put(control, x, y, w, h);
  };
  const int top = -scroll_;
  const int height = area_.bottom - area_.top;
  const int gap = px(8);
  const int line = px(kLine);

  put(program_label_, gap, top + px(6), px(96), line);
  put(count_label_, gap + px(104), top + px(6), px(16), line);
  put(count_, gap + px(122), top + px(2), px(80), px(24));
  if (move) SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(count_), 0);
  put(count_note_, gap + px(214), top + px(6), px(300), line);
  const int lines_y = top + px(32);
  const int lines_width = px(480);
  for (size_t at = 0; at < lines_.size(); ++at)
    put(lines_[at], gap, lines_y + static_cast<int>(at) * line, lines_width, line);
  const int switches_x = gap + lines_width + gap;
  for (size_t part = 0; part < switches_.size(); ++part) {
    put(switches_[part], switches_x, lines_y + (change::kPartLines[part] - 1) * line, px(280),
        line);
  }
  const int program_bottom = lines_y + static_cast<int>(lines_.size()) * line;
  const int others_x = switches_x + px(280) + gap;
  const int others_width = width - others_x - gap;
  const int others_y = top + px(6) + line + px(2);
  const int others_height = TextHeight(others_, font_, TextOf(others_), others_width);
  put(others_label_, others_x, top + px(6), others_width, line);
  put(others_, others_x, others_y, others_width, others_height);

  const int legend_y = std::max(program_bottom, others_y + others_height) + gap;
  const int legend_height = TextHeight(legend_, font_, TextOf(legend_), width - 2 * gap);
  put(legend_, gap, legend_y, width - 2 * gap, legend_height);
  const int bottom_y = legend_y + legend_height + gap;

  const int left = (width - 3 * gap) * 5 / 8;
  const int right_x = 2 * gap + left;
  const int right = width - gap - right_x;
  put(table_label_, gap, bottom_y, left, line);
  const int table_height = px(kRow) * 5 + px(6);
  put(table_, gap, bottom_y + line + px(2), left, table_height);
  const int hunt_y = bottom_y + line + px(2) + table_height + gap;
  put(hunt_label_, gap, hunt_y, left, line);
  const int task_height = TextHeight(hunt_task_, font_, TextOf(hunt_task_), left);
  put(hunt_task_, gap, hunt_y + line, left, task_height);
  int left_bottom = hunt_y + line + task_height;
  const int guess_y = left_bottom + px(4);
  const bool buttons = IsWindowVisible(guess_) || IsWindowVisible(buttons_[2]);
  put(guess_label_, gap, guess_y + px(4), px(80), line);
  put(guess_, gap + px(84), guess_y, px(80), px(24));
  const int widths[] = {84, 170, 72};
  int x = gap + px(172);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    // "Защо?" stands first where it is the only one.
    const int at = i == 2 && !IsWindowVisible(guess_) ? gap : x;
    put(buttons_[i], at, guess_y - px(1), px(widths[i]), px(26));
    x += px(widths[i] + 6);
  }
  if (buttons) left_bottom = guess_y + px(26);
  const int said_y = left_bottom + px(4);
  const int said_height = TextHeight(said_, font_, TextOf(said_), left - px(4)) + px(6);
  put(said_, gap, said_y, left, std::max(said_height, line));
  if (IsWindowVisible(said_)) left_bottom = said_y + std::max(said_height, line);

  put(work_label_, right_x, bottom_y, right, line);
  const int sentence = TextHeight(chart_sentence_, font_, TextOf(chart_sentence_), right) + px(4);
  const int chart_y = bottom_y + line + px(2);
  const int chart_height =
      std::max(std::max(left_bottom, height + top - gap) - chart_y - sentence - px(4), px(160));
  put(chart_->Handle(), right_x, chart_y, right, chart_height);
  put(chart_sentence_, right_x, chart_y + chart_height + px(4), right, sentence);
  return std::max(left_bottom, chart_y + chart_height + px(4) + sentence) + gap - top;
}

void ChangePage::ScrollTo(int to) {
  const int height = area_.bottom - area_.top;
  const int at = std::clamp(to, 0, std::max(content_height_ - height, 0));
  if (at == scroll_) return;
  scroll_ = at;
  Arrange();
  // Every control drawn again where it now stands: a check box draws its words over what is
  // under it.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ChangePage::ScrollToShow(HWND control) {
  if (!IsWindowVisible(control)) return;
  RECT shown;
  GetWindowRect(control, &shown);
  MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&shown), 2);
  const int height = area_.bottom - area_.top;
  const int gap = MulDiv(8, dpi_, 96);
  if (shown.top < 0) {
    ScrollTo(scroll_ + shown.top - gap);
  } else if (shown.bottom > height) {
    ScrollTo(scroll_ + std::min<int>(shown.bottom - height + gap, shown.top));
  }
}

void ChangePage::TakeFocus() {
  SetFocus(count_);
}

int ChangePage::ColumnWidth(int column) const {
  return static_cast<int>(SendMessageW(table_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

std::wstring ChangePage::Cell(int row, int column) const {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(table_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

// Each column of the table as wide as its widest text in the table's font, its heading's too, and
// the rows what is left of the table's width: a wrong answer's longer words are never cut.
void ChangePage::FitColumns() {
  const auto px = [this](int pixels) { return MulDiv(pixels, dpi_, 96); };
  const auto width = [this](const std::wstring& text) {
    return static_cast<int>(
        SendMessageW(table_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
  };
  std::array<int, 4> widest{};
  for (size_t column = 0; column < widest.size(); ++column)
    widest[column] = width(WideFromUtf8(change::kTableHeadings[column]));
  const int rows = static_cast<int>(SendMessageW(table_, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < 4; ++column)
      widest[static_cast<size_t>(column)] =
          std::max(widest[static_cast<size_t>(column)], width(Cell(row, column)));
  }
  RECT client;
  GetClientRect(table_, &client);
  // A cell's text stands a little in from its edges; the first column's a little more.
  const std::array<int, 4> columns = {widest[0] + px(kFirstCellMargin), 0,
                                      widest[2] + px(kCellMargin), widest[3] + px(kCellMargin)};
  const int rest = client.right - columns[0] - columns[2] - columns[3];
  for (int column = 0; column < 4; ++column) {
    const int shown =
        column == 1 ? std::max(rest, px(kCellMargin)) : columns[static_cast<size_t>(column)];
    if (SendMessageW(table_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0) != shown)
      SendMessageW(table_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), shown);
  }
}

// The box of N shows what the core holds for it, where that differs from what it shows.
void ChangePage::ShowCount() {
  const std::wstring shown = WideFromUtf8(change_.Typed());
  if (TextOf(count_) == shown) return;
  mirroring_ = true;
  SetWindowTextW(count_, shown.c_str());
  SendMessageW(count_, EM_SETSEL, 0, -1);
  mirroring_ = false;
}

void ChangePage::Refresh() {
  ShowCount();
  ShowText(count_note_, WideFromUtf8(change_.CountNote()));
  // A line a switch changed is drawn bold, one it left out struck through; its name says so.
  shown_ = change_.Lines();
  for (const change::Line& each : shown_) {
    HWND label = lines_[static_cast<size_t>(each.number - 1)];
    if (TextOf(label) == WideFromUtf8(each.said)) continue;
    ShowText(label, WideFromUtf8(each.said));
    InvalidateRect(label, nullptr, TRUE);
  }
  std::string legend;
  for (const change::Term& term : change_.Legend())
    legend += (legend.empty() ? "" : " ") + std::string(term.name) + " – " + term.meaning;
  ShowText(legend_, WideFromUtf8(legend));
  for (size_t part = 0; part < switches_.size(); ++part) {
    const WPARAM checked =
        change_.On(static_cast<change::Part>(part)) ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(switches_[part], BM_GETCHECK, 0, 0)) != checked)
      SendMessageW(switches_[part], BM_SETCHECK, checked, 0);
  }
  const std::vector<change::TableRow> rows = change_.Table();
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const change::TableRow& each = rows[static_cast<size_t>(row)];
    const std::string cells[] = {each.program, each.rows, each.answer, each.divisions};
    for (int column = 1; column < 4; ++column) {
      std::wstring text = WideFromUtf8(cells[column]);
      if (Cell(row, column) == text) continue;
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(table_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  FitColumns();
  const change::WorkChart work = change_.Chart();
  chart_->SetScene([work](int width, int height) { return change::Paint(work, width, height); },
                   work.Description());
  ShowText(chart_sentence_, WideFromUtf8(work.Sentence()));

  ShowText(hunt_label_, WideFromUtf8(change_.HuntHeading()));
  ShowText(hunt_task_, WideFromUtf8(change_.HuntTask()));
  const bool hunting = change_.Hunting();
  for (HWND control : {guess_label_, guess_})
    ShowWindow(control, hunting ? SW_SHOW : SW_HIDE);
  const std::wstring guess = WideFromUtf8(change_.Guess());
  if (TextOf(guess_) != guess) {
    mirroring_ = true;
    SetWindowTextW(guess_, guess.c_str());
    mirroring_ = false;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const auto button = static_cast<change::Button>(i);
    const bool enabled = change_.Enabled(button);
    const bool shown = button == change::Button::kWhy ? enabled : hunting;
    if (!enabled && GetFocus() == buttons_[i]) SetFocus(count_);
    EnableWindow(buttons_[i], enabled ? TRUE : FALSE);
    ShowWindow(buttons_[i], shown ? SW_SHOW : SW_HIDE);
  }
  const std::wstring said = WideFromUtf8(change_.Said());
  ShowText(said_, said);
  ShowWindow(said_, said.empty() ? SW_HIDE : SW_SHOW);
  // A screen reader reads the page's name, what the hunt said, when it says it, and nothing of it
  // once it is gone; it stands in view.
  const bool new_saying = change_.Sayings() != read_sayings_;
  if (new_saying || said.empty()) ShowText(window_, said);
  read_sayings_ = change_.Sayings();
  Arrange();
  if (new_saying) ScrollToShow(said_);
}

// A line of the program as the page shows it: its number and its text, in the page's font, bold
// where a switch changed it, struck through and grey where a switch left it out.
void ChangePage::DrawLine(const DRAWITEMSTRUCT& item) const {
  const auto at = std::find(lines_.begin(), lines_.end(), item.hwndItem);
  if (at == lines_.end() || shown_.empty()) return;
  const change::Line& line = shown_[static_cast<size_t>(at - lines_.begin())];
  FillIn(item.hDC, item.rcItem, lessons::picture::kBackground);
  HFONT font = line.removed ? struck_ : line.changed ? bold_ : font_;
  const HGDIOBJ before =
      SelectObject(item.hDC, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, line.removed   ? RGB(0x6E, 0x6E, 0x6E)
                         : line.changed ? RGB(0xA0, 0x00, 0x00)
                                        : RGB(0x00, 0x00, 0x00));
  const std::wstring number = WideFromUtf8(std::to_string(line.number));
  RECT numbers = item.rcItem;
  numbers.right = numbers.left + MulDiv(18, dpi_, 96);
  DrawTextW(item.hDC, number.c_str(), static_cast<int>(number.size()), &numbers,
            DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  RECT text = item.rcItem;
  text.left = numbers.right + MulDiv(8, dpi_, 96);
  const std::wstring shown = WideFromUtf8(line.text);
  DrawTextW(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &text,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(item.hDC, before);
}

void ChangePage::Enter(HWND focused) {
  if (focused == guess_) {
    change_.Press(change::Button::kCheck);
    return;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (focused == buttons_[i] && IsWindowEnabled(focused))
      change_.Press(static_cast<change::Button>(i));
  }
}

LRESULT ChangePage::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      if (code == EN_SETFOCUS || code == BN_SETFOCUS) {
        ScrollToShow(reinterpret_cast<HWND>(lparam));
      } else if (id == kCountId && code == EN_CHANGE && !mirroring_) {
        change_.Type(runtime::ToUtf8(FromWide(TextOf(count_))));
      } else if (id == kGuessId && code == EN_CHANGE && !mirroring_) {
        change_.TypeGuess(runtime::ToUtf8(FromWide(TextOf(guess_))));
      } else if (id >= kFirstSwitchId && id < kFirstSwitchId + change::kParts &&
                 code == BN_CLICKED) {
        const size_t part = static_cast<size_t>(id - kFirstSwitchId);
        change_.Set(static_cast<change::Part>(part),
                    SendMessageW(switches_[part], BM_GETCHECK, 0, 0) == BST_CHECKED);
      } else if (id >= kFirstButtonId && id < kFirstButtonId + static_cast<int>(buttons_.size()) &&
                 code == BN_CLICKED) {
        change_.Press(static_cast<change::Button>(id - kFirstButtonId));
      }
      return 0;
    }
    case WM_DRAWITEM:
      DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_VSCROLL: {
      const int line = MulDiv(kLine, dpi_, 96);
      const int page = area_.bottom - area_.top - line;
      SCROLLINFO bar{sizeof bar, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(window_, SB_VERT, &bar);
      switch (LOWORD(wparam)) {
        case SB_LINEUP:
          ScrollTo(scroll_ - line);
          break;
        case SB_LINEDOWN:
          ScrollTo(scroll_ + line);
          break;
        case SB_PAGEUP:
          ScrollTo(scroll_ - page);
          break;
        case SB_PAGEDOWN:
          ScrollTo(scroll_ + page);
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          ScrollTo(bar.nTrackPos);
          break;
        case SB_TOP:
          ScrollTo(0);
          break;
        case SB_BOTTOM:
          ScrollTo(content_height_);
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL:  // three lines a notch, as Windows scrolls by default
      ScrollTo(scroll_ -
               GET_WHEEL_DELTA_WPARAM(wparam) * 3 * MulDiv(kLine, dpi_, 96) / WHEEL_DELTA);
      return 0;
    case WM_NOTIFY: {
      // An arrow, clicked or as Up or Down in the box of N, steps N; the arrows keep no number of
      // their own.
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->hwndFrom == table_ && header->code == NM_SETFOCUS) ScrollToShow(table_);
      if (header->hwndFrom != arrows_ || header->code != UDN_DELTAPOS) break;
      change_.Step(reinterpret_cast<const NMUPDOWN*>(lparam)->iDelta > 0 ? 1 : -1);
      SendMessageW(count_, EM_SETSEL, 0, -1);
      return 1;
    }
    default:
      break;
  }
  return PageDefault(window_, message, wparam, lparam);
}

}  // namespace windows
