#include "lessons/chart.h"

#include <algorithm>
#include <cmath>

#include "lessons/words.h"

namespace lessons::chart {

namespace {

using practice::FrameOf;
using practice::Sides;
using words::Fill;
using words::Number;

// The least other side of a rectangle with `side` along the abscissa that holds `count` letters,
// ⌈count/side⌉, and its frame.
int64_t Ceiling(int count, int side) {
  return (int64_t{count} + side - 1) / side;
}

int64_t LeastWithSide(int count, int side) {
  return FrameOf(side, Ceiling(count, side));
}

}  // namespace

std::string RootText(int count) {
  const int whole = practice::WholeRoot(count);
  if (whole * whole == count) return words::Bound("√" + Number(count) + " = " + Number(whole));
  return words::Bound("√" + Number(count) + " ≈ " +
                      words::Decimal(std::sqrt(static_cast<double>(count)), 2));
}

std::string RootGlossed(int count, bool above) {
  const int whole = practice::WholeRoot(count);
  std::string squares = words::Times(whole, whole) + " = " + Number(whole * whole);
  if (whole * whole != count && above) {
    squares +=
        ", " + words::Times(whole + 1, whole + 1) + " = " + Number((whole + 1) * (whole + 1));
  }
  return Fill("{0}: числото, което, умножено по себе си, дава {1}; {2}",
              {RootText(count), Number(count), squares});
}

bool SquareAboveIsLeast(int count, int least) {
  return FrameOf(practice::WholeRoot(count) + 1, practice::WholeRoot(count) + 1) == least;
}

int TextWidth(const std::string& text, int font_pixels) {
  int characters = 0;
  for (const char c : text)
    characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return (characters * font_pixels * 62 + 99) / 100 + 2;
}

std::string Listing(const std::vector<std::string>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " и " : ", ";
    text += items[i];
  }
  return text;
}

Chart Chart::Of(int count, int least, const std::vector<Sides>& tried, bool whole,
                const words::Noun& letters, bool gloss_root) {
  Chart chart;
  chart.count_ = count;
  chart.least_ = least;
  chart.whole_ = whole;
  chart.letters_ = &letters;
  chart.gloss_root_ = gloss_root;
  if (!tried.empty()) {
    const Sides& last = tried.back();
    chart.pupil_ =
        Answer{last, FrameOf(last.across, last.down), int64_t{last.across} * last.down >= count};
  }
  // Past the sides of the least frames only once the task is over: before, the axis's end would
  // tell them.
  int last = practice::WholeRoot(count) + 3;
  for (int side = 1; whole && side <= (least - 4) / 2; ++side) {
    if (LeastWithSide(count, side) == least) last = std::max(last, side + 1);
  }
  for (int side = 1; side <= last; ++side)
    chart.axis_.push_back(side);
  std::vector<int> far;  // the pupil's sides past the rest
  for (const Sides& each : tried) {
    if (each.across > last) far.push_back(each.across);
  }
  std::sort(far.begin(), far.end());
  far.erase(std::unique(far.begin(), far.end()), far.end());
  if (!far.empty()) chart.gap_ = static_cast<int>(chart.axis_.size());
  chart.axis_.insert(chart.axis_.end(), far.begin(), far.end());
  for (const int side : whole ? chart.axis_ : std::vector<int>()) {
    const int64_t frame = LeastWithSide(count, side);
    chart.bars_.push_back({side, frame, frame == least});
  }
  return chart;
}

bool Chart::ShowsRoot() const {
  const int root = practice::WholeRoot(count_);
  return whole_ || root * root != count_;
}

namespace {

// "в който се побират 70 букви", "в който се побира 1 буква".
std::string HoldsAll(int count, const words::Noun& letters) {
  return Fill(count == 1 ? "в който се побира {0}" : "в който се побират {0}",
              {words::Counted(count, letters)});
}

}  // namespace

