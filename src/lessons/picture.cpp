#include "lessons/picture.h"

#include <algorithm>
#include <cmath>

#include "lessons/words.h"
#include "runtime/number_text.h"

namespace lessons::picture {

namespace {

using runtime::ToUtf8;
using words::Counted;
using words::Number;
using words::Times;

// A number of the result lists, which hold the decimal texts of 16-bit whole numbers.
int64_t Listed(const runtime::String& text) {
  return static_cast<int64_t>(runtime::ReadNumber(text));
}

}  // namespace

int SelectedRow(const window::Form& form) {
  for (const window::ListBox& list : form.List1) {
    if (list.ListIndex() >= 0) return list.ListIndex();
  }
  return -1;
}

Picture Picture::Of(const window::Form& form) {
  Picture picture;
  const int row = SelectedRow(form);
  if (std::all_of(form.List1.begin(), form.List1.end(),
                  [](const window::ListBox& list) { return list.ListCount() == 0; })) {
    picture.words_ = kNothingCalculated;
    return picture;
  }
  if (row < 0) {
    picture.words_ = "Няма избран ред: избери ред в списъците.";
    return picture;
  }
  for (const window::ListBox& list : form.List1) {
    if (row >= list.ListCount()) {
      picture.words_ = "Редът е непълен: изчислението спря с грешка, преди да го довърши.";
      return picture;
    }
  }
  const auto& sides = form.List1;
  const int64_t count = Listed(sides[1].Items()[0]);  // the strip 1 × N
  // A mantra's characters are counted as a proverb's: blanks and punctuation too.
  const bool mantra = form.Option1[0].Value();
  return Rectangle(Listed(sides[0].Items()[row]), Listed(sides[1].Items()[row]), count,
                   mantra ? form.Text2[0].Text() : runtime::String(),
                   mantra ? words::kCharacters : words::kLetters);
}

Picture Picture::Rectangle(int64_t across, int64_t down, int64_t count,
                           const runtime::String& mantra, const words::Noun& letters) {
  Picture picture;
  if (across < 0 || down < 0) {
    picture.words_ = "Страна " + words::Signed(std::min(across, down)) +
                     " е отрицателна: такъв правоъгълник не може да се нарисува.";
    return picture;
  }

  picture.has_grid_ = true;
  picture.across_ = static_cast<int>(across);
  picture.down_ = static_cast<int>(down);
  const int64_t squares = across * down;
  picture.letters_ = static_cast<int>(std::clamp<int64_t>(count, 0, squares));
  picture.spilled_ = static_cast<int>(std::max<int64_t>(count - squares, 0));
  if (static_cast<int64_t>(mantra.size()) == count) picture.mantra_ = mantra;

  std::string words = Times(across, down) + " = " + Counted(squares, words::kSquares) + ", " +
                      Counted(picture.letters_, letters);
  if (picture.Blanks() > 0) {
    words += " и " + Counted(picture.Blanks(), "празно квадратче", "празни квадратчета");
  }
  if (picture.Spilled() > 0) words += ", " + Counted(picture.Spilled(), letters) + " без квадратче";
  words += ", рамка от " + Counted(picture.FrameSquares(), words::kSquares);
  picture.words_ = words::Bound(std::move(words));
  return picture;
}

void Picture::Explain(const std::string& sentence) {
  words_ += ". " + sentence;
}

Square Picture::At(int column, int row) const {
  if (column <= 0 || row <= 0 || column >= Columns() - 1 || row >= Rows() - 1) {
    return Square::kFrame;
  }
  const int64_t index = int64_t{row - 1} * across_ + (column - 1);
  return index < letters_ ? Square::kLetter : Square::kBlank;
}

std::string Picture::Letter(int index) const {
  if (index < 0 || index >= letters_ + spilled_) return {};
  if (!mantra_.empty()) return ToUtf8(mantra_.substr(static_cast<size_t>(index), 1));
  return Number(int64_t{index} + 1);
}

Spill Picture::Layout() const {
  Spill spill{Columns(), Rows(), 0};
  if (spilled_ == 0) return spill;
  const auto side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(spilled_))));
  spill.columns = std::max(Columns(), side);
  spill.per_row = spill.columns;
  spill.rows = Rows() + 1 + (spilled_ + spill.per_row - 1) / spill.per_row;
  return spill;
}

