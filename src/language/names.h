#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the language tells one name from another: names that look the same are the same name, so a
// Cyrillic letter with a Latin twin counts as that twin; otherwise case matters. The words of the
// language are known in any case.
namespace language::names {

// The language's own words, each a word a name may not be.
enum class Word : uint8_t {
  kIf,       // ако
  kElse,     // иначе
  kFor,      // за
  kFrom,     // от
  kTo,       // до
  kWhile,    // докато
  kRow,      // ред
  kShow,     // покажи
  kNext,     // следващото
  kEnd,      // край
  kBegin,    // начало
  kAnd,      // и
  kOr,       // или
  kNot,      // не
  kDiv,      // div
  kMod,      // mod
  kCount,    // броят (на буквите)
  kOf,       // на
  kLetters,  // буквите
  kWhole,    // цялата (част на √)
  kPart,     // част
  kRoot,     // корен
};

// The word of the language that a word of the text is, in any case and with look-alike letters.
std::optional<Word> Reserved(std::u32string_view word);
// How the language writes one of its words.
const char* Spelling(Word word);

// The form under which a name is known: each Cyrillic letter with a Latin twin (А В Е К М Н О Р
// С Т Х а е о р с у х) as that twin.
std::u32string Folded(std::u32string_view name);

// Among the names of a program, the one the pupil probably meant by a name it does not know: one
// that differs only in case, else one a letter or two away; and whether only the case differs.
struct Guess {
  std::u32string name;
  bool only_case;
};
std::optional<Guess> NearName(std::u32string_view name, const std::vector<std::u32string>& known);

}  // namespace language::names
