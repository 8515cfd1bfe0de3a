#include "lessons/words.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "runtime/number_text.h"

namespace lessons::words {

std::optional<int64_t> WholeNumber(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t last = text.find_last_not_of(' ');
  int64_t value = 0;
  for (size_t at = first; at <= last; ++at) {
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    value = std::min<int64_t>(value * 10 + (text[at] - '0'), 1'000'000'000);
  }
  return value;
}

std::string Number(int64_t value) {
  return runtime::ToUtf8(runtime::WholeText(value));
}

std::string Number(int value) {
  return Number(int64_t{value});
}

std::string Number(double value) {
  return runtime::ToUtf8(runtime::WholeText(value));
}

std::string Signed(int64_t value) {
  return value < 0 ? "−" + Number(-value) : Number(value);
}

std::string Grouped(int64_t value) {
  std::string digits = Number(value < 0 ? -value : value);
  if (digits.size() >= 5) {
    for (size_t at = digits.size() - 3; at > 0; at = at > 3 ? at - 3 : 0)
      digits.insert(at, kNoBreak);
  }
  return (value < 0 ? "-" : "") + digits;
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

std::string Counted(int64_t count, const Noun& noun) {
  return Counted(count, noun.one, noun.many);
}

std::string Times(int64_t across, int64_t down) {
  return Bound(Number(across) + " × " + Number(down));
}

std::string Bound(std::string text) {
  // The signs of a formula, in UTF-8, each kept with what stands on either side of it; the colon
  // divides only with a blank before it, for as punctuation it follows its word. A dash that
  // begins a clause stays with the word before it.
  struct Sign {
    std::string_view text;
    bool spaced_only;  // a sign only with a blank before it
    bool after;        // kept with what follows too
  };
  static constexpr std::array<Sign, 10> kSigns = {{{"×", false, true},
                                                   {"+", false, true},
                                                   {"=", false, true},
                                                   {"≈", false, true},
                                                   {"<", false, true},
                                                   {">", false, true},
                                                   {"≤", false, true},
                                                   {"≥", false, true},
                                                   {":", true, true},
                                                   {"–", true, false}}};
  std::string bound;
  bound.reserve(text.size() + 16);
  size_t at = 0;
  while (at < text.size()) {
    const Sign* found = nullptr;
    for (const Sign& sign : kSigns) {
      if (sign.spaced_only && (at == 0 || text[at - 1] != ' ')) continue;
      if (text.compare(at, sign.text.size(), sign.text) == 0) {
        found = &sign;
        break;
      }
    }
    if (found == nullptr) {
      bound += text[at++];
      continue;
    }
    if (!bound.empty() && bound.back() == ' ') {
      bound.pop_back();
      bound += kNoBreak;
    }
    bound += found->text;
    at += found->text.size();
    if (found->after && at < text.size() && text[at] == ' ') {
      bound += kNoBreak;
      ++at;
    }
  }
  return bound;
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
  return Bound(std::move(text));
}

}  // namespace lessons::words
