// The menu bar and "Опитай сам" on the standard Windows controls, through the program's own
// message loop: the menus by keyboard and as a click delivers them, a set of level 1 played from
// the keyboard, the solution after two wrong tries, the chart's painted marks, "Виж как го намира
// програмата", and the lessons' window on a 1024 × 768 screen.
#include "window_fixture.h"
#include "windows/change_page.h"
#include "windows/chart_canvas.h"

namespace {

using lessons::menu::Command;
using lessons::practice::Button;
using lessons::practice::CountTask;

class Practice : public Picture {
 protected:
  windows::PracticePage& Page() const { return Drawn()->Practice(); }

  // F4, as from the form, then the given counts for a set of level 1.
  void Open(std::vector<int> counts) {
    SetActiveWindow(Main());
    SetFocus(Control("Text2", 1));
    Press(VK_F4);
    ASSERT_TRUE(Open());
    ASSERT_EQ(Drawn()->Page(), 2);
    std::vector<lessons::practice::Task> tasks;
    for (const int count : counts)
      tasks.push_back(CountTask(count));
    program.lessons.practice.Practise(0, tasks);
    Settle();
  }
  bool Open() const { return Picture::Open(); }

  // The two sides typed, Tab between them, and Enter.
  void Answer(int across, int down) {
    ASSERT_EQ(GetFocus(), Page().Across());
    Retype(Page().Across(), std::to_wstring(across));
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), Page().Down());
    Retype(Page().Down(), std::to_wstring(down));
    Press(VK_RETURN);
  }

  std::wstring Verdict() const { return Said(Page().Verdict()); }
};

TEST_F(Practice, TheMenusCarryMnemonicsAndShortcutsAndOpenThePages) {
  HMENU menu = program.view.Menu();
  ASSERT_EQ(GetMenu(Main()), menu);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  const auto text_of = [](HMENU in, UINT item, UINT by) {
    wchar_t text[80] = {};
    GetMenuStringW(in, item, text, 80, by);
    return std::wstring(text);
  };
  EXPECT_EQ(text_of(menu, 0, MF_BYPOSITION), L"&Урок");
  EXPECT_EQ(text_of(menu, 1, MF_BYPOSITION), L"&Помощ");
  const UINT picture = windows::FormWindow::MenuId(Command::kPicture);
  EXPECT_EQ(text_of(menu, picture, MF_BYCOMMAND), L"&Картина на реда\tF2");
  EXPECT_EQ(text_of(menu, windows::FormWindow::MenuId(Command::kPractice), MF_BYCOMMAND),
            L"&Опитай сам\tF4");
  EXPECT_EQ(text_of(menu, windows::FormWindow::MenuId(Command::kAbout), MF_BYCOMMAND),
            L"&За програмата\tF1");

  // No row selected: the picture is disabled, not hidden, and F2 opens nothing.
  EXPECT_TRUE(GetMenuState(menu, picture, MF_BYCOMMAND) & MF_GRAYED);
  SetFocus(Control("Text2", 1));
  Press(VK_F2);
  EXPECT_EQ(Drawn(), nullptr);

  // F4 opens the practice, activated, with the focus in its first box.
  Press(VK_F4);
  ASSERT_TRUE(Open());
  EXPECT_EQ(Drawn()->Page(), 2);
  EXPECT_EQ(GetActiveWindow(), Drawn()->Handle());
  EXPECT_EQ(GetFocus(), Page().Across());

  // With a row selected, the picture's item, as a click on it is delivered, shows that row.
  Click(Control("Command1", 0));
  ClickRow(1, 3);
  EXPECT_FALSE(GetMenuState(menu, picture, MF_BYCOMMAND) & MF_GRAYED);
  PostMessageW(Main(), WM_COMMAND, picture, 0);
  Settle();
  EXPECT_EQ(Drawn()->Page(), 0);
  EXPECT_EQ(Said(Drawn()->Words()), L"7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета");
  // F3 goes to the steps page, at the step that listed the row.
  SetActiveWindow(Main());
  SetFocus(Control("List1", 1));
  Press(VK_F3);
  EXPECT_EQ(Drawn()->Page(), 1);
  EXPECT_EQ(Text(Drawn()->Steps().Counter()), L"стъпка 13 от 126");
}

