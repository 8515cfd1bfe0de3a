#pragma once

#include <string>
#include <string_view>

#include "runtime/text.h"

// The program's text as Windows holds it, UTF-16, and back: the one place where the program's
// characters become 16-bit units. A surrogate pair is one character; a lone surrogate, such as
// the first half of a character typed as two key messages, stays the unit it is both ways, so
// that no text is changed by passing through.
namespace windows {

std::wstring ToWide(std::u32string_view text);
runtime::String FromWide(std::wstring_view wide);

// How many UTF-16 units the first `characters` characters of `text` take.
int WideLength(std::u32string_view text, int characters);

// The UTF-8 texts of the layout table as UTF-16.
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace windows