std::string Chart::Sentence() const {
  const std::string n = Number(count_);
  // √N with what it means where the page says it nowhere else, but never the square above N
  // while that is an answer still to be found.
  const std::string root = gloss_root_
                               ? RootGlossed(count_, whole_ || !SquareAboveIsLeast(count_, least_))
                               : RootText(count_);
  std::string answer;
  if (pupil_) {
    const std::string sides = words::Times(pupil_->sides.across, pupil_->sides.down);
    answer = pupil_->fits ? Fill("Твоят отговор {0} има рамка {1}.", {sides, Number(pupil_->frame)})
                          : Fill("Твоят отговор {0} не побира {1}.", {sides, letters_->the});
  }
  if (!whole_) {
    std::string sentence = answer + (answer.empty() ? "" : " ") +
                           "Стълбовете на диаграмата ще видиш, когато задачата свърши.";
    if (ShowsRoot() && gloss_root_) sentence += Fill(" Червената черта е при {0}.", {root});
    return sentence;
  }
  std::vector<std::string> least;
  for (const Bar& bar : bars_) {
    if (bar.least) least.push_back(Number(bar.side));
  }
  const int whole_root = practice::WholeRoot(count_);
  const std::string frames = words::Counted(least_, words::kSquares);
  const std::string lowest = least.size() > 1
                                 ? Fill("Най-ниските стълбове, {0}, са при a = {1}, близо до {2}.",
                                        {frames, Listing(least), root})
                             : whole_root * whole_root == count_
                                 ? Fill("Най-ниският стълб, {0}, е при a = {1}.", {frames, root})
                                 : Fill("Най-ниският стълб, {0}, е при a = {1}, близо до {2}.",
                                        {frames, Listing(least), root});
  std::string sentence = Fill(
      "Стълбът над всяко a показва най-малката рамка на правоъгълник със страна a, {0}: 2a + 2b "
      "+ 4, където b е {1} : a, закръглено нагоре. {2}",
      {HoldsAll(count_, *letters_), n, lowest});
  return sentence + (answer.empty() ? "" : " ") + answer;
}

std::string Chart::NotHeld() const {
  if (!pupil_ || pupil_->fits) return {};
  return Fill("{0} не побира {1}",
              {words::Times(pupil_->sides.across, pupil_->sides.down), letters_->the});
}

std::string Chart::Description() const {
  std::string values;
  for (const Bar& bar : bars_) {
    values += (values.empty() ? "" : "; ") + Number(bar.side) + ": " + Number(bar.frame);
  }
  if (values.empty()) return "Диаграма. " + Sentence();
  return "Диаграма. " + Sentence() + " Най-малката рамка за всяка страна a – " + values + ".";
}

