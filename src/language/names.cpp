#include "language/names.h"

#include <algorithm>
#include <array>

namespace language::names {

namespace {

struct Known {
  Word word;
  std::u32string_view text;
  const char* spelling;
};

char32_t Lower(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= U'А' && c <= U'Я') return c + 32;
  if (c >= U'Ѐ' && c <= U'Џ') return c + 80;
  return c;
}

char32_t Twin(char32_t c) {
  static constexpr std::array<std::pair<char32_t, char32_t>, 18> kTwins = {{
      {U'А', U'A'},
      {U'В', U'B'},
      {U'Е', U'E'},
      {U'К', U'K'},
      {U'М', U'M'},
      {U'Н', U'H'},
      {U'О', U'O'},
      {U'Р', U'P'},
      {U'С', U'C'},
      {U'Т', U'T'},
      {U'Х', U'X'},
      {U'а', U'a'},
      {U'е', U'e'},
      {U'о', U'o'},
      {U'р', U'p'},
      {U'с', U'c'},
      {U'у', U'y'},
      {U'х', U'x'},
  }};
  for (const auto& [cyrillic, latin] : kTwins) {
    if (c == cyrillic) return latin;
  }
  return c;
}

std::u32string Key(std::u32string_view word) {
  std::u32string key(word);
  for (char32_t& c : key)
    c = Twin(Lower(c));
  return key;
}

constexpr std::array<Known, 22> kWords = {{
    {Word::kIf, U"ако", "ако"},
    {Word::kElse, U"иначе", "иначе"},
    {Word::kFor, U"за", "за"},
    {Word::kFrom, U"от", "от"},
    {Word::kTo, U"до", "до"},
    {Word::kWhile, U"докато", "докато"},
    {Word::kRow, U"ред", "ред"},
    {Word::kShow, U"покажи", "покажи"},
    {Word::kNext, U"следващото", "следващото"},
    {Word::kEnd, U"край", "край"},
    {Word::kBegin, U"начало", "начало"},
    {Word::kAnd, U"и", "и"},
    {Word::kOr, U"или", "или"},
    {Word::kNot, U"не", "не"},
    {Word::kDiv, U"div", "div"},
    {Word::kMod, U"mod", "mod"},
    {Word::kCount, U"броят", "броят"},
    {Word::kOf, U"на", "на"},
    {Word::kLetters, U"буквите", "буквите"},
    {Word::kWhole, U"цялата", "цялата"},
    {Word::kPart, U"част", "част"},
    {Word::kRoot, U"корен", "корен"},
}};

// How many letters must change to make one name the other, stopping past `most`.
int Distance(std::u32string_view a, std::u32string_view b, int most) {
  if (static_cast<int>(a.size()) - static_cast<int>(b.size()) > most ||
      static_cast<int>(b.size()) - static_cast<int>(a.size()) > most)
    return most + 1;
  std::vector<int> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j)
    row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (size_t j = 1; j <= b.size(); ++j) {
      const int above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::optional<Word> Reserved(std::u32string_view word) {
  if (word.size() > 10) return std::nullopt;  // longer than the longest word
  static const std::array<std::u32string, kWords.size()> keys = [] {
    std::array<std::u32string, kWords.size()> made;
    for (size_t k = 0; k < kWords.size(); ++k)
      made[k] = Key(kWords[k].text);
    return made;
  }();
  const std::u32string key = Key(word);
  for (size_t k = 0; k < kWords.size(); ++k) {
    if (key == keys[k]) return kWords[k].word;
  }
  return std::nullopt;
}

const char* Spelling(Word word) {
  for (const Known& known : kWords) {
    if (known.word == word) return known.spelling;
  }
  return "";
}

std::u32string Folded(std::u32string_view name) {
  std::u32string folded(name);
  for (char32_t& c : folded)
    c = Twin(c);
  return folded;
}

std::optional<Guess> NearName(std::u32string_view name, const std::vector<std::u32string>& known) {
  const std::u32string key = Key(name);
  for (const std::u32string& other : known) {
    if (Folded(other) != Folded(name) && Key(other) == key) return Guess{other, true};
  }
  const int most = name.size() >= 6 ? 2 : 1;
  std::optional<Guess> best;
  int nearest = most + 1;
  for (const std::u32string& other : known) {
    const int distance = Distance(Key(other), key, most);
    if (distance > 0 && distance < nearest) {
      nearest = distance;
      best = Guess{other, false};
    }
  }
  return best;
}

}  // namespace language::names
