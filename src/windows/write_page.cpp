#include "windows/write_page.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "language/help.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
#include "windows/code_editor.h"
#include "windows/text_files.h"
#include "windows/wide.h"

namespace windows {

namespace write = lessons::write;
using write::Command;

namespace {

constexpr wchar_t kPageClass[] = L"org.example.ramka.write";
constexpr int kTaskId = 600;
constexpr int kFirstCommandId = 610;
constexpr int kFirstSignId = 620;
constexpr int kStartId = 630;
constexpr int kOpenId = 631;
constexpr int kSaveId = 632;
constexpr int kHelpId = 633;
constexpr int kEditorId = 640;
constexpr int kCountId = 641;
constexpr UINT_PTR kCheckTimer = 1;
constexpr wchar_t kStar[] = L"★";

// The label of a button that opens a dialog, without its "…", as the dialog's title.
std::wstring Title(const char* label) {
  std::wstring title = WideFromUtf8(label);
  if (!title.empty() && title.back() == L'…') title.pop_back();
  return title;
}

// The common dialog that chooses a text file to open, or to save into under the name offered.
std::optional<std::wstring> CommonDialog(HWND owner, bool save, const std::wstring& offered) {
  std::wstring file(32 * 1024, L'\0');
  std::copy(
      offered.begin(),
      offered.begin() + static_cast<std::ptrdiff_t>(std::min(offered.size(), file.size() - 1)),
      file.begin());
  std::wstring filter = WideFromUtf8(write::kFileKind) + L" (*.txt)";
  filter += L'\0';
  filter += L"*.txt";
  filter += L'\0';
  const std::wstring title = Title(save ? write::kSaveLabel : write::kOpenLabel);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();  // ends in two nulls: its own and the string's
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if ((save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)) == FALSE) return std::nullopt;
  file.resize(file.find(L'\0'));
  return file;
}

// A tick or a cross in the middle of a square, drawn in lines, which any font may lack.
void DrawMark(HDC dc, const RECT& square, write::Mark mark, int dpi) {
  const int side = std::min(square.right - square.left, square.bottom - square.top) * 3 / 5;
  const int x = (square.left + square.right - side) / 2;
  const int y = (square.top + square.bottom - side) / 2;
  HPEN pen = CreatePen(
      PS_SOLID, std::max(2, MulDiv(2, dpi, 96)),
      ToColorRef(mark == write::Mark::kRight ? write::kRightColour : write::kWrongColour));
  const HGDIOBJ before = SelectObject(dc, pen);
  if (mark == write::Mark::kRight) {
    const POINT tick[] = {{x, y + side / 2}, {x + side / 3, y + side}, {x + side, y}};
    Polyline(dc, tick, 3);
  } else {
    const POINT down[] = {{x, y}, {x + side, y + side}};
    const POINT up[] = {{x, y + side}, {x + side, y}};
    Polyline(dc, down, 2);
    Polyline(dc, up, 2);
  }
  SelectObject(dc, before);
  DeleteObject(pen);
}

// The width of a text in a font: its runs in `font`, each ★ in `stars`.
int WidthOf(HDC dc, std::wstring_view text, HFONT font, HFONT stars) {
  int width = 0;
  size_t at = 0;
  while (at < text.size()) {
    const size_t star = text.find(kStar[0], at);
    const size_t end = star == at ? at + 1 : std::min(star, text.size());
    SelectObject(dc, star == at ? stars : font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data() + at, static_cast<int>(end - at), &size);
    width += size.cx;
    at = end;
  }
  return width;
}

// Draws a text broken into lines at its blanks, as a label breaks it, each ★ in the stars'
// font, which the page's lacks. No-break spaces keep a formula on one line.
void DrawWords(HDC dc, const std::wstring& text, const RECT& rect, HFONT font, HFONT stars) {
  const HGDIOBJ before = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int blank = WidthOf(dc, L" ", font, stars);
  int x = rect.left;
  int y = rect.top;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = std::min(text.find(L' ', at), text.size());
    const std::wstring_view word(text.data() + at, end - at);
    const int width = WidthOf(dc, word, font, stars);
    if (x > rect.left && x + width > rect.right) {
      x = rect.left;
      y += metrics.tmHeight;
    }
    for (size_t from = 0; from < word.size();) {
      const bool star = word[from] == kStar[0];
      const size_t to = star ? from + 1 : std::min(word.find(kStar[0], from), word.size());
      SelectObject(dc, star ? stars : font);
      // A star's glyph stands on the text's baseline, whatever the heights of the two fonts.
      TEXTMETRICW own{};
      GetTextMetricsW(dc, &own);
      TextOutW(dc, x, y + metrics.tmAscent - own.tmAscent, word.data() + from,
               static_cast<int>(to - from));
      x += WidthOf(dc, word.substr(from, to - from), font, stars);
      from = to;
    }
    x += blank;
    at = end + 1;
  }
  SelectObject(dc, before);
}

}  // namespace

