// "Промени програмата" on the standard Windows controls, through the program's own message loop:
// F5 opens it with the window's count, a switch ticked off and on from the keyboard and its line
// said changed, the table for 70 and for 5 with no cell cut short, the chart with the changed
// program's line, the hunt for a wrong N under its heading, the legend under the program, a box
// without an N, and the page scrolled to what the keyboard reaches.
#include "window_fixture.h"
#include "windows/change_page.h"
#include "windows/chart_canvas.h"

namespace {

using lessons::change::Button;
using lessons::change::Part;

class ChangePage : public Picture {
 protected:
  windows::ChangePage& Page() const { return Drawn()->Change(); }

  // F5, as from the form.
  void Open() {
    SetActiveWindow(Main());
    SetFocus(Control("Text2", 1));
    Press(VK_F5);
    ASSERT_TRUE(Drawn() != nullptr && Drawn()->IsOpen());
    ASSERT_EQ(Drawn()->Page(), 3);
  }

  // Tab until the focus is on a control, at most through the whole page.
  void TabTo(HWND control) {
    for (int tab = 0; tab < 30 && GetFocus() != control; ++tab)
      Press(VK_TAB);
    ASSERT_EQ(GetFocus(), control);
  }

  std::wstring Cell(int row, int column) const {
    std::wstring text = Page().Cell(row, column);
    for (wchar_t& unit : text) {
      if (unit == L'\u00A0') unit = L' ';
    }
    return text;
  }
  bool Checked(HWND box) const { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // Every cell's text, in the table's own font, within its column with the room that a list view
  // keeps beside it (more in the first column), and the columns within the table: nothing shown
  // cut short with an ellipsis.
  void ExpectNoCellCut() const {
    HWND table = Page().Table();
    int columns = 0;
    for (int column = 0; column < 4; ++column) {
      const int width = Page().ColumnWidth(column);
      columns += width;
      for (int row = 0; row < 4; ++row) {
        const std::wstring text = Page().Cell(row, column);
        const int needed = static_cast<int>(
            SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
        EXPECT_LE(needed + (column == 0 ? 14 : 12), width)
            << "row " << row << ", column " << column;
      }
    }
    RECT client;
    GetClientRect(table, &client);
    EXPECT_LE(columns, client.right);
  }
};

TEST_F(ChangePage, F5OpensItWithTheWindowsCountAndItsTableForSeventy) {
  Open();
  EXPECT_EQ(GetFocus(), Page().Count());
  EXPECT_EQ(Text(Page().Count()), L"70");
  EXPECT_EQ(Text(GetWindow(Page().Count(), GW_HWNDPREV)), L"N");  // its name
  EXPECT_EQ(Text(Page().Table()), L"Програмите за N");
  const std::vector<std::vector<std::wstring>> expected = {
      {L"както е написана", L"1 × 70, 2 × 35, 5 × 14, 7 × 10", L"38 – вярно", L"106"},
      {L"променената", L"1 × 70, 2 × 35, 5 × 14, 7 × 10", L"38 – вярно", L"106"},
      {L"всяка страна a от 1 до N", L"7 × 10", L"38 – вярно", L"69"},
      {L"формулата", L"9 × 8", L"38 – вярно", L"1"}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column)
      EXPECT_EQ(Cell(row, column), expected[static_cast<size_t>(row)][static_cast<size_t>(column)]);
  }
  ExpectNoCellCut();
  const windows::ChartCanvas& chart = Page().Chart();
  EXPECT_EQ(Text(chart.Handle()).substr(0, 23), L"Диаграма „Колко работа“");
  RECT client;
  GetClientRect(chart.Handle(), &client);
  EXPECT_EQ(chart.Scene(client.right, client.bottom).lines.size(), 3u);
}

TEST_F(ChangePage, ASwitchOffAndOnFromTheKeyboardChangesItsLineTheTableAndTheChart) {
  Open();
  HWND root = Page().Switch(Part::kRootSide);
  EXPECT_EQ(Text(root), L"делителите i до RootSide");
  EXPECT_TRUE(Checked(root));
  TabTo(root);
  Press(VK_SPACE);
  EXPECT_FALSE(Checked(root));
  EXPECT_FALSE(program.lessons.change.On(Part::kRootSide));
  EXPECT_EQ(Said(Page().ProgramLine(11)), L"Ред 11, променен: ScanDivisors: за i от 2 до N");
  EXPECT_EQ(Cell(1, 3), L"874");
  const windows::ChartCanvas& chart = Page().Chart();
  RECT client;
  GetClientRect(chart.Handle(), &client);
  EXPECT_EQ(chart.Scene(client.right, client.bottom).lines.size(), 4u);
  EXPECT_TRUE(IsWindowVisible(Page().Button(Button::kWhy)));
  EXPECT_FALSE(IsWindowVisible(Page().Guess()));
  EXPECT_EQ(Text(Page().HuntHeading()), L"Изпробвай промяната");
  SetFocus(Page().Button(Button::kWhy));
  Press(VK_SPACE);
  EXPECT_EQ(Text(Page().Said()).substr(0, 17), L"С делителите до N");
  EXPECT_EQ(Text(Page().Handle()), Text(Page().Said()));  // read out

  TabTo(root);
  Press(VK_SPACE);  // and on again: the program as written
  EXPECT_TRUE(Checked(root));
  EXPECT_EQ(Said(Page().ProgramLine(11)), L"Ред 11: ScanDivisors: за i от 2 до RootSide");
  EXPECT_EQ(Cell(1, 3), L"106");
  EXPECT_EQ(Text(Page().Handle()), L"");
}

TEST_F(ChangePage, TheTableForFiveAndTheHuntForAWrongN) {
  Open();
  Retype(Page().Count(), L"5");
  HWND larger = Page().Switch(Part::kLargerAreas);
  TabTo(larger);
  Press(VK_SPACE);
  EXPECT_EQ(Said(Page().ProgramLine(7)).substr(0, 13), L"Ред 7, махнат");
  EXPECT_EQ(Cell(1, 1), L"1 × 5, 3 × 3");
  EXPECT_EQ(Cell(1, 2), L"16 – грешно: най-малката е 14");
  EXPECT_EQ(Cell(0, 2), L"14 – вярно");
  EXPECT_EQ(Cell(1, 3), L"1");
  ExpectNoCellCut();  // the wrong answer's longer words too

  ASSERT_TRUE(IsWindowVisible(Page().Guess()));
  EXPECT_EQ(Text(Page().HuntHeading()), L"Намери грешката");
  const struct {
    const wchar_t* guess;
    const wchar_t* said;
  } tries[] = {
      {L"6", L"За 6 тази програма намира най-малката рамка, 14."},
      {L"70", L"За 70 тази програма намира най-малката рамка, 38."},
      {L"11",
       L"Да, тук тя греши. За 11 тази програма завършва с 4 × 4, рамка 20, а програмата, както е "
       L"написана – с 3 × 4, рамка 18: най-малката рамка е 18, а не 20."},
  };
  for (const auto& each : tries) {
    EXPECT_FALSE(IsWindowEnabled(Page().Button(Button::kSmallest)));
    Retype(Page().Guess(), each.guess);
    Press(VK_RETURN);
    EXPECT_EQ(Said(Page().Said()), each.said);
    EXPECT_EQ(Text(Page().Handle()), Text(Page().Said()));
  }
  ASSERT_TRUE(IsWindowEnabled(Page().Button(Button::kSmallest)));
  SetFocus(Page().Button(Button::kSmallest));
  Press(VK_RETURN);
  EXPECT_EQ(Said(Page().Said()).substr(0, 49),
            L"Най-малкото N, за което тази програма греши, е 5.");
}

// The legend under the program: every name with its meaning, √N with the page's N; a box without
// an N leaves the table's cells empty and the legend without the N's numbers.
TEST_F(ChangePage, TheLegendAndABoxWithoutAnN) {
  Open();
  const std::wstring legend = Said(Page().Legend());
  EXPECT_EQ(legend.rfind(L"N – броят на буквите, от 1 до 16 380.", 0), 0u);
  for (const wchar_t* each :
       {L" LetterCount – ", L" RootSide – ", L" SquareSide – ", L" BestFrame – ",
        L" ScanDivisors – частта, която пробва делителите.", L" mod – остатъкът при деление.",
        L" div – частното без остатъка.", L" i × j – ", L" деления – ",
        L"√70 ≈ 8,37: числото, което, умножено по себе си, дава 70; 8 × 8 = 64, 9 × 9 = 81."})
    EXPECT_NE(legend.find(each), std::wstring::npos) << each;
  // The legend stands whole under the program's last line, above the table.
  RECT last, shown, table;
  GetWindowRect(Page().ProgramLine(14), &last);
  GetWindowRect(Page().Legend(), &shown);
  GetWindowRect(Page().Table(), &table);
  EXPECT_GE(shown.top, last.bottom);
  EXPECT_LE(shown.bottom, table.top);

  Retype(Page().Count(), L"2,5");
  EXPECT_EQ(Said(Page().CountNote()), L"N е цяло число от 1 до 16 380.");
  for (int row = 0; row < 4; ++row) {
    EXPECT_FALSE(Cell(row, 0).empty());
    for (int column = 1; column < 4; ++column)
      EXPECT_EQ(Cell(row, column), L"") << row << ", " << column;
  }
  EXPECT_EQ(Said(Page().Legend()).find(L"√70"), std::wstring::npos);
  Retype(Page().Count(), L"3");
  EXPECT_EQ(Cell(0, 1), L"1 × 3, 2 × 2");
  EXPECT_NE(Said(Page().Legend()).find(L"√3 ≈ 1,73"), std::wstring::npos);
}

// Where the page is taller than its place it scrolls; the control the keyboard reaches, and what
// the hunt says, stand whole in view.
TEST_F(ChangePage, ScrollsToWhatTheKeyboardReaches) {
  Open();
  RECT page;
  GetClientRect(Page().Handle(), &page);
  const auto in_view = [&](HWND control) {
    RECT shown;
    GetWindowRect(control, &shown);
    MapWindowPoints(HWND_DESKTOP, Page().Handle(), reinterpret_cast<POINT*>(&shown), 2);
    return shown.top >= 0 && shown.bottom <= page.bottom;
  };
  // The hunt with a saying, at its tallest.
  TabTo(Page().Switch(Part::kLargerAreas));
  Press(VK_SPACE);
  ASSERT_GT(Page().Height(), page.bottom);
  TabTo(Page().Guess());
  EXPECT_TRUE(in_view(Page().Guess()));
  EXPECT_GT(Page().Scrolled(), 0);
  Type(Page().Guess(), L"5");
  Press(VK_RETURN);
  EXPECT_TRUE(in_view(Page().Said()));
  // Back at the top with the keyboard: Shift+Tab from the switches reaches N.
  TabTo(Page().Switch(Part::kRootSide));
  EXPECT_TRUE(in_view(Page().Switch(Part::kRootSide)));
  SetFocus(Page().Count());
  Settle();
  EXPECT_TRUE(in_view(Page().Count()));
  EXPECT_EQ(Page().Scrolled(), 0);
  // The wheel scrolls the page, and no further than it goes.
  const auto wheel = [&](int notches) {
    const auto delta = static_cast<WORD>(static_cast<SHORT>(notches * WHEEL_DELTA));
    SendMessageW(Page().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
  };
  wheel(-100);
  EXPECT_EQ(Page().Scrolled(), Page().Height() - page.bottom);
  wheel(100);
  EXPECT_EQ(Page().Scrolled(), 0);
}

}  // namespace
