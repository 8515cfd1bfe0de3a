// "Напиши програмата" without a toolkit: each task checked on its 1,002 counts for programs a
// pupil writes, right and wrong; the step that "Покажи стъпките за това N" goes to; stepping
// forwards and back; the texts kept per task; files opened as only UTF-8 text.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lessons/write.h"
#include "plain_text.h"

namespace {

namespace write = lessons::write;
using write::Command;

// The lesson's program with one line changed.
std::string LessonWith(const std::string& from, const std::string& to) {
  std::string text = write::LessonText();
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

const char* kUpToRootSide =
    "N ← броят на буквите\n"
    "BestFrame ← 2N + 6;  ред 1, N, BestFrame\n"
    "R ← цялата част на √N\n"
    "за a от 2 до R + 1\n"
    "    b ← (N + a − 1) div a;  P ← 2a + 2b + 4\n"
    "    ако P < BestFrame: ред a, b, P;  BestFrame ← P\n";

const char* kStrip = "N ← броят на буквите\nред 1, N, 2N + 6\n";
const char* kForever = "N ← броят на буквите\nx ← 0\nдокато x < 1: x ← x\n";

// A page with a program typed for a task, checked to the end.
struct Checked {
  write::Write page;
  Checked(int task, const std::string& text) {
    page.ChooseTask(task);
    page.Edit(text);
    page.Press(Command::kCheck);
    while (page.Checking())
      page.CheckSome();
  }
};

TEST(WriteCheck, JudgesEachTaskOnEveryCount) {
  const struct {
    int task;
    std::string text;
    std::string verdict;  // its beginning
    bool star;
  } cases[] = {
      {0, kStrip, "Вярно за всяко N от 1 до 1000 и за 16130 и 16380.", true},
      {0, write::kEverySideText,
       "Грешно за N = 4: записа 2 реда, а трябва точно един: 1, 4, 14. Грешно за 999 от 1002 "
       "проверени N.",
       false},
      {1, write::kEverySideText,
       "Вярно за всяко N от 1 до 1000 и за 16130 и 16380. Твоята програма:", false},
      {1, LessonWith("за LetterCount от N + 1 до SquareSide × SquareSide: ScanDivisors", ""),
       "Грешно за N = 5: последният ти ред е 3, 3, 16, а най-малката рамка е 14 (например 2, 3, "
       "14).",
       false},
      {2, write::LessonText(), "Вярно за всяко N от 1 до 1000 и за 16130 и 16380.", false},
      {2, LessonWith("ако P < BestFrame: ред i, j, P", "ако P ≤ BestFrame: ред i, j, P"),
       "Грешно за N = 10: записа 3 реда, а програмата от урока записва 2; третият ти ред, 3, 4, "
       "18, е в повече.",
       false},
      {3, kUpToRootSide, "Вярно за всяко N от 1 до 1000 и за 16130 и 16380.", true},
      {3, write::kEverySideText,
       "Намира най-малката рамка за всяко N от 1 до 1000 и за 16130 и 16380, но с твърде много "
       "работа.",
       false},
      {3, LessonWith("RootSide ← цялата част на √N", "RootSide ← цялата част на √N + 1"),
       "Намира най-малката рамка", false},
      {3, write::LessonText(), "Намира най-малката рамка", false},
      {1, kForever,
       "При N = 1 програмата ти направи 1 000 000 стъпки. Може би е вярна, но прави твърде много "
       "работа, или някой цикъл не спира.",
       false},
  };
  for (const auto& c : cases) {
    const Checked checked(c.task, c.text);
    const std::string verdict = Spaced(checked.page.Verdict());
    EXPECT_EQ(verdict.substr(0, c.verdict.size()), c.verdict) << c.task << "\n" << c.text;
    EXPECT_EQ(checked.page.Star(c.task), c.star) << c.task << "\n" << c.text;
  }
}

TEST(WriteCheck, SaysTheWorkAndWhyAStartTextEarnsNoStar) {
  const Checked lesson(2, write::LessonText());
  EXPECT_NE(Spaced(lesson.page.Verdict()).find(" стъпки. Програмата от урока: "), std::string::npos)
      << lesson.page.Verdict();
  EXPECT_NE(Spaced(lesson.page.Verdict()).find(" деления, 1 789 275 стъпки."), std::string::npos);
  EXPECT_NE(lesson.page.Verdict().find("Това е програмата от урока. Промени я или напиши своя."),
            std::string::npos);
  // The same program retyped with other blanks and other names is still the lesson's.
  std::string renamed = LessonWith("BestFrame ← (N + 1) × 2 + 4", "BestFrame  ←  (N+1)×2+4");
  for (size_t at = renamed.find("BestFrame"); at != std::string::npos;
       at = renamed.find("BestFrame", at))
    renamed.replace(at, 9, "Най");
  const Checked retyped(2, renamed);
  EXPECT_FALSE(retyped.page.Star(2));
  const Checked fewer(3, kUpToRootSide);
  EXPECT_NE(Spaced(fewer.page.Verdict()).find("пъти по-малко стъпки."), std::string::npos);
  // Too much work: how many times fewer steps to a tenth, or that they are more.
  const Checked more(3, write::kEverySideText);
  EXPECT_NE(Spaced(more.page.Verdict())
                .find("Програмата ти прави повече стъпки от програмата от урока, а трябва поне 10 "
                      "пъти по-малко: най-много 178 927."),
            std::string::npos)
      << more.page.Verdict();
}

// Each way a pupil's rows for 5 can go wrong, said with the numbers, and the row it points at.
TEST(WriteCheck, SaysWhatIsWrongWithTheRows) {
  using language::Row;
  using write::TaskKind;
  const struct {
    TaskKind kind;
    std::vector<Row> rows;
    std::string said;
    int row;
  } cases[] = {
      {TaskKind::kStrip, {{1, 5, 16}}, "", -1},
      {TaskKind::kStrip, {{1, 5, 14}}, "редът ти е 1, 5, 14, а трябва да е 1, 5, 16.", 0},
      {TaskKind::kStrip,
       {},
       "програмата ти не записа нито един ред, а трябва точно един: 1, 5, 16.",
       0},
      {TaskKind::kLeast, {{3, 2, 14}}, "", -1},
      {TaskKind::kLeast,
       {{1, 5, 16}, {0, 9, 22}},
       "последният ти ред е 0, 9, 22, а страните на правоъгълника са поне 1.",
       1},
      {TaskKind::kLeast,
       {{2, 2, 12}},
       "последният ти ред е 2, 2, 12, а в 2 × 2 = 4 квадратчета не се побират 5 букви.",
       0},
      {TaskKind::kLeast,
       {{2, 3, 10}},
       "последният ти ред е 2, 3, 10, а рамката на 2 × 3 е 2 × 2 + 2 × 3 + 4 = 14.",
       0},
      {TaskKind::kLessWork,
       {{1, 5, 16}},
       "последният ти ред е 1, 5, 16, а най-малката рамка е 14 (например 2, 3, 14).",
       0},
      {TaskKind::kSameRows, {{1, 5, 16}, {2, 3, 14}}, "", -1},
      {TaskKind::kSameRows,
       {{1, 5, 16}, {3, 2, 14}},
       "вторият ред трябва да е 2, 3, 14, а твоят е 3, 2, 14.",
       1},
      {TaskKind::kSameRows,
       {{1, 5, 16}},
       "записа 1 ред, а програмата от урока записва 2; вторият е 2, 3, 14.",
       1},
      {TaskKind::kSameRows,
       {{1, 5, 16}, {2, 3, 14}, {3, 3, 16}},
       "записа 3 реда, а програмата от урока записва 2; третият ти ред, 3, 3, 16, е в повече.",
       2},
  };
  for (const auto& c : cases) {
    const write::Judged judged = write::Judge(c.kind, 5, c.rows);
    EXPECT_EQ(judged.right, c.said.empty()) << c.said;
    EXPECT_EQ(Spaced(judged.said), c.said.empty() ? "" : "Грешно за N = 5: " + c.said);
    EXPECT_EQ(judged.row, c.row) << c.said;
  }
}

// "Покажи стъпките за това N" puts the N into the box and goes to the step that wrote the first
// wrong row, or that an error stopped.
TEST(WriteCheck, ShowsTheStepsOfTheFirstWrongCount) {
  Checked ties(2, LessonWith("ако P < BestFrame: ред i, j, P", "ако P ≤ BestFrame: ред i, j, P"));
  ASSERT_TRUE(ties.page.Enabled(Command::kShowSteps));
  ties.page.Press(Command::kShowSteps);
  EXPECT_EQ(ties.page.TypedCount(), "10");
  EXPECT_EQ(Spaced(ties.page.Message()), "В таблицата се записва 3, 4, 18.");
  EXPECT_EQ(ties.page.Marked()->line, 14);
  EXPECT_EQ(ties.page.YourRows().size(), 3u);
  EXPECT_EQ(ties.page.LessonRowsShown().size(), 2u);

  Checked stopped(0, "N ← броят на буквите\nред 1, N, 2N + 6\nа ← 1 div (N − 7)\n");
  EXPECT_EQ(Spaced(stopped.page.Verdict()),
            "При N = 7 програмата ти спря. Ред 3: не може да се дели на 0, а (N − 7) е 0. "
            "(Грешка 11: Деление на нула)");
  stopped.page.Press(Command::kShowSteps);
  EXPECT_EQ(stopped.page.TypedCount(), "7");
  EXPECT_TRUE(stopped.page.MarksError());
  EXPECT_EQ(stopped.page.Marked()->line, 3);
}

TEST(WritePage, StepsForwardsAndBackAndEndsWithTheWork) {
  write::Write page;
  page.TypeCount("70");
  page.Edit(write::kEverySideText);
  EXPECT_FALSE(page.Enabled(Command::kBack));
  page.Press(Command::kStep);
  EXPECT_EQ(page.Counter(), "стъпка 1 от 292");
  EXPECT_EQ(page.Message(), "N става 70, броят на буквите.");
  EXPECT_EQ(page.Marked()->line, 1);
  page.Press(Command::kStep);
  page.Press(Command::kStep);
  EXPECT_EQ(Spaced(page.Message()), "В таблицата се записва 1, 70, 146.");
  EXPECT_EQ(page.YourRows().size(), 1u);
  page.Press(Command::kBack);
  EXPECT_EQ(page.YourRows().size(), 0u);
  EXPECT_EQ(page.Values()[1].name, "BestFrame");
  EXPECT_TRUE(page.Values()[1].changed);
  EXPECT_EQ(page.Work(), "");  // not over yet
  page.Press(Command::kRun);
  EXPECT_EQ(Spaced(page.Work()),
            "Твоята програма: 69 деления, 292 стъпки. Програмата от урока: 106 деления, 348 "
            "стъпки.");
  // Over, the last row marked right for the task "Лентата"'s rule: it is not the strip.
  ASSERT_EQ(page.YourRows().size(), 7u);
  EXPECT_EQ(page.YourRows().back().mark, write::Mark::kWrong);
  EXPECT_EQ(page.YourRows().front().mark, write::Mark::kNone);
  page.ChooseTask(1);
  page.Edit(write::kEverySideText);
  page.Press(Command::kRun);
  EXPECT_EQ(page.YourRows().back().mark, write::Mark::kRight);
  // An edit ends the stepping and clears the marks.
  page.Edit(write::kEverySideText + std::string("# ново\n"));
  EXPECT_FALSE(page.Marked());
  EXPECT_TRUE(page.YourRows().empty());
  page.Press(Command::kRestart);  // nothing to go back to: nothing happens
  EXPECT_FALSE(page.Marked());
}

TEST(WritePage, SaysWhyNothingRan) {
  const struct {
    std::string text;
    std::string count;
    std::string message;
  } cases[] = {
      {"a ← 70 / 2", "70",
       "Ред 1: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × или *."},
      {"", "70", "Програмата ти няма нито една команда: напиши поне една."},
      {"x ← 1", "70", "x става 1. Програмата свърши, без да запише ред и без да покаже нещо."},
  };
  for (const auto& c : cases) {
    write::Write page;
    page.Edit(c.text);
    page.TypeCount(c.count);
    page.Press(Command::kRun);
    EXPECT_EQ(Spaced(page.Message()), c.message) << c.text;
    // The work shown once a program with a command ran to its end.
    EXPECT_EQ(page.Work().empty(), c.text != "x ← 1") << c.text;
  }
  write::Write page;
  page.TypeCount("16381");
  EXPECT_FALSE(page.Enabled(Command::kRun));
  EXPECT_EQ(page.CountNote(), "N е цяло число от 1 до 16380.");
  page.StepCount(-1);
  EXPECT_EQ(page.TypedCount(), "16380");
  EXPECT_TRUE(page.Enabled(Command::kRun));
}

// Each task keeps its own text, given to the keeper as typed and brought back at the next start.
TEST(WritePage, KeepsEachTasksTextAsTyped) {
  struct Store : write::Keeper {
    std::map<int, std::string> kept;
    void Keep(int task, const std::string& text) override { kept[task] = text; }
  } store;
  write::Write page;
  page.SetKeeper(&store);
  page.Edit("за i от 1 до 3:   покажи i   # три");
  page.ChooseTask(2);
  EXPECT_EQ(page.Text(), write::kFirstText);
  EXPECT_TRUE(page.AsksBeforeReplacing());
  page.StartFrom(2);
  EXPECT_EQ(page.Text(), write::LessonText());
  EXPECT_EQ(store.kept, (std::map<int, std::string>{{0, "за i от 1 до 3:   покажи i   # три"},
                                                    {2, write::LessonText()}}));
  write::Write next;
  for (const auto& [task, text] : store.kept)
    next.Restore(task, text);
  EXPECT_EQ(next.Text(), "за i от 1 до 3:   покажи i   # три");
  next.ChooseTask(2);
  EXPECT_EQ(next.Text(), write::LessonText());
  next.StartFrom(0);
  EXPECT_FALSE(next.AsksBeforeReplacing());
}

TEST(WritePage, OpensOnlyUtf8TextUpToAMegabyte) {
  write::Write page;
  page.Opened("\xEF\xBB\xBFпокажи 1\n");
  EXPECT_EQ(page.Text(), "покажи 1\n");
  const struct {
    std::string bytes;
    std::string said;
  } refused[] = {
      {"покажи \xFF",
       "Файлът не е текст в UTF-8, затова не е отворен. Програмата ти е непокътната."},
      {std::string("a\0b", 3),
       "Файлът не е текст в UTF-8, затова не е отворен. Програмата ти е непокътната."},
      {std::string(write::kLargestFile + 1, 'a'),
       "Файлът е по-голям от 1 MB, а програма за тази страница е до 1 MB. Програмата ти е "
       "непокътната."},
  };
  EXPECT_TRUE(write::Write::Opens("покажи 1\n"));
  for (const auto& c : refused) {
    EXPECT_FALSE(write::Write::Opens(c.bytes)) << c.said;  // so the view does not ask first
    page.Opened(c.bytes);
    EXPECT_EQ(page.Text(), "покажи 1\n");
    EXPECT_EQ(page.Message(), c.said);
  }
  // A text past the language's limits opens and is kept; only running it is refused.
  const std::string long_text(20'000, '#');
  page.Opened(long_text);
  EXPECT_EQ(page.Text(), long_text);
  page.Press(Command::kRun);
  EXPECT_EQ(page.Message(),
            "Програмата ти е по-дълга от 10 000 знака, а може да има най-много "
            "10 000.");
  page.OpenFailed("нямаш право да го четеш");
  EXPECT_EQ(page.Message(),
            "Файлът не е отворен: нямаш право да го четеш. Програмата ти е непокътната.");
  EXPECT_EQ(page.Text(), long_text);
  page.SaveFailed("няма място на диска");
  EXPECT_EQ(page.Message(),
            "Програмата не е запазена: няма място на диска. Текстът ти е непокътнат тук.");
  EXPECT_EQ(page.Text(), long_text);
}

}  // namespace
