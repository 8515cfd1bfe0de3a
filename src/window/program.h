#pragma once

#include "window/events.h"
#include "window/model.h"

namespace window {

// The whole program on any toolkit: the form, the event procedures that give it its behaviour,
// and the view that shows it, made from the form and told by it of every change.
template <typename View>
struct Program {
  Form form;
  EventProcedures procedures{form};
  View view{form};

  Program() { form.SetEvents(&procedures); }
};

}  // namespace window
