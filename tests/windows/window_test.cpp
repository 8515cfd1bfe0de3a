// The program on the standard Windows controls: the window, its controls and keys, the picture
// of a row and the steps page, driven through the program's own message loop.
#include "window_fixture.h"
#include "windows/change_page.h"
#include "windows/code_editor.h"
#include "windows/write_page.h"

namespace {

TEST_F(Window, OpensInCountModeThenCalculatesSelectsAndClears) {
  EXPECT_EQ(Text(Main()), kCaption);
  EXPECT_EQ(Text(Control("Text2", 1)), L"70");
  EXPECT_TRUE(IsWindowEnabled(Control("Text2", 1)));
  EXPECT_EQ(Text(Control("Text2", 0)), L"");
  EXPECT_FALSE(IsWindowEnabled(Control("Text2", 0)));
  EXPECT_TRUE(Checked(1));
  EXPECT_FALSE(Checked(0));
  EXPECT_EQ(Shown(), Lists{});

  Click(Control("Command1", 0));
  EXPECT_EQ(Shown(), kSeventy);
  for (const auto& [list, row] : {std::pair{0, 2}, {2, 3}, {1, 0}}) {
    ClickRow(list, row);
    EXPECT_EQ(Selection(), (std::array<LRESULT, 3>{row, row, row})) << "a click in list " << list;
  }
  SetFocus(Control("List1", 2));
  Press(VK_DOWN);
  EXPECT_EQ(Selection(), (std::array<LRESULT, 3>{1, 1, 1}));

  // Enter and Escape press no button; Space presses the focused one.
  SetFocus(Control("Command1", 1));
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  SetFocus(Control("Text2", 1));
  Press(VK_RETURN);
  EXPECT_EQ(Shown(), kSeventy);
  EXPECT_TRUE(IsWindow(Main()));
  SetFocus(Control("Command1", 1));
  Press(VK_SPACE);
  EXPECT_EQ(Shown(), Lists{});
  EXPECT_EQ(Text(Control("Text2", 1)), L"");
}

TEST_F(Window, AnErrorShowsItsMessageBoxAndTheWindowGoesOn) {
  // Once the box is up, inside its own message loop: what it says, and a click on its OK button.
  static HWND owner;
  static std::wstring title, text;
  static bool owner_enabled;
  owner = Main();
  title = text = L"";
  struct Box {  // a timer's procedure, in the calling convention of the system's callbacks
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
      HWND box = GetActiveWindow();
      if (box == nullptr || GetWindow(box, GW_OWNER) != owner) return;
      KillTimer(nullptr, timer);
      title = Text(box);
      text = Text(GetDlgItem(box, 0xFFFF));
      owner_enabled = IsWindowEnabled(owner);
      PostMessageW(GetDlgItem(box, IDOK), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageW(GetDlgItem(box, IDOK), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
  };
  SetTimer(nullptr, 0, 50, &Box::Answer);
  Retype(Control("Text2", 1), L"2e4");
  Click(Control("Command1", 0));
  EXPECT_EQ(title, kCaption);
  EXPECT_EQ(text, L"Грешка при изпълнение 6:\nПрепълване");
  EXPECT_FALSE(owner_enabled);  // nothing under the box can be used
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_EQ(Shown(), (Lists{{{L"1"}, {L"20000"}, {}}}));  // the rows the error left

  Retype(Control("Text2", 1), L"70");
  Click(Control("Command1", 0));
  EXPECT_EQ(Shown(), kSeventy);
}

TEST_F(Window, TypingAndPastingStopAtTheLimitsCountedInCharacters) {
  HWND count = Control("Text2", 1);
  Retype(count, L"12345");
  EXPECT_EQ(Text(count), L"1234");
  const std::wstring smile = L"\U0001F600";  // one character, two UTF-16 units
  SendMessageW(count, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  Paste(count, smile + smile + smile + smile + smile);
  EXPECT_EQ(Text(count), smile + smile + smile + smile);
  Type(count, smile);
  EXPECT_EQ(Text(count), smile + smile + smile + smile);

  Click(Control("Option1", 0));
  HWND mantra = Control("Text2", 0);
  ASSERT_TRUE(IsWindowEnabled(mantra));
  SetFocus(mantra);
  Type(mantra, std::wstring(98, L'ж') + L"аб" + smile);
  EXPECT_EQ(Text(mantra), std::wstring(98, L'ж') + L"аб");
  PostMessageW(mantra, WM_KEYDOWN, VK_HOME, 1);
  Type(mantra, L"я");
  EXPECT_EQ(Text(mantra), std::wstring(98, L'ж') + L"аб");
  Click(Control("Command1", 0));
  EXPECT_EQ(Text(count), L"100");
}

TEST_F(Window, TabFollowsTheTableAndEntersTheOptionsAtTheSelectedOne) {
  SetFocus(Control("Text1", 0));
  std::vector<std::string> order{Focused()};
  for (int i = 0; i < 20; ++i) {
    Press(VK_TAB);
    order.push_back(Focused());
  }
  std::vector<std::string> expected = {"Text1(0)",    "List1(0)",    "List1(1)", "List1(2)",
                                       "Command1(0)", "Command1(1)", "Text2(1)", "Option1(1)"};
  for (int i = 0; i < 13; ++i)
    expected.push_back("Command2(" + std::to_string(i) + ")");
  EXPECT_EQ(order, expected);

  Press(VK_TAB, true);
  EXPECT_EQ(Focused(), "Command2(11)");
  SetFocus(Control("Command2", 0));
  Press(VK_TAB, true);
  EXPECT_EQ(Focused(), "Option1(1)");
  Press(VK_UP);  // the arrows choose within the group
  EXPECT_EQ(Focused(), "Option1(0)");
  EXPECT_TRUE(Checked(0));
  EXPECT_TRUE(IsWindowEnabled(Control("Text2", 0)));
  SetFocus(Control("Command1", 1));
  Press(VK_TAB);
  EXPECT_EQ(Focused(), "Option1(0)");  // the count box is off in mantra mode
}

TEST_F(Window, EveryControlStandsAtItsRectangleWithItsName) {
  RECT client;
  GetClientRect(Main(), &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(475L, 424L));
  const window::layout::Control* frame = nullptr;
  for (const auto& control : window::layout::kControls) {
    const std::string label = control.name + ("(" + std::to_string(control.index) + ")");
    HWND handle = Control(control.name, control.index);
    ASSERT_NE(handle, nullptr) << label;
    EXPECT_EQ(IsWindowVisible(handle) != FALSE, !control.hidden) << label;
    const bool in_frame = control.kind == window::layout::Kind::kOption;
    const int left = control.left + (in_frame ? frame->left : 0);
    const int top = control.top + (in_frame ? frame->top : 0);
    const RECT want{Pixel(left), Pixel(top), Pixel(left + control.width),
                    Pixel(top + control.height)};
    const RECT have = InClient(handle, Main());
    for (const auto& [a, b] : {std::pair{have.left, want.left},
                               {have.top, want.top},
                               {have.right, want.right},
                               {have.bottom, want.bottom}}) {
      EXPECT_LE(std::abs(a - b), 1) << label;
    }
    // A screen reader names a box, list or note after the label just before it, anything else
    // by its own text.
    const std::wstring name = windows::WideFromUtf8(
        control.accessible_name != nullptr ? control.accessible_name : control.text);
    const bool by_label = ClassOf(handle) == L"Edit" || ClassOf(handle) == L"ListBox";
    HWND named = by_label ? GetWindow(handle, GW_HWNDPREV) : handle;
    EXPECT_EQ(Text(named), name) << label;
    if (by_label) {
      EXPECT_EQ(ClassOf(named), L"Static") << label;
    }
    if (control.kind == window::layout::Kind::kFrame) frame = &control;
  }

  // On a monitor of 144 dots per inch, everything grows half as large again.
  RECT suggested;
  GetWindowRect(Main(), &suggested);
  SendMessageW(Main(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  GetClientRect(Main(), &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(713L, 636L));
  const RECT calculate = InClient(Control("Command1", 0), Main());
  EXPECT_EQ(std::vector({calculate.left, calculate.top, calculate.right, calculate.bottom}),
            std::vector({348L, 96L, 482L, 134L}));
}

TEST_F(Picture, ADoubleClickShowsTheRowEnterReopensItTheArrowsMoveItEscapeClosesIt) {
  Click(Control("Command1", 0));
  SetActiveWindow(Main());
  DoubleClickRow(2, 3);
  ASSERT_TRUE(Open());
  EXPECT_EQ(Selection(), (std::array<LRESULT, 3>{3, 3, 3}));
  EXPECT_EQ(GetActiveWindow(), Main());  // the form keeps the activation and the focus
  EXPECT_EQ(Focused(), "List1(2)");
  EXPECT_EQ(GetWindow(Drawn()->Handle(), GW_OWNER), Main());
  EXPECT_EQ(Said(Drawn()->Words()), L"7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета");
  EXPECT_EQ(Text(Drawn()->Canvas()), Text(Drawn()->Words()));  // its name for a screen reader
  EXPECT_EQ(PaintedSquares(), (std::map<COLORREF, int>{{kGold, 38}, {kOlive, 70}}));

  Press(VK_UP);
  EXPECT_EQ(Said(Drawn()->Words()), L"5 × 14 = 70 квадратчета, 70 букви, рамка от 42 квадратчета");
  EXPECT_EQ(PaintedSquares(), (std::map<COLORREF, int>{{kGold, 42}, {kOlive, 70}}));

  Press(VK_ESCAPE);
  EXPECT_FALSE(Open());
  Press(VK_RETURN);  // Enter on the list with its selected row
  ASSERT_TRUE(Open());
  EXPECT_EQ(Said(Drawn()->Words()), L"5 × 14 = 70 квадратчета, 70 букви, рамка от 42 квадратчета");

  // The form goes on as before; the picture follows it and closes with its close box.
  Click(Control("Command1", 1));
  EXPECT_EQ(Said(Drawn()->Words()),
            L"Първо въведи брой букви и натисни „Изчисли“, после избери ред.");
  SendMessageW(Drawn()->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Open());
  EXPECT_TRUE(IsWindow(Main()));
  Click(Control("Command1", 0));  // the cleared count box reads as 0
  EXPECT_EQ(Shown(), (Lists{{{L"1"}, {L"0"}, {L"6"}}}));
}

TEST_F(Picture, EnterOnAListWithoutASelectedRowOpensNothing) {
  Click(Control("Command1", 0));
  SetFocus(Control("List1", 0));
  Press(VK_RETURN);
  EXPECT_FALSE(Open());
}

// The steps page of the picture window, reached by its tab and by Ctrl+Tab, moved by its
// buttons and keys, painting the step's rectangle, playing, and following the form.
class Steps : public Picture {
 protected:
  void SetUp() override {
    Picture::SetUp();
    Click(Control("Command1", 0));  // 70
    SetActiveWindow(Main());
    ClickRow(2, 1);
    Press(VK_RETURN);
    ASSERT_TRUE(Open());
  }
  windows::StepsPage& Page() const { return Drawn()->Steps(); }
  std::wstring Counter() const { return Text(Page().Counter()); }
  HWND Button(lessons::steps::Command command) const { return Page().Button(command); }
  // A key with Ctrl held down, as the keyboard gives it to the focused control.
  void PressWithControl(UINT key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    Settle();
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  // Delivers messages, timers too, until `done` or a few seconds have gone by.
  template <typename Done>
  bool Until(Done done) {
    for (int wait = 0; wait < 500 && !done(); ++wait) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      Settle();
    }
    return done();
  }
  std::map<COLORREF, int> StepSquares() const { return Counted(Page().Canvas()); }
};

TEST_F(Steps, TheTabAndCtrlTabShowThePage) {
  HWND tabs = Drawn()->Tabs();
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
  std::wstring names;
  for (int tab = 0; tab < 5; ++tab) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    names += text + std::wstring(L"|");
  }
  EXPECT_EQ(names, L"Картина|Стъпка по стъпка|Опитай сам|Промени програмата|Напиши програмата|");
  EXPECT_EQ(Drawn()->Page(), 0);
  EXPECT_FALSE(IsWindowVisible(Page().Handle()));

  SetActiveWindow(Drawn()->Handle());  // as a click on the picture window makes it active
  SetFocus(tabs);
  PressWithControl(VK_TAB);
  EXPECT_EQ(Drawn()->Page(), 1);
  EXPECT_TRUE(IsWindowVisible(Page().Handle()));
  EXPECT_FALSE(IsWindowVisible(Drawn()->Canvas()));
  EXPECT_TRUE(IsChild(Page().Handle(), GetFocus()));  // the keys are the page's now
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  PressWithControl(VK_TAB);  // from a button of the page, on to the practice
  EXPECT_EQ(Drawn()->Page(), 2);
  EXPECT_TRUE(IsChild(Drawn()->Practice().Handle(), GetFocus()));
  PressWithControl(VK_TAB);  // and to the program changed
  EXPECT_EQ(Drawn()->Page(), 3);
  EXPECT_TRUE(IsChild(Drawn()->Change().Handle(), GetFocus()));
  PressWithControl(VK_TAB);  // and to the program written, into its editor
  EXPECT_EQ(Drawn()->Page(), 4);
  EXPECT_EQ(GetFocus(), Drawn()->Write().Editor().Handle());
  PressWithControl(VK_TAB, true);  // and back
  PressWithControl(VK_TAB, true);
  PressWithControl(VK_TAB, true);
  PressWithControl(VK_TAB, true);
  EXPECT_EQ(Drawn()->Page(), 0);
  Press(VK_ESCAPE);
  EXPECT_FALSE(Open());
}

TEST_F(Steps, ButtonsAndKeysMoveThroughTheStepsAndTheTieIsPainted) {
  Drawn()->ShowPage(1);
  SetFocus(Button(lessons::steps::Command::kBack));
  // The row chosen in the list (the second) brought the page to the step that listed it.
  EXPECT_EQ(Counter(), L"стъпка 6 от 126");
  using lessons::steps::Command;
  struct Move {
    Command button;
    UINT key;  // or 0 for the button
    const wchar_t* counter;
  } moves[] = {
      {Command::kFirst, 0, L"стъпка 1 от 126"},
      {Command::kForward, 0, L"стъпка 2 от 126"},
      {Command::kFirst, VK_RIGHT, L"стъпка 3 от 126"},
      {Command::kBack, 0, L"стъпка 2 от 126"},
      {Command::kFirst, VK_LEFT, L"стъпка 1 от 126"},
      {Command::kNextRow, 0, L"стъпка 2 от 126"},
      {Command::kFirst, VK_NEXT, L"стъпка 6 от 126"},
      {Command::kFirst, VK_PRIOR, L"стъпка 2 от 126"},
      {Command::kLast, 0, L"стъпка 126 от 126"},
      {Command::kFirst, VK_HOME, L"стъпка 1 от 126"},
      {Command::kFirst, VK_END, L"стъпка 126 от 126"},
      {Command::kPreviousRow, 0, L"стъпка 13 от 126"},
  };
  for (const Move& move : moves) {
    if (move.key == 0) {
      Click(Button(move.button));
    } else {
      Press(move.key);
    }
    EXPECT_EQ(Counter(), move.counter) << move.key;
  }
  EXPECT_EQ(SendMessageW(Page().Program(), LB_GETCURSEL, 0, 0), 13);  // line 14, current
  EXPECT_FALSE(IsWindowEnabled(Button(Command::kNextRow)));
  EXPECT_EQ(SendMessageW(Page().Rows(), LB_GETCURSEL, 0, 0), 3);  // the row it listed

  Press(VK_HOME);
  for (int step = 1; step < 37; ++step)
    Press(VK_RIGHT);
  EXPECT_EQ(Said(Page().Sentence()),
            L"72 = 8 × 9: рамката е 38 и не е по-малка от 38, затова не се записва.");
  EXPECT_EQ(Text(Page().Handle()), Text(Page().Sentence()));  // its name for a screen reader
  EXPECT_EQ(Said(Page().Canvas().Handle()),
            L"8 × 9 = 72 квадратчета, 70 букви и 2 празни квадратчета, рамка от 38 квадратчета");
  EXPECT_EQ(StepSquares(), (std::map<COLORREF, int>{{kGold, 38}, {kOlive, 70}, {kBlank, 2}}));
  // The window names the page; what the lists' column names mean stands by the rows' heading.
  EXPECT_EQ(Text(Drawn()->Handle()), L"Стъпка по стъпка");
  EXPECT_TRUE(IsWindowVisible(Page().Axes()));
  EXPECT_EQ(Text(Page().Axes()), windows::WideFromUtf8(lessons::steps::kAxes));
  // Each value on a line of the values' list, every word of every meaning shown: one too long for
  // the list's width goes on under itself, on a line of its own at the meaning's tab stop.
  std::wstring meanings;
  const auto count = static_cast<int>(SendMessageW(Page().Values(), LB_GETCOUNT, 0, 0));
  EXPECT_GT(count, 9);
  HDC dc = GetDC(Page().Values());
  const HGDIOBJ before =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Page().Values(), WM_GETFONT, 0, 0)));
  RECT list;
  GetClientRect(Page().Values(), &list);
  for (int item = 0; item < count; ++item) {
    std::wstring text(static_cast<size_t>(SendMessageW(Page().Values(), LB_GETTEXTLEN, item, 0)),
                      L'\0');
    SendMessageW(Page().Values(), LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    const std::wstring meaning = text.substr(text.rfind(L'\t') + 1);
    meanings += L" " + meaning;
    SIZE size{};
    GetTextExtentPoint32W(dc, meaning.c_str(), static_cast<int>(meaning.size()), &size);
    EXPECT_LT(size.cx, list.right / 2) << item;
  }
  SelectObject(dc, before);
  ReleaseDC(Page().Values(), dc);
  EXPECT_NE(meanings.find(L" остатъкът при делението на LetterCount на i "), std::wstring::npos);
}

TEST_F(Steps, PlayStopANewRunAndClearing) {
  using lessons::steps::Command;
  Drawn()->ShowPage(1);
  Click(Button(Command::kFirst));
  SendMessageW(Page().Speed(), CB_SETCURSEL, 4, 0);  // 1000 steps a second, as a user chooses
  SendMessageW(Page().Handle(), WM_COMMAND, MAKEWPARAM(300, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Page().Speed()));
  Click(Button(Command::kPlay));
  EXPECT_EQ(Text(Button(Command::kPlay)), L"Спри");
  EXPECT_TRUE(Until([&] { return Counter() == L"стъпка 126 от 126"; }));
  EXPECT_EQ(Text(Button(Command::kPlay)), L"Пусни");  // it stopped at the last step

  SetWindowTextW(Control("Text2", 1), L"13");
  Click(Control("Command1", 0));
  EXPECT_EQ(Counter(), L"стъпка 1 от 23");
  EXPECT_EQ(SendMessageW(Page().Rows(), LB_GETCOUNT, 0, 0), 0);
  Click(Control("Command1", 1));  // "Изчисти"
  EXPECT_EQ(Counter(), L"");
  EXPECT_EQ(Text(Page().Sentence()), windows::WideFromUtf8(lessons::steps::kNoRun));
  EXPECT_FALSE(IsWindowEnabled(Button(Command::kForward)));
  EXPECT_EQ(SendMessageW(Page().Program(), LB_GETCURSEL, 0, 0), LB_ERR);
}

}  // namespace
