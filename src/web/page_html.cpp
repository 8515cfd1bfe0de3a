#include "web/page_html.h"

#include <algorithm>
#include <vector>

#include "language/help.h"
#include "lessons/change.h"
#include "lessons/lessons.h"
#include "lessons/menu.h"
#include "lessons/picture.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
#include "lessons/words.h"
#include "lessons/write.h"
#include "web/layout_json.h"
#include "window/layout.h"

namespace web {

namespace {

namespace layout = window::layout;
namespace picture = lessons::picture;
using layout::Kind;

std::string Attribute(std::string_view name, std::string_view value) {
  return ' ' + std::string(name) + "=\"" + Escaped(value) + '"';
}

// A table's column headings.
template <typename Headings>
std::string ColumnHeads(const Headings& headings) {
  std::string cells;
  for (const char* heading : headings)
    cells += "<th scope=\"col\">" + Escaped(heading) + "</th>";
  return cells;
}

// A page's box for N, which keeps what is typed, "70" at first, and the note beside it that says
// what it takes: "`page`-count" and "`page`-note".
std::string CountBox(const std::string& page, const char* label) {
  return "<label for=\"" + page + "-count\">" + Escaped(label) +
         "</label> <input type=\"text\" id=\"" + page +
         "-count\" inputmode=\"numeric\" autocomplete=\"off\" maxlength=\"" +
         std::to_string(lessons::practice::kBoxLength) + "\" value=\"70\" aria-describedby=\"" +
         page + "-note\"> <span id=\"" + page + "-note\"></span>";
}

// A drop-down list with its label: an option for each item, by its name, numbered from 0.
template <typename Items>
std::string DropDown(const std::string& id, const char* label, const Items& items) {
  std::string html =
      "<label for=\"" + id + "\">" + Escaped(label) + "</label> <select id=\"" + id + "\">";
  for (size_t i = 0; i < items.size(); ++i)
    html += "<option value=\"" + std::to_string(i) + "\">" + Escaped(items[i].name) + "</option>";
  return html + "</select>";
}

// An element for each of the texts, its index from 0 in a data attribute: Numbered(names,
// "<button type=\"button\"", "command", "</button>") makes "<button type="button"
// data-command="0">Начало</button>" and so on.
template <typename Texts>
std::string Numbered(const Texts& texts, const char* open, const char* data, const char* close) {
  std::string html;
  for (size_t i = 0; i < texts.size(); ++i) {
    html += std::string(open) + " data-" + data + "=\"" + std::to_string(i) + "\">" +
            Escaped(texts[i]) + close;
  }
  return html;
}

std::string Text(const layout::Control& control) {
  std::string text = control.text;
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());  // lines end in \n alone
  return Escaped(text);
}

std::string Name(const layout::Control& control) {
  return Attribute("aria-label",
                   control.accessible_name != nullptr ? control.accessible_name : control.text);
}

std::string ControlName(const layout::Control& control) {
  return std::string(control.name) + '(' + std::to_string(control.index) + ')';
}

// What every control's element carries: its name in the form and its kind, for the script and
// for the window's stylesheet, which places and colours it.
std::string Common(const layout::Control& control) {
  return Attribute("data-control", ControlName(control)) +
         Attribute("data-kind", KindName(control.kind)) + (control.hidden ? " hidden" : "");
}

// A control's rule of the window's stylesheet: its rectangle in pixels within its parent at the
// usual resolution, which the page's style scales down on a narrower screen; its colour; and its
// place in the stack, later controls above earlier ones.
std::string Rule(const layout::Control& control, const layout::Control* frame) {
  const layout::PixelRect rect = layout::InParent(control, frame);
  std::string rule =
      "#window [data-control=\"" + ControlName(control) +
      "\"] {\n  --x: " + std::to_string(rect.x) + ";\n  --y: " + std::to_string(rect.y) +
      ";\n  --w: " + std::to_string(rect.width) + ";\n  --h: " + std::to_string(rect.height) +
      ";\n  z-index: " + std::to_string(&control - layout::kControls.data()) + ";\n";
  if (control.colour) rule += "  background: " + CssColour(*control.colour) + ";\n";
  return rule + "}\n";
}

std::vector<const layout::Control*> InTabOrder() {
  std::vector<const layout::Control*> order;
  for (const layout::Control& control : layout::kControls)
    order.push_back(&control);
  std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tab < b->tab; });
  return order;
}