TEST_F(Practice, ASetOfLevelOnePlayedFromTheKeyboard) {
  Open({7, 16, 13, 3, 10});
  EXPECT_EQ(Said(Page().Task()),
            L"Мантрата има 7 букви, по една в квадратче. Намери правоъгълник, в който се побират "
            L"всички, с най-малка златна рамка.");
  // The boxes are named after the labels before them.
  EXPECT_EQ(Text(GetWindow(Page().Across(), GW_HWNDPREV)), L"по абсциса");
  EXPECT_EQ(Text(GetWindow(Page().Down(), GW_HWNDPREV)), L"по ордината");
  // What those names mean, after the boxes; what "Виж как го намира програмата" will change,
  // beside it; the window named by its page.
  EXPECT_TRUE(IsWindowVisible(Page().Axes()));
  EXPECT_EQ(Text(Page().Axes()), windows::WideFromUtf8(lessons::steps::kAxes));
  EXPECT_TRUE(IsWindowVisible(Page().ShowInProgramNote()));
  EXPECT_EQ(Text(Page().ShowInProgramNote()), L"Това ще смени числото в главния прозорец.");
  EXPECT_EQ(Text(Drawn()->Handle()), L"Опитай сам");

  Answer(2, 5);  // the frame too large
  EXPECT_EQ(Verdict(),
            L"Буквите се побират, но златната рамка около 2 × 5 е 2 × 2 + 2 × 5 + 4 = 18 "
            L"квадратчета, а има и по-малка. Подсказка: страните на правоъгълника с най-малка "
            L"рамка са близки една до друга и до √7 ≈ 2,65: числото, което, умножено по себе си, "
            L"дава 7; 2 × 2 = 4.");
  EXPECT_EQ(Text(Page().Handle()), Text(Page().Verdict()));  // its name for a screen reader
  EXPECT_EQ(GetFocus(), Page().Button(Button::kRetry));
  EXPECT_FALSE(IsWindowEnabled(Page().Across()));
  Press(VK_RETURN);  // "Опитай пак"
  EXPECT_EQ(GetFocus(), Page().Across());
  Answer(3, 3);
  EXPECT_EQ(Verdict(),
            L"Вярно! Златната рамка около 3 × 3 е от 16 квадратчета – най-малката възможна за 7 "
            L"букви. Същата рамка има и 2 × 4.");
  EXPECT_EQ(Text(Page().Progress()), L"Задача 1 от 5, точки: 1");
  EXPECT_EQ(GetFocus(), Page().Button(Button::kNext));
  Press(VK_SPACE);                        // "Следваща задача"
  EXPECT_EQ(Text(Page().Handle()), L"");  // a screen reader hears nothing of the old verdict

  // What the boxes cannot read is not judged, uses no try and stays as typed; the arrows step a
  // box within 1 to N.
  EXPECT_EQ(Text(Page().Across()), L"1");
  Retype(Page().Across(), L"2,5");
  Press(VK_RETURN);
  EXPECT_EQ(Verdict(), L"Страните са цели числа от 1 до 16.");
  EXPECT_EQ(Text(Page().Handle()), Text(Page().Verdict()));
  EXPECT_EQ(Text(Page().Across()), L"2,5");
  EXPECT_EQ(Text(Page().Progress()), L"Задача 2 от 5, точки: 1");
  Retype(Page().Across(), L"40");
  Press(VK_UP);
  EXPECT_EQ(Text(Page().Across()), L"16");
  Press(VK_DOWN);
  EXPECT_EQ(Text(Page().Across()), L"15");
  Answer(3, 5);  // the letters do not fit
  EXPECT_EQ(
      Verdict(),
      L"Буквите не се побират: 3 × 5 = 15 квадратчета, а буквите са 16. Без квадратче остава 1 "
      L"буква. Подсказка: произведението на страните трябва да е поне 16.");
  EXPECT_EQ(Page().Drawing().Picture().Spilled(), 1);
  EXPECT_EQ(Said(Page().DrawingLine()), L"3 × 5 = 15 квадратчета, а буквите са 16");
  Press(VK_RETURN);
  Answer(4, 4);
  Press(VK_RETURN);
  for (const auto& [across, down] : {std::pair{4, 4}, std::pair{2, 2}, std::pair{3, 4}}) {
    Answer(across, down);
    EXPECT_EQ(Verdict().substr(0, 6), L"Вярно!");
    Press(VK_RETURN);
  }
  // The end of the set: the score and what to do next, nothing left of the last task.
  EXPECT_EQ(Text(Page().Score()), L"8 точки от 10");
  EXPECT_EQ(Text(Page().Stars()), L"★★☆");
  EXPECT_EQ(Text(Page().Best()), L"Най-добър резултат на нивото: 8 точки от 10 ★★☆");
  EXPECT_EQ(Said(Page().Task()),
            L"Петте задачи свършиха: 8 точки от 10. За пет нови задачи натисни „Отначало“ или "
            L"избери друго ниво.");
  EXPECT_EQ(GetFocus(), Page().Button(Button::kRestart));
  for (HWND gone : {Page().Across(), Page().Down(), Page().Verdict(), Page().Drawing().Handle(),
                    Page().Button(Button::kCheck), Page().Button(Button::kShowProgram)}) {
    EXPECT_FALSE(IsWindowVisible(gone)) << Text(gone).size();
  }
  EXPECT_EQ(Text(Page().Handle()), L"");

  // The stars' font has both stars.
  HDC dc = GetDC(Page().Stars());
  const HGDIOBJ before =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Page().Stars(), WM_GETFONT, 0, 0)));
  WORD glyphs[2] = {};
  GetGlyphIndicesW(dc, L"★☆", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, before);
  ReleaseDC(Page().Stars(), dc);
  EXPECT_NE(glyphs[0], 0xFFFF);
  EXPECT_NE(glyphs[1], 0xFFFF);
}