WritePage::WritePage(write::Write& write, HWND parent)
    : write_(write), choose_file_([this](bool save, const std::wstring& offered) {
        return CommonDialog(GetAncestor(window_, GA_ROOT), save, offered);
      }) {
  static const bool registered = RegisterWindowClass(kPageClass, &Forward<WritePage>, false) != 0;
  (void)registered;
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0,
                            0, 0, parent, nullptr, GetModuleHandleW(nullptr), this);
  // In the order they stand, which is the order of the dialog keys; each label just before the
  // control it names, which a screen reader takes as its name.
  const auto label = [this](const char* text, DWORD style = SS_LEFT) {
    return MakeChild(L"STATIC", WideFromUtf8(text), style | SS_NOPREFIX, window_);
  };
  const auto button = [this](const char* text, int id, DWORD style = BS_PUSHBUTTON) {
    return MakeChild(L"BUTTON", WideFromUtf8(text), WS_TABSTOP | style, window_, id);
  };
  const auto command = [&](Command each) {
    const auto at = static_cast<size_t>(each);
    buttons_[at] = button(write::kCommandNames[at], kFirstCommandId + static_cast<int>(at));
  };
  task_label_ = label(write::kTaskLabel);
  task_ =
      MakeChild(L"COMBOBOX", L"",
                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                window_, kTaskId);
  task_text_ = label("");
  command(Command::kCheck);
  command(Command::kShowSteps);
  verdict_ = label("", SS_OWNERDRAW);

  // The signs drawn by the page, so that each can show its sign and be named in words.
  for (size_t i = 0; i < signs_.size(); ++i)
    signs_[i] = button(write::kSigns[i].name, kFirstSignId + static_cast<int>(i), BS_OWNERDRAW);
  start_ = button(write::kStartLabel, kStartId);
  open_ = button(write::kOpenLabel, kOpenId);
  save_ = button(write::kSaveLabel, kSaveId);
  help_ = button(write::kHelpLabel, kHelpId, BS_AUTOCHECKBOX | BS_PUSHLIKE);
  ShowWindow(label(write::kHelpLabel), SW_HIDE);  // the help's name, unseen
  help_text_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"",
      WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
      window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowSubclass(help_text_, &HelpKeys, 0, reinterpret_cast<DWORD_PTR>(this));
  ShowWindow(label(write::kEditorName), SW_HIDE);
  editor_ = std::make_unique<CodeEditor>(window_, kEditorId);
  SendMessageW(help_text_, WM_SETFONT, reinterpret_cast<WPARAM>(editor_->Font()), FALSE);
  SetWindowTextW(help_text_, WithWindowsLineEnds(WideFromUtf8(language::HelpText())).c_str());
  SendMessageW(editor_->Handle(), EM_SETLIMITTEXT, write::kLargestFile, 0);
  message_ = label("", SS_LEFT | SS_SUNKEN);
  counter_ = label("");

  count_label_ = label(write::kCountLabel);
  count_ = MakeTextBox(L"70", lessons::practice::kBoxLength, window_, kCountId);
  arrows_ = MakeArrows(count_, window_);
  count_note_ = label("");
  for (const Command each : {Command::kRun, Command::kStep, Command::kBack, Command::kRestart})
    command(each);
  const DWORD list = WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
  values_label_ = label(write::kValuesLabel);
  values_ = MakeChild(L"LISTBOX", WideFromUtf8(write::kValuesLabel), list, window_);
  output_label_ = label(write::kOutputLabel);
  output_ = MakeChild(L"LISTBOX", WideFromUtf8(write::kOutputLabel), list, window_);
  const std::array<const char*, 3> headings = lessons::steps::RowHeadings();
  const std::array<const char*, 2> names = {write::kYourRowsLabel, write::kLessonRowsLabel};
  for (size_t side = 0; side < rows_.size(); ++side) {
    for (size_t column = 0; column < 3; ++column)
      headings_[side][column] = label(headings[column]);
    rows_labels_[side] = label(names[side]);
    rows_[side] = MakeChild(L"LISTBOX", WideFromUtf8(names[side]),
                            list | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, window_);
  }
  work_ = label("");
  right_ = {count_label_, count_,        arrows_, count_note_, values_label_,
            values_,      output_label_, output_, work_};
  for (size_t side = 0; side < rows_.size(); ++side) {
    right_.push_back(rows_labels_[side]);
    right_.push_back(rows_[side]);
    right_.insert(right_.end(), headings_[side].begin(), headings_[side].end());
  }
  for (const Command each : {Command::kRun, Command::kStep, Command::kBack, Command::kRestart})
    right_.push_back(Button(each));
  for (const write::Task& task : write::kTasks)
    SendMessageW(task_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(task.name).c_str()));
  Refresh();
}

