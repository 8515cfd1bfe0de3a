#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lessons/picture.h"
#include "runtime/runtime_error.h"
#include "search/steps.h"
#include "window/events.h"
#include "window/model.h"

// How the program found its rows, step by step: the steps of the last run as the search told
// them while it ran, and for each the line of the program it stood at, the values it had, one
// sentence on what it did and why, the rows listed so far and the rectangle it examined. Decided
// here once for every toolkit; a view only lays these out and passes on what the user does.
namespace lessons::steps {

// The two pages of the picture window.
inline constexpr const char* kPictureTab = "Картина";
inline constexpr const char* kStepsTab = "Стъпка по стъпка";
// What the window's "по абсциса" and "по ордината" mean, said once on each page that uses them.
inline constexpr const char* kAxes = "по абсциса – по хоризонталата, по ордината – по вертикалата";
// The result lists' tooltip, which names both pages.
inline constexpr const char* kListHint =
    "Двойно щракване или Enter върху ред показва рамката му като картина; страницата "
    "„Стъпка по стъпка“ показва как е намерен";

// The steps page's controls, in the order they stand.
enum class Command { kFirst, kBack, kForward, kLast, kPreviousRow, kNextRow, kPlay };
inline constexpr std::array<const char*, 7> kCommandNames = {
    "Начало", "Назад", "Напред", "Край", "Предишен ред", "Следващ ред", "Пусни"};
inline constexpr const char* kStop = "Спри";  // the play button while the steps play
inline constexpr const char* kSpeedLabel = "Скорост:";
inline constexpr const char* kProgramLabel = "Програмата";
inline constexpr const char* kValuesLabel = "Стойностите";
inline constexpr const char* kRowsLabel = "Редовете досега";
inline constexpr const char* kChanged = "← нова стойност";  // beside a value this step changed
inline constexpr const char* kCurrentLine = "→";  // before the current line and the row it listed
inline constexpr const char* kNoRectangle = "Тази стъпка не разглежда правоъгълник.";
inline constexpr const char* kNoRun =
    "Още няма изчисление: въведи брой букви или мантра и натисни „Изчисли“, за да видиш "
    "стъпките му.";

// How fast the steps play.
struct Speed {
  int per_second;
  const char* name;
};
inline constexpr std::array<Speed, 5> kSpeeds = {{{1, "1 стъпка в секунда"},
                                                  {4, "4 стъпки в секунда"},
                                                  {20, "20 стъпки в секунда"},
                                                  {100, "100 стъпки в секунда"},
                                                  {1000, "1000 стъпки в секунда"}}};
inline constexpr int kDefaultSpeed = 1;

// The keys of the steps page.
enum class Key { kLeft, kRight, kHome, kEnd, kPageUp, kPageDown, kSpace };

// The search as a short program, one line per kind of step, numbered from 1.
const std::vector<std::string>& ProgramLines();
// The headings of the three columns of rows, as the window heads its lists.
std::array<const char*, 3> RowHeadings();

// A value of the search at a step: its name, what it means, its text (empty while it is not
// set) and whether this step changed it.
struct Value {
  const char* name;
  const char* meaning;
  std::string text;
  bool changed;
};

// The rows listed up to a step, as the three lists hold them; a column may be a row short where
// an error stopped the run between its texts. `marked` is the row this step listed, or -1.
struct Rows {
  std::array<std::vector<std::string>, 3> columns;
  int marked = -1;
};

// Whoever shows the steps: told after each change of the run or of the step shown.
class StepsObserver {
 public:
  virtual ~StepsObserver() = default;
  virtual void StepsChanged() = 0;
};

// The steps of the last run and the one shown, with the playing of them. It watches the search
// (the event procedures give it to FindFrames) and reads the form only to know what the run
// started from and what it listed.
class Walkthrough final : public window::RunWatcher {
 public:
  explicit Walkthrough(const window::Form& form) : form_(form) {}

  void SetObserver(StepsObserver* observer) { observer_ = observer; }

