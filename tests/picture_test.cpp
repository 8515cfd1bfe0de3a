// The picture of the selected row: which squares are frame, letter or blank, what the letters
// say, the words under it, and where it is painted at a given size.
#include "lessons/picture.h"

#include <gtest/gtest.h>

#include <map>

#include "plain_text.h"
#include "test_window.h"

namespace {

using lessons::picture::Paint;
using lessons::picture::Picture;
using lessons::picture::Scene;
using lessons::picture::Square;
using window::layout::Rgb;

// The picture after a run for `count` with `row` selected in the list of the frame sizes.
Picture PictureOf(TestWindow& window, const std::string& count, int row) {
  window.Calculate(Ascii(count));
  window.form.UserSelect(2, row);
  return Picture::Of(window.form);
}

std::map<Square, int64_t> CountSquares(const Picture& picture) {
  std::map<Square, int64_t> counted;
  for (int row = 0; row < picture.Rows(); ++row) {
    for (int column = 0; column < picture.Columns(); ++column)
      ++counted[picture.At(column, row)];
  }
  return counted;
}

TEST(Picture, ShowsTheSelectedRowWithItsLettersBlanksAndFrame) {
  struct Case {
    std::string count;
    int row;
    int across, down, letters, blanks;
    const char* words;
  };
  const Case cases[] = {
      {"", 0, 1, 0, 0, 0, "1 × 0 = 0 квадратчета, 0 букви, рамка от 6 квадратчета"},
      {"1", 0, 1, 1, 1, 0, "1 × 1 = 1 квадратче, 1 буква, рамка от 8 квадратчета"},
      {"70", 3, 7, 10, 70, 0, "7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета"},
      {"7", 1, 2, 4, 7, 1,
       "2 × 4 = 8 квадратчета, 7 букви и 1 празно квадратче, рамка от 16 квадратчета"},
      {"13", 2, 3, 5, 13, 2,
       "3 × 5 = 15 квадратчета, 13 букви и 2 празни квадратчета, рамка от 20 квадратчета"},
      {"13", 3, 4, 4, 13, 3,
       "4 × 4 = 16 квадратчета, 13 букви и 3 празни квадратчета, рамка от 20 квадратчета"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count + " row " + std::to_string(c.row));
    TestWindow window;
    const Picture picture = PictureOf(window, c.count, c.row);
    ASSERT_TRUE(picture.HasGrid());
    EXPECT_EQ(picture.Across(), c.across);
    EXPECT_EQ(picture.Down(), c.down);
    EXPECT_EQ(Spaced(picture.Words()), c.words);
    // The frame drawn is the frame the list gives for the row.
    EXPECT_EQ(Ascii(std::to_string(picture.FrameSquares())), window.form.List1[2].Items()[c.row]);
    std::map<Square, int64_t> counted = CountSquares(picture);
    EXPECT_EQ(counted[Square::kFrame], picture.FrameSquares());
    EXPECT_EQ(counted[Square::kLetter], c.letters);
    EXPECT_EQ(counted[Square::kBlank], c.blanks);
    // The blanks come after every letter, in reading order.
    if (c.blanks > 0) {
      EXPECT_EQ(picture.At(c.across, c.down), Square::kBlank);
      EXPECT_EQ(picture.At(1, 1), Square::kLetter);
    }
  }
}

TEST(Picture, LettersAreTheMantrasCharactersOrTheirNumbers) {
  TestWindow window;
  EXPECT_EQ(PictureOf(window, "70", 3).Letter(0), "1");
  EXPECT_EQ(PictureOf(window, "70", 3).Letter(69), "70");
  EXPECT_EQ(PictureOf(window, "70", 3).Letter(70), "");

  window.form.UserChoose(0);
  window.form.UserType(0, U"Щастие!");
  window.form.UserClick(0);
  window.form.UserSelect(0, 1);  // 2 × 4 for seven characters
  Picture picture = Picture::Of(window.form);
  ASSERT_TRUE(picture.HasGrid());
  EXPECT_FALSE(picture.Numbered());
  std::string letters;
  for (int i = 0; i < picture.Letters(); ++i)
    letters += picture.Letter(i) + '|';
  EXPECT_EQ(letters, "Щ|а|с|т|и|е|!|");
  // A mantra's characters are counted as characters, its blanks and punctuation among them.
  EXPECT_EQ(Spaced(picture.Words()),
            "2 × 4 = 8 квадратчета, 7 знака и 1 празно квадратче, рамка от 16 квадратчета");

  // Once the mantra no longer has the run's length, the squares are numbered again.
  window.form.UserType(0, U"x");
  picture = Picture::Of(window.form);
  EXPECT_TRUE(picture.Numbered());
  EXPECT_EQ(picture.Letter(6), "7");
}

TEST(Picture, SaysWhyARowCannotBeDrawn) {
  TestWindow window;
  EXPECT_FALSE(Picture::Of(window.form).HasGrid());
  EXPECT_EQ(Spaced(Picture::Of(window.form).Words()),
            "Първо въведи брой букви и натисни „Изчисли“, после избери ред.");
  window.Calculate(U"70");
  EXPECT_EQ(Spaced(Picture::Of(window.form).Words()), "Няма избран ред: избери ред в списъците.");

  // 2e4 stops before its frame size: the row is in two lists only.
  window.Calculate(U"2e4");
  window.form.UserSelect(0, 0);
  EXPECT_EQ(window.form.List1[0].ListIndex(), 0);
  Picture picture = Picture::Of(window.form);
  EXPECT_FALSE(picture.HasGrid());
  EXPECT_EQ(Spaced(picture.Words()),
            "Редът е непълен: изчислението спря с грешка, преди да го довърши.");

  picture = PictureOf(window, "-0.5", 0);  // the row 1, -1, 4
  EXPECT_FALSE(picture.HasGrid());
  EXPECT_EQ(Spaced(picture.Words()),
            "Страна −1 е отрицателна: такъв правоъгълник не може да се нарисува.");

  PictureOf(window, "70", 3);
  window.form.UserClick(1);  // "Изчисти"
  EXPECT_FALSE(Picture::Of(window.form).HasGrid());
  EXPECT_FALSE(Paint(Picture::Of(window.form), 400, 400).grid.width > 0);
}

// The scene painted into a bitmap, as a view paints it: every fill in order.
struct Bitmap {
  int width, height;
  std::vector<Rgb> pixels;

