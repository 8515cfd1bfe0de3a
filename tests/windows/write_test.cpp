// "Напиши програмата" on the standard Windows controls, through the program's own message loop:
// a program typed with a sign button and run, stepped with its line marked, an error at its
// place, a task checked right and wrong and the steps of the wrong N, the editor's Tab and Esc,
// the texts kept across a restart, a file saved and opened again, and the page whole on a
// 1024 × 768 screen.
#include "lessons/write.h"
#include "window_fixture.h"
#include "windows/code_editor.h"
#include "windows/write_page.h"

namespace {

namespace write = lessons::write;
using write::Command;

class WritePage : public Picture {
 protected:
  windows::WritePage& Page() const { return Drawn()->Write(); }
  HWND Editor() const { return Page().Editor().Handle(); }
  write::Write& Model() { return program.lessons.write; }

  // F6, as from the form.
  void Open() {
    SetActiveWindow(Main());
    SetFocus(Control("Text2", 1));
    Press(VK_F6);
    ASSERT_TRUE(Drawn() != nullptr && Drawn()->IsOpen());
    ASSERT_EQ(Drawn()->Page(), 4);
  }

  // The editor's text replaced as the pupil would: all of it selected, and a program pasted over
  // it, or nothing.
  void TypeProgram(const std::wstring& text) {
    SetFocus(Editor());
    SendMessageW(Editor(), EM_SETSEL, 0, -1);
    if (text.empty()) {
      Press(VK_DELETE);
    } else {
      Paste(Editor(), text);
    }
  }

  void Push(Command command) {
    ASSERT_TRUE(IsWindowEnabled(Page().Button(command)));
    Click(Page().Button(command));
  }

  // The check run to its end by the page's timer, as the window's message loop delivers it.
  void Check() {
    Push(Command::kCheck);
    for (int wait = 0; wait < 3000 && Model().Checking(); ++wait) {
      Sleep(5);
      Settle();
    }
    ASSERT_FALSE(Model().Checking());
  }

  // The colour painted in the editor at the height of a line (from 1), near its right edge, and
  // beside it among the numbers.
  std::pair<COLORREF, COLORREF> LineColours(int line) const {
    UpdateWindow(Editor());
    UpdateWindow(Page().Editor().Numbers());
    RECT format;
    SendMessageW(Editor(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int first = static_cast<int>(SendMessageW(Editor(), EM_GETFIRSTVISIBLELINE, 0, 0));
    const LRESULT at = SendMessageW(Editor(), EM_POSFROMCHAR,
                                    SendMessageW(Editor(), EM_LINEINDEX, first + 1, 0), 0);
    const int height = HIWORD(at) - format.top;
    POINT middle{format.right - 4, format.top + (line - 1 - first) * height + height / 2};
    HDC dc = GetDC(Editor());
    const COLORREF text = GetPixel(dc, middle.x, middle.y);
    ReleaseDC(Editor(), dc);
    MapWindowPoints(Editor(), Page().Editor().Numbers(), &middle, 1);
    dc = GetDC(Page().Editor().Numbers());
    const COLORREF number = GetPixel(dc, 2, middle.y);
    ReleaseDC(Page().Editor().Numbers(), dc);
    return {text, number};
  }

  std::vector<std::wstring> Lines(HWND list) const {
    std::vector<std::wstring> lines;
    for (int row = 0; row < SendMessageW(list, LB_GETCOUNT, 0, 0); ++row) {
      std::wstring item(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)), L'\0');
      SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(item.data()));
      lines.push_back(item);
    }
    return lines;
  }

  std::pair<int, int> Selection() const {
    DWORD begin = 0;
    DWORD end = 0;
    SendMessageW(Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&begin),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(begin), static_cast<int>(end)};
  }
};

// The question the page asks in a message box, answered once the box is up, inside its own
// message loop.
class Question {
 public:
  explicit Question(int answer) {
    asked_ = L"";
    answer_ = answer;
    SetTimer(nullptr, 0, 50, &Answer);
  }
  static std::wstring Asked() { return asked_; }

 private:
  static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = GetActiveWindow();
    if (box == nullptr || GetDlgItem(box, 0xFFFF) == nullptr) return;
    KillTimer(nullptr, timer);
    asked_ = Text(GetDlgItem(box, 0xFFFF));
    HWND button = GetDlgItem(box, answer_);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  static inline std::wstring asked_;
  static inline int answer_ = IDNO;
};

