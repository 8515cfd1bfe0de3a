#include "lessons/words.h"

#include <cmath>

#include "runtime/number_text.h"

namespace lessons::words {

std::string Number(int64_t value) {
  return runtime::ToUtf8(runtime::WholeText(value));
}

std::string Number(int value) {
  return Number(int64_t{value});
}

std::string Number(double value) {
  return runtime::ToUtf8(runtime::WholeText(value));
}

std::string Decimal(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const auto scaled = static_cast<int64_t>(std::llround(std::abs(value) * scale));
  const auto unit = static_cast<int64_t>(scale);
  std::string text = (value < 0 && scaled != 0 ? "-" : "") + Number(scaled / unit);
  if (decimals <= 0) return text;
  std::string fraction = Number(scaled % unit);
  fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
  return text + ',' + fraction;
}

std::string Counted(int64_t count, const char* one, const char* many) {
  return Number(count) + ' ' + (count == 1 ? one : many);
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

}  // namespace lessons::words
