#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "language/error.h"
#include "language/machine.h"
#include "language/trace.h"
#include "lessons/write_tasks.h"
#include "window/layout.h"

// "Напиши програмата": the pupil writes the search in the program's own notation, runs it for an
// N or steps through it beside the program from the lesson, and has it checked for a task on a
// thousand counts. Each task keeps its own text, as typed. Decided here once for every toolkit; a
// view lays it out, keeps the texts where its toolkit keeps files, and passes on what the pupil
// does.
namespace lessons::write {

inline constexpr const char* kTab = "Напиши програмата";
inline constexpr const char* kEditorName = "Програмата ти";
inline constexpr const char* kTaskLabel = "Задача";
inline constexpr const char* kStartLabel = "Започни от";
inline constexpr std::array<const char*, 3> kStartNames = {"празен лист", "всяка страна",
                                                           "програмата от урока"};
inline constexpr const char* kCountLabel = "N";
inline constexpr const char* kValuesLabel = "Стойностите";
inline constexpr const char* kOutputLabel = "Изходът";
inline constexpr const char* kYourRowsLabel = "Твоята програма";
inline constexpr const char* kLessonRowsLabel = "Програмата от урока";
inline constexpr const char* kHelpLabel = "Какво може езикът";
inline constexpr const char* kOpenLabel = "Отвори…";
inline constexpr const char* kSaveLabel = "Запази като…";

// What a new page holds, and what "всяка страна" puts into it.
inline constexpr const char* kFirstText = "N ← броят на буквите\nпокажи N\n";
inline constexpr const char* kEverySideText =
    "N ← броят на буквите\n"
    "BestFrame ← 2N + 6;  ред 1, N, BestFrame\n"
    "за a от 2 до N\n"
    "    b ← (N + a − 1) div a;  P ← 2a + 2b + 4\n"
    "    ако P < BestFrame: ред a, b, P;  BestFrame ← P\n";

// The signs a Bulgarian keyboard lacks: each a button that puts its text at the caret, with the
// name a screen reader reads for it.
struct Sign {
  const char* label;
  const char* text;
  const char* name;
};
inline constexpr std::array<Sign, 6> kSigns = {{
    {"←", "←", "Вмъкни ← (става)"},
    {"×", "×", "Вмъкни × (умножено по)"},
    {"≠", "≠", "Вмъкни ≠ (не е равно на)"},
    {"≤", "≤", "Вмъкни ≤ (по-малко или равно на)"},
    {"≥", "≥", "Вмъкни ≥ (по-голямо или равно на)"},
    {"√", "цялата част на √", "Вмъкни „цялата част на √“"},
}};

// The buttons that run the pupil's program and check it.
enum class Command { kRun, kStep, kBack, kRestart, kCheck, kShowSteps };
inline constexpr std::array<const char*, 6> kCommandNames = {
    "Пусни", "Стъпка", "Назад", "Отначало", "Провери задачата", "Покажи стъпките за това N"};
inline constexpr const char* kStopCheck = "Спри проверката";  // the check's button while it runs

// The largest file "Отвори…" takes, and the files the file dialogs offer.
inline constexpr size_t kLargestFile = 1 << 20;
inline constexpr const char* kFileKind = "Текстови файлове";

// The page's colours: the line of the step shown, the line of an error and its place, and the
// marks of a right and a wrong row.
inline constexpr window::layout::Rgb kStepLineColour{0xFF, 0xF0, 0xA0};
inline constexpr window::layout::Rgb kErrorLineColour{0xFF, 0xC8, 0xC8};
inline constexpr window::layout::Rgb kErrorColour{0xC0, 0x00, 0x00};
inline constexpr window::layout::Rgb kRightColour{0x00, 0x80, 0x00};
inline constexpr window::layout::Rgb kWrongColour = kErrorColour;

// A row's mark as the tables show it beside the row, and as a screen reader says it, by `Mark`.
inline constexpr std::array<const char*, 3> kMarkSigns = {"", "✓", "✗"};
inline constexpr std::array<const char*, 3> kMarkWords = {"", "верен ред", "грешен ред"};

// A row of the pupil's program or of the lesson's, with its mark.
struct ShownRow {
  std::array<std::string, 3> texts;
  Mark mark = Mark::kNone;
};

// Whoever shows the page: told after each change.
class WriteObserver {
 public:
  virtual ~WriteObserver() = default;
  virtual void WriteChanged() = 0;
};

// Where the texts are kept between one start of the program and the next: the user's
// application data folder, or the browser's local storage.
class Keeper {
 public:
  virtual ~Keeper() = default;
  virtual void Keep(int task, const std::string& text) = 0;
};

class Write {
 public:
  Write();

