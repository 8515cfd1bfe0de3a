// "Опитай сам" in the core: the tasks of each level, the least frame as the program's own search
// finds it, the verdicts and their numbers, the tries, the score and the stars.
#include "lessons/practice.h"

#include <gtest/gtest.h>

#include <set>

#include "lessons/proverbs.h"
#include "runtime/text.h"

namespace {

using lessons::practice::Button;
using lessons::practice::CountTask;
using lessons::practice::Focus;
using lessons::practice::kLevels;
using lessons::practice::Practice;
using lessons::practice::ProverbTask;
using lessons::practice::Sides;
using lessons::practice::Stage;
using lessons::practice::Task;

// The least a + b with a·b ≥ n: ⌈2√n⌉, as the smallest s with s² ≥ 4n.
int64_t CeilingOfTwiceRoot(int64_t n) {
  int64_t s = 0;
  while (s * s < 4 * n)
    ++s;
  return s;
}

bool IsSquare(int n) {
  int root = 0;
  while ((root + 1) * (root + 1) <= n)
    ++root;
  return root * root == n;
}

TEST(Tasks, TheLeastFrameIsTheProgramsOwnAndTheClosedForm) {
  for (int n = 1; n <= 16380; ++n) {
    const Task task = CountTask(n);
    ASSERT_EQ(task.Least(), 2 * CeilingOfTwiceRoot(n) + 4) << n;
    const std::vector<Sides> best = task.Best();
    ASSERT_FALSE(best.empty()) << n;
    for (const Sides& sides : best) {
      ASSERT_GE(int64_t{sides.across} * sides.down, n);
      ASSERT_LE(sides.across, sides.down);
      ASSERT_EQ(2 * sides.across + 2 * sides.down + 4, task.Least());
    }
    // The solution shown is the program's last row, one of the best.
    const Sides solution = task.Solution();
    const Sides upright{std::min(solution.across, solution.down),
                        std::max(solution.across, solution.down)};
    ASSERT_NE(std::find(best.begin(), best.end(), upright), best.end()) << n;
  }
  EXPECT_EQ(CountTask(70).Best(), (std::vector<Sides>{{7, 10}, {8, 9}}));
  EXPECT_EQ(CountTask(49).Best(), (std::vector<Sides>{{7, 7}}));
  EXPECT_EQ(CountTask(7).Best(), (std::vector<Sides>{{2, 4}, {3, 3}}));
}

TEST(Tasks, EachSetHasFiveCountsOfItsLevelWithASquareAndATie) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    for (size_t level = 0; level < kLevels.size(); ++level) {
      if (kLevels[level].kind == lessons::practice::Kind::kTrace) continue;  // trace_test's
      SCOPED_TRACE("seed " + std::to_string(seed) + ", level " + std::to_string(level + 1));
      const std::vector<Task> set = lessons::practice::TaskSet(level, random);
      ASSERT_EQ(set.size(), 5u);
      std::set<int> counts;
      bool square = false;
      bool tie = false;
      for (const Task& task : set) {
        counts.insert(task.count);
        square = square || IsSquare(task.count);
        tie = tie || task.Tied();
        if (kLevels[level].kind == lessons::practice::Kind::kCount) {
          EXPECT_GE(task.count, kLevels[level].first);
          EXPECT_LE(task.count, kLevels[level].last);
          EXPECT_TRUE(task.proverb.empty());
        } else {
          EXPECT_EQ(static_cast<size_t>(task.count), task.proverb.size());
        }
      }
      EXPECT_EQ(counts.size(), 5u);  // no count twice
      EXPECT_TRUE(square);
      EXPECT_TRUE(tie);
    }
  }
}

