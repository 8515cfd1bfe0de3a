// The window's behaviour as a user meets it: the start-up state, the two buttons, the choice of
// input, the typing limits, the linked lists with their nested events, and the window going on
// after an error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_window.h"

namespace {

using runtime::String;

// Forwards each event to the program's procedures and notes when it begins and ends, and when a
// list's selection moves, so that the nesting can be seen.
struct RecordingWindow : TestWindow {
  struct Recorder : window::FormEvents {
    window::FormEvents& inner;
    std::vector<std::string>& log;
    Recorder(window::FormEvents& inner, std::vector<std::string>& log) : inner(inner), log(log) {}
    void Form_Load() override {
      Around("Form_Load", [&] { inner.Form_Load(); });
    }
    void Command1_Click(int16_t i) override {
      Around("Command1_Click(" + std::to_string(i) + ")", [&] { inner.Command1_Click(i); });
    }
    void Option1_Click(int16_t i) override {
      Around("Option1_Click(" + std::to_string(i) + ")", [&] { inner.Option1_Click(i); });
    }
    void List1_Click(int16_t i) override {
      Around("List1_Click(" + std::to_string(i) + ")", [&] { inner.List1_Click(i); });
    }
    void Around(const std::string& name, auto&& run) {
      log.push_back("begin " + name);
      run();
      log.push_back("end " + name);
    }
  };

  std::vector<std::string> log;
  Recorder recorder{procedures, log};

