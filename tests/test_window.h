#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/number_text.h"
#include "window/events.h"
#include "window/model.h"

// The window as the program runs it, without a toolkit: the form, its event procedures, and an
// observer that records the errors reported at the top of an event.
struct TestWindow : window::FormObserver {
  window::Form form;
  window::EventProcedures procedures{form};
  std::vector<int> errors;

  TestWindow() {
    form.SetEvents(&procedures);
    form.SetObserver(this);
    form.Load();
  }

  void ErrorReported(const runtime::RuntimeError& error) override {
    errors.push_back(error.number());
  }

  // Puts `count` into the count box and clicks "Изчисли".
  void Calculate(const runtime::String& count) {
    form.Text2[1].SetText(count);
    form.UserClick(0);
  }

  using Columns = std::array<std::vector<runtime::String>, 3>;

  Columns Lists() const {
    return {form.List1[0].Items(), form.List1[1].Items(), form.List1[2].Items()};
  }
};

using Row = std::array<int64_t, 3>;

// The three lists as they show the given rows (abscissa side, ordinate side, frame size).
inline TestWindow::Columns Listed(std::initializer_list<Row> rows) {
  TestWindow::Columns columns;
  for (const Row& row : rows) {
    for (size_t i = 0; i < 3; ++i)
      columns[i].push_back(runtime::WholeText(row[i]));
  }
  return columns;
}

inline runtime::String Ascii(const std::string& text) {
  return {text.begin(), text.end()};
}