namespace {

// The letters' size in a square whose inside is `inside` pixels: as large as the widest letter
// lets it be. A character of a mantra may be as wide as Ж; a number is as wide as its digits.
int FontPixels(const Picture& picture, int inside) {
  const double widest =
      picture.Numbered() ? 0.55 * static_cast<double>(Number(picture.Letters()).size()) : 0.95;
  return static_cast<int>(std::min(0.6 * inside, 0.9 * inside / widest));
}

// A block of whole squares, by the column and row of its top left square and its size in squares.
struct Block {
  int column, row, columns, rows;
};

// The squares from `first` to before `first + count`, counted row by row in rows `per_row` wide
// from the block's top left: at most three blocks, the rest of the first row, the whole rows
// after it and the start of the last.
std::vector<Block> RowsOf(int first, int count, int per_row) {
  std::vector<Block> blocks;
  if (count <= 0 || per_row <= 0) return blocks;
  int at = first;
  const int end = first + count;
  if (at % per_row != 0) {
    const int columns = std::min(per_row - at % per_row, end - at);
    blocks.push_back({at % per_row, at / per_row, columns, 1});
    at += columns;
  }
  if (end - at >= per_row) {
    const int rows = (end - at) / per_row;
    blocks.push_back({0, at / per_row, per_row, rows});
    at += rows * per_row;
  }
  if (at < end) blocks.push_back({0, at / per_row, end - at, 1});
  return blocks;
}

// Whole squares of `square` pixels, outlined, with their letters where these are large enough.
Scene Outlined(const Picture& picture, int width, int height, int square) {
  Scene scene;
  scene.square = square;
  scene.outlined = true;
  const Spill spill = picture.Layout();
  const int columns = picture.Columns();
  const int rows = picture.Rows();
  const int grid_width = columns * square + 1;  // the outline closes the last square
  const int grid_height = rows * square + 1;
  const int left = (width - spill.columns * square - 1) / 2;
  const int x = left + (spill.columns - columns) * square / 2;
  const int y = (height - spill.rows * square - 1) / 2;
  scene.grid = {x, y, grid_width, grid_height};
  const int across = picture.Across();
  const auto at = [&](int column, int row, int columns_wide, int rows_high) {
    return window::layout::PixelRect{x + column * square, y + row * square, columns_wide * square,
                                     rows_high * square};
  };

  const auto in_spill = [&](const Block& block) {
    return window::layout::PixelRect{left + block.column * square,
                                     y + (rows + 1 + block.row) * square, block.columns * square,
                                     block.rows * square};
  };

  scene.fills.push_back({scene.grid, kFrameColour});
  if (across > 0 && picture.Down() > 0) {
    scene.fills.push_back({at(1, 1, across, picture.Down()), kLetterColour});
    // The blank squares that padding adds, after the last letter.
    for (const Block& blank : RowsOf(picture.Letters(), static_cast<int>(picture.Blanks()), across))
      scene.fills.push_back(
          {at(1 + blank.column, 1 + blank.row, blank.columns, blank.rows), kBlankColour});
  }
  for (int column = 0; column <= columns; ++column)
    scene.fills.push_back({{x + column * square, y, 1, grid_height}, kOutlineColour});
  for (int row = 0; row <= rows; ++row)
    scene.fills.push_back({{x, y + row * square, grid_width, 1}, kOutlineColour});

  // The letters without a square, in squares of their own under the frame: as areas, then their
  // outlines, as the letter squares.
  const std::vector<Block> spilled = RowsOf(0, picture.Spilled(), spill.per_row);
  for (const Block& block : spilled)
    scene.fills.push_back({in_spill(block), kSpillColour});
  for (const Block& block : spilled) {
    const window::layout::PixelRect area = in_spill(block);
    for (int row = 0; row <= block.rows; ++row)
      scene.fills.push_back({{area.x, area.y + row * square, area.width + 1, 1}, kOutlineColour});
    for (int column = 0; column <= block.columns; ++column) {
      scene.fills.push_back(
          {{area.x + column * square, area.y, 1, area.height + 1}, kOutlineColour});
    }
  }
  const auto spilled_at = [&](int index) {
    const int place = index - picture.Letters();
    return in_spill({place % spill.per_row, place / spill.per_row, 1, 1});
  };
  const int all = picture.Letters() + picture.Spilled();
  const int font = FontPixels(picture, square - 1);
  if (font < kSmallestLetter) return scene;
  scene.font_pixels = font;
  scene.labels.reserve(static_cast<size_t>(all));
  for (int index = 0; index < all; ++index) {
    window::layout::PixelRect rect{};
    if (index < picture.Letters()) {
      rect = at(1 + index % across, 1 + index / across, 1, 1);
    } else {
      rect = spilled_at(index);
    }
    scene.labels.push_back(
        {{rect.x + 1, rect.y + 1, square - 1, square - 1}, picture.Letter(index)});
  }
  return scene;
}

// Squares smaller than an outline would leave room for: the frame, the letter squares, the blank
// ones and the letters without a square as plain areas. Each square keeps at least a pixel across
// where the area has room for that, so that the strip 1 × N still shows its gold sides.
Scene Plain(const Picture& picture, int width, int height) {
  Scene scene;
  const Spill spill = picture.Layout();
  const int columns = picture.Columns();
  const int rows = picture.Rows();
  const double fit = std::min(static_cast<double>(width) / spill.columns,
                              static_cast<double>(height) / spill.rows);
  const double across = spill.columns <= width ? std::max(fit, 1.0) : fit;
  const double down = spill.rows <= height ? std::max(fit, 1.0) : fit;
  const int left = (width - static_cast<int>(std::lround(spill.columns * across))) / 2;
  const int x = left + static_cast<int>(std::lround((spill.columns - columns) * across / 2));
  const int y = (height - static_cast<int>(std::lround(spill.rows * down))) / 2;
  const auto area = [&](int origin, int first_column, int first_row, int end_column, int end_row) {
    const int left_edge = origin + static_cast<int>(std::lround(first_column * across));
    const int top = y + static_cast<int>(std::lround(first_row * down));
    const int right = origin + static_cast<int>(std::lround(end_column * across));
    const int bottom = y + static_cast<int>(std::lround(end_row * down));
    return window::layout::PixelRect{left_edge, top, std::max(right - left_edge, 1),
                                     std::max(bottom - top, 1)};
  };
  scene.grid = area(x, 0, 0, columns, rows);
  scene.fills.push_back({scene.grid, kFrameColour});
  const int letters_across = picture.Across();
  if (letters_across > 0 && picture.Down() > 0) {
    scene.fills.push_back({area(x, 1, 1, columns - 1, rows - 1), kLetterColour});
    for (const Block& blank :
         RowsOf(picture.Letters(), static_cast<int>(picture.Blanks()), letters_across)) {
      scene.fills.push_back({area(x, 1 + blank.column, 1 + blank.row,
                                  1 + blank.column + blank.columns, 1 + blank.row + blank.rows),
                             kBlankColour});
    }
  }
  for (const Block& block : RowsOf(0, picture.Spilled(), spill.per_row)) {
    scene.fills.push_back({area(left, block.column, rows + 1 + block.row,
                                block.column + block.columns, rows + 1 + block.row + block.rows),
                           kSpillColour});
  }
  return scene;
}

}  // namespace

Scene Paint(const Picture& picture, int width, int height) {
  if (!picture.HasGrid() || width < 1 || height < 1) return {};
  const Spill spill = picture.Layout();
  const int square = std::min((width - 1) / spill.columns, (height - 1) / spill.rows);
  return square >= kSmallestOutlined ? Outlined(picture, width, height, square)
                                     : Plain(picture, width, height);
}

}  // namespace lessons::picture
