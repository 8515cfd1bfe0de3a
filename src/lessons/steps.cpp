#include "lessons/steps.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "lessons/chart.h"
#include "lessons/words.h"
#include "runtime/number_text.h"
#include "window/layout.h"

namespace lessons::steps {

namespace {

using search::Operation;
using search::StepKind;

using words::Fill;
using words::Number;

// The values of the search, in the order the page shows them; a bit each in Record::set.
enum Bit : uint16_t { kN, kLetterCount, kI, kMod, kJ, kP, kBest, kRoot, kSquare, kBits };
constexpr uint16_t Of(Bit bit) {
  return static_cast<uint16_t>(1u << bit);
}
// The locals of ScanDivisors, new with each call of it.
constexpr uint16_t kScanLocals = Of(kI) | Of(kMod) | Of(kJ) | Of(kP);

constexpr std::array<const char*, kBits> kNames = {
    "N", "LetterCount", "i", "LetterCount mod i", "j", "P", "BestFrame", "RootSide", "SquareSide"};
constexpr std::array<const char*, kBits> kMeanings = {"броят на буквите",
                                                      "разглежданата площ",
                                                      "пробван делител",
                                                      "остатъкът при делението на LetterCount на i",
                                                      "страна по ординатата",
                                                      "размер на рамката",
                                                      "най-малката рамка досега",
                                                      "цялата част на √N",
                                                      "страна на затварящия квадрат"};

// Whether a kind of step tells the values of ScanDivisors' i, its remainder, j and P, or the
// closing square's P; every other step leaves them as they were.
bool TellsLocals(StepKind kind) {
  return kind == StepKind::kNotDivisor || kind == StepKind::kDivisor ||
         kind == StepKind::kCompare || kind == StepKind::kClosingFrame ||
         kind == StepKind::kClosingCompare;
}

// The program line of each kind of step.
int LineOf(StepKind kind, bool larger_area) {
  switch (kind) {
    case StepKind::kObtain:
      return 1;
    case StepKind::kStrip:
      return 2;
    case StepKind::kRoot:
      return 3;
    case StepKind::kScan:
      return larger_area ? 7 : 4;
    case StepKind::kPerfectSquare:
      return 5;
    case StepKind::kSquareSide:
      return 6;
    case StepKind::kClosingFrame:
      return 8;
    case StepKind::kClosingCompare:
      return 9;
    case StepKind::kEnd:
      return 10;
    case StepKind::kNotDivisor:
      return 12;
    case StepKind::kDivisor:
      return 13;
    case StepKind::kCompare:
      return 14;
  }
  return 0;
}

// "квадратче", "квадратчета": the frame's squares after a count.
std::string Squares(int64_t count) {
  return words::Counted(count, words::kSquares);
}

using words::Signed;

// A number as a factor or a term of a formula: a negative one in brackets, "1 × (−3)".
std::string Factor(int64_t value) {
  return value < 0 ? "(" + Signed(value) + ")" : Signed(value);
}

// The text of a label of the window, by its index.
const char* LabelText(int index) {
  for (const window::layout::Control& control : window::layout::kControls) {
    if (std::string_view(control.name) == "Label1" && control.index == index) return control.text;
  }
  return "";
}

// A whole number held in floating point, a negative one with the minus sign.
std::string Whole(double value) {
  return value < 0 ? "−" + Number(-value) : Number(value);
}

// The count box's name, as its label says it.
const char* CountBox() {
  return LabelText(5);
}

}  // namespace

const std::vector<std::string>& ProgramLines() {
  static const std::vector<std::string> lines = {
      "N ← броят на буквите;  LetterCount ← N",
      "BestFrame ← (N + 1) × 2 + 4;  ред 1, N, BestFrame",
      "RootSide ← цялата част на √N",
      "ScanDivisors",
      "ако N = RootSide × RootSide: край",
      "SquareSide ← RootSide + 1",
      "за LetterCount от N + 1 до SquareSide × SquareSide: ScanDivisors",
      "P ← 4 × SquareSide + 4",
      "ако P ≤ BestFrame: ред SquareSide, SquareSide, P",
      "край",
      "ScanDivisors: за i от 2 до RootSide",
      "    ако LetterCount mod i ≠ 0: следващото i",
      "    j ← LetterCount div i;  P ← 2i + 2j + 4",
      "    ако P < BestFrame: ред i, j, P;  BestFrame ← P",
  };
  return lines;
}

std::array<const char*, 3> RowHeadings() {
  return {LabelText(2), LabelText(3), LabelText(4)};
}

void Walkthrough::Forget() {
  records_.clear();
  row_steps_.clear();
  for (auto& column : texts_)
    column.clear();
  error_.reset();
  ++runs_;
  current_ = 0;
  playing_ = false;
}

void Walkthrough::Started() {
  Forget();
  set_ = 0;
  count_ = 0;
  cleared_lists_ = false;
  running_ = true;
  mantra_mode_ = form_.Option1[0].Value();
  mantra_ = mantra_mode_ ? form_.Text2[0].Text() : runtime::String();
  count_text_ = form_.Text2[1].Text();
}

void Walkthrough::Keep(const search::Step& step, bool completed) {
  // Which values are set after this step. ScanDivisors' own i, A mod i, j and P are new with
  // each call of it and gone when it returns; FindFrames has a P of its own, the closing
  // square's frame. A step that an error stopped set nothing.
  const bool in_scan = step.kind == StepKind::kNotDivisor || step.kind == StepKind::kDivisor ||
                       step.kind == StepKind::kCompare;
  if (!in_scan) {
    const bool keeps_p = step.kind == StepKind::kClosingCompare || step.kind == StepKind::kEnd;
    set_ &= static_cast<uint16_t>(~(keeps_p ? Of(kI) | Of(kMod) | Of(kJ) : kScanLocals));
  }
  if (completed) {
    switch (step.kind) {
      case StepKind::kObtain:
        set_ |= Of(kN) | Of(kLetterCount);
        count_ = step.count;
        break;
      case StepKind::kStrip:
        set_ |= Of(kBest);
        break;
      case StepKind::kRoot:
        set_ |= Of(kRoot);
        break;
      case StepKind::kNotDivisor:
        set_ |= Of(kI) | Of(kMod);
        break;
      case StepKind::kDivisor:
      case StepKind::kCompare:
        set_ |= kScanLocals;
        break;
      case StepKind::kSquareSide:
        set_ |= Of(kSquare);
        break;
      case StepKind::kClosingFrame:
        set_ |= Of(kP);
        break;
      case StepKind::kScan:
      case StepKind::kPerfectSquare:
      case StepKind::kClosingCompare:
      case StepKind::kEnd:
        break;
    }
  }
  if (step.kind != StepKind::kObtain) cleared_lists_ = true;

  Record record{};
  record.kind = step.kind;
  record.listed = step.listed;
  record.set = set_;
  record.area = step.area;
  record.best = step.best;
  record.root = static_cast<int16_t>(step.root);
  record.square = static_cast<int16_t>(step.square);
  if (completed && TellsLocals(step.kind)) {
    record.compared = step.compared;
    record.divisor = static_cast<int16_t>(step.divisor);
    record.remainder = static_cast<int16_t>(step.remainder);
    record.quotient = static_cast<int16_t>(step.quotient);
    record.frame = static_cast<int32_t>(step.frame);
  } else if (!records_.empty()) {  // a step that sets none of them changes none of them
    const Record& before = records_.back();
    record.compared = before.compared;
    record.divisor = before.divisor;
    record.remainder = before.remainder;
    record.quotient = before.quotient;
    record.frame = before.frame;
  }
  if (cleared_lists_) {
    for (size_t list = 0; list < 3; ++list)
      record.items[list] = static_cast<uint16_t>(form_.List1[list].ListCount());
  }
  if (record.listed) row_steps_.push_back(static_cast<int>(records_.size()));
  records_.push_back(record);
}

void Walkthrough::Stepped(const search::Step& step) {
  Keep(step, true);
  if (step.kind == StepKind::kEnd) Finish();
}

void Walkthrough::Stopped(const runtime::RuntimeError& error, const search::Step& at) {
  search::Step last = at;
  last.listed = false;
  Keep(last, false);
  error_ = Stop{error, at.operation, at.left, at.right};
  Finish();
}

// The run is over: what it listed is kept as the lists hold it, where it emptied them first.
void Walkthrough::Finish() {
  running_ = false;
  if (cleared_lists_) {
    for (size_t list = 0; list < 3; ++list) {
      for (const runtime::String& item : form_.List1[list].Items())
        texts_[list].push_back(runtime::ToUtf8(item));
    }
  }
  Changed();
}

void Walkthrough::ListsCleared() {
  if (records_.empty() && !running_) return;
  Forget();
  Changed();
}

void Walkthrough::Changed() const {
  if (observer_ != nullptr) observer_->StepsChanged();
}

void Walkthrough::GoTo(int step) {
  if (!HasRun()) return;
  step = std::clamp(step, 0, Count() - 1);
  if (step == current_) return;
  current_ = step;
  if (playing_ && current_ == Count() - 1) playing_ = false;
  Changed();
}

int Walkthrough::RowStepBefore(int step) const {
  const auto found = std::lower_bound(row_steps_.begin(), row_steps_.end(), step);
  return found == row_steps_.begin() ? -1 : *(found - 1);
}

int Walkthrough::RowStepAfter(int step) const {
  const auto found = std::upper_bound(row_steps_.begin(), row_steps_.end(), step);
  return found == row_steps_.end() ? -1 : *found;
}

void Walkthrough::Do(Command command) {
  if (!HasRun()) return;
  switch (command) {
    case Command::kFirst:
      GoTo(0);
      break;
    case Command::kBack:
      GoTo(current_ - 1);
      break;
    case Command::kForward:
      GoTo(current_ + 1);
      break;
    case Command::kLast:
      GoTo(Count() - 1);
      break;
    case Command::kPreviousRow:
      if (RowStepBefore(current_) >= 0) GoTo(RowStepBefore(current_));
      break;
    case Command::kNextRow:
      if (RowStepAfter(current_) >= 0) GoTo(RowStepAfter(current_));
      break;
    case Command::kPlay:
      SetPlaying(!playing_);
      break;
  }
}

bool Walkthrough::Enabled(Command command) const {
  switch (command) {
    case Command::kFirst:
    case Command::kBack:
      return CanGoBack();
    case Command::kForward:
    case Command::kLast:
      return CanGoForward();
    case Command::kPreviousRow:
      return HasPreviousRow();
    case Command::kNextRow:
      return HasNextRow();
    case Command::kPlay:
      return Count() > 1;
  }
  return false;
}

bool Walkthrough::Press(Key key) {
  switch (key) {
    case Key::kLeft:
      Do(Command::kBack);
      return true;
    case Key::kRight:
      Do(Command::kForward);
      return true;
    case Key::kHome:
      Do(Command::kFirst);
      return true;
    case Key::kEnd:
      Do(Command::kLast);
      return true;
    case Key::kPageUp:
      Do(Command::kPreviousRow);
      return true;
    case Key::kPageDown:
      Do(Command::kNextRow);
      return true;
    case Key::kSpace:
      Do(Command::kPlay);
      return true;
  }
  return false;
}

void Walkthrough::ShowRow(int row) {
  const int step = StepOfRow(row);
  if (step >= 0) GoTo(step);
}

size_t Walkthrough::Bytes() const {
  size_t bytes = records_.capacity() * sizeof(Record) + row_steps_.capacity() * sizeof(int);
  for (const auto& column : texts_) {
    bytes += column.capacity() * sizeof(std::string);
    for (const std::string& text : column)
      bytes += text.capacity() > 15 ? text.capacity() + 1 : 0;
  }
  return bytes + mantra_.capacity() * sizeof(char32_t) + count_text_.capacity() * sizeof(char32_t);
}

int Walkthrough::StepOfRow(int row) const {
  if (!HasRun() || row < 0 || row >= static_cast<int>(row_steps_.size())) return -1;
  return row_steps_[static_cast<size_t>(row)];
}

void Walkthrough::SetPlaying(bool playing) {
  // Playing from the last step starts again from the first.
  if (playing && !playing_ && HasRun() && current_ == Count() - 1) current_ = 0;
  playing = playing && HasRun() && Count() > 1;
  if (playing == playing_) return;
  playing_ = playing;
  Changed();
}

void Walkthrough::SetSpeed(int index) {
  index = std::clamp(index, 0, static_cast<int>(kSpeeds.size()) - 1);
  if (index == speed_) return;
  speed_ = index;
  Changed();
}

int Walkthrough::TickMilliseconds() const {
  return std::max(1000 / kSpeeds[static_cast<size_t>(speed_)].per_second, 16);
}

int Walkthrough::TickSteps() const {
  return std::max(kSpeeds[static_cast<size_t>(speed_)].per_second * TickMilliseconds() / 1000, 1);
}

void Walkthrough::Tick() {
  if (!playing_) return;
  GoTo(current_ + TickSteps());
}

int Walkthrough::Line() const {
  if (!HasRun()) return 0;
  const Record& record = records_[static_cast<size_t>(current_)];
  return LineOf(record.kind, record.area != count_);
}

std::vector<Value> Walkthrough::Values() const {
  std::vector<Value> values;
  values.reserve(kBits);
  const Record* record = HasRun() ? &records_[static_cast<size_t>(current_)] : nullptr;
  const Record* before = record != nullptr && current_ > 0 ? record - 1 : nullptr;
  for (int bit = 0; bit < kBits; ++bit) {
    const auto text_of = [&](const Record* at) -> std::string {
      if (at == nullptr || (at->set & Of(static_cast<Bit>(bit))) == 0) return {};
      switch (bit) {
        case kN:
          return Signed(count_);
        case kLetterCount:
          return Signed(at->area);
        case kI:
          return Signed(at->divisor);
        case kMod:
          return Signed(at->remainder);
        case kJ:
          return Signed(at->quotient);
        case kP:
          return Signed(at->frame);
        case kBest:
          return Signed(at->best);
        case kRoot:
          return Signed(at->root);
        default:
          return Signed(at->square);
      }
    };
    std::string text = text_of(record);
    const bool changed = !text.empty() && text != text_of(before);
    values.push_back({kNames[static_cast<size_t>(bit)], kMeanings[static_cast<size_t>(bit)],
                      std::move(text), changed});
  }
  return values;
}

std::string Walkthrough::Counter() const {
  if (!HasRun()) return {};
  return "стъпка " + Number(current_ + 1) + " от " + Number(Count());
}

std::string Walkthrough::Sentence() const {
  if (!HasRun()) return kNoRun;
  const Record& record = records_[static_cast<size_t>(current_)];
  if (error_ && current_ == Count() - 1) return ErrorSentence(record);
  return Said(record);
}

std::string Walkthrough::Said(const Record& r) const {
  const std::string n = Signed(count_);
  const std::string area = Number(r.area);
  const std::string i = Number(r.divisor);
  const std::string j = Number(r.quotient);
  const std::string p = Number(r.frame);
  const std::string root = Number(r.root);
  const std::string square = Number(r.square);
  const std::string best = Signed(r.best);
  switch (r.kind) {
    case StepKind::kObtain:
      if (mantra_mode_)
        return Fill("Мантрата има {0}, като се броят и интервалите: N = {1}.",
                    {words::Counted(count_, words::kCharacters), n});
      return Fill("От полето „{0}“ се взема цялата част на числото „{1}“: N = {2}.",
                  {CountBox(), runtime::ToUtf8(count_text_.substr(0, 24)), n});
    case StepKind::kStrip:
      if (count_ < 0) {
        return Fill(
            "Първият ред е „лентата“ 1 × {0}: такъв правоъгълник няма, но програмата пак смята "
            "рамката му: ({1} + 1) × 2 + 4 = {2} и BestFrame става {2}.",
            {Factor(count_), n, best});
      }
      return Fill(count_ == 0 ? "Първият ред е лентата 1 × 0, в която няма нито едно квадратче: "
                                "рамката ѝ е (0 + 1) × 2 + 4 = {1} и BestFrame става {2}."
                              : "Първият ред е лентата 1 × {0}: рамката ѝ е ({0} + 1) × 2 + 4 = "
                                "{1} и BestFrame става {2}.",
                  {n, Squares(r.best), best});
    case StepKind::kRoot:
      return Fill("RootSide е цялата част на {0}. Така RootSide = {1} и делители се търсят до {1}.",
                  {chart::RootGlossed(count_), root});
    case StepKind::kScan:
      if (r.root < 2) {
        return Fill(
            "RootSide е {0}: делители от 2 до {0} няма, затова за площ {1} няма какво да "
            "се провери.",
            {root, area});
      }
      if (r.area == count_) {
        return r.root == 2 ? std::string("Пробва се делителят 2.")
                           : Fill("Търсят се делителите на {0} от 2 до {1}.", {n, root});
      }
      return Fill(r.root == 2 ? "Следващата площ е {0} (LetterCount = {0}): пробва се делителят 2."
                              : "Следващата площ е {0} (LetterCount = {0}): търсят се делителите "
                                "ѝ от 2 до {1}.",
                  {area, root});
    case StepKind::kNotDivisor:
      return Fill("{0} не се дели на {1}: остатъкът е {2}.", {area, i, Number(r.remainder)});
    case StepKind::kDivisor:
      return Fill("{0} = {1} × {2}: рамката около {1} × {2} е 2 × {1} + 2 × {2} + 4 = {3}.",
                  {area, i, j, p});
    case StepKind::kCompare:
      return Fill(r.listed ? "{0} = {1} × {2}: рамката е {3}, по-малка от {4}: редът {1}, {2}, {3} "
                             "се записва и BestFrame става {3}."
                           : "{0} = {1} × {2}: рамката е {3} и не е по-малка от {4}, затова не се "
                             "записва.",
                  {area, i, j, p, Number(r.compared)});
    case StepKind::kPerfectSquare:
      if (int64_t{count_} > int64_t{r.root} * r.root) {
        return Fill(
            "{0} > {1} × {1} = {2}: {0} не е точен квадрат, затова се разглеждат и по-големите "
            "площи до следващия точен квадрат.",
            {n, root, Number(int64_t{r.root} * r.root)});
      }
      if (count_ == 0) {
        return Fill(
            "0 = 0 × 0: програмата приема 0 за точен квадрат и търсенето свършва. Букви няма, "
            "затова няма и какво да се подрежда: записаната лента 1 × 0 е само редът, с който "
            "програмата започва.",
            {});
      }
      return Fill(
          "{0} = {1} × {1}: {0} е точен квадрат и по-малка рамка от неговата няма; търсенето "
          "свършва.",
          {n, root});
    case StepKind::kSquareSide:
      return Fill(
          "SquareSide = {0} + 1 = {1}: разглеждат се площите от {2} до {1} × {1} = {3}.",
          {root, square, Number(int64_t{count_} + 1), Number(int64_t{r.square} * r.square)});
    case StepKind::kClosingFrame:
      return Fill("Затварящият квадрат {0} × {0} има рамка 4 × {0} + 4 = {1}.", {square, p});
    case StepKind::kClosingCompare:
      if (!r.listed) {
        return Fill("{0} × {0}: рамката е {1}, повече от {2}: квадратът не се записва.",
                    {square, p, best});
      }
      return Fill(r.frame == r.best ? "{0} × {0}: рамката е {1}, колкото е и BestFrame: квадратът "
                                      "се записва, защото тук и равенството стига."
                                    : "{0} × {0}: рамката е {1}, по-малка от {2}: квадратът се "
                                      "записва.",
                  {square, p, best});
    case StepKind::kEnd: {
      if (texts_[2].empty()) return "Край.";
      const size_t last = texts_[2].size() - 1;
      if (count_ == 0) {
        return Fill(
            "Край: букви няма, затова отговорът на програмата за 0 е само редът на "
            "лентата {0}, {1}, {2}.",
            {texts_[0][last], texts_[1][last], texts_[2][last]});
      }
      const std::string frame = Squares(words::WholeNumber(texts_[2][last]).value_or(0));
      return Fill("Край: най-малката рамка е от {0}, на последния ред {1}, {2}, {3}.",
                  {frame, texts_[0][last], texts_[1][last], texts_[2][last]});
    }
  }
  return {};
}

// The last step of a run that a run-time error stopped: which operation left the 16-bit range
// and with what value, or why the argument was not valid.
std::string Walkthrough::ErrorSentence(const Record& r) const {
  const Stop& stop = *error_;
  const std::string heading =
      Fill("Грешка {0} ({1}): ", {Number(int64_t{stop.error.number()}), stop.error.description()});
  const std::string n = Signed(count_);
  if (stop.error.number() == runtime::RuntimeError::kInvalidCall && r.kind == StepKind::kRoot) {
    return heading + Fill(
                         "{0} е отрицателно число и няма квадратен корен, затова RootSide не "
                         "може да се намери. Изчислението спира тук; записаното дотук остава.",
                         {n});
  }
  if (stop.error.number() != runtime::RuntimeError::kOverflow) {
    return heading + "изчислението спира тук.";
  }
  std::string expression;
  double result = 0;
  const bool strip = r.kind == StepKind::kStrip;
  switch (stop.operation) {
    case Operation::kAdd:
      result = stop.left + stop.right;
      expression = strip && stop.right == 4
                       ? Fill("({0} + 1) × 2 + 4", {n})
                       : Fill("{0} + {1}", {Whole(stop.left), Whole(stop.right)});
      break;
    case Operation::kMultiply:
      result = stop.left * stop.right;
      expression = strip ? Fill("({0} + 1) × 2", {n})
                         : Fill("{0} × {1}", {Whole(stop.left), Whole(stop.right)});
      break;
    case Operation::kConvert:
    case Operation::kNone:
      result = std::floor(stop.left);
      expression = r.kind == StepKind::kObtain
                       ? Fill("цялата част на числото „{0}“ от полето „{1}“",
                              {runtime::ToUtf8(count_text_.substr(0, 24)), CountBox()})
                       : Fill("цялата част на {0}", {Whole(stop.left)});
      break;
  }
  return heading +
         Fill(stop.operation == Operation::kConvert ? "{0} е {1}" : "{0} = {1}",
              {expression, Whole(result)}) +
         Fill(", а 16-битовите цели числа са от −32768 до 32767 ({0}). {1}",
              {result < 0 ? "най-малкото е −32768" : "най-голямото е 32767",
               r.kind == StepKind::kObtain
                   ? "Изчислението спира, преди списъците да се изчистят: в тях остават старите "
                     "редове."
                   : "Изчислението спира тук; записаното дотук остава."});
}

Rows Walkthrough::RowsSoFar() const {
  Rows rows;
  if (!HasRun()) return rows;
  const Record& record = records_[static_cast<size_t>(current_)];
  for (size_t list = 0; list < 3; ++list) {
    const size_t shown = std::min<size_t>(record.items[list], texts_[list].size());
    rows.columns[list].assign(texts_[list].begin(),
                              texts_[list].begin() + static_cast<std::ptrdiff_t>(shown));
  }
  if (record.listed) rows.marked = static_cast<int>(rows.columns[2].size()) - 1;
  return rows;
}

std::optional<picture::Picture> Walkthrough::Rectangle() const {
  if (!HasRun()) return std::nullopt;
  const Record& r = records_[static_cast<size_t>(current_)];
  std::optional<picture::Picture> rectangle;
  const words::Noun& letters = mantra_mode_ ? words::kCharacters : words::kLetters;
  switch (r.kind) {
    case StepKind::kStrip:
      rectangle = picture::Picture::Rectangle(1, count_, count_, mantra_, letters);
      break;
    case StepKind::kDivisor:
    case StepKind::kCompare:
      rectangle = picture::Picture::Rectangle(r.divisor, r.quotient, count_, mantra_, letters);
      break;
    case StepKind::kClosingFrame:
    case StepKind::kClosingCompare:
      rectangle = picture::Picture::Rectangle(r.square, r.square, count_, mantra_, letters);
      break;
    default:
      return std::nullopt;
  }
  // The rectangle at which an overflow stopped the run has a frame the program's whole numbers
  // cannot hold: the reason its row stays unfinished.
  if (error_ && current_ == Count() - 1 &&
      error_->error.number() == runtime::RuntimeError::kOverflow && rectangle->HasGrid() &&
      rectangle->FrameSquares() > 32767) {
    rectangle->Explain(
        Fill("Тази рамка е повече от 32767 – най-голямото цяло число, което "
             "програмата може да запише, затова тя не можа да довърши реда.",
             {}));
  }
  return rectangle;
}

}  // namespace lessons::steps