TEST(Tasks, TheProverbsAreCountedAsTheProgramCountsAMantra) {
  ASSERT_GE(lessons::proverbs::kProverbs.size(), 20u);
  std::set<std::string> seen;
  bool square = false;
  bool tie = false;
  for (const char* proverb : lessons::proverbs::kProverbs) {
    SCOPED_TRACE(proverb);
    EXPECT_TRUE(seen.insert(proverb).second);
    const runtime::String text = runtime::FromUtf8(proverb);
    EXPECT_LE(text.size(), 100u);  // the mantra box's limit
    EXPECT_EQ(text.find(U'\uFFFD'), runtime::String::npos);
    const Task task = ProverbTask(text);
    // The length in characters, blanks and punctuation included: the rows of that count.
    EXPECT_EQ(task.count, static_cast<int>(text.size()));
    EXPECT_EQ(task.rows, CountTask(task.count).rows);
    square = square || IsSquare(task.count);
    tie = tie || task.Tied();
  }
  EXPECT_TRUE(square);
  EXPECT_TRUE(tie);
  EXPECT_EQ(ProverbTask(runtime::FromUtf8("Капка по капка – вир става.")).count, 27);
}

// A practice at a level, asked the given counts (or proverbs at level 4).
Practice Asked(int level, std::vector<Task> tasks) {
  Practice practice(1);
  practice.Practise(level, std::move(tasks));
  return practice;
}

void Answer(Practice& practice, int across, int down) {
  practice.SetAcross(across);
  practice.SetDown(down);
  practice.Press(Button::kCheck);
}

TEST(Practice, EachVerdictSaysWhyWithItsNumbers) {
  const struct {
    int level;
    Task task;
    std::vector<Sides> answers;
    std::string verdict;
    Stage stage;
  } cases[] = {
      {0,
       CountTask(70),
       {{5, 10}},
       "Буквите не се побират: 5 × 10 = 50 квадрата, а буквите са 70. Без квадрат остават 20 "
       "букви. Подсказка: произведението на страните трябва да е поне 70.",
       Stage::kWrong},
      {0,
       CountTask(70),
       {{1, 69}},
       "Буквите не се побират: 1 × 69 = 69 квадрата, а буквите са 70. Без квадрат остава 1 буква. "
       "Подсказка: произведението на страните трябва да е поне 70.",
       Stage::kWrong},
      {0,
       CountTask(70),
       {{5, 14}},
       "Буквите се побират, но рамката около 5 × 14 е 2 × 5 + 2 × 14 + 4 = 42 квадрата злато, а "
       "най-малката е 38: 4 квадрата повече. Подсказка: страните на правоъгълника с най-малка "
       "рамка са близки една до друга, около √70 ≈ 8,37.",
       Stage::kWrong},
      {0,
       CountTask(70),
       {{7, 10}},
       "Вярно! Рамката около 7 × 10 е 38 квадрата злато – най-малката възможна за 70 букви. "
       "Същата рамка има и 8 × 9.",
       Stage::kRight},
      {0,
       CountTask(70),
       {{9, 8}},  // counts as 8 × 9
       "Вярно! Рамката около 9 × 8 е 38 квадрата злато – най-малката възможна за 70 букви. "
       "Същата рамка има и 7 × 10.",
       Stage::kRight},
      {0,
       CountTask(49),
       {{6, 9}, {7, 7}},  // right at the second try, no other rectangle
       "Вярно! Рамката около 7 × 7 е 32 квадрата злато – най-малката възможна за 49 букви.",
       Stage::kRight},
      {0,
       CountTask(70),
       {{5, 14}, {6, 12}},  // wrong twice: no hint, and the solution
       "Буквите се побират, но рамката около 6 × 12 е 2 × 6 + 2 × 12 + 4 = 40 квадрата злато, а "
       "най-малката е 38: 2 квадрата повече. Решение: 7 × 10, рамка от 38 квадрата злато. Същата "
       "рамка има и 8 × 9.",
       Stage::kSolution},
      {3,
       ProverbTask(runtime::FromUtf8("Много баби – хилаво бебе.")),
       {{4, 5}, {2, 2}},
       "Буквите не се побират: 2 × 2 = 4 квадрата, а знаците са 25. Без квадрат остават 21 "
       "знака. Решение: 5 × 5, рамка от 24 квадрата злато.",
       Stage::kSolution},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.verdict);
    Practice practice = Asked(c.level, {c.task});
    for (const Sides& sides : c.answers) {
      if (practice.GetStage() == Stage::kWrong) practice.Press(Button::kRetry);
      Answer(practice, sides.across, sides.down);
    }
    EXPECT_EQ(practice.Verdict(), c.verdict);
    EXPECT_EQ(practice.GetStage(), c.stage);
  }
}

