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

// A round step for the frame axis: 1, 2 or 5 times a power of ten, giving at most `most` ticks.
int64_t TickStep(int64_t top, int most) {
  int64_t power = 1;
  while (true) {
    for (const int64_t step : {power, 2 * power, 5 * power}) {
      if (top / step <= most) return step;
    }
    power *= 10;
  }
}

int TextWidth(const std::string& text, int font) {
  int characters = 0;
  for (const char c : text)
    characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters * font * 6 / 10 + 2;
}

}  // namespace

std::string RootText(int count) {
  const double root = std::sqrt(static_cast<double>(count));
  const auto whole = static_cast<int64_t>(std::floor(root));
  if (whole * whole == count) return "√" + Number(count) + " = " + Number(whole);
  return "√" + Number(count) + " ≈ " + words::Decimal(root, 2);
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
                const char* letters) {
  Chart chart;
  chart.count_ = count;
  chart.least_ = least;
  chart.whole_ = whole;
  chart.letters_ = letters;
  if (!tried.empty()) {
    const Sides& last = tried.back();
    chart.pupil_ =
        Answer{last, FrameOf(last.across, last.down), int64_t{last.across} * last.down >= count};
  }
  int last = static_cast<int>(std::floor(std::sqrt(static_cast<double>(count)))) + 3;
  for (int side = 1; side <= (least - 4) / 2; ++side) {
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
  for (const int side : chart.axis_) {
    const bool tried_side = std::any_of(tried.begin(), tried.end(),
                                        [&](const Sides& each) { return each.across == side; });
    if (!whole && !tried_side) continue;
    const int64_t frame = LeastWithSide(count, side);
    chart.bars_.push_back({side, frame, frame == least});
  }
  return chart;
}

std::string Chart::Sentence() const {
  const std::string n = Number(count_);
  std::string sentence;
  if (whole_) {
    std::vector<std::string> least;
    for (const Bar& bar : bars_) {
      if (bar.least) least.push_back(Number(bar.side));
    }
    sentence = Fill(
        "Стълбът над a е най-малката рамка на правоъгълник със страна a по абсцисата, който побира "
        "{0} {1}: 2a + 2b + 4, където b е {0}/a, закръглено нагоре. Най-ниските, {2} квадрата, са "
        "при a = {3}, близо до {4}.",
        {n, letters_, Number(least_), Listing(least), RootText(count_)});
  } else if (!bars_.empty()) {
    const Bar& bar = bars_.back();
    const std::string side = Number(bar.side);
    sentence = Fill(
        "Стълбът над a = {0} е най-малката рамка със страна {0} по абсцисата, която побира {1} "
        "{2}: 2 × {0} + 2 × {3} + 4 = {4}. Другите страни ще видите, когато задачата свърши.",
        {side, n, letters_, Number(Ceiling(count_, bar.side)), Number(bar.frame)});
  }
  if (pupil_) {
    const std::string sides =
        Number(pupil_->sides.across) + " × " + Number(pupil_->sides.down);
    sentence += pupil_->fits
                    ? Fill(" Вашият отговор {0} има рамка {1}.", {sides, Number(pupil_->frame)})
                    : Fill(" Вашият отговор {0} не побира буквите.", {sides});
  }
  return sentence;
}

std::string Chart::Description() const {
  std::string values;
  for (const Bar& bar : bars_) {
    values += (values.empty() ? "" : "; ") + Number(bar.side) + ": " + Number(bar.frame);
  }
  return "Диаграма. " + Sentence() + " Най-малката рамка за всяка страна a – " + values + ".";
}

Scene Paint(const Chart& chart, int width, int height) {
  Scene scene;
  if (width < 40 || height < 40) return scene;
  scene.fills.push_back({{0, 0, width, height}, kPaper});
  const int font = std::clamp(height / 20, 10, 14);
  const int small = std::max(font - 2, 9);

  // The frame axis reaches twice the least frame, so that the least bars stand half way up; a
  // bar that is taller is cut at the top, and its value says how tall it is.
  const int64_t top_frame = std::max<int64_t>(2 * int64_t{chart.Least()}, 10);
  const int64_t step = TickStep(top_frame, 5);
  scene.top = (top_frame + step - 1) / step * step;
  const int left = TextWidth(Number(scene.top), small) + 8;
  const int top = font + 10;
  const int bottom = 2 * font + 14;
  const int right = 8;
  PixelRect& plot = scene.plot;
  plot = {left, top, std::max(width - left - right, 10), std::max(height - top - bottom, 10)};
  const auto y_of = [&](int64_t frame) {
    const int64_t shown = std::min(frame, scene.top);
    return plot.y + plot.height - static_cast<int>(shown * plot.height / scene.top);
  };

  // The frame axis, its ticks and its title.
  for (int64_t tick = step; tick <= scene.top; tick += step) {
    const int y = y_of(tick);
    scene.fills.push_back({{plot.x - 4, y, 4, 1}, kAxisColour});
    scene.fills.push_back({{plot.x + 1, y, plot.width - 1, 1}, {0xE4, 0xE4, 0xE4}});
    scene.texts.push_back(
        {{0, y - small, plot.x - 6, 2 * small}, Number(tick), small, Align::kRight, kInkColour});
  }
  scene.texts.push_back(
      {{2, 2, width / 2, font + 4}, "рамка, квадрата", font, Align::kLeft, kInkColour});

  // The legend, at the top right: what the gold and the pupil's mark stand for.
  int legend_x = width - 4;
  for (const auto& [colour, words] :
       {std::pair{kPupilColour, "вашият отговор"}, std::pair{kLeastColour, "най-малка рамка"}}) {
    const int words_width = TextWidth(words, small);
    legend_x -= words_width;
    scene.texts.push_back(
        {{legend_x, 2, words_width, font + 4}, words, small, Align::kLeft, kInkColour});
    legend_x -= small + 4;
    scene.fills.push_back({{legend_x, 2 + (font + 4 - small) / 2, small, small}, kOutlineColour});
    scene.fills.push_back(
        {{legend_x + 1, 3 + (font + 4 - small) / 2, small - 2, small - 2}, colour});
    legend_x -= 12;
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
  const int label_room = TextWidth("9999", small);
  const int every = std::max(1, (label_room + slot - 1) / slot);
  const auto pupils = [&](int side) {
    return chart.Pupil() && chart.Pupil()->sides.across == side;
  };
  for (size_t i = 0; i < axis.size(); ++i) {
    const int side = axis[i];
    const bool least = LeastWithSide(chart.Count(), side) == chart.Least() && chart.Whole();
    if (static_cast<int>(i) % every == 0 || least || pupils(side)) {
      scene.texts.push_back(
          {{centre_of(side) - label_room / 2, plot.y + plot.height + 3, label_room, small + 2},
           Number(side),
           small,
           Align::kCentre,
           kInkColour});
    }
  }
  for (const Bar& bar : bars) {
    const int x = centre_of(bar.side) - bar_width / 2;
    const int y = y_of(bar.frame);
    const PixelRect rect{x, y, bar_width, plot.y + plot.height - y};
    if (bar_width >= 3) {
      scene.fills.push_back({rect, kOutlineColour});
      scene.fills.push_back(
          {{x + 1, y + 1, bar_width - 2, rect.height - 1}, bar.least ? kLeastColour : kBarColour});
    } else {
      scene.fills.push_back({rect, bar.least ? kLeastColour : kBarColour});
    }
    const bool cut = bar.frame > scene.top;
    if (cut) scene.fills.push_back({{x, y + 6, bar_width, 3}, kPaper});
    const bool labelled = bar.least || pupils(bar.side) || cut || place_of(bar.side) % every == 0;
    if (labelled && (slot >= label_room || bar.least || pupils(bar.side))) {
      scene.texts.push_back(
          {{centre_of(bar.side) - label_room / 2, y - small - 4, label_room, small + 2},
           Number(bar.frame),
           small,
           Align::kCentre,
           kInkColour});
    }
  }
  if (chart.Gap() >= 0) {  // the axis breaks where the gap is
    const int x = plot.x + chart.Gap() * slot + slot / 2;
    scene.texts.push_back({{x - label_room / 2, plot.y + plot.height + 3, label_room, small + 2},
                           "…",
                           small,
                           Align::kCentre,
                           kInkColour});
  }

  // The side axis and its title.
  scene.fills.push_back({{plot.x, plot.y, 1, plot.height + 1}, kAxisColour});
  scene.fills.push_back({{plot.x, plot.y + plot.height, plot.width, 1}, kAxisColour});
  scene.texts.push_back({{plot.x, height - font - 6, plot.width, font + 4},
                         "страна a по абсцисата",
                         font,
                         Align::kCentre,
                         kInkColour});

  // √N between the bars of its floor and its ceiling, as a dashed line.
  if (!axis.empty()) {
    const double root = std::sqrt(static_cast<double>(chart.Count()));
    const int x = plot.x + static_cast<int>(std::lround((root - 0.5) * slot));
    for (int y = plot.y; y < plot.y + plot.height; y += 6)
      scene.fills.push_back({{x, y, 2, std::min(3, plot.y + plot.height - y)}, kRootColour});
    // Its name stands at the top of the plot, right of the line, or left of it near the edge.
    const int name = TextWidth(RootText(chart.Count()), small);
    const bool right_of = x + 4 + name <= plot.x + plot.width;
    scene.texts.push_back({{right_of ? x + 4 : x - 2 - name, plot.y + 1, name, small + 2},
                           RootText(chart.Count()),
                           small,
                           right_of ? Align::kLeft : Align::kRight,
                           kRootColour});
  }

  // The pupil's answer: a square mark at its side and its frame, hollow where the letters do not
  // fit.
  if (const std::optional<Answer>& pupil = chart.Pupil()) {
    if (std::find(axis.begin(), axis.end(), pupil->sides.across) != axis.end()) {
      const int mark = std::clamp(slot * 6 / 10, 8, 14);
      const int x = centre_of(pupil->sides.across) - mark / 2;
      const int y = std::max(y_of(pupil->frame) - mark / 2, plot.y - mark / 2);
      scene.fills.push_back({{x - 1, y - 1, mark + 2, mark + 2}, kPaper});
      scene.fills.push_back({{x, y, mark, mark}, kPupilColour});
      if (!pupil->fits) scene.fills.push_back({{x + 3, y + 3, mark - 6, mark - 6}, kPaper});
    }
  }
  return scene;
}

}  // namespace lessons::chart
