// The lessons together: the menu bar's table and when its items act, where the lessons' window
// opens on a screen, and "Виж как го намира програмата", which puts a task into the window.
#include "lessons/lessons.h"

#include <gtest/gtest.h>

#include "lessons/menu.h"
#include "lessons/placement.h"
#include "test_window.h"

namespace {

namespace menu = lessons::menu;
using lessons::practice::Button;
using window::layout::PixelRect;

TEST(Menu, ItsItemsCarryMnemonicsAndShortcutsAndThePictureNeedsARow) {
  std::vector<std::string> shown;
  std::set<std::string> mnemonics;
  std::set<int> keys;
  for (const menu::Menu& each : menu::kMenus) {
    EXPECT_TRUE(mnemonics.insert(menu::Mnemonic(each.text)).second);
    std::set<std::string> items;
    for (int i = 0; i < each.count; ++i) {
      const menu::Item& item = each.items[static_cast<size_t>(i)];
      shown.push_back(menu::Plain(item.text) + " " + menu::Shortcut(item));
      EXPECT_TRUE(items.insert(menu::Mnemonic(item.text)).second) << item.text;
      EXPECT_TRUE(keys.insert(item.function_key).second) << item.text;
    }
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Картина на реда F2", "Стъпка по стъпка F3",
                                             "Опитай сам F4", "Промени програмата F5",
                                             "Напиши програмата F6", "За програмата F1"}));
  EXPECT_EQ(menu::Mnemonic("&Урок"), "У");
  EXPECT_EQ(menu::Plain("&Помощ"), "Помощ");

  TestWindow window;
  EXPECT_FALSE(menu::Enabled(menu::Command::kPicture, window.form));
  for (const auto command : {menu::Command::kSteps, menu::Command::kPractice,
                             menu::Command::kChange, menu::Command::kWrite, menu::Command::kAbout})
    EXPECT_TRUE(menu::Enabled(command, window.form));
  window.Calculate(U"70");
  EXPECT_FALSE(menu::Enabled(menu::Command::kPicture, window.form));
  window.form.UserSelect(1, 2);
  EXPECT_TRUE(menu::Enabled(menu::Command::kPicture, window.form));
  window.form.UserClick(1);  // "Изчисти"
  EXPECT_FALSE(menu::Enabled(menu::Command::kPicture, window.form));

  const std::string about = menu::AboutText();
  for (const char* part : {"Математика - периметър на правоъгълник", "Версия 1.00", "MIT"})
    EXPECT_NE(about.find(part), std::string::npos) << part;
}

TEST(Placement, BesideTheWindowWhereItFitsElseOnTheScreenNeverOffIt) {
  const struct {
    PixelRect owner;
    int width, height;
    PixelRect work;
    PixelRect placed;
  } cases[] = {
      // Right of the window on a wide screen, at its height.
      {{100, 50, 491, 463}, 1000, 660, {0, 0, 1920, 1040}, {599, 50, 1000, 660}},
      // Left of it where the right has no room.
      {{1300, 50, 491, 463}, 1000, 660, {0, 0, 1920, 1040}, {292, 50, 1000, 660}},
      // 1366 × 768 with the window on the left: against the right edge, over part of it, moved up.
      {{100, 200, 491, 463}, 1000, 660, {0, 0, 1366, 728}, {366, 68, 1000, 660}},
      // 1024 × 768 and a window near its middle: neither side has room.
      {{300, 100, 491, 463}, 1000, 660, {0, 0, 1024, 728}, {24, 68, 1000, 660}},
      // A work area smaller than the window: as much as it has.
      {{0, 0, 491, 463}, 1000, 660, {0, 0, 800, 560}, {0, 0, 800, 560}},
      // A second screen to the right, with its task bar at the top.
      {{2000, 100, 491, 463}, 1000, 660, {1920, 40, 1280, 984}, {2200, 100, 1000, 660}},
  };
  for (const auto& c : cases) {
    const PixelRect placed = lessons::placement::Beside(c.owner, c.width, c.height, c.work, 8);
    EXPECT_EQ(placed, c.placed) << placed.x << ", " << placed.y << " " << placed.width << " × "
                                << placed.height;
    EXPECT_GE(placed.x, c.work.x);
    EXPECT_GE(placed.y, c.work.y);
    EXPECT_LE(placed.x + placed.width, c.work.x + c.work.width);
    EXPECT_LE(placed.y + placed.height, c.work.y + c.work.height);
  }
}

