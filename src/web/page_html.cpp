#include "web/page_html.h"

#include <algorithm>
#include <vector>

#include "lessons/change.h"
#include "lessons/menu.h"
#include "lessons/picture.h"
#include "lessons/practice.h"
#include "lessons/steps.h"
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

// The picture panel's two tabs.
std::string TabsHtml() {
  const struct {
    const char* id;
    const char* name;
  } tabs[] = {{"picture", lessons::steps::kPictureTab},
              {"steps", lessons::steps::kStepsTab},
              {"practice", lessons::practice::kTab},
              {"change", lessons::change::kTab}};
  std::string html = "<div role=\"tablist\" id=\"picture-tabs\"" +
                     Attribute("aria-label", picture::kCaption) + ">\n";
  for (const auto& tab : tabs) {
    const bool first = &tab == &tabs[0];
    html += "  <button type=\"button\" role=\"tab\" id=\"tab-" + std::string(tab.id) +
            "\" aria-selected=\"" + (first ? "true" : "false") + "\" aria-controls=\"page-" +
            tab.id + "\"" + (first ? "" : " tabindex=\"-1\"") + ">" + Escaped(tab.name) +
            "</button>\n";
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
      "<div class=\"practice-top\"><label for=\"practice-level\">" +
      Escaped(practice::kLevelLabel) + "</label> <select id=\"practice-level\">";
  for (size_t i = 0; i < practice::kLevels.size(); ++i) {
    html += "<option value=\"" + std::to_string(i) + "\">" + Escaped(practice::kLevels[i].name) +
            "</option>";
  }
  html +=
      "</select><span id=\"practice-progress\"></span></div>\n<p id=\"practice-task\"></p>\n"
      "<p id=\"practice-proverb\"></p>\n<div class=\"practice-sides\">";
  // The boxes keep what is typed, whatever it is, for the core to read: text boxes that bring up
  // a phone's digits, each described by what it takes.
  const char* ids[] = {"practice-across", "practice-down", "practice-frame"};
  for (size_t side = 0; side < 3; ++side) {  // the third, the frame, at the fifth level alone
    html += std::string(side == 2 ? "<span class=\"practice-frame\" hidden>" : "") +
            "<label for=\"" + ids[side] + "\">" + Escaped(headings[side]) +
            "</label><input type=\"text\" id=\"" + ids[side] +
            "\" inputmode=\"numeric\" autocomplete=\"off\" maxlength=\"" +
            std::to_string(practice::kBoxLength) + "\" value=\"1\"" +
            (side == 2 ? " aria-describedby=\"practice-frame-note\">"
                         "<span id=\"practice-frame-note\">" +
                             Escaped(practice::kFrameNote) + "</span></span>"
                       : ">");
  }
  html += "</div>\n<div class=\"practice-buttons\">";
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
      Escaped(practice::kRowsLabel) + "</h3><table><thead><tr>" +
      [&] {
        std::string cells;
        for (const char* heading : headings)
          cells += "<th scope=\"col\">" + Escaped(heading) + "</th>";
        return cells;
      }() +
      "</tr></thead><tbody></tbody></table></section></div>\n"
      "<div class=\"practice-bottom\"><button type=\"button\" data-button=\"" +
      std::to_string(practice::kButtonNames.size() - 1) + "\">" +
      Escaped(practice::kButtonNames.back()) +
      "</button><span id=\"practice-score\"></span><span id=\"practice-best\"></span></div>\n"
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
      Escaped(change::kProgramLabel) + "</h3> <label for=\"change-count\">" +
      Escaped(change::kCountLabel) +
      "</label> <input type=\"text\" id=\"change-count\" inputmode=\"numeric\" "
      "autocomplete=\"off\" maxlength=\"" +
      std::to_string(lessons::practice::kBoxLength) +
      "\" value=\"70\" aria-describedby=\"change-note\"> <span id=\"change-note\"></span>\n"
      "<ol id=\"change-lines\">";
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
          "aria-labelledby=\"change-table-title\"><thead><tr>";
  for (const char* heading : change::kTableHeadings)
    html += "<th scope=\"col\">" + Escaped(heading) + "</th>";
  html += "</tr></thead><tbody></tbody></table>\n<h3 id=\"change-hunt-title\">" +
          Escaped(change::kHuntLabel) +
          "</h3><p id=\"change-task\"></p><div class=\"change-hunt\"><span "
          "class=\"change-guess\"><label for=\"change-guess\">" +
          Escaped(change::kGuessLabel) +
          "</label> <input type=\"text\" id=\"change-guess\" inputmode=\"numeric\" "
          "autocomplete=\"off\" maxlength=\"" +
          std::to_string(lessons::practice::kBoxLength) + "\"></span>";
  for (size_t i = 0; i < change::kButtonNames.size(); ++i) {
    html += "<button type=\"button\" data-change=\"" + std::to_string(i) + "\">" +
            Escaped(change::kButtonNames[i]) + "</button>";
  }
  html +=
      "</div><p id=\"change-said\" aria-live=\"polite\"></p></section>\n"
      "<figure><figcaption id=\"change-work-title\">" +
      Escaped(change::kWorkLabel) + "</figcaption><div id=\"change-chart\" role=\"img\"" +
      Attribute("aria-label", change::kWorkLabel) +
      " aria-describedby=\"change-description\"></div><p id=\"change-sentence\"></p><p "
      "id=\"change-description\" class=\"unseen\"></p></figure></div>\n</div>\n";
  return html;
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
  for (const std::string& line : steps::ProgramLines())
    html += "  <li>" + Escaped(line) + "</li>\n";
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
      Escaped(steps::kRowsLabel) +
      "</h3>\n<div class=\"steps-rows\"><table id=\"steps-rows\" "
      "aria-labelledby=\"steps-rows-title\"><thead><tr>"
      "<th scope=\"col\">№</th>";
  for (const char* heading : steps::RowHeadings())
    html += "<th scope=\"col\">" + Escaped(heading) + "</th>";
  html +=
      "</tr></thead><tbody></tbody></table></div></section>\n<figure>"
      "<div id=\"steps-drawing\" role=\"img\"></div><figcaption id=\"steps-drawing-words\">"
      "</figcaption></figure>\n</div>\n<div class=\"steps-controls\">\n";
  for (size_t i = 0; i < steps::kCommandNames.size(); ++i) {
    html += "  <button type=\"button\" data-command=\"" + std::to_string(i) + "\">" +
            Escaped(steps::kCommandNames[i]) + "</button>\n";
  }
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
  Replace(html, "@PICTURE_CAPTION@", Escaped(picture::kCaption));
  Replace(html, "@CLOSE@", Escaped(picture::kClose));
  Replace(html, "@MENU@", MenuHtml());
  Replace(html, "@TABS@", TabsHtml());
  Replace(html, "@STEPS@", StepsHtml());
  Replace(html, "@PRACTICE@", PracticeHtml());
  Replace(html, "@CHANGE@", ChangeHtml());
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
