#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/text.h"

// Numbers to text and back, as the count box and the result lists need them.
namespace runtime {

// Reads the number at the start of `text`. Blanks, tabs and line feeds are ignored wherever they
// stand; then come an optional sign, decimal digits with at most one period, and an optional
// exponent (E or e, an optional sign, digits). Reading stops at the first character that cannot
// continue the number, so a comma ends it. A text in which no number begins reads as 0.
// Only decimal notation is read: "&H10" and "1D3" read as 0 and 1.
double ReadNumber(std::u32string_view text);

// The decimal text of a whole number: "-" for a negative value, then its digits, with no blank,
// leading zero, grouping or decimal point.
String WholeText(int64_t value);

// The same for a whole number held in floating point (a fraction is rounded away).
String WholeText(double value);

// A whole number as Bulgarian prose writes it: five digits or more with the thousands apart,
// "40 000" (a no-break space between the groups), and a minus sign (U+2212) before a negative
// one; shorter ones as WholeText writes them, but for the sign.
String GroupedText(int64_t value);

}  // namespace runtime
