// The browser binding: the window's form, its event procedures and an observer that mirrors every
// change into the page, exported to the page's script as plain C functions. The page's script
// turns what a user does into the entries below, and shows what the form reports through the
// functions it hands to the module as `page`.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>
#include <string>

#include "lessons/picture.h"
#include "lessons/steps.h"
#include "runtime/text.h"
#include "web/layout_json.h"
#include "web/picture_svg.h"
#include "window/model.h"
#include "window/program.h"

namespace {

// What the page's script provides; each change of the form reaches it at once.
// clang-format off
EM_JS(void, PageTextChanged, (int box, const char* text), {
  Module.page.textChanged(box, UTF8ToString(text));
});
EM_JS(void, PageEnabledChanged, (int box, int enabled), {
  Module.page.enabledChanged(box, enabled !== 0);
});
EM_JS(void, PageValueChanged, (int option, int selected), {
  Module.page.valueChanged(option, selected !== 0);
});
EM_JS(void, PageListCleared, (int list), {
  Module.page.listCleared(list);
});
EM_JS(void, PageItemAdded, (int list, const char* item), {
  Module.page.itemAdded(list, UTF8ToString(item));
});
EM_JS(void, PageListIndexChanged, (int list, int row), {
  Module.page.listIndexChanged(list, row);
});
EM_JS(void, PageErrorReported, (const char* message), {
  Module.page.errorReported(UTF8ToString(message));
});
EM_JS(void, PageStepsChanged, (), {
  Module.page.stepsChanged();
});
// clang-format on

// Tells the page of every change of the form and of the steps.
class PageView final : public window::FormObserver, public lessons::steps::StepsObserver {
 public:
  PageView(window::Form& form, lessons::steps::Walkthrough& steps) : form_(form), steps_(steps) {
    form.SetObserver(this);
    steps.SetObserver(this);
  }
  ~PageView() override {
    form_.SetObserver(nullptr);
    steps_.SetObserver(nullptr);
  }
  PageView(const PageView&) = delete;
  PageView& operator=(const PageView&) = delete;

 private:
  void TextChanged(int box) override {
    PageTextChanged(box, runtime::ToUtf8(form_.Text2[box].Text()).c_str());
  }
  void EnabledChanged(int box) override { PageEnabledChanged(box, form_.Text2[box].Enabled()); }
  void ValueChanged(int option) override {
    PageValueChanged(option, form_.Option1[option].Value());
  }
  void ListCleared(int list) override { PageListCleared(list); }
  void ItemAdded(int list) override {
    PageItemAdded(list, runtime::ToUtf8(form_.List1[list].Items().back()).c_str());
  }
  void ListIndexChanged(int list) override {
    PageListIndexChanged(list, form_.List1[list].ListIndex());
  }
  void ErrorReported(const runtime::RuntimeError& error) override {
    PageErrorReported(error.Message().c_str());
  }
  void StepsChanged() override { PageStepsChanged(); }

  window::Form& form_;
  lessons::steps::Walkthrough& steps_;
};

// The whole program, as the desktop has it, with the page for its window.
using Program = window::Program<PageView>;

Program& TheProgram() {
  static Program program;
  return program;
}

// A text from the page; none reads as empty.
runtime::String FromPage(const char* utf8) {
  return utf8 != nullptr ? runtime::FromUtf8(utf8) : runtime::String();
}

// The picture that ramka_picture() drew last.
lessons::picture::Picture drawn_picture;

// The rectangle of the step that ramka_step() gave last.
std::optional<lessons::picture::Picture> step_rectangle;

lessons::steps::Walkthrough& Steps() {
  return TheProgram().steps;
}

// The step shown, as JSON for the page's script: its line, values, sentence, rows so far and the
// words of its rectangle, the counter, and the state of the controls.
std::string StepJson() {
  using web::JsonString;
  const lessons::steps::Walkthrough& steps = Steps();
  const auto flag = [](bool value) { return value ? "true" : "false"; };
  std::string json =
      "{\"run\":" + std::to_string(steps.RunNumber()) +
      ",\"line\":" + std::to_string(steps.Line()) + ",\"count\":" + std::to_string(steps.Count()) +
      ",\"sentence\":" + JsonString(steps.Sentence()) +
      ",\"announced\":" + flag(steps.Announced()) + ",\"counter\":" + JsonString(steps.Counter()) +
      ",\"mark\":" + JsonString(lessons::steps::kChanged) + ",\"values\":[";
  bool first = true;
  for (const lessons::steps::Value& value : steps.Values()) {
    json += std::string(first ? "" : ",") + "[" + JsonString(value.name) + "," +
            JsonString(value.text) + "," + flag(value.changed) + "," + JsonString(value.meaning) +
            "]";
    first = false;
  }
  const lessons::steps::Rows rows = steps.RowsSoFar();
  json += "],\"marked\":" + std::to_string(rows.marked) + ",\"rows\":[";
  for (size_t list = 0; list < 3; ++list) {
    json += std::string(list > 0 ? "," : "") + "[";
    for (size_t row = 0; row < rows.columns[list].size(); ++row)
      json += std::string(row > 0 ? "," : "") + JsonString(rows.columns[list][row]);
    json += "]";
  }
  step_rectangle = steps.Rectangle();
  json += "],\"rectangle\":" +
          JsonString(step_rectangle ? step_rectangle->Words() : lessons::steps::kNoRectangle) +
          ",\"playing\":" + flag(steps.Playing()) + ",\"play\":" + JsonString(steps.PlayName()) +
          ",\"tick\":" + std::to_string(steps.TickMilliseconds()) +
          ",\"speed\":" + std::to_string(steps.SpeedIndex()) + ",\"enabled\":[";
  for (size_t command = 0; command < lessons::steps::kCommandNames.size(); ++command) {
    json += std::string(command > 0 ? "," : "") +
            flag(steps.Enabled(static_cast<lessons::steps::Command>(command)));
  }
  json += "]}";
  return json;
}

bool IsIndex(int index, size_t count) {
  return index >= 0 && static_cast<size_t>(index) < count;
}

}  // namespace