const wchar_t kStrip[] = L"N ← броят на буквите\r\nред 1, N, 2N + 6\r\n";

TEST_F(WritePage, AProgramTypedWithASignButtonRunsAndStepsWithItsLineMarked) {
  Open();
  EXPECT_EQ(GetFocus(), Editor());
  EXPECT_EQ(Text(Editor()), L"N ← броят на буквите\r\nпокажи N\r\n");
  EXPECT_EQ(Text(GetWindow(Editor(), GW_HWNDPREV)), L"Програмата ти");  // its name
  EXPECT_EQ(Text(Page().Sign(0)), L"Вмъкни ← (става)");
  TypeProgram(L"N ");
  Click(Page().Sign(0));  // the sign at the caret, and the focus back in the editor
  EXPECT_EQ(GetFocus(), Editor());
  Type(Editor(), L" броят на буквите\rред 1, N, 2N + 6\rпокажи N");
  Click(Page().Sign(1));
  Type(Editor(), L"2");
  EXPECT_EQ(Text(Editor()), L"N ← броят на буквите\r\nред 1, N, 2N + 6\r\nпокажи N×2");
  EXPECT_EQ(Model().Text(), "N ← броят на буквите\r\nред 1, N, 2N + 6\r\nпокажи N×2");

  Push(Command::kRun);
  EXPECT_EQ(Lines(Page().YourRows()), std::vector<std::wstring>{L"1, 70, 146, верен ред"});
  EXPECT_EQ(Lines(Page().LessonRows()),
            (std::vector<std::wstring>{L"1, 70, 146", L"2, 35, 78", L"5, 14, 42", L"7, 10, 38"}));
  EXPECT_EQ(Lines(Page().Output()), std::vector<std::wstring>{L"N×2 = 140"});
  EXPECT_EQ(Said(Page().Work()),
            L"Твоята програма: 0 деления, 3 стъпки. Програмата от урока: 106 деления, 348 "
            L"стъпки.");

  // N typed and Enter, or stepped by the arrow keys in its box, runs for that N.
  Retype(Page().Count(), L"5");
  Press(VK_RETURN);
  EXPECT_EQ(Lines(Page().LessonRows()), (std::vector<std::wstring>{L"1, 5, 16", L"2, 3, 14"}));
  EXPECT_EQ(Lines(Page().Output()), std::vector<std::wstring>{L"N×2 = 10"});
  Press(VK_UP);
  EXPECT_EQ(Text(Page().Count()), L"6");
  EXPECT_TRUE(Lines(Page().Output()).empty());  // a new N, not yet run
  Retype(Page().Count(), L"70");

  Push(Command::kRun);
  Push(Command::kRestart);
  Push(Command::kStep);
  Push(Command::kStep);
  EXPECT_EQ(Text(Page().Counter()), L"стъпка 2 от 3");
  EXPECT_EQ(Said(Page().Message()), L"В таблицата се записва 1, 70, 146.");
  EXPECT_EQ(Text(Page().Handle()), windows::WideFromUtf8(Model().MessageSaid()));  // read out

  EXPECT_EQ(Lines(Page().Values()), std::vector<std::wstring>{L"N = 70"});
  const COLORREF step = windows::ToColorRef(write::kStepLineColour);
  EXPECT_EQ(LineColours(2), std::make_pair(step, step));
  EXPECT_NE(LineColours(1).first, step);
  Push(Command::kBack);
  EXPECT_EQ(Lines(Page().Values()), std::vector<std::wstring>{L"N = 70   ← нова стойност"});
  EXPECT_EQ(LineColours(1), std::make_pair(step, step));

  // An edit ends the stepping and clears the marks.
  SetFocus(Editor());
  Type(Editor(), L" ");
  EXPECT_EQ(Text(Page().Counter()), L"");
  EXPECT_NE(LineColours(1).first, step);
  EXPECT_TRUE(Lines(Page().YourRows()).empty());
}