WritePage::~WritePage() {
  if (window_ != nullptr) {
    KillTimer(window_, kCheckTimer);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    RemoveWindowSubclass(help_text_, &HelpKeys, 0);
  }
  DeleteObject(bold_);
  DeleteObject(stars_);
  DeleteObject(help_font_);
}

// Where each part stands at the page's resolution: on top the task, its text and its check; on
// the left the editor's tools, a line of them as long as there is room, the editor, and the
// message and the counter under it; on the right N and the buttons that run, the values beside
// the output, the two tables of rows side by side, and the work under them. The help takes the
// right side while it is shown.
void WritePage::Place(const RECT& area, int dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  const SIZE page = MovePage(window_, area);
  const auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  const int gap = px(8);
  const int line = px(22);  // a label's height
  const int row = px(26);   // a box's and a button's
  HDC dc = GetDC(window_);
  const HGDIOBJ before = SelectObject(dc, font);
  const auto text_width = [dc](const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int text_line = metrics.tmHeight;

  // The rows' columns as wide as the longest word of their headings, which break between
  // words, or as a number of five digits; the marks' after them, in the pupil's table only.
  int x = px(2);
  for (size_t column = 0; column < 3; ++column) {
    columns_[column] = x;
    const std::wstring heading = TextOf(headings_[0][column]);
    int widest = text_width(L"16380");
    for (size_t at = 0; at <= heading.size();) {
      const size_t end = std::min(heading.find(L' ', at), heading.size());
      widest = std::max(widest, text_width(heading.substr(at, end - at)));
      at = end + 1;
    }
    x += widest + px(10);
  }
  columns_[3] = x;
  // A scroll bar, where the rows take it, covers the pupil's marks in their table's room, and only
  // the blank end of the last column in the lesson's.
  const int scroll = GetSystemMetrics(SM_CXVSCROLL) + px(4);
  const std::array<int, 2> tables = {x + px(22) + scroll, x + px(4)};
  const int right = std::max(tables[0] + gap + tables[1], px(380));
  const int right_x = page.cx - gap - right;
  const int left = right_x - 2 * gap;

  // On top: the task and its text, the check and its verdict.
  const int top_x = gap + px(266);
  MoveWindow(task_label_, gap, px(8), px(56), line, TRUE);
  MoveWindow(task_, gap + px(60), px(4), px(200), px(200), TRUE);
  MoveWindow(task_text_, top_x, px(6), page.cx - top_x - gap, 3 * text_line, TRUE);
  MoveWindow(Button(Command::kCheck), gap, px(36), px(258), row, TRUE);
  MoveWindow(Button(Command::kShowSteps), gap, px(66), px(258), row, TRUE);
  const int verdict_y = px(10) + 3 * text_line;
  MoveWindow(verdict_, top_x, verdict_y, page.cx - top_x - gap, 3 * text_line + px(6), TRUE);
  const int below = std::max(px(96), verdict_y + 3 * text_line + px(6)) + gap;

  // On the left: the tools, a line of them as long as there is room.
  std::vector<HWND> tools(signs_.begin(), signs_.end());
  tools.insert(tools.end(), {start_, open_, save_, help_});
  x = gap;
  int y = below;
  for (HWND tool : tools) {
    const bool sign = std::find(signs_.begin(), signs_.end(), tool) != signs_.end();
    const int tool_width = sign ? px(30) : text_width(TextOf(tool)) + px(20);
    if (x > gap && x + tool_width > gap + left) {
      x = gap;
      y += row + px(4);
    }
    MoveWindow(tool, x, y, tool_width, row, TRUE);
    x += tool_width + (sign ? px(2) : px(6));
    if (tool == signs_.back()) x += px(6);
  }
  const int editor_y = y + row + px(6);
  const int counter_y = page.cy - gap - line;
  const int message_height = 3 * text_line + px(6);
  const int message_y = counter_y - px(2) - message_height;
  editor_->Place({gap, editor_y, gap + left, message_y - px(6)}, dpi);
  MoveWindow(message_, gap, message_y, left, message_height, TRUE);
  MoveWindow(counter_, gap, counter_y, left, line, TRUE);

  // On the right: N and the buttons, the values and the output, the rows, the work.
  y = below;
  MoveWindow(count_label_, right_x, y + px(4), px(16), line, TRUE);
  MoveWindow(count_, right_x + px(20), y, px(80), row, TRUE);
  SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(count_), 0);
  MoveWindow(count_note_, right_x + px(116), y + px(4), right - px(116), line, TRUE);
  y += row + px(6);
  x = right_x;
  for (const Command each : {Command::kRun, Command::kStep, Command::kBack, Command::kRestart}) {
    const int button_width = std::max(px(72), text_width(TextOf(Button(each))) + px(20));
    MoveWindow(Button(each), x, y, button_width, row + px(2), TRUE);
    x += button_width + px(6);
  }
  y += row + px(8);
  const int half = (right - gap) / 2;
  MoveWindow(values_label_, right_x, y, half, line, TRUE);
  MoveWindow(output_label_, right_x + half + gap, y, right - half - gap, line, TRUE);
  y += line;
  const int lists = px(100);
  MoveWindow(values_, right_x, y, half, lists, TRUE);
  MoveWindow(output_, right_x + half + gap, y, right - half - gap, lists, TRUE);
  y += lists + px(6);
  const int work_height = 2 * text_line + px(4);
  const int work_y = page.cy - gap - work_height;
  int table_x = right_x;
  for (size_t side = 0; side < rows_.size(); ++side) {
    const int table = tables[side];
    MoveWindow(rows_labels_[side], table_x, y, table, line, TRUE);
    for (size_t each = 0; each < 3; ++each) {
      MoveWindow(headings_[side][each], table_x + columns_[each], y + line,
                 columns_[each + 1] - columns_[each], 2 * text_line, TRUE);
    }
    const int rows_y = y + line + 2 * text_line + px(2);
    MoveWindow(rows_[side], table_x, rows_y, table, work_y - px(4) - rows_y, TRUE);
    SendMessageW(rows_[side], LB_SETITEMHEIGHT, 0, text_line + px(2));
    table_x += table + gap;
  }
  MoveWindow(work_, right_x, work_y, right, work_height, TRUE);
  MoveWindow(help_text_, right_x, below, right, page.cy - gap - below, TRUE);

  SelectObject(dc, before);
  ReleaseDC(window_, dc);
  for (HWND control : {task_label_, task_, task_text_, message_, counter_, count_label_, count_,
                       count_note_, values_label_, values_, output_label_, output_, work_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  for (const auto& side : headings_) {
    for (HWND heading : side)
      SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  for (HWND control : buttons_)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND control : tools)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(task_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), text_line + px(4));
  SendMessageW(task_, CB_SETITEMHEIGHT, 0, text_line + px(2));
  LOGFONTW bold{};
  GetObjectW(font, sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  DeleteObject(bold_);
  bold_ = CreateFontIndirectW(&bold);
  for (HWND control : {task_text_, rows_labels_[0], rows_labels_[1]})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), TRUE);
  DeleteObject(stars_);
  stars_ = StarsFont(text_line);
  DeleteObject(help_font_);
  help_font_ = FixedFont(px(12));  // the examples' lines with their comments whole
  SendMessageW(help_text_, WM_SETFONT, reinterpret_cast<WPARAM>(help_font_), TRUE);
  Refresh();
}

