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

// A count gone wrong: "Грешно за N = 5: " and what is wrong, at the pupil's row `row`.
Judged Wrong(int count, int row, std::string_view pattern,
             std::initializer_list<std::string_view> parts) {
  return {false, "Грешно за N = " + Number(count) + ": " + Fill(pattern, parts), row};
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
  const std::string frame = Number(least.frame);
  const std::string example = RowText(least);
  if (rows.empty())
    return Wrong(count, 0,
                 "програмата ти не записа нито един ред, а последният ред трябва да е "
                 "правоъгълник с най-малката рамка, {0} (например {1}).",
                 {frame, example});
  const Row& last = rows.back();
  const int index = static_cast<int>(rows.size()) - 1;
  const std::string yours = RowText(last);
  const std::string across = Number(last.across);
  const std::string down = Number(last.down);
  const int64_t area = int64_t{last.across} * last.down;
  const int64_t written = practice::FrameOf(last.across, last.down);
  if (last.across < 1 || last.down < 1)
    return Wrong(count, index, "последният ти ред е {0}, а страните на правоъгълника са поне 1.",
                 {yours});
  if (area < count)
    return Wrong(count, index, "последният ти ред е {0}, а в {1} × {2} = {3} не се побират {4}.",
                 {yours, across, down, words::Counted(area, words::kSquares),
                  words::Counted(count, words::kLetters)});
  if (last.frame != written)
    return Wrong(count, index,
                 "последният ти ред е {0}, а рамката на {1} × {2} е 2 × {1} + 2 × {2} + 4 = {3}.",
                 {yours, across, down, Number(written)});
  if (written != least.frame)
    return Wrong(count, index, "последният ти ред е {0}, а най-малката рамка е {1} (например {2}).",
                 {yours, frame, example});
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
  if (kind == TaskKind::kLeast || kind == TaskKind::kLessWork) return JudgeLast(count, rows);
  const std::vector<Row> expected =
      kind == TaskKind::kStrip
          ? std::vector<Row>{{1, static_cast<int16_t>(count), static_cast<int16_t>(2 * count + 6)}}
          : LessonRows(count);
  const size_t common = std::min(rows.size(), expected.size());
  const auto differs =
      std::mismatch(rows.begin(), rows.begin() + static_cast<ptrdiff_t>(common), expected.begin());
  const auto at = static_cast<size_t>(differs.first - rows.begin());
  const int row = static_cast<int>(at);
  if (kind == TaskKind::kStrip) {
    const std::string strip = RowText(expected[0]);
    if (rows.empty())
      return Wrong(count, 0, "програмата ти не записа нито един ред, а трябва точно един: {0}.",
                   {strip});
    if (rows.size() > 1)
      return Wrong(count, 1, "записа {0}, а трябва точно един: {1}.",
                   {Rows(static_cast<int64_t>(rows.size())), strip});
    if (at == 0)
      return Wrong(count, 0, "редът ти е {0}, а трябва да е {1}.", {RowText(rows[0]), strip});
    return {};
  }
  if (at < common)
    return Wrong(count, row, "{0} ред трябва да е {1}, а твоят е {2}.",
                 {Ordinal(row), RowText(expected[at]), RowText(rows[at])});
  const std::string written = Rows(static_cast<int64_t>(rows.size()));
  const std::string lesson = Number(static_cast<int64_t>(expected.size()));
  if (rows.size() < expected.size())
    return Wrong(count, row, "записа {0}, а програмата от урока записва {1}; {2} е {3}.",
                 {written, lesson, Ordinal(row), RowText(expected[at])});
  if (rows.size() > expected.size())
    return Wrong(count, row,
                 "записа {0}, а програмата от урока записва {1}; {2} ти ред, {3}, е в повече.",
                 {written, lesson, Ordinal(row), RowText(rows[at])});
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
