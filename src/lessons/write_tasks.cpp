#include "lessons/write_tasks.h"

#include <algorithm>
#include <variant>

#include "lessons/steps.h"
#include "lessons/tasks.h"
#include "lessons/words.h"

namespace lessons::write {

namespace {

using language::Row;
using words::Fill;
using words::Number;

std::string RowText(const Row& row) {
  return Number(row.across) + ", " + Number(row.down) + ", " + Number(row.frame);
}

// "първият", "вторият" … for the rows a pupil counts; "редът с номер 12" beyond ten.
std::string Ordinal(int index) {
  static constexpr std::array<const char*, 10> kOrdinals = {
      "първият", "вторият", "третият", "четвъртият", "петият",
      "шестият", "седмият", "осмият",  "деветият",   "десетият"};
  if (index < static_cast<int>(kOrdinals.size())) return kOrdinals[static_cast<size_t>(index)];
  return "редът с номер " + Number(index + 1);
}

std::string Rows(int64_t count) {
  return words::Counted(count, "ред", "реда");
}

std::string Wrong(int count) {
  return "Грешно за N = " + Number(count) + ": ";
}

const std::shared_ptr<const language::Program>& LessonProgram() {
  static const auto program = std::make_shared<const language::Program>(
      std::get<language::Program>(language::Parse(LessonText())));
  return program;
}

// Whether the last row is a rectangle that holds the letters with the least frame; where it is
// not, what is wrong with it.
Judged JudgeLast(int count, const std::vector<Row>& rows) {
  const Row least = LessonRows(count).back();
  const std::string example = Fill("{0} (например {1})", {Number(least.frame), RowText(least)});
  if (rows.empty())
    return {false,
            Wrong(count) +
                "програмата ти не записа нито един ред, а последният ред трябва да е "
                "правоъгълник с най-малката рамка, " +
                example + ".",
            0};
  const Row& last = rows.back();
  const int index = static_cast<int>(rows.size()) - 1;
  const std::string yours = Wrong(count) + "последният ти ред е " + RowText(last);
  if (last.across < 1 || last.down < 1)
    return {false, yours + ", а страните на правоъгълника са поне 1.", index};
  if (int64_t{last.across} * last.down < count)
    return {false,
            yours + Fill(", а в {0} × {1} = {2} не се побират {3}.",
                         {Number(last.across), Number(last.down),
                          words::Counted(int64_t{last.across} * last.down, words::kSquares),
                          words::Counted(count, words::kLetters)}),
            index};
  const int64_t frame = practice::FrameOf(last.across, last.down);
  if (last.frame != frame)
    return {false,
            yours + Fill(", а рамката на {0} × {1} е 2 × {0} + 2 × {1} + 4 = {2}.",
                         {Number(last.across), Number(last.down), Number(frame)}),
            index};
  if (frame != least.frame)
    return {false, yours + ", а най-малката рамка е " + example + ".", index};
  return {};
}

}  // namespace

int CheckedCount(int index) {
  return index < 1000 ? index + 1 : index == 1000 ? 16130 : 16380;
}

const std::string& LessonText() {
  static const std::string text = [] {
    std::string joined;
    for (const std::string& line : steps::ProgramLines())
      joined += line + "\n";
    return joined;
  }();
  return text;
}

std::vector<Row> LessonRows(int count) {
  std::vector<Row> rows;
  for (const practice::Row& row : practice::OwnRows(count))
    rows.push_back({static_cast<int16_t>(row.across), static_cast<int16_t>(row.down),
                    static_cast<int16_t>(row.frame)});
  return rows;
}

language::Work LessonWork(int count) {
  return language::Run(*LessonProgram(), static_cast<int16_t>(count)).work;
}

Judged Judge(TaskKind kind, int count, const std::vector<Row>& rows) {
  switch (kind) {
    case TaskKind::kStrip: {
      const Row strip{1, static_cast<int16_t>(count), static_cast<int16_t>(2 * count + 6)};
      if (rows.size() == 1 && rows[0] == strip) return {};
      if (rows.empty())
        return {false,
                Wrong(count) + "програмата ти не записа нито един ред, а трябва точно един: " +
                    RowText(strip) + ".",
                0};
      if (rows.size() > 1)
        return {false,
                Wrong(count) + "записа " + Rows(static_cast<int64_t>(rows.size())) +
                    ", а трябва точно един: " + RowText(strip) + ".",
                1};
      return {false,
              Wrong(count) + "редът ти е " + RowText(rows[0]) + ", а трябва да е " +
                  RowText(strip) + ".",
              0};
    }
    case TaskKind::kLeast:
    case TaskKind::kLessWork:
      return JudgeLast(count, rows);
    case TaskKind::kSameRows: {
      const std::vector<Row> lesson = LessonRows(count);
      const size_t common = std::min(rows.size(), lesson.size());
      for (size_t at = 0; at < common; ++at) {
        if (rows[at] != lesson[at])
          return {false,
                  Wrong(count) + Ordinal(static_cast<int>(at)) + " ред трябва да е " +
                      RowText(lesson[at]) + ", а твоят е " + RowText(rows[at]) + ".",
                  static_cast<int>(at)};
      }
      if (rows.size() < lesson.size())
        return {false,
                Wrong(count) + "записа " + Rows(static_cast<int64_t>(rows.size())) +
                    ", а програмата от урока записва " +
                    Number(static_cast<int64_t>(lesson.size())) + "; " +
                    Ordinal(static_cast<int>(common)) + " е " + RowText(lesson[common]) + ".",
                static_cast<int>(common)};
      if (rows.size() > lesson.size())
        return {false,
                Wrong(count) + "записа " + Rows(static_cast<int64_t>(rows.size())) +
                    ", а програмата от урока записва " +
                    Number(static_cast<int64_t>(lesson.size())) + "; " +
                    Ordinal(static_cast<int>(common)) + " ти ред, " + RowText(rows[common]) +
                    ", е в повече.",
                static_cast<int>(common)};
      return {};
    }
  }
  return {};
}

std::vector<Mark> Marks(TaskKind kind, int count, const std::vector<Row>& rows) {
  std::vector<Mark> marks(rows.size(), Mark::kNone);
  if (rows.empty()) return marks;
  if (kind == TaskKind::kSameRows) {
    const std::vector<Row> lesson = LessonRows(count);
    for (size_t at = 0; at < rows.size(); ++at)
      marks[at] = at < lesson.size() && rows[at] == lesson[at] ? Mark::kRight : Mark::kWrong;
    return marks;
  }
  marks.back() = Judge(kind, count, rows).right ? Mark::kRight : Mark::kWrong;
  return marks;
}

Check::Check(std::shared_ptr<const language::Program> program, const Task& task)
    : program_(std::move(program)), task_(task) {}

void Check::Continue(int64_t steps) {
  const int64_t until = yours_.steps + steps;
  while (!done_ && yours_.steps < until) {
    const int count = CheckedCount(checked_);
    const language::Outcome run = language::Run(*program_, static_cast<int16_t>(count));
    yours_.steps += run.work.steps;
    yours_.mods += run.work.mods;
    yours_.divs += run.work.divs;
    const language::Work lesson = LessonWork(count);
    lesson_.steps += lesson.steps;
    lesson_.mods += lesson.mods;
    lesson_.divs += lesson.divs;
    ++checked_;
    if (run.error) {
      stopped_ = true;
      done_ = true;
      first_wrong_ = count;
      first_row_ = -1;
      if (run.error->kind == language::Error::Kind::kLimit &&
          run.error->text.rfind("Програмата ти направи", 0) == 0) {
        first_said_ = "При N = " + Number(count) + " програмата ти направи " +
                      words::Grouped(run.work.steps) +
                      " стъпки. Може би е вярна, но прави твърде много работа, или някой цикъл "
                      "не спира.";
      } else {
        first_said_ = "При N = " + Number(count) + " програмата ти спря. " + run.error->text;
      }
      break;
    }
    const Judged judged = Judge(task_.kind, count, run.rows);
    if (!judged.right) {
      if (!first_wrong_) {
        first_wrong_ = count;
        first_row_ = judged.row;
        first_said_ = judged.said;
      }
      ++wrong_;
    }
    if (checked_ == kCheckedCounts) done_ = true;
  }
  if (done_ && !stopped_ && task_.kind == TaskKind::kLessWork)
    enough_ = yours_.steps * 10 <= lesson_.steps;
}

std::string Check::Progress() const {
  return "Проверени " + Number(checked_) + " от " + Number(kCheckedCounts);
}

std::string WorkText(const language::Work& work) {
  const auto counted = [](int64_t count, const char* one, const char* many) {
    return words::Grouped(count) + " " + (count == 1 ? one : many);
  };
  return counted(work.Divisions(), "деление", "деления") + ", " +
         counted(work.steps, "стъпка", "стъпки");
}

std::string Check::Verdict() const {
  if (!done_) return Progress();
  if (stopped_) return first_said_;
  if (wrong_ > 0)
    return words::Fill("{0} Грешно за {1} от {2} проверени N.",
                       {first_said_, Number(wrong_), Number(checked_)});
  const std::string work = words::Fill(" Твоята програма: {0}. Програмата от урока: {1}.",
                                       {WorkText(yours_), WorkText(lesson_)});
  const char* right = "Вярно за всяко N от 1 до 1000 и за 16130 и 16380.";
  if (task_.kind != TaskKind::kLessWork) return right + work;
  // How many times fewer steps: whole from 10 up, else to a tenth.
  const double times =
      static_cast<double>(lesson_.steps) / static_cast<double>(std::max<int64_t>(yours_.steps, 1));
  if (enough_)
    return right + work + " " + words::Grouped(static_cast<int64_t>(times)) +
           " пъти по-малко стъпки.";
  return words::Fill(
      "Намира най-малката рамка за всяко N от 1 до 1000 и за 16130 и 16380, но с твърде много "
      "работа.{0} {1}, а трябва поне 10 пъти по-малко: най-много {2}.",
      {work,
       times > 1 ? words::Fill("Това е само {0} пъти по-малко стъпки", {words::Decimal(times, 1)})
                 : std::string("Програмата ти прави повече стъпки от програмата от урока"),
       words::Grouped(lesson_.steps / 10)});
}

}  // namespace lessons::write