  // What the search tells.
  void Started() override;
  void Stepped(const search::Step& step) override;
  void Stopped(const runtime::RuntimeError& error, const search::Step& at) override;
  // The lists were emptied ("Изчисти", another option): no run stands behind them any more.
  void ListsCleared() override;
  // A row chosen in the lists: the page goes to the step that listed it.
  void RowChosen(int row) override { ShowRow(row); }

  bool HasRun() const { return !records_.empty() && !running_; }
  // Counts the runs and clearings, so that a view knows when the run it shows is another one.
  int RunNumber() const { return runs_; }
  int Count() const { return HasRun() ? static_cast<int>(records_.size()) : 0; }
  int Current() const { return current_; }

  // Moving through the steps; each tells the observer when the step shown changes.
  void Do(Command command);
  void GoTo(int step);
  // To the step that listed this row of the lists.
  void ShowRow(int row);
  // A key of the steps page; false where it is not one of them.
  bool Press(Key key);
  bool CanGoBack() const { return HasRun() && current_ > 0; }
  bool CanGoForward() const { return HasRun() && current_ + 1 < Count(); }
  bool HasPreviousRow() const { return HasRun() && RowStepBefore(current_) >= 0; }
  bool HasNextRow() const { return HasRun() && RowStepAfter(current_) >= 0; }
  // Whether the button of a command does anything now.
  bool Enabled(Command command) const;

  // Playing: one timer tick every TickMilliseconds() moves TickSteps() steps on, and the
  // playing stops at the last step.
  bool Playing() const { return playing_; }
  void SetPlaying(bool playing);
  int SpeedIndex() const { return speed_; }
  void SetSpeed(int index);
  int TickMilliseconds() const;
  int TickSteps() const;
  void Tick();
  // Whether a screen reader should read the sentence of the step shown now: not while the
  // steps play faster than one a second.
  bool Announced() const {
    return !playing_ || kSpeeds[static_cast<size_t>(speed_)].per_second <= 1;
  }

  // The step shown: its program line (from 1; 0 without a run), its values, its sentence, the
  // counter "стъпка K от M", the rows so far, and the rectangle it examined, if any.
  int Line() const;
  std::vector<Value> Values() const;
  std::string Sentence() const;
  std::string Counter() const;
  std::string PlayName() const { return playing_ ? kStop : kCommandNames[6]; }
  Rows RowsSoFar() const;
  std::optional<picture::Picture> Rectangle() const;

  // The memory the steps of the run take, in bytes.
  size_t Bytes() const;

  // The step that listed a row, or -1.
  int StepOfRow(int row) const;
  // The step at which a run-time error stopped the run, or -1.
  int ErrorStep() const { return error_ ? Count() - 1 : -1; }

 private:
  // One step as kept: what the search told, in a few bytes.
  struct Record {
    search::StepKind kind;
    bool listed;
    uint16_t set;  // which values are set, one bit for each
    int16_t area;
    int16_t best;
    int16_t compared;
    int16_t root;
    int16_t square;
    int16_t divisor;
    int16_t remainder;
    int16_t quotient;
    int32_t frame;
    std::array<uint16_t, 3> items;  // how many texts each list holds after the step
  };
  struct Stop {
    runtime::RuntimeError error;
    search::Operation operation;
    double left;
    double right;
  };

  void Forget();
  void Keep(const search::Step& step, bool completed);
  void Finish();
  void Changed() const;
  int RowStepBefore(int step) const;
  int RowStepAfter(int step) const;
  std::string Said(const Record& record) const;
  std::string ErrorSentence(const Record& record) const;

  const window::Form& form_;
  StepsObserver* observer_ = nullptr;
  std::vector<Record> records_;
  std::vector<int> row_steps_;                     // for each row, the step that listed it
  std::array<std::vector<std::string>, 3> texts_;  // what the run listed
  std::optional<Stop> error_;
  uint16_t set_ = 0;
  int16_t count_ = 0;
  bool cleared_lists_ = false;  // whether the run has emptied the lists yet
  bool running_ = false;
  runtime::String count_text_;
  bool mantra_mode_ = false;
  runtime::String mantra_;  // the mantra of a run in mantra mode, whose letters fill its rectangles
  int runs_ = 0;
  int current_ = 0;
  bool playing_ = false;
  int speed_ = kDefaultSpeed;
};

}  // namespace lessons::steps
