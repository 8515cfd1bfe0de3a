// One click on "Изчисли" for a count, against a floor: a bare loop making the same trial
// divisions and nothing else; and the click keeping the steps of its run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "lessons/steps.h"
#include "runtime/number_text.h"
#include "window/events.h"
#include "window/model.h"

namespace {

void FindFramesClick(benchmark::State& state) {
  window::Form form;
  window::EventProcedures procedures(form);
  form.SetEvents(&procedures);
  form.Load();
  form.Text2[1].SetText(runtime::WholeText(int64_t{state.range(0)}));
  for (auto _ : state) {
    form.UserClick(0);
    benchmark::DoNotOptimize(form.BestFrame);
  }
  state.counters["rows"] = form.List1[0].ListCount();
}
BENCHMARK(FindFramesClick)->Arg(70)->Arg(16130)->Arg(16380);

// The same click with the steps of the run kept, as the program keeps them for its steps page.
void FindFramesClickKeepingSteps(benchmark::State& state) {
  window::Form form;
  window::EventProcedures procedures(form);
  lessons::steps::Walkthrough steps(form);
  form.SetEvents(&procedures);
  procedures.Watch(&steps);
  form.Load();
  form.Text2[1].SetText(runtime::WholeText(int64_t{state.range(0)}));
  for (auto _ : state) {
    form.UserClick(0);
    benchmark::DoNotOptimize(steps.Count());
  }
  state.counters["steps"] = steps.Count();
  state.counters["kept_bytes"] = static_cast<double>(steps.Bytes());
}
BENCHMARK(FindFramesClickKeepingSteps)->Arg(70)->Arg(16130)->Arg(16380);

// The trial divisions of the same run: i from 2 to floor(sqrt(N)) over the areas N to the next
// square.
void TrialDivisionFloor(benchmark::State& state) {
  const auto count = static_cast<int32_t>(state.range(0));
  const auto root = static_cast<int32_t>(std::sqrt(static_cast<double>(count)));
  for (auto _ : state) {
    int32_t divisors = 0;
    for (int32_t area = count; area <= (root + 1) * (root + 1); ++area) {
      int32_t bound = root;
      benchmark::DoNotOptimize(bound);  // known only at run time, as in the search
      for (int32_t side = 2; side <= bound; ++side)
        divisors += area % side == 0;
    }
    benchmark::DoNotOptimize(divisors);
  }
}
BENCHMARK(TrialDivisionFloor)->Arg(70)->Arg(16130);

}  // namespace