void WritePage::TakeFocus() {
  SetFocus(editor_->Handle());
}

void WritePage::Refresh() {
  ShowTasks();
  ShowText(task_text_, WideFromUtf8(write_.TaskText()));
  const std::wstring verdict = WideFromUtf8(write_.Verdict());
  if (TextOf(verdict_) != verdict) {
    SetWindowTextW(verdict_, verdict.c_str());
    InvalidateRect(verdict_, nullptr, TRUE);
  }
  ShowProgram();
  editor_->Mark(write_.Marked(), write_.MarksError());
  ShowText(message_, WideFromUtf8(write_.Message()));
  ShowText(counter_, WideFromUtf8(write_.Counter()));

  const std::wstring count = WideFromUtf8(write_.TypedCount());
  if (TextOf(count_) != count) {
    mirroring_ = true;
    SetWindowTextW(count_, count.c_str());
    SendMessageW(count_, EM_SETSEL, 0, -1);
    mirroring_ = false;
  }
  ShowText(count_note_, WideFromUtf8(write_.CountNote()));
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const auto command = static_cast<Command>(i);
    ShowText(buttons_[i], WideFromUtf8(write_.Name(command)));
    // A button that goes out of use hands the focus on: to "Пусни", or to the editor.
    const bool enabled = write_.Enabled(command);
    if (!enabled && GetFocus() == buttons_[i]) {
      SetFocus(write_.Enabled(Command::kRun) ? Button(Command::kRun) : editor_->Handle());
    }
    EnableWindow(buttons_[i], enabled ? TRUE : FALSE);
  }

  std::vector<std::wstring> values;
  for (const language::Trace::Shown& value : write_.Values()) {
    std::wstring text = WideFromUtf8(value.name);
    if (!value.value.empty()) text += L" = " + WideFromUtf8(value.value);
    if (value.changed) text += L"   " + WideFromUtf8(lessons::steps::kChanged);
    values.push_back(text);
  }
  ShowLines(values_, values);
  std::vector<std::wstring> output;
  for (const std::string& each : write_.Output())
    output.push_back(WideFromUtf8(each));
  ShowLines(output_, output);
  if (!output.empty()) SendMessageW(output_, LB_SETTOPINDEX, output.size() - 1, 0);
  ShowRows();
  ShowText(work_, WideFromUtf8(write_.Work()));
  Said();
  Time();
}

