#pragma once

#include <string>

// The lessons keep a formula on one line with no-break spaces; a test that reads a sentence for
// its words reads them as plain blanks.
inline std::string Spaced(std::string text) {
  for (size_t at = text.find("\u00A0"); at != std::string::npos; at = text.find("\u00A0", at))
    text.replace(at, 2, " ");
  return text;
}
