#pragma once

#include <cstdint>

#include "window/model.h"

namespace window {

// The program's behaviour outside the frame search: the start-up state, the two buttons, the
// choice between a mantra and a count, and the three result lists that select together.
class EventProcedures final : public FormEvents {
 public:
  explicit EventProcedures(Form& form) : form_(form) {}

  void Form_Load() override;
  void Command1_Click(int16_t index) override;
  void Option1_Click(int16_t index) override;
  void List1_Click(int16_t index) override;

  // Empties both input boxes and the three lists; the mode and the enabled flags stay.
  void ClearAll();

 private:
  Form& form_;
};

}  // namespace window
