// Arbitrary bytes as a user's input: typed and pasted into the mantra box and the count box,
// also as UTF-8 the way the page hands text over, and put into the count box by code, each
// followed by a click on "Изчисли" and on the rows it listed, and the bytes again as keys on the
// steps page, and last as what a pupil types into the practice's boxes and the buttons pressed.
// Nothing but a run-time error 5 or 6 may come out of a click, what the window, the steps page and
// the practice show afterwards must hang together, and the UTF-8 decoding must read its own
// encoding back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lessons/chart.h"
#include "lessons/picture.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
#include "runtime/text.h"
#include "window/events.h"
#include "window/model.h"

namespace {

struct Checker : window::FormObserver {
  void ErrorReported(const runtime::RuntimeError& error) override {
    if (error.number() != 5 && error.number() != 6) std::abort();
  }
};

// Bytes below 0xF0 are characters of their own (control characters, ASCII, Latin-1); a byte
// from 0xF0 up takes the next two bytes with it to make any character up to U+FFFFF, or a
// value beyond Unicode.
runtime::String Characters(const uint8_t* data, size_t size) {
  runtime::String text;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] < 0xF0 || i + 2 >= size) {
      text += static_cast<char32_t>(data[i]);
    } else {
      text += static_cast<char32_t>((data[i] & 0x0F) << 16 | data[i + 1] << 8 | data[i + 2]);
      i += 2;
    }
  }
  return text;
}

// Walks the steps of the last run with the bytes as keys, and reads what each step shows.
void WalkSteps(lessons::steps::Walkthrough& steps, const window::Form& form, const uint8_t* data,
               size_t size) {
  if (!steps.HasRun() || steps.Count() < 1) std::abort();
  for (size_t i = 0; i <= std::min<size_t>(size, 64); ++i) {
    if (i > 0) steps.Press(static_cast<lessons::steps::Key>(data[i - 1] % 7));
    const int line = steps.Line();
    if (line < 1 || line > static_cast<int>(lessons::steps::ProgramLines().size())) std::abort();
    if (steps.Sentence().empty() || steps.Values().size() != 9) std::abort();
    const lessons::steps::Rows rows = steps.RowsSoFar();
    for (const auto& column : rows.columns) {
      if (column.size() > static_cast<size_t>(form.List1[0].ListCount())) std::abort();
    }
    if (rows.marked >= static_cast<int>(rows.columns[2].size())) std::abort();
    if (const auto rectangle = steps.Rectangle()) lessons::picture::Paint(*rectangle, 97, 61);
  }
  steps.SetPlaying(false);
}

// The bytes as a pupil's practice: pieces of them typed into the boxes, the arrows, and the
// buttons pressed. A check always says something, the boxes keep what was typed while they are in
// use, the score stays within 10, and the drawing and the chart paint at any size, the chart with
// its words where it has room for them.
void Practise(const uint8_t* data, size_t size) {
  namespace practice = lessons::practice;
  practice::Practice pupil(size);
  pupil.ChooseLevel(size > 0 ? data[0] % 5 : 0);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (size_t i = 1; i + 1 < std::min<size_t>(size, 256); i += 2) {
    const auto box = static_cast<practice::Box>(data[i] % 3);
    const std::string typed(bytes.substr(i + 1, data[i] % 7));
    switch (data[i + 1] % 4) {
      case 0:
        pupil.Type(box, typed);
        if (pupil.SidesEnabled() && pupil.Typed(box) != typed) std::abort();
        break;
      case 1:
        pupil.Step(box, data[i] % 2 == 0 ? 1 : -1);
        break;
      default: {
        const auto button = static_cast<practice::Button>(data[i] % 5);
        const int checks = pupil.Checks();
        const bool checking = button == practice::Button::kCheck && pupil.Enabled(button);
        pupil.Press(button);
        if (checking && (pupil.Checks() != checks + 1 || pupil.Verdict().empty())) std::abort();
        break;
      }
    }
    if (pupil.Points() > 10) std::abort();
    lessons::picture::Paint(pupil.Drawing(), 1 + data[i] % 300, 1 + data[i + 1] % 300);
    if (const auto chart = pupil.Chart()) {
      lessons::chart::Paint(*chart, 40 + data[i] % 200, 40 + data[i + 1] % 150);
      const auto scene =
          lessons::chart::Paint(*chart, 200 + data[i] % 600, 150 + data[i + 1] % 400);
      if (chart->Description().empty() || scene.texts.size() < 3) std::abort();
    }
  }
}

void ClickThrough(window::Form& form) {
  form.UserClick(0);
  const int rows = form.List1[0].ListCount();
  if (form.List1[1].ListCount() > rows || form.List1[2].ListCount() > rows) std::abort();
  form.UserSelect(2, form.List1[2].ListCount() - 1);
  form.UserSelect(0, 0);
  if (form.List1[2].ListCount() == rows && rows > 0) {
    for (const auto& list : form.List1) {
      if (list.ListIndex() != 0) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  window::Form form;
  window::EventProcedures procedures(form);
  lessons::steps::Walkthrough steps(form);
  procedures.Watch(&steps);
  Checker checker;
  form.SetEvents(&procedures);
  form.SetObserver(&checker);
  form.Load();
  const runtime::String text = Characters(data, size);

  form.UserChoose(0);
  form.UserType(0, text);
  if (form.Text2[0].Text().size() > 100) std::abort();
  ClickThrough(form);
  form.UserEdit(0, text);  // a paste over the whole box
  ClickThrough(form);
  const runtime::String decoded =
      runtime::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  if (runtime::FromUtf8(runtime::ToUtf8(decoded)) != decoded) std::abort();
  form.UserEdit(0, decoded);  // the same paste from the page
  ClickThrough(form);
  WalkSteps(steps, form, data, size);

  form.UserChoose(1);
  form.UserType(1, text);
  if (form.Text2[1].Text().size() > 4) std::abort();
  ClickThrough(form);
  form.Text2[1].SetText(text);
  ClickThrough(form);
  WalkSteps(steps, form, data, size);
  form.UserClick(1);
  if (steps.HasRun()) std::abort();
  Practise(data, size);
  return 0;
}