namespace {

// The side of the pupil's mark at its largest.
constexpr int kMarkMost = 14;

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

int64_t TickStep(int64_t top, int most) {
  int64_t power = 1;
  while (true) {
    for (const int64_t step : {power, 2 * power, 5 * power}) {
      if (top / step <= most) return step;
    }
    power *= 10;
  }
}

bool TextPlacer::Free(const PixelRect& rect) const {
  if (rect.x < 0 || rect.y < 0 || rect.x + rect.width > width_ || rect.y + rect.height > height_)
    return false;
  const PixelRect padded{rect.x - 1, rect.y - 1, rect.width + 2, rect.height + 2};
  return std::none_of(taken_.begin(), taken_.end(),
                      [&](const PixelRect& each) { return Overlap(padded, each); });
}

bool TextPlacer::Place(const Text& text, std::initializer_list<PixelRect> places) {
  for (const PixelRect& place : places) {
    if (!Free(place)) continue;
    Text placed = text;
    placed.rect = place;
    scene_.texts.push_back(placed);
    taken_.push_back(place);
    return true;
  }
  return false;
}

PixelRect TextPlacer::Centred(int centre, int y, int width, int height) const {
  return {std::clamp(centre - width / 2, 0, std::max(width_ - width, 0)), y, width, height};
}

Scene Paint(const Chart& chart, int width, int height) {
  Scene scene;
  if (width < 40 || height < 40) return scene;
  scene.fills.push_back({{0, 0, width, height}, kPaper});
  TextPlacer words(scene, width, height);
  const int font = std::clamp(height / 18, 13, 16);
  const int small = std::max(font - 2, 12);
  const int line = font + 4;    // a title's row
  const int label = small + 2;  // a label's row

  // The titles and the legend at the top, flowing on to a second row where the area is narrow:
  // what the frame axis counts, what the gold, where there are bars, and the pupil's mark stand
  // for.
  const std::string title = "рамка (брой квадратчета)";
  words.Place({{}, title, font, Align::kLeft, kInkColour}, {{2, 2, TextWidth(title, font), line}});
  int x = 2 + TextWidth(title, font) + 12;
  int y = 2;
  for (const auto& [colour, said] :
       {std::pair{kLeastColour, "най-малка рамка"}, std::pair{kPupilColour, "твоят отговор"}}) {
    if (colour == kLeastColour && chart.Bars().empty()) continue;
    const int said_width = TextWidth(said, small);
    const int item = small + 4 + said_width;
    if (x + item > width - 4 && x > 2) {
      x = 2;
      y += line + 2;
    }
    const int box_y = y + (line - small) / 2;
    scene.fills.push_back({{x, box_y, small, small}, kOutlineColour});
    scene.fills.push_back({{x + 1, box_y + 1, small - 2, small - 2}, colour});
    words.Keep({x, box_y, small, small});
    words.Place({{}, said, small, Align::kLeft, kInkColour},
                {{x + small + 4, y, said_width, line}});
    x += item + 12;
  }
  const int header = y + line + 2;

  // The frame axis reaches twice the least frame, so that the least bars stand half way up; a
  // bar that is taller is cut at the top, and its value over it, in a row of its own above the
  // plot, says how tall it is. A pupil's answer whose frame is taller still stands in that row,
  // over a break in the axis, with its value beside it. While the task is open the axis reaches a
  // little past the pupil's frame, so that its height tells nothing of the least.
  // An answer that does not hold the letters stands on the axis, half its mark below it: the
  // labels of the sides stand under it, and its words under them.
  const std::optional<Answer>& pupil = chart.Pupil();
  const bool not_held = !chart.NotHeld().empty();
  const int below_axis = not_held ? kMarkMost / 2 + 1 : 0;
  const int top = header + label + 4;
  const int bottom = below_axis + 3 + label + (not_held ? 2 + label : 0) + 2 + line + 2;
  const int64_t top_frame = std::max<int64_t>(
      chart.Whole() || !pupil ? 2 * int64_t{chart.Least()} : pupil->frame + pupil->frame / 4, 10);
  const int plot_height = std::max(height - top - bottom, 10);
  const int64_t step = TickStep(top_frame, std::clamp(plot_height / (label + 8), 1, 5));
  scene.top = (top_frame + step - 1) / step * step;
  const int left = TextWidth(Number(scene.top), small) + 8;
  PixelRect& plot = scene.plot;
  plot = {left, top, std::max(width - left - 8, 10), plot_height};
  const auto y_of = [&](int64_t frame) {
    const int64_t shown = std::min(frame, scene.top);
    return plot.y + plot.height - static_cast<int>(shown * plot.height / scene.top);
  };

  // The frame axis's ticks and their values.
  for (int64_t tick = step; tick <= scene.top; tick += step) {
    const int tick_y = y_of(tick);
    scene.fills.push_back({{plot.x - 4, tick_y, 4, 1}, kAxisColour});
    scene.fills.push_back({{plot.x + 1, tick_y, plot.width - 1, 1}, {0xE4, 0xE4, 0xE4}});
    words.Place({{}, Number(tick), small, Align::kRight, kInkColour},
                {{0, tick_y - label / 2, plot.x - 6, label}});
  }

  // Each side of the axis has a slot of its own; the pupil's side far past the rest stands after
  // an empty one.
  const std::vector<int>& axis = chart.Axis();
  const std::vector<Bar>& bars = chart.Bars();
  const int slots = static_cast<int>(axis.size()) + (chart.Gap() >= 0 ? 1 : 0);
  const int slot = slots > 0 ? std::max(plot.width / slots, 1) : plot.width;
  const int bar_width = std::max(slot * 7 / 10, 1);
  const auto place_of = [&](int side) {
    const auto found = std::find(axis.begin(), axis.end(), side);
    const auto index = static_cast<int>(found - axis.begin());
    return index + (chart.Gap() >= 0 && index >= chart.Gap() ? 1 : 0);
  };
  const auto centre_of = [&](int side) { return plot.x + place_of(side) * slot + slot / 2; };
  const bool pupil_on_axis =
      pupil && std::find(axis.begin(), axis.end(), pupil->sides.across) != axis.end();
  const auto pupils = [&](int side) { return pupil && pupil->sides.across == side; };

  for (const Bar& bar : bars) {
    const int bar_x = centre_of(bar.side) - bar_width / 2;
    const int bar_y = y_of(bar.frame);
    const PixelRect rect{bar_x, bar_y, bar_width, plot.y + plot.height - bar_y};
    if (bar_width >= 3) {
      scene.fills.push_back({rect, kOutlineColour});
      scene.fills.push_back({{bar_x + 1, bar_y + 1, bar_width - 2, rect.height - 1},
                             bar.least ? kLeastColour : kBarColour});
    } else {
      scene.fills.push_back({rect, bar.least ? kLeastColour : kBarColour});
    }
    if (bar.frame > scene.top) scene.fills.push_back({{bar_x, bar_y + 6, bar_width, 3}, kPaper});
  }

  // The axes, √N between the bars of its floor and its ceiling as a dashed line.
  scene.fills.push_back({{plot.x, plot.y, 1, plot.height + 1}, kAxisColour});
  scene.fills.push_back({{plot.x, plot.y + plot.height, plot.width, 1}, kAxisColour});
  const double root = std::sqrt(static_cast<double>(chart.Count()));
  const int root_x = plot.x + static_cast<int>(std::lround((root - 0.5) * slot));
  if (!axis.empty() && chart.ShowsRoot()) {
    for (int dash = plot.y; dash < plot.y + plot.height; dash += 6)
      scene.fills.push_back(
          {{root_x, dash, 2, std::min(3, plot.y + plot.height - dash)}, kRootColour});
  }

  // The pupil's answer: a square mark at its side and its frame, or over the top past a break in
  // the frame axis; an answer that does not hold the letters, hollow on the axis at its side, with
  // its words under the axis.
  if (pupil_on_axis) {
    const int mark = std::clamp(slot * 6 / 10, 8, kMarkMost);
    const int mark_x = centre_of(pupil->sides.across) - mark / 2;
    scene.broken = pupil->fits && pupil->frame > scene.top;
    const int mark_y = !pupil->fits   ? plot.y + plot.height - mark / 2
                       : scene.broken ? plot.y - mark - 3
                                      : y_of(pupil->frame) - mark / 2;
    scene.mark = {mark_x, mark_y, mark, mark};
    if (scene.broken) {
      // The axis goes on up to the mark's height, with a gap and two strokes across it where the
      // scale stops.
      const int over = mark_y + mark / 2;
      scene.fills.push_back({{plot.x, over, 1, plot.y - over}, kAxisColour});
      scene.fills.push_back({{plot.x - 4, over, 4, 1}, kAxisColour});
      scene.fills.push_back({{plot.x - 4, plot.y - 4, 9, 3}, kPaper});
      for (const int stroke : {plot.y - 1, plot.y - 4})
        scene.lines.push_back(
            {{{plot.x - 4, stroke + 2}, {plot.x + 4, stroke - 2}}, kAxisColour, 1});
      words.Keep({plot.x - 5, over, 11, plot.y - over});
    }
    scene.fills.push_back({{mark_x - 1, mark_y - 1, mark + 2, mark + 2}, kPaper});
    scene.fills.push_back({scene.mark, kPupilColour});
    if (!pupil->fits) scene.fills.push_back({{mark_x + 3, mark_y + 3, mark - 6, mark - 6}, kPaper});
    words.Keep({mark_x - 1, mark_y - 1, mark + 2, mark + 2});
  }

  // The labels of the sides under the axis: the pupil's side and the least ones first, then as
  // many others as have room.
  const int labels_y = plot.y + plot.height + below_axis + 3;
  std::vector<int> order;
  for (const int side : axis) {
    if (pupils(side)) order.insert(order.begin(), side);
  }
  for (const int side : axis) {
    if (chart.Whole() && LeastWithSide(chart.Count(), side) == chart.Least() && !pupils(side))
      order.push_back(side);
  }
  for (const int side : axis) {
    if (std::find(order.begin(), order.end(), side) == order.end()) order.push_back(side);
  }
  for (const int side : order) {
    const std::string text = Number(side);
    words.Place({{}, text, small, Align::kCentre, kInkColour},
                {words.Centred(centre_of(side), labels_y, TextWidth(text, small), label)});
  }
  if (chart.Gap() >= 0) {  // the axis breaks where the gap is
    words.Place({{}, "…", small, Align::kCentre, kInkColour},
                {words.Centred(plot.x + chart.Gap() * slot + slot / 2, labels_y,
                               TextWidth("…", small), label)});
  }
  int below = labels_y + label + 2;
  if (not_held && pupil_on_axis) {
    const std::string said = chart.NotHeld();
    const int said_width = TextWidth(said, small);
    words.Place({{}, said, small, Align::kLeft, kPupilColour},
                {{std::clamp(scene.mark.x, 2, std::max(width - said_width - 2, 0)), below,
                  said_width, label}});
  }
  if (not_held) below += label + 2;
  const std::string side_title = "страна a по абсцисата";
  words.Place({{}, side_title, font, Align::kCentre, kInkColour},
              {words.Centred(plot.x + plot.width / 2, below, TextWidth(side_title, font), line)});

  // The pupil's frame beside the mark, then each bar's value over it: the pupil's bar and the
  // least first, √N's name next, then the bars cut at the top and as many others as have room.
  if (pupil_on_axis && pupil->fits) {
    const std::string text = Number(pupil->frame);
    const int text_width = TextWidth(text, small);
    const PixelRect& mark = scene.mark;
    const int middle = mark.y + mark.height / 2 - label / 2;
    words.Place({{}, text, small, Align::kLeft, kPupilColour},
                {{mark.x + mark.width + 3, middle, text_width, label},
                 {mark.x - 3 - text_width, middle, text_width, label},
                 words.Centred(mark.x + mark.width / 2, mark.y - label - 1, text_width, label)});
  }
  const auto value_of = [&](const Bar& bar) {
    const std::string text = Number(bar.frame);
    const int text_width = TextWidth(text, small);
    const int over = y_of(bar.frame) - label - 2;
    return words.Place(
        {{}, text, small, Align::kCentre, kInkColour},
        {words.Centred(centre_of(bar.side), over, text_width, label),
         words.Centred(centre_of(bar.side) + text_width / 2, over, text_width, label)});
  };
  for (const Bar& bar : bars) {
    if (pupils(bar.side)) value_of(bar);
  }
  for (const Bar& bar : bars) {
    if (bar.least && !pupils(bar.side)) value_of(bar);
  }
  if (!axis.empty() && chart.ShowsRoot()) {
    const std::string name = RootText(chart.Count());
    const int name_width = TextWidth(name, small);
    const int band = plot.y - label - 2;
    words.Place({{}, name, small, Align::kLeft, kRootColour},
                {{root_x + 4, band, name_width, label},
                 {root_x - 2 - name_width, band, name_width, label},
                 {root_x + 4, plot.y + 2, name_width, label},
                 {root_x - 2 - name_width, plot.y + 2, name_width, label}});
  }
  for (const Bar& bar : bars) {
    if (bar.frame > scene.top && !bar.least && !pupils(bar.side)) value_of(bar);
  }
  for (const Bar& bar : bars) {
    if (bar.frame <= scene.top && !bar.least && !pupils(bar.side)) value_of(bar);
  }
  return scene;
}

}  // namespace lessons::chart
