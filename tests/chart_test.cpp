// The chart after a check: which bars it has and which are gold, what it says, and where its
// bars, marks and labels stand when painted, none of its words over another.
#include "lessons/chart.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plain_text.h"

namespace {

using lessons::chart::Chart;
using lessons::chart::Paint;
using lessons::chart::Scene;
using lessons::practice::Sides;
using window::layout::Rgb;

std::vector<int> SidesOf(const Chart& chart, bool least) {
  std::vector<int> sides;
  for (const auto& bar : chart.Bars()) {
    if (!least || bar.least) sides.push_back(bar.side);
  }
  return sides;
}

int Filled(const Scene& scene, Rgb colour) {
  return static_cast<int>(std::count_if(scene.fills.begin(), scene.fills.end(),
                                        [&](const auto& fill) { return fill.colour == colour; }));
}

bool Says(const Scene& scene, const std::string& text) {
  return std::any_of(scene.texts.begin(), scene.texts.end(),
                     [&](const auto& each) { return each.text == text; });
}

TEST(Chart, ItsBarsReachALittlePastTheRootAndTheLeastAreGold) {
  const struct {
    int count, least;
    Sides answer;
    std::vector<int> sides, gold;
    int gap;
  } cases[] = {
      {70, 38, {7, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {7, 8, 9, 10}, -1},
      {16, 20, {4, 4}, {1, 2, 3, 4, 5, 6, 7}, {4}, -1},
      {2, 10, {1, 2}, {1, 2, 3, 4}, {1, 2}, -1},
      // The pupil's side far past the rest stands after a gap.
      {70, 38, {40, 2}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 40}, {7, 8, 9, 10}, 11},
      // The sides of every least frame are in, past √N + 3: 28 to 36 for 1000.
      {1000, 132, {32, 32}, {}, {28, 29, 30, 31, 32, 33, 34, 35, 36}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    const Chart chart = Chart::Of(c.count, c.least, {c.answer}, true, lessons::words::kLetters);
    if (!c.sides.empty()) {
      EXPECT_EQ(SidesOf(chart, false), c.sides);
    }
    EXPECT_EQ(SidesOf(chart, true), c.gold);
    EXPECT_EQ(chart.Gap(), c.gap);
    for (const auto& bar : chart.Bars()) {  // 2a + 2⌈N/a⌉ + 4
      EXPECT_EQ(bar.frame, 2 * bar.side + 2 * ((c.count + bar.side - 1) / bar.side) + 4);
    }
    EXPECT_GT(chart.Bars().back().side, SidesOf(chart, true).back());
  }
}

TEST(Chart, ItsSentenceAndTextAlternativeSayWhatItShows) {
  using lessons::words::kCharacters;
  using lessons::words::kLetters;
  const struct {
    int count, least;
    std::vector<Sides> tried;
    bool whole;
    bool gloss;  // whether the sentence says what √N is
    const lessons::words::Noun& letters;
    const char* sentence;
  } cases[] = {
      {70,
       38,
       {{5, 14}, {7, 10}},
       true,
       false,
       kLetters,
       "Стълбът над всяко a показва най-малката рамка на правоъгълник със страна a, в който се "
       "побират 70 букви: 2a + 2b + 4, където b е 70 : a, закръглено нагоре. Най-ниските "
       "стълбове, 38 квадратчета, са при a = 7, 8, 9 и 10, близо до √70 ≈ 8,37. Твоят отговор "
       "7 × 10 има рамка 38."},
      {16,
       20,
       {{4, 4}},
       true,
       true,
       kLetters,
       "Стълбът над всяко a показва най-малката рамка на правоъгълник със страна a, в който се "
       "побират 16 букви: 2a + 2b + 4, където b е 16 : a, закръглено нагоре. Най-ниският стълб, "
       "20 квадратчета, е при a = √16 = 4: числото, което, умножено по себе си, дава 16; 4 × 4 = "
       "16. Твоят отговор 4 × 4 има рамка 20."},
      {1,
       8,
       {{1, 1}},
       true,
       false,
       kLetters,
       "Стълбът над всяко a показва най-малката рамка на правоъгълник със страна a, в който се "
       "побира 1 буква: 2a + 2b + 4, където b е 1 : a, закръглено нагоре. Най-ниският стълб, 8 "
       "квадратчета, е при a = √1 = 1. Твоят отговор 1 × 1 има рамка 8."},
      // While the task is open, only the pupil's answer; and no √N where it is the answer.
      {49,
       32,
       {{5, 9}},
       false,
       true,
       kCharacters,
       "Твоят отговор 5 × 9 не побира знаците. Стълбовете на диаграмата ще видиш, когато задачата "
       "свърши."},
      {70,
       38,
       {{1, 1}},
       false,
       true,
       kLetters,
       "Твоят отговор 1 × 1 не побира буквите. Стълбовете на диаграмата ще видиш, когато задачата "
       "свърши. Червената черта е при √70 ≈ 8,37: числото, което, умножено по себе си, дава 70; "
       "8 × 8 = 64, 9 × 9 = 81."},
      // 9 × 9 has the least frame for 75: the square above N is not named while the task is open.
      {75,
       40,
       {{5, 20}},
       false,
       true,
       kLetters,
       "Твоят отговор 5 × 20 има рамка 54. Стълбовете на диаграмата ще видиш, когато задачата "
       "свърши. Червената черта е при √75 ≈ 8,66: числото, което, умножено по себе си, дава 75; "
       "8 × 8 = 64."},
  };
  for (const auto& c : cases) {
    const Chart chart = Chart::Of(c.count, c.least, c.tried, c.whole, c.letters, c.gloss);
    EXPECT_EQ(Spaced(chart.Sentence()), c.sentence);
    EXPECT_EQ(chart.Description().rfind("Диаграма. " + chart.Sentence(), 0), 0u);
  }
  const Chart whole = Chart::Of(70, 38, {{7, 10}}, true, kLetters);
  EXPECT_NE(whole.Description().find("1: 146; 2: 78; 3: 58;"), std::string::npos);
  EXPECT_NE(whole.Description().find("11: 40."), std::string::npos);
  EXPECT_TRUE(whole.NotHeld().empty());
  // The open chart: no bar, and an axis that stops a little past √N, not past the least sides.
  const Chart open = Chart::Of(49, 32, {{5, 9}}, false, kCharacters);
  EXPECT_TRUE(open.Bars().empty());
  EXPECT_EQ(open.Axis().size(), 10u);
  EXPECT_FALSE(open.ShowsRoot());
  EXPECT_EQ(Chart::Of(1000, 132, {{10, 100}}, false, kLetters).Axis().size(), 34u);
  EXPECT_EQ(Chart::Of(1000, 132, {{10, 100}}, true, kLetters).Axis().size(), 37u);
  EXPECT_EQ(Spaced(open.NotHeld()), "5 × 9 не побира знаците");
  EXPECT_EQ(Spaced(lessons::chart::RootText(49)), "√49 = 7");
  EXPECT_EQ(Spaced(lessons::chart::RootText(1000)), "√1000 ≈ 31,62");
}

TEST(Chart, ThePaintedSceneMarksTheLeastThePupilAndTheRoot) {
  const Chart chart = Chart::Of(70, 38, {{5, 14}}, true, lessons::words::kLetters);
  const Scene scene = Paint(chart, 440, 260);
  // Eleven bars, four of them gold, each outlined; and the legend's two squares.
  EXPECT_EQ(Filled(scene, lessons::chart::kLeastColour), 4 + 1);
  EXPECT_EQ(Filled(scene, lessons::chart::kBarColour), 7);
  EXPECT_TRUE(Says(scene, "най-малка рамка"));
  EXPECT_TRUE(Says(scene, "твоят отговор"));
  // The pupil's mark stands over the bar of its side, at the height of its frame, 42.
  ASSERT_EQ(Filled(scene, lessons::chart::kPupilColour), 1 + 1);
  const int slot = scene.plot.width / 11;
  EXPECT_EQ(scene.mark.x + scene.mark.width / 2, scene.plot.x + 4 * slot + slot / 2);
  const int y42 =
      scene.plot.y + scene.plot.height - static_cast<int>(42 * scene.plot.height / scene.top);
  EXPECT_NEAR(scene.mark.y + scene.mark.height / 2, y42, 1);
  // √70 between the bars of 8 and 9, named; both axes named; the counted form only after a
  // number.
  EXPECT_GT(Filled(scene, lessons::chart::kRootColour), 5);
  EXPECT_TRUE(Says(scene, "√70\u00A0≈\u00A08,37"));
  EXPECT_TRUE(Says(scene, "рамка (брой квадратчета)"));
  EXPECT_TRUE(Says(scene, "страна a по абсцисата"));
  EXPECT_TRUE(Says(scene, "38"));
  EXPECT_TRUE(Says(scene, "42"));  // the bar under the mark keeps its value, over the mark
  // The tallest bars are cut at the top, their values above the plot and under the titles.
  for (const std::string value : {"146"}) {
    const auto text = std::find_if(scene.texts.begin(), scene.texts.end(),
                                   [&](const auto& each) { return each.text == value; });
    ASSERT_NE(text, scene.texts.end()) << value;
    EXPECT_LE(text->rect.y + text->rect.height, scene.plot.y);
  }
  EXPECT_EQ(scene.top % 10, 0);
  EXPECT_GE(scene.top, 76);  // twice the least
  // Too small an area paints nothing.
  EXPECT_TRUE(Paint(chart, 30, 30).fills.empty());
}

// The pupil's mark stands at the height of its frame on the frame axis, with the frame written
// beside it; a frame past the axis's top stands over the top, past a break in the axis, never at
// the top as if it were the top's value. While the task is open the axis reaches past the frame.
TEST(Chart, ThePupilsMarkStandsWhereItsFrameIs) {
  const struct {
    int count;
    Sides answer;
    bool whole;
    bool broken;
  } cases[] = {
      {85, {3, 85}, true, true},  {85, {3, 85}, false, false},   {70, {5, 14}, true, false},
      {70, {7, 10}, true, false}, {1000, {1, 1000}, true, true}, {1000, {20, 60}, true, false},
      {12, {1, 12}, true, false}, {12, {1, 12}, false, false},   {2, {2, 2}, true, false},
  };
  for (const auto& c : cases) {
    const int least = lessons::practice::CountTask(c.count).Least();
    const Chart chart = Chart::Of(c.count, least, {c.answer}, c.whole, lessons::words::kLetters);
    const int64_t frame = 2 * c.answer.across + 2 * c.answer.down + 4;
    for (const auto& [width, height] : {std::pair{320, 200}, std::pair{440, 260}}) {
      SCOPED_TRACE(std::to_string(c.count) + ", " + std::to_string(c.answer.across) + " × " +
                   std::to_string(c.answer.down) + (c.whole ? ", over" : ", open") + " at " +
                   std::to_string(width));
      const Scene scene = Paint(chart, width, height);
      const lessons::chart::PixelRect& mark = scene.mark;
      ASSERT_GT(mark.width, 0);
      EXPECT_EQ(scene.broken, c.broken);
      if (c.broken) {
        EXPECT_GT(frame, scene.top);
        EXPECT_LE(mark.y + mark.height, scene.plot.y);
      } else {
        EXPECT_LE(frame, scene.top);
        const int at = scene.plot.y + scene.plot.height -
                       static_cast<int>(frame * scene.plot.height / scene.top);
        EXPECT_NEAR(mark.y + mark.height / 2, at, 1);
      }
      // Its value beside it, in the pupil's colour.
      const auto value =
          std::find_if(scene.texts.begin(), scene.texts.end(), [&](const auto& each) {
            return each.text == std::to_string(frame) &&
                   each.colour == lessons::chart::kPupilColour;
          });
      ASSERT_NE(value, scene.texts.end());
      EXPECT_LT(std::abs((value->rect.y + value->rect.height / 2) - (mark.y + mark.height / 2)),
                value->rect.height + mark.height);
      EXPECT_LT(std::min(std::abs(value->rect.x - (mark.x + mark.width)),
                         std::abs(value->rect.x + value->rect.width - mark.x)),
                mark.width + 6);
    }
  }
}

// An answer that does not hold the letters has no frame to stand at: its mark is on the axis at
// its side, hollow, and its words say so under the axis.
TEST(Chart, AnAnswerThatDoesNotHoldTheLettersIsMarkedOnTheAxis) {
  const Chart chart = Chart::Of(12, 14, {{1, 1}}, false, lessons::words::kLetters);
  const Scene scene = Paint(chart, 340, 220);
  EXPECT_EQ(scene.mark.y + scene.mark.height / 2, scene.plot.y + scene.plot.height);
  const int slot = scene.plot.width / static_cast<int>(chart.Axis().size());
  EXPECT_EQ(scene.mark.x + scene.mark.width / 2, scene.plot.x + slot / 2);
  const auto words = std::find_if(scene.texts.begin(), scene.texts.end(), [](const auto& each) {
    return Spaced(each.text) == "1 × 1 не побира буквите";
  });
  ASSERT_NE(words, scene.texts.end());
  EXPECT_GT(words->rect.y, scene.plot.y + scene.plot.height);
}

// For charts of many counts, answers and sizes, a phone's among them: every text inside the area,
// at least 12 pixels high, and none over another or over the pupil's mark.
TEST(Chart, NoTwoWordsOverlap) {
  const struct {
    int count;
    std::vector<Sides> tried;
    bool whole;
  } charts[] = {
      {70, {{1, 70}}, true},    {70, {{5, 14}}, true},     {70, {{7, 10}}, true},
      {70, {{40, 2}}, false},   {12, {{1, 1}}, false},     {12, {{3, 4}}, true},
      {2, {{1, 2}}, true},      {5, {{2, 2}}, false},      {21, {{2, 11}}, true},
      {1000, {{32, 32}}, true}, {1000, {{1, 1000}}, true}, {442, {{17, 26}}, true},
      {97, {{3, 3}}, false},    {16, {{4, 4}}, true},
  };
  int checked = 0;
  for (const auto& c : charts) {
    const int least = lessons::practice::CountTask(c.count).Least();
    const Chart chart = Chart::Of(c.count, least, c.tried, c.whole, lessons::words::kLetters);
    for (const auto& [width, height] :
         {std::pair{200, 150}, std::pair{320, 200}, std::pair{340, 240}, std::pair{440, 260},
          std::pair{640, 320}}) {
      SCOPED_TRACE(std::to_string(c.count) + " at " + std::to_string(width) + "×" +
                   std::to_string(height));
      const Scene scene = Paint(chart, width, height);
      const auto& texts = scene.texts;
      for (size_t i = 0; i < texts.size(); ++i) {
        const auto& a = texts[i].rect;
        EXPECT_GE(texts[i].font_pixels, 12);
        EXPECT_GE(a.width, lessons::chart::TextWidth(texts[i].text, texts[i].font_pixels));
        EXPECT_GE(a.x, 0) << texts[i].text;
        EXPECT_GE(a.y, 0) << texts[i].text;
        EXPECT_LE(a.x + a.width, width) << texts[i].text;
        EXPECT_LE(a.y + a.height, height) << texts[i].text;
        const auto apart = [](const auto& p, const auto& q) {
          return p.x + p.width <= q.x || q.x + q.width <= p.x || p.y + p.height <= q.y ||
                 q.y + q.height <= p.y;
        };
        EXPECT_TRUE(apart(a, scene.mark)) << texts[i].text;
        for (size_t j = i + 1; j < texts.size(); ++j) {
          ++checked;
          EXPECT_TRUE(apart(a, texts[j].rect)) << texts[i].text << " and " << texts[j].text;
        }
      }
      // The titles and the least frame's value always find room.
      EXPECT_TRUE(Says(scene, "рамка (брой квадратчета)"));
      EXPECT_TRUE(Says(scene, "страна a по абсцисата"));
      if (c.whole) {
        EXPECT_TRUE(Says(scene, std::to_string(least)));
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

}  // namespace
