#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "language/error.h"

// The pupil's text read as lines of characters, before any word of it is read: strict UTF-8,
// no control characters, and the limits that keep any text small enough to run.
namespace language {

// The most a program may hold, characters and lines (blank lines count too).
inline constexpr int kMostCharacters = 10'000;
inline constexpr int kMostLines = 500;

// One line of the text, without its line break.
struct SourceLine {
  int number;  // from 1
  std::u32string text;
  int indent;    // columns of blanks before its first character, a tab advancing to the next four
  size_t first;  // the index of its first character that is not a blank
};

// The lines of the text, or the error that keeps it from being read: bytes that are not UTF-8,
// a control character, or a text over the limits. A byte-order mark at its start is skipped;
// CR LF, LF and CR each end a line.
std::variant<std::vector<SourceLine>, Error> ReadLines(std::string_view utf8);

// The column the editors count for a character of a line: UTF-16 code units before it.
int EditorColumn(std::u32string_view line, size_t index);
// A place on a line, from the index of its first character and one past its last.
Place PlaceOf(const SourceLine& line, size_t begin, size_t end);

// Whether a character is a blank between words: a space, a tab or a no-break space.
inline bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\u00A0';
}

}  // namespace language
