#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "lessons/chart.h"
#include "lessons/picture.h"
#include "lessons/tasks.h"
#include "lessons/trace.h"
#include "lessons/words.h"

// "Опитай сам": the pupil builds the rectangle with the least gold frame, the program checks it,
// explains a wrong answer, gives a second try, shows the solution, and scores each set of five
// tasks. The tasks, the rules, the words and the drawings are decided here once for every
// toolkit; a view lays them out and passes on what the pupil does.
namespace lessons::practice {

inline constexpr const char* kTab = "Опитай сам";
inline constexpr const char* kLevelLabel = "Ниво:";
inline constexpr const char* kDrawingLabel = "Правоъгълникът";
inline constexpr const char* kChartLabel = "Диаграмата";

// The page's buttons, in the order they stand. "Няма повече редове" is the fifth level's alone.
enum class Button { kCheck, kNoMore, kRetry, kNext, kRestart, kShowProgram };
inline constexpr std::array<const char*, 6> kButtonNames = {
    "Провери",         "Няма повече редове", "Опитай пак",
    "Следваща задача", "Отначало",           "Виж как го намира програмата"};
// The third box of the fifth level, the frame of the row given, with what it counts and where the
// program lists it; and the heading of the rows the pupil has given so far.
inline constexpr const char* kFrameLabel = "рамка";
inline constexpr const char* kFrameNote =
    "Рамката е броят на златните квадратчета около правоъгълника: 2a\u00A0+\u00A02b\u00A0+\u00A04; "
    "програмата го записва в колоната „периметър“.";
inline constexpr const char* kRowsLabel = "Редовете досега";

// The number boxes: the two sides, and at the fifth level the frame of the row given.
enum class Box { kAcross, kDown, kFrame };
// The most characters a box takes.
inline constexpr int kBoxLength = 6;
// The largest frame the third box takes.
inline constexpr int kLargestFrame = 9999;

// Where a task stands.
enum class Stage {
  kAnswering,  // the pupil sets the sides (and, at the fifth level, the frame of the next row)
  kWrong,      // a first wrong answer, explained; "Опитай пак" gives the second try
  kRight,      // right, at the first or the second try
  kSolution,   // wrong twice: the solution is shown
  kDone,       // the set is over: its score
};

// The control that should take the focus after the pupil's last action.
enum class Focus { kAcross, kRetry, kNext, kRestart };

// Whoever shows the practice: told after each change.
class PracticeObserver {
 public:
  virtual ~PracticeObserver() = default;
  virtual void PracticeChanged() = 0;
};

// A set of tasks of one level, the task asked, the pupil's sides and what the checks said.
class Practice {
 public:
  explicit Practice(uint32_t seed);

  void SetObserver(PracticeObserver* observer) { observer_ = observer; }

  // A new set of the level (0 to 4), its first task asked.
  void ChooseLevel(int level);
  // A set of the given tasks at the level, as if drawn for it.
  void Practise(int level, std::vector<Task> tasks);
  int Level() const { return static_cast<int>(level_); }
  Stage GetStage() const { return stage_; }
  const Task& Current() const { return tasks_[static_cast<size_t>(task_)]; }
  int TaskNumber() const { return task_ + 1; }  // from 1
  // The points of the set so far; of the task asked, once it is over.
  int Points() const;

  // What the pupil typed into each box, kept as typed; read when the answer is checked. A side is
  // a whole number from 1 to N, the frame one from 1 to kLargestFrame; a box that holds anything
  // else is not judged, and a sentence says what it takes.
  const std::string& Typed(Box box) const { return typed_[static_cast<size_t>(box)]; }
  void Type(Box box, std::string text);
  // The arrow keys on a box: its number one up or down, kept within what the box takes; from 1
  // where the box holds no number.
  void Step(Box box, int by);
  // The largest number a box takes.
  int Largest(Box box) const;
  bool SidesEnabled() const { return stage_ == Stage::kAnswering; }
  // Whether the boxes belong on the page: not once the set is over.
  bool BoxesShown() const { return stage_ != Stage::kDone; }

