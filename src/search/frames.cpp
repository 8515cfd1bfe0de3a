#include "search/frames.h"

#include <cmath>
#include <cstdint>

#include "runtime/arithmetic.h"
#include "runtime/number_text.h"
#include "search/steps.h"
#include "window/model.h"

namespace search {

using runtime::WholeText;

namespace {

// One run of the search over the form. Where an observer watches, each step is told to it as it
// is taken, and the step under way is kept, so that an error can say where it stopped the run.
class Search {
 public:
  Search(window::Form& form, StepObserver* observer) : form_(form), observer_(observer) {}

  void FindFrames();
  void ScanDivisors();
  const Step& Doing() const { return doing_; }

 private:
  template <bool kWatched>
  void Scan();
  // A step of `kind` with the form's values as they are now.
  Step Now(StepKind kind) const {
    Step step{kind};
    step.count = count_;
    step.area = form_.LetterCount;
    step.best = form_.BestFrame;
    step.root = form_.RootSide;
    step.square = form_.SquareSide;
    return step;
  }
  void Begin(StepKind kind) {
    if (observer_ != nullptr) doing_ = Now(kind);
  }
  void Tell(const Step& step) const { observer_->Stepped(step); }
  // Tells a step that holds nothing beyond the form's values.
  void Report(StepKind kind) const {
    if (observer_ != nullptr) observer_->Stepped(Now(kind));
  }
  // The operation that the step under way is about to try, for an error to name.
  void Trying(Operation operation, double left, double right = 0) {
    doing_.operation = operation;
    doing_.left = left;
    doing_.right = right;
  }
  int16_t Add(int16_t left, int16_t right) {
    if (observer_ != nullptr) Trying(Operation::kAdd, left, right);
    return runtime::Add16(left, right);
  }
  int16_t Multiply(int16_t left, int16_t right) {
    if (observer_ != nullptr) Trying(Operation::kMultiply, left, right);
    return runtime::Multiply16(left, right);
  }
  int16_t Floor(double value) {
    if (observer_ != nullptr) Trying(Operation::kConvert, value);
    return runtime::FloorToInt16(value);
  }

  int16_t ObtainCount();

