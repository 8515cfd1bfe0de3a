#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lessons/variants.h"
#include "lessons/why.h"
#include "lessons/work_chart.h"

// "Промени програмата": the pupil switches parts of the search off and sees, for one N, what each
// program lists, whether it finds the least frame and how many divisions it makes, the work of
// each for N from 1 to 1000, and hunts for an N where the changed program goes wrong, or reads why
// it cannot. Decided here once for every toolkit; a view lays it out and passes on what the pupil
// does.
namespace lessons::change {

inline constexpr const char* kTab = "Промени програмата";
// The switches, beside the lines of the program they change, ticked for the program as written.
inline constexpr std::array<const char*, kParts> kPartNames = {
    "делителите i до RootSide", "и по-големите площи до SquareSide²", "затварящият квадрат",
    "само по-малка рамка (P < BestFrame)"};
// The line of the program, numbered from 1, beside which each switch stands.
inline constexpr std::array<int, kParts> kPartLines = {11, 7, 8, 14};
inline constexpr const char* kProgramLabel = "Програмата";
inline constexpr const char* kCountLabel = "N";
inline constexpr const char* kTableLabel = "Програмите за N";
inline constexpr std::array<const char*, 4> kTableHeadings = {"програма", "редове", "отговор",
                                                              "деления"};
inline constexpr std::array<const char*, 4> kProgramNames = {
    "както е написана", "променената", "всяка страна a от 1 до N", "формулата"};
// The two other programs, each in its few lines.
inline constexpr const char* kOthersLabel = "Другите две програми";
inline constexpr std::array<const char*, 5> kEverySideLines = {
    "запомни лентата: a ← 1, b ← N, P ← 2N + 6",
    "за a от 2 до N:", "    b ← N : a, закръглено нагоре", "    P ← 2a + 2b + 4",
    "    ако P е по-малко от запомненото: запомни a, b, P"};
inline constexpr std::array<const char*, 3> kFormulaLines = {
    "a ← √N, закръглено нагоре", "b ← N : a, закръглено нагоре", "P ← 2a + 2b + 4"};
// The heading of the part under the table: a hunt where the changed program goes wrong, else a
// try of the change.
inline constexpr const char* kHuntLabel = "Намери грешката";
inline constexpr const char* kTryLabel = "Изпробвай промяната";
inline constexpr const char* kGuessLabel = "Твоето N";
enum class Button { kCheck, kSmallest, kWhy };
inline constexpr std::array<const char*, 3> kButtonNames = {"Провери", "Покажи най-малкото",
                                                            "Защо?"};
// The hunt's box takes a try at a time; after this many, the smallest wrong N may be shown.
inline constexpr int kTriesBeforeSmallest = 3;

// The words for a line a switch changed, and for one it left out.
inline constexpr const char* kChangedMark = "променен";
inline constexpr const char* kRemovedMark = "махнат";

// A line of the program as the page shows it: as written, changed, or left out.
struct Line {
  int number;        // from 1
  std::string text;  // what the line says now
  bool changed;      // its text changed by a switch
  bool removed;      // left out by a switch
  std::string said;  // the line for a screen reader, with what the switches did to it
  const char* Mark() const { return removed ? kRemovedMark : changed ? kChangedMark : ""; }
};

// The legend under the program: a name of the program with its meaning.
inline constexpr const char* kLegendLabel = "Имената в програмата";
struct Term {
  const char* name;
  std::string meaning;
};

// A row of the table: one program's run for N, in words.
struct TableRow {
  std::string program;
  std::string rows;    // a long run as its first rows and its last, and how many
  std::string answer;  // "38 – вярно", or "16 – грешно: най-малката е 14"
  std::string divisions;
  bool wrong;
};

// Whoever shows the page: told after each change.
class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  virtual void ChangeChanged() = 0;
};

class Change {
 public:
  Change();

  void SetObserver(ChangeObserver* observer) { observer_ = observer; }

  // The page opened: N starts with the main window's count where that is one the programs take,
  // else 70, until the pupil types one of their own.
  void Open(const std::string& window_count);

  // The switches.
  bool On(Part part) const { return switches_[part]; }
  void Set(Part part, bool on);
  const Switches& Parts() const { return switches_; }
  // The program's lines with the switches applied, numbered as the steps page numbers them.
  std::vector<Line> Lines() const;

  // The names the program uses, each with its meaning, √N with the numbers of N.
  std::vector<Term> Legend() const;

  // N, as typed into its box and kept so. The page speaks of N only while the box holds one of
  // the counts the programs take.
  const std::string& Typed() const { return typed_; }
  void Type(std::string text);
  void Step(int by);
  // N, or 0 while the box holds no N.
  int Count() const { return counted_ ? count_ : 0; }
  // What the box takes, while it holds what cannot be read; else empty.
  std::string CountNote() const;

  // A row for each program, its cells empty while the box holds no N.
  std::vector<TableRow> Table() const;
  // The table for a screen reader, a sentence for each program.
  std::string TableSaid() const;

  // The work of the programs for N from 1 to 1000, N marked.
  WorkChart Chart() const { return WorkChart(Count(), switches_, series_); }

  // The part under the table: its heading, a hunt for an N where the changed program goes wrong,
  // or a try of the change; what it asks, whether its box and "Провери" are in use, and what it
  // last said.
  const char* HuntHeading() const { return Hunting() ? kHuntLabel : kTryLabel; }
  std::string HuntTask() const;
  bool Hunting() const { return !switches_.AsWritten() && !RightForEveryCount(switches_); }
  const std::string& Guess() const { return guess_; }
  void TypeGuess(std::string text);
  bool Enabled(Button button) const;
  void Press(Button button);
  const std::string& Said() const { return said_; }
  // Counts what the hunt has said, so that a view knows when it is new, to be read out.
  int Sayings() const { return sayings_; }

 private:
  void Update();
  void Notify() const;
  void Say(std::string text);
  void Check();
  std::string Wrong(int count, const Run& changed) const;
  std::string Why() const;

  ChangeObserver* observer_ = nullptr;
  Switches switches_;
  std::string typed_ = "70";
  int count_ = 70;           // the last N the box held, which the programs ran for
  bool counted_ = true;      // the box holds it now
  bool typed_own_ = false;   // the pupil typed N
  bool said_why_ = false;    // what the page last said is why, for N
  std::array<Run, 4> runs_;  // for N: as written, changed, every side, the formula
  std::shared_ptr<const WorkSeries> series_ = SeriesFor(switches_);  // their work, N to 1000
  std::string guess_;
  int tries_ = 0;
  std::string said_;
  int sayings_ = 0;
};

}  // namespace lessons::change
