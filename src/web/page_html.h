#pragma once

#include <string>
#include <string_view>

// The page's files that are written from the layout table when the page is built.
namespace web {

// The window as HTML: every control of the table as the element that shows it, in tab order,
// with its text and accessible name, so that the browser paints the window as soon as it has
// read the page and its stylesheets. The script then binds these elements to the form.
std::string WindowHtml();

// The window's stylesheet: the window's size and colour, and every control's rectangle and
// colour, so that the page holds no style of its own in its markup.
std::string WindowCss();

// Text as HTML: the characters that could end or start markup as entities.
std::string Escaped(std::string_view text);

// The lessons panel's tabs, its steps page, its practice page, its page that changes the program
// and its page that writes it with the language's help, and the menu bar above the window, as
// HTML.
std::string TabsHtml();
std::string StepsHtml();
std::string PracticeHtml();
std::string ChangeHtml();
std::string WriteHtml();
std::string HelpHtml();
std::string MenuHtml();

// The page itself: `page` with "@CAPTION@", "@THEME@", "@MENU@", "@WINDOW@", "@TABS@", "@STEPS@",
// "@PRACTICE@", "@CHANGE@", "@WRITE@", "@HELP@" and the panel's texts filled in.
std::string PageHtml(std::string_view page);

// The web app manifest: the names, colours and icons under which the page is installed.
std::string AppManifest();

}  // namespace web
