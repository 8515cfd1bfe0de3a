#include "search/frames.h"

#include <cmath>
#include <cstdint>

#include "runtime/arithmetic.h"
#include "runtime/number_text.h"
#include "window/model.h"

namespace search {

using runtime::WholeText;

namespace {

// The letter count N: the mantra's length in mantra mode, which also goes into the count box;
// otherwise the number in the count box, rounded down.
int16_t ObtainCount(window::Form& form) {
  if (form.Option1[0].Value()) {
    const int16_t length = runtime::ToInt16(static_cast<int64_t>(form.Text2[0].Text().size()));
    form.LetterCount = length;
    form.Text2[1].SetText(WholeText(int64_t{length}));
    return length;
  }
  const int16_t count = runtime::FloorToInt16(runtime::ReadNumber(form.Text2[1].Text()));
  form.LetterCount = count;
  return count;
}

}  // namespace

void FindFrames(window::Form& form) {
  const int16_t count = ObtainCount(form);
  for (window::ListBox& list : form.List1)
    list.Clear();

  // The strip 1 × N stands for the divisor 1, which the scan never examines.
  form.List1[0].AddItem(U"1");
  form.List1[1].AddItem(WholeText(int64_t{count}));
  form.BestFrame = runtime::Add16(runtime::Multiply16(runtime::Add16(count, 1), 2), 4);
  form.List1[2].AddItem(WholeText(int64_t{form.BestFrame}));

  form.RootSide = std::floor(runtime::SquareRoot(count));
  ScanDivisors(form);
  if (!(count > form.RootSide * form.RootSide)) return;  // a perfect square is its own best

  // Areas above N, up to the next square, may hold a rectangle with a smaller frame; the
  // divisor bound stays that of N.
  form.SquareSide = form.RootSide + 1;
  const int16_t first = runtime::Add16(count, 1);
  const int16_t last = runtime::FloorToInt16(form.SquareSide * form.SquareSide);
  for (int32_t area = first; area <= last; ++area) {
    form.LetterCount = static_cast<int16_t>(area);
    ScanDivisors(form);
  }

  // The closing square is listed when it does not lose, a tie included.
  const double closing = 4 * form.SquareSide + 4;
  if (closing <= form.BestFrame) {
    form.List1[2].AddItem(WholeText(closing));
    form.List1[0].AddItem(WholeText(form.SquareSide));
    form.List1[1].AddItem(WholeText(form.SquareSide));
  }
}

void ScanDivisors(window::Form& form) {
  const int32_t area = form.LetterCount;
  const auto last = static_cast<int32_t>(form.RootSide);
  for (int32_t side = 2; side <= last; ++side) {
    if (area % side != 0) continue;
    const int32_t other = area / side;
    const int16_t frame = runtime::ToInt16(2 * int64_t{side} + 2 * int64_t{other} + 4);
    if (frame < form.BestFrame) {
      form.List1[0].AddItem(WholeText(int64_t{side}));
      form.List1[1].AddItem(WholeText(int64_t{other}));
      form.List1[2].AddItem(WholeText(int64_t{frame}));
      form.BestFrame = frame;
    }
  }
}

}  // namespace search