// The task list, each name with a star once its task has been checked right.
void WritePage::ShowTasks() {
  for (size_t task = 0; task < write::kTasks.size(); ++task) {
    std::wstring name = WideFromUtf8(write::kTasks[task].name);
    if (write_.Star(static_cast<int>(task))) name += std::wstring(L" ") + kStar;
    const auto at = static_cast<WPARAM>(task);
    std::wstring shown(static_cast<size_t>(SendMessageW(task_, CB_GETLBTEXTLEN, at, 0)), L'\0');
    SendMessageW(task_, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(shown.data()));
    if (shown == name) continue;
    SendMessageW(task_, CB_DELETESTRING, at, 0);
    SendMessageW(task_, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(name.c_str()));
  }
  if (SendMessageW(task_, CB_GETCURSEL, 0, 0) != write_.Task())
    SendMessageW(task_, CB_SETCURSEL, static_cast<WPARAM>(write_.Task()), 0);
}

// The editor shows the page's text where it holds another: after a start, a file opened, another
// task or a text brought back; replaced so that undo brings back what it held.
void WritePage::ShowProgram() {
  const std::wstring shown = WithWindowsLineEnds(WideFromUtf8(write_.Text()));
  if (editor_->Text() == shown) return;
  mirroring_ = true;
  editor_->Replace(shown);
  mirroring_ = false;
}

