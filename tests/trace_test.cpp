// "Ниво 5: като програмата" in the core: the rows the program lists accepted in their order, each
// kind of wrong row explained by the rule it breaks, two tries, "Няма повече редове" too early,
// a row after the end, and the score.
#include <gtest/gtest.h>

#include <set>

#include "lessons/practice.h"
#include "lessons/trace.h"
#include "plain_text.h"

namespace {

using lessons::practice::Box;
using lessons::practice::Button;
using lessons::practice::CountTask;
using lessons::practice::JudgeEnd;
using lessons::practice::JudgeRow;
using lessons::practice::Practice;
using lessons::practice::Row;
using lessons::practice::Rule;
using lessons::practice::Stage;

TEST(Trace, TheProgramsOwnRowsAreRightInTheirOrderAndTheEndAfterThem) {
  for (const int count : {7, 9, 13, 50, 70, 100}) {
    const auto task = CountTask(count);
    for (size_t listed = 0; listed < task.rows.size(); ++listed) {
      EXPECT_EQ(JudgeRow(task, listed, task.rows[listed]).rule, Rule::kRight) << count;
      EXPECT_EQ(JudgeEnd(task, listed).rule, Rule::kRowsRemain) << count;
      // The same row again, once it is given, is not the next one.
      if (listed > 0) {
        EXPECT_NE(JudgeRow(task, listed, task.rows[listed - 1]).rule, Rule::kRight);
      }
    }
    EXPECT_EQ(JudgeEnd(task, task.rows.size()).rule, Rule::kRight) << count;
  }
  EXPECT_EQ(Spaced(JudgeRow(CountTask(13), 3, {4, 4, 20}).sentence),
            "Вярно: програмата записва 4 × 4, рамка 20. Затварящият квадрат се записва и когато "
            "рамката му е равна на BestFrame (най-малката рамка досега).");
  EXPECT_EQ(Spaced(JudgeEnd(CountTask(70), 4).sentence),
            "Вярно: това са всички редове – затварящият квадрат 9 × 9 има рамка 40, по-голяма от "
            "BestFrame (най-малката рамка досега) = 38, затова не се записва.");
  EXPECT_EQ(Spaced(JudgeEnd(CountTask(9), 2).sentence),
            "Вярно: това са всички редове – 9 = 3 × 3 е точен квадрат и търсенето свършва след "
            "делителите на 9.");
}

TEST(Trace, EachWrongRowIsExplainedByTheFirstRuleItBreaks) {
  const struct {
    int count;
    size_t listed;
    Row row;
    Rule rule;
    const char* sentence;
  } cases[] = {
      {70,
       3,
       {7, 10, 36},
       Rule::kFrame,
       "Рамката около 7 × 10 е 2 × 7 + 2 × 10 + 4 = 38, а не 36."},
      // The school's perimeter, 2a + 2b, is four squares short: the frame's corners.
      {92,
       0,
       {1, 92, 186},
       Rule::kFrame,
       "Рамката около 1 × 92 е 2 × 1 + 2 × 92 + 4 = 190, а не 186. 186 = 2 × 1 + 2 × 92 е "
       "обиколката на правоъгълника, а рамката има и 4 ъглови квадратчета."},
      {70,
       3,
       {6, 11, 38},
       Rule::kHolds,
       "6 × 11 = 66 квадратчета, а буквите са 70: в 6 × 11 се побират само 66 от 70 букви, а "
       "програмата записва само правоъгълници, в които се побират всички."},
      // That the rectangle holds the letters and comes here, before its frame: 1 × 5 for 31, with
      // the school's perimeter of it.
      {31,
       0,
       {1, 5, 12},
       Rule::kHolds,
       "1 × 5 = 5 квадратчета, а буквите са 31: в 1 × 5 се побират само 5 от 31 букви, а "
       "програмата записва само правоъгълници, в които се побират всички."},
      {70,
       3,
       {8, 9, 36},
       Rule::kOrder,
       "Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
       "делителите i (страните по абсцисата) по ред: преди 8 × 9 тя записва друг ред."},
      {70,
       0,
       {2, 35, 78},
       Rule::kStripFirst,
       "Търсенето винаги започва с най-тясната лента: страна 1."},
      {70,
       2,
       {1, 72, 150},
       Rule::kStripOnce,
       "Страна 1 по абсцисата има само лентата 1 × 70, а тя е само първият ред: делителите i "
       "(страните по абсцисата), които програмата пробва, започват от 2."},
      {70,
       3,
       {10, 7, 38},
       Rule::kRootSide,
       "Програмата пробва делителите i (страните по абсцисата) само от 2 до RootSide (цялата част "
       "на √70) = 8, затова страната по абсцисата е най-много 8, освен в затварящия квадрат 9 × "
       "9."},
      {70,
       3,
       {8, 11, 42},
       Rule::kPastLastArea,
       "Площта 8 × 11 = 88 е след последната, която програмата разглежда: 9 × 9 = 81."},
      {49,
       1,
       {7, 8, 34},
       Rule::kPastLastArea,
       "49 е точен квадрат: програмата разглежда само площта 49, а 7 × 8 = 56."},
      {70,
       3,
       {3, 24, 58},
       Rule::kBestFrame,
       "Рамката около 3 × 24 е 58 и не е по-малка от BestFrame (най-малката рамка досега) = 42, "
       "затова програмата не записва 3 × 24."},
      {70,
       3,
       {3, 24, 60},
       Rule::kBestFrame,
       "Рамката около 3 × 24 е 58 и не е по-малка от BestFrame (най-малката рамка досега) = 42, "
       "затова програмата не записва 3 × 24."},
      {70,
       4,
       {9, 9, 40},
       Rule::kEnded,
       "Търсенето е свършило: затварящият квадрат 9 × 9 има рамка 40, по-голяма от BestFrame "
       "(най-малката рамка досега) = 38, затова не се записва."},
      {70,
       3,
       {9, 9, 40},
       Rule::kOrder,
       "Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
       "делителите i (страните по абсцисата) по ред: преди 9 × 9 тя записва друг ред."},
      {70,
       3,
       {8, 9, 38},
       Rule::kOrder,
       "Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
       "делителите i (страните по абсцисата) по ред: преди 8 × 9 тя записва друг ред."},
      {70,
       3,
       {6, 12, 40},
       Rule::kOrder,
       "Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
       "делителите i (страните по абсцисата) по ред: преди 6 × 12 тя записва друг ред."},
      {7,
       2,
       {3, 3, 16},
       Rule::kRight,
       "Вярно: програмата записва 3 × 3, рамка 16. Затварящият квадрат се записва и когато "
       "рамката му е равна на BestFrame (най-малката рамка досега)."},
      {8,
       3,
       {3, 3, 16},
       Rule::kEnded,
       "Търсенето е свършило: последният ред е затварящият квадрат 3 × 3, с рамка 16."},
      {9,
       2,
       {3, 3, 16},
       Rule::kEnded,
       "Търсенето е свършило: 9 = 3 × 3 е точен квадрат и търсенето свършва след делителите на 9."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + " after " + std::to_string(c.listed));
    const auto judged = JudgeRow(CountTask(c.count), c.listed, c.row);
    EXPECT_EQ(judged.rule, c.rule);
    EXPECT_EQ(Spaced(judged.sentence), c.sentence);
  }
  // The closing square before the rows that come before it.
  EXPECT_EQ(JudgeRow(CountTask(8), 1, {3, 3, 16}).rule, Rule::kOrder);
  EXPECT_EQ(JudgeEnd(CountTask(70), 1).sentence, "Програмата записва още 3 реда.");
  EXPECT_EQ(JudgeEnd(CountTask(70), 3).sentence, "Програмата записва още 1 ред.");
}

// A practice of the fifth level asked 70 and then 7.
Practice Tracing() {
  Practice practice(1);
  practice.Practise(4, {CountTask(70), CountTask(7)});
  return practice;
}

void Give(Practice& practice, Row row) {
  if (practice.GetStage() == Stage::kWrong) practice.Press(Button::kRetry);
  practice.Type(Box::kAcross, std::to_string(row.across));
  practice.Type(Box::kDown, std::to_string(row.down));
  practice.Type(Box::kFrame, std::to_string(row.frame));
  practice.Press(Button::kCheck);
}

TEST(Trace, TwoTriesARowAddedTheEndAndTheScore) {
  Practice practice = Tracing();
  EXPECT_TRUE(practice.Tracing());
  EXPECT_TRUE(practice.Shown(Button::kNoMore));
  EXPECT_FALSE(practice.Chart());
  EXPECT_EQ(practice.TaskText(),
            "Кои редове ще запише програмата за 70 букви? Въведи ги един по един: страните и "
            "рамката на всеки ред. Лентата е правоъгълник със страна 1 по абсцисата, а "
            "затварящият квадрат е най-малкият квадрат, в който се побират всички букви.");
  // A wrong first row: the first try names the rule, the second the row itself.
  Give(practice, {2, 35, 78});
  EXPECT_EQ(practice.Verdict(), "Търсенето винаги започва с най-тясната лента: страна 1.");
  Give(practice, {7, 10, 38});
  EXPECT_EQ(Spaced(practice.Verdict()),
            "Търсенето винаги започва с най-тясната лента: страна 1. Това е втората грешка за "
            "този ред. Следващият ред на програмата е 1 × 70, рамка 146: добавих го. Редът 7 × 10 "
            "идва по-късно.");
  Give(practice, {2, 35, 78});
  EXPECT_EQ(practice.Listed(), (std::vector<Row>{{1, 70, 146}, {2, 35, 78}}));
  EXPECT_EQ(Spaced(practice.Verdict()), "Вярно: програмата записва 2 × 35, рамка 78.");
  EXPECT_EQ(practice.FocusAfter(), lessons::practice::Focus::kAcross);

  // "Няма повече редове" too early, then a wrong row: the row is shown and added.
  practice.Press(Button::kNoMore);
  EXPECT_EQ(practice.GetStage(), Stage::kWrong);
  EXPECT_EQ(practice.Verdict(), "Програмата записва още 2 реда.");
  Give(practice, {6, 12, 40});
  EXPECT_EQ(practice.GetStage(), Stage::kAnswering);
  EXPECT_EQ(Spaced(practice.Verdict()),
            "Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
            "делителите i (страните по абсцисата) по ред: преди 6 × 12 тя записва друг ред. Това е "
            "втората грешка за този ред. Следващият ред на програмата е 5 × 14, рамка 42: добавих "
            "го.");
  EXPECT_EQ(practice.Listed().size(), 3u);
  Give(practice, {7, 10, 38});
  // A row after the end, twice: the task ends where the search has ended.
  Give(practice, {9, 9, 40});
  EXPECT_EQ(practice.GetStage(), Stage::kWrong);
  Give(practice, {8, 9, 38});
  EXPECT_EQ(practice.GetStage(), Stage::kSolution);
  EXPECT_EQ(practice.Progress(), "Задача 1 от 5, точки: 0");  // five wrong answers
  EXPECT_TRUE(practice.Enabled(Button::kShowProgram));
  EXPECT_EQ(practice.ShowInProgram().row, 0);  // where the pupil first went wrong
  EXPECT_FALSE(practice.ShowInProgram().mantra);

  // 7 with one wrong answer: a point.
  practice.Press(Button::kNext);
  EXPECT_TRUE(practice.Listed().empty());
  Give(practice, {1, 7, 20});
  Give(practice, {3, 3, 16});  // the closing square before 2 × 4
  EXPECT_EQ(practice.GetStage(), Stage::kWrong);
  Give(practice, {2, 4, 16});
  Give(practice, {3, 3, 16});
  practice.Press(Button::kNoMore);
  EXPECT_EQ(practice.GetStage(), Stage::kRight);
  EXPECT_EQ(practice.Progress(), "Задача 2 от 5, точки: 1");
  EXPECT_EQ(practice.ShowInProgram().row, 1);
}

// What the boxes hold that the program cannot read, and a row given again, are not judged: no try
// is used, and one sentence says why.
TEST(Trace, BoxesItCannotReadAndARowGivenAgainUseNoTry) {
  const struct {
    const char* across;
    const char* down;
    const char* frame;
    const char* said;
  } cases[] = {
      {"1", "70", "", "Рамката е цяло число от 1 до 9999."},
      {"1", "70", "0", "Рамката е цяло число от 1 до 9999."},
      {"1", "70", "14,6", "Рамката е цяло число от 1 до 9999."},
      {"1", "70", "10000", "Рамката е цяло число от 1 до 9999."},
      {"71", "1", "146", "Страните са цели числа от 1 до 70."},
      {"", "x", "-1", "Страните са цели числа от 1 до 70. Рамката е цяло число от 1 до 9999."},
      {"1", "70", "146", "Редът 1 × 70, рамка 146, вече е записан."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    Practice practice = Tracing();
    Give(practice, {1, 70, 146});
    const int checks = practice.Checks();
    practice.Type(Box::kAcross, c.across);
    practice.Type(Box::kDown, c.down);
    practice.Type(Box::kFrame, c.frame);
    practice.Press(Button::kCheck);
    EXPECT_EQ(Spaced(practice.Verdict()), c.said);
    EXPECT_EQ(practice.Checks(), checks + 1);  // said, to be read out
    EXPECT_EQ(practice.GetStage(), Stage::kAnswering);
    EXPECT_EQ(practice.Typed(Box::kFrame), c.frame);  // kept as typed
    EXPECT_EQ(practice.Listed().size(), 1u);
    // The next wrong row is still the first try, and a right one scores in full.
    Give(practice, {3, 24, 58});
    EXPECT_EQ(practice.GetStage(), Stage::kWrong);
  }
}

// Every program name a sentence of the fifth level uses is said in Bulgarian beside it, for every
// count of the level and rows of many kinds given after each row of its run.
TEST(Trace, EverySentenceExplainsTheProgramsNamesItUses) {
  int sentences = 0;
  for (int count = 8; count <= 100; ++count) {
    const auto task = CountTask(count);
    for (size_t listed = 0; listed <= task.rows.size(); ++listed) {
      std::vector<std::string> said = {JudgeEnd(task, listed).sentence};
      for (int across = 1; across <= 12; ++across) {
        for (const int down : {across, across + 1, (count + across - 1) / across, count / across}) {
          const Row row{across, down, 2 * across + 2 * down + 4};
          said.push_back(JudgeRow(task, listed, row).sentence);
          said.push_back(JudgeRow(task, listed, {across, down, row.frame - 4}).sentence);
        }
      }
      for (const std::string& sentence : said) {
        ++sentences;
        const std::string text = Spaced(sentence);
        for (const std::string name :
             {"BestFrame", "RootSide", "SquareSide", "LetterCount", "делителите i"}) {
          for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
            EXPECT_EQ(text.compare(at + name.size(), 2, " ("), 0) << text;
          }
        }
        for (size_t at = text.find(" i "); at != std::string::npos; at = text.find(" i ", at + 1))
          EXPECT_EQ(text.compare(at + 3, 1, "("), 0) << text;  // i alone, unexplained
      }
    }
  }
  EXPECT_GT(sentences, 10000);
}

TEST(Trace, EachSetHasASquareAClosingTieAndARowFromALargerArea) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    std::mt19937 random(seed);
    const auto set = lessons::practice::TaskSet(4, random);
    ASSERT_EQ(set.size(), 5u);
    std::set<int> counts;
    bool square = false, tie = false, larger = false;
    for (const auto& task : set) {
      counts.insert(task.count);
      EXPECT_GE(task.count, 8);
      EXPECT_LE(task.count, 100);
      int root = 0;
      while ((root + 1) * (root + 1) <= task.count)
        ++root;
      square = square || root * root == task.count;
      tie = tie || task.ClosingTie();
      larger = larger || task.LargerArea();
    }
    EXPECT_EQ(counts.size(), 5u);
    EXPECT_TRUE(square && tie && larger) << seed;
  }
  EXPECT_TRUE(CountTask(7).ClosingTie());
  EXPECT_FALSE(CountTask(70).ClosingTie());
  EXPECT_TRUE(CountTask(7).LargerArea());  // 2 × 4 from the area 8
  EXPECT_FALSE(CountTask(70).LargerArea());
}

}  // namespace