  Bitmap(const Scene& scene, int w, int h)
      : width(w), height(h), pixels(static_cast<size_t>(w * h), lessons::picture::kBackground) {
    for (const auto& fill : scene.fills) {
      const auto& r = fill.rect;
      EXPECT_GE(r.x, 0);
      EXPECT_GE(r.y, 0);
      EXPECT_LE(r.x + r.width, w);
      EXPECT_LE(r.y + r.height, h);
      for (int y = std::max(r.y, 0); y < std::min(r.y + r.height, h); ++y) {
        for (int x = std::max(r.x, 0); x < std::min(r.x + r.width, w); ++x)
          pixels[static_cast<size_t>(y * w + x)] = fill.colour;
      }
    }
  }
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

TEST(Picture, PaintsEverySquareInItsColourOutlinedAndLettered) {
  TestWindow window;
  const Picture picture = PictureOf(window, "70", 3);  // 7 × 10: a grid of 9 × 12
  const Scene scene = Paint(picture, 300, 400);
  ASSERT_TRUE(scene.outlined);
  EXPECT_EQ(scene.square, 33);  // 399 / 12
  EXPECT_EQ(scene.grid.x, (300 - scene.grid.width) / 2);
  const Bitmap bitmap(scene, 300, 400);
  std::map<std::string, int> colours;
  for (int row = 0; row < picture.Rows(); ++row) {
    for (int column = 0; column < picture.Columns(); ++column) {
      const int x = scene.grid.x + column * scene.square;
      const int y = scene.grid.y + row * scene.square;
      const Rgb inside = bitmap.At(x + 2, y + 2);
      colours[inside == lessons::picture::kFrameColour    ? "gold"
              : inside == lessons::picture::kLetterColour ? "olive"
                                                          : "other"]++;
      EXPECT_EQ(bitmap.At(x, y + 2), lessons::picture::kOutlineColour);  // the square's outline
    }
  }
  EXPECT_EQ(colours, (std::map<std::string, int>{{"gold", 38}, {"olive", 70}}));

  ASSERT_EQ(scene.labels.size(), 70u);
  EXPECT_GE(scene.font_pixels, lessons::picture::kSmallestLetter);
  EXPECT_EQ(scene.labels[7].text, "8");  // the second line of letters starts with 8
  EXPECT_EQ(scene.labels[7].rect.x, scene.grid.x + scene.square + 1);
  EXPECT_EQ(scene.labels[7].rect.y, scene.grid.y + 2 * scene.square + 1);
}

TEST(Picture, SmallSquaresGiveWayToPlainAreas) {
  TestWindow window;
  const Picture picture = PictureOf(window, "70", 3);  // 12 squares down
  const Scene four = Paint(picture, 400, 12 * 4 + 1);
  EXPECT_TRUE(four.outlined);
  EXPECT_EQ(four.square, 4);
  EXPECT_TRUE(four.labels.empty());  // no letter fits into three pixels
  const Scene three = Paint(picture, 400, 12 * 4);
  EXPECT_FALSE(three.outlined);
  EXPECT_TRUE(three.labels.empty());
  ASSERT_EQ(three.fills.size(), 2u);  // the frame, and the letter squares over it
  EXPECT_EQ(three.fills[0].colour, lessons::picture::kFrameColour);
  EXPECT_EQ(three.fills[1].colour, lessons::picture::kLetterColour);

  // The longest strip and the largest square both draw in a few areas, gold all round.
  window.Calculate(U"16380");
  window.form.UserSelect(0, 0);
  const Picture strip = Picture::Of(window.form);
  ASSERT_TRUE(strip.HasGrid());
  EXPECT_EQ(strip.Rows(), 16382);
  const Scene thin = Paint(strip, 400, 600);
  ASSERT_EQ(thin.fills.size(), 2u);
  EXPECT_EQ(thin.grid.width, 3);
  EXPECT_EQ(thin.grid.height, 600);
  const Bitmap bitmap(thin, 400, 600);
  EXPECT_EQ(bitmap.At(thin.grid.x, 300), lessons::picture::kFrameColour);
  EXPECT_EQ(bitmap.At(thin.grid.x + 1, 300), lessons::picture::kLetterColour);
  EXPECT_EQ(bitmap.At(thin.grid.x + 2, 300), lessons::picture::kFrameColour);

  window.form.UserSelect(0, window.form.List1[0].ListCount() - 1);  // 128 × 128
  const Picture square = Picture::Of(window.form);
  EXPECT_EQ(square.Across(), 128);
  const Scene big = Paint(square, 500, 400);
  ASSERT_EQ(big.fills.size(), 3u);  // the frame, the letters and the four blanks of the last row
  EXPECT_EQ(big.fills[2].colour, lessons::picture::kBlankColour);
  EXPECT_EQ(big.grid.width, big.grid.height);
  EXPECT_EQ(big.grid.y, 0);
}

// A rectangle that a pupil proposes may be too small for the letters: those left over stand
// under the frame, each in a square of its own, coloured apart; blank squares are coloured apart
// from the letters too.
TEST(Picture, LettersWithoutASquareStandUnderTheFrameAndBlanksApart) {
  const struct {
    int across, down, count;
    std::string mantra;
    int letters, spilled, blanks;
    std::string words;
  } cases[] = {
      {2, 3, 10, "", 6, 4, 0,
       "2 × 3 = 6 квадратчета, 6 букви, 4 букви без квадратче, рамка от 14 квадратчета"},
      {4, 4, 13, "", 13, 0, 3,
       "4 × 4 = 16 квадратчета, 13 букви и 3 празни квадратчета, рамка от 20 квадратчета"},
      {1, 1, 3, "абв", 1, 2, 0,
       "1 × 1 = 1 квадратче, 1 буква, 2 букви без квадратче, рамка от 8 квадратчета"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const Picture picture =
        Picture::Rectangle(c.across, c.down, c.count, runtime::FromUtf8(c.mantra));
    EXPECT_EQ(picture.Letters(), c.letters);
    EXPECT_EQ(picture.Spilled(), c.spilled);
    EXPECT_EQ(picture.Blanks(), c.blanks);
    EXPECT_EQ(Spaced(picture.Words()), c.words);

    const Scene scene = Paint(picture, 300, 300);
    ASSERT_TRUE(scene.outlined);
    const Bitmap bitmap(scene, 300, 300);
    std::map<std::string, int> colours;
    for (int row = 0; row < picture.Rows(); ++row) {
      for (int column = 0; column < picture.Columns(); ++column) {
        const Rgb inside = bitmap.At(scene.grid.x + column * scene.square + 2,
                                     scene.grid.y + row * scene.square + 2);
        colours[inside == lessons::picture::kFrameColour    ? "gold"
                : inside == lessons::picture::kLetterColour ? "olive"
                : inside == lessons::picture::kBlankColour  ? "blank"
                                                            : "other"]++;
      }
    }
    std::map<std::string, int> expected{{"gold", 2 * c.across + 2 * c.down + 4},
                                        {"olive", c.letters}};
    if (c.blanks > 0) expected["blank"] = c.blanks;
    EXPECT_EQ(colours, expected);

    // Every letter is labelled, those without a square under the frame in the spill's colour.
    ASSERT_EQ(scene.labels.size(), static_cast<size_t>(c.count));
    for (int index = c.letters; index < c.count; ++index) {
      const auto& label = scene.labels[static_cast<size_t>(index)];
      EXPECT_GT(label.rect.y, scene.grid.y + scene.grid.height);
      EXPECT_EQ(bitmap.At(label.rect.x + 1, label.rect.y + 1), lessons::picture::kSpillColour);
      EXPECT_EQ(label.text, picture.Letter(index));
    }
    // The whole drawing stands inside the area, the frame centred over the letters under it.
    for (const auto& label : scene.labels)
      EXPECT_LE(label.rect.y + label.rect.height, 300);
  }
  EXPECT_EQ(Picture::Rectangle(1, 1, 3, U"абв").Letter(2), "в");
  EXPECT_EQ(Picture::Rectangle(2, 3, 10, U"").Letter(9), "10");

  // Nine hundred letters without a square still fit a small area, as plain areas.
  const Scene crowded = Paint(Picture::Rectangle(1, 1, 1000, U""), 120, 120);
  EXPECT_FALSE(crowded.outlined);
  EXPECT_TRUE(std::any_of(crowded.fills.begin(), crowded.fills.end(), [](const auto& fill) {
    return fill.colour == lessons::picture::kSpillColour;
  }));
  const Bitmap plain(crowded, 120, 120);  // which checks that every area stands inside
}

}  // namespace
