// The browser binding: the window's form, its event procedures and an observer that mirrors every
// change into the page, exported to the page's script as plain C functions. The page's script
// turns what a user does into the entries below, and shows what the form reports through the
// functions it hands to the module as `page`.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "language/machine.h"
#include "language/program.h"
#include "lessons/change.h"
#include "lessons/menu.h"
#include "lessons/picture.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
#include "lessons/work_chart.h"
#include "lessons/write.h"
#include "program/program.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "web/layout_json.h"
#include "web/picture_svg.h"
#include "window/model.h"

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
EM_JS(void, PagePracticeChanged, (), {
  Module.page.practiceChanged();
});
EM_JS(void, PageChangeChanged, (), {
  Module.page.changeChanged();
});
EM_JS(void, PageWriteChanged, (), {
  Module.page.writeChanged();
});
// A pupil's text as it stands, any character in it, NUL too.
EM_JS(void, PageWriteKept, (int task, const char* text, size_t size), {
  Module.page.writeKept(task, new TextDecoder().decode(HEAPU8.subarray(text, text + size)));
});
// clang-format on

// Tells the page of every change of the form, of the steps, of the practice, of the program
// changed and of the program written, and keeps the pupil's texts in the browser's storage.
class PageView final : public window::FormObserver,
                       public lessons::steps::StepsObserver,
                       public lessons::practice::PracticeObserver,
                       public lessons::change::ChangeObserver,
                       public lessons::write::WriteObserver,
                       public lessons::write::Keeper {
 public:
  PageView(window::Form& form, lessons::Lessons& lessons) : form_(form), lessons_(lessons) {
    form.SetObserver(this);
    lessons.steps.SetObserver(this);
    lessons.practice.SetObserver(this);
    lessons.change.SetObserver(this);
    lessons.write.SetObserver(this);
    lessons.write.SetKeeper(this);
  }
  ~PageView() override {
    form_.SetObserver(nullptr);
    lessons_.steps.SetObserver(nullptr);
    lessons_.practice.SetObserver(nullptr);
    lessons_.change.SetObserver(nullptr);
    lessons_.write.SetObserver(nullptr);
    lessons_.write.SetKeeper(nullptr);
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
  void PracticeChanged() override { PagePracticeChanged(); }
  void ChangeChanged() override { PageChangeChanged(); }
  void WriteChanged() override { PageWriteChanged(); }
  void Keep(int task, const std::string& text) override {
    PageWriteKept(task, text.data(), text.size());
  }

  window::Form& form_;
  lessons::Lessons& lessons_;
};

// The whole program, as the desktop has it, with the page for its window.
using Program = program::Program<PageView>;

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
  return TheProgram().lessons.steps;
}

lessons::practice::Practice& Practice() {
  return TheProgram().lessons.practice;
}

lessons::change::Change& Change() {
  return TheProgram().lessons.change;
}

lessons::write::Write& Write() {
  return TheProgram().lessons.write;
}

// Bytes from the page with their number: a text that may hold any character, or a file.
std::string BytesFromPage(const char* bytes, int size) {
  return bytes != nullptr && size > 0 ? std::string(bytes, static_cast<size_t>(size))
                                      : std::string();
}

// A JSON text for the page's script, written piece after piece: members of objects and items of
// arrays, each after a comma where one came before it.
class Json {
 public:
  Json& Key(std::string_view name) {
    Comma();
    text_ += '"';
    text_ += name;
    text_ += "\":";
    fresh_ = true;
    return *this;
  }
  Json& Open(char bracket) {
    Comma();
    text_ += bracket;
    fresh_ = true;
    return *this;
  }
  Json& Close(char bracket) {
    text_ += bracket;
    fresh_ = false;
    return *this;
  }
  Json& Text(std::string_view value) { return Raw(web::JsonString(value)); }
  Json& Number(int64_t value) { return Raw(runtime::ToUtf8(runtime::WholeText(value))); }
  Json& Flag(bool value) { return Raw(value ? "true" : "false"); }
  const std::string& Done() const { return text_; }

 private:
  void Comma() {
    if (!fresh_) text_ += ',';
  }
  Json& Raw(std::string_view value) {
    Comma();
    text_ += value;
    fresh_ = false;
    return *this;
  }

  std::string text_;
  bool fresh_ = true;
};

