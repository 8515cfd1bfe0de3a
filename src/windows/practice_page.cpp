#include "windows/practice_page.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "lessons/steps.h"
#include "lessons/words.h"
#include "windows/chart_canvas.h"
#include "windows/squares_canvas.h"
#include "windows/wide.h"

namespace windows {

namespace practice = lessons::practice;

namespace {

constexpr wchar_t kPageClass[] = L"org.example.ramka.practice";
constexpr int kLevelId = 400;
constexpr int kFirstSideId = 410;
constexpr int kFirstButtonId = 420;
// "Виж как го намира програмата", done once the key or click that pressed it is over, since it
// hides the page that has the button.
constexpr UINT kShowInProgram = WM_APP + 2;

}  // namespace

PracticePage::PracticePage(practice::Practice& practice, HWND parent,
                           std::function<void()> show_in_program)
    : practice_(practice), show_in_program_(std::move(show_in_program)) {
  static const bool registered =
      RegisterWindowClass(kPageClass, &Forward<PracticePage>, false) != 0;
  (void)registered;
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, WideFromUtf8(practice::kTab).c_str(),
                            WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleW(nullptr), this);
  // In the order they stand, which is the order of the dialog keys; each label just before the
  // control it names, which a screen reader takes as its name.
  level_label_ =
      MakeChild(L"STATIC", WideFromUtf8(practice::kLevelLabel), SS_LEFT | SS_NOPREFIX, window_);
  level_ =
      MakeChild(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, window_, kLevelId);
  for (const practice::Level& level : practice::kLevels)
    SendMessageW(level_, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(level.name).c_str()));
  progress_ = MakeChild(L"STATIC", L"", SS_RIGHT | SS_NOPREFIX, window_);
  task_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  proverb_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  // The boxes keep what is typed, whatever it is, for the practice to read; their arrows step
  // the number through the practice.
  const std::array<const char*, 3> headings = lessons::steps::RowHeadings();
  for (size_t side = 0; side < 3; ++side) {
    side_labels_[side] =
        MakeChild(L"STATIC", WideFromUtf8(side == 2 ? practice::kFrameLabel : headings[side]),
                  SS_LEFT | SS_NOPREFIX, window_);
    sides_[side] =
        MakeTextBox(L"1", practice::kBoxLength, window_, kFirstSideId + static_cast<int>(side));
    arrows_[side] = MakeArrows(sides_[side], window_);
  }
  axes_ = MakeChild(L"STATIC", WideFromUtf8(lessons::steps::kAxes), SS_LEFT | SS_NOPREFIX, window_);
  frame_note_ =
      MakeChild(L"STATIC", WideFromUtf8(practice::kFrameNote), SS_LEFT | SS_NOPREFIX, window_);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] =
        MakeChild(L"BUTTON", WideFromUtf8(practice::kButtonNames[i]), WS_TABSTOP | BS_PUSHBUTTON,
                  window_, kFirstButtonId + static_cast<int>(i));
  }
  verdict_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, window_);
  drawing_ = std::make_unique<SquaresCanvas>(window_, DpiOf(parent));
  drawing_line_ = MakeChild(L"STATIC", L"", SS_CENTER | SS_NOPREFIX, window_);
  chart_ = std::make_unique<ChartCanvas>(window_, DpiOf(parent), practice::kChartLabel);
  chart_sentence_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  rows_label_ =
      MakeChild(L"STATIC", WideFromUtf8(practice::kRowsLabel), SS_LEFT | SS_NOPREFIX, window_);
  rows_ = MakeChild(L"LISTBOX", WideFromUtf8(practice::kRowsLabel),
                    WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS, window_);
  const int stops[] = {60, 120};
  SendMessageW(rows_, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
  show_note_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  score_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  stars_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  best_ = MakeChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, window_);
  Refresh();
}

PracticePage::~PracticePage() {
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DeleteObject(score_font_);
  DeleteObject(stars_font_);
}

