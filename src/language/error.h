#pragma once

#include <string>

// Where a pupil's program went wrong, said so that the pupil can act on it.
namespace language {

// A place in the pupil's text: its line, from 1, and the characters it covers on that line,
// counted as the editors count them (UTF-16 code units from the line's start; a tab is one).
struct Place {
  int line = 0;
  int column = 0;
  int length = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// What stopped the program: a text that cannot be read as a program (nothing runs), a run-time
// error of the program's own arithmetic, or one of the limits that keep any text from freezing
// or exhausting the program.
struct Error {
  enum class Kind { kSyntax, kRunTime, kLimit };
  Kind kind = Kind::kSyntax;
  Place place;
  // The sentence, in UTF-8, beginning with its line: "Ред 3: …".
  std::string text;
  // The run-time error's number (5, 6 or 11), 0 for every other kind.
  int number = 0;
};

}  // namespace language
