#include "lessons/practice.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_text.h"

namespace lessons::practice {

namespace {

using words::Counted;
using words::Fill;
using words::Number;

std::string Times(const Sides& sides) {
  return words::Times(sides.across, sides.down);
}

// The shorter side first, as the rectangles with the least frame are named.
Sides Upright(const Sides& sides) {
  return {std::min(sides.across, sides.down), std::max(sides.across, sides.down)};
}

// " Същата рамка има и 8 × 9." or " Същата рамка имат и 10 × 14, и 11 × 13.": the task's other
// rectangles with the least frame, or nothing.
std::string Others(const Task& task, const Sides& sides) {
  std::vector<std::string> others;
  for (const Sides& best : task.Best()) {
    if (!(best == Upright(sides))) others.push_back(Times(best));
  }
  if (others.empty()) return {};
  if (others.size() == 1) return " Същата рамка има и " + others[0] + '.';
  std::string said = " Същата рамка имат";
  for (size_t i = 0; i < others.size(); ++i)
    said += (i == 0 ? " и " : ", и ") + others[i];
  return said + '.';
}

// "★★☆".
std::string StarsOf(int points) {
  std::string shown;
  for (int star = 0; star < 3; ++star)
    shown += star < Practice::StarsFor(points) ? "★" : "☆";
  return shown;
}

std::string Text(int value) {
  return Number(value);
}

}  // namespace

Practice::Practice(uint32_t seed) : random_(seed) {
  NewSet();
}

void Practice::ChooseLevel(int level) {
  level_ = static_cast<size_t>(std::clamp(level, 0, static_cast<int>(kLevels.size()) - 1));
  NewSet();
  Changed();
}

void Practice::Practise(int level, std::vector<Task> tasks) {
  level_ = static_cast<size_t>(std::clamp(level, 0, static_cast<int>(kLevels.size()) - 1));
  tasks_ = std::move(tasks);
  Begin();
  Changed();
}

void Practice::NewSet() {
  tasks_ = TaskSet(level_, random_);
  Begin();
}

void Practice::Begin() {
  points_.clear();
  Ask(0);
}

// A task asked afresh: from 1 × 1, nothing checked or given yet.
void Practice::Ask(int task) {
  task_ = task;
  stage_ = Stage::kAnswering;
  typed_ = {"1", "1", "1"};
  listed_ = 0;
  wrong_ = 0;
  first_wrong_ = -1;
  second_try_ = false;
  tried_.clear();
  verdict_.clear();
  root_said_ = false;
  focus_ = Focus::kAcross;
}

int Practice::Points() const {
  int points = 0;
  for (const int each : points_)
    points += each;
  return points;
}

void Practice::Type(Box box, std::string text) {
  if (!SidesEnabled()) return;
  std::string& typed = typed_[static_cast<size_t>(box)];
  if (text == typed) return;
  typed = std::move(text);
  Changed();
}

void Practice::Step(Box box, int by) {
  const std::optional<int64_t> read = words::WholeNumber(Typed(box));
  const int64_t from = read ? *read : 1 - by;
  Type(box, Text(static_cast<int>(std::clamp<int64_t>(from + by, 1, Largest(box)))));
}

int Practice::Largest(Box box) const {
  return box == Box::kFrame ? kLargestFrame : std::max(Current().count, 1);
}

std::optional<int> Practice::Read(Box box) const {
  const std::optional<int64_t> read = words::WholeNumber(Typed(box));
  if (!read || *read < 1 || *read > Largest(box)) return std::nullopt;
  return static_cast<int>(*read);
}

std::optional<Sides> Practice::ReadSides() const {
  const std::optional<int> across = Read(Box::kAcross);
  const std::optional<int> down = Read(Box::kDown);
  if (!across || !down) return std::nullopt;
  return Sides{*across, *down};
}

std::string Practice::Unread() const {
  std::string said;
  if (!ReadSides()) {
    said = Largest(Box::kAcross) == 1
               ? "Тук страните могат да са само 1."
               : Fill("Страните са цели числа от 1 до {0}.", {Text(Largest(Box::kAcross))});
  }
  if (Tracing() && !Read(Box::kFrame)) {
    said += std::string(said.empty() ? "" : " ") +
            Fill("Рамката е цяло число от 1 до {0}.", {Text(kLargestFrame)});
  }
  return said;
}

// The boxes made to show a rectangle: the solution, once it is shown.
void Practice::Show(const Sides& sides) {
  typed_[0] = Text(sides.across);
  typed_[1] = Text(sides.down);
}

std::vector<Row> Practice::Listed() const {
  if (!Tracing() || stage_ == Stage::kDone) return {};
  const std::vector<Row>& rows = Current().rows;
  return {rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(listed_)};
}

bool Practice::Shown(Button button) const {
  if (stage_ == Stage::kDone) return button == Button::kRestart;
  return button != Button::kNoMore || Tracing();
}

bool Practice::Enabled(Button button) const {
  switch (button) {
    case Button::kCheck:
      return stage_ == Stage::kAnswering;
    case Button::kNoMore:
      return Tracing() && stage_ == Stage::kAnswering;
    case Button::kRetry:
      return stage_ == Stage::kWrong;
    case Button::kNext:
      return stage_ == Stage::kRight || stage_ == Stage::kSolution;
    case Button::kRestart:
      return true;
    case Button::kShowProgram:
      return stage_ == Stage::kRight || stage_ == Stage::kSolution;
  }
  return false;
}

void Practice::Press(Button button) {
  if (!Enabled(button)) return;
  switch (button) {
    case Button::kCheck:
      if (Tracing()) {
        const std::optional<Sides> sides = ReadSides();
        const std::optional<int> frame = Read(Box::kFrame);
        if (sides && frame) {
          CheckRow(Row{sides->across, sides->down, *frame});
        } else {
          CheckRow(std::nullopt, /*unread=*/true);
        }
      } else {
        Check();
      }
      break;
    case Button::kNoMore:
      CheckRow(std::nullopt);
      break;
    case Button::kRetry:
      stage_ = Stage::kAnswering;
      second_try_ = true;
      focus_ = Focus::kAcross;
      break;
    case Button::kNext:
      if (task_ + 1 < static_cast<int>(tasks_.size())) {
        Ask(task_ + 1);
      } else {
        stage_ = Stage::kDone;
        verdict_.clear();
        best_[level_] = std::max(best_[level_], Points());
        focus_ = Focus::kRestart;
      }
      break;
    case Button::kRestart:
      NewSet();
      break;
    case Button::kShowProgram:
      return;  // the lessons put the task into the window
  }
  Changed();
}

// The sides given, judged against the least frame. A wrong answer gets a second try; after the
// second, the solution is shown. Sides that cannot be read are not judged and use no try.
void Practice::Check() {
  const Task& task = Current();
  ++checks_;
  const std::optional<Sides> read = ReadSides();
  if (!read) {
    verdict_ = Unread();
    return;
  }
  const Sides sides = *read;
  tried_.push_back(sides);
  const int64_t frame = FrameOf(sides.across, sides.down);
  const bool fits = int64_t{sides.across} * sides.down >= task.count;
  root_said_ = false;
  if (fits && frame == task.Least()) {
    verdict_ = Fill("Вярно! Златната рамка около {0} е от {1} – най-малката възможна за {2}.",
                    {Times(sides), Counted(frame, words::kSquares), Noun(task.count)}) +
               Others(task, sides);
    EndTask(Stage::kRight);
    return;
  }
  ++wrong_;
  verdict_ = Wrong(sides, !second_try_);
  if (!second_try_) {
    stage_ = Stage::kWrong;
    focus_ = Focus::kRetry;
    return;
  }
  Show(task.Solution());
  verdict_ += Fill(" Решение: {0}, златна рамка от {1}.",
                   {Times(task.Solution()), Counted(task.Least(), words::kSquares)}) +
              Others(task, task.Solution());
  EndTask(Stage::kSolution);
}

// A row given at the fifth level, or "Няма повече редове" (none), judged by the rules of the
// search. A wrong answer gets a second try; after the second, the row the program lists is shown
// and added, or the task ends where the search has ended. A row whose boxes cannot be read, or
// one given already, is not judged and uses no try.
void Practice::CheckRow(const std::optional<Row>& proposed, bool unread) {
  const Task& task = Current();
  ++checks_;
  if (unread) {
    verdict_ = Unread();
    return;
  }
  if (proposed) {
    const std::vector<Row> given = Listed();
    if (std::find(given.begin(), given.end(), *proposed) != given.end()) {
      verdict_ = Fill("Редът {0}, вече е записан.", {Named(*proposed)});
      return;
    }
  }
  const Judged judged = proposed ? JudgeRow(task, listed_, *proposed) : JudgeEnd(task, listed_);
  verdict_ = judged.sentence;
  const bool ended = listed_ >= task.rows.size();
  if (judged.rule == Rule::kRight) {
    second_try_ = false;
    if (ended) {
      EndTask(Stage::kRight);
    } else {
      ++listed_;
      focus_ = Focus::kAcross;
    }
    return;
  }
  ++wrong_;
  if (first_wrong_ < 0) {
    first_wrong_ = static_cast<int>(std::min(listed_, task.rows.size() - 1));
  }
  if (!second_try_) {
    stage_ = Stage::kWrong;
    focus_ = Focus::kRetry;
    return;
  }
  second_try_ = false;
  if (ended) {
    EndTask(Stage::kSolution);
    return;
  }
  // The second wrong try for this row: the program's row is added, and a row of the pupil's that
  // the program lists later is said to come later.
  verdict_ += Fill(
      " Това е втората грешка за този ред. Следващият ред на програмата е {0}: "
      "добавих го.",
      {Named(task.rows[listed_])});
  if (proposed) {
    const auto later =
        std::find_if(task.rows.begin() + static_cast<std::ptrdiff_t>(listed_) + 1, task.rows.end(),
                     [&](const Row& row) {
                       return row.across == proposed->across && row.down == proposed->down;
                     });
    if (later != task.rows.end()) {
      verdict_ += Fill(" Редът {0} идва по-късно.", {words::Times(later->across, later->down)});
    }
  }
  ++listed_;
  focus_ = Focus::kAcross;
}

// A task over: 2 points with no wrong answer, 1 with one, none with more.
void Practice::EndTask(Stage stage) {
  points_.push_back(wrong_ == 0 ? 2 : wrong_ == 1 ? 1 : 0);
  stage_ = stage;
  focus_ = Focus::kNext;
}

// Why the sides are wrong, with the numbers; at the first try, a hint that leaves the answer to
// the pupil.
std::string Practice::Wrong(const Sides& sides, bool first_try) {
  const Task& task = Current();
  const words::Noun& letters = Letters();
  const int64_t squares = int64_t{sides.across} * sides.down;
  if (squares < task.count) {
    const int64_t left = task.count - squares;
    std::string said =
        Fill("{0} не се побират: {1} = {2}, а {3} са {4}. Без квадратче {5} {6}.",
             {letters.The, Times(sides), Counted(squares, words::kSquares), letters.the,
              Text(task.count), left == 1 ? "остава" : "остават", Noun(left)});
    if (first_try) {
      said +=
          Fill(" Подсказка: произведението на страните трябва да е поне {0}.", {Text(task.count)});
    }
    return said;
  }
  // Until the task is over, only what the pupil's own frame is: the least is the answer.
  const int64_t frame = FrameOf(sides.across, sides.down);
  std::string said =
      Fill("{0} се побират, но златната рамка около {1} е 2 × {2} + 2 × {3} + 4 = {4}",
           {letters.The, Times(sides), Text(sides.across), Text(sides.down),
            Counted(frame, words::kSquares)});
  if (first_try) return said + ", а има и по-малка." + Hint();
  return said + Fill(". Твоята рамка е с {0} по-голяма от най-малката ({1}).",
                     {Counted(frame - task.Least(), words::kSquares), Text(task.Least())});
}

// The hint for letters that fit in too large a frame. It names √N and the whole squares around
// N, which a pupil who has not met √ yet can use, and never a side of a least rectangle: for a
// perfect square, only that the sides should be as close as the letters allow, and the square
// above N not where it is itself a least rectangle. Where it says what √N is, the chart need not.
std::string Practice::Hint() {
  const Task& task = Current();
  const int root = WholeRoot(task.count);
  if (root * root == task.count) {
    return Fill(
        " Подсказка: избери страни, които са колкото може по-близки една до друга, но "
        "така, че всички {0} да се поберат.",
        {Letters().plural});
  }
  root_said_ = true;
  return Fill(
      " Подсказка: страните на правоъгълника с най-малка рамка са близки една до друга и до {0}.",
      {chart::RootGlossed(task.count, !chart::SquareAboveIsLeast(task.count, task.Least()))});
}

const words::Noun& Practice::Letters() const {
  return kLevels[level_].kind == Kind::kProverb ? words::kCharacters : words::kLetters;
}

// "70 букви", or "34 знака" for a proverb.
std::string Practice::Noun(int64_t count) const {
  return Counted(count, Letters());
}

std::string Practice::TaskText() const {
  if (stage_ == Stage::kDone) {
    return Fill(
        "Петте задачи свършиха: {0} от {1}. За пет нови задачи натисни „Отначало“ или избери "
        "друго ниво.",
        {Counted(Points(), "точка", "точки"), Text(2 * kTasksPerSet)});
  }
  const Task& task = Current();
  if (Tracing()) {
    return Fill(
        "Кои редове ще запише програмата за {0}? Въведи ги един по един: страните и рамката на "
        "всеки ред. Лентата е правоъгълник със страна 1 по абсцисата, а затварящият квадрат е "
        "най-малкият квадрат, в който се побират всички букви.",
        {Noun(task.count)});
  }
  if (task.count == 1) {  // a count alone: a proverb is never so short
    return "Мантрата има 1 буква. Намери правоъгълник, в който тя се побира, с най-малка златна "
           "рамка.";
  }
  if (kLevels[level_].kind == Kind::kProverb) {
    return Fill(
        "Пословицата има {0}: букви, интервали и препинателни знаци, по един в квадратче. Намери "
        "правоъгълник, в който се побират всички, с най-малка златна рамка.",
        {Noun(task.count)});
  }
  return Fill(
      "Мантрата има {0}, по една в квадратче. Намери правоъгълник, в който се побират всички, с "
      "най-малка златна рамка.",
      {Noun(task.count)});
}

std::string Practice::Proverb() const {
  if (stage_ == Stage::kDone || Current().proverb.empty()) return {};
  return "„" + runtime::ToUtf8(Current().proverb) + "“";
}

std::string Practice::Progress() const {
  if (stage_ == Stage::kDone) return {};
  return Fill("Задача {0} от {1}, точки: {2}",
              {Text(TaskNumber()), Text(kTasksPerSet), Text(Points())});
}

picture::Picture Practice::Drawing() const {
  const std::optional<Sides> sides = ReadSides();
  if (stage_ == Stage::kDone || !sides) return {};
  const Task& task = Current();
  return picture::Picture::Rectangle(sides->across, sides->down, task.count, task.proverb,
                                     Letters());
}

// "1 × 1 = 1 квадрат, а буквите са 70", "7 × 10 = 70 квадрата за 70 букви", "8 × 9 = 72
// квадрата: 70 букви и 2 празни квадрата".
std::string Practice::DrawingLine() const {
  if (stage_ == Stage::kDone) return {};
  const std::optional<Sides> sides = ReadSides();
  if (!sides) return Unread();
  const int count = Current().count;
  const int64_t squares = int64_t{sides->across} * sides->down;
  const std::string rectangle = Times(*sides) + " = " + Counted(squares, words::kSquares);
  if (squares < count) {
    return Fill("{0}, а {1} са {2}", {rectangle, Letters().the, Text(count)});
  }
  if (squares == count) return Fill("{0} за {1}", {rectangle, Noun(count)});
  return Fill(
      "{0}: {1} и {2}",
      {rectangle, Noun(count), Counted(squares - count, "празно квадратче", "празни квадратчета")});
}

std::optional<chart::Chart> Practice::Chart() const {
  if (stage_ == Stage::kDone || tried_.empty() || Tracing()) return std::nullopt;
  return chart::Chart::Of(Current().count, Current().Least(), tried_, Over(), Letters(),
                          !root_said_);
}

int Practice::StarsFor(int points) {
  if (points >= 10) return 3;
  if (points >= 8) return 2;
  if (points >= 5) return 1;
  return 0;
}

std::string Practice::Score() const {
  if (stage_ != Stage::kDone) return {};
  return Fill("{0} от {1}", {Counted(Points(), "точка", "точки"), Text(2 * kTasksPerSet)});
}

std::string Practice::Stars() const {
  if (stage_ != Stage::kDone) return {};
  return StarsOf(Points());
}

std::string Practice::StarsSaid() const {
  if (stage_ != Stage::kDone) return {};
  return Fill("{0}: {1} от 3", {Score(), Counted(StarsFor(Points()), "звезда", "звезди")});
}

std::string Practice::Best() const {
  const int best = best_[level_];
  if (best < 0) return {};
  return Fill("Най-добър резултат на нивото: {0} от {1} {2}",
              {Counted(best, "точка", "точки"), Text(2 * kTasksPerSet), StarsOf(best)});
}

std::string Practice::ShowInProgramNote() const {
  return Current().proverb.empty() ? "Това ще смени числото в главния прозорец."
                                   : "Това ще смени мантрата в главния прозорец.";
}

Practice::InProgram Practice::ShowInProgram() const {
  const Task& task = Current();
  const int row = first_wrong_ >= 0 ? first_wrong_ : static_cast<int>(task.rows.size()) - 1;
  if (!task.proverb.empty()) return {true, task.proverb, row};
  return {false, runtime::WholeText(int64_t{task.count}), row};
}

void Practice::Changed() const {
  if (observer_ != nullptr) observer_->PracticeChanged();
}

}  // namespace lessons::practice
