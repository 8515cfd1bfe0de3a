#pragma once

#include <array>
#include <string>

#include "window/model.h"

// The main window's menu bar, which opens what the program teaches beyond the window: its menus
// and items in Bulgarian, each with its mnemonic (the letter after "&") and its shortcut key, and
// when an item can act. Every toolkit builds its menu bar from this table.
namespace lessons::menu {

enum class Command { kPicture, kSteps, kPractice, kChange, kWrite, kAbout };

struct Item {
  Command command;
  const char* text;  // "&" before the mnemonic
  int function_key;  // the shortcut: F1 to F12
};

struct Menu {
  const char* text;  // "&" before the mnemonic
  std::array<Item, 5> items;
  int count;  // of the items in use
};

inline constexpr std::array<Menu, 2> kMenus = {{
    {"&Урок",
     {{{Command::kPicture, "&Картина на реда", 2},
       {Command::kSteps, "&Стъпка по стъпка", 3},
       {Command::kPractice, "&Опитай сам", 4},
       {Command::kChange, "&Промени програмата", 5},
       {Command::kWrite, "&Напиши програмата", 6}}},
     5},
    {"&Помощ", {{{Command::kAbout, "&За програмата", 1}}}, 1},
}};

// The accessible name of the menu bar.
inline constexpr const char* kBarName = "Меню";

// The text without its "&", and the mnemonic letter alone, in UTF-8.
std::string Plain(const char* text);
std::string Mnemonic(const char* text);
// "F2".
std::string Shortcut(const Item& item);

// Whether an item can act now: the picture of the selected row needs a row selected.
bool Enabled(Command command, const window::Form& form);

// The page of the lessons' window an item opens (0 the picture, 1 the steps, 2 the practice, 3 the
// program changed, 4 the program written), or -1 for "За програмата"; and whether that window then
// takes the activation and its page the focus, as for a page to be used, or leaves them with the
// form, as for a row's picture.
int PageOf(Command command);
bool Activates(Command command);

// "За програмата": the program's name, its version, what it is for, its licence.
inline constexpr const char* kAboutTitle = "За програмата";
std::string AboutText();

}  // namespace lessons::menu
