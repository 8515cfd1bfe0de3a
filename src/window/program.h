#pragma once

#include "window/events.h"
#include "window/model.h"
#include "window/view.h"

namespace window {

// The whole program: the form, the event procedures that give it its behaviour, and the window
// that shows it. Start() raises Form_Load and then shows the window.
struct Program {
  Form form;
  EventProcedures procedures{form};
  FormView view{form};

  Program() { form.SetEvents(&procedures); }

  void Start() {
    form.Load();
    view.show();
  }
};

}  // namespace window
