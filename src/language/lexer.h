#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "language/error.h"
#include "language/text.h"

// The words and signs of one line of a pupil's program.
namespace language {

enum class Sign : uint8_t {
  kNumber,        // digits
  kWord,          // a name or a word of the language
  kAssign,        // ←
  kPlus,          // +
  kMinus,         // − (also typed - or –)
  kTimes,         // × (also *)
  kEqual,         // =
  kNotEqual,      // ≠ (also <> and !=)
  kLess,          // <
  kLessEqual,     // ≤ (also <=)
  kGreater,       // >
  kGreaterEqual,  // ≥ (also >=)
  kOpen,          // (
  kClose,         // )
  kComma,         // ,
  kSemicolon,     // ;
  kColon,         // :
  kRoot,          // √
  kSlash,         // / or ÷, which divide elsewhere but not here
  kDot,           // . or ·, which multiply elsewhere but not here
  kEnd,           // the end of the line (or a comment)
};

struct Token {
  Sign sign;
  size_t begin;  // the indices of its first character in the line and one past its last
  size_t end;
  bool joined;         // no blank between it and the token before it
  int64_t number = 0;  // a number's value, up to a cap far above any the language holds
  std::u32string word;
};

// The tokens of a line, ending with kEnd; or the error of a character that is not the
// language's: a letter of neither alphabet, a sign it does not know.
std::variant<std::vector<Token>, Error> Tokens(const SourceLine& line);

// Whether a character may begin a name, and go on with one.
bool IsNameStart(char32_t c);
bool IsNamePart(char32_t c);

}  // namespace language
