#include "lessons/change.h"

#include <algorithm>

#include "lessons/steps.h"
#include "lessons/trace.h"
#include "lessons/words.h"

namespace lessons::change {

namespace {

using practice::Named;
using words::Fill;
using words::Number;
using words::Times;

std::optional<int> CountIn(const std::string& text) {
  const std::optional<int64_t> read = words::WholeNumber(text);
  if (!read || *read < 1 || *read > kLargestCount) return std::nullopt;
  return static_cast<int>(*read);
}

// What the boxes of N take.
std::string Takes() {
  return Fill("N е цяло число от 1 до {0}.", {Number(kLargestCount)});
}

// The most rows of a run the table shows in full.
constexpr size_t kRowsShown = 6;

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

void Change::Type(std::string text) {
  if (text == typed_) return;
  typed_ = std::move(text);
  typed_own_ = true;
  Update();
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
    const Run& run = runs_[program];
    std::vector<std::string> rows;
    for (const Row& row : run.rows)
      rows.push_back(Times(row.across, row.down));
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
                          {Number(run.Answer()), Number(least)}),
                     words::Grouped(run.divisions), wrong});
  }
  return table;
}

std::string Change::TableSaid() const {
  std::string said = Fill("{0} = {1}.", {kTableLabel, Number(count_)});
  const std::vector<TableRow> table = Table();
  for (size_t program = 0; program < table.size(); ++program) {
    const TableRow& row = table[program];
    said += Fill(" {0}: редове {1}; отговор {2}; {3} {4}.",
                 {row.program, row.rows, row.answer, row.divisions,
                  runs_[program].divisions == 1 ? "деление" : "деления"});
  }
  return said;
}

std::string Change::HuntTask() const {
  if (switches_.AsWritten()) {
    return Fill(
        "Програмата, както е написана, намира най-малката рамка за всяко N от 1 до {0}. Махни "
        "отметка, за да я промениш, и виж какво става.",
        {Number(kLargestCount)});
  }
  if (RightForEveryCount(switches_)) {
    return Fill("Тази програма намира най-малката рамка за всяко N от 1 до {0}. Защо?",
                {Number(kLargestCount)});
  }
  return Fill(
      "Тази програма греши за някои N от 1 до {0}. Намери N, за което тя не намира най-малката "
      "рамка.",
      {Number(kLargestCount)});
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
      return !switches_.AsWritten() && RightForEveryCount(switches_);
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
               {Number(smallest), Wrong(smallest, Changed(smallest, switches_))}));
      break;
    }
    case Button::kWhy:
      Say(Why());
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
             {Number(*count), Number(least)}));
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
      {Number(count), Named(changed.rows.back()), Named(written.rows.back()),
       Number(written.Answer()), Number(changed.Answer())});
}

// Why the program with the larger areas finds the least frame, whatever else is switched off,
// with the numbers of the N in the box.
std::string Change::Why() const {
  const int n = count_;
  const int root = practice::WholeRoot(n);
  std::vector<std::string> said;
  if (!On(Part::kClosingSquare)) {
    if (root * root == n) {
      said.push_back(
          Fill("Без затварящия квадрат: {0} = {1} × {1} е точен квадрат, затова програмата свършва "
               "след площта {0} и затварящ квадрат не разглежда. За всяко друго N правоъгълникът "
               "RootSide × (RootSide + 2) има същата рамка като затварящия квадрат и е сред "
               "по-големите площи.",
               {Number(n), Number(root)}));
    } else {
      const int wide = root + 2;
      said.push_back(Fill(
          "Без затварящия квадрат: за {0} RootSide (цялата част на √{0}) е {1}, а {1} × {2} = {3} "
          "= {4} × {4} − 1 побира всички {0} букви и има рамка 2 × {1} + 2 × {2} + 4 = {5}, "
          "колкото квадратът {4} × {4}. Площта {3} е сред по-големите площи, които програмата "
          "разглежда, затова квадратът никога не дава по-малка рамка от тези, които тя вече е "
          "намерила.",
          {Number(n), Number(root), Number(wide), Number(root * wide), Number(root + 1),
           Number(4 * root + 8)}));
    }
  }
  if (!On(Part::kRootSide)) {
    Switches only;
    only.on[static_cast<size_t>(Part::kRootSide)] = false;
    // Only for 1 is the work the same: no divisor to try either way. The pupil then sees it
    // grow for the count the page starts with.
    const bool same = DivisionsChanged(n, only) == DivisionsAsWritten(n);
    const int shown = same ? 70 : n;
    said.push_back(Fill(
        "С делителите до N: делител i, по-голям от RootSide, дава правоъгълник i × j с j по-малко "
        "от i – същия като j × i, само обърнат, а него програмата вече е срещнала с делителя j. "
        "Рамката му е същата, затова отговорът не се променя, но работата расте: {0}за {1} – {2} "
        "деления вместо {3}.",
        {same ? Fill("за {0} и двете програми не пробват нито един делител, а ", {Number(n)}) : "",
         Number(shown), words::Grouped(DivisionsChanged(shown, only)),
         words::Grouped(DivisionsAsWritten(shown))}));
  }
  if (!On(Part::kSmaller)) {
    Switches ties;
    ties.on[static_cast<size_t>(Part::kSmaller)] = false;
    const Row last = Changed(n, ties).rows.back();
    const Row written = runs_[0].rows.back();
    said.push_back(
        last == written
            ? Fill("С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката "
                   "рамка досега), не я прави по-малка, затова най-малката рамка не се променя – "
                   "може да се промени само последният ред. За {0} той е същият, {1}.",
                   {Number(n), Named(last)})
            : Fill("С редовете при равна рамка: ред с рамка, равна на BestFrame (най-малката "
                   "рамка досега), не я прави по-малка, затова най-малката рамка не се променя – "
                   "променя се само последният ред: за {0} програмата завършва с {1}, вместо с "
                   "{2}.",
                   {Number(n), Named(last), Named(written)}));
  }
  std::string text;
  for (const std::string& each : said)
    text += (text.empty() ? "" : " ") + each;
  return text;
}

void Change::Say(std::string text) {
  said_ = std::move(text);
  ++sayings_;
}

void Change::Notify() const {
  if (observer_ != nullptr) observer_->ChangeChanged();
}

}  // namespace lessons::change
