#pragma once

#include "program/program.h"
#include "windows/view.h"

namespace windows {

// The program in its Windows window. Start() raises Form_Load and then shows the window.
struct Program : program::Program<FormWindow> {
  void Start(int show) {
    form.Load();
    ShowWindow(view.Handle(), show);
    UpdateWindow(view.Handle());
  }
};

}  // namespace windows
