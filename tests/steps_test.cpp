// The steps of a run as the steps page shows them: told by the search as it runs, and for each
// step its program line, values, sentence, rows so far and rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lessons/steps.h"
#include "plain_text.h"
#include "test_window.h"

namespace {

using lessons::steps::Command;
using lessons::steps::Key;
using lessons::steps::Walkthrough;

// The window with the steps of each run kept, as the program has it.
struct StepsWindow : TestWindow {
  Walkthrough steps{form};
  StepsWindow() { procedures.Watch(&steps); }

  // Each step's sentence, from the first to the last.
  std::vector<std::string> Sentences() {
    std::vector<std::string> sentences;
    for (int step = 0; step < steps.Count(); ++step) {
      steps.GoTo(step);
      sentences.push_back(Spaced(steps.Sentence()));
    }
    return sentences;
  }
  // The first step whose sentence holds `text`, or -1.
  int Find(const std::string& text) {
    for (int step = 0; step < steps.Count(); ++step) {
      steps.GoTo(step);
      if (Spaced(steps.Sentence()).find(text) != std::string::npos) return step;
    }
    return -1;
  }
  std::string Value(const char* name) const {
    for (const auto& value : steps.Values())
      if (std::string(value.name) == name) return value.text + (value.changed ? "*" : "");
    return "?";
  }
};

std::string Utf8(const runtime::String& text) {
  return runtime::ToUtf8(text);
}

TEST(Steps, OfSeventyFromTheStripToTheClosingSquare) {
  StepsWindow window;
  window.Calculate(U"70");
  Walkthrough& steps = window.steps;
  ASSERT_TRUE(steps.HasRun());
  // N, the strip, RootSide; the call for 70 with its 7 trials, 3 of them divisors (two steps
  // each); the square test; SquareSide; 11 larger areas with 7 trials each and 19 divisors
  // among them; the closing square's frame and test; the end.
  EXPECT_EQ(steps.Count(), 3 + 11 + 2 + 11 * 8 + 19 + 3);
  EXPECT_EQ(steps.Current(), 0);
  EXPECT_EQ(steps.Line(), 1);
  EXPECT_EQ(Spaced(steps.Sentence()),
            "От полето „Брой букви“ се взема цялата част на числото „70“: N = 70.");
  EXPECT_EQ(steps.Counter(), "стъпка 1 от 126");
  EXPECT_EQ(window.Value("N"), "70*");
  EXPECT_EQ(window.Value("BestFrame"), "");

  // The four rows, each at the step that listed it, marked among the rows so far.
  const std::vector<std::string> listed = {"1, 70", "2, 35", "5, 14", "7, 10"};
  for (int row = 0; row < 4; ++row) {
    steps.ShowRow(row);
    const lessons::steps::Rows rows = steps.RowsSoFar();
    EXPECT_EQ(rows.marked, row);
    ASSERT_EQ(rows.columns[0].size(), static_cast<size_t>(row + 1));
    EXPECT_EQ(rows.columns[0][row] + ", " + rows.columns[1][row], listed[row]);
  }
  steps.ShowRow(0);
  EXPECT_EQ(steps.Line(), 2);
  EXPECT_EQ(steps.Rectangle()->Across(), 1);
  EXPECT_EQ(steps.Rectangle()->Down(), 70);
  steps.ShowRow(3);
  EXPECT_EQ(steps.Line(), 14);
  EXPECT_EQ(window.Value("BestFrame"), "38*");

  // The tie 72 = 8 × 9 is not listed; its rectangle has 72 squares, two of them blank.
  const int tie =
      window.Find("72 = 8 × 9: рамката е 38 и не е по-малка от 38, затова не се записва");
  ASSERT_GE(tie, 0);
  EXPECT_EQ(steps.Line(), 14);
  EXPECT_EQ(steps.RowsSoFar().marked, -1);
  EXPECT_EQ(steps.RowsSoFar().columns[2].size(), 4u);
  EXPECT_EQ(Spaced(steps.Rectangle()->Words()),
            "8 × 9 = 72 квадратчета, 70 букви и 2 празни квадратчета, рамка от 38 квадратчета");
  EXPECT_EQ(window.Value("LetterCount"), "72");
  EXPECT_EQ(window.Value("i"), "8");
  EXPECT_EQ(window.Value("j"), "9");
  EXPECT_EQ(window.Value("P"), "38");
  EXPECT_EQ(window.Value("SquareSide"), "9");

  // Before it, 72 was tried by 2 … 7 in the same call; 71 by nothing that divides it.
  EXPECT_GE(window.Find("71 не се дели на 2: остатъкът е 1."), 0);
  EXPECT_EQ(steps.Line(), 12);
  EXPECT_EQ(window.Value("i"), "2*");
  EXPECT_EQ(window.Value("LetterCount mod i"), "1*");
  EXPECT_EQ(window.Value("j"), "");  // no divisor of 71 found yet in this call
  EXPECT_EQ(window.Value("RootSide"), "8");

  // The closing square loses; the last step names the least frame.
  EXPECT_GE(window.Find("9 × 9: рамката е 40, повече от 38: квадратът не се записва."), 0);
  EXPECT_EQ(steps.Line(), 9);
  EXPECT_EQ(steps.Rectangle()->Across(), 9);
  steps.Do(Command::kLast);
  EXPECT_EQ(steps.Line(), 10);
  EXPECT_EQ(Spaced(steps.Sentence()),
            "Край: най-малката рамка е от 38 квадратчета, на последния ред 7, 10, 38.");
  EXPECT_FALSE(steps.Rectangle().has_value());
  EXPECT_EQ(steps.ErrorStep(), -1);
}

TEST(Steps, TheClosingSquareIsListedOnATieAndAPerfectSquareEndsAtOnce) {
  const struct {
    const char32_t* count;
    int steps;
    const char* last_listed;  // the sentence of the step that listed the last row
  } cases[] = {
      {U"7", 15, "3 × 3: рамката е 16, колкото е и BestFrame: квадратът се записва"},
      {U"13", 23, "4 × 4: рамката е 20, колкото е и BestFrame: квадратът се записва"},
      {U"9", 9, "9 = 3 × 3: рамката е 16, по-малка от 24"},
      {U"0", 6, "Първият ред е лентата 1 × 0"},
  };
  for (const auto& c : cases) {
    StepsWindow window;
    window.Calculate(c.count);
    Walkthrough& steps = window.steps;
    EXPECT_EQ(steps.Count(), c.steps) << Utf8(c.count);
    steps.ShowRow(window.form.List1[0].ListCount() - 1);
    EXPECT_NE(Spaced(steps.Sentence()).find(c.last_listed), std::string::npos)
        << Spaced(steps.Sentence());
    EXPECT_EQ(steps.RowsSoFar().marked, window.form.List1[0].ListCount() - 1);
  }
  StepsWindow square;
  square.Calculate(U"9");
  for (int step = 0; step < square.steps.Count(); ++step) {  // no larger areas, no closing square
    square.steps.GoTo(step);
    EXPECT_TRUE(square.steps.Line() <= 5 || square.steps.Line() == 10 || square.steps.Line() >= 12)
        << step;
  }
  EXPECT_GE(square.Find("9 = 3 × 3: 9 е точен квадрат"), 0);

  StepsWindow none;
  none.Calculate(U"0");
  EXPECT_GE(none.Find("RootSide е 0: делители от 2 до 0 няма"), 0);
  EXPECT_GE(none.Find("RootSide е цялата част на √0 = 0: числото, което, умножено по себе си, "
                      "дава 0; 0 × 0 = 0. Така RootSide = 0"),
            0);
  // 0 has no letters: the program's answer for it is only the strip it starts with.
  EXPECT_GE(none.Find("Първият ред е лентата 1 × 0, в която няма нито едно квадратче"), 0);
  EXPECT_GE(none.Find("програмата приема 0 за точен квадрат и търсенето свършва. Букви няма"), 0);
  none.steps.Do(Command::kLast);
  EXPECT_EQ(
      Spaced(none.steps.Sentence()),
      "Край: букви няма, затова отговорът на програмата за 0 е само редът на лентата 1, 0, 6.");
}

// A step changes only the values its line of the program sets; the end, the square test, the
// closing square's test and a step that an error stopped set none. Its sentence keeps each formula
// on one line.
TEST(Steps, AStepChangesOnlyTheValuesItsLineSets) {
  const std::map<int, std::set<std::string>> sets = {
      {1, {"N", "LetterCount"}},
      {2, {"BestFrame"}},
      {3, {"RootSide"}},
      {4, {}},
      {5, {}},
      {6, {"SquareSide"}},
      {7, {"LetterCount"}},
      {8, {"P"}},
      {9, {}},
      {10, {}},
      {12, {"i", "LetterCount mod i"}},
      {13, {"i", "LetterCount mod i", "j", "P"}},
      {14, {"BestFrame"}},
  };
  StepsWindow window;
  int checked = 0;
  for (const char32_t* count :
       {U"70", U"0", U"1", U"2", U"5", U"7", U"16", U"21", U"-3", U"2e4", U"9e9", U"16380"}) {
    window.Calculate(count);
    Walkthrough& steps = window.steps;
    for (int step = 0; step < steps.Count(); ++step) {
      steps.GoTo(step);
      std::set<std::string> allowed = sets.at(steps.Line());
      if (step == steps.ErrorStep()) allowed.clear();
      // And its sentence keeps each formula on one line.
      for (const std::string sign : {" ×", "× ", " =", "= ", " +", "+ "})
        EXPECT_EQ(steps.Sentence().find(sign), std::string::npos) << steps.Sentence();
      for (const auto& value : steps.Values()) {
        ++checked;
        EXPECT_TRUE(!value.changed || allowed.count(value.name) > 0)
            << Utf8(count) << " step " << step + 1 << " line " << steps.Line() << ": " << value.name
            << " " << value.text;
      }
    }
  }
  EXPECT_GT(checked, 5000);
  window.Calculate(U"70");
  window.steps.Do(Command::kLast);
  EXPECT_EQ(window.Value("P"), "40");  // the closing square's, unchanged by the end
}

// A negative N is written with its minus sign, in brackets as a factor.
TEST(Steps, ANegativeCountKeepsItsSign) {
  StepsWindow window;
  window.Calculate(U"-3");
  EXPECT_EQ(window.Value("N"), "−3*");
  EXPECT_GE(window.Find("Първият ред е „лентата“ 1 × (−3): такъв правоъгълник няма, но програмата "
                        "пак смята рамката му: (−3 + 1) × 2 + 4 = 0 и BestFrame става 0."),
            0);
  window.steps.Do(Command::kLast);
  EXPECT_NE(Spaced(window.steps.Sentence()).find("−3 е отрицателно число"), std::string::npos);
}

// Where RootSide is 2, the one divisor tried is said as one.
TEST(Steps, OneDivisorIsTriedAsOne) {
  StepsWindow window;
  window.Calculate(U"5");
  EXPECT_GE(window.Find("Пробва се делителят 2."), 0);
  EXPECT_EQ(window.steps.Line(), 4);
  EXPECT_GE(window.Find("Следващата площ е 6 (LetterCount = 6): пробва се делителят 2."), 0);
  EXPECT_EQ(window.Find("от 2 до 2"), -1);
}

TEST(Steps, AnErrorIsTheLastStepAndSaysWhy) {
  const struct {
    const char32_t* count;
    const char* sentence;
    int line;
    std::vector<std::string> listed_texts;  // how many texts each list holds: the partial row
    const char* rectangle;  // the words under the rectangle of the last step, or none
  } cases[] = {
      // The strip whose frame the program's whole numbers cannot hold: its picture says so, as
      // the sentence says where the run stopped.
      {U"2e4",
       "Грешка 6 (Препълване): (20000 + 1) × 2 = 40002, а 16-битовите цели числа са от −32768 "
       "до 32767 (най-голямото е 32767).",
       2,
       {"1", "20000", ""},
       "1 × 20000 = 20000 квадратчета, 20000 букви, рамка от 40006 квадратчета. Тази рамка е "
       "повече "
       "от 32767 – най-голямото цяло число, което програмата може да запише, затова тя не можа "
       "да довърши реда."},
      {U"16381",
       "(16381 + 1) × 2 + 4 = 32768",
       2,
       {"1", "16381", ""},
       "1 × 16381 = 16381 квадратчета, 16381 букви, рамка от 32768 квадратчета. Тази рамка е "
       "повече "
       "от 32767 – най-голямото цяло число, което програмата може да запише, затова тя не можа "
       "да довърши реда."},
      {U"-2e4",
       "(−20000 + 1) × 2 = −39998",
       2,
       {"1", "-20000", ""},
       "Страна −20000 е отрицателна: такъв правоъгълник не може да се нарисува."},
      {U"-0.5",
       "Грешка 5 (Невалидно извикване на процедура или невалиден аргумент): −1 е "
       "отрицателно число и няма квадратен корен",
       3,
       {"1", "-1", "4"},
       nullptr},
      {U"9e9",
       "цялата част на числото „9e9“ от полето „Брой букви“ е 9000000000",
       1,
       {"", "", ""},
       nullptr},
  };
  for (const auto& c : cases) {
    StepsWindow window;
    window.Calculate(U"70");  // rows that a failing read leaves in the lists
    window.Calculate(c.count);
    Walkthrough& steps = window.steps;
    ASSERT_TRUE(steps.HasRun()) << Utf8(c.count);
    steps.Do(Command::kLast);
    EXPECT_EQ(steps.ErrorStep(), steps.Current());
    EXPECT_NE(Spaced(steps.Sentence()).find(c.sentence), std::string::npos)
        << Spaced(steps.Sentence());
    EXPECT_EQ(steps.Line(), c.line) << Utf8(c.count);
    const lessons::steps::Rows rows = steps.RowsSoFar();
    for (size_t list = 0; list < 3; ++list) {
      EXPECT_EQ(rows.columns[list].empty() ? "" : rows.columns[list][0], c.listed_texts[list])
          << Utf8(c.count) << " list " << list;
    }
    const auto rectangle = steps.Rectangle();
    ASSERT_EQ(rectangle.has_value(), c.rectangle != nullptr) << Utf8(c.count);
    if (rectangle) {
      EXPECT_EQ(Spaced(rectangle->Words()), c.rectangle);
    }
  }
  // A frame the run could hold says nothing of the kind.
  StepsWindow window;
  window.Calculate(U"16380");
  window.steps.Do(Command::kFirst);
  window.steps.Do(Command::kForward);
  ASSERT_TRUE(window.steps.Rectangle().has_value());
  EXPECT_EQ(window.steps.Rectangle()->Words().find("32767"), std::string::npos);
}

TEST(Steps, ListTheRowsOfTheListsAndLeaveThemAsWithoutAWatcher) {
  std::vector<int> counts;
  for (int count = -100; count <= 2000; ++count)
    counts.push_back(count);
  counts.push_back(16130);
  counts.push_back(16380);
  StepsWindow watched;
  TestWindow plain;
  for (const int count : counts) {
    const runtime::String text = runtime::WholeText(int64_t{count});
    watched.Calculate(text);
    plain.Calculate(text);
    ASSERT_EQ(watched.Lists(), plain.Lists()) << count;
    ASSERT_EQ(watched.errors, plain.errors) << count;
    // Each listing step's marked row is the next row of the lists.
    const auto& lists = watched.form.List1;
    const int rows = std::min({lists[0].ListCount(), lists[1].ListCount(), lists[2].ListCount()});
    for (int row = 0; row < rows; ++row) {
      const int step = watched.steps.StepOfRow(row);
      ASSERT_GE(step, 0) << count << " row " << row;
      watched.steps.GoTo(step);
      const lessons::steps::Rows so_far = watched.steps.RowsSoFar();
      ASSERT_EQ(so_far.marked, row) << count;
      for (size_t list = 0; list < 3; ++list)
        ASSERT_EQ(so_far.columns[list][row], Utf8(lists[list].Items()[row])) << count;
    }
    EXPECT_EQ(watched.steps.StepOfRow(rows), -1) << count;
  }
}

// How many steps a run of a count that completes takes: N, the strip and RootSide; for each area
// examined its call of ScanDivisors, one step for each trial of i and one more for each divisor
// found; the square test; and the end, after SquareSide and the closing square where N is not a
// perfect square.
int StepsOf(int count) {
  const int root = static_cast<int>(std::floor(std::sqrt(count)));
  const int last = count > root * root ? (root + 1) * (root + 1) : count;
  int steps = 3 + 1 + 1;
  for (int area = count; area <= last; ++area) {
    steps += 1 + std::max(root - 1, 0);
    for (int i = 2; i <= root; ++i)
      steps += area % i == 0;
  }
  return count > root * root ? steps + 1 + 2 : steps;
}

TEST(Steps, AsManyAsTheSearchTakes) {
  StepsWindow window;
  for (const int count : {0, 1, 2, 3, 4, 7, 9, 13, 70, 100, 999, 1000, 16000, 16130, 16380}) {
    window.Calculate(runtime::WholeText(int64_t{count}));
    EXPECT_EQ(window.steps.Count(), StepsOf(count)) << count;
  }
  window.Calculate(U"16130");  // the most work of all: about 32 thousand trial divisions
  EXPECT_GT(window.steps.Count(), 32000);
}

TEST(Steps, OfTheLargestCountThatCompletes) {
  StepsWindow window;
  window.Calculate(U"16380");
  Walkthrough& steps = window.steps;
  steps.Do(Command::kLast);
  const lessons::steps::Rows rows = steps.RowsSoFar();
  ASSERT_EQ(rows.columns[0].size(), 37u);
  EXPECT_EQ(rows.columns[0][35] + " " + rows.columns[1][35] + " " + rows.columns[2][35],
            "126 130 516");
  EXPECT_EQ(rows.columns[0][36] + " " + rows.columns[1][36] + " " + rows.columns[2][36],
            "128 128 516");
  steps.Do(Command::kPreviousRow);
  EXPECT_EQ(steps.RowsSoFar().marked, 36);
  EXPECT_EQ(steps.Line(), 9);
  EXPECT_EQ(Spaced(steps.Sentence()),
            "128 × 128: рамката е 516, колкото е и BestFrame: квадратът се записва, защото тук и "
            "равенството стига.");
}

TEST(Steps, MoveByCommandsKeysAndRowsAndPlay) {
  StepsWindow window;
  window.Calculate(U"70");
  Walkthrough& steps = window.steps;
  struct Move {
    Key key;
    int expected;
  };
  const int row1 = steps.StepOfRow(1);
  const int row2 = steps.StepOfRow(2);
  const Move moves[] = {
      {Key::kRight, 1},     {Key::kRight, 2},    {Key::kLeft, 1},        {Key::kLeft, 0},
      {Key::kLeft, 0},      {Key::kPageDown, 1}, {Key::kPageDown, row1}, {Key::kPageDown, row2},
      {Key::kPageUp, row1}, {Key::kEnd, 125},    {Key::kRight, 125},     {Key::kPageDown, 125},
      {Key::kHome, 0},      {Key::kPageUp, 0},
  };
  for (const Move& move : moves) {
    EXPECT_TRUE(steps.Press(move.key));
    EXPECT_EQ(steps.Current(), move.expected);
  }
  EXPECT_FALSE(steps.CanGoBack());
  EXPECT_FALSE(steps.HasPreviousRow());
  EXPECT_TRUE(steps.HasNextRow());

  // Playing moves on with each tick and stops at the last step; playing again starts over.
  EXPECT_EQ(steps.PlayName(), "Пусни");
  steps.SetSpeed(0);
  EXPECT_EQ(steps.TickMilliseconds(), 1000);
  EXPECT_TRUE(steps.Press(Key::kSpace));
  EXPECT_TRUE(steps.Playing());
  EXPECT_EQ(steps.PlayName(), "Спри");
  EXPECT_TRUE(steps.Announced());  // one a second is slow enough to be read out
  steps.Tick();
  EXPECT_EQ(steps.Current(), 1);
  steps.SetSpeed(4);  // 1000 a second: 16 steps every 16 ms
  EXPECT_EQ(steps.TickMilliseconds(), 16);
  EXPECT_EQ(steps.TickSteps(), 16);
  EXPECT_FALSE(steps.Announced());
  for (int tick = 0; tick < 20; ++tick)
    steps.Tick();
  EXPECT_EQ(steps.Current(), 125);
  EXPECT_FALSE(steps.Playing());
  EXPECT_TRUE(steps.Announced());
  steps.Do(Command::kPlay);
  EXPECT_EQ(steps.Current(), 0);
  steps.Do(Command::kPlay);
  EXPECT_FALSE(steps.Playing());
}

TEST(Steps, FollowTheForm) {
  struct Counter : lessons::steps::StepsObserver {
    int changes = 0;
    void StepsChanged() override { ++changes; }
  } counter;
  StepsWindow window;
  window.steps.SetObserver(&counter);
  EXPECT_FALSE(window.steps.HasRun());
  EXPECT_EQ(Spaced(window.steps.Sentence()), lessons::steps::kNoRun);
  EXPECT_EQ(window.steps.Line(), 0);
  EXPECT_EQ(window.steps.Counter(), "");

  window.Calculate(U"70");
  EXPECT_EQ(counter.changes, 1);  // once, when the run is over
  window.steps.Do(Command::kLast);
  window.Calculate(U"13");  // a new run starts from its first step
  EXPECT_EQ(window.steps.Current(), 0);
  EXPECT_EQ(window.steps.Count(), 23);

  window.form.UserSelect(1, 2);  // a row chosen in the lists: the step that listed it
  EXPECT_EQ(window.steps.Current(), window.steps.StepOfRow(2));

  const int before = counter.changes;
  window.form.UserClick(1);  // "Изчисти"
  EXPECT_FALSE(window.steps.HasRun());
  EXPECT_EQ(Spaced(window.steps.Sentence()), lessons::steps::kNoRun);
  EXPECT_EQ(counter.changes, before + 1);
  window.steps.Do(Command::kForward);  // nothing to move
  EXPECT_EQ(window.steps.Current(), 0);

  window.Calculate(U"70");
  window.form.UserChoose(0);  // the other option clears too
  EXPECT_FALSE(window.steps.HasRun());

  window.form.Text2[0].SetText(U"Ом мани падме хум");  // a mantra's letters fill its rectangles
  window.form.UserClick(0);
  EXPECT_EQ(Spaced(window.steps.Sentence()),
            "Мантрата има 17 знака, като се броят и интервалите: N = 17.");
  window.steps.ShowRow(0);
  EXPECT_EQ(window.steps.Rectangle()->Letter(1), "м");
  EXPECT_EQ(Spaced(window.steps.Rectangle()->Words()),
            "1 × 17 = 17 квадратчета, 17 знака, рамка от 40 квадратчета");
}

TEST(Steps, TheProgramLinesNameTheSearchValues) {
  const auto& lines = lessons::steps::ProgramLines();
  EXPECT_EQ(lines.size(), 14u);
  std::string all;
  for (const auto& line : lines)
    all += line + "\n";
  for (const char* name : {"LetterCount", "BestFrame", "RootSide", "SquareSide", "ScanDivisors",
                           "mod i", "div i", "2i + 2j + 4"})
    EXPECT_NE(all.find(name), std::string::npos) << name;
}

}  // namespace
