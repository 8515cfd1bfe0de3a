#pragma once

#include <string>

namespace runtime {

// The program's text: a sequence of Unicode characters, one element per character, so that a
// Cyrillic letter counts as one character wherever a length or a limit is taken.
using String = std::u32string;

}  // namespace runtime
