#include "lessons/variants.h"

#include <algorithm>

#include "search/steps.h"

namespace lessons::change {

namespace {

using practice::FrameOf;

// Counts the divisions of a run of the search as it runs: each step that computed A mod i.
class DivisionCounter final : public search::StepObserver {
 public:
  void Started() override {}
  void Stepped(const search::Step& step) override {
    divisions +=
        step.kind == search::StepKind::kNotDivisor || step.kind == search::StepKind::kDivisor;
  }
  void Stopped(const runtime::RuntimeError&, const search::Step&) override {}

  int64_t divisions = 0;
};

// The areas the search examines for N: N alone for a perfect square or without the larger
// areas, else N to (RootSide + 1)².
int64_t Areas(int count, bool larger) {
  const int root = practice::WholeRoot(count);
  if (!larger || root * root == count) return 1;
  return int64_t{root + 1} * (root + 1) - count + 1;
}

// The divisors i the scan tries in each area: 2 to RootSide, or 2 to N.
int64_t Divisors(int count, bool root_side) {
  return std::max(root_side ? practice::WholeRoot(count) - 1 : count - 1, 0);
}

}  // namespace

int LeastFrame(int count) {
  int sum = 0;  // ⌈2√N⌉, the least a + b with a·b ≥ N
  while (int64_t{sum} * sum < 4 * int64_t{count})
    ++sum;
  return 2 * sum + 4;
}

Run AsWritten(int count) {
  DivisionCounter counter;
  Run run{practice::OwnRows(count, &counter), 0};
  run.divisions = counter.divisions;
  return run;
}

// The scan of an area tries every i from 2 to its last in turn; those that divide the area give
// their rectangles in that order. They are found here from the divisors up to √A, each with its
// partner, and counted as the scan counts them: one division for each i tried.
Run Changed(int count, const Switches& switches) {
  const int root = practice::WholeRoot(count);
  const int last = switches[Part::kRootSide] ? root : count;
  Run run;
  int64_t best = FrameOf(1, count);
  run.rows.push_back({1, count, static_cast<int>(best)});
  const auto listed = [&](int64_t frame) {
    return switches[Part::kSmaller] ? frame < best : frame <= best;
  };
  std::vector<int> divisors;
  const auto scan = [&](int area) {
    divisors.clear();
    const int small = std::min(last, practice::WholeRoot(area));
    for (int i = 2; i <= small; ++i) {
      if (area % i == 0) divisors.push_back(i);
    }
    const size_t partners = divisors.size();
    for (size_t at = partners; at-- > 0;) {  // the partners above √A, in increasing order
      const int partner = area / divisors[at];
      if (partner > small && partner <= last) divisors.push_back(partner);
    }
    if (area > small && area <= last) divisors.push_back(area);  // i = A, with j = 1
    std::sort(divisors.begin() + static_cast<std::ptrdiff_t>(partners), divisors.end());
    for (const int i : divisors) {
      const int64_t frame = FrameOf(i, area / i);
      if (!listed(frame)) continue;
      run.rows.push_back({i, area / i, static_cast<int>(frame)});
      best = frame;
    }
  };
  scan(count);
  if (count > root * root) {
    const int square = root + 1;
    if (switches[Part::kLargerAreas]) {
      for (int area = count + 1; area <= square * square; ++area)
        scan(area);
    }
    const int64_t closing = FrameOf(square, square);
    if (switches[Part::kClosingSquare] && closing <= best)
      run.rows.push_back({square, square, static_cast<int>(closing)});
  }
  run.divisions = DivisionsChanged(count, switches);
  return run;
}

Run EverySide(int count) {
  Run run;
  int64_t best = 0;
  for (int across = 1; across <= count; ++across) {
    const int down = (count + across - 1) / across;
    ++run.divisions;
    const int64_t frame = FrameOf(across, down);
    if (run.rows.empty() || frame < best) {
      run.rows = {{across, down, static_cast<int>(frame)}};
      best = frame;
    }
  }
  return run;
}

Run Formula(int count) {
  int across = practice::WholeRoot(count);
  if (across * across < count) ++across;  // ⌈√N⌉
  across = std::max(across, 1);
  const int down = (count + across - 1) / across;
  return {{{across, down, static_cast<int>(FrameOf(across, down))}}, 1};
}

int64_t DivisionsAsWritten(int count) {
  return DivisionsChanged(count, Switches{});
}

int64_t DivisionsChanged(int count, const Switches& switches) {
  return Areas(count, switches[Part::kLargerAreas]) * Divisors(count, switches[Part::kRootSide]);
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