// The practice as JSON for the page's script: the level, the task, what each box holds and
// takes, the buttons in use, the verdict, the lines under the drawing and the chart, the score,
// what the way to the program will change, and where the focus goes.
std::string PracticeJson() {
  namespace practice = lessons::practice;
  const practice::Practice& shown = Practice();
  const std::optional<lessons::chart::Chart> chart = shown.Chart();
  Json json;
  json.Open('{');
  json.Key("level").Number(shown.Level()).Key("progress").Text(shown.Progress());
  json.Key("task").Text(shown.TaskText()).Key("proverb").Text(shown.Proverb());
  json.Key("typed").Open('[');
  for (const practice::Box box :
       {practice::Box::kAcross, practice::Box::kDown, practice::Box::kFrame})
    json.Text(shown.Typed(box));
  json.Close(']').Key("largest").Open('[');
  for (const practice::Box box :
       {practice::Box::kAcross, practice::Box::kDown, practice::Box::kFrame})
    json.Number(shown.Largest(box));
  json.Close(']').Key("sides").Flag(shown.SidesEnabled()).Key("boxes").Flag(shown.BoxesShown());
  json.Key("verdict").Text(shown.Verdict()).Key("checks").Number(shown.Checks());
  json.Key("drawing").Text(shown.Drawing().Words()).Key("line").Text(shown.DrawingLine());
  json.Key("done").Flag(shown.GetStage() == practice::Stage::kDone);
  json.Key("chart").Text(chart ? chart->Sentence() : "");
  json.Key("description").Text(chart ? chart->Description() : "");
  json.Key("score").Text(shown.Score()).Key("stars").Text(shown.Stars());
  json.Key("showNote").Text(shown.ShowInProgramNote());
  json.Key("said").Text(shown.StarsSaid()).Key("best").Text(shown.Best());
  json.Key("focus").Number(static_cast<int>(shown.FocusAfter()));
  json.Key("tracing").Flag(shown.Tracing());
  json.Key("listed").Open('[');
  for (const practice::Row& row : shown.Listed()) {
    json.Open('[').Number(row.across).Number(row.down).Number(row.frame).Close(']');
  }
  json.Close(']').Key("enabled").Open('[');
  for (size_t button = 0; button < practice::kButtonNames.size(); ++button)
    json.Flag(shown.Enabled(static_cast<practice::Button>(button)));
  json.Close(']').Key("shown").Open('[');
  for (size_t button = 0; button < practice::kButtonNames.size(); ++button)
    json.Flag(shown.Shown(static_cast<practice::Button>(button)));
  return json.Close(']').Close('}').Done();
}

// The page that changes the program as JSON for the page's script: N as typed and what its box
// takes, the switches, the program's lines, the legend, the table, the hunt, and the chart's words.
std::string ChangeJson() {
  namespace change = lessons::change;
  const change::Change& shown = Change();
  const change::WorkChart work = shown.Chart();
  Json json;
  json.Open('{');
  json.Key("typed").Text(shown.Typed()).Key("note").Text(shown.CountNote());
  json.Key("on").Open('[');
  for (int part = 0; part < change::kParts; ++part)
    json.Flag(shown.On(static_cast<change::Part>(part)));
  json.Close(']').Key("lines").Open('[');
  for (const change::Line& line : shown.Lines()) {
    json.Open('{').Key("text").Text(line.text).Key("changed").Flag(line.changed);
    json.Key("removed").Flag(line.removed).Key("said").Text(line.said).Close('}');
  }
  json.Close(']').Key("legend").Open('[');
  for (const change::Term& term : shown.Legend())
    json.Open('[').Text(term.name).Text(term.meaning).Close(']');
  json.Close(']').Key("table").Open('[');
  for (const change::TableRow& row : shown.Table()) {
    json.Open('[').Text(row.program).Text(row.rows).Text(row.answer).Text(row.divisions);
    json.Flag(row.wrong).Close(']');
  }
  json.Close(']').Key("heading").Text(shown.HuntHeading()).Key("task").Text(shown.HuntTask());
  json.Key("hunting").Flag(shown.Hunting());
  json.Key("guess").Text(shown.Guess()).Key("said").Text(shown.Said());
  json.Key("sayings").Number(shown.Sayings()).Key("enabled").Open('[');
  for (size_t button = 0; button < change::kButtonNames.size(); ++button)
    json.Flag(shown.Enabled(static_cast<change::Button>(button)));
  json.Close(']').Key("sentence").Text(work.Sentence());
  json.Key("description").Text(work.Description());
  return json.Close('}').Done();
}

