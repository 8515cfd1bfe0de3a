// Every count a 16-bit integer can hold, typed into the count box as text: the run either lists
// rows whose frames fall and end at the least frame possible, or stops with the error its
// arithmetic calls for, leaving exactly the rows appended before it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "test_window.h"

namespace {

// The least frame 2a + 2b + 4 over all whole a, b >= 1 with a × b >= n, by trying every a.
int64_t LeastFrame(int64_t n) {
  int64_t least = std::numeric_limits<int64_t>::max();
  for (int64_t a = 1; a <= n; ++a) {
    const int64_t b = (n + a - 1) / a;
    least = std::min(least, 2 * a + 2 * b + 4);
  }
  return least;
}

int64_t Number(const runtime::String& text) {
  return std::stoll(std::string(text.begin(), text.end()));
}

void CheckCompletedRun(const TestWindow& window, int64_t n) {
  const TestWindow::Columns lists = window.Lists();
  ASSERT_EQ(lists[1].size(), lists[0].size());
  ASSERT_EQ(lists[2].size(), lists[0].size());
  ASSERT_GE(lists[0].size(), 1u);
  EXPECT_EQ(lists[0][0], U"1");
  EXPECT_EQ(Number(lists[1][0]), n);
  EXPECT_EQ(Number(lists[2][0]), 2 * n + 6);

  const auto root = static_cast<int64_t>(std::floor(std::sqrt(static_cast<double>(n))));
  const bool perfect_square = n == root * root;
  const int64_t square = perfect_square ? root : root + 1;
  for (size_t row = 1; row < lists[0].size(); ++row) {
    const int64_t a = Number(lists[0][row]);
    const int64_t b = Number(lists[1][row]);
    const int64_t frame = Number(lists[2][row]);
    const int64_t before = Number(lists[2][row - 1]);
    EXPECT_EQ(frame, 2 * a + 2 * b + 4);
    EXPECT_GE(a * b, n);  // the rectangle holds every letter
    const bool closing_square =
        !perfect_square && row + 1 == lists[0].size() && a == square && b == square;
    if (closing_square) {
      EXPECT_LE(frame, before) << n;
    } else {
      EXPECT_LT(frame, before) << n << " row " << row;
      EXPECT_LE(a, root);
      EXPECT_LE(a * b, square * square);
    }
  }
  if (n >= 1) {
    EXPECT_EQ(Number(lists[2].back()), LeastFrame(n)) << n;
  }
}

class WholeDomain : public testing::TestWithParam<int> {};

TEST_P(WholeDomain, EveryCountCompletesOrStopsWhereItsArithmeticFails) {
  constexpr int kChunk = 8192;
  TestWindow window;
  for (int n = GetParam(); n < GetParam() + kChunk; ++n) {
    window.errors.clear();
    window.Calculate(runtime::WholeText(int64_t{n}));
    const TestWindow::Columns lists = window.Lists();
    const runtime::String text = runtime::WholeText(int64_t{n});
    if (n > 16380 || n < -16385) {  // (n + 1) × 2 + 4 overflows: no frame size for the strip
      ASSERT_EQ(window.errors, std::vector<int>{6}) << n;
      ASSERT_EQ(lists, (TestWindow::Columns{{{U"1"}, {text}, {}}})) << n;
    } else if (n < 0) {  // no square root: the strip row stays
      ASSERT_EQ(window.errors, std::vector<int>{5}) << n;
      ASSERT_EQ(lists, Listed({{1, n, 2 * int64_t{n} + 6}})) << n;
    } else {
      ASSERT_TRUE(window.errors.empty()) << n;
      ASSERT_NO_FATAL_FAILURE(CheckCompletedRun(window, n));
      if (HasFailure()) return;  // one count's details are enough
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, WholeDomain,
                         testing::Values(-32768, -24576, -16384, -8192, 0, 8192, 16384, 24576));

}  // namespace
