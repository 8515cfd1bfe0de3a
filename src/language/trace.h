#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "language/error.h"
#include "language/machine.h"
#include "language/program.h"

// A run of a pupil's program kept step by step, and the step shown: where it stands in the text,
// the variables with the one it changed, its sentence, and the rows and output so far. Moving to
// any step, forwards or back, replays or undoes the steps between, each of which changed at most
// one variable.
namespace language {

class Trace {
 public:
  Trace(std::shared_ptr<const Program> program, int16_t letters, const Limits& limits = {});

  const Program& Code() const { return *program_; }
  const Outcome& Result() const { return outcome_; }
  int16_t Letters() const { return letters_; }
  // The steps kept, the one an error stopped too.
  int Count() const { return static_cast<int>(steps_.size()); }

  // The step shown, from 0, or -1 before the first.
  int Current() const { return current_; }
  void GoTo(int step);
  // Whether the step shown is the one an error or a limit stopped.
  bool AtError() const { return outcome_.error && current_ == Count() - 1; }

  // Where the step shown stands in the text: its line and what it executed.
  Place Where() const;
  // A variable as the step leaves it: its name as first written, its value as the program
  // writes it (empty while it has none), and whether the step changed it.
  struct Shown {
    std::string name;
    std::string value;
    bool changed;
  };
  std::vector<Shown> Variables() const;
  // What the step did, in a sentence (the error's, at the step an error stopped).
  std::string Sentence() const;
  // The rows and lines of output the run had written after the step shown.
  int Rows() const;
  int Lines() const;
  // The step that wrote a row, from 0, or -1.
  int StepOfRow(int row) const;
  // The memory the kept steps take, in bytes.
  size_t Bytes() const { return steps_.capacity() * sizeof(Step); }

 private:
  std::shared_ptr<const Program> program_;
  int16_t letters_;
  std::vector<Step> steps_;
  Outcome outcome_;
  std::vector<int16_t> values_;  // after the step shown
  std::vector<uint8_t> set_;
  int current_ = -1;
};

}  // namespace language
