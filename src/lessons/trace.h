#pragma once

#include <cstddef>
#include <string>

#include "lessons/tasks.h"

// "Ниво 5: като програмата": the pupil says, row by row, what the program's search lists for N,
// and a row that is not the one it lists next is explained by the first rule of the search that
// it breaks, with its numbers. The rules are read from the program's own rows for N.
namespace lessons::practice {

enum class Rule {
  kRight,         // the row the program lists next, or the end where it has ended
  kFrame,         // the frame is not 2a + 2b + 4
  kHolds,         // a·b < N
  kStripFirst,    // the first row is the strip 1 × N
  kStripOnce,     // the strip comes only first
  kRootSide,      // the side along the abscissa past RootSide (but for the closing square)
  kPastLastArea,  // the area past the last the program examines
  kBestFrame,     // the frame not smaller than BestFrame (for the closing square: larger)
  kOrder,         // an area or divisor that the program reaches after the row it lists next
  kRowsRemain,    // "Няма повече редове" while rows remain
  kEnded,         // a row after the last one
};

struct Judged {
  Rule rule;
  std::string sentence;
};

// The row `proposed`, given as the program's next after the first `listed` rows of its run for
// the task.
Judged JudgeRow(const Task& task, size_t listed, const Row& proposed);
// "Няма повече редове" after the first `listed` rows.
Judged JudgeEnd(const Task& task, size_t listed);
// Why the search ended where it did, in one clause: "70 не е квадрат и затварящият квадрат 9 × 9
// има рамка 40, по-голяма от BestFrame = 38, затова не се записва".
std::string WhyEnded(const Task& task);
// "7 × 10, рамка 38".
std::string Named(const Row& row);

}  // namespace lessons::practice
