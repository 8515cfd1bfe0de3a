#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lessons/words.h"
#include "window/layout.h"
#include "window/model.h"

// The selected row drawn: its rectangle of letter squares inside the gold frame one square wide.
// What the picture shows, in which words and colours, and where each part of it stands at a given
// size is decided here, once for every toolkit; a view only paints the rectangles and texts it is
// given.
namespace lessons::picture {

inline constexpr window::layout::Rgb kFrameColour = window::layout::kGold;
inline constexpr window::layout::Rgb kLetterColour = window::layout::kOlive;
inline constexpr window::layout::Rgb kBlankColour{0xD8, 0xD8, 0xB0};  // a square padding adds
inline constexpr window::layout::Rgb kSpillColour{0xFF, 0xB0, 0xB0};  // a letter without a square
inline constexpr window::layout::Rgb kOutlineColour{0x30, 0x30, 0x00};
inline constexpr window::layout::Rgb kInkColour{0x00, 0x00, 0x00};
inline constexpr window::layout::Rgb kBackground = window::layout::kBackground;

// The lessons' window's caption, where no page names it, and the page's close button.
inline constexpr const char* kCaption = "Уроци";
inline constexpr const char* kClose = "Затвори";
// The picture's words before there is any row to draw.
inline constexpr const char* kNothingCalculated =
    "Първо въведи брой букви и натисни „Изчисли“, после избери ред.";

// Below this many pixels a side, squares are drawn as plain coloured areas, without outlines.
inline constexpr int kSmallestOutlined = 4;
// Letters smaller than this many pixels are not drawn.
inline constexpr int kSmallestLetter = 7;

enum class Square { kFrame, kLetter, kBlank };

// Where the letters that a rectangle too small leaves without a square stand: under the frame,
// after a gap of one square, in rows as wide as the frame or as a square of them, whichever is
// wider.
struct Spill {
  int columns = 0;  // of the whole drawing: the frame and the rows of letters under it
  int rows = 0;
  int per_row = 0;  // letters in each row under the frame
};

// The row selected in the form's result lists, which select together: the row of the first list
// that has a selection, or -1.
int SelectedRow(const window::Form& form);

// What the picture shows for one state of the form: the grid of the selected row, or why there
// is none.
class Picture {
 public:
  // The picture of the row selected in the form's result lists.
  static Picture Of(const window::Form& form);
  // The rectangle `across` × `down` for a count of `count` letters: the mantra's characters
  // where `mantra` has that many, else their numbers. Letters beyond its squares stay without
  // one. Its words count them as `letters`: letters, or a proverb's characters.
  static Picture Rectangle(int64_t across, int64_t down, int64_t count,
                           const runtime::String& mantra,
                           const words::Noun& letters = words::kLetters);
  // A sentence more after the picture's words.
  void Explain(const std::string& sentence);

  bool HasGrid() const { return has_grid_; }
  int Across() const { return across_; }  // letter squares along the abscissa
  int Down() const { return down_; }      // and along the ordinate
  int Columns() const { return across_ + 2; }
  int Rows() const { return down_ + 2; }
  int Letters() const { return letters_; }  // in squares
  int Spilled() const { return spilled_; }  // without a square
  int64_t Blanks() const { return int64_t{across_} * down_ - letters_; }
  int64_t FrameSquares() const { return 2 * int64_t{across_} + 2 * int64_t{down_} + 4; }

  // Whether the letter squares hold their numbers rather than the mantra's characters.
  bool Numbered() const { return mantra_.empty(); }

  // The square at a column and row of the grid, counted from 0 at the top left.
  Square At(int column, int row) const;
  // The text of the letter at `index`, in reading order from the top left and on to those
  // without a square: a character of the mantra, or the letter's number from 1. UTF-8.
  std::string Letter(int index) const;
  // The whole drawing's grid, the frame and the letters without a square under it.
  Spill Layout() const;
  // One line, in UTF-8, that says what the picture shows or why there is none.
  const std::string& Words() const { return words_; }

 private:
  bool has_grid_ = false;
  int across_ = 0;
  int down_ = 0;
  int letters_ = 0;
  int spilled_ = 0;
  runtime::String mantra_;  // the letters' characters; empty when they are numbered
  std::string words_;
};

struct Fill {
  window::layout::PixelRect rect;
  window::layout::Rgb colour;
};

struct Label {
  window::layout::PixelRect rect;  // the square it stands in; the text is centred there
  std::string text;                // UTF-8
};

// The picture painted into an area of a given size: rectangles filled in order (the squares'
// colours, then their outlines), then the letters in the window's font at `font_pixels`, in
// kInkColour. The grid keeps its squares square and stands centred, the letters without a square
// under it; an empty scene paints only the background.
struct Scene {
  window::layout::PixelRect grid{};
  int square = 0;  // the side of a square in whole pixels; 0 where squares are plain areas
  bool outlined = false;
  int font_pixels = 0;  // 0: no letters
  std::vector<Fill> fills;
  std::vector<Label> labels;
};

Scene Paint(const Picture& picture, int width, int height);

}  // namespace lessons::picture