TEST_F(WritePage, AnErrorTakesTheCaretToItsPlaceAndIsSaid) {
  Open();
  TypeProgram(L"N ← броят на буквите\r\nа ← 70 / 2\r\n");
  Push(Command::kRun);
  EXPECT_EQ(Said(Page().Message()),
            L"Ред 2: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × "
            L"или *.");
  EXPECT_EQ(Text(Page().Handle()), windows::WideFromUtf8(Model().MessageSaid()));
  const std::optional<language::Place> place = Model().Marked();
  ASSERT_TRUE(place.has_value());
  const int line_start = static_cast<int>(SendMessageW(Editor(), EM_LINEINDEX, 1, 0));
  EXPECT_EQ(Selection(), std::make_pair(line_start + place->column, line_start + place->column));
  const COLORREF error = windows::ToColorRef(write::kErrorLineColour);
  EXPECT_EQ(LineColours(2), std::make_pair(error, error));

  // A run-time error at its line, the counter at the step that stopped.
  TypeProgram(L"N ← броят на буквите\r\nx ← 1 div (N − 70)\r\n");
  Push(Command::kRun);
  EXPECT_EQ(Said(Page().Message()).substr(0, 33), L"Ред 2: не може да се дели на 0, а");
  EXPECT_EQ(Text(Page().Counter()), L"стъпка 2 от 2");
  EXPECT_EQ(LineColours(2).first, error);
}

TEST_F(WritePage, ATaskCheckedRightEarnsItsStarAndAWrongOneShowsTheStepsOfItsN) {
  Open();
  TypeProgram(kStrip);
  Check();
  EXPECT_EQ(Said(Page().Verdict()).substr(0, 49),
            L"Вярно за всяко N от 1 до 1000 и за 16130 и 16380.");
  EXPECT_NE(Text(Page().Verdict()).find(L"Получаваш звезда ★."), std::wstring::npos);
  EXPECT_EQ(Text(Page().Handle()), windows::WideFromUtf8(Model().VerdictSaid()));  // read out
  std::wstring task(static_cast<size_t>(SendMessageW(Page().Task(), CB_GETLBTEXTLEN, 0, 0)), L'\0');
  SendMessageW(Page().Task(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(task.data()));
  EXPECT_EQ(task, L"Лентата ★");
  EXPECT_FALSE(IsWindowEnabled(Page().Button(Command::kShowSteps)));

  // The next task, from the keyboard: its own text, and a program that lists too many rows.
  SetFocus(Page().Task());
  Press(VK_DOWN);
  EXPECT_EQ(Model().Task(), 1);
  EXPECT_EQ(Said(Page().TaskText()).substr(0, 31), L"Последният ред трябва да е прав");
  EXPECT_EQ(Text(Editor()), L"N ← броят на буквите\r\nпокажи N\r\n");
  SetFocus(Page().Task());
  Press(VK_UP);
  EXPECT_EQ(Text(Editor()), kStrip);
  TypeProgram(L"N ← броят на буквите\r\nред 1, N, 2N + 6\r\nред 1, N, 2N + 6\r\n");
  Check();
  EXPECT_EQ(Said(Page().Verdict()),
            L"Грешно за N = 1: записа 2 реда, а трябва точно един: 1, 1, 8. Грешно за 1002 от "
            L"1002 проверени N.");
  Push(Command::kShowSteps);
  EXPECT_EQ(Text(Page().Count()), L"1");
  EXPECT_EQ(Said(Page().Message()), L"В таблицата се записва 1, 1, 8. Програмата свърши.");
  EXPECT_EQ(Lines(Page().YourRows()),
            (std::vector<std::wstring>{L"1, 1, 8", L"1, 1, 8, грешен ред"}));
  EXPECT_EQ(LineColours(3).first, windows::ToColorRef(write::kStepLineColour));
}

TEST_F(WritePage, TabPutsFourBlanksAndEscThenTabLeavesTheEditor) {
  Open();
  SetFocus(Editor());
  SendMessageW(Editor(), EM_SETSEL, 0, 0);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), Editor());
  EXPECT_EQ(Text(Editor()).substr(0, 6), L"    N ");
  Press(VK_ESCAPE);  // which does not close the window
  EXPECT_TRUE(Drawn()->IsOpen());
  EXPECT_EQ(GetFocus(), Editor());
  Press('X');  // any other key disarms the leave
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), Editor());
  EXPECT_EQ(Text(Editor()).substr(0, 13), L"    x    N ← ");
  Press(VK_ESCAPE);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), Page().Count());  // the next control of the page
  SetFocus(Editor());
  Press(VK_TAB, true);  // Shift+Tab always leaves
  EXPECT_EQ(GetFocus(), Page().Help());
  // Esc elsewhere on the page closes the window, as on every page.
  Press(VK_ESCAPE);
  EXPECT_FALSE(Drawn()->IsOpen());
}

