#include "runtime/text.h"

namespace runtime {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

bool IsCharacter(char32_t c) {
  return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

}  // namespace

std::string ToUtf8(std::u32string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (char32_t c : text) {
    if (!IsCharacter(c)) c = kReplacement;
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

String FromUtf8(std::string_view utf8) {
  String text;
  text.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    // The number of continuation bytes, and the smallest character that needs them.
    const int more = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (more < 0 || lead > 0xF4) {
      text += kReplacement;
      continue;
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    char32_t c = more == 0 ? lead : lead & (0x3F >> more);
    int taken = 0;
    while (taken < more && i < utf8.size() &&
           (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
      ++taken;
    }
    text += taken == more && c >= kSmallest[more] && IsCharacter(c) ? c : kReplacement;
  }
  return text;
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> parts) {
  std::string text;
  text.reserve(pattern.size() + 32);
  for (size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] == '{' && at + 2 < pattern.size() && pattern[at + 2] == '}' &&
        static_cast<size_t>(pattern[at + 1] - '0') < parts.size()) {
      text += parts.begin()[pattern[at + 1] - '0'];
      at += 2;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

bool IsUtf8(std::string_view bytes) {
  // FromUtf8 reads every malformed sequence as the replacement character, which it writes back
  // as its own three bytes: so the bytes are well-formed exactly where they read back unchanged.
  return ToUtf8(FromUtf8(bytes)) == bytes;
}

}  // namespace runtime
