#pragma once

#include "desktop/view.h"
#include "window/events.h"
#include "window/model.h"

namespace desktop {

// The whole program: the form, the event procedures that give it its behaviour, and the window
// that shows it. Start() raises Form_Load and then shows the window.
struct Program {
  window::Form form;
  window::EventProcedures procedures{form};
  FormView view{form};

  Program() { form.SetEvents(&procedures); }

  void Start() {
    form.Load();
    view.show();
  }
};

}  // namespace desktop
