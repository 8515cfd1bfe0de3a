// The chart after a check: which bars it has and which are gold, what it says, and where its
// bars, marks and labels stand when painted.
#include "lessons/chart.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    const Chart chart = Chart::Of(c.count, c.least, {c.answer}, true, "букви");
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
  const Chart whole = Chart::Of(70, 38, {{5, 14}, {7, 10}}, true, "букви");
  EXPECT_EQ(whole.Sentence(),
            "Стълбът над a е най-малката рамка на правоъгълник със страна a по абсцисата, който "
            "побира 70 букви: 2a + 2b + 4, където b е 70/a, закръглено нагоре. Най-ниските, 38 "
            "квадрата, са при a = 7, 8, 9 и 10, близо до √70 ≈ 8,37. Вашият отговор 7 × 10 има "
            "рамка 38.");
  EXPECT_EQ(whole.Description().rfind("Диаграма. " + whole.Sentence(), 0), 0u);
  EXPECT_NE(whole.Description().find("1: 146; 2: 78; 3: 58;"), std::string::npos);
  EXPECT_NE(whole.Description().find("11: 40."), std::string::npos);

  // While the task is open, only the sides tried, and a mark that does not fit is said so.
  const Chart open = Chart::Of(49, 32, {{5, 9}}, false, "знака");
  EXPECT_EQ(open.Bars().size(), 1u);
  EXPECT_EQ(open.Axis().size(), 10u);  // the same axis as the whole chart
  EXPECT_EQ(open.Sentence(),
            "Стълбът над a = 5 е най-малката рамка със страна 5 по абсцисата, която побира 49 "
            "знака: 2 × 5 + 2 × 10 + 4 = 34. Другите страни ще видите, когато задачата свърши. "
            "Вашият отговор 5 × 9 не побира буквите.");
  EXPECT_EQ(lessons::chart::RootText(49), "√49 = 7");
  EXPECT_EQ(lessons::chart::RootText(1000), "√1000 ≈ 31,62");
}

TEST(Chart, ThePaintedSceneMarksTheLeastThePupilAndTheRoot) {
  const Chart chart = Chart::Of(70, 38, {{5, 14}}, true, "букви");
  const Scene scene = Paint(chart, 440, 260);
  // Eleven bars, four of them gold, each outlined; and the legend's two squares.
  EXPECT_EQ(Filled(scene, lessons::chart::kLeastColour), 4 + 1);
  EXPECT_EQ(Filled(scene, lessons::chart::kBarColour), 7);
  EXPECT_TRUE(Says(scene, "най-малка рамка"));
  EXPECT_TRUE(Says(scene, "вашият отговор"));
  // The pupil's mark stands over the bar of its side, at the height of its frame, 42.
  ASSERT_EQ(Filled(scene, lessons::chart::kPupilColour), 1 + 1);
  const auto mark = *std::find_if(scene.fills.begin(), scene.fills.end(), [&](const auto& fill) {
    return fill.colour == lessons::chart::kPupilColour && fill.rect.y > scene.plot.y;
  });
  const int slot = scene.plot.width / 11;
  EXPECT_EQ(mark.rect.x + mark.rect.width / 2, scene.plot.x + 4 * slot + slot / 2);
  const int y42 =
      scene.plot.y + scene.plot.height - static_cast<int>(42 * scene.plot.height / scene.top);
  EXPECT_NEAR(mark.rect.y + mark.rect.height / 2, y42, 1);
  // √70 between the bars of 8 and 9, named at its top; both axes named.
  EXPECT_GT(Filled(scene, lessons::chart::kRootColour), 5);
  EXPECT_TRUE(Says(scene, "√70 ≈ 8,37"));
  EXPECT_TRUE(Says(scene, "рамка, квадрата"));
  EXPECT_TRUE(Says(scene, "страна a по абсцисата"));
  EXPECT_TRUE(Says(scene, "38"));
  EXPECT_EQ(scene.top % 10, 0);
  EXPECT_GE(scene.top, 76);  // twice the least
  // Every fill and text stands inside the area.
  for (const auto& fill : scene.fills) {
    EXPECT_GE(fill.rect.x, 0);
    EXPECT_GE(fill.rect.y, 0);
    EXPECT_LE(fill.rect.x + fill.rect.width, 440);
    EXPECT_LE(fill.rect.y + fill.rect.height, 260);
  }
  for (const auto& text : scene.texts) {
    EXPECT_GE(text.rect.x, 0) << text.text;
    EXPECT_LE(text.rect.x + text.rect.width, 440) << text.text;
    EXPECT_LE(text.rect.y + text.rect.height, 260) << text.text;
  }
  // Too small an area paints nothing.
  EXPECT_TRUE(Paint(chart, 30, 30).fills.empty());
}

}  // namespace
