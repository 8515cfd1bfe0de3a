#include "lessons/work_chart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lessons/why.h"
#include "lessons/words.h"

namespace lessons::change {

namespace {

using chart::Align;
using chart::PixelRect;
using chart::Point;
using chart::TextPlacer;
using chart::TextWidth;
using words::Fill;
using words::Grouped;
using words::Number;

constexpr chart::Rgb kPaper{0xFF, 0xFF, 0xFF};
constexpr chart::Rgb kInk{0x00, 0x00, 0x00};
constexpr chart::Rgb kGrid{0xE4, 0xE4, 0xE4};
constexpr chart::Rgb kMarkColour{0x60, 0x60, 0x60};
constexpr std::array<Program, 4> kPrograms = {Program::kAsWritten, Program::kChanged,
                                              Program::kEverySide, Program::kFormula};

// The divisions a program makes for N.
int64_t Counted(Program program, int count, const Switches& switches) {
  switch (program) {
    case Program::kAsWritten:
      return WorkAsWritten(count).Divisions();
    case Program::kChanged:
      return WorkChanged(count, switches).Divisions();
    case Program::kEverySide:
      return count - 1;
    case Program::kFormula:
      return 1;
  }
  return 0;
}

}  // namespace

const char* NameOf(Program program) {
  switch (program) {
    case Program::kAsWritten:
      return "както е написана";
    case Program::kChanged:
      return "променената";
    case Program::kEverySide:
      return "всяка страна";
    case Program::kFormula:
      return "формулата";
  }
  return "";
}

bool WorkChart::Shows(Program program) const {
  return program != Program::kChanged || !switches_[Part::kRootSide] ||
         !switches_[Part::kLargerAreas];
}

std::shared_ptr<const WorkSeries> SeriesFor(const Switches& switches) {
  auto series = std::make_shared<WorkSeries>();
  for (const Program program : kPrograms) {
    auto& divisions = (*series)[static_cast<size_t>(program)];
    divisions.reserve(kWorkLast);
    for (int count = 1; count <= kWorkLast; ++count)
      divisions.push_back(Counted(program, count, switches));
  }
  return series;
}

int64_t WorkChart::Divisions(Program program, int count) const {
  const std::vector<int64_t>& counted = (*series_)[static_cast<size_t>(program)];
  if (count >= 1 && static_cast<size_t>(count) <= counted.size())
    return counted[static_cast<size_t>(count - 1)];
  return Counted(program, count, switches_);
}

int64_t WorkChart::Top() const {
  int64_t most = 0;
  for (const Program program : kPrograms) {
    if (!Shows(program)) continue;
    for (int count = 1; count <= kWorkLast; ++count)
      most = std::max(most, Divisions(program, count));
  }
  int64_t top = 10'000;
  while (top < most)
    top *= 10;
  return top;
}

std::string WorkChart::Sentence() const {
  std::string sentence = "Всяка черта е 10 пъти повече от предишната. ";
  if (count_ < 1 || count_ > kLargestCount) {
    return sentence +
           "Работата на програмата, както е написана, е като трион: най-голяма е точно след "
           "точен квадрат, а най-малка – точно преди следващия.";
  }
  // N's own stretch: just after the perfect square below it the search scans the most areas, just
  // before the next one the fewest; the last stretch ends at the last N the programs take.
  const int root = std::max(practice::WholeRoot(count_), 2);
  const int after = root * root + 1;
  const int before = std::min((root + 1) * (root + 1) - 1, kLargestCount);
  sentence += Fill(
      "Работата на програмата, както е написана, е като трион: най-голяма е точно след точен "
      "квадрат – за {0}, след {1} × {1} = {2}, тя прави {3}, а за {4}, преди {5} × {5} = {6}, само "
      "{7}.",
      {Grouped(after), Grouped(root), Grouped(root * root),
       change::Divisions(WorkAsWritten(after).Divisions()), Grouped(before), Grouped(root + 1),
       Grouped((root + 1) * (root + 1)), Grouped(WorkAsWritten(before).Divisions())});
  if (count_ > kWorkLast) {
    sentence += Fill(" N = {0} е след края на диаграмата.", {Grouped(count_)});
  }
  return sentence;
}

std::string WorkChart::Description() const {
  std::string said = Fill(
      "Диаграма „{0}“: колко деления прави всяка програма за всяко N от 1 до {1}, по ос, на която "
      "всяко число е 10 пъти по-голямо от предишното. {2}",
      {kWorkLabel, Number(kWorkLast), Sentence()});
  std::vector<int> at = {10, 100, 101, 1000};
  if (Marks() && std::find(at.begin(), at.end(), count_) == at.end()) {
    at.push_back(count_);
    std::sort(at.begin(), at.end());
  }
  for (const Program program : kPrograms) {
    if (!Shows(program)) continue;
    std::string values;
    for (const int count : at) {
      values += Fill("{0}при N = {1} – {2}", {values.empty() ? "" : ", ", Grouped(count),
                                              Grouped(Divisions(program, count))});
    }
    said += Fill(" {0}: {1}.", {NameOf(program), values});
  }
  return said;
}

chart::Scene Paint(const WorkChart& work, int width, int height) {
  chart::Scene scene;
  if (width < 60 || height < 60) return scene;
  scene.fills.push_back({{0, 0, width, height}, kPaper});
  TextPlacer words(scene, width, height);
  const int font = std::clamp(height / 18, 13, 16);
  const int small = std::max(font - 2, 12);
  const int line = font + 4;
  const int label = small + 2;

  // The title of the axis of divisions and the legend, flowing on where the area is narrow.
  const std::string title = "деления";
  words.Place({{}, title, font, Align::kLeft, kInk}, {{2, 2, TextWidth(title, font), line}});
  int x = 2 + TextWidth(title, font) + 12;
  int y = 2;
  for (const Program program : kPrograms) {
    if (!work.Shows(program)) continue;
    const std::string name = NameOf(program);
    const int name_width = TextWidth(name, small);
    const int item = 18 + 4 + name_width;
    if (x + item > width - 4 && x > 2) {
      x = 2;
      y += line + 2;
    }
    const chart::Rgb colour = kProgramColours[static_cast<size_t>(program)];
    scene.fills.push_back({{x, y + line / 2 - 1, 18, 3}, colour});
    words.Keep({x, y + line / 2 - 1, 18, 3});
    words.Place({{}, name, small, Align::kLeft, kInk}, {{x + 22, y, name_width, line}});
    x += item + 12;
  }

  // The axes: divisions on a logarithmic one, a power of ten a step; N from 1 to 1000.
  const int64_t top = work.Top();
  const int decades = static_cast<int>(std::lround(std::log10(static_cast<double>(top))));
  const int left = TextWidth(words::Grouped(top), small) + 8;
  const int plot_top = y + line + 2 + label / 2 + 2;
  const int bottom = 3 + label + 2 + line + 2;
  scene.top = top;
  PixelRect& plot = scene.plot;
  plot = {left, plot_top, std::max(width - left - 12, 10),
          std::max(height - plot_top - bottom, 10)};
  const auto y_of = [&](int64_t divisions) {
    const double level = std::log10(static_cast<double>(std::max<int64_t>(divisions, 1)));
    return plot.y + plot.height - static_cast<int>(std::lround(level * plot.height / decades));
  };
  const auto x_of = [&](int count) {
    return plot.x + (count - 1) * (plot.width - 1) / (kWorkLast - 1);
  };
  int64_t power = 1;
  for (int decade = 0; decade <= decades; ++decade, power *= 10) {
    const int tick_y = y_of(power);
    scene.fills.push_back({{plot.x - 4, tick_y, 4, 1}, kInk});
    if (decade > 0) scene.fills.push_back({{plot.x + 1, tick_y, plot.width - 1, 1}, kGrid});
    words.Place({{}, words::Grouped(power), small, Align::kRight, kInk},
                {{0, tick_y - label / 2, plot.x - 6, label}});
  }
  const int labels_y = plot.y + plot.height + 3;
  for (const int count : {1, 200, 400, 600, 800, 1000}) {
    scene.fills.push_back({{x_of(count), plot.y + plot.height, 1, 4}, kInk});
    const std::string text = Number(count);
    words.Place({{}, text, small, Align::kCentre, kInk},
                {words.Centred(x_of(count), labels_y, TextWidth(text, small), label)});
  }
  scene.fills.push_back({{plot.x, plot.y, 1, plot.height + 1}, kInk});
  scene.fills.push_back({{plot.x, plot.y + plot.height, plot.width, 1}, kInk});
  const std::string across = "N";
  words.Place({{}, across, font, Align::kCentre, kInk},
              {words.Centred(plot.x + plot.width / 2, labels_y + label + 2, TextWidth(across, font),
                             line)});

  // A line for each program, the chosen N marked across them.
  for (const Program program : kPrograms) {
    if (!work.Shows(program)) continue;
    // Where several N share a column of pixels, the line keeps only what shows there: where it
    // comes in, its lowest and highest, and where it goes on.
    chart::Polyline drawn{{}, kProgramColours[static_cast<size_t>(program)], 2};
    std::vector<Point> column;
    const auto keep = [&] {
      if (column.empty()) return;
      const auto [low, high] = std::minmax_element(
          column.begin(), column.end(), [](const Point& a, const Point& b) { return a.y < b.y; });
      const bool low_first = low < high;
      for (const Point& point :
           {column.front(), low_first ? *low : *high, low_first ? *high : *low, column.back()}) {
        if (drawn.points.empty() || drawn.points.back().x != point.x ||
            drawn.points.back().y != point.y)
          drawn.points.push_back(point);
      }
      column.clear();
    };
    for (int count = 1; count <= kWorkLast; ++count) {
      const Point point{x_of(count), y_of(work.Divisions(program, count))};
      if (!column.empty() && column.front().x != point.x) keep();
      column.push_back(point);
    }
    keep();
    scene.lines.push_back(std::move(drawn));
  }
  if (work.Marks()) {
    const int mark_x = x_of(work.Count());
    for (int dash = plot.y; dash < plot.y + plot.height; dash += 6)
      scene.fills.push_back(
          {{mark_x, dash, 1, std::min(3, plot.y + plot.height - dash)}, kMarkColour});
    for (const Program program : kPrograms) {
      if (!work.Shows(program)) continue;
      const int dot_y = y_of(work.Divisions(program, work.Count()));
      scene.fills.push_back({{mark_x - 3, dot_y - 3, 7, 7}, kInk});
      scene.fills.push_back(
          {{mark_x - 2, dot_y - 2, 5, 5}, kProgramColours[static_cast<size_t>(program)]});
      words.Keep({mark_x - 3, dot_y - 3, 7, 7});
    }
    const std::string name = Fill("N = {0}", {Grouped(work.Count())});
    const int name_width = TextWidth(name, small);
    const int name_y = plot.y - label / 2 - 2;
    words.Place({{}, name, small, Align::kLeft, kMarkColour},
                {{mark_x + 4, name_y, name_width, label},
                 {mark_x - 4 - name_width, name_y, name_width, label},
                 {mark_x + 4, plot.y + 2, name_width, label},
                 {mark_x - 4 - name_width, plot.y + 2, name_width, label}});
  }
  return scene;
}

}  // namespace lessons::change
