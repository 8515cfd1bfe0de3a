#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lessons/chart.h"
#include "lessons/variants.h"

// "Колко работа": the divisions each program makes for N from 1 to 1000, as lines over N on a
// logarithmic axis, the chosen N marked; the program as written, the changed program where its
// work differs, and the two others. Decided here as a scene once for every toolkit, with a
// sentence under it and a text alternative for screen readers.
namespace lessons::change {

inline constexpr const char* kWorkLabel = "Колко работа";
inline constexpr int kWorkLast = 1000;  // the last N the chart shows

// The programs the chart draws, in the order of its legend.
enum class Program { kAsWritten, kChanged, kEverySide, kFormula };
inline constexpr std::array<chart::Rgb, 4> kProgramColours = {
    {{0x1F, 0x4E, 0xA0}, {0xC0, 0x20, 0x20}, {0x20, 0x80, 0x20}, {0x90, 0x68, 0x00}}};

// The divisions each program makes for each N of the chart, counted once for a set of switches.
using WorkSeries = std::array<std::vector<int64_t>, 4>;
std::shared_ptr<const WorkSeries> SeriesFor(const Switches& switches);

class WorkChart {
 public:
  // For N, or for no N at all (0): the lines alone, nothing marked; with the series counted for
  // the switches, or counted here.
  WorkChart(int count, const Switches& switches, std::shared_ptr<const WorkSeries> series = {})
      : count_(count),
        switches_(switches),
        series_(series != nullptr ? std::move(series) : SeriesFor(switches)) {}

  int Count() const { return count_; }
  // Whether N is on the chart, and marked.
  bool Marks() const { return count_ >= 1 && count_ <= kWorkLast; }
  // Whether the chart draws a program: the changed one only where its work differs from the
  // program as written.
  bool Shows(Program program) const;
  // The divisions a program makes for N.
  int64_t Divisions(Program program, int count) const;
  // The power of ten at the top of the axis: 10 000 at least, more where a line reaches it.
  int64_t Top() const;

  // What the chart shows, in sentences under it: its axis of divisions, and the work of the
  // program as written with the numbers of N's own stretch between two perfect squares.
  std::string Sentence() const;
  // The same for a screen reader, with each line's divisions at some N.
  std::string Description() const;

 private:
  int count_;
  Switches switches_;
  std::shared_ptr<const WorkSeries> series_;
};

// The name of a program in the legend.
const char* NameOf(Program program);

chart::Scene Paint(const WorkChart& chart, int width, int height);

}  // namespace lessons::change
