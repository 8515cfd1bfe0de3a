// Arbitrary bytes as a pupil's program: read, and where they read as a program, run for a letter
// count taken from the bytes, kept step by step and walked through, every sentence and value
// asked for. Nothing may crash or hang; a text is a program or an error with a place on one of
// its lines, and a run ends with its outcome or an error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <variant>

#include "language/machine.h"
#include "language/program.h"
#include "language/trace.h"
#include "language/words.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto letters = static_cast<int16_t>(data[0] | data[1] << 8);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  auto parsed = language::Parse(text);
  if (const auto* error = std::get_if<language::Error>(&parsed)) {
    Check(!error->text.empty() && error->place.line >= 1);
    Check(!language::words::Spoken(error->text).empty());
    return 0;
  }
  const auto program =
      std::make_shared<const language::Program>(std::get<language::Program>(std::move(parsed)));
  // Fewer steps than a pupil's run may take, so that the fuzzer tries many programs a second.
  language::Limits limits;
  limits.steps = 20'000;
  const language::Outcome run = language::Run(*program, letters, limits);
  language::Trace trace(program, letters, limits);
  Check(trace.Result().rows == run.rows && trace.Result().work.steps == run.work.steps);
  Check(trace.Count() == run.work.steps || (run.error && trace.Count() <= run.work.steps + 1));
  // Forwards through the first steps and back from the last ones, everything a page shows.
  const int count = trace.Count();
  for (int step : {0, 1, 2, 3, count / 2, count - 2, count - 1, -1}) {
    trace.GoTo(step);
    const language::Place place = trace.Where();
    Check(trace.Current() < 0 || place.line >= 1);
    Check(trace.Rows() <= static_cast<int>(run.rows.size()));
    language::words::Spoken(trace.Sentence());
    for (const auto& variable : trace.Variables())
      Check(!variable.name.empty());
  }
  return 0;
}
