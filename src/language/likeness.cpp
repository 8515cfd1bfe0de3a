#include "language/likeness.h"

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "language/lexer.h"
#include "language/names.h"
#include "language/text.h"

namespace language {

namespace {

// A text as a sequence of its tokens, each name as the order in which it first came, each line
// ended by a mark of its own; nothing where the text cannot be read.
std::optional<std::vector<std::u32string>> Shape(std::string_view text) {
  auto lines = ReadLines(text);
  if (std::holds_alternative<Error>(lines)) return std::nullopt;
  std::vector<std::u32string> shape;
  std::vector<std::u32string> order;  // the names, in the order they first came
  for (const SourceLine& line : std::get<std::vector<SourceLine>>(lines)) {
    auto tokens = Tokens(line);
    if (std::holds_alternative<Error>(tokens)) return std::nullopt;
    const auto& read = std::get<std::vector<Token>>(tokens);
    if (read.size() == 1) continue;  // a blank line or a comment
    for (const Token& token : read) {
      if (token.sign == Sign::kWord && !names::Reserved(token.word)) {
        const std::u32string folded = names::Folded(token.word);
        auto found = std::find(order.begin(), order.end(), folded);
        if (found == order.end()) {
          order.push_back(folded);
          found = order.end() - 1;
        }
        shape.push_back(U"#" + std::u32string(1, static_cast<char32_t>(found - order.begin())));
      } else if (token.sign == Sign::kNumber) {
        shape.push_back(U"0" + std::u32string(1, static_cast<char32_t>(token.number)));
      } else if (token.sign == Sign::kWord) {
        shape.push_back(U"w" +
                        std::u32string(1, static_cast<char32_t>(*names::Reserved(token.word))));
      } else {
        shape.push_back(std::u32string(1, static_cast<char32_t>(token.sign)));
      }
    }
  }
  return shape;
}

}  // namespace

bool SameProgram(std::string_view first, std::string_view second) {
  const auto one = Shape(first);
  const auto other = Shape(second);
  return one && other && *one == *other;
}

}  // namespace language