// The program's window and its lessons, wired as the program wires them.
struct Wired : TestWindow {
  lessons::Lessons lessons{form, 1};
  Wired() { procedures.Watch(&lessons.steps); }
};

TEST(Lessons, ShowInProgramRunsTheTaskInTheWindowAndShowsTheStepOfItsLastRow) {
  Wired wired;
  wired.form.UserChoose(0);  // mantra mode: the task's count puts it back in count mode
  wired.form.UserType(0, U"абв");
  wired.lessons.practice.Practise(0, {lessons::practice::CountTask(70)});
  EXPECT_FALSE(wired.lessons.ShowInProgram());  // not before the task is over
  EXPECT_EQ(wired.form.Text2[0].Text(), U"абв");

  wired.lessons.practice.Type(lessons::practice::Box::kAcross, "8");
  wired.lessons.practice.Type(lessons::practice::Box::kDown, "9");
  wired.lessons.practice.Press(Button::kCheck);
  ASSERT_TRUE(wired.lessons.ShowInProgram());
  EXPECT_TRUE(wired.form.Option1[1].Value());
  EXPECT_EQ(wired.form.Text2[1].Text(), U"70");
  EXPECT_EQ(wired.Lists(), Listed({{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}}));
  for (const auto& list : wired.form.List1)
    EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(wired.lessons.steps.Current(), wired.lessons.steps.StepOfRow(3));
  EXPECT_TRUE(wired.errors.empty());

  // A proverb goes into the mantra box in mantra mode.
  const runtime::String proverb = runtime::FromUtf8("Няма дим без огън.");
  wired.lessons.practice.Practise(3, {lessons::practice::ProverbTask(proverb)});
  for (int both = 0; both < 2; ++both) {  // wrong twice: the solution, and the task is over
    wired.lessons.practice.Press(Button::kCheck);
    wired.lessons.practice.Press(Button::kRetry);
  }
  ASSERT_TRUE(wired.lessons.ShowInProgram());
  EXPECT_TRUE(wired.form.Option1[0].Value());
  EXPECT_EQ(wired.form.Text2[0].Text(), proverb);
  EXPECT_EQ(wired.form.Text2[1].Text(), U"18");
  EXPECT_EQ(wired.Lists(), Listed({{1, 18, 42}, {2, 9, 26}, {3, 6, 22}}));
  EXPECT_EQ(wired.form.List1[0].ListIndex(), 2);
  EXPECT_EQ(wired.lessons.steps.Current(), wired.lessons.steps.StepOfRow(2));
}

// The button's page says what it will change in the window before it acts.
TEST(Lessons, ShowInProgramSaysWhatItChangesBeforeItActs) {
  lessons::practice::Practice practice(1);
  practice.Practise(1, {lessons::practice::CountTask(70)});
  EXPECT_EQ(practice.ShowInProgramNote(), "Това ще смени числото в главния прозорец.");
  practice.Practise(3, {lessons::practice::ProverbTask(runtime::FromUtf8("Няма дим без огън."))});
  EXPECT_EQ(practice.ShowInProgramNote(), "Това ще смени мантрата в главния прозорец.");
}

// The lessons' window is titled by the page it shows, as the menu names the page.
TEST(Lessons, TheWindowsTitleNamesThePageShown) {
  EXPECT_EQ(lessons::PageTitle(0), "Картина на реда");
  EXPECT_EQ(lessons::PageTitle(1), "Стъпка по стъпка");
  EXPECT_EQ(lessons::PageTitle(2), "Опитай сам");
  EXPECT_EQ(lessons::PageTitle(3), "Промени програмата");
  EXPECT_EQ(lessons::PageTitle(-1), "Уроци");
}

}  // namespace

namespace {

TEST(Lessons, TheChangedProgramsPageOpensAtItsPageWithTheWindowsCount) {
  EXPECT_EQ(menu::PageOf(menu::Command::kChange), 3);
  EXPECT_TRUE(menu::Activates(menu::Command::kChange));
  Wired wired;
  wired.form.Text2[1].SetText(U"100");
  wired.lessons.OpenChange();
  EXPECT_EQ(wired.lessons.change.Count(), 100);
  wired.form.Text2[1].SetText(U"9e9");  // not a count the programs take: it keeps its N
  wired.lessons.OpenChange();
  EXPECT_EQ(wired.lessons.change.Count(), 70);
}

}  // namespace
