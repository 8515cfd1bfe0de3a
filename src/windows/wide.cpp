#include "windows/wide.h"

#include <algorithm>

namespace windows {

std::wstring ToWide(std::u32string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char32_t c : text) {
    if (c > 0xFFFF && c <= 0x10FFFF) {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c <= 0xFFFF ? c : 0xFFFD);
    }
  }
  return wide;
}

runtime::String FromWide(std::wstring_view wide) {
  runtime::String text;
  text.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    const auto unit = static_cast<char16_t>(wide[i]);
    const auto next = i + 1 < wide.size() ? static_cast<char16_t>(wide[i + 1]) : u'\0';
    if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
      text += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      text += unit;
    }
  }
  return text;
}

int WideLength(std::u32string_view text, int characters) {
  const auto head = text.substr(0, static_cast<size_t>(std::max(characters, 0)));
  return static_cast<int>(
      head.size() + std::count_if(head.begin(), head.end(), [](char32_t c) { return c > 0xFFFF; }));
}

std::wstring WideFromUtf8(std::string_view utf8) {
  return ToWide(runtime::FromUtf8(utf8));
}

}  // namespace windows
