#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "lessons/tasks.h"

// The frame search changed by the pupil, and two other programs for the same problem, each a
// small function of its own that counts its own work: the divisions it makes, each A mod i and
// each A div i the search computes, and each N : a rounded up. The program as written is the
// search itself, run on a form of its own and watched as it runs.
namespace lessons::change {

using practice::Row;

// The four parts of the search the pupil can switch off, in the order the page shows them.
enum class Part {
  kRootSide,       // the divisors i only up to RootSide; off: from 2 to N for every area
  kLargerAreas,    // the larger areas up to SquareSide²; off: only the area N
  kClosingSquare,  // the closing square; off: never examined
  kSmaller,        // a row only for a smaller frame, P < BestFrame; off: P ≤ BestFrame, ties too
};
inline constexpr int kParts = 4;

// Which parts are on: all of them in the program as written.
struct Switches {
  std::array<bool, kParts> on{true, true, true, true};
  bool operator[](Part part) const { return on[static_cast<size_t>(part)]; }
  bool AsWritten() const { return on == std::array<bool, kParts>{true, true, true, true}; }
  friend bool operator==(const Switches&, const Switches&) = default;
};

// The divisions a program makes: each remainder (A mod i) and each quotient (A div i, N : a).
struct Work {
  int64_t remainders = 0;
  int64_t quotients = 0;
  int64_t Divisions() const { return remainders + quotients; }
  friend bool operator==(const Work&, const Work&) = default;
};

// A program's run for N: the rows it lists (for the two other programs, the one rectangle it
// ends with) and its work.
struct Run {
  std::vector<Row> rows;
  Work work;
  int Answer() const { return rows.empty() ? 0 : rows.back().frame; }
};

// The counts the programs take, 1 to 16380: the most the search completes in 16 bits.
inline constexpr int kLargestCount = 16380;
// The largest area the search examines, SquareSide² for the largest count.
inline constexpr int kLargestArea = 128 * 128;

// The least frame for N letters, 2⌈2√N⌉ + 4.
int LeastFrame(int count);

// The divisors of an area from 1 to kLargestArea, in increasing order.
std::span<const int16_t> DivisorsOf(int area);

// The areas the changed search examines for N: from N to this one. N alone for a perfect square
// or without the larger areas, else up to SquareSide².
int LastArea(int count, const Switches& switches);
// The last divisor i the changed search tries in each area: RootSide, or N.
int LastDivisor(int count, const Switches& switches);

// The search as written, from its own run on a form of its own; its divisions counted through
// its observer.
Run AsWritten(int count);
// The search with the parts switched off, its divisions counted as it makes them.
Run Changed(int count, const Switches& switches);
// "всяка страна a от 1 до N": the strip 1 × N, then b = ⌈N : a⌉ for each a from 2, the least P
// kept; a division a side but the first.
Run EverySide(int count);
// "формулата": a = ⌈√N⌉, b = ⌈N : a⌉; one division.
Run Formula(int count);

// The work of the search as written and of the changed one for N, counted as the changed program
// counts it but without its rows: the search's own where no part is off.
Work WorkAsWritten(int count);
Work WorkChanged(int count, const Switches& switches);

// Whether the changed program finds the least frame for every N from 1 to 16380. Only the larger
// areas matter: without them it goes wrong (from N = 5); with them no other change can, which
// the core's tests prove for every N.
bool RightForEveryCount(const Switches& switches);
// The smallest N for which the changed program misses the least frame, or 0 for none.
int SmallestWrong(const Switches& switches);

}  // namespace lessons::change
