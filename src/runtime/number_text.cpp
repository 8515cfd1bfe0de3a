#include "runtime/number_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace runtime {

namespace {

bool IsIgnored(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\n';
}
bool IsDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

// The number found at the start of a text, as plain ASCII without its sign, and the power of ten
// of its leading digit (0 for 1..9, 1 for 10..99, -1 for 0.1..0.9), which tells an overflowing
// number from a vanishing one.
struct ScannedNumber {
  bool negative = false;
  std::string digits;
  int64_t magnitude = std::numeric_limits<int64_t>::min();
};

// Walks the text past the ignored characters and copies out the longest prefix that reads as a
// number.
class NumberScanner {
 public:
  explicit NumberScanner(std::u32string_view text) : text_(text) {}

  ScannedNumber Scan() {
    ScannedNumber number;
    if (Peek() == U'+' || Peek() == U'-') number.negative = Take() == U'-';
    const int64_t whole_digits = TakeDigits(number.digits);
    int64_t fraction_digits = 0;
    if (Peek() == U'.') {
      Take();
      number.digits += '.';
      fraction_digits = TakeDigits(number.digits);
    }
    if (whole_digits == 0 && fraction_digits == 0) return {};
    number.magnitude = LeadingPower(number.digits);
    if (Peek() == U'e' || Peek() == U'E') {
      Take();
      std::string exponent = "e";
      if (Peek() == U'+' || Peek() == U'-') exponent += static_cast<char>(Take());
      if (TakeDigits(exponent) > 0) {
        number.digits += exponent;
        number.magnitude += ExponentValue(exponent);
      }
    }
    return number;
  }

 private:
  char32_t Peek() {
    while (position_ < text_.size() && IsIgnored(text_[position_]))
      ++position_;
    return position_ < text_.size() ? text_[position_] : U'\0';
  }

  char32_t Take() { return text_[position_++]; }

  int64_t TakeDigits(std::string& out) {
    int64_t count = 0;
    while (IsDigit(Peek())) {
      out += static_cast<char>(Take());
      ++count;
    }
    return count;
  }

  // The power of ten of the first non-zero digit of "ddd.ddd"; 0 when every digit is zero.
  static int64_t LeadingPower(const std::string& digits) {
    const size_t point = std::min(digits.find('.'), digits.size());
    const size_t first = digits.find_first_not_of("0.");
    if (first == std::string::npos) return 0;
    return first < point ? static_cast<int64_t>(point - first) - 1
                         : -static_cast<int64_t>(first - point);
  }

  // "e", an optional sign and digits; saturates far beyond any double's exponent.
  static int64_t ExponentValue(const std::string& exponent) {
    int64_t value = 0;
    for (const char c : exponent) {
      if (c >= '0' && c <= '9') value = std::min<int64_t>(value * 10 + (c - '0'), 1'000'000'000);
    }
    return exponent[1] == '-' ? -value : value;
  }

  std::u32string_view text_;
  size_t position_ = 0;
};

// The double nearest to a scanned number (plain ASCII "ddd.ddde-dd"), rounded correctly and
// whatever the locale; false when the number lies beyond the double range, too large or too
// small for any double but zero.
bool NearestDouble(const std::string& digits, double& value) {
#if defined(__cpp_lib_to_chars) && !defined(_WIN32)
  const char* first = digits.data();
  return std::from_chars(first, first + digits.size(), value).ec != std::errc::result_out_of_range;
#else
  // A standard library without floating-point from_chars (the browser build's), or the Windows
  // programs', whose from_chars weighs more than a tenth of the program. Their strtod (musl's and
  // MinGW-w64's) rounds as correctly, and its decimal point is the "C" locale's, which the
  // programs never change.
  errno = 0;
  value = std::strtod(digits.c_str(), nullptr);
  return !(errno == ERANGE && (value == 0 || std::isinf(value)));
#endif
}

}  // namespace

double ReadNumber(std::u32string_view text) {
  const ScannedNumber number = NumberScanner(text).Scan();
  if (number.digits.empty()) return 0;
  double value = 0;
  if (!NearestDouble(number.digits, value)) {
    // Past the double range a number becomes an infinity (which then overflows any count);
    // below it, zero.
    value = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return number.negative ? -value : value;
}

String WholeText(int64_t value) {
  // The digits from the last, of the magnitude as unsigned, so that the lowest value has one too.
  auto magnitude = static_cast<uint64_t>(value);
  if (value < 0) magnitude = ~magnitude + 1;
  char32_t digits[20];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char32_t>(U'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  String text = value < 0 ? U"-" : U"";
  while (count > 0)
    text += digits[--count];
  return text;
}

String GroupedText(int64_t value) {
  String digits = WholeText(value);
  const size_t first = value < 0 ? 1 : 0;  // past the "-"
  if (digits.size() - first >= 5) {
    for (size_t at = digits.size() - 3; at > first; at = at > first + 3 ? at - 3 : first)
      digits.insert(at, 1, U'\u00A0');
  }
  if (value < 0) digits[0] = U'\u2212';
  return digits;
}

String WholeText(double value) {
  const double whole = std::nearbyint(value);
  if (whole == 0) return U"0";  // no "-0"
  if (std::abs(whole) < 9e18) return WholeText(static_cast<int64_t>(whole));
  if (std::isnan(whole)) return U"nan";
  const String sign = whole < 0 ? U"-" : U"";
  if (std::isinf(whole)) return sign + U"inf";
  // A whole double this large is m × 2^e with a 53-bit m: its digits are m's, doubled e times.
  int exponent = 0;
  auto mantissa = static_cast<uint64_t>(std::ldexp(std::frexp(std::abs(whole), &exponent), 53));
  std::vector<int> digits;  // the least significant first
  for (; mantissa > 0; mantissa /= 10)
    digits.push_back(static_cast<int>(mantissa % 10));
  for (exponent -= 53; exponent > 0; --exponent) {
    int carry = 0;
    for (int& digit : digits) {
      digit = 2 * digit + carry;
      carry = digit / 10;
      digit %= 10;
    }
    if (carry > 0) digits.push_back(carry);
  }
  String text = sign;
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit)
    text += static_cast<char32_t>(U'0' + *digit);
  return text;
}

}  // namespace runtime
