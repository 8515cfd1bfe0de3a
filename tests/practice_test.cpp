// "Опитай сам" in the core: the tasks of each level, the least frame as the program's own search
// finds it, the verdicts and their numbers, the tries, the score and the stars.
#include "lessons/practice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "lessons/proverbs.h"
#include "plain_text.h"
#include "runtime/text.h"

namespace {

using lessons::practice::Box;
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

TEST(Tasks, TheWholeRootIsExactOnBothSidesOfEverySquare) {
  // Where double precision could round across a whole number: near the squares, and at the
  // largest int.
  for (int64_t root = 0; root <= 46340; root += root < 200 ? 1 : 97) {
    const auto square = static_cast<int>(root * root);
    EXPECT_EQ(lessons::practice::WholeRoot(square), root);
    if (square > 0) {
      EXPECT_EQ(lessons::practice::WholeRoot(square - 1), root - 1);
    }
    if (root < 46340) {
      EXPECT_EQ(lessons::practice::WholeRoot(square + static_cast<int>(2 * root)), root);
    }
  }
  EXPECT_EQ(lessons::practice::WholeRoot(2'147'483'647), 46340);
  EXPECT_EQ(lessons::practice::WholeRoot(-5), 0);
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

void Answer(Practice& practice, const std::string& across, const std::string& down) {
  if (practice.GetStage() == Stage::kWrong) practice.Press(Button::kRetry);
  practice.Type(Box::kAcross, across);
  practice.Type(Box::kDown, down);
  practice.Press(Button::kCheck);
}

void Answer(Practice& practice, int across, int down) {
  Answer(practice, std::to_string(across), std::to_string(down));
}

Task Proverb(const char* text) {
  return ProverbTask(runtime::FromUtf8(text));
}

int Filled(const lessons::chart::Scene& scene, window::layout::Rgb colour) {
  return static_cast<int>(std::count_if(scene.fills.begin(), scene.fills.end(),
                                        [&](const auto& fill) { return fill.colour == colour; }));
}

// Each kind of sentence, with its numbers and its nouns counted right: one letter and many, one
// square and many, one character and 21, one other rectangle with the least frame, two and four.
TEST(Practice, EachVerdictSaysWhyWithItsNumbersCountedRight) {
  const struct {
    int level;
    Task task;
    std::vector<Sides> answers;
    std::string verdict;
    std::string line;  // under the drawing
    Stage stage;
  } cases[] = {
      {0,
       CountTask(1),
       {{1, 1}},
       "Вярно! Златната рамка около 1 × 1 е от 8 квадратчета – най-малката възможна за 1 буква.",
       "1 × 1 = 1 квадратче за 1 буква",
       Stage::kRight},
      {0,
       CountTask(2),
       {{1, 1}},
       "Буквите не се побират: 1 × 1 = 1 квадратче, а буквите са 2. Без квадратче остава 1 буква. "
       "Подсказка: произведението на страните трябва да е поне 2.",
       "1 × 1 = 1 квадратче, а буквите са 2",
       Stage::kWrong},
      {0,
       CountTask(2),
       {{2, 2}},
       "Буквите се побират, но златната рамка около 2 × 2 е 2 × 2 + 2 × 2 + 4 = 12 квадратчета, а "
       "има и по-малка. Подсказка: страните на правоъгълника с най-малка рамка са близки една до "
       "друга и до √2 ≈ 1,41: числото, което, умножено по себе си, дава 2; 1 × 1 = 1, 2 × 2 = 4.",
       "2 × 2 = 4 квадратчета: 2 букви и 2 празни квадратчета",
       Stage::kWrong},
      {0,
       CountTask(5),
       {{2, 3}},
       "Вярно! Златната рамка около 2 × 3 е от 14 квадратчета – най-малката възможна за 5 букви.",
       "2 × 3 = 6 квадратчета: 5 букви и 1 празно квадратче",
       Stage::kRight},
      {1,
       CountTask(21),
       {{4, 6}},
       "Вярно! Златната рамка около 4 × 6 е от 24 квадратчета – най-малката възможна за 21 букви. "
       "Същата рамка имат и 3 × 7, и 5 × 5.",
       "4 × 6 = 24 квадратчета: 21 букви и 3 празни квадратчета",
       Stage::kRight},
      {1,
       CountTask(70),
       {{5, 10}},
       "Буквите не се побират: 5 × 10 = 50 квадратчета, а буквите са 70. Без квадратче остават 20 "
       "букви. Подсказка: произведението на страните трябва да е поне 70.",
       "5 × 10 = 50 квадратчета, а буквите са 70",
       Stage::kWrong},
      {1,
       CountTask(70),
       {{5, 14}},
       "Буквите се побират, но златната рамка около 5 × 14 е 2 × 5 + 2 × 14 + 4 = 42 квадратчета, "
       "а има и по-малка. Подсказка: страните на правоъгълника с най-малка рамка са близки една до "
       "друга и до √70 ≈ 8,37: числото, което, умножено по себе си, дава 70; 8 × 8 = 64, 9 × 9 = "
       "81.",
       "5 × 14 = 70 квадратчета за 70 букви",
       Stage::kWrong},
      {1,
       CountTask(70),
       {{9, 8}},  // counts as 8 × 9
       "Вярно! Златната рамка около 9 × 8 е от 38 квадратчета – най-малката възможна за 70 букви. "
       "Същата рамка има и 7 × 10.",
       "9 × 8 = 72 квадратчета: 70 букви и 2 празни квадратчета",
       Stage::kRight},
      {1,
       CountTask(70),
       {{5, 14}, {6, 12}},  // wrong twice: no hint, and the solution drawn
       "Буквите се побират, но златната рамка около 6 × 12 е 2 × 6 + 2 × 12 + 4 = 40 квадратчета. "
       "Твоята рамка е с 2 квадратчета по-голяма от най-малката (38). Решение: 7 × 10, златна "
       "рамка от 38 квадратчета. Същата рамка има и 8 × 9.",
       "7 × 10 = 70 квадратчета за 70 букви",
       Stage::kSolution},
      {1,
       CountTask(72),
       {{8, 9}},
       "Вярно! Златната рамка около 8 × 9 е от 38 квадратчета – най-малката възможна за 72 букви.",
       "8 × 9 = 72 квадратчета за 72 букви",
       Stage::kRight},
      {0,
       CountTask(49),
       {{6, 9}, {7, 7}},  // right at the second try, no other rectangle
       "Вярно! Златната рамка около 7 × 7 е от 32 квадратчета – най-малката възможна за 49 букви.",
       "7 × 7 = 49 квадратчета за 49 букви",
       Stage::kRight},
      {2,
       CountTask(442),
       {{26, 17}},
       "Вярно! Златната рамка около 26 × 17 е от 90 квадратчета – най-малката възможна за 442 "
       "букви. Същата рамка имат и 18 × 25, и 19 × 24, и 20 × 23, и 21 × 22.",
       "26 × 17 = 442 квадратчета за 442 букви",
       Stage::kRight},
      {3,
       Proverb("Нов ден – нов късмет."),
       {{4, 5}},
       "Знаците не се побират: 4 × 5 = 20 квадратчета, а знаците са 21. Без квадратче остава 1 "
       "знак. "
       "Подсказка: произведението на страните трябва да е поне 21.",
       "4 × 5 = 20 квадратчета, а знаците са 21",
       Stage::kWrong},
      {3,
       Proverb("Много баби – хилаво бебе."),
       {{4, 5}, {2, 2}},
       "Знаците не се побират: 2 × 2 = 4 квадратчета, а знаците са 25. Без квадратче остават 21 "
       "знака. "
       "Решение: 5 × 5, златна рамка от 24 квадратчета.",
       "5 × 5 = 25 квадратчета за 25 знака",
       Stage::kSolution},
      {3,
       Proverb("Много баби – хилаво бебе."),
       {{1, 25}},  // 25 is a perfect square: the hint names no side
       "Знаците се побират, но златната рамка около 1 × 25 е 2 × 1 + 2 × 25 + 4 = 56 квадратчета, "
       "а има и по-малка. Подсказка: избери страни, които са колкото може по-близки една до друга, "
       "но така, че всички знаци да се поберат.",
       "1 × 25 = 25 квадратчета за 25 знака",
       Stage::kWrong},
      {3,
       Proverb("Нов ден – нов късмет."),
       {{3, 8}},
       // 5 × 5 has the least frame: the hint names only the square under 21.
       "Знаците се побират, но златната рамка около 3 × 8 е 2 × 3 + 2 × 8 + 4 = 26 квадратчета, а "
       "има и по-малка. Подсказка: страните на правоъгълника с най-малка рамка са близки една до "
       "друга и до √21 ≈ 4,58: числото, което, умножено по себе си, дава 21; 4 × 4 = 16.",
       "3 × 8 = 24 квадратчета: 21 знака и 3 празни квадратчета",
       Stage::kWrong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.verdict);
    Practice practice = Asked(c.level, {c.task});
    for (const Sides& sides : c.answers)
      Answer(practice, sides.across, sides.down);
    EXPECT_EQ(Spaced(practice.Verdict()), c.verdict);
    EXPECT_EQ(Spaced(practice.DrawingLine()), c.line);
    EXPECT_EQ(practice.GetStage(), c.stage);
  }
}

TEST(Practice, TheTaskSaysThatEveryLetterNeedsASquare) {
  const struct {
    int level;
    Task task;
    const char* said;
  } cases[] = {
      {0, CountTask(1),
       "Мантрата има 1 буква. Намери правоъгълник, в който тя се побира, с най-малка златна "
       "рамка."},
      {1, CountTask(70),
       "Мантрата има 70 букви, по една в квадратче. Намери правоъгълник, в който се побират "
       "всички, с най-малка златна рамка."},
      {3, Proverb("Нов ден – нов късмет."),
       "Пословицата има 21 знака: букви, интервали и препинателни знаци, по един в квадратче. "
       "Намери правоъгълник, в който се побират всички, с най-малка златна рамка."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Asked(c.level, {c.task}).TaskText(), c.said);
}

// A box the practice cannot read is not judged: no try is used, the box keeps what was typed,
// nothing is drawn, and one sentence says what the boxes take.
TEST(Practice, WhatTheBoxesCannotReadIsNotJudgedAndUsesNoTry) {
  for (const std::string typed :
       {"", " ", "0", "-3", "12", "22", "2,5", "2.5", "3a", "абв", "+3", "99999999999999"}) {
    SCOPED_TRACE(typed);
    for (const Box box : {Box::kAcross, Box::kDown}) {
      Practice practice = Asked(0, {CountTask(11)});
      practice.Type(Box::kAcross, "3");
      practice.Type(Box::kDown, "3");
      practice.Type(box, typed);
      practice.Press(Button::kCheck);
      EXPECT_EQ(practice.Verdict(), "Страните са цели числа от 1 до 11.");
      EXPECT_EQ(practice.DrawingLine(), "Страните са цели числа от 1 до 11.");
      EXPECT_FALSE(practice.Drawing().HasGrid());
      EXPECT_EQ(practice.Typed(box), typed);
      EXPECT_EQ(practice.GetStage(), Stage::kAnswering);
      EXPECT_FALSE(practice.Chart());  // nothing tried
      EXPECT_EQ(practice.Checks(), 1);
      // The next answer is the first try still: a hint, and the full score when right.
      Answer(practice, 3, 3);
      EXPECT_EQ(practice.GetStage(), Stage::kWrong);
      EXPECT_NE(practice.Verdict().find("Подсказка"), std::string::npos);
      Answer(practice, 3, 4);
      EXPECT_EQ(practice.Progress(), "Задача 1 от 5, точки: 1");
    }
  }
  // Blanks around a number are no matter; a count of one takes only 1.
  Practice practice = Asked(0, {CountTask(70)});
  Answer(practice, " 7 ", "10 ");
  EXPECT_EQ(practice.GetStage(), Stage::kRight);
  practice = Asked(0, {CountTask(1)});
  Answer(practice, "2", "1");
  EXPECT_EQ(practice.Verdict(), "Тук страните могат да са само 1.");
}

TEST(Practice, TheArrowKeysStepABoxWithinWhatItTakes) {
  Practice practice = Asked(0, {CountTask(11)});
  const struct {
    const char* typed;
    int by;
    const char* stepped;
  } cases[] = {
      {"5", 1, "6"},    {"5", -1, "4"},  {"1", -1, "1"}, {"11", 1, "11"}, {"22", 1, "11"},
      {"22", -1, "11"}, {"abc", 1, "1"}, {"", -1, "1"},  {"0", 1, "1"},
  };
  for (const auto& c : cases) {
    practice.Type(Box::kDown, c.typed);
    practice.Step(Box::kDown, c.by);
    EXPECT_EQ(practice.Typed(Box::kDown), c.stepped) << c.typed << " " << c.by;
  }
  // Not while the boxes are not in use.
  Answer(practice, 1, 1);
  practice.Step(Box::kDown, 1);
  EXPECT_EQ(practice.Typed(Box::kDown), "1");
}

// For a perfect square the hint says only that the sides should be close: no number at all, so
// no side of the least rectangle. Otherwise it names the whole squares around N.
TEST(Practice, TheHintNeverNamesTheLeastRectangle) {
  for (int root = 2; root * root <= 1000; ++root) {
    const int count = root * root;
    SCOPED_TRACE(count);
    Practice practice = Asked(2, {CountTask(count)});
    Answer(practice, 1, count);
    const std::string verdict = practice.Verdict();
    const size_t hint = verdict.find("Подсказка:");
    ASSERT_NE(hint, std::string::npos);
    EXPECT_EQ(verdict.find_first_of("0123456789", hint), std::string::npos) << verdict;
    EXPECT_EQ(verdict.find("√", hint), std::string::npos);
  }
  // The squares around N, but not the one above it where that has the least frame: 32 × 32 for
  // 1000.
  Practice practice = Asked(2, {CountTask(1000)});
  Answer(practice, 10, 100);
  EXPECT_NE(Spaced(practice.Verdict())
                .find("√1000 ≈ 31,62: числото, което, умножено по себе си, дава 1000; 31 × 31 = "
                      "961."),
            std::string::npos);
  practice = Asked(2, {CountTask(990)});
  Answer(practice, 10, 100);
  EXPECT_NE(Spaced(practice.Verdict()).find("; 31 × 31 = 961, 32 × 32 = 1024."), std::string::npos);
}

// The numbers a text says: whole numbers, and decimals such as "6,16" as one.
std::vector<std::string> NumbersIn(const std::string& text) {
  std::vector<std::string> numbers;
  std::string number;
  for (size_t at = 0; at <= text.size(); ++at) {
    const char c = at < text.size() ? text[at] : ' ';
    const bool digit = c >= '0' && c <= '9';
    const bool decimal = c == ',' && !number.empty() && at + 1 < text.size() &&
                         text[at + 1] >= '0' && text[at + 1] <= '9';
    if (digit || decimal) {
      number += c;
    } else if (!number.empty()) {
      numbers.push_back(number);
      number.clear();
    }
  }
  return numbers;
}

// Whether a text, while the task is open, gives away its answer: a rectangle with the least frame,
// as a product or in a frame's formula, or the least frame itself where no number of the pupil's
// answer, of N or of the squares around it is that number too.
std::string GivesAway(const Task& task, const std::vector<Sides>& answers,
                      const std::string& text) {
  const std::string plain = Spaced(text);
  for (const Sides& best : task.Best()) {
    for (const Sides& shown : {best, Sides{best.down, best.across}}) {
      // The pupil's own rectangle, being typed, is the pupil's to read.
      if (std::find(answers.begin(), answers.end(), shown) != answers.end()) continue;
      const int a = shown.across;
      const int b = shown.down;
      const std::string sides = std::to_string(a) + " × " + std::to_string(b);
      const std::string formula = "2 × " + std::to_string(a) + " + 2 × " + std::to_string(b);
      // A rectangle said as a product, but not a term of a frame's formula, "2 × 3 + 2 × 4 + 4",
      // whose terms are products too; and the formula of a least frame.
      const std::string spaced = " " + plain + " ";
      for (size_t at = spaced.find(" " + sides); at != std::string::npos;
           at = spaced.find(" " + sides, at + 1)) {
        const std::string after = spaced.substr(at + 1 + sides.size(), 2);
        const bool term = after == " +" || (at >= 1 && spaced.compare(at - 1, 1, "+") == 0);
        const bool whole = after[0] == ' ' || after[0] == '.' || after[0] == ',';
        if (whole && !term) return sides;
      }
      if (plain.find(formula + " + 4") != std::string::npos) return formula;
    }
  }
  const int64_t n = task.count;
  const int64_t root = lessons::practice::WholeRoot(task.count);
  std::set<int64_t> explained = {n, 2, 4, root, root * root, root + 1, (root + 1) * (root + 1)};
  for (const Sides& answer : answers) {  // the pupil's, checked or being typed
    const int64_t area = int64_t{answer.across} * answer.down;
    explained.insert({answer.across, answer.down, area, area > n ? area - n : n - area,
                      2 * int64_t{answer.across} + 2 * int64_t{answer.down} + 4});
  }
  const std::string least = std::to_string(task.Least());
  for (const std::string& number : NumbersIn(plain)) {
    if (number == least && explained.count(task.Least()) == 0) return least;
  }
  return {};
}

// Every level-1 to level-4 task of a few sets, answered wrong in many ways: until the task is
// over, nothing the page says or draws tells its least rectangle or its least frame. The chart
// draws no bar, no gold, and no number that is not a tick or a side of its axes or the pupil's.
TEST(Practice, NothingOfTheAnswerIsReadableBeforeTheTaskIsOver) {
  int checked = 0;
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    std::mt19937 random(seed);
    for (int level = 0; level < 4; ++level) {
      for (const Task& task : lessons::practice::TaskSet(static_cast<size_t>(level), random)) {
        const int n = task.count;
        const int root = lessons::practice::WholeRoot(n);
        const int narrow = std::max(root - 2, 1);
        const std::vector<Sides> answers = {{1, 1},
                                            {1, n},
                                            {2, n},
                                            {root, root},
                                            {root, root + 2},
                                            {root + 1, root + 2},
                                            {narrow, (n + narrow - 1) / narrow + 1},
                                            {std::min(3, n), n}};
        for (const Sides& first : answers) {
          Practice practice = Asked(level, {task});
          Answer(practice, first.across, first.down);
          if (practice.GetStage() != Stage::kWrong) continue;
          SCOPED_TRACE("level " + std::to_string(level + 1) + ", " + std::to_string(n) + ", " +
                       std::to_string(first.across) + " × " + std::to_string(first.down));
          practice.Press(Button::kRetry);  // and the second answer typed, not yet checked
          for (const Sides& typed : {first, Sides{1, first.down}}) {
            practice.Type(Box::kAcross, std::to_string(typed.across));
            std::vector<std::string> texts = {practice.TaskText(), practice.Verdict(),
                                              practice.DrawingLine(), practice.Drawing().Words()};
            const std::optional<lessons::chart::Chart> chart = practice.Chart();
            ASSERT_TRUE(chart);
            EXPECT_TRUE(chart->Bars().empty());
            texts.push_back(chart->Sentence());
            texts.push_back(chart->Description());
            const lessons::chart::Scene scene = lessons::chart::Paint(*chart, 440, 260);
            EXPECT_EQ(Filled(scene, lessons::chart::kLeastColour), 0);
            for (const auto& painted : scene.texts) {
              const bool tick = painted.rect.x + painted.rect.width <= scene.plot.x;
              const bool side = painted.rect.y >= scene.plot.y + scene.plot.height;
              if (!tick && !side) texts.push_back(painted.text);
            }
            for (const std::string& text : texts) {
              ++checked;
              EXPECT_EQ(GivesAway(task, {first, typed}, text), "") << Spaced(text);
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 2000);
}

TEST(Practice, TwoTriesThenTheSolutionThenTheNextTask) {
  Practice practice = Asked(0, {CountTask(70), CountTask(7)});
  EXPECT_EQ(practice.Progress(), "Задача 1 от 5, точки: 0");
  EXPECT_TRUE(practice.SidesEnabled());
  EXPECT_FALSE(practice.Chart());  // no chart before the first check
  EXPECT_EQ(practice.Largest(Box::kAcross), 70);
  EXPECT_EQ(practice.Typed(Box::kAcross), "1");

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
  practice.Type(Box::kAcross, "5");
  practice.Type(Box::kDown, "14");
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
      // The solution is drawn and in the boxes, and the sides cannot change any more.
      EXPECT_EQ(practice.Drawing().Across(), 7);
      EXPECT_EQ(practice.Drawing().Down(), 10);
      EXPECT_EQ(practice.Typed(Box::kAcross), "7");
      practice.Type(Box::kAcross, "3");
      EXPECT_EQ(practice.Typed(Box::kAcross), "7");
      ASSERT_TRUE(practice.Chart());
      EXPECT_TRUE(practice.Chart()->Whole());
    }
    if (step.stage == Stage::kWrong) {
      ASSERT_TRUE(practice.Chart());
      EXPECT_FALSE(practice.Chart()->Whole());  // the open task's chart gives nothing away
      practice.Type(Box::kAcross, "2");  // nor can the sides change before "Опитай пак"
      EXPECT_EQ(practice.Typed(Box::kAcross), "5");
    }
  }
  // The next task starts from 1 × 1, with nothing checked.
  EXPECT_EQ(practice.Current().count, 7);
  EXPECT_EQ(practice.Progress(), "Задача 2 от 5, точки: 0");
  EXPECT_EQ(practice.Drawing().Spilled(), 6);
  EXPECT_EQ(Spaced(practice.DrawingLine()), "1 × 1 = 1 квадратче, а буквите са 7");
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
    for (const Sides& sides : task)
      Answer(practice, sides.across, sides.down);
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

// After the fifth task the last task's verdict, boxes and drawing go: the end says the score and
// what to do next, and only "Отначало" is left beside the level.
TEST(Practice, TheEndOfASetSaysTheScoreAndWhatToDoNext) {
  Practice practice =
      Asked(0, {CountTask(4), CountTask(9), CountTask(16), CountTask(6), CountTask(12)});
  for (const Sides& sides : std::vector<Sides>{{2, 2}, {3, 3}, {4, 4}, {2, 3}, {1, 1}}) {
    Answer(practice, sides.across, sides.down);
    if (practice.GetStage() == Stage::kWrong) Answer(practice, 1, 1);
    practice.Press(Button::kNext);
  }
  ASSERT_EQ(practice.GetStage(), Stage::kDone);
  EXPECT_EQ(practice.TaskText(),
            "Петте задачи свършиха: 8 точки от 10. За пет нови задачи натисни „Отначало“ или "
            "избери друго ниво.");
  EXPECT_TRUE(practice.Verdict().empty());
  EXPECT_TRUE(practice.Progress().empty());
  EXPECT_FALSE(practice.BoxesShown());
  EXPECT_FALSE(practice.Drawing().HasGrid());
  EXPECT_TRUE(practice.DrawingLine().empty());
  EXPECT_FALSE(practice.Chart());
  for (size_t button = 0; button < lessons::practice::kButtonNames.size(); ++button) {
    EXPECT_EQ(practice.Shown(static_cast<Button>(button)),
              static_cast<Button>(button) == Button::kRestart);
  }
  practice.Press(Button::kRestart);
  EXPECT_TRUE(practice.BoxesShown());
  EXPECT_TRUE(practice.Shown(Button::kCheck));
}

// The words of every sentence the practice says, as the counts of its levels and many answers
// give them: a noun after a number agrees with it, and a formula keeps to one line.
TEST(Practice, EveryCountedNounAgreesAndNoFormulaBreaks) {
  const std::set<std::string> singular = {"буква", "квадрат", "квадратче", "знак",
                                          "точка", "звезда",  "ред",       "празен"};
  const std::set<std::string> counted = {"букви", "квадрата", "квадратчета", "знака",
                                         "точки", "звезди",   "реда",        "празни"};
  int sentences = 0;
  const auto check = [&](const std::string& sentence) {
    ++sentences;
    // Neither side of a formula's sign is a plain blank.
    for (const std::string sign : {" ×", "× ", " +", "+ ", " =", "= ", " ≈", "≈ ", " : "})
      EXPECT_EQ(sentence.find(sign), std::string::npos) << sentence;
    std::vector<std::string> words;
    std::string word;
    for (const char c : Spaced(sentence) + ' ') {
      if (c != ' ') {
        word += c;
      } else if (!word.empty()) {
        words.push_back(word);
        word.clear();
      }
    }
    for (size_t i = 0; i + 1 < words.size(); ++i) {
      if (words[i].find_first_not_of("0123456789") != std::string::npos) continue;
      std::string noun = words[i + 1];
      while (!noun.empty() && std::string(".,:;)").find(noun.back()) != std::string::npos)
        noun.pop_back();
      if (words[i] == "1") {
        EXPECT_EQ(counted.count(noun), 0u) << sentence;
      } else {
        EXPECT_EQ(singular.count(noun), 0u) << sentence;
      }
    }
  };
  std::vector<Task> tasks;
  for (int count = 1; count <= 110; ++count)
    tasks.push_back(CountTask(count));
  for (const char* proverb : lessons::proverbs::kProverbs)
    tasks.push_back(Proverb(proverb));
  for (const Task& task : tasks) {
    const int level = task.proverb.empty() ? 1 : 3;
    const int root = static_cast<int>(std::sqrt(task.count));
    for (const Sides& sides : std::vector<Sides>{
             {1, 1}, {root, root}, {root, root + 1}, {1, task.count}, {root + 1, root + 1}}) {
      Practice practice = Asked(level, {task});
      check(practice.TaskText());
      Answer(practice, sides.across, sides.down);
      check(practice.Verdict());
      check(practice.DrawingLine());
      check(practice.Drawing().Words());
      if (practice.Chart()) check(practice.Chart()->Description());
      Answer(practice, task.Solution().across, task.Solution().down);
      check(practice.Verdict());
      if (practice.Chart()) check(practice.Chart()->Description());
    }
  }
  EXPECT_GT(sentences, 4000);
}

// The fourth level counts a proverb's characters, blanks and punctuation too: none of its words
// says letters, not even the chart's.
TEST(Practice, AProverbsWordsSayCharactersNeverLetters) {
  for (const char* text : lessons::proverbs::kProverbs) {
    SCOPED_TRACE(text);
    const Task task = Proverb(text);
    std::vector<std::string> said;
    for (const Sides& sides : std::vector<Sides>{{1, 1}, {2, task.count}, task.Solution()}) {
      Practice practice = Asked(3, {task});
      said.push_back(practice.TaskText());
      practice.Type(Box::kAcross, std::to_string(sides.across));
      practice.Type(Box::kDown, std::to_string(std::min(sides.down, task.count)));
      said.push_back(practice.DrawingLine());
      said.push_back(practice.Drawing().Words());
      practice.Press(Button::kCheck);
      Answer(practice, 1, 2);  // and a second try: the solution
      for (const auto& chart : {practice.Chart()}) {
        if (!chart) continue;
        said.push_back(chart->Description());
        for (const auto& painted : lessons::chart::Paint(*chart, 440, 260).texts)
          said.push_back(painted.text);
      }
      said.push_back(practice.Verdict());
      said.push_back(practice.DrawingLine());
    }
    // The task says once what the characters are: letters, blanks and punctuation.
    const std::string kinds = "букви, интервали и препинателни знаци";
    EXPECT_NE(said[0].find(kinds), std::string::npos);
    for (std::string sentence : said) {
      if (const size_t at = sentence.find(kinds); at != std::string::npos)
        sentence.erase(at, kinds.size());
      EXPECT_EQ(sentence.find("букв"), std::string::npos) << sentence;
    }
  }
}

TEST(Practice, AProverbIsShownWholeAndFillsTheSquaresWithItsCharacters) {
  const runtime::String proverb = runtime::FromUtf8("Няма дим без огън.");
  Practice practice = Asked(3, {ProverbTask(proverb)});
  EXPECT_EQ(practice.Proverb(), "„Няма дим без огън.“");
  practice.Type(Box::kAcross, "4");
  practice.Type(Box::kDown, "4");
  const lessons::picture::Picture drawing = practice.Drawing();
  EXPECT_EQ(drawing.Letters(), 16);
  EXPECT_EQ(drawing.Spilled(), 2);
  EXPECT_EQ(drawing.Letter(0), "Н");
  EXPECT_EQ(drawing.Letter(17), ".");  // the last, without a square
  EXPECT_EQ(Spaced(drawing.Words()),
            "4 × 4 = 16 квадратчета, 16 знака, 2 знака без квадратче, рамка от 20 квадратчета");
  EXPECT_EQ(Spaced(practice.DrawingLine()), "4 × 4 = 16 квадратчета, а знаците са 18");
  EXPECT_EQ(practice.ShowInProgram().text, proverb);
  EXPECT_TRUE(practice.ShowInProgram().mantra);
}

}  // namespace
