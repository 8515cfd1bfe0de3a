#pragma once

#include "window/events.h"
#include "window/model.h"
#include "windows/view.h"

namespace windows {

// The whole program: the form, the event procedures that give it its behaviour, and the window
// that shows it. Start() raises Form_Load and then shows the window.
struct Program {
  window::Form form;
  window::EventProcedures procedures{form};
  FormWindow view{form};

  Program() { form.SetEvents(&procedures); }

  void Start(int show) {
    form.Load();
    ShowWindow(view.Handle(), show);
    UpdateWindow(view.Handle());
  }
};

}  // namespace windows
