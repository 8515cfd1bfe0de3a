#include "lessons/change.h"

#include <algorithm>
#include <cmath>

#include "lessons/steps.h"
#include "lessons/words.h"

namespace lessons::change {

namespace {

using words::Fill;
using words::Grouped;
using words::Number;

std::optional<int> CountIn(const std::string& text) {
  const std::optional<int64_t> read = words::WholeNumber(text);
  if (!read || *read < 1 || *read > kLargestCount) return std::nullopt;
  return static_cast<int>(*read);
}

// What the boxes of N take.
std::string Takes() {
  return Fill("N е цяло число от 1 до {0}.", {Grouped(kLargestCount)});
}

// The most rows of a run the table shows in full.
constexpr size_t kRowsShown = 6;

// √N in words, with the whole squares on either side of it: "√70 ≈ 8,37: числото, което,
// умножено по себе си, дава 70; 8 × 8 = 64, 9 × 9 = 81". Two decimals, never rounded to a whole
// number where N is not a perfect square.
std::string RootInWords(int n) {
  const int root = practice::WholeRoot(n);
  const std::string count = Grouped(n);
  const std::string is = "числото, което, умножено по себе си, дава ";
  if (root * root == n) {
    return Fill("√{0} = {1}: {2}{0}; {1} × {1} = {0}.", {count, Grouped(root), is});
  }
  const double shown = std::clamp(std::round(std::sqrt(static_cast<double>(n)) * 100) / 100,
                                  root + 0.01, root + 0.99);
  return Fill("√{0} ≈ {1}: {2}{0}; {3} × {3} = {4}, {5} × {5} = {6}.",
              {count, words::Decimal(shown, 2), is, Grouped(root), Grouped(root * root),
               Grouped(root + 1), Grouped((root + 1) * (root + 1))});
}

}  // namespace

Change::Change() {
  Update();
}

void Change::Open(const std::string& window_count) {
  if (typed_own_) return;
  const std::optional<int> count = CountIn(window_count);
  typed_ = Number(count.value_or(70));
  Update();
  Notify();
}

void Change::Set(Part part, bool on) {
  if (switches_[part] == on) return;
  switches_.on[static_cast<size_t>(part)] = on;
  tries_ = 0;
  guess_.clear();
  said_.clear();
  said_why_ = false;
  series_ = SeriesFor(switches_);
  Update();
  Notify();
}

std::vector<Line> Change::Lines() const {
  const std::vector<std::string>& program = steps::ProgramLines();
  std::vector<Line> lines;
  for (size_t at = 0; at < program.size(); ++at) {
    const int number = static_cast<int>(at) + 1;
    Line line{number, program[at], false, false, {}};
    if (number == 11 && !On(Part::kRootSide)) {
      line.text = "ScanDivisors: за i от 2 до N";
      line.changed = true;
    } else if (number == 14 && !On(Part::kSmaller)) {
      line.text = "    ако P ≤ BestFrame: ред i, j, P;  BestFrame ← P";
      line.changed = true;
    }
    line.removed = (number == 7 && !On(Part::kLargerAreas)) ||
                   ((number == 8 || number == 9) && !On(Part::kClosingSquare));
    line.said = Fill("Ред {0}{1}{2}: {3}",
                     {Number(number), *line.Mark() != '\0' ? ", " : "", line.Mark(), line.text});
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<Term> Change::Legend() const {
  const std::string n = Grouped(count_);
  const Work written = runs_[0].work;
  return {
      {"N", Fill("броят на буквите, от 1 до {0}. По-големи N не се побират в числата на "
                 "програмата: до {1}.",
                 {Grouped(kLargestCount), Grouped(32767)})},
      {"LetterCount",
       "разглежданата площ: първо N, после всяка по-голяма до SquareSide × SquareSide."},
      {"RootSide", counted_
                       ? Fill("цялата част на √N; за {0} тя е {1}. {2}",
                              {n, Grouped(practice::WholeRoot(count_)), RootInWords(count_)})
                       : "цялата част на √N. √N е числото, което, умножено по себе си, дава N."},
      {"SquareSide", "страната на затварящия квадрат, RootSide + 1."},
      {"BestFrame", "най-малката рамка досега."},
      {"ScanDivisors", "частта, която пробва делителите."},
      {"mod", "остатъкът при деление."},
      {"div", "частното без остатъка."},
      {"i × j",
       "правоъгълник с i квадратчета по абсцисата (по хоризонталата) и j по ординатата (по "
       "вертикалата); P е рамката му: 2i + 2j + 4 квадратчета."},
      {kTableHeadings[3],
       "колко пъти програмата дели: всяко mod, всяко div и всяко N : a, закръглено нагоре." +
           (!counted_ ? std::string()
            : written.Divisions() == 0
                ? Fill(" За {0} програмата, както е написана, не прави нито едно деление.", {n})
                : Fill(" За {0} програмата, както е написана, прави {1} mod и {2} div – {3}.",
                       {n, Grouped(written.remainders), Grouped(written.quotients),
                        Divisions(written.Divisions())}))},
  };
}

void Change::Type(std::string text) {
  if (text == typed_) return;
  typed_ = std::move(text);
  typed_own_ = true;
  const int before = Count();
  Update();
  // Why spoke of the N the box held; it goes with it.
  if (said_why_ && Count() != before) {
    said_.clear();
    said_why_ = false;
  }
  Notify();
}

void Change::Step(int by) {
  const std::optional<int64_t> read = words::WholeNumber(typed_);
  const int64_t from = read ? *read : 1 - by;
  Type(Number(static_cast<int>(std::clamp<int64_t>(from + by, 1, kLargestCount))));
}

std::string Change::CountNote() const {
  if (CountIn(typed_)) return {};
  return Takes();
}

// The programs run again for the N the box reads, where it reads a new one; the changed program
// also for a switch set.
void Change::Update() {
  const std::optional<int> count = CountIn(typed_);
  counted_ = count.has_value();
  if (runs_[0].rows.empty() || (count && *count != count_)) {
    count_ = count.value_or(count_);
    runs_[0] = AsWritten(count_);
    runs_[2] = EverySide(count_);
    runs_[3] = Formula(count_);
  }
  runs_[1] = Changed(count_, switches_);
}

std::vector<TableRow> Change::Table() const {
  const int least = LeastFrame(count_);
  std::vector<TableRow> table;
  for (size_t program = 0; program < runs_.size(); ++program) {
    if (!counted_) {
      table.push_back({kProgramNames[program], {}, {}, {}, false});
      continue;
    }
    const Run& run = runs_[program];
    std::vector<std::string> rows;
    for (const Row& row : run.rows)
      rows.push_back(Sides(row));
    // A long run in short: its first rows and its last, and how many there are.
    std::string listed;
    const bool long_run = rows.size() > kRowsShown;
    for (size_t at = 0; at < rows.size(); ++at) {
      if (long_run && at >= 2 && at + 2 < rows.size()) {
        if (at == 2) listed += ", …";
        continue;
      }
      listed += (at == 0 ? "" : ", ") + rows[at];
    }
    if (long_run) {
      listed += Fill(" ({0})", {words::Counted(static_cast<int64_t>(rows.size()), "ред", "реда")});
    }
    const bool wrong = run.Answer() != least;
    table.push_back({kProgramNames[program], listed,
                     Fill(wrong ? "{0} – грешно: най-малката е {1}" : "{0} – вярно",
                          {Grouped(run.Answer()), Grouped(least)}),
                     Grouped(run.work.Divisions()), wrong});
  }
  return table;
}

std::string Change::TableSaid() const {
  if (!counted_) return Fill("{0}. {1}", {kTableLabel, Takes()});
  std::string said = Fill("{0} = {1}.", {kTableLabel, Grouped(count_)});
  const std::vector<TableRow> table = Table();
  for (size_t program = 0; program < table.size(); ++program) {
    const TableRow& row = table[program];
    said += Fill(" {0}: редове {1}; отговор {2}; {3}.",
                 {row.program, row.rows, row.answer, Divisions(runs_[program].work.Divisions())});
  }
  return said;
}

std::string Change::HuntTask() const {
  if (switches_.AsWritten()) {
    return Fill(
        "Програмата, както е написана, намира най-малката рамка за всяко N от 1 до {0}. Махни "
        "отметка, за да я промениш, и виж какво става.",
        {Grouped(kLargestCount)});
  }
  if (RightForEveryCount(switches_)) {
    return Fill("Тази програма намира най-малката рамка за всяко N от 1 до {0}. Защо?",
                {Grouped(kLargestCount)});
  }
  return Fill(
      "Тази програма греши за някои N от 1 до {0}. Намери N, за което тя не намира най-малката "
      "рамка.",
      {Grouped(kLargestCount)});
}

void Change::TypeGuess(std::string text) {
  if (text == guess_ || !Hunting()) return;
  guess_ = std::move(text);
  Notify();
}

bool Change::Enabled(Button button) const {
  switch (button) {
    case Button::kCheck:
      return Hunting();
    case Button::kSmallest:
      return Hunting() && tries_ >= kTriesBeforeSmallest;
    case Button::kWhy:
      return counted_ && !switches_.AsWritten() && RightForEveryCount(switches_);
  }
  return false;
}

void Change::Press(Button button) {
  if (!Enabled(button)) return;
  switch (button) {
    case Button::kCheck:
      Check();
      break;
    case Button::kSmallest: {
      const int smallest = SmallestWrong(switches_);
      Say(Fill("Най-малкото N, за което тази програма греши, е {0}. {1}",
               {Grouped(smallest), Wrong(smallest, Changed(smallest, switches_))}));
      break;
    }
    case Button::kWhy:
      Say(Why());
      said_why_ = true;
      break;
  }
  Notify();
}

// The pupil's N tried: wrong there, both frames and both last rows; right there, the least frame.
void Change::Check() {
  const std::optional<int> count = CountIn(guess_);
  if (!count) {
    Say(Takes());
    return;
  }
  ++tries_;
  const Run changed = Changed(*count, switches_);
  const int least = LeastFrame(*count);
  if (changed.Answer() == least) {
    Say(Fill("За {0} тази програма намира най-малката рамка, {1}.",
             {Grouped(*count), Grouped(least)}));
    return;
  }
  Say("Да, тук тя греши. " + Wrong(*count, changed));
}

// Where the changed program, in its run for N, goes wrong: its last row against that of the
// program as written, which has the least frame.
std::string Change::Wrong(int count, const Run& changed) const {
  const Run written = AsWritten(count);
  return Fill(
      "За {0} тази програма завършва с {1}, а програмата, както е написана – с {2}: най-малката "
      "рамка е {3}, а не {4}.",
      {Grouped(count), Named(changed.rows.back()), Named(written.rows.back()),
       Grouped(written.Answer()), Grouped(changed.Answer())});
}

// Why the program with the larger areas finds the least frame, whatever else is switched off,
// with the numbers of the N in the box: a reason for each part switched off.
std::string Change::Why() const {
  std::string text;
  for (const Reason& reason : Reasons(count_, switches_))
    text += (text.empty() ? "" : " ") + Words(reason);
  return text;
}

void Change::Say(std::string text) {
  said_ = std::move(text);
  said_why_ = false;
  ++sayings_;
}

void Change::Notify() const {
  if (observer_ != nullptr) observer_->ChangeChanged();
}

}  // namespace lessons::change
