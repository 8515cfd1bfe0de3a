#include "lessons/variants.h"

#include <algorithm>

#include "search/steps.h"

namespace lessons::change {

namespace {

using practice::FrameOf;

// Counts the divisions of a run of the search as it runs: A mod i at each divisor tried, and
// A div i too where i divides the area.
class DivisionCounter final : public search::StepObserver {
 public:
  void Started() override {}
  void Stepped(const search::Step& step) override {
    if (step.kind == search::StepKind::kNotDivisor) ++work.remainders;
    if (step.kind == search::StepKind::kDivisor) {
      ++work.remainders;
      ++work.quotients;
    }
  }
  void Stopped(const runtime::RuntimeError&, const search::Step&) override {}

  Work work;
};

// The divisors of every area from 1 to kLargestArea, found once by marking the multiples of each
// d in turn: area A's stand at [starts[A], starts[A + 1]), in increasing order.
struct DivisorTable {
  std::vector<int32_t> starts;
  std::vector<int16_t> divisors;

  DivisorTable() : starts(kLargestArea + 2, 0) {
    for (int d = 1; d <= kLargestArea; ++d) {
      for (int area = d; area <= kLargestArea; area += d)
        ++starts[static_cast<size_t>(area) + 1];
    }
    for (size_t area = 1; area < starts.size(); ++area)
      starts[area] += starts[area - 1];
    divisors.resize(static_cast<size_t>(starts.back()));
    std::vector<int32_t> next(starts.begin(), starts.end() - 1);
    for (int d = 1; d <= kLargestArea; ++d) {
      for (int area = d; area <= kLargestArea; area += d)
        divisors[static_cast<size_t>(next[static_cast<size_t>(area)]++)] = static_cast<int16_t>(d);
    }
  }
};

// Each division the changed search makes for N that divides an area: the area and its divisor i,
// in the order the search makes them, areas from N up and in each i from 2 up. Each i it tries
// makes a remainder too.
template <typename Visit>
void EachQuotient(int count, const Switches& switches, Visit visit) {
  const int last = LastDivisor(count, switches);
  const int last_area = LastArea(count, switches);
  for (int area = count; area <= last_area; ++area) {
    for (const int i : DivisorsOf(area)) {
      if (i > last) break;
      if (i >= 2) visit(area, i);
    }
  }
}

int64_t Remainders(int count, const Switches& switches) {
  return int64_t{LastArea(count, switches) - count + 1} *
         std::max(LastDivisor(count, switches) - 1, 0);
}

}  // namespace

int LeastFrame(int count) {
  int sum = 0;  // ⌈2√N⌉, the least a + b with a·b ≥ N
  while (int64_t{sum} * sum < 4 * int64_t{count})
    ++sum;
  return 2 * sum + 4;
}

std::span<const int16_t> DivisorsOf(int area) {
  static const DivisorTable table;
  if (area < 1 || area > kLargestArea) return {};
  const auto at = static_cast<size_t>(area);
  return std::span<const int16_t>(table.divisors)
      .subspan(static_cast<size_t>(table.starts[at]),
               static_cast<size_t>(table.starts[at + 1] - table.starts[at]));
}

int LastArea(int count, const Switches& switches) {
  const int root = practice::WholeRoot(count);
  if (!switches[Part::kLargerAreas] || root * root == count) return count;
  return (root + 1) * (root + 1);
}

int LastDivisor(int count, const Switches& switches) {
  return switches[Part::kRootSide] ? practice::WholeRoot(count) : count;
}

Run AsWritten(int count) {
  DivisionCounter counter;
  Run run{practice::OwnRows(count, &counter), {}};
  run.work = counter.work;
  return run;
}

// Each area in turn, and in it each i from 2 to the last divisor: a remainder for every i, and
// for each that divides the area its quotient and the frame of i × j, listed where it is smaller
// than BestFrame (or not larger, with ties) and BestFrame lowered.
Run Changed(int count, const Switches& switches) {
  const int root = practice::WholeRoot(count);
  Run run;
  int64_t best = FrameOf(1, count);
  run.rows.push_back({1, count, static_cast<int>(best)});
  run.work.remainders = Remainders(count, switches);
  EachQuotient(count, switches, [&](int area, int i) {
    ++run.work.quotients;
    const int64_t frame = FrameOf(i, area / i);
    if (switches[Part::kSmaller] ? frame < best : frame <= best) {
      run.rows.push_back({i, area / i, static_cast<int>(frame)});
      best = frame;
    }
  });
  if (count > root * root && switches[Part::kClosingSquare]) {
    const int square = root + 1;
    const int64_t closing = FrameOf(square, square);
    if (closing <= best) run.rows.push_back({square, square, static_cast<int>(closing)});
  }
  return run;
}

Run EverySide(int count) {
  Run run{{{1, count, static_cast<int>(FrameOf(1, count))}}, {}};
  for (int across = 2; across <= count; ++across) {
    const int down = (count + across - 1) / across;
    ++run.work.quotients;
    const int64_t frame = FrameOf(across, down);
    if (frame < run.rows.back().frame) run.rows = {{across, down, static_cast<int>(frame)}};
  }
  return run;
}

Run Formula(int count) {
  int across = practice::WholeRoot(count);
  if (across * across < count) ++across;  // ⌈√N⌉
  across = std::max(across, 1);
  const int down = (count + across - 1) / across;
  return {{{across, down, static_cast<int>(FrameOf(across, down))}}, {0, 1}};
}

Work WorkAsWritten(int count) {
  return WorkChanged(count, Switches{});
}

Work WorkChanged(int count, const Switches& switches) {
  Work work{Remainders(count, switches), 0};
  EachQuotient(count, switches, [&](int, int) { ++work.quotients; });
  return work;
}

bool RightForEveryCount(const Switches& switches) {
  return switches[Part::kLargerAreas];
}

int SmallestWrong(const Switches& switches) {
  if (RightForEveryCount(switches)) return 0;
  for (int count = 1; count <= kLargestCount; ++count) {
    if (Changed(count, switches).Answer() != LeastFrame(count)) return count;
  }
  return 0;
}

}  // namespace lessons::change
