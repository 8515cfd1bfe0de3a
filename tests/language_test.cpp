// The pupil's language: the lesson's own program run by it gives the search's rows and errors,
// each statement and rule as the help tells it, each mistake a pupil makes said where it stands,
// and no text that freezes, crashes or exhausts the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "language/help.h"
#include "language/machine.h"
#include "language/program.h"
#include "language/trace.h"
#include "language/words.h"
#include "lessons/steps.h"
#include "plain_text.h"
#include "test_window.h"

namespace {

using language::Error;
using language::Outcome;
using language::Program;
using language::Row;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

// The lesson's program exactly as the steps page shows it.
const std::string& LessonText() {
  static const std::string text = Joined(lessons::steps::ProgramLines());
  return text;
}

std::shared_ptr<const Program> Parsed(const std::string& text) {
  auto parsed = language::Parse(text);
  if (const auto* error = std::get_if<Error>(&parsed)) {
    ADD_FAILURE() << text << "\n" << error->text;
    return nullptr;
  }
  return std::make_shared<const Program>(std::get<Program>(std::move(parsed)));
}

Error Refused(const std::string& text) {
  auto parsed = language::Parse(text);
  if (const auto* error = std::get_if<Error>(&parsed)) return *error;
  ADD_FAILURE() << "read as a program: " << text;
  return {};
}

// The beginning of a sentence, its no-break spaces read as blanks.
std::string Start(const std::string& sentence, const std::string& expected) {
  return Spaced(sentence).substr(0, expected.size());
}

Outcome Ran(const std::string& text, int16_t letters = 70) {
  const auto program = Parsed(text);
  return program ? language::Run(*program, letters) : Outcome{};
}

// The rows and the error of the search in the window for N, as a pupil's run gives them: the
// rows whose three texts were all listed, and the error's number.
struct Listed {
  std::vector<Row> rows;
  int error = 0;
};

Listed Searched(TestWindow& window, int count) {
  window.errors.clear();
  window.Calculate(runtime::WholeText(int64_t{count}));
  Listed listed;
  const auto columns = window.Lists();
  const size_t whole = std::min({columns[0].size(), columns[1].size(), columns[2].size()});
  for (size_t row = 0; row < whole; ++row) {
    const auto number = [&](size_t column) {
      return static_cast<int16_t>(std::stoi(runtime::ToUtf8(columns[column][row])));
    };
    listed.rows.push_back({number(0), number(1), number(2)});
  }
  listed.error = window.errors.empty() ? 0 : window.errors.front();
  return listed;
}

// The counts the equivalence takes in every test run; the whole 16-bit range where
// RAMKA_EVERY_COUNT is set, as continuous integration runs it.
std::vector<int> EquivalenceCounts() {
  std::vector<int> counts;
  if (std::getenv("RAMKA_EVERY_COUNT") != nullptr) {
    for (int count = -32768; count <= 32767; ++count)
      counts.push_back(count);
    return counts;
  }
  counts = {-32768, -16386, -16385, -1, 0, 32767};
  for (int count = 1; count <= 2000; ++count)
    counts.push_back(count);
  for (int count = 16000; count <= 16384; ++count)
    counts.push_back(count);
  return counts;
}

TEST(LessonProgram, GivesTheSearchsRowsAndErrorsForEveryCount) {
  const auto program = Parsed(LessonText());
  ASSERT_NE(program, nullptr);
  TestWindow window;
  int compared = 0;
  for (const int count : EquivalenceCounts()) {
    const Listed listed = Searched(window, count);
    const Outcome run = language::Run(*program, static_cast<int16_t>(count));
    ASSERT_EQ(run.rows, listed.rows) << "N = " << count;
    ASSERT_EQ(run.error ? run.error->number : 0, listed.error) << "N = " << count;
    if (run.error) {
      ASSERT_EQ(run.error->kind, Error::Kind::kRunTime) << count;
    }
    ++compared;
  }
  std::printf("The lesson's program and the search agree for %d counts.\n", compared);
}

TEST(LessonProgram, CountsItsWork) {
  const auto program = Parsed(LessonText());
  ASSERT_NE(program, nullptr);
  const struct {
    int count;
    int64_t steps;
    int64_t mods;
    int64_t divs;
  } cases[] = {{70, 348, 84, 22}, {16130, 99'433, 32'130, 1'126}, {16380, 2'076, 630, 45}};
  for (const auto& c : cases) {
    const Outcome run = language::Run(*program, static_cast<int16_t>(c.count));
    EXPECT_EQ(run.work.steps, c.steps) << c.count;
    EXPECT_EQ(run.work.mods, c.mods) << c.count;
    EXPECT_EQ(run.work.divs, c.divs) << c.count;
  }
  EXPECT_EQ(language::Run(*program, 16130).work.Divisions(), 33'256);
  int64_t steps = 0;
  for (int count = 1; count <= 1000; ++count)
    steps += language::Run(*program, static_cast<int16_t>(count)).work.steps;
  steps += language::Run(*program, 16130).work.steps + language::Run(*program, 16380).work.steps;
  EXPECT_EQ(steps, 1'789'275);

  // "всяка страна": one div a side.
  const Outcome every =
      Ran("N ← броят на буквите\n"
          "BestFrame ← 2N + 6;  ред 1, N, BestFrame\n"
          "за a от 2 до N\n"
          "    b ← (N + a − 1) div a;  P ← 2a + 2b + 4\n"
          "    ако P < BestFrame: ред a, b, P;  BestFrame ← P\n");
  EXPECT_EQ(every.work.steps, 292);
  EXPECT_EQ(every.work.Divisions(), 69);
  EXPECT_EQ(every.rows.back(), (Row{7, 10, 38}));
}

// Programs and what they show (покажи's lines, then the rows as "a,b,P").
TEST(Language, RunsEachStatementAsTheHelpSays) {
  const struct {
    const char* why;
    const char* text;
    std::vector<std::string> shown;
  } cases[] = {
      {"inline block takes the rest of the line",
       "x ← 5\nако x > 3: покажи x;  x ← 1\nпокажи x",
       {"x = 5", "x = 1"}},
      {"a false test skips every statement after its colon",
       "x ← 1\nако x > 3: покажи x;  x ← 9\nпокажи x",
       {"x = 1"}},
      {"ако, иначе ако, иначе",
       "за k от 1 до 3\n    ако k = 1: покажи 10\n    иначе ако k = 2\n        покажи 20\n    "
       "иначе: покажи 30",
       {"10", "20", "30"}},
      {"a call before its definition, the definition skipped where it stands",
       "Две\nпокажи 1\nДве: покажи 2",
       {"2", "1"}},
      {"за keeps its last value and never steps past it",
       "за i от 32766 до 32767: покажи i\nпокажи i",
       {"i = 32766", "i = 32767", "i = 32767"}},
      {"no pass and the counter untouched when A > B",
       "i ← 7\nза i от 5 до 4: покажи 0\nпокажи i",
       {"i = 7"}},
      {"bounds evaluated once", "n ← 3\nза i от 1 до n: n ← 10\nпокажи n, i", {"n = 10, i = 3"}},
      {"следващото skips the rest of the pass, from a nested loop too",
       "за i от 1 до 3\n    за j от 1 до 3\n        ако j = 2: следващото i\n        покажи i, j",
       {"i = 1, j = 1", "i = 2, j = 1", "i = 3, j = 1"}},
      {"край ends the whole run, from inside a subprogram",
       "Стоп\nпокажи 1\nСтоп:\n    покажи 2\n    край",
       {"2"}},
      {"докато tests before each pass", "x ← 1\nдокато x < 20: x ← 2x\nпокажи x", {"x = 32"}},
      {"look-alike letters are one name; the first spelling is shown",
       "Рх ← 4\nPx ← Px + 1\nпокажи Рх",
       {"Рх = 5"}},
      {"case matters", "a ← 1;  A ← 2\nпокажи a, A", {"a = 1, A = 2"}},
      {"a number before a name or a bracket is one factor",
       "i ← 3;  N ← 12\nпокажи 2i, N div 2i, 2(i + 1)",
       {"2i = 6, N div 2i = 2, 2(i + 1) = 8"}},
      {"div and mod round towards zero",
       "покажи −7 div 2, −7 mod 2, 7 div −2",
       {"−7 div 2 = -3, −7 mod 2 = -1, 7 div −2 = -3"}},
      {"−32768 is one number; unary minus binds below the factor",
       "x ← −32768;  i ← 3;  покажи x, −2i + 1 - -1",
       {"x = -32768, −2i + 1 - -1 = -4"}},
      {"precedence: × before +, comparison before не, и before или",
       "a ← 2 + 3 × 4;  ако не a = 14 или a > 10 и a < 20: покажи a",
       {"a = 14"}},
      {"и stops at a false left side, so its right side divides by nothing",
       "i ← 0\nако i ≠ 0 и 10 mod i = 0: покажи 1\nиначе: покажи 2",
       {"2"}},
      {"the square root's whole part, both spellings",
       "покажи цялата част на √70, цялата част на корен(81) + 1",
       {"цялата част на √70 = 8, цялата част на корен(81) + 1 = 10"}},
      {"ASCII signs: <-, :=, *, <=, >=, <>, !=",
       "a <- 3;  b := a * 2\nако a <= b и b >= a и a <> b и a != b: покажи b",
       {"b = 6"}},
      {"comments, blank lines, tabs and начало",
       "начало\n\n# a comment\nза i от 1 до 2:\n\tпокажи i  # the tab is four columns\n",
       {"i = 1", "i = 2"}},
      {"ред writes a row", "ред 1, броят на буквите, 2 × 70 + 6", {"1,70,146"}},
  };
  for (const auto& c : cases) {
    const Outcome run = Ran(c.text);
    EXPECT_FALSE(run.error) << c.why << ": " << (run.error ? run.error->text : "");
    std::vector<std::string> shown = run.output;
    for (const Row& row : run.rows)
      shown.push_back(std::to_string(row.across) + "," + std::to_string(row.down) + "," +
                      std::to_string(row.frame));
    EXPECT_EQ(shown, c.shown) << c.why;
  }
  // The output of the last statement that fits: −32768 read as one number.
  const auto program = Parsed("x ← −32768;  покажи x, -x - 1 + 1");
  ASSERT_NE(program, nullptr);
  const Outcome run = language::Run(*program, 1);
  ASSERT_TRUE(run.error);
  EXPECT_EQ(run.error->number, 6);
}

// The mistakes pupils make, each said at its place.
TEST(Language, SaysEachMistakeWhereItStands) {
  const struct {
    const char* text;
    int line;
    int column;
    std::string said;
  } cases[] = {
      {"N ← броят на буквите\nRootSide ← 8\nза i от 2 RootSide: покажи i", 3, 10,
       "Ред 3: след „за i от 2“ трябва да стои „до“, например: за i от 2 до RootSide."},
      {"P ← 1\nх = 5", 2, 2,
       "Ред 2: за да дадеш стойност на х, пиши х ← … (или х := …). Знакът = само сравнява."},
      {"a ← 70 / 2", 1, 7,
       "Ред 1: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × или "
       "*."},
      {"a ← 70 : 2", 1, 7,
       "Ред 1: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × или "
       "*."},
      {"a ← 3 x 4", 1, 6,
       "Ред 1: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × или "
       "*."},
      {"за и от 2 до 8: покажи 1", 1, 3,
       "Ред 1: „и“ е дума от езика (между две условия). За брояч напиши латинско i или друга "
       "буква."},
      {"a ← (1 + 2", 1, 4,
       "Ред 1: скобата „(“ не е затворена. Сложи „)“ там, където свършва изразът в нея."},
      {"ако 1 < 2:\nпокажи 1", 1, 0, "Ред 1: блокът на „ако“ е празен."},
      {"a ← 1\n    b ← 2", 2, 4, "Ред 2: този ред е с отстъп, а редът над него не започва блок."},
      {"край за", 1, 5,
       "Ред 1: „край“ спира цялата програма. Блокът свършва сам там, където свършва "
       "отстъпът."},
      {"a ← 40000", 1, 4, "Ред 1: числото 40000 е по-голямо от 32767, най-голямото число тук."},
      {"ако 1 < a < 5: край", 1, 10, "Ред 1: две сравнения едно след друго не може"},
      {"Scandivisors\nScanDivisors: покажи 1", 1, 0,
       "Ред 1: няма подпрограма „Scandivisors“. Може би „ScanDivisors“? Главните и малките "
       "букви в имената са различни."},
      {"иначе: покажи 1", 1, 0, "Ред 1: „иначе“ започва свой ред"},
      {"следващото i", 1, 0, "Ред 1: „следващото i“ може да стои само вътре в „за i …“"},
      {"a ← 1 +", 1, 7, "Ред 1: след „a ← 1 +“ трябва число, име или израз."},
      {"покажи ы", 1, 7, "Ред 1: буквата „ы“ не е нито българска, нито латинска."},
      {"a ← 2 @ 3", 1, 6, "Ред 1: знакът „@“ не е от езика."},
      {"ако x ← 1: край", 1, 6, "Ред 1: в условието на „ако“ сравнявай със =;"},
      {"ако x + 1: край", 1, 4, "Ред 1: „x + 1“ е число, а след „ако“ трябва условие"},
      {"a ← 1 < 2", 1, 4, "Ред 1: „1 < 2“ е условие (вярно или не), а тук трябва число."},
      {"ред 1, 2", 1, 0, "Ред 1: „ред“ записва три числа"},
      {"F: покажи 1\nF ← 2", 2, 0, "Ред 2: „F“ е име на подпрограма."},
      {"a ← цялата част на 5", 1, 4, "Ред 1: пиши „цялата част на √x“"},
      {"a ← √5", 1, 4, "Ред 1: числата тук са само цели"},
      {"ако 1 < 2 покажи 1", 1, 10, "Ред 1: след заглавието на „ако“ трябва „:“"},
  };
  for (const auto& c : cases) {
    const Error error = Refused(c.text);
    EXPECT_EQ(error.kind, Error::Kind::kSyntax) << c.text;
    EXPECT_EQ(Start(error.text, c.said), c.said) << c.text;
    EXPECT_EQ(error.place.line, c.line) << c.text;
    EXPECT_EQ(error.place.column, c.column) << c.text;
  }
}

TEST(Language, StopsARunWithASentenceAndTheProgramsErrorNumber) {
  const struct {
    const char* text;
    int16_t letters;
    Error::Kind kind;
    int number;
    int line;
    std::string said;
  } cases[] = {
      {"i ← 20000\nP ← 2i + 4", 70, Error::Kind::kRunTime, 6, 2,
       "Ред 2: 2 × i дава 40 000, а числата тук са само от −32768 до 32767. (Грешка 6: "
       "Препълване)"},
      {"N ← броят на буквите\nR ← 1\nR ← цялата част на √N", -5, Error::Kind::kRunTime, 5, 3,
       "Ред 3: няма корен от отрицателно число, а N е −5. (Грешка 5: Невалидно извикване на "
       "процедура или невалиден аргумент)"},
      {"i ← 0\nj ← 70 div i", 70, Error::Kind::kRunTime, 11, 2,
       "Ред 2: не може да се дели на 0, а i е 0. (Грешка 11: Деление на нула)"},
      {"RootSide ← 8\nпокажи Rootside", 70, Error::Kind::kRunTime, 0, 2,
       "Ред 2: „Rootside“ още няма стойност. Може би „RootSide“? Главните и малките букви в "
       "имената са различни."},
      {"BestFrame ← 2N + 6", 70, Error::Kind::kRunTime, 0, 1,
       "Ред 1: N още няма стойност. Започни с N ← броят на буквите."},
      {"за i от 1 до 3: i ← 5", 70, Error::Kind::kRunTime, 0, 1,
       "Ред 1: i е броячът на „за“ от ред 1; докато цикълът върви, не му давай друга стойност."},
      {"x ← 0\nдокато x < 1\n    покажи x\n    x ← x", 70, Error::Kind::kLimit, 0, 3,
       "Ред 3: програмата ти показа вече 1000 реда; повече не се побират."},
      {"x ← 0\nдокато x < 1: x ← x", 70, Error::Kind::kLimit, 0, 2,
       "Програмата ти направи 1 000 000 стъпки и още не е свършила; последната стъпка е на ред "
       "2. Може би някой цикъл никога не спира?"},
      {"Сам\nСам: Сам", 70, Error::Kind::kLimit, 0, 2,
       "Ред 2: подпрограмите са извикани една в друга 100 пъти и още не са свършили. Може би Сам "
       "вика сама себе си без край?"},
      {"за i от 1 до 2000: ред i, i, i", 70, Error::Kind::kLimit, 0, 1,
       "Ред 1: програмата ти записа вече 1000 реда; повече не се побират в таблицата."},
  };
  for (const auto& c : cases) {
    const Outcome run = Ran(c.text, c.letters);
    ASSERT_TRUE(run.error) << c.text;
    EXPECT_EQ(run.error->kind, c.kind) << c.text;
    EXPECT_EQ(run.error->number, c.number) << c.text;
    if (c.line > 0) {
      EXPECT_EQ(run.error->place.line, c.line) << c.text;
    }
    EXPECT_EQ(Start(run.error->text, c.said), c.said) << c.text;
  }
}

TEST(Language, RefusesAnyTextBeyondItsLimitsWithoutRunningIt) {
  const struct {
    std::string text;
    std::string said;
  } cases[] = {
      {std::string(10'001, 'a'), "Програмата ти е по-дълга от 10 000 знака"},
      {std::string(500, '\n') + "a ← 1", "Програмата ти има повече от 500 реда"},
      {"a ← 1\nb ← \xC3\x28", "Ред 2: тук има байтове, които не са текст"},
      {std::string("a ← 1") + '\0', "Ред 1: тук има невидим управляващ знак (U+0000)."},
      {"a ← " + std::string(50, '(') + "1" + std::string(50, ')'),
       "Ред 1: изразът е твърде сложен"},
      {"a ← " + std::string(60, '-') + "1", "Ред 1: изразът е твърде сложен"},
      {" ұF", "Ред 1: буквата „ұ“ не е нито българска, нито латинска."},
      {"a ← 1" +
           [] {
             std::string sum;
             for (int k = 0; k < 60; ++k)
               sum += " + 1";
             return sum;
           }(),
       "Ред 1: изразът е твърде сложен"},
  };
  for (const auto& c : cases) {
    const Error error = Refused(c.text);
    EXPECT_EQ(Start(error.text, c.said), c.said) << c.said;
  }
  // Blocks nested too deep, each line one deeper.
  std::string deep;
  for (int level = 0; level < 40; ++level)
    deep += std::string(static_cast<size_t>(level), ' ') + "ако 1 < 2\n";
  deep += std::string(40, ' ') + "край\n";
  EXPECT_EQ(Start(Refused(deep).text, "Ред 32: блоковете"), "Ред 32: блоковете");
}

// Each example of the help, its lines taken out of the text as a pupil copies them, reads as a
// program, and the division examples compute what their comments say.
TEST(Help, EveryExampleIsAProgram) {
  std::vector<std::string> examples(1);
  const std::string help = language::HelpText();
  size_t at = 0;
  while (at < help.size()) {
    const size_t end = std::min(help.find('\n', at), help.size());
    const std::string line = help.substr(at, end - at);
    if (line.rfind("    ", 0) == 0) {
      examples.back() += line.substr(4) + "\n";
    } else if (!examples.back().empty()) {
      examples.emplace_back();
    }
    at = end + 1;
  }
  if (examples.back().empty()) examples.pop_back();
  EXPECT_EQ(examples.size(), 7u);
  for (const std::string& example : examples)
    EXPECT_NE(Parsed(example), nullptr) << example;
  const Outcome run = Ran("i ← 3\n" + examples[0] + "покажи a, b, c, d, e, f, g, N");
  EXPECT_EQ(run.output,
            std::vector<std::string>{"a = 17, b = 3, c = 2, d = -3, e = -1, f = 8, g = 7, N = 70"});
}

TEST(Trace, StepsForwardsAndBackWithTheValuesOfEachStep) {
  const auto program = Parsed(LessonText());
  ASSERT_NE(program, nullptr);
  language::Trace trace(program, 70);
  ASSERT_EQ(trace.Count(), 348);
  const struct {
    int step;
    int line;
    std::string sentence;
    std::string changed;
  } cases[] = {
      {0, 1, "N става 70, броят на буквите.", "N"},
      {2, 2, "BestFrame става (70 + 1) × 2 + 4 = 146.", "BestFrame"},
      {4, 3, "RootSide става цялата част на √70 = 8.", "RootSide"},
      {7, 11, "i става 2.", "i"},
      {15, 12, "70 mod 3 = 1 ≠ 0: към следващото i.", ""},
      {35, 14, "В таблицата се записва 7, 10, 38.", ""},
      {40, 5, "70 = 8 × 8, тоест 70 = 64: не е вярно, блокът се прескача.", ""},
      {347, 10, "Край: програмата спира.", ""},
  };
  // Out of order, so that the steps are undone as well as replayed.
  for (const int order : {3, 0, 7, 5, 1, 6, 2, 4}) {
    const auto& c = cases[order];
    trace.GoTo(c.step);
    EXPECT_EQ(trace.Where().line, c.line) << c.step;
    EXPECT_EQ(trace.Sentence(), c.sentence) << c.step;
    std::string changed;
    for (const auto& variable : trace.Variables()) {
      if (variable.changed) changed = variable.name;
    }
    EXPECT_EQ(changed, c.changed) << c.step;
  }
  // The values after a step are those of a run straight to it.
  trace.GoTo(347);
  trace.GoTo(36);
  language::Trace fresh(program, 70);
  fresh.GoTo(36);
  for (size_t k = 0; k < trace.Variables().size(); ++k)
    EXPECT_EQ(trace.Variables()[k].value, fresh.Variables()[k].value);
  EXPECT_EQ(trace.Rows(), 4);
  EXPECT_EQ(trace.StepOfRow(3), 35);
  EXPECT_EQ(trace.StepOfRow(4), -1);
  trace.GoTo(-1);
  EXPECT_EQ(trace.Variables()[0].value, "");
}

TEST(Trace, EndsAtTheErrorWithItsSentenceAndPlace) {
  const auto program = Parsed(LessonText());
  ASSERT_NE(program, nullptr);
  language::Trace trace(program, -3);
  trace.GoTo(trace.Count() - 1);
  EXPECT_TRUE(trace.AtError());
  EXPECT_EQ(trace.Where(), (language::Place{3, 11, 17}));
  EXPECT_EQ(Start(trace.Sentence(), "Ред 3: няма корен от отрицателно число"),
            "Ред 3: няма корен от отрицателно число");
  // Read aloud, the signs between operands in words, the signs the prose names as they are.
  const struct {
    const char* text;
    const char* said;
  } spoken[] = {
      {"70 mod 3 = 1 ≠ 0", "70 mod 3 е 1 не е 0"},
      {"2 × i дава 40\u00A0000, от −32768", "2 по i дава 40 000, от минус 32768"},
      {"за умножение пиши × или *. Знакът = само сравнява.",
       "за умножение пиши × или *. Знакът = само сравнява."},
      {"(70 + 1) × 2 ≤ BestFrame", "(70 плюс 1) по 2 е по-малко или равно на BestFrame"},
  };
  for (const auto& c : spoken)
    EXPECT_EQ(language::words::Spoken(c.text), c.said);
}

}  // namespace