  RecordingWindow() { form.SetEvents(&recorder); }
  void ListIndexChanged(int list) override {
    log.push_back("List1(" + std::to_string(list) + ") -> " +
                  std::to_string(form.List1[static_cast<size_t>(list)].ListIndex()));
  }
};

TEST(FormLoad, OpensInCountModeWithSeventy) {
  window::Form form;
  window::EventProcedures procedures(form);
  std::vector<std::string> log;
  RecordingWindow::Recorder recorder(procedures, log);
  form.SetEvents(&recorder);
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_FALSE(form.Option1[1].Value());
  form.Load();
  form.Load();  // once only
  EXPECT_EQ(log, (std::vector<std::string>{"begin Form_Load", "begin Option1_Click(1)",
                                           "end Option1_Click(1)", "end Form_Load"}));
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_TRUE(form.Option1[1].Value());
  EXPECT_EQ(form.Text2[1].Text(), U"70");
  EXPECT_TRUE(form.Text2[1].Enabled());
  EXPECT_EQ(form.Text2[0].Text(), U"");
  EXPECT_FALSE(form.Text2[0].Enabled());
  for (const auto& list : form.List1)
    EXPECT_EQ(list.ListCount(), 0);
}

TEST(Options, SwitchingTheInputClearsEverythingAndEnablesItsBox) {
  TestWindow window;
  auto& form = window.form;
  form.UserClick(0);
  form.UserChoose(0);
  EXPECT_TRUE(form.Option1[0].Value());
  EXPECT_FALSE(form.Option1[1].Value());
  EXPECT_TRUE(form.Text2[0].Enabled());
  EXPECT_FALSE(form.Text2[1].Enabled());
  EXPECT_EQ(form.Text2[1].Text(), U"");
  EXPECT_EQ(window.Lists(), TestWindow::Columns{});

  form.UserType(0, U"Мантра");
  form.UserClick(0);
  EXPECT_EQ(form.Text2[1].Text(), U"6");
  form.UserType(1, U"9");  // the count box is disabled in mantra mode
  EXPECT_EQ(form.Text2[1].Text(), U"6");

  form.UserChoose(0);  // choosing the selected option again changes nothing
  EXPECT_EQ(form.Text2[0].Text(), U"Мантра");
  EXPECT_EQ(form.List1[0].ListCount(), 2);

  form.UserChoose(1);
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_TRUE(form.Option1[1].Value());
  EXPECT_FALSE(form.Text2[0].Enabled());
  EXPECT_TRUE(form.Text2[1].Enabled());
  EXPECT_EQ(form.Text2[0].Text(), U"");
  EXPECT_EQ(form.Text2[1].Text(), U"");
  EXPECT_EQ(window.Lists(), TestWindow::Columns{});
}

TEST(ClearButton, EmptiesBoxesAndListsAndKeepsTheMode) {
  TestWindow window;
  auto& form = window.form;
  form.UserChoose(0);
  form.UserType(0, U"abc");
  form.UserClick(0);
  form.UserClick(1);
  EXPECT_EQ(form.Text2[0].Text(), U"");
  EXPECT_EQ(form.Text2[1].Text(), U"");
  EXPECT_EQ(window.Lists(), TestWindow::Columns{});
  EXPECT_TRUE(form.Option1[0].Value());
  EXPECT_TRUE(form.Text2[0].Enabled());
  EXPECT_FALSE(form.Text2[1].Enabled());
}

TEST(Typing, StopsAtTheLimitOfTheBoxInCharacters) {
  const struct {
    int box;
    String before;
    String proposed;  // the box's text after the user's edit, as the toolkit offers it
    String after;
    int caret;
  } cases[] = {
      {1, U"", U"12345", U"1234", 4},         // a paste cut to fit
      {1, U"1234", U"12345", U"1234", 4},     // typing stops at the limit
      {1, U"1234", U"12534", U"1234", 2},     // also in the middle
      {1, U"124", U"12a34", U"12a4", 3},      // the middle of a paste fits what room is left
      {1, U"1234", U"134", U"134", 1},        // deleting is always possible
      {1, U"1234", U"9", U"9", 1},            // replacing a selection
      {1, U"12", U"1\n2\r\n3", U"123", 3},    // line breaks are dropped
      {1, U"12345", U"123456", U"12345", 5},  // a longer text from code only shrinks
      {1, U"12345", U"1235", U"1235", 3},
      {0, U"", String(150, U'ж'), String(100, U'ж'), 100},
      {0, String(99, U'a'), String(99, U'a') + U"жж", String(99, U'a') + U"ж", 100},
  };
  for (const auto& c : cases) {
    TestWindow window;
    window.form.UserChoose(c.box == 0 ? 0 : 1);
    window.form.Text2[c.box].SetText(c.before);
    EXPECT_EQ(window.form.UserEdit(c.box, c.proposed), c.caret);
    EXPECT_EQ(window.form.Text2[c.box].Text(), c.after);
  }

  TestWindow window;
  window.form.Text2[1].SetText(U"");
  window.form.UserType(1, U"16130");
  EXPECT_EQ(window.form.Text2[1].Text(), U"1613");
  window.form.UserType(0, U"x");  // the mantra box is disabled in count mode
  EXPECT_EQ(window.form.Text2[0].Text(), U"");
}

TEST(LinkedLists, SelectingARowSelectsItInAllThree) {
  TestWindow window;
  window.Calculate(U"16e3");
  const int rows = window.form.List1[0].ListCount();
  ASSERT_EQ(rows, 16);
  for (int list = 0; list < 3; ++list) {
    for (int row = 0; row < rows; ++row) {
      window.form.UserSelect(list, row);
      for (const auto& each : window.form.List1)
        EXPECT_EQ(each.ListIndex(), row);
    }
    window.form.UserSelect(list, 0);
    window.form.UserSelect(list, rows - 1);
    for (const auto& each : window.form.List1)
      EXPECT_EQ(each.ListIndex(), rows - 1);
  }
  EXPECT_TRUE(window.errors.empty());
}

TEST(LinkedLists, AClickOnTheMiddleListCascadesInOrder) {
  RecordingWindow window;
  window.Calculate(U"70");
  window.log.clear();
  window.form.UserSelect(1, 2);
  EXPECT_EQ(window.log,
            (std::vector<std::string>{"List1(1) -> 2", "begin List1_Click(1)",  //
                                      "List1(0) -> 2", "begin List1_Click(0)",  //
                                      "List1(2) -> 2", "begin List1_Click(2)", "end List1_Click(2)",
                                      "end List1_Click(0)", "end List1_Click(1)"}));

  window.log.clear();
  window.form.UserSelect(0, 2);  // the row already selected: nothing happens
  window.form.UserSelect(2, 7);  // no such row
  EXPECT_TRUE(window.log.empty());
}

TEST(LinkedLists, AClickInAnEmptyListDoesNothing) {
  RecordingWindow window;
  window.log.clear();
  for (int list = 0; list < 3; ++list)
    window.form.UserSelect(list, 0);
  EXPECT_TRUE(window.log.empty());
  window.procedures.List1_Click(1);  // even when raised directly
  for (const auto& list : window.form.List1)
    EXPECT_EQ(list.ListIndex(), -1);
}

// Whatever error stopped a run, the window goes on: the rows it left can be clicked, and the
// next calculation works.
TEST(Errors, TheWindowKeepsWorkingAfterEachKindOfError) {
  const struct {
    String count;
    int error;
  } cases[] = {{U"9e9", 6}, {U"2e4", 6}, {U"-1", 5}, {U"-1e4", 5}, {U"-16386", 6}};
  for (const auto& c : cases) {
    TestWindow window;
    window.Calculate(c.count);
    EXPECT_EQ(window.errors, std::vector<int>{c.error});
    for (int list = 0; list < 3; ++list)
      window.form.UserSelect(list, 0);
    EXPECT_EQ(window.errors, std::vector<int>{c.error});  // the uneven lists raise nothing
    window.Calculate(U"70");
    EXPECT_EQ(window.Lists(), Listed({{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}}));
    window.form.UserClick(1);
    EXPECT_EQ(window.Lists(), TestWindow::Columns{});
    window.form.UserChoose(0);
    window.form.UserType(0, U"Ом");
    window.form.UserClick(0);
    EXPECT_EQ(window.form.Text2[1].Text(), U"2");
    EXPECT_EQ(window.errors, std::vector<int>{c.error});
  }
}

TEST(Errors, AnOutOfRangeSelectionFromCodeIsAnError) {
  TestWindow window;
  window.Calculate(U"3");
  EXPECT_THROW(window.form.List1[0].SetListIndex(2), runtime::RuntimeError);
  EXPECT_THROW(window.form.List1[0].SetListIndex(-2), runtime::RuntimeError);
  EXPECT_NO_THROW(window.form.List1[0].SetListIndex(-1));
}

}  // namespace
