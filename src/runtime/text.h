#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace runtime {

// The program's text: a sequence of Unicode characters, one element per character, so that a
// Cyrillic letter counts as one character wherever a length or a limit is taken.
using String = std::u32string;

// The text as UTF-8, and back. Bytes that are not well-formed UTF-8, and UTF-16 surrogates,
// read as U+FFFD, the replacement character.
std::string ToUtf8(std::u32string_view text);
String FromUtf8(std::string_view utf8);

// A sentence from its pattern, in UTF-8: each "{0}" … "{9}" stands for that part.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> parts);

// Whether bytes are well-formed UTF-8 throughout (no surrogates, nothing beyond U+10FFFF).
bool IsUtf8(std::string_view bytes);

}  // namespace runtime
