#include "lessons/trace.h"

#include <cmath>
#include <cstdint>

#include "lessons/words.h"

namespace lessons::practice {

namespace {

using words::Counted;
using words::Fill;
using words::Number;

// What the rows tell of the run: RootSide, whether N is a perfect square, and the closing square.
struct Run {
  explicit Run(const Task& task)
      : count(task.count), root(static_cast<int>(std::floor(std::sqrt(double(task.count))))) {}
  bool Square() const { return root * root == count; }
  int Closing() const { return root + 1; }
  int64_t LastArea() const { return Square() ? count : int64_t{Closing()} * Closing(); }
  // Whether a row is the closing square, which no scan gives: its side is past RootSide.
  bool IsClosing(const Row& row) const {
    return !Square() && row.across == Closing() && row.down == Closing();
  }
  // Where the program meets a rectangle: areas in increasing order, and in each its divisors;
  // the closing square last of all.
  int64_t Place(const Row& row) const {
    if (IsClosing(row)) return INT64_MAX;
    return (int64_t{row.across} * row.down) * 1000 + row.across;
  }

  int count;
  int root;
};

}  // namespace

std::string Named(const Row& row) {
  return Fill("{0}, рамка {1}", {words::Times(row.across, row.down), Number(row.frame)});
}

std::string WhyEnded(const Task& task) {
  const Run run(task);
  const std::string n = Number(run.count);
  if (run.Square()) {
    return Fill("{0} = {1} × {1} е точен квадрат и търсенето свършва след делителите на {0}",
                {n, Number(run.root)});
  }
  const std::string side = Number(run.Closing());
  const int64_t closing = 4 * int64_t{run.Closing()} + 4;
  const Row& last = task.rows.back();
  if (run.IsClosing(last)) {
    return Fill("последният ред е затварящият квадрат {0} × {0}, с рамка {1}",
                {side, Number(closing)});
  }
  return Fill(
      "затварящият квадрат {0} × {0} има рамка {1}, по-голяма от BestFrame (най-малката рамка "
      "досега) = {2}, затова не се записва",
      {side, Number(closing), Number(last.frame)});
}

Judged JudgeRow(const Task& task, size_t listed, const Row& proposed) {
  const Run run(task);
  const std::string a = Number(proposed.across);
  const std::string b = Number(proposed.down);
  const std::string n = Number(run.count);
  const int64_t area = int64_t{proposed.across} * proposed.down;
  const int64_t frame = FrameOf(proposed.across, proposed.down);
  // The rectangle first, as the program meets it: whether it holds the letters, whether the
  // program lists it here; then the frame given for it.
  if (area < run.count) {
    return {Rule::kHolds,
            Fill("{0} × {1} = {2}, а буквите са {3}: в {0} × {1} се побират само {4} от {5}, а "
                 "програмата записва само правоъгълници, в които се побират всички.",
                 {a, b, Counted(area, words::kSquares), n, Number(area),
                  Counted(run.count, words::kLetters)})};
  }
  if (listed >= task.rows.size()) {
    return {Rule::kEnded, Fill("Търсенето е свършило: {0}.", {WhyEnded(task)})};
  }
  const Row& next = task.rows[listed];
  const bool strip = proposed.across == 1 && proposed.down == run.count;
  if (listed == 0 && !strip) {
    return {Rule::kStripFirst, "Търсенето винаги започва с най-тясната лента: страна 1."};
  }
  if (listed > 0 && proposed.across == 1) {
    return {Rule::kStripOnce,
            Fill("Страна 1 по абсцисата има само лентата 1 × {0}, а тя е само първият ред: "
                 "делителите i (страните по абсцисата), които програмата пробва, започват от 2.",
                 {n})};
  }
  if (proposed.across > run.root && !run.IsClosing(proposed) && !strip) {
    std::string said = Fill(
        "Програмата пробва делителите i (страните по абсцисата) само от 2 до RootSide (цялата "
        "част на √{1}) = {0}, затова страната по абсцисата е най-много {0}",
        {Number(run.root), n});
    if (!run.Square())
      said += Fill(", освен в затварящия квадрат {0} × {0}", {Number(run.Closing())});
    return {Rule::kRootSide, said + '.'};
  }
  if (area > run.LastArea()) {
    if (run.Square()) {
      return {Rule::kPastLastArea,
              Fill("{0} е точен квадрат: програмата разглежда само площта {0}, а {1} × {2} = {3}.",
                   {n, a, b, Number(area)})};
    }
    return {Rule::kPastLastArea,
            Fill("Площта {0} × {1} = {2} е след последната, която програмата разглежда: {3} × {3} "
                 "= {4}.",
                 {a, b, Number(area), Number(run.Closing()), Number(run.LastArea())})};
  }
  // A rectangle whose frame is not smaller than BestFrame now is never listed any more, for
  // BestFrame only falls. (The closing square, listed on a tie too, comes after every other row,
  // and BestFrame is never below its frame while rows remain.)
  if (listed > 0 && !run.IsClosing(proposed) && frame >= task.rows[listed - 1].frame) {
    return {Rule::kBestFrame,
            Fill("Рамката около {2} × {3} е {0} и не е по-малка от BestFrame (най-малката рамка "
                 "досега) = {1}, затова програмата не записва {2} × {3}.",
                 {Number(frame), Number(task.rows[listed - 1].frame), a, b})};
  }
  if (run.Place(proposed) != run.Place(next)) {
    return {Rule::kOrder,
            Fill("Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
                 "делителите i (страните по абсцисата) по ред: преди {0} × {1} тя записва друг "
                 "ред.",
                 {a, b})};
  }
  if (frame != proposed.frame) {
    std::string said = Fill("Рамката около {0} × {1} е 2 × {0} + 2 × {1} + 4 = {2}, а не {3}.",
                            {a, b, Number(frame), Number(proposed.frame)});
    // The school's perimeter, 2a + 2b: the frame's four corners are missing from it.
    if (proposed.frame == frame - 4) {
      said += Fill(
          " {0} = 2 × {1} + 2 × {2} е обиколката на правоъгълника, а рамката има и 4 "
          "ъглови квадратчета.",
          {Number(proposed.frame), a, b});
    }
    return {Rule::kFrame, said};
  }
  std::string said = Fill("Вярно: програмата записва {0}.", {Named(next)});
  if (run.IsClosing(next) && listed > 0 && next.frame == task.rows[listed - 1].frame)
    said +=
        " Затварящият квадрат се записва и когато рамката му е равна на BestFrame (най-малката "
        "рамка досега).";
  return {Rule::kRight, said};
}

Judged JudgeEnd(const Task& task, size_t listed) {
  if (listed < task.rows.size()) {
    return {Rule::kRowsRemain, Fill("Програмата записва още {0}.",
                                    {Counted(int64_t(task.rows.size() - listed), "ред", "реда")})};
  }
  return {Rule::kRight, Fill("Вярно: това са всички редове – {0}.", {WhyEnded(task)})};
}

}  // namespace lessons::practice
