#include "lessons/tasks.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <initializer_list>
#include <optional>

#include "lessons/proverbs.h"
#include "runtime/number_text.h"
#include "search/frames.h"
#include "window/model.h"

namespace lessons::practice {

namespace {

int Whole(const runtime::String& text) {
  return static_cast<int>(runtime::ReadNumber(text));
}

// What the search listed on a form, row by row.
std::vector<Row> Listed(const window::Form& form) {
  const auto& lists = form.List1;
  std::vector<Row> rows;
  for (size_t row = 0; row < lists[2].Items().size(); ++row) {
    rows.push_back(
        {Whole(lists[0].Items()[row]), Whole(lists[1].Items()[row]), Whole(lists[2].Items()[row])});
  }
  return rows;
}

// Runs the search on a form of its own, without events or a view: the option is set as code
// sets it, and the box as code fills it.
std::vector<Row> Run(int option, int box, const runtime::String& text,
                     search::StepObserver* observer = nullptr) {
  window::Form form;
  form.Option1[static_cast<size_t>(option)].SetValue(true);
  form.Text2[static_cast<size_t>(box)].SetText(text);
  search::FindFrames(form, observer);
  return Listed(form);
}

bool IsSquare(int count) {
  const int root = WholeRoot(count);
  return root * root == count;
}

// Five tasks from the candidates, met in a random order, no count twice: one of each kind wanted,
// then any; asked in a random order. Each candidate becomes a task, with the program's run for
// it, once, and only when it is looked at.
using Wanted = bool (*)(const Task&);

template <typename Candidate, typename MakeTask>
std::vector<Task> Choose(std::vector<Candidate> candidates, MakeTask make,
                         std::initializer_list<Wanted> wants, std::mt19937& random) {
  std::shuffle(candidates.begin(), candidates.end(), random);
  std::vector<std::optional<Task>> made(candidates.size());
  std::vector<Task> chosen;
  const auto take = [&](auto&& wanted) {
    for (size_t i = 0; i < candidates.size(); ++i) {
      if (!made[i]) made[i] = make(candidates[i]);
      const Task& task = *made[i];
      const bool repeated = std::any_of(chosen.begin(), chosen.end(),
                                        [&](const Task& each) { return each.count == task.count; });
      if (repeated || !wanted(task)) continue;
      chosen.push_back(task);
      return;
    }
  };
  for (const Wanted wanted : wants)
    take(wanted);
  while (chosen.size() < static_cast<size_t>(kTasksPerSet))
    take([](const Task&) { return true; });
  std::shuffle(chosen.begin(), chosen.end(), random);
  return chosen;
}

bool Square(const Task& task) {
  return IsSquare(task.count);
}
bool Tie(const Task& task) {
  return task.Tied();
}
bool ClosingTie(const Task& task) {
  return task.ClosingTie();
}
bool LargerArea(const Task& task) {
  return task.LargerArea();
}

}  // namespace

// The square root in double precision, then put right where it rounded across a whole number.
int WholeRoot(int n) {
  if (n <= 0) return 0;
  auto root = static_cast<int>(std::sqrt(static_cast<double>(n)));
  while (int64_t{root} * root > n)
    --root;
  while (int64_t{root + 1} * (root + 1) <= n)
    ++root;
  return root;
}

bool Task::ClosesOnSquare() const {
  if (rows.size() < 2) return false;
  const Row& last = rows.back();
  return last.across == last.down && int64_t{last.across} * last.down > count;
}

bool Task::ClosingTie() const {
  return ClosesOnSquare() && rows.back().frame == rows[rows.size() - 2].frame;
}

bool Task::LargerArea() const {
  const size_t scanned = rows.size() - (ClosesOnSquare() ? 1 : 0);
  for (size_t row = 1; row < scanned; ++row) {
    if (int64_t{rows[row].across} * rows[row].down > count) return true;
  }
  return false;
}

std::vector<Sides> Task::Best() const {
  std::vector<Sides> best;
  const int sum = (Least() - 4) / 2;  // a + b
  for (int across = 1; 2 * across <= sum; ++across) {
    if (int64_t{across} * (sum - across) >= count) best.push_back({across, sum - across});
  }
  return best;
}

std::vector<Row> OwnRows(int count, search::StepObserver* observer) {
  return Run(1, 1, runtime::WholeText(int64_t{count}), observer);
}

std::vector<Row> OwnRows(const runtime::String& mantra) {
  return Run(0, 0, mantra);
}

Task CountTask(int count) {
  return {count, {}, OwnRows(count)};
}

Task ProverbTask(const runtime::String& proverb) {
  return {static_cast<int>(proverb.size()), proverb, OwnRows(proverb)};
}

std::vector<Task> TaskSet(size_t level, std::mt19937& random) {
  const Level& chosen = kLevels[std::min(level, kLevels.size() - 1)];
  if (chosen.kind == Kind::kProverb) {
    std::vector<const char*> candidates(proverbs::kProverbs.begin(), proverbs::kProverbs.end());
    return Choose(
        candidates, [](const char* proverb) { return ProverbTask(runtime::FromUtf8(proverb)); },
        {Square, Tie}, random);
  }
  std::vector<int> candidates;
  for (int count = chosen.first; count <= chosen.last; ++count)
    candidates.push_back(count);
  if (chosen.kind == Kind::kTrace) {
    return Choose(candidates, CountTask, {Square, ClosingTie, LargerArea}, random);
  }
  return Choose(candidates, CountTask, {Square, Tie}, random);
}

uint32_t FreshSeed() {
  const auto now = static_cast<uint64_t>(std::time(nullptr));
  const auto ticks = static_cast<uint64_t>(std::clock());
  return static_cast<uint32_t>(now ^ (now >> 32) ^ (ticks * 2654435761u));
}

}  // namespace lessons::practice
