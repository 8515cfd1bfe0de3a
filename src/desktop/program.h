#pragma once

#include "desktop/view.h"
#include "program/program.h"

namespace desktop {

// The program in the Qt window. Start() raises Form_Load and then shows the window.
struct Program : program::Program<FormView> {
  void Start() {
    form.Load();
    view.show();
  }
};

}  // namespace desktop