  // The fifth level: the pupil gives the rows the program lists, each with its frame.
  bool Tracing() const { return kLevels[level_].kind == Kind::kTrace; }
  // The rows given so far, as the program lists them.
  std::vector<Row> Listed() const;
  // Whether a button belongs on the page at this level; once the set is over, only "Отначало".
  bool Shown(Button button) const;

  void Press(Button button);
  // Whether a button does anything now. "Виж как го намира програмата" is the view's to do,
  // through the lessons, once a task is over.
  bool Enabled(Button button) const;
  Focus FocusAfter() const { return focus_; }

  // The task: "Мантрата има 70 букви, по една в квадратче. …", and the proverb in quotes, or
  // nothing; once the set is over, what to do next. The task says once what "по абсциса" and
  // "по ордината", the boxes' names, mean.
  std::string TaskText() const;
  std::string Proverb() const;
  // "Задача 2 от 5, точки: 3".
  std::string Progress() const;
  // The live drawing of the pupil's sides, the solution once it is shown, and its line:
  // "8 × 9 = 72 квадратчета: 70 букви и 2 празни квадратчета"; nothing drawn while a side cannot
  // be read, and the line says what the boxes take.
  picture::Picture Drawing() const;
  std::string DrawingLine() const;
  // What the last check said, in one or two sentences; empty before the first check of a task
  // and once the set is over.
  const std::string& Verdict() const { return verdict_; }
  // Counts the verdicts given, so that a view knows when one is new, to be read out.
  int Checks() const { return checks_; }
  // The chart after a check of the task; none before.
  std::optional<chart::Chart> Chart() const;
  // At the end of a set: "8 точки от 10" and its stars, "★★☆"; and as a screen reader says them.
  std::string Score() const;
  std::string Stars() const;
  std::string StarsSaid() const;
  // The best score of the level while the program runs: "Най-добър резултат: …", or nothing.
  std::string Best() const;
  // What "Виж как го намира програмата" changes, said beside it before it acts.
  std::string ShowInProgramNote() const;
  // What "Виж как го намира програмата" puts into the window: a count or a proverb, and the row
  // of the lists whose step it shows.
  struct InProgram {
    bool mantra;
    runtime::String text;
    int row;
  };
  InProgram ShowInProgram() const;

  // The stars for a score out of 10: 3 for 10, 2 for 8 or 9, 1 for 5 to 7, none below.
  static int StarsFor(int points);

 private:
  void NewSet();
  void Begin();
  void Ask(int task);
  void Check();
  void CheckRow(const std::optional<Row>& proposed, bool unread = false);
  // A box's whole number within what it takes, or nothing.
  std::optional<int> Read(Box box) const;
  std::optional<Sides> ReadSides() const;
  // What the boxes that cannot be read take, in a sentence each.
  std::string Unread() const;
  void Show(const Sides& sides);
  const words::Noun& Letters() const;
  void EndTask(Stage stage);
  void Changed() const;
  std::string Wrong(const Sides& sides, bool first_try);
  std::string Noun(int64_t count) const;
  std::string Hint();
  // Whether the task is over, its least frame and the whole chart free to show.
  bool Over() const { return stage_ == Stage::kRight || stage_ == Stage::kSolution; }

  PracticeObserver* observer_ = nullptr;
  std::mt19937 random_;
  size_t level_ = 0;
  std::vector<Task> tasks_;
  int task_ = 0;
  Stage stage_ = Stage::kAnswering;
  std::array<std::string, 3> typed_;  // what each box holds
  std::vector<Sides> tried_;          // the sides checked in the task asked, for its chart
  bool second_try_ = false;  // after "Опитай пак": the task's, or at the fifth level the row's
  std::vector<int> points_;  // of each task over
  size_t listed_ = 0;        // the rows given so far, at the fifth level
  int wrong_ = 0;            // the wrong answers in the task asked, which score it
  int first_wrong_ = -1;     // the row where the pupil first went wrong, or -1
  std::string verdict_;
  bool root_said_ = false;  // whether the verdict says what √N is, which the chart then need not
  int checks_ = 0;
  Focus focus_ = Focus::kAcross;
  std::array<int, kLevels.size()> best_{-1, -1, -1, -1, -1};
};

}  // namespace lessons::practice