// A row of "Напиши програмата" as JSON: its three numbers, and its mark.
void RowJson(Json& json, const lessons::write::ShownRow& row) {
  json.Open('[');
  for (const std::string& text : row.texts)
    json.Text(text);
  json.Number(static_cast<int>(row.mark)).Close(']');
}

// "Напиши програмата" as JSON for the page's script: the task with its text and the tasks' names
// with their stars, N as typed and what its box takes, the buttons, the place marked in the
// editor, what the page says, the values, the output, the rows of both programs, the work, the
// verdict, and how much the page has said.
std::string WriteJson() {
  namespace write = lessons::write;
  const write::Write& shown = Write();
  Json json;
  json.Open('{');
  json.Key("task").Number(shown.Task()).Key("tasks").Open('[');
  for (size_t task = 0; task < write::kTasks.size(); ++task) {
    json.Text(std::string(write::kTasks[task].name) +
              (shown.Star(static_cast<int>(task)) ? " ★" : ""));
  }
  json.Close(']').Key("text").Text(shown.TaskText());
  json.Key("typed").Text(shown.TypedCount()).Key("note").Text(shown.CountNote());
  json.Key("check").Text(shown.Name(write::Command::kCheck)).Key("enabled").Open('[');
  for (size_t command = 0; command < write::kCommandNames.size(); ++command)
    json.Flag(shown.Enabled(static_cast<write::Command>(command)));
  json.Close(']').Key("marked").Open('[');
  if (const std::optional<language::Place> marked = shown.Marked())
    json.Number(marked->line).Number(marked->column).Number(marked->length);
  json.Close(']').Key("error").Flag(shown.MarksError());
  json.Key("message").Text(shown.Message()).Key("messageSaid").Text(shown.MessageSaid());
  json.Key("counter").Text(shown.Counter());
  json.Key("values").Open('[');
  for (const language::Trace::Shown& value : shown.Values())
    json.Open('[').Text(value.name).Text(value.value).Flag(value.changed).Close(']');
  json.Close(']').Key("output").Open('[');
  for (const std::string& line : shown.Output())
    json.Text(line);
  json.Close(']').Key("yours").Open('[');
  for (const write::ShownRow& row : shown.YourRows())
    RowJson(json, row);
  json.Close(']').Key("lesson").Open('[');
  for (const write::ShownRow& row : shown.LessonRowsShown())
    RowJson(json, row);
  json.Close(']').Key("work").Text(shown.Work()).Key("verdict").Text(shown.Verdict());
  json.Key("sayings").Number(shown.Sayings());
  return json.Close('}').Done();
}

// The step shown, as JSON for the page's script: its line, values, sentence, rows so far and the
// words of its rectangle, the counter, and the state of the controls.
std::string StepJson() {
  const lessons::steps::Walkthrough& steps = Steps();
  Json json;
  json.Open('{');
  json.Key("run").Number(steps.RunNumber()).Key("line").Number(steps.Line());
  json.Key("count").Number(steps.Count()).Key("sentence").Text(steps.Sentence());
  json.Key("announced").Flag(steps.Announced()).Key("counter").Text(steps.Counter());
  json.Key("mark").Text(lessons::steps::kChanged).Key("values").Open('[');
  for (const lessons::steps::Value& value : steps.Values()) {
    json.Open('[').Text(value.name).Text(value.text).Flag(value.changed).Text(value.meaning);
    json.Close(']');
  }
  const lessons::steps::Rows rows = steps.RowsSoFar();
  json.Close(']').Key("marked").Number(rows.marked).Key("rows").Open('[');
  for (const auto& column : rows.columns) {
    json.Open('[');
    for (const std::string& row : column)
      json.Text(row);
    json.Close(']');
  }
  step_rectangle = steps.Rectangle();
  json.Close(']').Key("rectangle");
  json.Text(step_rectangle ? step_rectangle->Words() : lessons::steps::kNoRectangle);
  json.Key("playing").Flag(steps.Playing()).Key("play").Text(steps.PlayName());
  json.Key("tick").Number(steps.TickMilliseconds()).Key("speed").Number(steps.SpeedIndex());
  json.Key("enabled").Open('[');
  for (size_t command = 0; command < lessons::steps::kCommandNames.size(); ++command)
    json.Flag(steps.Enabled(static_cast<lessons::steps::Command>(command)));
  return json.Close(']').Close('}').Done();
}