  void SetObserver(WriteObserver* observer) { observer_ = observer; }
  void SetKeeper(Keeper* keeper) { keeper_ = keeper; }

  // A task's text kept from an earlier start, brought back as it was.
  void Restore(int task, std::string text);

  // The page opened: N starts with the main window's count where it is one from 1 to 16380,
  // else 70, until the pupil types one.
  void Open(const std::string& window_count);

  // The task chosen, and its text as the pupil reads it.
  int Task() const { return task_; }
  void ChooseTask(int task);
  const char* TaskText() const { return kTasks[static_cast<size_t>(task_)].text; }

  // The chosen task's program, as typed. An edit ends the stepping and the check, and clears the
  // marks; the text is kept.
  const std::string& Text() const { return texts_[static_cast<size_t>(task_)]; }
  void Edit(std::string text);
  // "Започни от" and "Отвори…" replace a text that is not empty only after the view has asked
  // this; the view replaces it so that undo brings it back.
  bool AsksBeforeReplacing() const;
  std::string ReplaceQuestion() const;
  void StartFrom(int start);
  static std::string StartText(int start);
  // A file's bytes opened: they become the text, unless they are not UTF-8 text or are over
  // kLargestFile, which the page then says, the text as it was.
  void Opened(std::string_view bytes);
  // Whether Opened() takes these bytes, so that the view asks before replacing only then.
  static bool Opens(std::string_view bytes);
  // A file that could not be read, for the reason the toolkit gave; the text stays.
  void OpenFailed(const std::string& reason);
  // A save made, or failed for the reason the toolkit gave; the text stays either way.
  void Saved(const std::string& name);
  void SaveFailed(const std::string& reason);
  // The name a save offers: the task's, "Лентата.txt".
  std::string FileName() const;

  // N, as typed into its box and kept so.
  const std::string& TypedCount() const { return typed_count_; }
  void TypeCount(std::string text);
  void StepCount(int by);
  std::optional<int> Count() const;
  // What the box takes, while it holds what cannot be read; else empty.
  std::string CountNote() const;

  void Press(Command command);
  bool Enabled(Command command) const;
  const char* Name(Command command) const;

  // The place to mark in the editor, the step's or the error's, and whether it is an error's.
  std::optional<language::Place> Marked() const;
  bool MarksError() const;
  // What the page says under the editor: the step's sentence, the error, or what to do; and the
  // counter "стъпка 5 от 348".
  std::string Message() const;
  std::string Counter() const;
  // The message and the verdict as a screen reader says them: the signs between numbers and
  // names in words ("70 mod 3 е 1 не е 0").
  std::string MessageSaid() const;
  std::string VerdictSaid() const;
  // The variables as the step leaves them, the one it changed marked.
  std::vector<language::Trace::Shown> Values() const;
  // The lines of output so far.
  std::vector<std::string> Output() const;
  // The pupil's rows so far beside the rows of the program from the lesson for N; once the run
  // is over, the pupil's marked as the task judges them.
  std::vector<ShownRow> YourRows() const;
  std::vector<ShownRow> LessonRowsShown() const;
  // "Твоята програма: 69 деления, 292 стъпки. Програмата от урока: 106 деления, 348 стъпки.",
  // once the pupil's run is over without an error.
  std::string Work() const;

  // The check of the chosen task: run a slice at a time by the view's timer while it checks.
  bool Checking() const { return check_ && !check_->Done(); }
  void CheckSome();
  // Its progress while it runs, its verdict once it is over.
  std::string Verdict() const { return verdict_; }
  // The stars of the tasks checked right while the program runs: "★" or empty.
  bool Star(int task) const { return stars_[static_cast<size_t>(task)]; }

  // Counts what the page has said anew (a message, a verdict), so that a view knows when to read
  // it out.
  int Sayings() const { return sayings_; }

 private:
  void Changed();
  void Forget();
  bool Parse();
  void Say(std::string text);
  void FinishCheck();

  WriteObserver* observer_ = nullptr;
  Keeper* keeper_ = nullptr;
  int task_ = 0;
  std::array<std::string, kTasks.size()> texts_;
  std::array<bool, kTasks.size()> stars_{};
  std::string typed_count_ = "70";
  bool typed_own_ = false;
  std::shared_ptr<const language::Program> program_;
  std::optional<language::Error> error_;  // the text's, which keeps it from running
  std::unique_ptr<language::Trace> trace_;
  std::vector<language::Row> lesson_rows_;  // for the trace's N
  language::Work lesson_work_;
  std::string said_;  // a message of its own: a file refused or saved
  std::unique_ptr<Check> check_;
  std::string verdict_;
  int sayings_ = 0;
};

}  // namespace lessons::write
