// "Промени програмата" in the core: the switches and the lines they change, N kept as typed and
// what the page shows while the box holds none, the legend of the program's names, the table of
// the four programs, the hunt for a wrong N and why there is none, and the chart of the programs'
// work.
#include "lessons/change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

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
  // What the pupil types is kept; the arrows step from it.
  Change change;
  change.Open("70");
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

// While the box holds no N from 1 to 16380, the page shows nothing of any N: no cells in the
// table, no mark on the chart and no numbers in its sentence, no √ of N in the legend, and no why
// for the N it held before; the box keeps what was typed, and the note says what it takes.
TEST(Change, ABoxWithoutAnNShowsNothingOfAnyN) {
  const char* const typed[] = {"",    " ",  "0",   "-3",    "+5",    "2,5",
                               "2.5", "7a", "abc", "16381", "99999", "123456"};
  for (const char* text : typed) {
    SCOPED_TRACE(text);
    Change change;
    change.Open("70");
    change.Set(Part::kClosingSquare, false);
    change.Press(Button::kWhy);
    ASSERT_FALSE(change.Said().empty());
    change.Type(text);
    EXPECT_EQ(change.Typed(), text);
    EXPECT_EQ(change.Count(), 0);
    EXPECT_EQ(Spaced(change.CountNote()), "N е цяло число от 1 до 16 380.");
    for (const auto& row : change.Table()) {
      EXPECT_FALSE(row.program.empty());
      EXPECT_EQ(row.rows + row.answer + row.divisions, "");
      EXPECT_FALSE(row.wrong);
    }
    EXPECT_EQ(Spaced(change.TableSaid()), "Програмите за N. N е цяло число от 1 до 16 380.");
    const WorkChart chart = change.Chart();
    EXPECT_FALSE(chart.Marks());
    EXPECT_EQ(chart.Sentence(),
              "Всяка черта е 10 пъти повече от предишната. Работата на програмата, както е "
              "написана, е като трион: най-голяма е точно след точен квадрат, а най-малка – точно "
              "преди следващия.");
    const lessons::chart::Scene scene = Paint(chart, 480, 300);
    EXPECT_TRUE(std::none_of(scene.texts.begin(), scene.texts.end(),
                             [](const auto& each) { return each.text.rfind("N =", 0) == 0; }));
    EXPECT_TRUE(change.Said().empty());
    EXPECT_FALSE(change.Enabled(Button::kWhy));
    for (const auto& term : change.Legend())
      EXPECT_EQ(term.meaning.find("70"), std::string::npos) << term.name;
    // An N again, and the page speaks of it.
    change.Type("70");
    EXPECT_EQ(change.Count(), 70);
    EXPECT_EQ(Spaced(change.Table()[0].divisions), "106");
    EXPECT_TRUE(change.Chart().Marks());
    EXPECT_TRUE(change.Enabled(Button::kWhy));
  }
}

