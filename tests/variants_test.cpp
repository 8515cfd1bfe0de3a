// The search changed by the pupil and the two other programs: their rows, answers and divisions
// (each mod, each div, each N : a) against a plain count that shares nothing with their code or
// the search's, the numbers the page states, and which changes can go wrong for some N from 1 to
// 16380.
#include "lessons/variants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using lessons::change::AsWritten;
using lessons::change::Changed;
using lessons::change::EverySide;
using lessons::change::Formula;
using lessons::change::LeastFrame;
using lessons::change::Part;
using lessons::change::Row;
using ProgramRun = lessons::change::Run;
using lessons::change::Switches;
using lessons::change::Work;

Switches Without(std::initializer_list<Part> parts) {
  Switches switches;
  for (const Part part : parts)
    switches.on[static_cast<size_t>(part)] = false;
  return switches;
}

// The changed search as its lines read, one A mod i at a time, and A div i where i divides A,
// each counted.
ProgramRun Plainly(int n, const Switches& on) {
  int root = 0;
  while ((root + 1) * (root + 1) <= n)
    ++root;
  ProgramRun run;
  int best = 2 * n + 6;
  run.rows.push_back({1, n, best});
  const int last = on[Part::kRootSide] ? root : n;
  const auto scan = [&](int area) {
    for (int i = 2; i <= last; ++i) {
      ++run.work.remainders;
      if (area % i != 0) continue;
      const int j = area / i;
      ++run.work.quotients;
      const int p = 2 * i + 2 * j + 4;
      if (on[Part::kSmaller] ? p < best : p <= best) {
        run.rows.push_back({i, j, p});
        best = p;
      }
    }
  };
  scan(n);
  if (n == root * root) return run;
  if (on[Part::kLargerAreas]) {
    for (int area = n + 1; area <= (root + 1) * (root + 1); ++area)
      scan(area);
  }
  const int closing = 4 * (root + 1) + 4;
  if (on[Part::kClosingSquare] && closing <= best)
    run.rows.push_back({root + 1, root + 1, closing});
  return run;
}

std::string Said(const std::vector<Row>& rows) {
  std::string said;
  for (const Row& row : rows)
    said += std::to_string(row.across) + "×" + std::to_string(row.down) + ":" +
            std::to_string(row.frame) + " ";
  return said;
}

TEST(Variants, EachChangeListsAndCountsAsItsLinesRead) {
  for (const int n : {1, 2, 5, 7, 9, 13, 70, 72, 100, 16130, 16380}) {
    // Every one of the sixteen ways to set the switches.
    for (int set = 0; set < 16; ++set) {
      Switches on;
      for (int part = 0; part < 4; ++part)
        on.on[static_cast<size_t>(part)] = (set >> part & 1) == 0;
      SCOPED_TRACE(std::to_string(n) + ", switches " + std::to_string(set));
      const ProgramRun expected = Plainly(n, on);
      const ProgramRun changed = Changed(n, on);
      EXPECT_EQ(Said(changed.rows), Said(expected.rows));
      EXPECT_EQ(changed.work, expected.work);
    }
    // The program as written is the search itself, its divisions counted as it ran.
    const ProgramRun written = AsWritten(n);
    EXPECT_EQ(Said(written.rows), Said(Plainly(n, Switches{}).rows)) << n;
    EXPECT_EQ(written.work, Plainly(n, Switches{}).work) << n;
    EXPECT_EQ(lessons::change::WorkAsWritten(n), written.work) << n;
    // The two others: a quotient for every side but the strip's, and one.
    EXPECT_EQ(EverySide(n).work, (Work{0, n - 1}));
    EXPECT_EQ(Formula(n).work, (Work{0, 1}));
    EXPECT_EQ(EverySide(n).rows.size(), 1u);
  }
  // Every area's divisors, in increasing order: those up to √A, then their partners.
  for (int area = 1; area <= lessons::change::kLargestArea; ++area) {
    std::vector<int> small, large;
    for (int d = 1; d * d <= area; ++d) {
      if (area % d != 0) continue;
      small.push_back(d);
      if (d * d != area) large.insert(large.begin(), area / d);
    }
    small.insert(small.end(), large.begin(), large.end());
    const auto divisors = lessons::change::DivisorsOf(area);
    ASSERT_EQ(std::vector<int>(divisors.begin(), divisors.end()), small) << area;
  }
}