TEST(Practice, TwoTriesThenTheSolutionThenTheNextTask) {
  Practice practice = Asked(0, {CountTask(70), CountTask(7)});
  EXPECT_EQ(practice.TaskText(),
            "Мантрата има 70 букви. Намерете правоъгълник с най-малката златна рамка.");
  EXPECT_EQ(practice.Progress(), "Задача 1 от 5, точки: 0");
  EXPECT_TRUE(practice.SidesEnabled());
  EXPECT_FALSE(practice.Chart());  // no chart before the first check

  // The sides stay within 1 to N.
  practice.SetAcross(0);
  practice.SetDown(500);
  EXPECT_EQ(practice.Across(), 1);
  EXPECT_EQ(practice.Down(), 70);

  const struct {
    Button pressed;
    Stage stage;
    Focus focus;
    std::vector<Button> enabled;
  } steps[] = {
      {Button::kCheck, Stage::kWrong, Focus::kRetry, {Button::kRetry, Button::kRestart}},
      {Button::kRetry, Stage::kAnswering, Focus::kAcross, {Button::kCheck, Button::kRestart}},
      {Button::kCheck,
       Stage::kSolution,
       Focus::kNext,
       {Button::kNext, Button::kRestart, Button::kShowProgram}},
      {Button::kNext, Stage::kAnswering, Focus::kAcross, {Button::kCheck, Button::kRestart}},
  };
  practice.SetAcross(5);
  practice.SetDown(14);
  for (const auto& step : steps) {
    practice.Press(step.pressed);
    EXPECT_EQ(practice.GetStage(), step.stage);
    EXPECT_EQ(practice.FocusAfter(), step.focus);
    for (const Button button :
         {Button::kCheck, Button::kRetry, Button::kNext, Button::kRestart, Button::kShowProgram}) {
      const bool enabled =
          std::find(step.enabled.begin(), step.enabled.end(), button) != step.enabled.end();
      EXPECT_EQ(practice.Enabled(button), enabled) << static_cast<int>(button);
    }
    EXPECT_EQ(practice.SidesEnabled(), step.stage == Stage::kAnswering);
    if (step.stage == Stage::kSolution) {
      // The solution is drawn, and the sides cannot change any more.
      EXPECT_EQ(practice.Drawing().Across(), 7);
      EXPECT_EQ(practice.Drawing().Down(), 10);
      EXPECT_EQ(practice.DrawingLine(), "7 × 10 = 70 квадрата за 70 букви");
      practice.SetAcross(3);
      EXPECT_EQ(practice.Across(), 7);
      ASSERT_TRUE(practice.Chart());
      EXPECT_TRUE(practice.Chart()->Whole());
    }
    if (step.stage == Stage::kWrong) {
      ASSERT_TRUE(practice.Chart());
      EXPECT_FALSE(practice.Chart()->Whole());  // the open task's chart gives nothing away
      practice.SetAcross(2);  // nor can the sides change before "Опитай пак"
      EXPECT_EQ(practice.Across(), 5);
    }
  }
  // The next task starts from 1 × 1, with nothing checked.
  EXPECT_EQ(practice.Current().count, 7);
  EXPECT_EQ(practice.Progress(), "Задача 2 от 5, точки: 0");
  EXPECT_EQ(practice.Drawing().Spilled(), 6);
  EXPECT_EQ(practice.DrawingLine(), "1 × 1 = 1 квадрат за 7 букви");
  EXPECT_TRUE(practice.Verdict().empty());
  EXPECT_FALSE(practice.Chart());
}

