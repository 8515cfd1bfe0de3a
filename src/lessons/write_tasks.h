#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "language/machine.h"
#include "language/program.h"

// The tasks of "Напиши програмата", and the check of a pupil's program for one of them, the way a
// teacher checks a solution: on every N from 1 to 1000 and on 16130 and 16380, against the rows
// the program's own search lists, going on past wrong counts and stopping at the first error or
// limit.
namespace lessons::write {

enum class TaskKind { kStrip, kLeast, kSameRows, kLessWork };

struct Task {
  TaskKind kind;
  const char* name;
  const char* text;  // as the pupil reads it, with its example
};

inline constexpr std::array<Task, 4> kTasks = {{
    {TaskKind::kStrip, "Лентата",
     "Напиши програма, която записва точно един ред: лентата 1 × N и рамката ѝ. За N = 70: 1, "
     "70, 146."},
    {TaskKind::kLeast, "Най-малката рамка",
     "Последният ред трябва да е правоъгълник a × b, в който се побират N букви (a × b ≥ N), с "
     "най-малката възможна рамка 2a + 2b + 4. За N = 70 са верни 7, 10, 38 и 8, 9, 38."},
    {TaskKind::kSameRows, "Същите редове",
     "Запиши същите редове, в същата последователност, като програмата от урока. За N = 70: 1, "
     "70, 146; 2, 35, 78; 5, 14, 42; 7, 10, 38."},
    {TaskKind::kLessWork, "С по-малко работа",
     "Последният ред трябва да е правоъгълник с най-малката рамка, както в „Най-малката рамка“, "
     "но с поне 10 пъти по-малко стъпки от програмата от урока, общо за всички проверени N (от 1 "
     "до 1000, 16130 и 16380). За N = 70 програмата от урока прави 348 стъпки."},
}};

// The counts a task is checked on: 1 to 1000, then 16130 (the most work) and 16380 (the last).
inline constexpr int kCheckedCounts = 1002;
int CheckedCount(int index);

// The program from the lesson: its rows for N, its work, the text of its 14 lines.
const std::string& LessonText();
std::vector<language::Row> LessonRows(int count);
language::Work LessonWork(int count);

// A program's work in words: "69 деления, 292 стъпки".
std::string WorkText(const language::Work& work);

// How a pupil's rows for N stand against a task: right, or the sentence that says what is wrong
// ("Грешно за N = 5: …") and the row of the pupil's where it goes wrong (its index; the number
// of rows where one is missing).
struct Judged {
  bool right = true;
  std::string said;
  int row = -1;
};
Judged Judge(TaskKind kind, int count, const std::vector<language::Row>& rows);

// Whether each of the pupil's rows is right for the task, for the marks beside them: every row
// against the lesson's for "Същите редове", the last one only for the others.
enum class Mark { kNone, kRight, kWrong };
std::vector<Mark> Marks(TaskKind kind, int count, const std::vector<language::Row>& rows);

// A check of a pupil's program for a task, made a slice at a time so that the window never
// freezes.
class Check {
 public:
  Check(std::shared_ptr<const language::Program> program, const Task& task);

  // Runs counts until about `steps` steps of the pupil's program are made, or the check is over.
  void Continue(int64_t steps);
  bool Done() const { return done_; }
  int Checked() const { return checked_; }
  int WrongCounts() const { return wrong_; }
  // "Проверени 640 от 1002".
  std::string Progress() const;
  // The verdict, once the check is over.
  std::string Verdict() const;
  bool Right() const { return done_ && wrong_ == 0 && !stopped_ && enough_; }
  // The first N where the program went wrong or stopped, and the row of the pupil's where it
  // went wrong there (-1 for a run that an error or limit stopped), or none.
  std::optional<int> FirstWrong() const { return first_wrong_; }
  int FirstWrongRow() const { return first_row_; }
  // The steps and divisions of the pupil's program over the counts checked, and of the lesson's.
  const language::Work& Yours() const { return yours_; }
  const language::Work& Lesson() const { return lesson_; }

 private:
  std::shared_ptr<const language::Program> program_;
  const Task& task_;
  int checked_ = 0;
  int wrong_ = 0;
  bool done_ = false;
  bool stopped_ = false;  // by an error or a limit
  bool enough_ = true;    // little enough work, where the task asks for it
  std::optional<int> first_wrong_;
  int first_row_ = -1;
  std::string first_said_;
  language::Work yours_;
  language::Work lesson_;
};

}  // namespace lessons::write