// The rows of the pupil's program and of the lesson's, each line its three numbers, and the
// mark in words for a screen reader, which the page draws as a tick or a cross.
void WritePage::ShowRows() {
  shown_rows_ = {write_.YourRows(), write_.LessonRowsShown()};
  for (size_t side = 0; side < rows_.size(); ++side) {
    std::vector<std::wstring> lines;
    for (const write::ShownRow& row : shown_rows_[side]) {
      std::wstring line = WideFromUtf8(row.texts[0]);
      for (size_t column = 1; column < row.texts.size(); ++column)
        line += L", " + WideFromUtf8(row.texts[column]);
      if (row.mark != write::Mark::kNone)
        line += L", " + WideFromUtf8(write::kMarkWords[static_cast<size_t>(row.mark)]);
      lines.push_back(line);
    }
    ShowLines(rows_[side], lines);
  }
}

// A screen reader reads the page's name when the page says something anew, its signs in words:
// the verdict where it changed, else the message.
void WritePage::Said() {
  if (write_.Sayings() == read_sayings_) return;
  read_sayings_ = write_.Sayings();
  const std::wstring verdict = TextOf(verdict_);
  const bool new_verdict = verdict != said_verdict_ && !verdict.empty();
  ShowText(window_, WideFromUtf8(new_verdict ? write_.VerdictSaid() : write_.MessageSaid()));
  said_verdict_ = verdict;
}

// The check goes on a slice at a time while it runs, on a timer, whose messages come after the
// pupil's keys and clicks and the window's painting.
void WritePage::Time() {
  if (write_.Checking() == timing_) return;
  timing_ = write_.Checking();
  if (timing_) {
    SetTimer(window_, kCheckTimer, USER_TIMER_MINIMUM, nullptr);
  } else {
    KillTimer(window_, kCheckTimer);
  }
}

// What the pupil typed goes to the page as it stands.
void WritePage::Edited() {
  write_.Edit(runtime::ToUtf8(FromWide(editor_->Text())));
}

