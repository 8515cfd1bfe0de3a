#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "runtime/text.h"

namespace search {
class StepObserver;
}

// The practice's tasks: its levels, the counts and proverbs of a set of tasks, and for each the
// rows the program's own frame search lists, which decide what is right.
namespace lessons::practice {

// What a level asks: the least frame for a count, for a proverb's length; or the rows the
// program lists for a count, one by one.
enum class Kind { kCount, kProverb, kTrace };

struct Level {
  const char* name;
  Kind kind;
  int first;  // the counts it draws from, for a count
  int last;
};

inline constexpr std::array<Level, 5> kLevels = {{
    {"Ниво 1: до 20 букви", Kind::kCount, 2, 20},
    {"Ниво 2: до 100 букви", Kind::kCount, 21, 100},
    {"Ниво 3: до 1000 букви", Kind::kCount, 101, 1000},
    {"Ниво 4: пословица", Kind::kProverb, 0, 0},
    {"Ниво 5: като програмата", Kind::kTrace, 8, 100},
}};
inline constexpr int kTasksPerSet = 5;

// A rectangle of letter squares: `across` along the abscissa, `down` along the ordinate.
struct Sides {
  int across = 0;
  int down = 0;
  friend bool operator==(const Sides&, const Sides&) = default;
};

// A row that the frame search lists.
struct Row {
  int across = 0;
  int down = 0;
  int frame = 0;
  friend bool operator==(const Row&, const Row&) = default;
};

inline int64_t FrameOf(int64_t across, int64_t down) {
  return 2 * across + 2 * down + 4;
}

// The whole part of √n, exactly; 0 for n ≤ 0.
int WholeRoot(int n);

// One task: the count N, or a proverb and its length, with what the program's search lists for
// it. The least frame and the solution are the last row's.
struct Task {
  int count = 0;
  runtime::String proverb;  // empty for a count
  std::vector<Row> rows;

  int Least() const { return rows.back().frame; }
  Sides Solution() const { return {rows.back().across, rows.back().down}; }
  // Every rectangle with the least frame that holds the letters, the shorter side first, in
  // increasing order of it: 7 × 10 and 8 × 9 for 70.
  std::vector<Sides> Best() const;
  // Whether two rectangles tie for the least frame.
  bool Tied() const { return Best().size() > 1; }
  // Whether the last row is the closing square, which no scan of divisors gives: a square larger
  // than N, after the strip.
  bool ClosesOnSquare() const;
  // Whether the last row is the closing square, listed on a tie with the row before it.
  bool ClosingTie() const;
  // Whether a row other than the closing square comes from an area larger than N.
  bool LargerArea() const;
};

// The rows the program's frame search lists for a count, or for a mantra's length in mantra
// mode, run on a form of its own: the window's lists and boxes stay as they are. An observer,
// where one is given, is told each step of the run.
std::vector<Row> OwnRows(int count, search::StepObserver* observer = nullptr);
std::vector<Row> OwnRows(const runtime::String& mantra);

Task CountTask(int count);
Task ProverbTask(const runtime::String& proverb);

// The tasks of a set of the level, in the order they are asked: no count twice, at least one
// perfect square, and at least one count where two rectangles tie for the least frame; at the
// level of the rows, one whose closing square is listed on a tie and one where a larger area
// gives a row instead.
std::vector<Task> TaskSet(size_t level, std::mt19937& random);

// A seed for the sets, different at each start of the program.
uint32_t FreshSeed();

}  // namespace lessons::practice