TEST(Variants, TheNumbersThePageStates) {
  const struct {
    int n;
    ProgramRun run;
    std::vector<Row> rows;
    Work work;
  } cases[] = {
      // 84 mod and 22 div: 106 divisions.
      {70, AsWritten(70), {{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}}, {84, 22}},
      {70,
       Changed(70, Without({Part::kRootSide})),
       {{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}},
       {828, 46}},
      {70,
       Changed(70, Without({Part::kLargerAreas})),
       {{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}},
       {7, 3}},
      {70,
       Changed(70, Without({Part::kSmaller})),
       {{1, 70, 146}, {2, 35, 78}, {5, 14, 42}, {7, 10, 38}, {8, 9, 38}},
       {84, 22}},
      // Every side: the strip without a division, then one for each a from 2 to 70.
      {70, EverySide(70), {{7, 10, 38}}, {0, 69}},
      {70, Formula(70), {{9, 8, 38}}, {0, 1}},
      // Without the larger areas the search is wrong already for 5: 3 × 3, not 2 × 3.
      {5, Changed(5, Without({Part::kLargerAreas})), {{1, 5, 16}, {3, 3, 16}}, {1, 0}},
      {5, AsWritten(5), {{1, 5, 16}, {2, 3, 14}}, {5, 2}},
      {1, AsWritten(1), {{1, 1, 8}}, {0, 0}},
      {1, EverySide(1), {{1, 1, 8}}, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Said(c.run.rows), Said(c.rows)) << c.n;
    EXPECT_EQ(c.run.work, c.work) << c.n;
  }
  EXPECT_EQ(LeastFrame(5), 14);
  // The work is a saw: largest just after a perfect square.
  EXPECT_EQ(AsWritten(16130).work.Divisions(), 33256);
  EXPECT_EQ(AsWritten(16380).work, (Work{630, 45}));
}

// With the larger areas, no other change can miss the least frame, for any N the programs take;
// the formula and every side never do; and without the larger areas the search goes wrong first at
// 5, and for many N after.
TEST(Variants, WhichChangesGoWrongForSomeN) {
  const Switches right[] = {Without({Part::kClosingSquare}), Without({Part::kRootSide}),
                            Without({Part::kSmaller}),
                            Without({Part::kClosingSquare, Part::kRootSide, Part::kSmaller})};
  for (int n = 1; n <= lessons::change::kLargestCount; ++n) {
    // The least frame: the least a + b with a·b ≥ N is ⌈2√N⌉.
    const int sum = static_cast<int>(std::ceil(2 * std::sqrt(static_cast<double>(n)) - 1e-9));
    ASSERT_EQ(LeastFrame(n), 2 * sum + 4) << n;
    ASSERT_EQ(Formula(n).Answer(), LeastFrame(n)) << n;
    ASSERT_EQ(EverySide(n).Answer(), LeastFrame(n)) << n;
    for (const Switches& switches : right) {
      ASSERT_EQ(Changed(n, switches).Answer(), LeastFrame(n)) << n;
    }
  }
  for (const Switches& switches : right) {
    EXPECT_TRUE(lessons::change::RightForEveryCount(switches));
    EXPECT_EQ(lessons::change::SmallestWrong(switches), 0);
  }

  const Switches only_n = Without({Part::kLargerAreas});
  int wrong = 0;
  int first = 0;
  for (int n = 1; n <= lessons::change::kLargestCount; ++n) {
    if (Plainly(n, only_n).Answer() == LeastFrame(n)) continue;
    ++wrong;
    if (first == 0) first = n;
  }
  EXPECT_EQ(first, 5);
  EXPECT_EQ(wrong, 7171);
  EXPECT_FALSE(lessons::change::RightForEveryCount(only_n));
  EXPECT_EQ(lessons::change::SmallestWrong(only_n), 5);
  EXPECT_EQ(lessons::change::SmallestWrong(Without({Part::kLargerAreas, Part::kClosingSquare})), 5);
}

}  // namespace
