// The pupil's language on the lesson's program: reading it, runs that only count (for 70, for the
// largest work 16130, for the last count 16380, and for every N from 1 to 1000, as a check of a
// pupil's program takes them), a run kept step by step for the steps, and one step back from the
// last of a run as long as the limit allows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <variant>

#include "language/machine.h"
#include "language/program.h"
#include "language/trace.h"
#include "lessons/steps.h"

namespace {

std::string LessonText() {
  std::string text;
  for (const std::string& line : lessons::steps::ProgramLines())
    text += line + "\n";
  return text;
}

std::shared_ptr<const language::Program> LessonProgram() {
  return std::make_shared<const language::Program>(
      std::get<language::Program>(language::Parse(LessonText())));
}

void ParseLesson(benchmark::State& state) {
  const std::string text = LessonText();
  for (auto _ : state)
    benchmark::DoNotOptimize(language::Parse(text));
}
BENCHMARK(ParseLesson);

void CountingRun(benchmark::State& state) {
  const auto program = LessonProgram();
  int64_t steps = 0;
  for (auto _ : state) {
    const language::Outcome run = language::Run(*program, static_cast<int16_t>(state.range(0)));
    steps = run.work.steps;
    benchmark::DoNotOptimize(run.rows.data());
  }
  state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(CountingRun)->Arg(70)->Arg(16130)->Arg(16380)->Unit(benchmark::kMicrosecond);

void EveryCountTo1000(benchmark::State& state) {
  const auto program = LessonProgram();
  for (auto _ : state) {
    int64_t steps = 0;
    for (int count = 1; count <= 1000; ++count)
      steps += language::Run(*program, static_cast<int16_t>(count)).work.steps;
    benchmark::DoNotOptimize(steps);
  }
}
BENCHMARK(EveryCountTo1000)->Unit(benchmark::kMillisecond);

void KeptRun(benchmark::State& state) {
  const auto program = LessonProgram();
  for (auto _ : state) {
    language::Trace trace(program, static_cast<int16_t>(state.range(0)));
    benchmark::DoNotOptimize(trace.Count());
  }
}
BENCHMARK(KeptRun)->Arg(70)->Arg(16130)->Unit(benchmark::kMicrosecond);

// A loop that runs to the step limit, kept; then a step back from its end, with the sentence and
// the values the page shows for it.
void StepBackAtTheLimit(benchmark::State& state) {
  const auto program = std::make_shared<const language::Program>(
      std::get<language::Program>(language::Parse("x ← 0\nдокато x < 1: x ← x")));
  language::Trace trace(program, 70);
  state.counters["steps"] = trace.Count();
  state.counters["MB"] = static_cast<double>(trace.Bytes()) / 1e6;
  int step = trace.Count() - 1;
  for (auto _ : state) {
    trace.GoTo(step);
    benchmark::DoNotOptimize(trace.Sentence());
    benchmark::DoNotOptimize(trace.Variables());
    step = step == trace.Count() - 1 ? trace.Count() - 2 : trace.Count() - 1;
  }
}
BENCHMARK(StepBackAtTheLimit)->Unit(benchmark::kMicrosecond);

}  // namespace
