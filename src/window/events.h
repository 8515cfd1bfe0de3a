#pragma once

#include <cstdint>

#include "window/model.h"
#include "window/steps.h"

namespace window {

// The program's behaviour outside the frame search: the start-up state, the two buttons, the
// choice between a mantra and a count, and the three result lists that select together.
class EventProcedures final : public FormEvents {
 public:
  explicit EventProcedures(Form& form) : form_(form) {}

  // Who is told the steps of each run and of each clearing of the lists; none by default.
  void Watch(steps::Walkthrough* steps) { steps_ = steps; }

  void Form_Load() override;
  void Command1_Click(int16_t index) override;
  void Option1_Click(int16_t index) override;
  void List1_Click(int16_t index) override;

  // Empties both input boxes and the three lists; the mode and the enabled flags stay.
  void ClearAll();

 private:
  Form& form_;
  steps::Walkthrough* steps_ = nullptr;
};

}  // namespace window