TEST(Practice, ASetScoresTwoOneOrNothingAndKeepsTheLevelsBest) {
  EXPECT_EQ(Practice::StarsFor(10), 3);
  EXPECT_EQ(Practice::StarsFor(9), 2);
  EXPECT_EQ(Practice::StarsFor(8), 2);
  EXPECT_EQ(Practice::StarsFor(7), 1);
  EXPECT_EQ(Practice::StarsFor(5), 1);
  EXPECT_EQ(Practice::StarsFor(4), 0);

  const std::vector<Task> set = {CountTask(70), CountTask(9), CountTask(13), CountTask(3),
                                 CountTask(16)};
  Practice practice = Asked(0, set);
  // Right at once (2), right at the second try (1), wrong twice (0), right at once twice (2, 2).
  const std::vector<std::vector<Sides>> answers = {
      {{8, 9}}, {{2, 5}, {3, 3}}, {{1, 1}, {1, 2}}, {{2, 2}}, {{4, 4}}};
  for (const auto& task : answers) {
    for (const Sides& sides : task) {
      if (practice.GetStage() == Stage::kWrong) practice.Press(Button::kRetry);
      Answer(practice, sides.across, sides.down);
    }
    practice.Press(Button::kNext);
  }
  EXPECT_EQ(practice.GetStage(), Stage::kDone);
  EXPECT_EQ(practice.Score(), "7 точки от 10");
  EXPECT_EQ(practice.Stars(), "★☆☆");
  EXPECT_EQ(practice.StarsSaid(), "7 точки от 10: 1 звезда от 3");
  EXPECT_EQ(practice.Best(), "Най-добър резултат на нивото: 7 точки от 10 ★☆☆");
  EXPECT_EQ(practice.FocusAfter(), Focus::kRestart);
  EXPECT_FALSE(practice.Enabled(Button::kCheck));
  EXPECT_FALSE(practice.Enabled(Button::kNext));

  // A worse set leaves the best as it was; a better one raises it. Other levels keep their own.
  practice.Practise(0, set);
  for (int task = 0; task < 5; ++task) {
    Answer(practice, 1, 1);
    practice.Press(Button::kRetry);
    Answer(practice, 1, 1);
    practice.Press(Button::kNext);
  }
  EXPECT_EQ(practice.Score(), "0 точки от 10");
  EXPECT_EQ(practice.Stars(), "☆☆☆");
  EXPECT_EQ(practice.Best(), "Най-добър резултат на нивото: 7 точки от 10 ★☆☆");
  practice.ChooseLevel(1);
  EXPECT_TRUE(practice.Best().empty());
  practice.Practise(0, set);
  const std::vector<Sides> right = {{7, 10}, {3, 3}, {4, 4}, {1, 3}, {4, 4}};
  for (const Sides& sides : right) {
    Answer(practice, sides.across, sides.down);
    practice.Press(Button::kNext);
  }
  EXPECT_EQ(practice.StarsSaid(), "10 точки от 10: 3 звезди от 3");
  EXPECT_EQ(practice.Best(), "Най-добър резултат на нивото: 10 точки от 10 ★★★");
}

TEST(Practice, AProverbIsShownWholeAndFillsTheSquaresWithItsCharacters) {
  const runtime::String proverb = runtime::FromUtf8("Няма дим без огън.");
  Practice practice = Asked(3, {ProverbTask(proverb)});
  EXPECT_EQ(practice.TaskText(),
            "Поговорката има 18 знака. Намерете правоъгълник с най-малката златна рамка, в който "
            "да се запише.");
  EXPECT_EQ(practice.Proverb(), "„Няма дим без огън.“");
  practice.SetAcross(4);
  practice.SetDown(4);
  const lessons::picture::Picture drawing = practice.Drawing();
  EXPECT_EQ(drawing.Letters(), 16);
  EXPECT_EQ(drawing.Spilled(), 2);
  EXPECT_EQ(drawing.Letter(0), "Н");
  EXPECT_EQ(drawing.Letter(17), ".");  // the last, without a square
  EXPECT_EQ(practice.DrawingLine(), "4 × 4 = 16 квадрата за 18 знака");
  EXPECT_EQ(practice.ShowInProgram().text, proverb);
  EXPECT_TRUE(practice.ShowInProgram().mantra);
}

}  // namespace
