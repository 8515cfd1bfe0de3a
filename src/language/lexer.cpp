#include "language/lexer.h"

#include <algorithm>

#include "language/words.h"

namespace language {

namespace {

bool IsLatin(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

// The Bulgarian alphabet: А to Я but Ы and Э, in both cases, and Ѝ.
bool IsBulgarian(char32_t c) {
  if (c == U'Ы' || c == U'ы' || c == U'Э' || c == U'э') return false;
  return (c >= U'А' && c <= U'я') || c == U'Ѝ' || c == U'ѝ';
}

// A letter of some other alphabet, which a name may not hold: the Latin letters with marks,
// Greek, the rest of Cyrillic.
bool IsOtherLetter(char32_t c) {
  return (c >= 0xC0 && c <= 0x24F && c != U'×' && c != U'÷') || (c >= 0x370 && c <= 0x52F);
}

struct Symbol {
  std::u32string_view text;
  Sign sign;
};

// The signs, the longer first where one begins another.
constexpr Symbol kSymbols[] = {
    {U"<>", Sign::kNotEqual},     {U"!=", Sign::kNotEqual}, {U"<=", Sign::kLessEqual},
    {U">=", Sign::kGreaterEqual}, {U"==", Sign::kEqual},    {U"←", Sign::kAssign},
    {U"+", Sign::kPlus},          {U"-", Sign::kMinus},     {U"–", Sign::kMinus},
    {U"−", Sign::kMinus},         {U"—", Sign::kMinus},     {U"×", Sign::kTimes},
    {U"*", Sign::kTimes},         {U"=", Sign::kEqual},     {U"≠", Sign::kNotEqual},
    {U"<", Sign::kLess},          {U"≤", Sign::kLessEqual}, {U">", Sign::kGreater},
    {U"≥", Sign::kGreaterEqual},  {U"(", Sign::kOpen},      {U")", Sign::kClose},
    {U",", Sign::kComma},         {U";", Sign::kSemicolon}, {U":", Sign::kColon},
    {U"√", Sign::kRoot},          {U"/", Sign::kSlash},     {U"÷", Sign::kSlash},
    {U".", Sign::kDot},           {U"·", Sign::kDot},       {U"⋅", Sign::kDot},
};

}  // namespace

bool IsNameStart(char32_t c) {
  return IsLatin(c) || IsBulgarian(c) || c == U'_';
}

bool IsNamePart(char32_t c) {
  return IsNameStart(c) || (c >= U'0' && c <= U'9');
}

std::variant<std::vector<Token>, Error> Tokens(const SourceLine& line) {
  const std::u32string& text = line.text;
  std::vector<Token> tokens;
  size_t at = line.first;
  bool joined = false;
  while (at < text.size() && text[at] != U'#') {
    const char32_t c = text[at];
    if (IsBlank(c)) {
      ++at;
      joined = false;
      continue;
    }
    const size_t begin = at;
    if (c >= U'0' && c <= U'9') {
      int64_t value = 0;
      while (at < text.size() && text[at] >= U'0' && text[at] <= U'9')
        value = std::min<int64_t>(value * 10 + (text[at++] - U'0'), 1'000'000'000);
      tokens.push_back({Sign::kNumber, begin, at, joined, value, {}});
    } else if (IsNameStart(c)) {
      while (at < text.size() && IsNamePart(text[at]))
        ++at;
      // A letter of another alphabet inside a name is named by itself.
      if (at < text.size() && IsOtherLetter(text[at]))
        return words::ForeignLetter(PlaceOf(line, at, at + 1), text[at]);
      tokens.push_back({Sign::kWord, begin, at, joined, 0, text.substr(begin, at - begin)});
    } else {
      const Symbol* found = nullptr;
      for (const Symbol& symbol : kSymbols) {
        if (std::u32string_view(text).substr(at, symbol.text.size()) == symbol.text) {
          found = &symbol;
          break;
        }
      }
      if (found == nullptr) {
        const Place place = PlaceOf(line, at, at + 1);
        return IsOtherLetter(c) ? words::ForeignLetter(place, c) : words::UnknownSign(place, c);
      }
      at += found->text.size();
      tokens.push_back({found->sign, begin, at, joined, 0, {}});
    }
    joined = true;
  }
  tokens.push_back({Sign::kEnd, at, at, joined, 0, {}});
  return tokens;
}

}  // namespace language