// One control as HTML; a frame holds the options.
std::string Element(const layout::Control& control) {
  const std::string common = Common(control);
  switch (control.kind) {
    case Kind::kNote:
      return "<textarea readonly" + Name(control) + common + '>' + Text(control) + "</textarea>";
    case Kind::kTitle:
      return "<h1 class=\"label\"" + common + '>' + Text(control) + "</h1>";
    case Kind::kLabel:
      return "<div class=\"label\"" + common + '>' + Text(control) + "</div>";
    case Kind::kTextBox:
      return "<input type=\"text\" spellcheck=\"false\" autocomplete=\"off\"" + Name(control) +
             common + '>';
    case Kind::kList:  // a list box, not a drop-down
      return "<select size=\"2\"" + Name(control) + Attribute("title", lessons::steps::kListHint) +
             common + "></select>";
    case Kind::kButton:
      return "<button type=\"button\"" + common + '>' + Text(control) + "</button>";
    case Kind::kPicture:
      return "<button type=\"button\"" + Name(control) + common + "></button>";
    case Kind::kFrame: {
      std::string html = "<fieldset" + common + "><legend>" + Text(control) + "</legend>";
      for (const layout::Control* option : InTabOrder()) {
        if (option->kind != Kind::kOption) continue;
        html += "\n<label class=\"option\"" + Common(*option) + "><input type=\"radio\" name=\"" +
                option->name + "\">" + Text(*option) + "</label>";
      }
      return html + "\n</fieldset>";
    }
    case Kind::kOption:  // in its frame
      return "";
  }
  return "";
}

void Replace(std::string& text, std::string_view placeholder, std::string_view value) {
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

// The window's title label, if the table has one.
const layout::Control* Title() {
  for (const layout::Control& control : layout::kControls) {
    if (control.kind == Kind::kTitle) return &control;
  }
  return nullptr;
}

std::string ThemeColour() {
  const layout::Control* title = Title();
  return CssColour(title != nullptr && title->colour ? *title->colour : layout::kBackground);
}

const char* TitleText() {
  return Title() != nullptr ? Title()->text : layout::kCaption;
}

}  // namespace

