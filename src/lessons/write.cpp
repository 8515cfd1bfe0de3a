#include "lessons/write.h"

#include <algorithm>
#include <variant>

#include "language/likeness.h"
#include "language/words.h"
#include "lessons/words.h"
#include "runtime/text.h"

namespace lessons::write {

namespace {

constexpr int kLargestCount = 16380;

// How many steps of the pupil's program a slice of the check makes: a few milliseconds.
constexpr int64_t kCheckSlice = 200'000;

}  // namespace

Write::Write() {
  texts_.fill(kFirstText);
}

void Write::Restore(int task, std::string text) {
  if (task < 0 || task >= static_cast<int>(kTasks.size())) return;
  texts_[static_cast<size_t>(task)] = std::move(text);
  if (task == task_) Forget();
  Changed();
}

void Write::Open(const std::string& window_count) {
  if (typed_own_) return;
  const std::optional<int64_t> count = words::WholeNumber(window_count);
  const std::string typed =
      count && *count >= 1 && *count <= kLargestCount ? words::Number(*count) : "70";
  if (typed == typed_count_) return;
  typed_count_ = typed;
  trace_.reset();
  Changed();
}

void Write::ChooseTask(int task) {
  if (task == task_ || task < 0 || task >= static_cast<int>(kTasks.size())) return;
  task_ = task;
  Forget();
  Changed();
}

void Write::Edit(std::string text) {
  if (text == Text()) return;
  texts_[static_cast<size_t>(task_)] = std::move(text);
  if (keeper_ != nullptr) keeper_->Keep(task_, Text());
  Forget();
  Changed();
}

bool Write::AsksBeforeReplacing() const {
  return Text().find_first_not_of(" \t\r\n") != std::string::npos;
}

std::string Write::ReplaceQuestion() const {
  return "Да заменя ли програмата ти? Ако размислиш, „Отмени“ (Ctrl+Z) в полето „Програмата ти“ "
         "я връща.";
}

std::string Write::StartText(int start) {
  if (start == 1) return kEverySideText;
  if (start == 2) return LessonText();
  return "";
}

void Write::StartFrom(int start) {
  Edit(StartText(start));
}

void Write::Opened(std::string_view bytes) {
  if (bytes.size() > kLargestFile) {
    Say("Файлът е по-голям от 1 MB, а програма за тази страница е до 1 MB. Програмата ти е "
        "непокътната.");
    return;
  }
  if (!Opens(bytes)) {
    Say("Файлът не е текст в UTF-8, затова не е отворен. Програмата ти е непокътната.");
    return;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // the mark, not the text
  Edit(std::string(bytes));
}

bool Write::Opens(std::string_view bytes) {
  return bytes.size() <= kLargestFile && runtime::IsUtf8(bytes) &&
         bytes.find('\0') == std::string_view::npos;
}

void Write::OpenFailed(const std::string& reason) {
  Say("Файлът не е отворен: " + reason + ". Програмата ти е непокътната.");
}

void Write::Saved(const std::string& name) {
  Say("Програмата е запазена във файла „" + name + "“.");
}

void Write::SaveFailed(const std::string& reason) {
  Say("Програмата не е запазена: " + reason + ". Текстът ти е непокътнат тук.");
}

std::string Write::FileName() const {
  return std::string(kTasks[static_cast<size_t>(task_)].name) + ".txt";
}

void Write::TypeCount(std::string text) {
  typed_own_ = true;
  if (text == typed_count_) return;
  typed_count_ = std::move(text);
  trace_.reset();
  error_.reset();
  said_.clear();
  Changed();
}

// The arrows on the box: its number one up or down, kept from 1 to 16380; from 1 where the box
// holds no number.
void Write::StepCount(int by) {
  const std::optional<int64_t> typed = words::WholeNumber(typed_count_);
  TypeCount(words::Number(typed ? std::clamp<int64_t>(*typed + by, 1, kLargestCount) : 1));
}

std::optional<int> Write::Count() const {
  const std::optional<int64_t> count = words::WholeNumber(typed_count_);
  if (!count || *count < 1 || *count > kLargestCount) return std::nullopt;
  return static_cast<int>(*count);
}

std::string Write::CountNote() const {
  return Count() ? "" : "N е цяло число от 1 до 16380.";
}

bool Write::Parse() {
  auto parsed = language::Parse(Text());
  if (auto* error = std::get_if<language::Error>(&parsed)) {
    error_ = std::move(*error);
    program_.reset();
    return false;
  }
  error_.reset();
  program_ =
      std::make_shared<const language::Program>(std::get<language::Program>(std::move(parsed)));
  return true;
}

void Write::Press(Command command) {
  if (!Enabled(command)) return;
  said_.clear();
  switch (command) {
    case Command::kRun:
    case Command::kStep:
      if (command == Command::kRun || !trace_) {
        trace_.reset();
        if (!Parse()) break;
        const int count = *Count();
        trace_ = std::make_unique<language::Trace>(program_, static_cast<int16_t>(count));
        lesson_rows_ = LessonRows(count);
        lesson_work_ = LessonWork(count);
        trace_->GoTo(command == Command::kRun ? trace_->Count() - 1 : 0);
      } else {
        trace_->GoTo(trace_->Current() + 1);
      }
      break;
    case Command::kBack:
      trace_->GoTo(trace_->Current() - 1);
      break;
    case Command::kRestart:
      trace_->GoTo(-1);
      break;
    case Command::kCheck:
      if (Checking()) {
        check_.reset();
        verdict_ = "Проверката е спряна.";
        break;
      }
      check_.reset();
      if (!Parse()) {
        verdict_ = "Програмата ти не може да се провери, докато има грешка.";
        break;
      }
      check_ = std::make_unique<Check>(program_, kTasks[static_cast<size_t>(task_)]);
      verdict_ = check_->Progress();
      break;
    case Command::kShowSteps: {
      const int count = *check_->FirstWrong();
      typed_count_ = words::Number(count);
      typed_own_ = true;
      trace_ = std::make_unique<language::Trace>(program_, static_cast<int16_t>(count));
      lesson_rows_ = LessonRows(count);
      lesson_work_ = LessonWork(count);
      const int row = check_->FirstWrongRow();
      const int step = row >= 0 ? trace_->StepOfRow(row) : -1;
      trace_->GoTo(step >= 0 ? step : trace_->Count() - 1);
      break;
    }
  }
  ++sayings_;
  Changed();
}

bool Write::Enabled(Command command) const {
  switch (command) {
    case Command::kRun:
      return Count().has_value() && !Checking();
    case Command::kStep:
      return Count().has_value() && !Checking() &&
             (!trace_ || trace_->Current() + 1 < trace_->Count());
    case Command::kBack:
      return trace_ && trace_->Current() > 0;
    case Command::kRestart:
      return trace_ && trace_->Current() >= 0;
    case Command::kCheck:
      return true;
    case Command::kShowSteps:
      return check_ && check_->Done() && check_->FirstWrong().has_value() && program_;
  }
  return false;
}

const char* Write::Name(Command command) const {
  if (command == Command::kCheck && Checking()) return kStopCheck;
  return kCommandNames[static_cast<size_t>(command)];
}

std::optional<language::Place> Write::Marked() const {
  if (error_) return error_->place;
  if (trace_ && trace_->Current() >= 0) return trace_->Where();
  return std::nullopt;
}

bool Write::MarksError() const {
  return error_.has_value() || (trace_ && trace_->AtError());
}

std::string Write::Message() const {
  if (!said_.empty()) return said_;
  if (error_) return error_->text;
  if (!trace_)
    return "Напиши програмата си в полето „Програмата ти“ и натисни „Пусни“ или „Стъпка“.";
  if (trace_->Count() == 0) return "Програмата ти няма нито една команда: напиши поне една.";
  if (trace_->Current() < 0) return "В началото: още няма нито една стъпка.";
  std::string message = trace_->Sentence();
  if (trace_->Current() + 1 == trace_->Count() && !trace_->AtError()) {
    const language::Outcome& outcome = trace_->Result();
    message += outcome.rows.empty() && outcome.output.empty()
                   ? " Програмата свърши, без да запише ред и без да покаже нещо."
                   : " Програмата свърши.";
  }
  return message;
}

std::string Write::MessageSaid() const {
  return language::words::Spoken(Message());
}

std::string Write::VerdictSaid() const {
  return language::words::Spoken(Verdict());
}

std::string Write::Counter() const {
  if (!trace_ || trace_->Current() < 0) return "";
  return "стъпка " + words::Grouped(trace_->Current() + 1) + " от " +
         words::Grouped(trace_->Count());
}

std::vector<language::Trace::Shown> Write::Values() const {
  return trace_ ? trace_->Variables() : std::vector<language::Trace::Shown>{};
}

std::vector<std::string> Write::Output() const {
  if (!trace_) return {};
  const auto& output = trace_->Result().output;
  return {output.begin(), output.begin() + trace_->Lines()};
}

std::vector<ShownRow> Write::YourRows() const {
  std::vector<ShownRow> shown;
  if (!trace_) return shown;
  const auto& rows = trace_->Result().rows;
  const std::vector<language::Row> so_far(rows.begin(), rows.begin() + trace_->Rows());
  const bool over = trace_->Current() + 1 == trace_->Count() && !trace_->AtError();
  const std::vector<Mark> marks =
      over ? Marks(kTasks[static_cast<size_t>(task_)].kind, trace_->Letters(), so_far)
           : std::vector<Mark>(so_far.size(), Mark::kNone);
  for (size_t at = 0; at < so_far.size(); ++at) {
    const language::Row& row = so_far[at];
    shown.push_back({{words::Number(row.across), words::Number(row.down), words::Number(row.frame)},
                     marks[at]});
  }
  return shown;
}

std::vector<ShownRow> Write::LessonRowsShown() const {
  std::vector<ShownRow> shown;
  if (!trace_) return shown;
  for (const language::Row& row : lesson_rows_)
    shown.push_back(
        {{words::Number(row.across), words::Number(row.down), words::Number(row.frame)}});
  return shown;
}

std::string Write::Work() const {
  if (!trace_ || trace_->Count() == 0 || trace_->Current() + 1 != trace_->Count() ||
      trace_->Result().error)
    return "";
  return "Твоята програма: " + WorkText(trace_->Result().work) +
         ". Програмата от урока: " + WorkText(lesson_work_) + ".";
}

void Write::CheckSome() {
  if (!Checking()) return;
  check_->Continue(kCheckSlice);
  if (!check_->Done()) {
    verdict_ = check_->Progress();
    Changed();
    return;
  }
  FinishCheck();
}

void Write::FinishCheck() {
  verdict_ = check_->Verdict();
  if (check_->Right()) {
    if (language::SameProgram(Text(), LessonText())) {
      verdict_ += " Това е програмата от урока. Промени я или напиши своя.";
    } else if (language::SameProgram(Text(), kEverySideText)) {
      verdict_ += " Това е програмата „всяка страна“. Промени я или напиши своя.";
    } else {
      stars_[static_cast<size_t>(task_)] = true;
      verdict_ += " Получаваш звезда ★.";
    }
  }
  ++sayings_;
  Changed();
}

void Write::Say(std::string text) {
  said_ = std::move(text);
  ++sayings_;
  Changed();
}

void Write::Forget() {
  trace_.reset();
  error_.reset();
  program_.reset();
  check_.reset();
  verdict_.clear();
  said_.clear();
}

void Write::Changed() {
  if (observer_ != nullptr) observer_->WriteChanged();
}

}  // namespace lessons::write
