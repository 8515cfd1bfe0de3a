#include "language/likeness.h"

#include <map>
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
  std::map<std::u32string, size_t> order;
  for (const SourceLine& line : std::get<std::vector<SourceLine>>(lines)) {
    auto tokens = Tokens(line);
    if (std::holds_alternative<Error>(tokens)) return std::nullopt;
    const auto& read = std::get<std::vector<Token>>(tokens);
    if (read.size() == 1) continue;  // a blank line or a comment
    for (const Token& token : read) {
      if (token.sign == Sign::kWord && !names::Reserved(token.word)) {
        const auto [found, added] = order.try_emplace(names::Folded(token.word), order.size());
        shape.push_back(U"#" + std::u32string(1, static_cast<char32_t>(found->second)));
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