// Where each part stands at the page's resolution: the level and the progress, the task, the
// sides and the buttons, the verdict, the drawing beside the chart with their lines under them,
// and the way to the program with the score at the bottom.
void PracticePage::Place(const RECT& area, int dpi, HFONT font) {
  dpi_ = dpi;
  MoveWindow(window_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  const auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int gap = px(8);
  const int line = px(22);
  const int row = px(26);
  const int inner = width - 2 * gap;

  MoveWindow(level_label_, gap, px(8), px(44), line, TRUE);
  MoveWindow(level_, gap + px(48), px(4), px(250), px(200), TRUE);
  MoveWindow(progress_, width - gap - px(300), px(8), px(300), line, TRUE);
  MoveWindow(task_, gap, px(34), inner, px(38), TRUE);
  MoveWindow(proverb_, gap, px(72), inner, line, TRUE);

  sides_top_ = px(96);
  PlaceBoxes();
  // The frame's note, at the fifth level, on a line of its own under the boxes.
  MoveWindow(frame_note_, gap, sides_top_ + row + px(4), inner, line, TRUE);
  const int buttons_y = sides_top_ + row + line + px(8);
  buttons_top_ = buttons_y;
  PlaceButtons();

  const int verdict_y = buttons_y + row + gap;
  MoveWindow(verdict_, gap, verdict_y, inner, px(48), TRUE);
  const int bottom_y = height - gap - row;
  const int sentence = px(84);  // four lines
  const int pictures_y = verdict_y + px(48) + gap;
  const int pictures = bottom_y - gap - sentence - pictures_y;
  const int half = (inner - gap) / 2;
  MoveWindow(drawing_->Handle(), gap, pictures_y, half, pictures, TRUE);
  MoveWindow(drawing_line_, gap, pictures_y + pictures + px(4), half, line, TRUE);
  MoveWindow(chart_->Handle(), gap * 2 + half, pictures_y, half, pictures, TRUE);
  MoveWindow(chart_sentence_, gap * 2 + half, pictures_y + pictures + px(4), half, sentence, TRUE);
  MoveWindow(rows_label_, gap * 2 + half, pictures_y, half, line, TRUE);
  MoveWindow(rows_, gap * 2 + half, pictures_y + line, half, pictures + sentence - line, TRUE);
  // The way to the program, and beside it what it will change, while a set runs; the score and
  // the stars in their place once it is over; the level's best after them.
  MoveWindow(Button(practice::Button::kShowProgram), gap, bottom_y, px(250), row, TRUE);
  MoveWindow(show_note_, gap + px(258), bottom_y + px(4), px(310), line, TRUE);
  MoveWindow(score_, gap + px(266), bottom_y + px(2), px(180), line + px(2), TRUE);
  MoveWindow(stars_, gap + px(446), bottom_y + px(1), px(70), line + px(4), TRUE);
  MoveWindow(best_, gap + px(580), bottom_y + px(4), width - gap - px(580) - gap, line, TRUE);

  drawing_->SetDpi(dpi);
  chart_->SetDpi(dpi);
  for (HWND control : {level_label_,    level_,          progress_,       task_,      proverb_,
                       side_labels_[0], side_labels_[1], side_labels_[2], sides_[0],  sides_[1],
                       sides_[2],       axes_,           frame_note_,     verdict_,   drawing_line_,
                       chart_sentence_, rows_label_,     rows_,           show_note_, best_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  for (HWND button : buttons_)
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  LOGFONTW bold{};
  GetObjectW(font, sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  DeleteObject(score_font_);
  score_font_ = CreateFontIndirectW(&bold);
  for (HWND control : {task_, proverb_, score_})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(score_font_), TRUE);
  DeleteObject(stars_font_);
  stars_font_ = StarsFont(px(22));
  SendMessageW(stars_, WM_SETFONT, reinterpret_cast<WPARAM>(stars_font_), TRUE);
}

// The buttons above the verdict on a line of their own, "Няма повече редове" only where it is
// shown, the others closing up where it is not: shown, hidden and moved all at once, so that no
// button paints over another on the way.
void PracticePage::PlaceButtons() {
  const int widths[] = {90, 150, 104, 140, 96};
  int x = MulDiv(8, dpi_, 96);
  HDWP moves = BeginDeferWindowPos(static_cast<int>(std::size(widths)));
  for (size_t i = 0; i < std::size(widths); ++i) {
    const bool shown = practice_.Shown(static_cast<practice::Button>(i));
    placed_[i] = shown;
    moves = DeferWindowPos(
        moves, buttons_[i], nullptr, x, buttons_top_, MulDiv(widths[i], dpi_, 96),
        MulDiv(26, dpi_, 96),
        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (shown) x += MulDiv(widths[i] + 6, dpi_, 96);
  }
  EndDeferWindowPos(moves);
}

// The boxes, each after its name, and after the last one shown what the names of the sides mean;
// the frame's box is there at the fifth level alone.
void PracticePage::PlaceBoxes() {
  const auto px = [this](int pixels) { return MulDiv(pixels, dpi_, 96); };
  RECT page;
  GetClientRect(window_, &page);
  int x = px(8);
  for (size_t side = 0; side < 3; ++side) {
    const int label = px(side == 0 ? 78 : side == 1 ? 88 : 50);
    MoveWindow(side_labels_[side], x, sides_top_ + px(4), label, px(22), TRUE);
    MoveWindow(sides_[side], x + label + px(6), sides_top_, px(64), px(26), TRUE);
    SendMessageW(arrows_[side], UDM_SETBUDDY, reinterpret_cast<WPARAM>(sides_[side]), 0);
    if (side < 2 || practice_.Tracing()) x += label + px(6) + px(64) + px(24);
  }
  MoveWindow(axes_, x, sides_top_ + px(4), std::max(0, static_cast<int>(page.right) - x - px(8)),
             px(22), TRUE);
}

void PracticePage::TakeFocus() {
  SetFocus(IsWindowEnabled(sides_[0]) && IsWindowVisible(sides_[0]) ? sides_[0] : level_);
}

void PracticePage::Refresh() {
  if (SendMessageW(level_, CB_GETCURSEL, 0, 0) != practice_.Level())
    SendMessageW(level_, CB_SETCURSEL, static_cast<WPARAM>(practice_.Level()), 0);
  ShowText(progress_, WideFromUtf8(practice_.Progress()));
  ShowText(task_, WideFromUtf8(practice_.TaskText()));
  ShowText(proverb_, WideFromUtf8(practice_.Proverb()));
  const bool tracing = practice_.Tracing();
  const bool done = practice_.GetStage() == practice::Stage::kDone;
  for (size_t side = 0; side < 3; ++side) {
    const bool shown = practice_.BoxesShown() && (side < 2 || tracing);
    ShowSide(static_cast<int>(side));
    EnableWindow(sides_[side], practice_.SidesEnabled() ? TRUE : FALSE);
    EnableWindow(arrows_[side], practice_.SidesEnabled() ? TRUE : FALSE);
    for (HWND control : {side_labels_[side], sides_[side], arrows_[side]})
      ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
  }
  ShowWindow(frame_note_, tracing && practice_.BoxesShown() ? SW_SHOW : SW_HIDE);
  bool placed = true;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    // A button that goes out of use hands the focus to the page's beginning.
    const auto button = static_cast<practice::Button>(i);
    const bool enabled = practice_.Enabled(button) && practice_.Shown(button);
    if (!enabled && GetFocus() == buttons_[i]) SetFocus(level_);
    EnableWindow(buttons_[i], enabled ? TRUE : FALSE);
    if (i < placed_.size() - 1 && placed_[i] != practice_.Shown(button)) placed = false;
  }
  // The line of buttons changes where buttons come or go, with the level or the set's end; and
  // the boxes' line with them, the page then painted whole, so that nothing stays where a box
  // stood before.
  if (!placed) {
    PlaceButtons();
    PlaceBoxes();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  ShowWindow(axes_, practice_.BoxesShown() ? SW_SHOW : SW_HIDE);
  const bool show_shown = practice_.Shown(practice::Button::kShowProgram);
  ShowText(show_note_, WideFromUtf8(practice_.ShowInProgramNote()));
  ShowWindow(show_note_, show_shown ? SW_SHOW : SW_HIDE);
  ShowWindow(Button(practice::Button::kShowProgram),
             practice_.Shown(practice::Button::kShowProgram) ? SW_SHOW : SW_HIDE);
  const std::wstring verdict = WideFromUtf8(practice_.Verdict());
  ShowText(verdict_, verdict);
  ShowWindow(verdict_, done ? SW_HIDE : SW_SHOW);
  // A screen reader reads the page's name, the verdict, when a check gives one, and nothing of
  // it once it is gone.
  if (practice_.Checks() != read_checks_ || verdict.empty()) ShowText(window_, verdict);
  read_checks_ = practice_.Checks();
  drawing_->SetPicture(practice_.Drawing());
  ShowWindow(drawing_->Handle(), done ? SW_HIDE : SW_SHOW);
  ShowText(drawing_line_, WideFromUtf8(practice_.DrawingLine()));
  const std::optional<lessons::chart::Chart> chart = practice_.Chart();
  ShowText(chart_sentence_, chart ? WideFromUtf8(chart->Sentence()) : std::wstring());
  chart_->SetChart(chart);
  ShowWindow(chart_->Handle(), tracing ? SW_HIDE : SW_SHOW);
  ShowWindow(chart_sentence_, tracing ? SW_HIDE : SW_SHOW);
  ShowWindow(rows_label_, tracing && !done ? SW_SHOW : SW_HIDE);
  ShowWindow(rows_, tracing && !done ? SW_SHOW : SW_HIDE);
  std::vector<std::wstring> given;
  for (const practice::Row& each : practice_.Listed()) {
    given.push_back(WideFromUtf8(lessons::words::Number(each.across)) + L"\t" +
                    WideFromUtf8(lessons::words::Number(each.down)) + L"\t" +
                    WideFromUtf8(lessons::words::Number(each.frame)));
  }
  if (static_cast<size_t>(SendMessageW(rows_, LB_GETCOUNT, 0, 0)) != given.size() ||
      given.empty()) {
    SendMessageW(rows_, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& each : given)
      SendMessageW(rows_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(each.c_str()));
  }
  ShowText(score_, WideFromUtf8(practice_.Score()));
  ShowText(stars_, WideFromUtf8(practice_.Stars()));
  for (HWND control : {score_, stars_})  // where the note stands while the set runs
    ShowWindow(control, done ? SW_SHOW : SW_HIDE);
  ShowText(best_, WideFromUtf8(practice_.Best()));
}

// A number box shows what the practice holds for it, where that differs from what it shows.
void PracticePage::ShowSide(int side) {
  HWND box = sides_[static_cast<size_t>(side)];
  const std::wstring shown = WideFromUtf8(practice_.Typed(static_cast<practice::Box>(side)));
  if (TextOf(box) == shown) return;
  mirroring_ = true;
  SetWindowTextW(box, shown.c_str());
  SendMessageW(box, EM_SETSEL, 0, -1);
  mirroring_ = false;
}

// What the pupil typed into a number box goes to the practice as it stands.
void PracticePage::Edited(int side) {
  practice_.Type(static_cast<practice::Box>(side),
                 runtime::ToUtf8(FromWide(TextOf(sides_[static_cast<size_t>(side)]))));
}

void PracticePage::Press(practice::Button button) {
  if (button == practice::Button::kShowProgram) {
    PostMessageW(window_, kShowInProgram, 0, 0);
    return;
  }
  practice_.Press(button);
  switch (practice_.FocusAfter()) {
    case practice::Focus::kAcross:
      SetFocus(sides_[0]);
      SendMessageW(sides_[0], EM_SETSEL, 0, -1);
      break;
    case practice::Focus::kRetry:
      SetFocus(Button(practice::Button::kRetry));
      break;
    case practice::Focus::kNext:
      SetFocus(Button(practice::Button::kNext));
      break;
    case practice::Focus::kRestart:
      SetFocus(Button(practice::Button::kRestart));
      break;
  }
}

void PracticePage::Enter(HWND focused) {
  if (focused == sides_[0] || focused == sides_[1] || focused == sides_[2]) {
    Press(practice::Button::kCheck);
    return;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (focused == buttons_[i] && IsWindowEnabled(focused)) Press(static_cast<practice::Button>(i));
  }
}

LRESULT PracticePage::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      if (id == kLevelId && code == CBN_SELCHANGE) {
        practice_.ChooseLevel(static_cast<int>(SendMessageW(level_, CB_GETCURSEL, 0, 0)));
      } else if (id >= kFirstSideId && id < kFirstSideId + 3 && code == EN_CHANGE && !mirroring_) {
        Edited(id - kFirstSideId);
      } else if (id >= kFirstButtonId && id < kFirstButtonId + static_cast<int>(buttons_.size()) &&
                 code == BN_CLICKED) {
        Press(static_cast<practice::Button>(id - kFirstButtonId));
      }
      return 0;
    }
    case WM_NOTIFY: {
      // An arrow, clicked or as Up or Down in its box, steps the box's number; the arrows keep
      // no number of their own.
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->code != UDN_DELTAPOS) break;
      for (size_t side = 0; side < arrows_.size(); ++side) {
        if (header->hwndFrom != arrows_[side]) continue;
        const int delta = reinterpret_cast<const NMUPDOWN*>(lparam)->iDelta;
        practice_.Step(static_cast<practice::Box>(side), delta > 0 ? 1 : -1);
        SendMessageW(sides_[side], EM_SETSEL, 0, -1);
        return 1;
      }
      break;
    }
    case kShowInProgram:
      show_in_program_();
      return 0;
    default:
      break;
  }
  return PageDefault(window_, message, wparam, lparam);
}

}  // namespace windows
