#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lessons/variants.h"

// "Защо?": why a changed program that keeps the larger areas still finds the least frame for
// every N, told with the numbers of one N. Each reason is a few claims, each a fact of the changed
// program's run for that N, kept as data so that the core's tests can check every one against the
// search, and the sentences made of them.
namespace lessons::change {

// One fact a reason states.
struct Claim {
  enum class Kind {
    kRootSide,       // RootSide of `count` is `side`
    kPerfectSquare,  // `count` = side × side: the run examines that area alone, no closing square
    kStrip,          // the run begins with the strip `row`
    kClosingSquare,  // the closing square `row`, whose frame is not below the run's answer
    kRectangle,      // in `area` the divisor row.across gives `row`, with the frame of `like`
    kOnlyThese,      // each divisor above RootSide gives a reversed rectangle, the strip reversed
                     // or the closing square's twin, as kRectangle claims show of each kind
    kWork,           // the changed program's work for `count`, and the program as written's
    kAnswer,         // the changed program's answer for `count` is the program as written's
    kTies,           // the rows `rows` listed on a tie; the run ends with `row`, as written `like`
  };
  // What `like` is, where a rectangle is compared.
  enum class Like {
    kNone,
    kEarlierDivisor,  // the same rectangle reversed, found in the same area with a smaller i
    kStrip,           // the strip 1 × N
    kClosingSquare,   // the closing square
  };

  Kind kind = Kind::kRootSide;
  int count = 0;
  int side = 0;
  int area = 0;
  Row row{};
  Row like{};
  Like how = Like::kNone;
  Work work{};
  Work written{};
  std::vector<Row> rows{};
};

// A reason: the part it explains and its claims.
struct Reason {
  Part part;
  std::vector<Claim> claims;
};

// The reasons for each part switched off, for N; none where the changed program can go wrong
// (without the larger areas) or where nothing is changed.
std::vector<Reason> Reasons(int count, const Switches& switches);
// A reason in words, which say what its claims hold and nothing else.
std::string Words(const Reason& reason);

// How the page writes its numbers, whole or in a rectangle: with the thousands of five digits or
// more apart, as every number on the page.
std::string Sides(const Row& row);     // "7 × 10"
std::string Named(const Row& row);     // "7 × 10, рамка 38"
std::string Divisions(int64_t count);  // "1 деление", "32 130 деления"

}  // namespace lessons::change
