// The frame search as a user drives it: a count or a mantra in its box, a click on "Изчисли",
// and what the three lists, the count box and the error reporter then show.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "test_window.h"

namespace {

using runtime::String;
using Columns = TestWindow::Columns;

TEST(FindFrames, ListsTheWorkedResults) {
  const struct {
    int count;
    Columns rows;
  } cases[] = {
      {0, Listed({{1, 0, 6}})},
      {1, Listed({{1, 1, 8}})},
      {3, Listed({{1, 3, 12}, {2, 2, 12}})},
      {7, Listed({{1, 7, 20}, {2, 4, 16}, {3, 3, 16}})},
      {9, Listed({{1, 9, 24}, {3, 3, 16}})},
      {13, Listed({{1, 13, 32}, {2, 7, 22}, {3, 5, 20}, {4, 4, 20}})},
      {50, Listed({{1, 50, 106}, {2, 25, 58}, {5, 10, 34}})},
      {70, Listed({{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}})},
      {100, Listed({{1, 100, 206}, {2, 50, 108}, {4, 25, 62}, {5, 20, 54}, {10, 10, 44}})},
  };
  TestWindow window;
  for (const auto& c : cases) {
    window.Calculate(runtime::WholeText(int64_t{c.count}));
    EXPECT_EQ(window.Lists(), c.rows) << c.count;
    EXPECT_TRUE(window.errors.empty()) << c.count;
  }
}

TEST(FindFrames, LeavesTheSearchValuesOfTheLastRun) {
  TestWindow window;
  window.form.UserClick(0);                // the start-up 70
  EXPECT_EQ(window.form.LetterCount, 81);  // the last area examined
  EXPECT_EQ(window.form.BestFrame, 38);
  EXPECT_EQ(window.form.RootSide, 8);
  EXPECT_EQ(window.form.SquareSide, 9);
  EXPECT_EQ(window.form.Text2[1].Text(), U"70");

  window.Calculate(U"9");  // a perfect square stops after its own scan
  EXPECT_EQ(window.form.LetterCount, 9);
  EXPECT_EQ(window.form.BestFrame, 16);
  EXPECT_EQ(window.form.RootSide, 3);
  EXPECT_EQ(window.form.SquareSide, 9);  // untouched
}

// Count texts, what the lists show afterwards, and the error that stopped the search.
TEST(FindFrames, ReadsTheCountTextAndStopsAtTheLimits) {
  const Columns start = Listed({{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}});
  const struct {
    String text;
    Columns rows;
    std::optional<int> error;
  } cases[] = {
      {U"", Listed({{1, 0, 6}}), std::nullopt},
      {U"abc", Listed({{1, 0, 6}}), std::nullopt},
      {U"7.9", Listed({{1, 7, 20}, {2, 4, 16}, {3, 3, 16}}), std::nullopt},
      // Just below 7 − 2⁻⁵¹, halfway between 7 and the double below it: the nearest double is
      // that one, whose floor is 6. Rounded first to 64 bits, as an 80-bit register would, it
      // would land on the halfway point and then on 7.
      {U"6.9999999999999995559107901499373838305473327636718749", Listed({{1, 6, 18}, {2, 3, 14}}),
       std::nullopt},
      {U" 7 0", start, std::nullopt},
      {U"-0,5", Listed({{1, 0, 6}}), std::nullopt},
      {U"-0.5", Listed({{1, -1, 4}}), 5},
      {U"-1", Listed({{1, -1, 4}}), 5},
      {U"-1e4", Listed({{1, -10000, -19994}}), 5},
      {U"-16385", Listed({{1, -16385, -32764}}), 5},
      {U"-16386", {{{U"1"}, {U"-16386"}, {}}}, 6},
      {U"-32768", {{{U"1"}, {U"-32768"}, {}}}, 6},
      {U"2e4", {{{U"1"}, {U"20000"}, {}}}, 6},
      {U"16381", {{{U"1"}, {U"16381"}, {}}}, 6},
      {U"32767", {{{U"1"}, {U"32767"}, {}}}, 6},
      {U"9e9", start, 6},  // before the lists are cleared
      {U"32768", start, 6},
      {U"-32769", start, 6},
      {U"1e400", start, 6},
  };
  for (const auto& c : cases) {
    TestWindow window;
    window.form.UserClick(0);
    window.Calculate(c.text);
    EXPECT_EQ(window.Lists(), c.rows) << c.rows[1].size();
    EXPECT_EQ(window.form.Text2[1].Text(), c.text);  // the count box keeps the text as typed
    EXPECT_EQ(window.errors, c.error ? std::vector<int>{*c.error} : std::vector<int>{});
  }
}

TEST(FindFrames, HeaviestCountsEndWithTheirBestFrames) {
  TestWindow window;
  window.Calculate(U"16e3");
  Columns rows = window.Lists();
  ASSERT_EQ(rows[0].size(), 16u);
  for (auto& column : rows)
    column.erase(column.begin(), column.end() - 3);
  EXPECT_EQ(rows, Listed({{80, 200, 564}, {100, 160, 524}, {125, 128, 510}}));

  window.Calculate(U"16380");
  rows = window.Lists();
  ASSERT_EQ(rows[0].size(), 37u);
  for (auto& column : rows)
    column.erase(column.begin(), column.end() - 2);
  EXPECT_EQ(rows, Listed({{126, 130, 516}, {128, 128, 516}}));
  EXPECT_TRUE(window.errors.empty());
}

TEST(FindFrames, TakesTheMantraLengthInCharacters) {
  const struct {
    String mantra;
    Columns rows;
  } cases[] = {
      {U"", Listed({{1, 0, 6}})},
      {String(35, U'a') + String(35, U' '),
       Listed({{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}})},
      {U"Ом мани падме хум", Listed({{1, 17, 40}, {2, 9, 26}, {3, 6, 22}})},
      {String(100, U'щ'),
       Listed({{1, 100, 206}, {2, 50, 108}, {4, 25, 62}, {5, 20, 54}, {10, 10, 44}})},
  };
  for (const auto& c : cases) {
    TestWindow window;
    window.form.UserChoose(0);
    window.form.UserType(0, c.mantra);
    window.form.UserClick(0);
    EXPECT_EQ(window.Lists(), c.rows);
    EXPECT_EQ(window.form.Text2[1].Text(), runtime::WholeText(int64_t(c.mantra.size())));
    EXPECT_TRUE(window.errors.empty());
  }
}

TEST(FindFrames, ASecondRunStartsFromClearedLists) {
  TestWindow window;
  window.Calculate(U"100");
  window.form.UserSelect(2, 3);
  window.Calculate(U"3");
  EXPECT_EQ(window.Lists(), Listed({{1, 3, 12}, {2, 2, 12}}));
  for (const auto& list : window.form.List1)
    EXPECT_EQ(list.ListIndex(), -1);
}

}  // namespace