extern "C" {

// Raises Form_Load; the page has bound its controls by then.
EMSCRIPTEN_KEEPALIVE void ramka_load() {
  TheProgram().form.Load();
}

// A user's edit of an input box: the box's whole text as the browser proposes it. Returns where
// the caret stands afterwards, in characters; ramka_text() then gives the text the form kept.
EMSCRIPTEN_KEEPALIVE int ramka_user_edit(int box, const char* proposed) {
  return TheProgram().form.UserEdit(box, FromPage(proposed));
}

EMSCRIPTEN_KEEPALIVE const char* ramka_text(int box) {
  static std::string text;
  const window::Form& form = TheProgram().form;
  text = IsIndex(box, form.Text2.size()) ? runtime::ToUtf8(form.Text2[box].Text()) : "";
  return text.c_str();
}

// An assignment by code, longer than the box's limit if need be (the benchmark's 16130).
EMSCRIPTEN_KEEPALIVE void ramka_set_text(int box, const char* text) {
  window::Form& form = TheProgram().form;
  if (IsIndex(box, form.Text2.size())) form.Text2[box].SetText(FromPage(text));
}

EMSCRIPTEN_KEEPALIVE void ramka_user_choose(int option) {
  TheProgram().form.UserChoose(option);
}

EMSCRIPTEN_KEEPALIVE int ramka_option_value(int option) {
  const window::Form& form = TheProgram().form;
  return IsIndex(option, form.Option1.size()) && form.Option1[option].Value();
}

EMSCRIPTEN_KEEPALIVE void ramka_user_click(int button) {
  TheProgram().form.UserClick(button);
}

EMSCRIPTEN_KEEPALIVE void ramka_user_select(int list, int row) {
  TheProgram().form.UserSelect(list, row);
}

EMSCRIPTEN_KEEPALIVE int ramka_list_index(int list) {
  const window::Form& form = TheProgram().form;
  return IsIndex(list, form.List1.size()) ? form.List1[list].ListIndex() : -1;
}

// The picture of the selected row as SVG for an area of that many CSS pixels; then
// ramka_picture_words() gives the words that say what it shows. Each is valid until the next
// call of ramka_picture().

EMSCRIPTEN_KEEPALIVE const char* ramka_picture(int width, int height) {
  static std::string svg;
  drawn_picture = lessons::picture::Picture::Of(TheProgram().form);
  svg = web::PictureSvg(drawn_picture, width, height);
  return svg.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ramka_picture_words() {
  return drawn_picture.Words().c_str();
}

// The steps page: the step shown as JSON, valid until the next call; then the rectangle of that
// step as SVG for an area of that many CSS pixels, or an empty text where it examines none.
EMSCRIPTEN_KEEPALIVE const char* ramka_step() {
  static std::string json;
  json = StepJson();
  return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ramka_step_picture(int width, int height) {
  static std::string svg;
  svg = step_rectangle ? web::PictureSvg(*step_rectangle, width, height) : std::string();
  return svg.c_str();
}

// What a user does on the steps page: a button (in the order of the page's buttons), a key
// (←, →, Home, End, Page Up, Page Down, Space; 1 where it moved anything), the speed, and the
// player's timer; playing stops when the page is closed or left.
EMSCRIPTEN_KEEPALIVE void ramka_step_command(int command) {
  if (IsIndex(command, lessons::steps::kCommandNames.size()))
    Steps().Do(static_cast<lessons::steps::Command>(command));
}

EMSCRIPTEN_KEEPALIVE int ramka_step_key(int key) {
  return key >= 0 && key <= static_cast<int>(lessons::steps::Key::kSpace) &&
         Steps().Press(static_cast<lessons::steps::Key>(key));
}

// Shows a step by its place in the run, from 0; for the tests and the benchmark.
EMSCRIPTEN_KEEPALIVE void ramka_step_go_to(int step) {
  Steps().GoTo(step);
}

EMSCRIPTEN_KEEPALIVE void ramka_step_speed(int index) {
  Steps().SetSpeed(index);
}

EMSCRIPTEN_KEEPALIVE void ramka_step_tick() {
  Steps().Tick();
}

EMSCRIPTEN_KEEPALIVE void ramka_step_stop() {
  Steps().SetPlaying(false);
}

}  // extern "C"