bool WritePage::Ask() const {
  return MessageBoxW(GetAncestor(window_, GA_ROOT), WideFromUtf8(write_.ReplaceQuestion()).c_str(),
                     WideFromUtf8(write::kTab).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WritePage::StartFrom(int start) {
  if (write_.AsksBeforeReplacing() && !Ask()) return;
  write_.StartFrom(start);
  SetFocus(editor_->Handle());
}

// "Започни от": its starts in a menu under the button.
void WritePage::ChooseStart() {
  HMENU menu = CreatePopupMenu();
  for (size_t start = 0; start < write::kStartNames.size(); ++start) {
    AppendMenuW(menu, MF_STRING, start + 1, WideFromUtf8(write::kStartNames[start]).c_str());
  }
  RECT button;
  GetWindowRect(start_, &button);
  const int chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, button.left,
                     button.bottom, 0, window_, nullptr);
  DestroyMenu(menu);
  if (chosen > 0) StartFrom(chosen - 1);
}

// "Отвори…": the file's first bytes, past the most a program may take by one, so that the page
// can tell a file too large; asked first where the text would be lost.
void WritePage::OpenFile() {
  const std::optional<std::wstring> path = choose_file_(false, L"");
  if (!path) return;
  DWORD error = 0;
  const std::optional<std::string> bytes = ReadBytes(*path, write::kLargestFile + 1, error);
  if (!bytes) {
    write_.OpenFailed(FailureReason(error));
    return;
  }
  if (write_.AsksBeforeReplacing() && !Ask()) return;
  write_.Opened(*bytes);
  SetFocus(editor_->Handle());
}

// "Запази като…": the text as it stands, in UTF-8, under the name chosen.
void WritePage::SaveFile() {
  const std::optional<std::wstring> path = choose_file_(true, WideFromUtf8(write_.FileName()));
  if (!path) return;
  DWORD error = 0;
  if (WriteBytes(*path, write_.Text(), error)) {
    write_.Saved(runtime::ToUtf8(FromWide(path->substr(path->find_last_of(L"\\/") + 1))));
  } else {
    write_.SaveFailed(FailureReason(error));
  }
}

// The help in place of the right side, from which Esc brings the right side back.
void WritePage::ShowHelp(bool shown) {
  SendMessageW(help_, BM_SETCHECK, shown ? BST_CHECKED : BST_UNCHECKED, 0);
  for (HWND control : right_)
    ShowWindow(control, shown ? SW_HIDE : SW_SHOW);
  ShowWindow(help_text_, shown ? SW_SHOW : SW_HIDE);
  SetFocus(shown ? help_text_ : help_);
}

void WritePage::Enter(HWND focused) {
  if (focused == count_) {
    write_.Press(Command::kRun);
    return;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (focused == buttons_[i] && IsWindowEnabled(focused)) write_.Press(static_cast<Command>(i));
  }
}

void WritePage::Do(int id, int code) {
  if (id == kTaskId && code == CBN_SELCHANGE) {
    write_.ChooseTask(static_cast<int>(SendMessageW(task_, CB_GETCURSEL, 0, 0)));
  } else if (id == kEditorId && code == EN_CHANGE && !mirroring_) {
    Edited();
  } else if (id == kCountId && code == EN_CHANGE && !mirroring_) {
    write_.TypeCount(runtime::ToUtf8(FromWide(TextOf(count_))));
  } else if (code != BN_CLICKED) {
    return;
  } else if (id >= kFirstCommandId && id < kFirstCommandId + static_cast<int>(buttons_.size())) {
    write_.Press(static_cast<lessons::write::Command>(id - kFirstCommandId));
  } else if (id >= kFirstSignId && id < kFirstSignId + static_cast<int>(signs_.size())) {
    editor_->Insert(WideFromUtf8(write::kSigns[static_cast<size_t>(id - kFirstSignId)].text));
  } else if (id == kStartId) {
    ChooseStart();
  } else if (id == kOpenId) {
    OpenFile();
  } else if (id == kSaveId) {
    SaveFile();
  } else if (id == kHelpId) {
    ShowHelp(SendMessageW(help_, BM_GETCHECK, 0, 0) == BST_CHECKED);
  }
}

// A task in the list: its name, and its star in the stars' font.
void WritePage::DrawTask(const DRAWITEMSTRUCT& item) const {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const size_t task = item.itemID;
  if (task >= write::kTasks.size()) return;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = item.rcItem;
  text.left += MulDiv(4, dpi_, 96);
  std::wstring name = WideFromUtf8(write::kTasks[task].name);
  if (write_.Star(static_cast<int>(task))) name += std::wstring(L" ") + kStar;
  const int middle = (text.top + text.bottom) / 2;
  HDC dc = item.hDC;
  TEXTMETRICW metrics{};
  const HGDIOBJ before = SelectObject(dc, font_);
  GetTextMetricsW(dc, &metrics);
  text.top = middle - metrics.tmHeight / 2;
  DrawWords(dc, name, text, font_, stars_);
  SelectObject(dc, before);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &item.rcItem);
}