TEST_F(WritePage, F6BringsBackTheWindowMinimised) {
  Open();
  ShowWindow(Drawn()->Handle(), SW_MINIMIZE);
  Settle();
  ASSERT_TRUE(IsIconic(Drawn()->Handle()));
  Open();
  EXPECT_FALSE(IsIconic(Drawn()->Handle()));
  EXPECT_EQ(GetFocus(), Editor());
}

TEST_F(WritePage, TheHelpTakesTheRightSideUntilEsc) {
  Open();
  SetFocus(Page().Help());
  Press(VK_SPACE);
  EXPECT_TRUE(IsWindowVisible(Page().HelpText()));
  EXPECT_FALSE(IsWindowVisible(Page().Button(Command::kRun)));
  EXPECT_EQ(GetFocus(), Page().HelpText());
  EXPECT_EQ(Text(Page().HelpText()).substr(0, 9), L"Числата\r\n");
  EXPECT_EQ(Text(GetWindow(Page().HelpText(), GW_HWNDPREV)), L"Какво може езикът");
  ExpectWhole(Page().Handle(), true);
  Press(VK_ESCAPE);
  EXPECT_TRUE(Drawn()->IsOpen());
  EXPECT_FALSE(IsWindowVisible(Page().HelpText()));
  EXPECT_TRUE(IsWindowVisible(Page().Button(Command::kRun)));
  EXPECT_EQ(GetFocus(), Page().Help());
}