TEST_F(Practice, TwoWrongTriesShowTheSolutionAndTheChartMarksIt) {
  Open({70});
  Answer(5, 14);
  Press(VK_RETURN);
  Answer(6, 12);
  const std::wstring solution =
      L"Решение: 7 × 10, златна рамка от 38 квадратчета. Същата рамка има и 8 × 9.";
  EXPECT_EQ(Verdict().substr(Verdict().size() - solution.size()), solution);
  EXPECT_EQ(Text(Page().Across()), L"7");
  EXPECT_EQ(Text(Page().Down()), L"10");
  EXPECT_EQ(Counted(Page().Drawing()), (std::map<COLORREF, int>{{kGold, 38}, {kOlive, 70}}));

  // The chart as painted: gold over the sides of the least frame, the bars' lavender elsewhere,
  // and the pupil's mark over 6 at the height of 40.
  const windows::ChartCanvas& chart = Page().Chart();
  ASSERT_TRUE(chart.Chart());
  EXPECT_EQ(Text(chart.Handle()).substr(0, 23), L"Диаграма. Стълбът над в");
  const Painted painted(chart);
  const auto scene = lessons::chart::Paint(*chart.Chart(), painted.width, painted.height);
  const int slot = scene.plot.width / static_cast<int>(chart.Chart()->Axis().size());
  for (int side = 1; side <= 11; ++side) {
    const int x = scene.plot.x + (side - 1) * slot + slot / 2;
    EXPECT_EQ(painted.At(x, scene.plot.y + scene.plot.height - 3),
              side >= 7 && side <= 10 ? kGold : RGB(0x9C, 0x9C, 0xD8))
        << side;
  }
  const int y =
      scene.plot.y + scene.plot.height - static_cast<int>(40 * scene.plot.height / scene.top);
  EXPECT_EQ(painted.At(scene.plot.x + 5 * slot + slot / 2, y), RGB(0x00, 0x40, 0xC0));
}