// A row of a table: its three numbers under their headings, and its mark.
void WritePage::DrawRow(const DRAWITEMSTRUCT& item) const {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const std::vector<write::ShownRow>& rows = shown_rows_[item.hwndItem == rows_[0] ? 0 : 1];
  if (item.itemID >= rows.size()) return;
  const write::ShownRow& row = rows[item.itemID];
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HGDIOBJ before = SelectObject(item.hDC, font_);
  for (size_t column = 0; column < row.texts.size(); ++column) {
    RECT cell = item.rcItem;
    cell.left += columns_[column];
    cell.right = item.rcItem.left + columns_[column + 1];
    const std::wstring text = WideFromUtf8(row.texts[column]);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &cell,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  SelectObject(item.hDC, before);
  if (row.mark != write::Mark::kNone) {
    RECT square = item.rcItem;
    square.left += columns_[3];
    square.right = square.left + (item.rcItem.bottom - item.rcItem.top);
    DrawMark(item.hDC, square, row.mark, dpi_);
  }
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

// The verdict in a sunken frame, its star, if any, in the stars' font.
void WritePage::DrawVerdict(const DRAWITEMSTRUCT& item) const {
  RECT rect = item.rcItem;
  FillIn(item.hDC, rect, lessons::picture::kBackground);
  const std::wstring verdict = TextOf(verdict_);
  if (verdict.empty()) return;
  DrawEdge(item.hDC, &rect, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&rect, -MulDiv(4, dpi_, 96), -MulDiv(2, dpi_, 96));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(0, 0, 0));
  DrawWords(item.hDC, verdict, rect, font_, stars_);
}

LRESULT CALLBACK WritePage::HelpKeys(HWND help, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR /*id*/, DWORD_PTR page) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Esc for the help, which it closes; Tab and Enter for the page, as on a label.
      const auto* pending = reinterpret_cast<const MSG*>(lparam);
      const LRESULT code = DefSubclassProc(help, message, wparam, lparam) & ~DLGC_HASSETSEL;
      const bool escape =
          pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_ESCAPE;
      return escape ? code | DLGC_WANTMESSAGE : code & ~DLGC_WANTALLKEYS;
    }
    case WM_KEYDOWN:
      if (wparam != VK_ESCAPE) break;
      reinterpret_cast<WritePage*>(page)->ShowHelp(false);
      return 0;
    case WM_CHAR:
      if (wparam == 0x1B) return 0;
      break;
    default:
      break;
  }
  return DefSubclassProc(help, message, wparam, lparam);
}

LRESULT WritePage::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      Do(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kCheckTimer) write_.CheckSome();
      return 0;
    case WM_MEASUREITEM:  // before the page is placed; Place sets the heights in its font
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = 20;
      return TRUE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.hwndItem == task_) DrawTask(item);
      if (item.hwndItem == rows_[0] || item.hwndItem == rows_[1]) DrawRow(item);
      if (item.hwndItem == verdict_) DrawVerdict(item);
      for (size_t i = 0; i < signs_.size(); ++i) {
        if (item.hwndItem == signs_[i])
          DrawButton(item, GetSysColor(COLOR_BTNFACE), WideFromUtf8(write::kSigns[i].label));
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:  // the help on paper, as text to read
      if (reinterpret_cast<HWND>(lparam) == help_text_) {
        SetTextColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_NOTIFY:  // the arrows of N step it through the page; they keep no number of their own
      if (const int by = ArrowStep(lparam, arrows_); by != 0) {
        write_.StepCount(by);
        SendMessageW(count_, EM_SETSEL, 0, -1);
        return 1;
      }
      break;
    default:
      break;
  }
  return PageDefault(window_, message, wparam, lparam);
}

}  // namespace windows