std::string Escaped(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string WindowHtml() {
  std::string html = "<main id=\"window\">";
  for (const layout::Control* control : InTabOrder()) {
    const std::string element = Element(*control);
    if (!element.empty()) html += '\n' + element;
  }
  return html + "\n</main>";
}

std::string WindowCss() {
  std::string css =
      "/* The window's size, font size and colour, and each control's rectangle, colour and place\n"
      "   in the stack, written from the layout table when the page is built. */\n"
      "#window {\n  --width: " +
      std::to_string(layout::Pixels(layout::kClientWidth)) +
      ";\n  --height: " + std::to_string(layout::Pixels(layout::kClientHeight)) +
      ";\n  --points: " + std::to_string(layout::kFontPoints) +
      ";\n  background: " + CssColour(layout::kBackground) + ";\n}\n";
  const layout::Control* frame = layout::Frame();
  for (const layout::Control* control : InTabOrder())
    css += Rule(*control, frame);
  return css;
}

// The lessons panel's tabs, one for each of its pages.
std::string TabsHtml() {
  const struct {
    const char* id;
    const char* name;
  } tabs[] = {{"picture", lessons::steps::kPictureTab},
              {"steps", lessons::steps::kStepsTab},
              {"practice", lessons::practice::kTab},
              {"change", lessons::change::kTab},
              {"write", lessons::write::kTab}};
  std::string html = "<div role=\"tablist\" id=\"picture-tabs\"" +
                     Attribute("aria-label", picture::kCaption) + ">\n";
  for (const auto& tab : tabs) {
    const bool first = &tab == &tabs[0];
    html += "  <button type=\"button\" role=\"tab\" id=\"tab-" + std::string(tab.id) +
            "\" aria-selected=\"" + (first ? "true" : "false") + "\" aria-controls=\"page-" +
            tab.id + "\"" + (first ? "" : " tabindex=\"-1\"") +
            Attribute("data-title", lessons::PageTitle(static_cast<int>(&tab - tabs))) + ">" +
            Escaped(tab.name) + "</button>\n";
  }
  return html + "</div>\n";
}

// A menu's or an item's text with its mnemonic underlined.
std::string Mnemonic(const char* text) {
  const std::string letter = lessons::menu::Mnemonic(text);
  const std::string plain = lessons::menu::Plain(text);
  const size_t at = std::string(text).find('&');
  return Escaped(plain.substr(0, at)) + "<u>" + Escaped(letter) + "</u>" +
         Escaped(plain.substr(at + letter.size()));
}

// The menu bar above the window, as WAI-ARIA's menu bar: each menu a button that opens its list
// of items, each item with its mnemonic underlined and its shortcut key.
std::string MenuHtml() {
  namespace menu = lessons::menu;
  std::string html = "<nav" + Attribute("aria-label", menu::kBarName) +
                     "><div id=\"menubar\" role=\"menubar\"" +
                     Attribute("aria-label", menu::kBarName) + ">";
  int number = 0;
  for (const menu::Menu& each : menu::kMenus) {
    const std::string id = "menu-" + std::to_string(number);
    html += "\n<div class=\"menu\"><button type=\"button\" role=\"menuitem\" id=\"" + id +
            "\" aria-haspopup=\"menu\" aria-expanded=\"false\" data-mnemonic=\"" +
            Escaped(menu::Mnemonic(each.text)) + "\"" + (number == 0 ? "" : " tabindex=\"-1\"") +
            ">" + Mnemonic(each.text) + "</button>\n<ul role=\"menu\" id=\"" + id +
            "-items\" aria-labelledby=\"" + id + "\" hidden>";
    for (int i = 0; i < each.count; ++i) {
      const menu::Item& item = each.items[static_cast<size_t>(i)];
      html += "\n  <li role=\"menuitem\" tabindex=\"-1\" data-command=\"" +
              std::to_string(static_cast<int>(item.command)) + "\" data-mnemonic=\"" +
              Escaped(menu::Mnemonic(item.text)) + "\" aria-keyshortcuts=\"" +
              menu::Shortcut(item) + "\"><span>" + Mnemonic(item.text) +
              "</span><span class=\"key\">" + menu::Shortcut(item) + "</span></li>";
    }
    html += "\n</ul></div>";
    ++number;
  }
  return html + "\n</div></nav>";
}

// The practice's page: the level, the task, the two sides, the buttons, the verdict, the drawing
// and the chart with their lines, the way to the program and the score, all as the core words
// them; the script fills in each state.
std::string PracticeHtml() {
  namespace practice = lessons::practice;
  const std::array<const char*, 3> headings = lessons::steps::RowHeadings();
  std::string html =
      "<div role=\"tabpanel\" id=\"page-practice\" aria-labelledby=\"tab-practice\" hidden>\n"
      "<div class=\"practice-top\">" +
      DropDown("practice-level", practice::kLevelLabel, practice::kLevels);
  html +=
      "<span id=\"practice-progress\"></span></div>\n<p id=\"practice-task\"></p>\n"
      "<p id=\"practice-proverb\"></p>\n<div class=\"practice-sides\">";
  // The boxes keep what is typed, whatever it is, for the core to read: text boxes that bring up
  // a phone's digits, each described by what it takes.
  // What "по абсциса" and "по ордината" mean stands after them; the frame's note, at the fifth
  // level, on a line of its own under the boxes.
  const char* ids[] = {"practice-across", "practice-down", "practice-frame"};
  for (size_t side = 0; side < 3; ++side) {  // the third, the frame, at the fifth level alone
    html += std::string(side == 2 ? "<span class=\"practice-frame\" hidden>" : "") +
            "<label for=\"" + ids[side] + "\">" +
            Escaped(side == 2 ? practice::kFrameLabel : headings[side]) +
            "</label><input type=\"text\" id=\"" + ids[side] +
            "\" inputmode=\"numeric\" autocomplete=\"off\" maxlength=\"" +
            std::to_string(practice::kBoxLength) + "\" value=\"1\"" +
            (side == 2 ? " aria-describedby=\"practice-frame-note\"></span>" : ">");
  }
  html += "<span id=\"practice-axes\">" + Escaped(lessons::steps::kAxes) +
          "</span></div>\n<p id=\"practice-frame-note\" class=\"practice-frame\" hidden>" +
          Escaped(practice::kFrameNote) + "</p>\n<div class=\"practice-buttons\">";
  for (size_t i = 0; i + 1 < practice::kButtonNames.size(); ++i) {
    html += "<button type=\"button\" data-button=\"" + std::to_string(i) + "\">" +
            Escaped(practice::kButtonNames[i]) + "</button>";
  }
  html +=
      "</div>\n<p id=\"practice-verdict\" aria-live=\"polite\"></p>\n<div "
      "class=\"practice-pictures\">"
      "<figure><div id=\"practice-drawing\" role=\"img\"></div><figcaption id=\"practice-line\">"
      "</figcaption></figure><figure><div id=\"practice-chart\" role=\"img\"" +
      Attribute("aria-label", practice::kChartLabel) +
      " aria-describedby=\"practice-description\"></div><figcaption id=\"practice-sentence\">"
      "</figcaption><p id=\"practice-description\" class=\"unseen\"></p></figure>"
      "<section id=\"practice-listed\" aria-labelledby=\"practice-listed-title\" hidden><h3 "
      "id=\"practice-listed-title\">" +
      Escaped(practice::kRowsLabel) + "</h3><table><thead><tr>" + ColumnHeads(headings) +
      "</tr></thead><tbody></tbody></table></section></div>\n"
      "<div class=\"practice-bottom\"><button type=\"button\" data-button=\"" +
      std::to_string(practice::kButtonNames.size() - 1) +
      "\" aria-describedby=\"practice-show-note\">" + Escaped(practice::kButtonNames.back()) +
      "</button><span id=\"practice-show-note\"></span><span id=\"practice-score\"></span>"
      "<span id=\"practice-best\"></span></div>\n"
      "</div>\n";
  return html;
}

// The page that changes the program: N, the program's lines with a switch beside each line one
// changes, the two other programs, the legend of the program's names, the hunt, the table and the
// chart, all as the core words them; the script fills in each state.
std::string ChangeHtml() {
  namespace change = lessons::change;
  std::string html =
      "<div role=\"tabpanel\" id=\"page-change\" aria-labelledby=\"tab-change\" hidden>\n"
      "<div class=\"change-top\"><section class=\"change-program\" "
      "aria-labelledby=\"change-program-title\"><h3 id=\"change-program-title\">" +
      Escaped(change::kProgramLabel) + "</h3> " + CountBox("change", change::kCountLabel) +
      "\n<ol id=\"change-lines\">";
  const std::vector<std::string>& lines = lessons::steps::ProgramLines();
  for (size_t at = 0; at < lines.size(); ++at) {
    html += "<li><span class=\"line\">" + Escaped(lines[at]) + "</span>";
    for (int part = 0; part < change::kParts; ++part) {
      if (change::kPartLines[static_cast<size_t>(part)] != static_cast<int>(at) + 1) continue;
      html += "<label class=\"switch\"><input type=\"checkbox\" data-part=\"" +
              std::to_string(part) + "\" checked> " +
              Escaped(change::kPartNames[static_cast<size_t>(part)]) + "</label>";
    }
    html += "</li>";
  }
  html +=
      "</ol></section>\n<section aria-labelledby=\"change-others-title\"><h3 "
      "id=\"change-others-title\">" +
      Escaped(change::kOthersLabel) + "</h3><p class=\"change-others\">" +
      Escaped(change::kProgramNames[2]) + ":";
  for (const char* line : change::kEverySideLines)
    html += "<br>" + Escaped(line);
  html += "<br>" + Escaped(change::kProgramNames[3]) + ":";
  for (const char* line : change::kFormulaLines)
    html += "<br>" + Escaped(line);
  html += "</p></section></div>\n<dl id=\"change-legend\"" +
          Attribute("aria-label", change::kLegendLabel) +
          "></dl>\n<div class=\"change-bottom\"><section "
          "aria-labelledby=\"change-table-title\"><h3 id=\"change-table-title\">" +
          Escaped(change::kTableLabel) +
          "</h3><table id=\"change-table\" "
          "aria-labelledby=\"change-table-title\"><thead><tr>" +
          ColumnHeads(change::kTableHeadings);
  html += "</tr></thead><tbody></tbody></table>\n<h3 id=\"change-hunt-title\">" +
          Escaped(change::kHuntLabel) +
          "</h3><p id=\"change-task\"></p><div class=\"change-hunt\"><span "
          "class=\"change-guess\"><label for=\"change-guess\">" +
          Escaped(change::kGuessLabel) +
          "</label> <input type=\"text\" id=\"change-guess\" inputmode=\"numeric\" "
          "autocomplete=\"off\" maxlength=\"" +
          std::to_string(lessons::practice::kBoxLength) + "\"></span>";
  html += Numbered(change::kButtonNames, "<button type=\"button\"", "change", "</button>");
  html +=
      "</div><p id=\"change-said\" aria-live=\"polite\"></p></section>\n"
      "<figure><figcaption id=\"change-work-title\">" +
      Escaped(change::kWorkLabel) + "</figcaption><div id=\"change-chart\" role=\"img\"" +
      Attribute("aria-label", change::kWorkLabel) +
      " aria-describedby=\"change-description\"></div><p id=\"change-sentence\"></p><p "
      "id=\"change-description\" class=\"unseen\"></p></figure></div>\n</div>\n";
  return html;
}

// "Напиши програмата": the task and its check on top; then the editor's tools, the editor with its
// line numbers and what the page says under it; N, the buttons that run the program, the values,
// the output, the rows of both programs and the work; all as the core words them, the script
// filling in each state.
std::string WriteHtml() {
  namespace write = lessons::write;
  const auto button = [](write::Command command) {
    const auto index = static_cast<size_t>(command);
    return "<button type=\"button\" data-write=\"" + std::to_string(index) + "\">" +
           Escaped(write::kCommandNames[index]) + "</button>";
  };
  std::string html =
      "<div role=\"tabpanel\" id=\"page-write\" aria-labelledby=\"tab-write\" hidden>\n"
      "<div class=\"write-top\">" +
      DropDown("write-task", write::kTaskLabel, write::kTasks) +
      "<p id=\"write-text\"></p></div>\n<div class=\"write-check\">" +
      button(write::Command::kCheck) + "<p id=\"write-verdict\" role=\"status\"></p>" +
      button(write::Command::kShowSteps) +
      "</div>\n<div class=\"write-main\"><div class=\"write-left\"><div class=\"write-tools\">";
  for (const write::Sign& sign : write::kSigns) {
    html += "<button type=\"button\" class=\"sign\"" + Attribute("data-text", sign.text) +
            Attribute("aria-label", sign.name) + ">" + Escaped(sign.label) + "</button>";
  }
  // "Започни от" opens a menu of the starts; "Отвори…" the browser's file chooser.
  html +=
      "<span class=\"write-start\"><button type=\"button\" id=\"write-start\" "
      "aria-haspopup=\"menu\" aria-expanded=\"false\" aria-controls=\"write-starts\">" +
      Escaped(write::kStartLabel) +
      "<span aria-hidden=\"true\"> ▾</span></button><ul role=\"menu\" id=\"write-starts\" "
      "aria-labelledby=\"write-start\" hidden>";
  html += Numbered(write::kStartNames, "<li role=\"menuitem\" tabindex=\"-1\"", "start", "</li>");
  html += "</ul></span><button type=\"button\" id=\"write-open\">" + Escaped(write::kOpenLabel) +
          "</button><input type=\"file\" id=\"write-file\" accept=\".txt,text/plain\" "
          "data-largest=\"" +
          std::to_string(write::kLargestFile) +
          "\" hidden><button type=\"button\" id=\"write-save\">" + Escaped(write::kSaveLabel) +
          "</button><button type=\"button\" id=\"write-help-open\" aria-haspopup=\"dialog\">" +
          Escaped(write::kHelpLabel) +
          "</button></div>\n<div class=\"write-editor\"><div id=\"write-numbers\" "
          "aria-hidden=\"true\"></div><div class=\"write-area\"><div id=\"write-marks\" "
          "aria-hidden=\"true\"></div><textarea id=\"write-editor\"" +
          Attribute("aria-label", write::kEditorName) +
          " wrap=\"off\" spellcheck=\"false\" autocomplete=\"off\" autocapitalize=\"off\">"
          "</textarea></div></div>\n<p id=\"write-message\"></p><p id=\"write-counter\"></p>"
          "<p id=\"write-said\" class=\"unseen\" aria-live=\"polite\"></p></div>\n"
          "<div class=\"write-right\"><div class=\"write-count\">" +
          CountBox("write", write::kCountLabel) + "</div><div class=\"write-run\">";
  for (const write::Command command : {write::Command::kRun, write::Command::kStep,
                                       write::Command::kBack, write::Command::kRestart})
    html += button(command);
  // The tables and the output scroll in boxes of their own, which the keyboard reaches.
  html += "</div>\n<section aria-labelledby=\"write-values-title\"><h3 id=\"write-values-title\">" +
          Escaped(write::kValuesLabel) +
          "</h3><table id=\"write-values\" aria-labelledby=\"write-values-title\"" +
          Attribute("data-changed", lessons::steps::kChanged) + "><thead><tr>" +
          ColumnHeads(std::array{"име", "стойност"}) +
          "</tr></thead><tbody></tbody></table></section>\n<section "
          "aria-labelledby=\"write-output-title\"><h3 id=\"write-output-title\">" +
          Escaped(write::kOutputLabel) +
          "</h3><pre id=\"write-output\" class=\"write-scroll\" tabindex=\"0\" role=\"group\" "
          "aria-labelledby=\"write-output-title\"></pre></section>\n<div class=\"write-rows\"" +
          Attribute("data-signs",
                    std::string("|") + write::kMarkSigns[1] + "|" + write::kMarkSigns[2]) +
          Attribute("data-words",
                    std::string("|") + write::kMarkWords[1] + "|" + write::kMarkWords[2]) +
          ">";
  for (const auto& [id, label] :
       {std::pair{"yours", write::kYourRowsLabel}, std::pair{"lesson", write::kLessonRowsLabel}}) {
    const std::string title = std::string("write-") + id + "-title";
    html += "<section aria-labelledby=\"" + title + "\"><h3 id=\"" + title + "\">" +
            Escaped(label) +
            "</h3><div class=\"write-scroll\" tabindex=\"0\" role=\"group\" "
            "aria-labelledby=\"" +
            title + "\"><table id=\"write-" + id + "\"><thead><tr>" +
            ColumnHeads(lessons::steps::RowHeadings()) +
            "</tr></thead><tbody></tbody></table></div></section>";
  }
  return html + "</div>\n<p id=\"write-work\"></p></div></div>\n</div>\n";
}

// "Какво може езикът" as the page's dialog: the language's reference, its headings, paragraphs
// and examples as such, in a box that scrolls and takes the focus, closed by its button or Esc.
std::string HelpHtml() {
  std::string html =
      "<dialog id=\"write-help\" aria-labelledby=\"write-help-title\">\n<div class=\"help-bar\">"
      "<h2 id=\"write-help-title\">" +
      Escaped(lessons::write::kHelpLabel) + "</h2><form method=\"dialog\"><button>" +
      Escaped(picture::kClose) +
      "</button></form></div>\n<div class=\"help-text\" tabindex=\"0\" autofocus role=\"document\" "
      "aria-labelledby=\"write-help-title\">";
  const std::string_view help = language::HelpText();
  for (size_t at = 0; at < help.size();) {
    size_t end = help.find("\n\n", at);
    if (end == std::string_view::npos) end = help.size();
    std::string part(help.substr(at, end - at));
    at = end + 2;
    if (part.starts_with("    ")) {  // an example, its lines without their indentation
      for (size_t line = 0; line != std::string::npos; line = part.find('\n', line + 1))
        part.erase(line == 0 ? 0 : line + 1, 4);
      html += "\n<pre>" + Escaped(part) + "</pre>";
    } else if (part.find('\n') == std::string::npos && !part.ends_with('.')) {
      html += "\n<h3>" + Escaped(part) + "</h3>";
    } else {
      html += "\n<p>" + Escaped(part) + "</p>";
    }
  }
  return html + "\n</div>\n</dialog>";
}

// The steps page, with the program's lines, the headings, the buttons and the speeds, all as the
// core words them; the script fills in each step.
std::string StepsHtml() {
  namespace steps = lessons::steps;
  std::string html =
      "<div role=\"tabpanel\" id=\"page-steps\" aria-labelledby=\"tab-steps\" tabindex=\"0\" "
      "hidden>\n";
  html +=
      "<div class=\"steps-top\">\n<section aria-labelledby=\"steps-program-title\">"
      "<h3 id=\"steps-program-title\">" +
      Escaped(steps::kProgramLabel) + "</h3>\n<ol id=\"steps-program\">\n";
  // Each line wraps where the page is narrow, but never inside a formula.
  for (const std::string& line : steps::ProgramLines())
    html += "  <li>" + Escaped(lessons::words::Bound(line)) + "</li>\n";
  html +=
      "</ol></section>\n<section aria-labelledby=\"steps-values-title\"><h3 "
      "id=\"steps-values-title\">" +
      Escaped(steps::kValuesLabel) +
      "</h3>\n<table id=\"steps-values\" aria-labelledby=\"steps-values-title\"><thead><tr>"
      "<th scope=\"col\">име</th><th scope=\"col\">стойност</th><th scope=\"col\">значение</th>"
      "</tr></thead><tbody></tbody></table></section>\n</div>\n";
  html +=
      "<p id=\"steps-sentence\"></p>\n<p id=\"steps-announced\" class=\"unseen\" "
      "aria-live=\"polite\"></p>\n";
  html +=
      "<div class=\"steps-bottom\">\n<section aria-labelledby=\"steps-rows-title\"><h3 "
      "id=\"steps-rows-title\">" +
      Escaped(steps::kRowsLabel) + "</h3>\n<p id=\"steps-axes\">" + Escaped(steps::kAxes) +
      "</p>\n<div class=\"steps-rows\"><table id=\"steps-rows\" "
      "aria-labelledby=\"steps-rows-title\"><thead><tr>"
      "<th scope=\"col\">№</th>" +
      ColumnHeads(steps::RowHeadings());
  html +=
      "</tr></thead><tbody></tbody></table></div></section>\n<figure>"
      "<div id=\"steps-drawing\" role=\"img\"></div><figcaption id=\"steps-drawing-words\">"
      "</figcaption></figure>\n</div>\n<div class=\"steps-controls\">\n";
  html += Numbered(steps::kCommandNames, "  <button type=\"button\"", "command", "</button>\n");
  html += "  <label for=\"steps-speed\">" + Escaped(steps::kSpeedLabel) +
          "</label>\n  <select id=\"steps-speed\">";
  for (size_t i = 0; i < steps::kSpeeds.size(); ++i) {
    html += "<option value=\"" + std::to_string(i) + "\"" +
            (static_cast<int>(i) == steps::kDefaultSpeed ? " selected" : "") + ">" +
            Escaped(steps::kSpeeds[i].name) + "</option>";
  }
  html += "</select>\n  <span id=\"steps-counter\"></span>\n</div>\n</div>\n";
  return html;
}

std::string PageHtml(std::string_view page) {
  std::string html(page);
  Replace(html, "@CAPTION@", Escaped(layout::kCaption));
  Replace(html, "@THEME@", ThemeColour());
  Replace(html, "@WINDOW@", WindowHtml());
  Replace(html, "@PICTURE_CAPTION@", Escaped(lessons::PageTitle(0)));
  Replace(html, "@CLOSE@", Escaped(picture::kClose));
  Replace(html, "@MENU@", MenuHtml());
  Replace(html, "@TABS@", TabsHtml());
  Replace(html, "@STEPS@", StepsHtml());
  Replace(html, "@PRACTICE@", PracticeHtml());
  Replace(html, "@CHANGE@", ChangeHtml());
  Replace(html, "@WRITE@", WriteHtml());
  Replace(html, "@HELP@", HelpHtml());
  Replace(html, "@ABOUT_TITLE@", Escaped(lessons::menu::kAboutTitle));
  Replace(html, "@ABOUT_TEXT@", Escaped(lessons::menu::AboutText()));
  return html;
}

std::string AppManifest() {
  std::string icons;
  for (const char* size : {"192", "512"}) {
    icons += std::string(icons.empty() ? "" : ",") + "\n    {\"src\": \"ramka-" + size +
             ".png\", \"sizes\": \"" + size + 'x' + size + "\", \"type\": \"image/png\"}";
  }
  return "{\n  \"name\": " + JsonString(layout::kCaption) +
         ",\n  \"short_name\": " + JsonString(TitleText()) +
         ",\n  \"lang\": \"bg\",\n  \"dir\": \"ltr\",\n  \"id\": \"./\",\n  \"start_url\": \"./\","
         "\n  \"scope\": \"./\",\n  \"display\": \"standalone\",\n  \"background_color\": \"" +
         CssColour(layout::kBackground) + "\",\n  \"theme_color\": \"" + ThemeColour() +
         "\",\n  \"icons\": [" + icons + "\n  ]\n}\n";
}

}  // namespace web
