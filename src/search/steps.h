#pragma once

#include <cstdint>

#include "runtime/runtime_error.h"

// What a run of the frame search tells of itself, step by step, to whoever watches it: each step
// as it is taken, with the search's own values at that moment. Without a watcher the search
// runs as it always does.
namespace search {

enum class StepKind : uint8_t {
  kObtain,          // N obtained and stored in LetterCount
  kStrip,           // the strip 1 × N listed, BestFrame its frame
  kRoot,            // RootSide = floor(sqrt(N))
  kScan,            // ScanDivisors called for the area in LetterCount (N, or a larger area)
  kNotDivisor,      // the area is not divisible by i
  kDivisor,         // i divides the area: j = A div i, and the frame P of i × j
  kCompare,         // P compared with BestFrame: listed when smaller
  kPerfectSquare,   // N compared with RootSide × RootSide
  kSquareSide,      // SquareSide = RootSide + 1, and the larger areas up to its square
  kClosingFrame,    // the closing square's frame P = 4 × SquareSide + 4
  kClosingCompare,  // P compared with BestFrame: the square listed on a tie too
  kEnd,             // the run is over
};

// The 16-bit operation that left the range, where one did.
enum class Operation : uint8_t { kNone, kAdd, kMultiply, kConvert };

struct Step {
  StepKind kind;
  int16_t count = 0;                       // N
  int16_t area = 0;                        // LetterCount
  int16_t best = 0;                        // BestFrame
  int16_t compared = 0;                    // the BestFrame that P was compared with
  double root = 0;                         // RootSide
  double square = 0;                       // SquareSide
  int32_t divisor = 0;                     // i
  int32_t remainder = 0;                   // A mod i
  int32_t quotient = 0;                    // j
  int64_t frame = 0;                       // P, before it is made 16-bit
  bool listed = false;                     // whether this step listed a row
  Operation operation = Operation::kNone;  // where the run stopped: the operation that overflowed
  double left = 0;                         // and its operands (a conversion has only the left one)
  double right = 0;
};

// Whoever watches a run.
class StepObserver {
 public:
  virtual ~StepObserver() = default;
  // Before the first step.
  virtual void Started() = 0;
  virtual void Stepped(const Step& step) = 0;
  // A run-time error stopped the step `at` (of the kind it was taking, with its values then);
  // the error then goes on to the caller, as it does without a watcher.
  virtual void Stopped(const runtime::RuntimeError& error, const Step& at) = 0;
};

}  // namespace search