// The chart's words in the font the canvas paints them with each fit the room the scene gives
// them, so that none reaches another; and a formula of the verdict keeps to one line however
// narrow the line, where the same words with plain blanks would wrap.
TEST_F(Practice, TheChartsWordsFitTheirRoomAndNoFormulaBreaks) {
  Open({70});
  Answer(1, 70);
  const windows::ChartCanvas& chart = Page().Chart();
  ASSERT_TRUE(chart.Chart());
  HDC dc = GetDC(chart.Handle());
  for (const auto& [width, height] : {std::pair{440, 260}, std::pair{340, 220}}) {
    const auto scene = lessons::chart::Paint(*chart.Chart(), width, height);
    ASSERT_FALSE(scene.texts.empty());
    for (const lessons::chart::Text& text : scene.texts) {
      HFONT font = windows::FontFor(96, text.font_pixels);
      const HGDIOBJ before = SelectObject(dc, font);
      const std::wstring wide = windows::WideFromUtf8(text.text);
      SIZE extent{};
      GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
      SelectObject(dc, before);
      DeleteObject(font);
      EXPECT_LE(extent.cx, text.rect.width) << text.text;
    }
  }
  ReleaseDC(chart.Handle(), dc);

  HWND verdict = Page().Verdict();
  HDC verdict_dc = GetDC(verdict);
  const HGDIOBJ before =
      SelectObject(verdict_dc, reinterpret_cast<HFONT>(SendMessageW(verdict, WM_GETFONT, 0, 0)));
  const auto lines = [&](const std::wstring& text) {
    RECT area{0, 0, 30, 0};
    return DrawTextW(verdict_dc, text.c_str(), static_cast<int>(text.size()), &area,
                     DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  };
  const std::wstring shown = Text(verdict);
  const std::wstring formula =
      L"2\u00A0×\u00A01\u00A0+\u00A02\u00A0×\u00A070\u00A0+\u00A04\u00A0"
      L"=\u00A0146";
  ASSERT_NE(shown.find(formula), std::wstring::npos);
  const int one_line = lines(L"2");
  EXPECT_EQ(lines(formula), one_line);
  EXPECT_GT(lines(L"2 × 1 + 2 × 70 + 4 = 146"), one_line);
  SelectObject(verdict_dc, before);
  ReleaseDC(verdict, verdict_dc);
}

TEST_F(Practice, ShowInProgramRunsTheTaskInTheWindowAndOpensItsSteps) {
  Open({70});
  Answer(8, 9);
  Press(VK_TAB);  // "Отначало"
  Press(VK_TAB);
  ASSERT_EQ(GetFocus(), Page().Button(Button::kShowProgram));
  Press(VK_SPACE);
  EXPECT_EQ(Text(Control("Text2", 1)), L"70");
  EXPECT_EQ(Shown(), kSeventy);
  EXPECT_EQ(Selection(), (std::array<LRESULT, 3>{3, 3, 3}));
  EXPECT_EQ(Drawn()->Page(), 1);
  EXPECT_EQ(Text(Drawn()->Steps().Counter()), L"стъпка 13 от 126");
  EXPECT_TRUE(IsChild(Drawn()->Steps().Handle(), GetFocus()));
}

TEST_F(Practice, ALevelFiveTaskPlayedFromTheKeyboardWithAWrongRow) {
  SetActiveWindow(Main());
  SetFocus(Control("Text2", 1));
  Press(VK_F4);
  ASSERT_TRUE(Open());
  program.lessons.practice.Practise(4, {CountTask(7)});
  Settle();
  SetFocus(Page().Across());
  EXPECT_EQ(Said(Page().Task()).substr(0, 43), L"Кои редове ще запише програмата за 7 букви?");
  EXPECT_TRUE(IsWindowVisible(Page().Frame()));
  EXPECT_EQ(Text(GetWindow(Page().Frame(), GW_HWNDPREV)), L"рамка");
  // Under it, on a line of its own, what it counts and where the program lists it.
  EXPECT_TRUE(IsWindowVisible(Page().FrameNote()));
  EXPECT_EQ(Said(Page().FrameNote()),
            L"Рамката е броят на златните квадратчета около правоъгълника: 2a + 2b + 4; "
            L"програмата го записва в колоната „периметър“.");
  RECT box, note, axes;
  GetWindowRect(Page().Frame(), &box);
  GetWindowRect(Page().FrameNote(), &note);
  GetWindowRect(Page().Axes(), &axes);
  EXPECT_GE(note.top, box.bottom);
  EXPECT_GE(axes.left, box.right);  // what the sides' names mean, after the last box
  EXPECT_TRUE(IsWindowVisible(Page().Rows()));
  EXPECT_FALSE(IsWindowVisible(Page().Chart().Handle()));
  EXPECT_TRUE(IsWindowVisible(Page().Button(Button::kNoMore)));
  const auto give = [&](int across, int down, const std::wstring& frame) {
    ASSERT_EQ(GetFocus(), Page().Across());
    Retype(Page().Across(), std::to_wstring(across));
    Press(VK_TAB);
    Retype(Page().Down(), std::to_wstring(down));
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), Page().Frame());
    Retype(Page().Frame(), frame);
    if (frame.empty()) Press(VK_DELETE);
    Press(VK_RETURN);
  };
  give(1, 7, L"20");
  EXPECT_EQ(Verdict(), L"Вярно: програмата записва 1 × 7, рамка 20.");
  give(2, 4, L"");  // an empty frame is not judged
  EXPECT_EQ(Verdict(), L"Рамката е цяло число от 1 до 9999.");
  EXPECT_EQ(Text(Page().Frame()), L"");
  SetFocus(Page().Across());
  give(3, 3, L"16");  // the closing square before the row from the area 8
  EXPECT_EQ(Verdict(),
            L"Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
            L"делителите i (страните по абсцисата) по ред: преди 3 × 3 тя записва друг ред.");
  EXPECT_EQ(GetFocus(), Page().Button(Button::kRetry));
  Press(VK_RETURN);
  give(2, 4, L"16");
  give(3, 3, L"16");
  EXPECT_EQ(SendMessageW(Page().Rows(), LB_GETCOUNT, 0, 0), 3);
  wchar_t row[32] = {};
  SendMessageW(Page().Rows(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
  EXPECT_EQ(std::wstring(row), L"2\t4\t16");
  for (int tab = 0; tab < 4; ++tab)  // to "Няма повече редове"
    Press(VK_TAB);
  ASSERT_EQ(GetFocus(), Page().Button(Button::kNoMore));
  Press(VK_SPACE);
  EXPECT_EQ(Verdict().substr(0, 28), L"Вярно: това са всички редове");
  EXPECT_EQ(Text(Page().Progress()), L"Задача 1 от 5, точки: 1");
  // "Виж как го намира програмата" opens the steps at the row where the pupil first went wrong.
  SetFocus(Page().Button(Button::kShowProgram));
  Press(VK_RETURN);
  EXPECT_EQ(Drawn()->Page(), 1);
  EXPECT_EQ(Text(Drawn()->Steps().Counter()), L"стъпка 10 от 15");
}

TEST_F(Practice, OnA1024By768ScreenEveryPageFitsAndShowsEveryControl) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "make test runs this on a 1024 × 768 display";
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  Open({70});
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer;
  GetWindowRect(Drawn()->Handle(), &outer);
  EXPECT_GE(outer.left, work.left);
  EXPECT_GE(outer.top, work.top);
  EXPECT_LE(outer.right, work.right);
  EXPECT_LE(outer.bottom, work.bottom);
  Answer(5, 14);  // a verdict and a chart on the practice's page
  ExpectWhole(Page().Handle());
  program.lessons.practice.Practise(4, {CountTask(70)});  // at its widest, the fifth level
  Settle();
  ExpectWhole(Page().Handle());
  program.form.UserClick(0);  // a run of 70, whose counter is the longest of its steps' line
  Settle();
  Drawn()->ShowPage(1);
  ExpectWhole(Drawn()->Steps().Handle());
  // The changed program at its tallest: a wrong program, its hunt and a saying.
  Drawn()->ShowPage(3);
  lessons::change::Change& change = program.lessons.change;
  change.Set(lessons::change::Part::kLargerAreas, false);
  change.TypeGuess("5");
  change.Press(lessons::change::Button::kCheck);
  change.Type("16130");
  Settle();
  ExpectWhole(Drawn()->Change().Handle());
}

}  // namespace
