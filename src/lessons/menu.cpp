#include "lessons/menu.h"

#include "lessons/picture.h"
#include "window/layout.h"

#ifndef RAMKA_VERSION
#error "RAMKA_VERSION names the program's version"
#endif

namespace lessons::menu {

std::string Plain(const char* text) {
  std::string plain;
  for (const char* at = text; *at != '\0'; ++at) {
    if (*at != '&') plain += *at;
  }
  return plain;
}

std::string Mnemonic(const char* text) {
  const std::string all(text);
  const size_t at = all.find('&');
  if (at == std::string::npos || at + 1 >= all.size()) return {};
  size_t end = at + 2;  // the whole UTF-8 character after "&"
  while (end < all.size() && (static_cast<unsigned char>(all[end]) & 0xC0) == 0x80)
    ++end;
  return all.substr(at + 1, end - at - 1);
}

std::string Shortcut(const Item& item) {
  return "F" + std::to_string(item.function_key);
}

bool Enabled(Command command, const window::Form& form) {
  return command != Command::kPicture || picture::SelectedRow(form) >= 0;
}

int PageOf(Command command) {
  switch (command) {
    case Command::kPicture:
      return 0;
    case Command::kSteps:
      return 1;
    case Command::kPractice:
      return 2;
    case Command::kChange:
      return 3;
    case Command::kWrite:
      return 4;
    case Command::kAbout:
      break;
  }
  return -1;
}

bool Activates(Command command) {
  return command == Command::kSteps || command == Command::kPractice ||
         command == Command::kChange || command == Command::kWrite;
}

std::string AboutText() {
  return std::string(window::layout::kCaption) +
         "\nВерсия " RAMKA_VERSION
         "\n\nУчебна програма, която свързва математика и информатика: подрежда буквите на "
         "мантра в правоъгълник от квадрати и намира този, около който златната рамка е "
         "най-малка, като показва и как го прави.\n\nСвободен софтуер под лиценза MIT.";
}

}  // namespace lessons::menu
