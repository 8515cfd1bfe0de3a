#include "lessons/practice.h"

#include <algorithm>

#include "lessons/words.h"
#include "runtime/number_text.h"

namespace lessons::practice {

namespace {

using words::Counted;
using words::Fill;
using words::Number;

std::string Times(int64_t across, int64_t down) {
  return Number(across) + " × " + Number(down);
}

std::string Times(const Sides& sides) {
  return Times(sides.across, sides.down);
}

// The shorter side first, as the rectangles with the least frame are named.
Sides Upright(const Sides& sides) {
  return {std::min(sides.across, sides.down), std::max(sides.across, sides.down)};
}

// " Същата рамка има и 8 × 9.": the task's other rectangles with the least frame, or nothing.
std::string Others(const Task& task, const Sides& sides) {
  std::vector<std::string> others;
  for (const Sides& best : task.Best()) {
    if (!(best == Upright(sides))) others.push_back(Times(best));
  }
  return others.empty() ? std::string() : " Същата рамка има и " + chart::Listing(others) + '.';
}

// "★★☆".
std::string StarsOf(int points) {
  std::string shown;
  for (int star = 0; star < 3; ++star)
    shown += star < Practice::StarsFor(points) ? "★" : "☆";
  return shown;
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
  sides_ = {1, 1};
  frame_ = 1;
  listed_ = 0;
  wrong_ = 0;
  first_wrong_ = -1;
  second_try_ = false;
  tried_.clear();
  verdict_.clear();
  focus_ = Focus::kAcross;
}

int Practice::Points() const {
  int points = 0;
  for (const int each : points_)
    points += each;
  return points;
}

void Practice::SetAcross(int across) {
  SetSide(&Sides::across, across);
}

void Practice::SetDown(int down) {
  SetSide(&Sides::down, down);
}

void Practice::SetSide(int Sides::*side, int value) {
  if (!SidesEnabled()) return;
  value = std::clamp(value, 1, Largest());
  if (value == sides_.*side) return;
  sides_.*side = value;
  Changed();
}

void Practice::SetFrame(int frame) {
  if (!SidesEnabled()) return;
  frame = std::clamp(frame, 1, 9999);
  if (frame == frame_) return;
  frame_ = frame;
  Changed();
}

std::vector<Row> Practice::Listed() const {
  if (!Tracing() || stage_ == Stage::kDone) return {};
  const std::vector<Row>& rows = Current().rows;
  return {rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(listed_)};
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
        CheckRow(Row{sides_.across, sides_.down, frame_});
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
// second, the solution is shown.
void Practice::Check() {
  const Task& task = Current();
  tried_.push_back(sides_);
  ++checks_;
  const int64_t frame = FrameOf(sides_.across, sides_.down);
  const bool fits = int64_t{sides_.across} * sides_.down >= task.count;
  if (fits && frame == task.Least()) {
    verdict_ = Fill("Вярно! Рамката около {0} е {1} квадрата злато – най-малката възможна за {2}.",
                    {Times(sides_), Number(frame), Noun(task.count)}) +
               Others(task, sides_);
    EndTask(Stage::kRight);
    return;
  }
  ++wrong_;
  verdict_ = Wrong(sides_, !second_try_);
  if (!second_try_) {
    stage_ = Stage::kWrong;
    focus_ = Focus::kRetry;
    return;
  }
  sides_ = task.Solution();
  verdict_ += Fill(" Решение: {0}, рамка от {1} квадрата злато.",
                   {Times(sides_), Number(task.Least())}) +
              Others(task, sides_);
  EndTask(Stage::kSolution);
}

// A row given at the fifth level, or "Няма повече редове" (none), judged by the rules of the
// search. A wrong answer gets a second try; after the second, the row the program lists is shown
// and added, or the task ends where the search has ended.
void Practice::CheckRow(const std::optional<Row>& proposed) {
  const Task& task = Current();
  const Judged judged = proposed ? JudgeRow(task, listed_, *proposed) : JudgeEnd(task, listed_);
  ++checks_;
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
  verdict_ += Fill(" Програмата записва {0}: редът е добавен.", {Named(task.rows[listed_])});
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
std::string Practice::Wrong(const Sides& sides, bool first_try) const {
  const Task& task = Current();
  const int64_t squares = int64_t{sides.across} * sides.down;
  if (squares < task.count) {
    const int64_t left = task.count - squares;
    std::string said =
        Fill("Буквите не се побират: {0} = {1}, а {2}. Без квадрат {3} {4}.",
             {Times(sides), Counted(squares, "квадрат", "квадрата"),
              Fill(kLevels[level_].kind == Kind::kProverb ? "знаците са {0}" : "буквите са {0}",
                   {Number(task.count)}),
              left == 1 ? "остава" : "остават", Noun(left)});
    if (first_try) {
      said += Fill(" Подсказка: произведението на страните трябва да е поне {0}.",
                   {Number(task.count)});
    }
    return said;
  }
  const int64_t frame = FrameOf(sides.across, sides.down);
  const int64_t more = frame - task.Least();
  std::string said = Fill(
      "Буквите се побират, но рамката около {0} е 2 × {1} + 2 × {2} + 4 = {3} квадрата злато, а "
      "най-малката е {4}: {5} повече.",
      {Times(sides), Number(sides.across), Number(sides.down), Number(frame),
       Number(task.Least()), Counted(more, "квадрат", "квадрата")});
  if (first_try) {
    said += Fill(
        " Подсказка: страните на правоъгълника с най-малка рамка са близки една до друга, около "
        "{0}.",
        {chart::RootText(task.count)});
  }
  return said;
}

// "70 букви", or "34 знака" for a proverb.
std::string Practice::Noun(int64_t count) const {
  return kLevels[level_].kind == Kind::kProverb ? Counted(count, "знак", "знака")
                                                : Counted(count, "буква", "букви");
}

std::string Practice::TaskText() const {
  if (stage_ == Stage::kDone) return "Краят на нивото.";
  const Task& task = Current();
  if (Tracing()) {
    return Fill("Кои редове ще запише програмата за {0}? Въведете ги един по един.",
                {Noun(task.count)});
  }
  if (kLevels[level_].kind == Kind::kProverb) {
    return Fill(
        "Поговорката има {0}. Намерете правоъгълник с най-малката златна рамка, в който да се "
        "запише.",
        {Noun(task.count)});
  }
  return Fill("Мантрата има {0}. Намерете правоъгълник с най-малката златна рамка.",
              {Noun(task.count)});
}

std::string Practice::Proverb() const {
  if (stage_ == Stage::kDone || Current().proverb.empty()) return {};
  return "„" + runtime::ToUtf8(Current().proverb) + "“";
}

std::string Practice::Progress() const {
  if (stage_ == Stage::kDone) return Fill("Точки: {0}", {Number(Points())});
  return Fill(
      "Задача {0} от {1}, точки: {2}",
      {Number(TaskNumber()), Number(kTasksPerSet), Number(Points())});
}

picture::Picture Practice::Drawing() const {
  if (stage_ == Stage::kDone) return {};
  const Task& task = Current();
  return picture::Picture::Rectangle(sides_.across, sides_.down, task.count, task.proverb);
}

std::string Practice::DrawingLine() const {
  if (stage_ == Stage::kDone) return {};
  const int64_t squares = int64_t{sides_.across} * sides_.down;
  return Fill("{0} = {1} за {2}",
              {Times(sides_), Counted(squares, "квадрат", "квадрата"), Noun(Current().count)});
}

std::optional<chart::Chart> Practice::Chart() const {
  if (stage_ == Stage::kDone || tried_.empty() || Tracing()) return std::nullopt;
  const bool over = stage_ == Stage::kRight || stage_ == Stage::kSolution;
  return chart::Chart::Of(Current().count, Current().Least(), tried_, over,
                          kLevels[level_].kind == Kind::kProverb ? "знака" : "букви");
}

int Practice::StarsFor(int points) {
  if (points >= 10) return 3;
  if (points >= 8) return 2;
  if (points >= 5) return 1;
  return 0;
}

std::string Practice::Score() const {
  if (stage_ != Stage::kDone) return {};
  return Fill("{0} от {1}",
              {Counted(Points(), "точка", "точки"), Number(2 * kTasksPerSet)});
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
              {Counted(best, "точка", "точки"), Number(2 * kTasksPerSet), StarsOf(best)});
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