bool IsCommand(int command) {
  return command >= 0 && command <= static_cast<int>(lessons::menu::Command::kAbout);
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

// The menu bar: whether an item (in the order of the core's commands) can act now, the page it
// opens (-1 for none), and whether it makes that page the one in use.
EMSCRIPTEN_KEEPALIVE int ramka_menu_enabled(int command) {
  return IsCommand(command) &&
         lessons::menu::Enabled(static_cast<lessons::menu::Command>(command), TheProgram().form);
}

EMSCRIPTEN_KEEPALIVE int ramka_menu_page(int command) {
  return IsCommand(command) ? lessons::menu::PageOf(static_cast<lessons::menu::Command>(command))
                            : -1;
}

EMSCRIPTEN_KEEPALIVE int ramka_menu_activates(int command) {
  return IsCommand(command) &&
         lessons::menu::Activates(static_cast<lessons::menu::Command>(command));
}

// The practice: its state as JSON, valid until the next call; its drawing and its chart as SVG
// for an area of that many CSS pixels (the chart empty where there is none yet); and what the
// pupil does: a level, what a box holds, a step of its arrows, a button in the order of the page's
// buttons. "Виж как го намира програмата" answers 1 where the steps page is to show now.
EMSCRIPTEN_KEEPALIVE const char* ramka_practice() {
  static std::string json;
  json = PracticeJson();
  return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ramka_practice_drawing(int width, int height) {
  static std::string svg;
  svg = web::PictureSvg(Practice().Drawing(), width, height);
  return svg.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ramka_practice_chart(int width, int height) {
  static std::string svg;
  const std::optional<lessons::chart::Chart> chart = Practice().Chart();
  svg = chart ? web::ChartSvg(*chart, width, height) : std::string();
  return svg.c_str();
}

EMSCRIPTEN_KEEPALIVE void ramka_practice_level(int level) {
  Practice().ChooseLevel(level);
}

EMSCRIPTEN_KEEPALIVE void ramka_practice_type(int box, const char* text) {
  if (IsIndex(box, 3)) Practice().Type(static_cast<lessons::practice::Box>(box), text);
}

EMSCRIPTEN_KEEPALIVE void ramka_practice_step(int box, int by) {
  if (IsIndex(box, 3)) Practice().Step(static_cast<lessons::practice::Box>(box), by);
}

EMSCRIPTEN_KEEPALIVE int ramka_practice_press(int button) {
  namespace practice = lessons::practice;
  if (!IsIndex(button, practice::kButtonNames.size())) return 0;
  if (static_cast<practice::Button>(button) == practice::Button::kShowProgram)
    return TheProgram().lessons.ShowInProgram();
  Practice().Press(static_cast<practice::Button>(button));
  return 0;
}

// The page that changes the program: its state as JSON and its chart as SVG, each valid until the
// next call; the page opened, N typed or stepped, a switch set, the hunt's box typed into, and its
// buttons pressed.
EMSCRIPTEN_KEEPALIVE const char* ramka_change() {
  static std::string json;
  json = ChangeJson();
  return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ramka_change_chart(int width, int height) {
  static std::string svg;
  svg = web::SceneSvg(lessons::change::Paint(Change().Chart(), width, height), width, height);
  return svg.c_str();
}

EMSCRIPTEN_KEEPALIVE void ramka_change_open() {
  TheProgram().lessons.OpenChange();
}

EMSCRIPTEN_KEEPALIVE void ramka_change_type(const char* text) {
  Change().Type(text != nullptr ? text : "");
}

EMSCRIPTEN_KEEPALIVE void ramka_change_step(int by) {
  Change().Step(by);
}

EMSCRIPTEN_KEEPALIVE void ramka_change_set(int part, int on) {
  if (IsIndex(part, lessons::change::kParts))
    Change().Set(static_cast<lessons::change::Part>(part), on != 0);
}

EMSCRIPTEN_KEEPALIVE void ramka_change_guess(const char* text) {
  Change().TypeGuess(text != nullptr ? text : "");
}

EMSCRIPTEN_KEEPALIVE void ramka_change_press(int button) {
  if (IsIndex(button, lessons::change::kButtonNames.size()))
    Change().Press(static_cast<lessons::change::Button>(button));
}

// "Напиши програмата": its state as JSON, valid until the next call; its text, and that text's
// size in bytes, valid until the next change; the page opened, a kept text brought back, the
// pupil's edit, a start chosen, a file's bytes opened, a save made or failed, a task chosen, N
// typed or stepped, a button pressed, and a slice of the check, which answers whether it goes
// on. Texts come with their sizes, since a pupil's may hold any character.
EMSCRIPTEN_KEEPALIVE const char* ramka_write() {
  static std::string json;
  json = WriteJson();
  return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ramka_write_text() {
  return Write().Text().c_str();
}

EMSCRIPTEN_KEEPALIVE size_t ramka_write_text_size() {
  return Write().Text().size();
}

EMSCRIPTEN_KEEPALIVE void ramka_write_open() {
  TheProgram().lessons.OpenWrite();
}

EMSCRIPTEN_KEEPALIVE void ramka_write_restore(int task, const char* text, int size) {
  Write().Restore(task, BytesFromPage(text, size));
}

EMSCRIPTEN_KEEPALIVE void ramka_write_edit(const char* text, int size) {
  Write().Edit(BytesFromPage(text, size));
}

// The question to ask before a start or a file replaces the text, or an empty text where none is
// asked.
EMSCRIPTEN_KEEPALIVE const char* ramka_write_question() {
  static std::string question;
  question = Write().AsksBeforeReplacing() ? Write().ReplaceQuestion() : std::string();
  return question.c_str();
}

EMSCRIPTEN_KEEPALIVE void ramka_write_start(int start) {
  if (IsIndex(start, lessons::write::kStartNames.size())) Write().StartFrom(start);
}

EMSCRIPTEN_KEEPALIVE void ramka_write_opened(const char* bytes, int size) {
  Write().Opened(BytesFromPage(bytes, size));
}

EMSCRIPTEN_KEEPALIVE const char* ramka_write_file_name() {
  static std::string name;
  name = Write().FileName();
  return name.c_str();
}

EMSCRIPTEN_KEEPALIVE void ramka_write_saved(const char* name) {
  Write().Saved(name != nullptr ? name : "");
}

EMSCRIPTEN_KEEPALIVE void ramka_write_save_failed(const char* reason) {
  Write().SaveFailed(reason != nullptr ? reason : "");
}

EMSCRIPTEN_KEEPALIVE void ramka_write_task(int task) {
  Write().ChooseTask(task);
}

EMSCRIPTEN_KEEPALIVE void ramka_write_type(const char* text) {
  Write().TypeCount(text != nullptr ? text : "");
}

EMSCRIPTEN_KEEPALIVE void ramka_write_step(int by) {
  Write().StepCount(by);
}

EMSCRIPTEN_KEEPALIVE void ramka_write_press(int command) {
  if (IsIndex(command, lessons::write::kCommandNames.size()))
    Write().Press(static_cast<lessons::write::Command>(command));
}

EMSCRIPTEN_KEEPALIVE int ramka_write_check_some() {
  Write().CheckSome();
  return Write().Checking();
}

// Counting runs of the program from the lesson for every N from `first` to `last`, read once,
// for the benchmark: the steps of all of them together.
EMSCRIPTEN_KEEPALIVE double ramka_lesson_runs(int first, int last) {
  static const language::Program lesson =
      std::get<language::Program>(language::Parse(lessons::write::LessonText()));
  int64_t steps = 0;
  for (int count = first; count <= last; ++count)
    steps += language::Run(lesson, static_cast<int16_t>(count)).work.steps;
  return static_cast<double>(steps);
}

// A set of the given counts ("7,16,13") at level 1 to 3 or 5, for the tests and the benchmark.
EMSCRIPTEN_KEEPALIVE void ramka_practice_counts(int level, const char* counts) {
  std::vector<lessons::practice::Task> tasks;
  int count = 0;
  for (const char* at = counts; at != nullptr; ++at) {
    if (*at >= '0' && *at <= '9') {
      count = std::min(count * 10 + (*at - '0'), 16380);
    } else {
      if (count > 0) tasks.push_back(lessons::practice::CountTask(count));
      count = 0;
      if (*at == '\0') break;
    }
  }
  if (!tasks.empty()) Practice().Practise(level, std::move(tasks));
}

}  // extern "C"