  window::Form& form_;
  StepObserver* const observer_;
  int16_t count_ = 0;  // N
  Step doing_{StepKind::kObtain};
};

// The letter count N: the mantra's length in mantra mode, which also goes into the count box;
// otherwise the number in the count box, rounded down.
int16_t Search::ObtainCount() {
  if (form_.Option1[0].Value()) {
    const int16_t length = runtime::ToInt16(static_cast<int64_t>(form_.Text2[0].Text().size()));
    form_.LetterCount = length;
    form_.Text2[1].SetText(WholeText(int64_t{length}));
    return length;
  }
  const int16_t count = Floor(runtime::ReadNumber(form_.Text2[1].Text()));
  form_.LetterCount = count;
  return count;
}

void Search::FindFrames() {
  Begin(StepKind::kObtain);
  count_ = ObtainCount();
  Report(StepKind::kObtain);
  for (window::ListBox& list : form_.List1)
    list.Clear();

  // The strip 1 × N stands for the divisor 1, which the scan never examines.
  Begin(StepKind::kStrip);
  form_.List1[0].AddItem(U"1");
  form_.List1[1].AddItem(WholeText(int64_t{count_}));
  form_.BestFrame = Add(Multiply(Add(count_, 1), 2), 4);
  form_.List1[2].AddItem(WholeText(int64_t{form_.BestFrame}));
  if (observer_ != nullptr) {
    Step strip = Now(StepKind::kStrip);
    strip.frame = form_.BestFrame;
    strip.listed = true;
    Tell(strip);
  }

  Begin(StepKind::kRoot);
  form_.RootSide = std::floor(runtime::SquareRoot(count_));
  Report(StepKind::kRoot);
  ScanDivisors();
  const bool square = !(count_ > form_.RootSide * form_.RootSide);
  Report(StepKind::kPerfectSquare);
  if (square) {  // a perfect square is its own best
    Report(StepKind::kEnd);
    return;
  }

  // Areas above N, up to the next square, may hold a rectangle with a smaller frame; the
  // divisor bound stays that of N.
  Begin(StepKind::kSquareSide);
  form_.SquareSide = form_.RootSide + 1;
  const int16_t first = Add(count_, 1);
  const int16_t last = Floor(form_.SquareSide * form_.SquareSide);
  Report(StepKind::kSquareSide);
  for (int32_t area = first; area <= last; ++area) {
    form_.LetterCount = static_cast<int16_t>(area);
    ScanDivisors();
  }

  // The closing square is listed when it does not lose, a tie included.
  const double closing = 4 * form_.SquareSide + 4;
  const bool listed = closing <= form_.BestFrame;
  if (observer_ != nullptr) {
    Step frame = Now(StepKind::kClosingFrame);
    frame.frame = static_cast<int64_t>(closing);
    Tell(frame);
  }
  if (listed) {
    form_.List1[2].AddItem(WholeText(closing));
    form_.List1[0].AddItem(WholeText(form_.SquareSide));
    form_.List1[1].AddItem(WholeText(form_.SquareSide));
  }
  if (observer_ != nullptr) {
    Step compare = Now(StepKind::kClosingCompare);
    compare.frame = static_cast<int64_t>(closing);
    compare.listed = listed;
    Tell(compare);
    Report(StepKind::kEnd);
  }
}

// Watched or not, decided once for the whole loop, so that the search without a watcher runs as
// it would with no watching in it at all.
void Search::ScanDivisors() {
  if (observer_ != nullptr) {
    Scan<true>();
  } else {
    Scan<false>();
  }
}

template <bool kWatched>
void Search::Scan() {
  const int32_t area = form_.LetterCount;
  const auto last = static_cast<int32_t>(form_.RootSide);
  if constexpr (kWatched) Report(StepKind::kScan);
  int32_t other = 0;  // j and P keep their last values from one divisor to the next
  int64_t wide = 0;
  for (int32_t side = 2; side <= last; ++side) {
    const int32_t remainder = area % side;
    if (remainder != 0) {
      if constexpr (kWatched) {
        Step trial = Now(StepKind::kNotDivisor);
        trial.divisor = side;
        trial.remainder = remainder;
        trial.quotient = other;
        trial.frame = wide;
        Tell(trial);
      }
      continue;
    }
    other = area / side;
    wide = 2 * int64_t{side} + 2 * int64_t{other} + 4;
    if constexpr (kWatched) {
      doing_ = Now(StepKind::kDivisor);
      doing_.divisor = side;
      doing_.quotient = other;
      doing_.frame = wide;
      Trying(Operation::kConvert, static_cast<double>(wide));
    }
    const int16_t frame = runtime::ToInt16(wide);
    if constexpr (kWatched) {
      Step pair = doing_;
      pair.operation = Operation::kNone;
      Tell(pair);
    }
    const bool listed = frame < form_.BestFrame;
    if (listed) {
      form_.List1[0].AddItem(WholeText(int64_t{side}));
      form_.List1[1].AddItem(WholeText(int64_t{other}));
      form_.List1[2].AddItem(WholeText(int64_t{frame}));
      form_.BestFrame = frame;
    }
    if constexpr (kWatched) {
      Step compare = Now(StepKind::kCompare);
      compare.compared = doing_.best;
      compare.divisor = side;
      compare.quotient = other;
      compare.frame = frame;
      compare.listed = listed;
      Tell(compare);
    }
  }
}

}  // namespace

void FindFrames(window::Form& form, StepObserver* observer) {
  Search search(form, observer);
  if (observer == nullptr) {
    search.FindFrames();
    return;
  }
  observer->Started();
  try {
    search.FindFrames();
  } catch (const runtime::RuntimeError& error) {
    observer->Stopped(error, search.Doing());
    throw;
  }
}

void ScanDivisors(window::Form& form) {
  Search(form, nullptr).ScanDivisors();
}

}  // namespace search
