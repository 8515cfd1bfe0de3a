#pragma once

#include <cstdint>

#include "search/steps.h"
#include "window/model.h"

namespace window {

// Whoever follows the window's runs from beyond it (the lessons): told each step of a run, as the
// search's observer, and when the lists are emptied or a row is chosen in them.
class RunWatcher : public search::StepObserver {
 public:
  virtual void ListsCleared() = 0;
  virtual void RowChosen(int row) = 0;
};

// The program's behaviour outside the frame search: the start-up state, the two buttons, the
// choice between a mantra and a count, and the three result lists that select together.
class EventProcedures final : public FormEvents {
 public:
  explicit EventProcedures(Form& form) : form_(form) {}

  // Who is told the steps of each run, each clearing of the lists and each row chosen in them;
  // none by default.
  void Watch(RunWatcher* watcher) { watcher_ = watcher; }

  void Form_Load() override;
  void Command1_Click(int16_t index) override;
  void Option1_Click(int16_t index) override;
  void List1_Click(int16_t index) override;

  // Empties both input boxes and the three lists; the mode and the enabled flags stay.
  void ClearAll();

 private:
  Form& form_;
  RunWatcher* watcher_ = nullptr;
};

}  // namespace window
