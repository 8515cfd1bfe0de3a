#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "language/error.h"
#include "language/program.h"

// A pupil's program run for one letter count, in the program's own 16-bit arithmetic, with the
// work it does counted: as fast as it goes where only the outcome matters, or with every step
// kept for the pupil to step through.
namespace language {

// A row written by "ред": a by the abscissa, b by the ordinate, the frame.
struct Row {
  int16_t across = 0;
  int16_t down = 0;
  int16_t frame = 0;
  friend bool operator==(const Row&, const Row&) = default;
};

// The work of a run. A step is a statement executed: an assignment, a test of ако or иначе ако,
// ред, покажи, следващото, край, a call; a за counts one when it is reached and one for each
// pass, a докато one for each test. A division is each mod and each div.
struct Work {
  int64_t steps = 0;
  int64_t mods = 0;
  int64_t divs = 0;
  int64_t Divisions() const { return mods + divs; }
};

// What keeps any text from running for ever or filling the memory.
struct Limits {
  int64_t steps = 1'000'000;
  int calls = 100;  // nested
  int rows = 1000;
  int lines = 1000;  // of покажи
};

// What a run did: its rows, its lines of output ("a = 3, b = 23"), its work, and the error or limit
// that stopped it, if one did.
struct Outcome {
  std::vector<Row> rows;
  std::vector<std::string> output;
  Work work;
  std::optional<Error> error;
};

// One step as a kept run holds it: the instruction executed, the variable it changed with its
// value before and after, a test's answer, and how many rows and lines of output there were after
// it.
struct Step {
  int32_t instruction = 0;
  int32_t variable = -1;
  int16_t before = 0;
  int16_t after = 0;
  bool was_set = false;  // whether the variable had a value before
  bool answer = false;   // a test's: the condition held
  uint16_t rows = 0;
  uint16_t lines = 0;
};

// Runs the program for `letters`, the value of "броят на буквите".
Outcome Run(const Program& program, int16_t letters, const Limits& limits = {});
// The same, keeping every step, the one an error stopped too.
Outcome Record(const Program& program, int16_t letters, std::vector<Step>& steps,
               const Limits& limits = {});

}  // namespace language
