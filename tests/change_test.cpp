// "Промени програмата" in the core: the switches and the lines they change, N kept as typed, the
// table of the four programs, the hunt for a wrong N and why there is none, and the chart of the
// programs' work.
#include "lessons/change.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plain_text.h"

namespace {

using lessons::change::Button;
using lessons::change::Change;
using lessons::change::Part;
using lessons::change::Program;
using lessons::change::WorkChart;

std::vector<std::string> Column(const Change& change, std::string lessons::change::TableRow::*of) {
  std::vector<std::string> column;
  for (const auto& row : change.Table())
    column.push_back(Spaced(row.*of));
  return column;
}

TEST(Change, NStartsWithTheWindowsCountAndKeepsWhatIsTyped) {
  const struct {
    const char* window;
    int count;
  } cases[] = {{"100", 100}, {"", 70}, {"abc", 70}, {"0", 70}, {"16381", 70}, {"16380", 16380}};
  for (const auto& c : cases) {
    Change change;
    change.Open(c.window);
    EXPECT_EQ(change.Count(), c.count) << c.window;
    EXPECT_EQ(change.Typed(), std::to_string(c.count));
  }
  // What the pupil types is kept; the programs run for the last N it could read.
  Change change;
  change.Open("70");
  change.Type("2,5");
  EXPECT_EQ(change.Typed(), "2,5");
  EXPECT_EQ(change.Count(), 70);
  EXPECT_EQ(change.CountNote(), "N е цяло число от 1 до 16380.");
  change.Type("13");
  EXPECT_EQ(change.Count(), 13);
  EXPECT_TRUE(change.CountNote().empty());
  change.Open("100");  // the pupil's own N stays
  EXPECT_EQ(change.Count(), 13);
  change.Step(1);
  EXPECT_EQ(change.Typed(), "14");
  change.Type("99999");
  change.Step(1);
  EXPECT_EQ(change.Typed(), "16380");
}

TEST(Change, TheTableForSeventyAndForFive) {
  Change change;
  change.Open("70");
  EXPECT_EQ(Column(change, &lessons::change::TableRow::program),
            (std::vector<std::string>{"както е написана", "променената", "всяка страна a от 1 до N",
                                      "формулата"}));
  EXPECT_EQ(Column(change, &lessons::change::TableRow::rows),
            (std::vector<std::string>{"1 × 70, 2 × 35, 5 × 14, 7 × 10",
                                      "1 × 70, 2 × 35, 5 × 14, 7 × 10", "7 × 10", "9 × 8"}));
  EXPECT_EQ(Column(change, &lessons::change::TableRow::answer),
            (std::vector<std::string>{"38 – вярно", "38 – вярно", "38 – вярно", "38 – вярно"}));
  EXPECT_EQ(Column(change, &lessons::change::TableRow::divisions),
            (std::vector<std::string>{"84", "84", "70", "1"}));

  change.Set(Part::kSmaller, false);  // ties listed too: 8 × 9 after 7 × 10
  EXPECT_EQ(Spaced(change.Table()[1].rows), "1 × 70, 2 × 35, 5 × 14, 7 × 10, 8 × 9");
  change.Set(Part::kSmaller, true);
  change.Set(Part::kRootSide, false);
  EXPECT_EQ(Spaced(change.Table()[1].divisions), "828");

  // Only the area N, for 5: the closing square's tie, and wrong.
  change.Set(Part::kRootSide, true);
  change.Set(Part::kLargerAreas, false);
  change.Type("5");
  const auto row = change.Table()[1];
  EXPECT_EQ(Spaced(row.rows), "1 × 5, 3 × 3");
  EXPECT_EQ(Spaced(row.answer), "16 – грешно: най-малката е 14");
  EXPECT_TRUE(row.wrong);
  EXPECT_EQ(row.divisions, "1");
  EXPECT_EQ(Spaced(change.Table()[0].answer), "14 – вярно");
  EXPECT_EQ(
      Spaced(change.TableSaid())
          .rfind(
              "Програмите за N = 5. както е написана: редове 1 × 5, 2 × 3; отговор 14 – вярно; 5 "
              "деления. променената: редове 1 × 5, 3 × 3; отговор 16 – грешно: най-малката е "
              "14; 1 деление.",
              0),
      0u);
  // Large counts are written with their thousands apart.
  change.Set(Part::kLargerAreas, true);
  change.Type("16130");
  EXPECT_EQ(Spaced(change.Table()[0].divisions), "32 130");
  change.Type("16380");  // 37 rows: the first two and the last two
  EXPECT_EQ(Spaced(change.Table()[0].rows),
            "1 × 16380, 2 × 8190, …, 126 × 130, 128 × 128 (37 реда)");
  EXPECT_EQ(Spaced(change.Table()[0].divisions), "630");
}

TEST(Change, EachSwitchChangesItsLinesAndSaysSo) {
  const struct {
    Part part;
    std::vector<int> changed, removed;
    const char* said;  // of the first line it changes
  } cases[] = {
      {Part::kRootSide, {11}, {}, "Ред 11, променен: ScanDivisors: за i от 2 до N"},
      {Part::kLargerAreas,
       {},
       {7},
       "Ред 7, махнат: за LetterCount от N + 1 до SquareSide × SquareSide: ScanDivisors"},
      {Part::kClosingSquare, {}, {8, 9}, "Ред 8, махнат: P ← 4 × SquareSide + 4"},
      {Part::kSmaller,
       {14},
       {},
       "Ред 14, променен:     ако P ≤ BestFrame: ред i, j, P;  BestFrame ← P"},
  };
  for (const auto& c : cases) {
    Change change;
    EXPECT_TRUE(change.On(c.part));
    for (const auto& line : change.Lines())
      EXPECT_FALSE(line.changed || line.removed) << line.number;
    change.Set(c.part, false);
    std::vector<int> changed, removed;
    for (const auto& line : change.Lines()) {
      if (line.changed) changed.push_back(line.number);
      if (line.removed) removed.push_back(line.number);
    }
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(removed, c.removed);
    const int first = c.changed.empty() ? c.removed[0] : c.changed[0];
    EXPECT_EQ(Spaced(change.Lines()[static_cast<size_t>(first - 1)].said), c.said);
    EXPECT_EQ(lessons::change::kPartLines[static_cast<size_t>(c.part)], first);
  }
}

TEST(Change, TheHuntForAWrongN) {
  Change change;
  change.Open("70");
  EXPECT_FALSE(change.Hunting());
  EXPECT_EQ(change.HuntTask(),
            "Програмата, както е написана, намира най-малката рамка за всяко N от 1 до 16380. "
            "Махни отметка, за да я промениш, и виж какво става.");
  for (const Button button : {Button::kCheck, Button::kSmallest, Button::kWhy})
    EXPECT_FALSE(change.Enabled(button));

  change.Set(Part::kLargerAreas, false);
  EXPECT_TRUE(change.Hunting());
  EXPECT_EQ(change.HuntTask(),
            "Тази програма греши за някои N от 1 до 16380. Намери N, за което тя не намира "
            "най-малката рамка.");
  const struct {
    const char* guess;
    const char* said;
    bool smallest;  // "Покажи най-малкото" in use after it
  } tries[] = {
      {"abc", "N е цяло число от 1 до 16380.", false},  // not a try
      {"6", "За 6 тази програма намира най-малката рамка, 14.", false},
      {"70", "За 70 тази програма намира най-малката рамка, 38.", false},
      {"13", "За 13 тази програма намира най-малката рамка, 20.", true},
  };
  for (const auto& each : tries) {
    change.TypeGuess(each.guess);
    const int sayings = change.Sayings();
    change.Press(Button::kCheck);
    EXPECT_EQ(change.Sayings(), sayings + 1);
    EXPECT_EQ(Spaced(change.Said()), each.said);
    EXPECT_EQ(change.Enabled(Button::kSmallest), each.smallest) << each.guess;
  }
  change.TypeGuess("5");
  change.Press(Button::kCheck);
  EXPECT_EQ(Spaced(change.Said()),
            "Да, тук тя греши. За 5 тази програма завършва с 3 × 3, рамка 16, а програмата, както "
            "е написана – с 2 × 3, рамка 14: най-малката рамка е 14, а не 16.");
  change.Press(Button::kSmallest);
  EXPECT_EQ(Spaced(change.Said()),
            "Най-малкото N, за което тази програма греши, е 5. За 5 тази програма завършва с "
            "3 × 3, рамка 16, а програмата, както е написана – с 2 × 3, рамка 14: най-малката "
            "рамка е 14, а не 16.");
  // Another change begins the hunt afresh.
  change.Set(Part::kClosingSquare, false);
  EXPECT_TRUE(change.Said().empty());
  EXPECT_TRUE(change.Guess().empty());
  EXPECT_FALSE(change.Enabled(Button::kSmallest));
}

TEST(Change, WhyAChangeThatCannotGoWrongCannot) {
  const struct {
    std::vector<Part> off;
    const char* count;
    const char* said;
  } cases[] = {
      {{Part::kClosingSquare},
       "70",
       "Без затварящия квадрат: за 70 RootSide (цялата част на √70) е 8, а 8 × 10 = 80 = 9 × 9 − 1 "
       "побира всички 70 букви и има рамка 2 × 8 + 2 × 10 + 4 = 40, колкото квадратът 9 × 9. "
       "Площта 80 е сред по-големите площи, които програмата разглежда, затова квадратът никога "
       "не дава по-малка рамка от тези, които тя вече е намерила."},
      {{Part::kRootSide},
       "70",
       "С делителите до N: делител i, по-голям от RootSide, дава правоъгълник i × j с j по-малко "
       "от i – същия като j × i, само обърнат, а него програмата вече е срещнала с делителя j. "
       "Рамката му е същата, затова отговорът не се променя, но работата расте: за 70 – 828 "
       "деления вместо 84."},
      {{Part::kRootSide},
       "1",
       "С делителите до N: делител i, по-голям от RootSide, дава правоъгълник i × j с j по-малко "
       "от i – същия като j × i, само обърнат, а него програмата вече е срещнала с делителя j. "
       "Рамката му е същата, затова отговорът не се променя, но работата расте: за 1 и двете "
       "програми не пробват нито един делител, а за 70 – 828 деления вместо 84."},
      {{Part::kSmaller},
       "70",
       "С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката рамка досега), "
       "не я прави по-малка, затова най-малката рамка не се променя – променя се само последният "
       "ред: за 70 програмата завършва с 8 × 9, рамка 38, вместо с 7 × 10, рамка 38."},
      {{Part::kSmaller},
       "72",
       "С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката рамка досега), "
       "не я прави по-малка, затова най-малката рамка не се променя – може да се промени само "
       "последният ред. За 72 той е същият, 8 × 9, рамка 38."},
  };
  for (const auto& c : cases) {
    Change change;
    change.Type(c.count);
    for (const Part part : c.off)
      change.Set(part, false);
    EXPECT_FALSE(change.Hunting());
    EXPECT_EQ(change.HuntTask(),
              "Тази програма намира най-малката рамка за всяко N от 1 до 16380. Защо?");
    ASSERT_TRUE(change.Enabled(Button::kWhy));
    change.Press(Button::kWhy);
    EXPECT_EQ(Spaced(change.Said()), c.said);
  }
  // With all three off, all three reasons.
  Change change;
  for (const Part part : {Part::kClosingSquare, Part::kRootSide, Part::kSmaller})
    change.Set(part, false);
  change.Press(Button::kWhy);
  for (const char* reason : {"Без затварящия квадрат", "С делителите до N", "С редовете при равна"})
    EXPECT_NE(change.Said().find(reason), std::string::npos) << reason;
}

bool Says(const lessons::chart::Scene& scene, const std::string& text) {
  return std::any_of(scene.texts.begin(), scene.texts.end(),
                     [&](const auto& each) { return Spaced(each.text) == text; });
}

TEST(Change, TheChartOfTheWorkHasALineForEachProgramOnALogarithmicAxis) {
  lessons::change::Switches as_written;
  const WorkChart seventy(70, as_written);
  EXPECT_EQ(Spaced(seventy.Sentence()),
            "Работата на програмата, както е написана, е като трион: най-голяма е точно след точен "
            "квадрат – за 65, след 8 × 8 = 64, тя прави 119 деления, а за 80, преди 9 × 9 = 81, "
            "само 14.");
  EXPECT_NE(seventy.Description().find(seventy.Sentence()), std::string::npos);
  EXPECT_EQ(Spaced(seventy.Description())
                .rfind("Диаграма „Колко работа“: колко деления прави всяка програма за всяко N от "
                       "1 до 1000",
                       0),
            0u);
  EXPECT_NE(Spaced(seventy.Description()).find("формулата: при N = 10 – 1, при N = 70 – 1"),
            std::string::npos);
  EXPECT_FALSE(seventy.Shows(Program::kChanged));
  EXPECT_EQ(seventy.Top(), 10000);

  lessons::change::Switches to_n;
  to_n.on[static_cast<size_t>(Part::kRootSide)] = false;
  const WorkChart wide(500, to_n);
  EXPECT_TRUE(wide.Shows(Program::kChanged));
  EXPECT_EQ(wide.Top(), 100000);  // up to N, 60 543 divisions at 962

  for (const WorkChart* work : {&seventy, &wide}) {
    const lessons::chart::Scene scene = Paint(*work, 480, 300);
    const size_t lines = work->Shows(Program::kChanged) ? 4 : 3;
    ASSERT_EQ(scene.lines.size(), lines);
    for (const std::string label : {"1", "10", "100", "1000", "10 000", "N", "деления",
                                    "както е написана", "всяка страна", "формулата"})
      EXPECT_TRUE(Says(scene, label)) << label;
    EXPECT_EQ(Says(scene, "100 000"), work == &wide);
    EXPECT_TRUE(Says(scene, "N = " + std::to_string(work->Count())));
    // Each line's point at N stands at the height of its divisions, a decade a step.
    const auto& plot = scene.plot;
    const int decades = work == &wide ? 5 : 4;
    const auto y_of = [&](double divisions) {
      return plot.y + plot.height -
             static_cast<int>(std::lround(std::log10(divisions) * plot.height / decades));
    };
    // The program as written: where N = 65 stands, its line reaches the height of its 119
    // divisions, and the lines run from N = 1 to 1000, at most four points a column of pixels.
    const auto& written = scene.lines[0].points;
    const auto x_of = [&](int count) { return plot.x + (count - 1) * (plot.width - 1) / 999; };
    EXPECT_TRUE(std::any_of(written.begin(), written.end(), [&](const auto& point) {
      return point.x == x_of(65) && point.y == y_of(119);
    }));
    for (const auto& line : scene.lines) {
      ASSERT_FALSE(line.points.empty());
      EXPECT_EQ(line.points.front().x, plot.x);
      EXPECT_EQ(line.points.back().x, x_of(1000));
      EXPECT_LE(line.points.size(), static_cast<size_t>(4 * plot.width));
    }
    EXPECT_EQ(written.back().y,
              y_of(static_cast<double>(lessons::change::DivisionsAsWritten(1000))));
    EXPECT_EQ(scene.lines.back().points[3].y, y_of(1));  // the formula, flat
    // The chosen N marked: a dot on each line at its x, at the height of its divisions there.
    const int dots = static_cast<int>(
        std::count_if(scene.fills.begin(), scene.fills.end(), [&](const auto& fill) {
          return fill.rect.x == x_of(work->Count()) - 3 && fill.rect.width == 7 &&
                 fill.rect.y + 3 == y_of(static_cast<double>(std::max<int64_t>(
                                        lessons::change::DivisionsAsWritten(work->Count()), 1)));
        }));
    EXPECT_EQ(dots, 1);  // the program as written's
    // No two words over each other.
    for (size_t i = 0; i < scene.texts.size(); ++i) {
      for (size_t j = i + 1; j < scene.texts.size(); ++j) {
        const auto& a = scene.texts[i].rect;
        const auto& b = scene.texts[j].rect;
        EXPECT_TRUE(a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                    b.y + b.height <= a.y)
            << scene.texts[i].text << " / " << scene.texts[j].text;
      }
    }
  }
  // An N past the chart: no mark, and the sentence says so.
  const WorkChart far(2000, as_written);
  EXPECT_FALSE(Says(Paint(far, 480, 300), "N = 2000"));
  EXPECT_NE(Spaced(far.Sentence()).find("N = 2000 е след края на диаграмата."), std::string::npos);
}

}  // namespace
