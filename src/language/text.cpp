#include "language/text.h"

#include "language/words.h"

namespace language {

namespace {

// The character that a well-formed UTF-8 sequence at `at` encodes, and its length; a length of
// 0 where the bytes there are not UTF-8.
struct Decoded {
  char32_t character = 0;
  size_t length = 0;
};

Decoded Decode(std::string_view utf8, size_t at) {
  const auto lead = static_cast<unsigned char>(utf8[at]);
  if (lead < 0x80) return {lead, 1};
  const size_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
  if (more == 0 || lead > 0xF4 || at + more >= utf8.size()) return {};
  char32_t c = lead & (0x3F >> more);
  for (size_t k = 1; k <= more; ++k) {
    const auto next = static_cast<unsigned char>(utf8[at + k]);
    if ((next & 0xC0) != 0x80) return {};
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  return {c, more + 1};
}

bool IsControl(char32_t c) {
  return (c < 0x20 && c != U'\t') || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

SourceLine Finish(int number, std::u32string text) {
  SourceLine line{number, std::move(text), 0, 0};
  while (line.first < line.text.size() && IsBlank(line.text[line.first])) {
    line.indent = line.text[line.first] == U'\t' ? (line.indent / 4 + 1) * 4 : line.indent + 1;
    ++line.first;
  }
  return line;
}

}  // namespace

std::variant<std::vector<SourceLine>, Error> ReadLines(std::string_view utf8) {
  std::vector<SourceLine> lines;
  std::u32string text;
  int number = 1;
  int characters = 0;
  size_t at = utf8.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (at < utf8.size()) {
    if (utf8[at] == '\n' || utf8[at] == '\r') {
      at += utf8[at] == '\r' && at + 1 < utf8.size() && utf8[at + 1] == '\n' ? 2 : 1;
      lines.push_back(Finish(number++, std::move(text)));
      text.clear();
      if (number > kMostLines && at < utf8.size()) return words::TooManyLines();
      continue;
    }
    const Decoded decoded = Decode(utf8, at);
    if (decoded.length == 0) {
      const SourceLine line = Finish(number, text);
      return words::NotText(PlaceOf(line, text.size(), text.size() + 1));
    }
    if (IsControl(decoded.character)) {
      const SourceLine line = Finish(number, text);
      return words::ControlCharacter(PlaceOf(line, text.size(), text.size() + 1),
                                     decoded.character);
    }
    if (++characters > kMostCharacters) return words::TooLong(number);
    text += decoded.character;
    at += decoded.length;
  }
  lines.push_back(Finish(number, std::move(text)));
  return lines;
}

int EditorColumn(std::u32string_view line, size_t index) {
  int column = 0;
  for (size_t k = 0; k < index && k < line.size(); ++k)
    column += line[k] > 0xFFFF ? 2 : 1;
  return column;
}

Place PlaceOf(const SourceLine& line, size_t begin, size_t end) {
  const int column = EditorColumn(line.text, begin);
  int length = EditorColumn(line.text, end) - column;
  if (end > line.text.size()) length += static_cast<int>(end - line.text.size());
  return {line.number, column, length};
}

}  // namespace language