TEST_F(WritePage, EachTasksTextIsKeptAcrossARestart) {
  Open();
  {
    const Question question(IDYES);
    Page().StartFrom(1);  // "всяка страна", kept as the page has it, with its line ends
  }
  SetFocus(Page().Task());
  Press(VK_DOWN);
  TypeProgram(kStrip);
  const std::wstring every_side = windows::WideFromUtf8(write::kEverySideText);
  {
    windows::Program again;  // started anew, while the first goes on
    again.Start(SW_SHOWNORMAL);
    again.view.Do(lessons::menu::Command::kWrite);
    Settle();
    const windows::WritePage& page = again.view.Picture()->Write();
    EXPECT_EQ(Text(page.Editor().Handle()), windows::WithWindowsLineEnds(every_side));
    EXPECT_EQ(again.lessons.write.Text(), write::kEverySideText);
    again.lessons.write.ChooseTask(1);
    Settle();
    EXPECT_EQ(Text(page.Editor().Handle()), kStrip);
    again.lessons.write.ChooseTask(2);
    Settle();
    EXPECT_EQ(Text(page.Editor().Handle()), L"N ← броят на буквите\r\nпокажи N\r\n");
  }
  // In the test's own folder, a file a task.
  EXPECT_NE(GetFileAttributesW((app_data.path + L"\\Ramka\\write-1.txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((app_data.path + L"\\Ramka\\write-3.txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(WritePage, AFileSavedOpensAgainAfterAskingAndAFileThatIsNoTextIsRefused) {
  Open();
  std::wstring offered;
  Page().ChooseFilesWith([&](bool save, const std::wstring& name) -> std::optional<std::wstring> {
    if (save) offered = name;
    return app_data.path + L"\\" + (save ? name : offered);
  });
  TypeProgram(kStrip);
  Click(Page().Save());
  EXPECT_EQ(offered, L"Лентата.txt");
  EXPECT_EQ(Said(Page().Message()), L"Програмата е запазена във файла „Лентата.txt“.");
  DWORD error = 0;
  EXPECT_EQ(windows::ReadBytes(app_data.path + L"\\Лентата.txt", 1000, error),
            runtime::ToUtf8(windows::FromWide(kStrip)));

  TypeProgram(L"покажи 2\r\n");
  {
    const Question question(IDYES);
    Click(Page().Open());
    EXPECT_EQ(Question::Asked(), windows::WideFromUtf8(Model().ReplaceQuestion()));
  }
  EXPECT_EQ(Text(Editor()), kStrip);
  EXPECT_EQ(GetFocus(), Editor());
  SendMessageW(Editor(), WM_UNDO, 0, 0);  // and undo brings the text before back
  Settle();
  EXPECT_EQ(Text(Editor()), L"покажи 2\r\n");
  EXPECT_EQ(Model().Text(), "покажи 2\r\n");

  // Answered "No", nothing changes; a file that is not UTF-8 text is refused with a message.
  {
    const Question question(IDNO);
    Click(Page().Open());
  }
  EXPECT_EQ(Text(Editor()), L"покажи 2\r\n");
  ASSERT_TRUE(windows::WriteBytes(app_data.path + L"\\Лентата.txt", "\xFF\xFE", error));
  {
    const Question question(IDYES);
    Click(Page().Open());
  }
  EXPECT_EQ(Text(Editor()), L"покажи 2\r\n");
  EXPECT_EQ(Said(Page().Message()),
            L"Файлът не е текст в UTF-8, затова не е отворен. Програмата ти е непокътната.");
  // A save into a folder that is not there says so, and keeps the text.
  Page().ChooseFilesWith([&](bool, const std::wstring&) -> std::optional<std::wstring> {
    return app_data.path + L"\\няма такава\\файл.txt";
  });
  Click(Page().Save());
  EXPECT_EQ(Said(Page().Message()),
            L"Програмата не е запазена: папката не съществува. Текстът ти е непокътнат тук.");
  EXPECT_EQ(Text(Editor()), L"покажи 2\r\n");
}

TEST_F(WritePage, AStartReplacesTheTextAfterAskingAndUndoBringsItBack) {
  Open();
  {
    const Question question(IDYES);
    Page().StartFrom(1);
    EXPECT_EQ(Question::Asked(), windows::WideFromUtf8(Model().ReplaceQuestion()));
  }
  EXPECT_EQ(Text(Editor()),
            windows::WithWindowsLineEnds(windows::WideFromUtf8(write::kEverySideText)));
  SendMessageW(Editor(), WM_UNDO, 0, 0);
  Settle();
  EXPECT_EQ(Text(Editor()), L"N ← броят на буквите\r\nпокажи N\r\n");
  TypeProgram(L"");
  Page().StartFrom(2);  // an empty text is replaced without asking
  EXPECT_EQ(Text(Editor()).substr(0, 22), L"N ← броят на буквите; ");
}

TEST_F(WritePage, OnA1024By768ScreenThePageIsWholeDuringAStepAndAfterAWrongCheck) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "make test runs this on a 1024 × 768 display";
  Open();
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer;
  GetWindowRect(Drawn()->Handle(), &outer);
  EXPECT_TRUE(outer.left >= work.left && outer.top >= work.top && outer.right <= work.right &&
              outer.bottom <= work.bottom);
  TypeProgram(windows::WithWindowsLineEnds(windows::WideFromUtf8(write::kEverySideText)));
  for (int step = 0; step < 22; ++step)
    Push(Command::kStep);
  ExpectWhole(Page().Handle(), true);
  // The step's place is in sight, its line longer than the editor is wide: "BestFrame ← P".
  const std::optional<language::Place> place = Model().Marked();
  ASSERT_TRUE(place && place->line == 5 && place->column > 30);
  RECT format;
  SendMessageW(Editor(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const auto x_of = [this](int index) {
    return static_cast<short>(LOWORD(SendMessageW(Editor(), EM_POSFROMCHAR, index, 0)));
  };
  const int start = static_cast<int>(SendMessageW(Editor(), EM_LINEINDEX, 4, 0));
  EXPECT_GE(x_of(start + place->column), format.left);
  EXPECT_LE(x_of(start + place->column + place->length), format.right);
  SetFocus(Page().Task());
  Press(VK_DOWN);
  TypeProgram(L"N ← броят на буквите\r\nред 5, N div 5 + 1, 2 × 5 + 2 × (N div 5 + 1) + 4\r\n");
  Check();
  Push(Command::kShowSteps);
  ExpectWhole(Page().Handle(), true);
}

}  // namespace
