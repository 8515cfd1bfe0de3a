#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "lessons/picture.h"
#include "lessons/tasks.h"
#include "lessons/words.h"
#include "window/layout.h"

// The chart after a check: for each side a along the abscissa, the least frame of a rectangle
// with that side that holds the N letters, 2a + 2⌈N/a⌉ + 4, as a bar; the least frame marked in
// gold, the pupil's answer marked, √N marked on the axis. Decided here as a scene of fills and
// texts at a given size, once for every toolkit, with a text alternative for screen readers.
namespace lessons::chart {

using window::layout::PixelRect;
using window::layout::Rgb;

inline constexpr Rgb kPaper{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kBarColour{0x9C, 0x9C, 0xD8};
inline constexpr Rgb kLeastColour = picture::kFrameColour;
inline constexpr Rgb kOutlineColour = picture::kOutlineColour;
inline constexpr Rgb kAxisColour{0x00, 0x00, 0x00};
inline constexpr Rgb kRootColour{0xB0, 0x00, 0x00};
inline constexpr Rgb kPupilColour{0x00, 0x40, 0xC0};
inline constexpr Rgb kInkColour{0x00, 0x00, 0x00};

struct Bar {
  int side;       // a
  int64_t frame;  // 2a + 2⌈N/a⌉ + 4
  bool least;     // the least frame of all
};

struct Answer {
  practice::Sides sides;
  int64_t frame;  // 2a + 2b + 4
  bool fits;      // a·b ≥ N
};

class Chart {
 public:
  // The chart for N letters whose least frame is `least`, with the pupil's last answer. Whole,
  // once the task is over: a bar for every side along an axis from 1 to a little past √N and past
  // the sides of every least frame, and of the pupil's sides wherever they are. While the task is
  // open it shows only the pupil's answer and √N, so that it gives nothing of the answer away: no
  // bar, whose value would be the least frame of its side, and no √N of a perfect square.
  // `letters` names what is counted: letters, or a proverb's characters. `gloss_root` says what
  // √ is in the sentence, where nothing else on the page says it.
  static Chart Of(int count, int least, const std::vector<practice::Sides>& tried, bool whole,
                  const words::Noun& letters, bool gloss_root = true);

  int Count() const { return count_; }
  int Least() const { return least_; }
  bool Whole() const { return whole_; }
  // The sides along the axis, in order: from 1 to a little past √N, and the pupil's side far past
  // them after a gap; and the bars drawn over them, all of them once the task is over.
  const std::vector<int>& Axis() const { return axis_; }
  const std::vector<Bar>& Bars() const { return bars_; }
  const std::optional<Answer>& Pupil() const { return pupil_; }
  // The place on the axis where the sides stop following each other, before the pupil's side far
  // past the rest; -1 for none.
  int Gap() const { return gap_; }
  // Whether √N is marked: not on an open task's chart for a perfect square, where it is the
  // answer.
  bool ShowsRoot() const;

  // What the chart shows, in one or two sentences under it.
  std::string Sentence() const;
  // "1 × 1 не побира буквите": the words beside the mark of an answer that does not hold the
  // letters, which stands on the axis at its side; empty for an answer that holds them.
  std::string NotHeld() const;
  // The same for a screen reader, with every bar's value.
  std::string Description() const;

 private:
  int count_ = 0;
  int least_ = 0;
  bool whole_ = false;
  std::vector<int> axis_;
  std::vector<Bar> bars_;
  std::optional<Answer> pupil_;
  int gap_ = -1;
  const words::Noun* letters_ = &words::kLetters;
  bool gloss_root_ = true;
};

// √N as the lessons write it, to two decimals wherever it stands: "√70 ≈ 8,37", or "√49 = 7" for
// a perfect square.
std::string RootText(int count);
// √N with what it means, where a page first shows it: "√70 ≈ 8,37: числото, което, умножено по
// себе си, дава 70; 8 × 8 = 64, 9 × 9 = 81"; without the square above N where `above` is false,
// as where that square is itself a rectangle with the least frame.
std::string RootGlossed(int count, bool above = true);
// Whether the square above N, (⌊√N⌋ + 1)², is one of its rectangles with the least frame.
bool SquareAboveIsLeast(int count, int least);
// "7", "7 и 8", "7, 8, 9 и 10".
std::string Listing(const std::vector<std::string>& items);

enum class Align { kLeft, kCentre, kRight };

struct Text {
  PixelRect rect;  // the text stands in it, centred vertically
  std::string text;
  int font_pixels;
  Align align;
  Rgb colour;
};

struct Point {
  int x, y;
};

// A line through points, `width` pixels wide.
struct Polyline {
  std::vector<Point> points;
  Rgb colour;
  int width;
};

// A chart painted into an area: the fills in order, then the lines, then the texts in the
// window's font. No two texts overlap, nor a text and the pupil's mark, for text no wider than
// TextWidth says.
struct Scene {
  PixelRect plot{};     // where the bars stand
  int64_t top = 0;      // the value at the top of the plot
  PixelRect mark{};     // the pupil's mark, or empty
  bool broken = false;  // the frame axis broken under the pupil's mark, which stands above its top
  std::vector<picture::Fill> fills;
  std::vector<Polyline> lines;
  std::vector<Text> texts;
};

// The width the chart allows a text at a size: a little more than most faces take, the wide
// Cyrillic letters included.
int TextWidth(const std::string& text, int font_pixels);

// A chart's texts as they are laid out: each stands only where no other text, nor anything kept
// free, stands already, with a pixel between them, and inside the area.
class TextPlacer {
 public:
  TextPlacer(Scene& scene, int width, int height) : scene_(scene), width_(width), height_(height) {}

  // Reserves a rectangle where no text may stand.
  void Keep(const PixelRect& rect) { taken_.push_back(rect); }
  bool Free(const PixelRect& rect) const;
  // Places a text in the first of the rectangles that is free; false where none is.
  bool Place(const Text& text, std::initializer_list<PixelRect> places);
  // A text of `width` centred on `centre`, moved inside the area where it would leave it.
  PixelRect Centred(int centre, int y, int width, int height) const;

 private:
  Scene& scene_;
  int width_;
  int height_;
  std::vector<PixelRect> taken_;
};

// A round step for an axis: 1, 2 or 5 times a power of ten, giving at most `most` ticks to
// `top`.
int64_t TickStep(int64_t top, int most);

Scene Paint(const Chart& chart, int width, int height);

}  // namespace lessons::chart
