#pragma once

#include <cstdint>

#include "lessons/change.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
#include "lessons/write.h"
#include "window/model.h"

// What the program teaches beyond the window, together: the steps of its runs, which follow the
// window through the search's observer, the practice, and the program changed by the pupil.
namespace lessons {

class Lessons {
 public:
  Lessons(window::Form& form, uint32_t seed) : steps(form), practice(seed), form_(form) {}

  steps::Walkthrough steps;
  practice::Practice practice;
  change::Change change;
  write::Write write;

  // The page that changes the program opened: its N starts with the window's count.
  void OpenChange();
  // The page that writes the program opened: its N starts with the window's count.
  void OpenWrite();

  // "Виж как го намира програмата": the task's count goes into the count box in count mode (its
  // proverb into the mantra box in mantra mode), "Изчисли" runs, and the row that decides it is
  // chosen in the lists, which brings the steps to the step that listed it. False, and nothing
  // done, while the task is not over.
  bool ShowInProgram();

 private:
  window::Form& form_;
};

}  // namespace lessons