// Every name of the program with its meaning, √N said in words with the squares on either side,
// in one precision, and what a division is, counted for N.
TEST(Change, TheLegendExplainsEveryNameWithTheNumbersOfN) {
  const struct {
    const char* count;
    const char* root;
    const char* divisions;
  } cases[] = {
      {"70",
       "цялата част на √N; за 70 тя е 8. √70 ≈ 8,37: числото, което, умножено по себе си, дава "
       "70; 8 × 8 = 64, 9 × 9 = 81.",
       "За 70 програмата, както е написана, прави 84 mod и 22 div – 106 деления."},
      {"3",
       "цялата част на √N; за 3 тя е 1. √3 ≈ 1,73: числото, което, умножено по себе си, дава 3; "
       "1 × 1 = 1, 2 × 2 = 4.",
       "За 3 програмата, както е написана, не прави нито едно деление."},
      {"64",
       "цялата част на √N; за 64 тя е 8. √64 = 8: числото, което, умножено по себе си, дава 64; "
       "8 × 8 = 64.",
       "За 64 програмата, както е написана, прави 7 mod и 3 div – 10 деления."},
      // Just above a square and just below one, √N is never rounded to a whole number.
      {"16130",
       "цялата част на √N; за 16 130 тя е 127. √16 130 ≈ 127,01: числото, което, умножено по себе "
       "си, дава 16 130; 127 × 127 = 16 129, 128 × 128 = 16 384.",
       "За 16 130 програмата, както е написана, прави 32 130 mod и 1126 div – 33 256 деления."},
      {"10200",
       "цялата част на √N; за 10 200 тя е 100. √10 200 ≈ 100,99: числото, което, умножено по себе "
       "си, дава 10 200; 100 × 100 = 10 000, 101 × 101 = 10 201.",
       "За 10 200 програмата, както е написана, прави 198 mod и 23 div – 221 деления."},
  };
  for (const auto& c : cases) {
    Change change;
    change.Type(c.count);
    std::vector<std::string> names;
    std::map<std::string, std::string> meaning;
    for (const auto& term : change.Legend()) {
      names.push_back(term.name);
      meaning[term.name] = Spaced(term.meaning);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"N", "LetterCount", "RootSide", "SquareSide", "BestFrame",
                                        "ScanDivisors", "mod", "div", "i × j", "деления"}));
    EXPECT_EQ(meaning["RootSide"], c.root);
    EXPECT_EQ(meaning["mod"], "остатъкът при деление.");
    EXPECT_EQ(meaning["div"], "частното без остатъка.");
    EXPECT_EQ(meaning["ScanDivisors"], "частта, която пробва делителите.");
    EXPECT_EQ(meaning["N"],
              "броят на буквите, от 1 до 16 380. По-големи N не се побират в числата на "
              "програмата: до 32 767.");
    EXPECT_NE(meaning["i × j"].find("по абсцисата (по хоризонталата)"), std::string::npos);
    EXPECT_NE(meaning["i × j"].find("по ординатата (по вертикалата)"), std::string::npos);
    EXPECT_EQ(meaning["деления"],
              "колко пъти програмата дели: всяко mod, всяко div и всяко N : a, закръглено "
              "нагоре. " +
                  std::string(c.divisions));
  }
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
            (std::vector<std::string>{"106", "106", "69", "1"}));

  change.Set(Part::kSmaller, false);  // ties listed too: 8 × 9 after 7 × 10
  EXPECT_EQ(Spaced(change.Table()[1].rows), "1 × 70, 2 × 35, 5 × 14, 7 × 10, 8 × 9");
  change.Set(Part::kSmaller, true);
  change.Set(Part::kRootSide, false);
  EXPECT_EQ(Spaced(change.Table()[1].divisions), "874");

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
              "Програмите за N = 5. както е написана: редове 1 × 5, 2 × 3; отговор 14 – вярно; 7 "
              "деления. променената: редове 1 × 5, 3 × 3; отговор 16 – грешно: най-малката е "
              "14; 1 деление.",
              0),
      0u);
  // Numbers of five digits or more are written with their thousands apart, every one.
  change.Set(Part::kLargerAreas, true);
  change.Type("16130");
  EXPECT_EQ(Spaced(change.Table()[0].divisions), "33 256");
  change.Type("16380");  // 37 rows: the first two and the last two
  EXPECT_EQ(Spaced(change.Table()[0].rows),
            "1 × 16 380, 2 × 8190, …, 126 × 130, 128 × 128 (37 реда)");
  EXPECT_EQ(Spaced(change.Table()[0].divisions), "675");
  EXPECT_EQ(Spaced(change.Table()[2].divisions), "16 379");
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
  EXPECT_STREQ(change.HuntHeading(), "Изпробвай промяната");
  EXPECT_EQ(Spaced(change.HuntTask()),
            "Програмата, както е написана, намира най-малката рамка за всяко N от 1 до 16 380. "
            "Махни отметка, за да я промениш, и виж какво става.");
  for (const Button button : {Button::kCheck, Button::kSmallest, Button::kWhy})
    EXPECT_FALSE(change.Enabled(button));

  change.Set(Part::kLargerAreas, false);
  EXPECT_TRUE(change.Hunting());
  EXPECT_STREQ(change.HuntHeading(), "Намери грешката");
  EXPECT_EQ(Spaced(change.HuntTask()),
            "Тази програма греши за някои N от 1 до 16 380. Намери N, за което тя не намира "
            "най-малката рамка.");
  const struct {
    const char* guess;
    const char* said;
    bool smallest;  // "Покажи най-малкото" in use after it
  } tries[] = {
      {"abc", "N е цяло число от 1 до 16 380.", false},  // not a try
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

// "Защо?" where the changed program cannot go wrong: the reasons for the N in the box, one for each
// part switched off, under a heading that fits; a new N takes the old one's why away.
TEST(Change, WhyAChangeThatCannotGoWrongCannot) {
  const std::vector<Part> changes[] = {{Part::kClosingSquare},
                                       {Part::kRootSide},
                                       {Part::kSmaller},
                                       {Part::kClosingSquare, Part::kRootSide, Part::kSmaller}};
  for (const auto& off : changes) {
    Change change;
    change.Type("3");
    lessons::change::Switches switches;
    for (const Part part : off) {
      change.Set(part, false);
      switches.on[static_cast<size_t>(part)] = false;
    }
    EXPECT_FALSE(change.Hunting());
    EXPECT_STREQ(change.HuntHeading(), "Изпробвай промяната");
    EXPECT_EQ(Spaced(change.HuntTask()),
              "Тази програма намира най-малката рамка за всяко N от 1 до 16 380. Защо?");
    ASSERT_TRUE(change.Enabled(Button::kWhy));
    change.Press(Button::kWhy);
    std::string reasons;
    for (const auto& reason : lessons::change::Reasons(3, switches))
      reasons += (reasons.empty() ? "" : " ") + lessons::change::Words(reason);
    EXPECT_EQ(change.Said(), reasons);
    EXPECT_EQ(lessons::change::Reasons(3, switches).size(), off.size());
    change.Step(1);
    EXPECT_TRUE(change.Said().empty());
  }
  // A said check of the hunt stays with a new N: it speaks of its own.
  Change change;
  change.Set(Part::kLargerAreas, false);
  change.TypeGuess("5");
  change.Press(Button::kCheck);
  change.Type("12");
  EXPECT_FALSE(change.Said().empty());
}

bool Says(const lessons::chart::Scene& scene, const std::string& text) {
  return std::any_of(scene.texts.begin(), scene.texts.end(),
                     [&](const auto& each) { return Spaced(each.text) == text; });
}

TEST(Change, TheChartOfTheWorkHasALineForEachProgramOnALogarithmicAxis) {
  lessons::change::Switches as_written;
  const WorkChart seventy(70, as_written);
  EXPECT_EQ(Spaced(seventy.Sentence()),
            "Всяка черта е 10 пъти повече от предишната. Работата на програмата, както е "
            "написана, е като трион: най-голяма е точно след точен квадрат – за 65, след "
            "8 × 8 = 64, тя прави 148 деления, а за 80, преди 9 × 9 = 81, само 19.");
  // The last stretch ends at the last N the programs take.
  EXPECT_EQ(Spaced(WorkChart(16380, as_written).Sentence()),
            "Всяка черта е 10 пъти повече от предишната. Работата на програмата, както е "
            "написана, е като трион: най-голяма е точно след точен квадрат – за 16 130, след "
            "127 × 127 = 16 129, тя прави 33 256 деления, а за 16 380, преди 128 × 128 = 16 384, "
            "само 675. N = 16 380 е след края на диаграмата.");
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
  EXPECT_EQ(wide.Top(), 100000);  // up to N, 60 923 divisions at 962

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
    // The program as written: where N = 65 stands, its line reaches the height of its 148
    // divisions, and the lines run from N = 1 to 1000, at most four points a column of pixels.
    const auto& written = scene.lines[0].points;
    const auto x_of = [&](int count) { return plot.x + (count - 1) * (plot.width - 1) / 999; };
    EXPECT_TRUE(std::any_of(written.begin(), written.end(), [&](const auto& point) {
      return point.x == x_of(65) && point.y == y_of(148);
    }));
    for (const auto& line : scene.lines) {
      ASSERT_FALSE(line.points.empty());
      EXPECT_EQ(line.points.front().x, plot.x);
      EXPECT_EQ(line.points.back().x, x_of(1000));
      EXPECT_LE(line.points.size(), static_cast<size_t>(4 * plot.width));
    }
    EXPECT_EQ(written.back().y,
              y_of(static_cast<double>(lessons::change::WorkAsWritten(1000).Divisions())));
    EXPECT_EQ(scene.lines.back().points[3].y, y_of(1));  // the formula, flat
    // The chosen N marked: a dot on each line at its x, at the height of its divisions there.
    const int dots = static_cast<int>(
        std::count_if(scene.fills.begin(), scene.fills.end(), [&](const auto& fill) {
          return fill.rect.x == x_of(work->Count()) - 3 && fill.rect.width == 7 &&
                 fill.rect.y + 3 ==
                     y_of(static_cast<double>(std::max<int64_t>(
                         lessons::change::WorkAsWritten(work->Count()).Divisions(), 1)));
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
