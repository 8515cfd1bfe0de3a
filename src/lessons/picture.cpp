#include "lessons/picture.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_text.h"

namespace lessons::picture {

namespace {

using runtime::ToUtf8;
using runtime::WholeText;

std::string Number(int64_t value) {
  return ToUtf8(WholeText(value));
}

// A number of the result lists, which hold the decimal texts of 16-bit whole numbers.
int64_t Listed(const runtime::String& text) {
  return static_cast<int64_t>(runtime::ReadNumber(text));
}

// "1 квадрат", "2 квадрата": a count and its noun, singular for one.
std::string Counted(int64_t count, const char* one, const char* many) {
  return Number(count) + ' ' + (count == 1 ? one : many);
}

// The row selected in the result lists: the row of the first list that has a selection, or -1.
int SelectedRow(const window::Form& form) {
  for (const window::ListBox& list : form.List1) {
    if (list.ListIndex() >= 0) return list.ListIndex();
  }
  return -1;
}

}  // namespace

Picture Picture::Of(const window::Form& form) {
  Picture picture;
  const int row = SelectedRow(form);
  if (row < 0) {
    picture.words_ = "Няма избран ред: изберете ред в списъците.";
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
  const bool mantra = form.Option1[0].Value();
  return Rectangle(Listed(sides[0].Items()[row]), Listed(sides[1].Items()[row]), count,
                   mantra ? form.Text2[0].Text() : runtime::String());
}

Picture Picture::Rectangle(int64_t across, int64_t down, int64_t count,
                           const runtime::String& mantra) {
  Picture picture;
  if (across < 0 || down < 0) {
    picture.words_ = "Страна " + Number(std::min(across, down)) +
                     " е отрицателна: такъв правоъгълник не може да се нарисува.";
    return picture;
  }

  picture.has_grid_ = true;
  picture.across_ = static_cast<int>(across);
  picture.down_ = static_cast<int>(down);
  const int64_t squares = across * down;
  picture.letters_ = static_cast<int>(std::clamp<int64_t>(count, 0, squares));
  if (static_cast<int64_t>(mantra.size()) == count) picture.mantra_ = mantra;

  std::string& words = picture.words_;
  words = Number(across) + " × " + Number(down) + " = " + Counted(squares, "квадрат", "квадрата") +
          ", " + Counted(picture.letters_, "буква", "букви");
  if (picture.Blanks() > 0) words += " и " + Counted(picture.Blanks(), "празен", "празни");
  words += ", рамка от " + Counted(picture.FrameSquares(), "квадрат", "квадрата");
  return picture;
}

Square Picture::At(int column, int row) const {
  if (column <= 0 || row <= 0 || column >= Columns() - 1 || row >= Rows() - 1) {
    return Square::kFrame;
  }
  const int64_t index = int64_t{row - 1} * across_ + (column - 1);
  return index < letters_ ? Square::kLetter : Square::kBlank;
}

std::string Picture::Letter(int index) const {
  if (index < 0 || index >= letters_) return {};
  if (!mantra_.empty()) return ToUtf8(mantra_.substr(static_cast<size_t>(index), 1));
  return Number(index + 1);
}

namespace {

// The letters' size in a square whose inside is `inside` pixels: as large as the widest letter
// lets it be. A character of a mantra may be as wide as Ж; a number is as wide as its digits.
int FontPixels(const Picture& picture, int inside) {
  const double widest =
      picture.Numbered() ? 0.55 * static_cast<double>(Number(picture.Letters()).size()) : 0.95;
  return static_cast<int>(std::min(0.6 * inside, 0.9 * inside / widest));
}

// Whole squares of `square` pixels, outlined, with their letters where these are large enough.
Scene Outlined(const Picture& picture, int width, int height, int square) {
  Scene scene;
  scene.square = square;
  scene.outlined = true;
  const int columns = picture.Columns();
  const int rows = picture.Rows();
  const int grid_width = columns * square + 1;  // the outline closes the last square
  const int grid_height = rows * square + 1;
  const int x = (width - grid_width) / 2;
  const int y = (height - grid_height) / 2;
  scene.grid = {x, y, grid_width, grid_height};

  scene.fills.push_back({scene.grid, kFrameColour});
  if (picture.Across() > 0 && picture.Down() > 0) {
    scene.fills.push_back(
        {{x + square, y + square, picture.Across() * square, picture.Down() * square},
         kLetterColour});
  }
  for (int column = 0; column <= columns; ++column)
    scene.fills.push_back({{x + column * square, y, 1, grid_height}, kOutlineColour});
  for (int row = 0; row <= rows; ++row)
    scene.fills.push_back({{x, y + row * square, grid_width, 1}, kOutlineColour});

  const int font = FontPixels(picture, square - 1);
  if (font < kSmallestLetter) return scene;
  scene.font_pixels = font;
  scene.labels.reserve(static_cast<size_t>(picture.Letters()));
  for (int index = 0; index < picture.Letters(); ++index) {
    const int column = 1 + index % picture.Across();
    const int row = 1 + index / picture.Across();
    scene.labels.push_back({{x + column * square + 1, y + row * square + 1, square - 1, square - 1},
                            picture.Letter(index)});
  }
  return scene;
}

// Squares smaller than an outline would leave room for: the frame and the letter squares as two
// plain areas. Each square keeps at least a pixel across where the area has room for that, so
// that the strip 1 × N still shows its gold sides.
Scene Plain(const Picture& picture, int width, int height) {
  Scene scene;
  const int columns = picture.Columns();
  const int rows = picture.Rows();
  const double fit =
      std::min(static_cast<double>(width) / columns, static_cast<double>(height) / rows);
  const double across = columns <= width ? std::max(fit, 1.0) : fit;
  const double down = rows <= height ? std::max(fit, 1.0) : fit;
  const int x = (width - static_cast<int>(std::lround(columns * across))) / 2;
  const int y = (height - static_cast<int>(std::lround(rows * down))) / 2;
  const auto area = [&](int first_column, int first_row, int end_column, int end_row) {
    const int left = x + static_cast<int>(std::lround(first_column * across));
    const int top = y + static_cast<int>(std::lround(first_row * down));
    const int right = x + static_cast<int>(std::lround(end_column * across));
    const int bottom = y + static_cast<int>(std::lround(end_row * down));
    return window::layout::PixelRect{left, top, std::max(right - left, 1),
                                     std::max(bottom - top, 1)};
  };
  scene.grid = area(0, 0, columns, rows);
  scene.fills.push_back({scene.grid, kFrameColour});
  if (picture.Across() > 0 && picture.Down() > 0) {
    scene.fills.push_back({area(1, 1, columns - 1, rows - 1), kLetterColour});
  }
  return scene;
}

}  // namespace

Scene Paint(const Picture& picture, int width, int height) {
  if (!picture.HasGrid() || width < 1 || height < 1) return {};
  const int square = std::min((width - 1) / picture.Columns(), (height - 1) / picture.Rows());
  return square >= kSmallestOutlined ? Outlined(picture, width, height, square)
                                     : Plain(picture, width, height);
}

}  // namespace lessons::picture
