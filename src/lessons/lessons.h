#pragma once

#include <cstdint>
#include <string>

#include "lessons/change.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
#include "lessons/write.h"
#include "window/model.h"

// What the program teaches beyond the window, together: the steps of its runs, which follow the
// window through the search's observer, the practice, and the program changed by the pupil.
namespace lessons {

// The lessons' window's title while a page is shown (0 the picture, 1 the steps, 2 the practice, 3
// the program changed): the page's name as the menu says it, "Картина на реда"; or the lessons'
// own name, "Уроци", for no page.
std::string PageTitle(int page);

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
