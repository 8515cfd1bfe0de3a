#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// How the lessons write their sentences, in UTF-8: whole numbers and decimals as a Bulgarian
// reader expects them, a count with its noun, and a sentence filled in from its pattern.
namespace lessons::words {

// The decimal text of a whole number, as the window writes it.
std::string Number(int64_t value);
std::string Number(int value);
// The same for a whole number held in floating point.
std::string Number(double value);
// A number with `decimals` digits after a decimal comma: "8,37".
std::string Decimal(double value, int decimals);
// A count and its noun, the singular for one: "1 квадрат", "2 квадрата".
std::string Counted(int64_t count, const char* one, const char* many);
// A sentence from its pattern: each "{0}" … "{9}" stands for that part.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> parts);

}  // namespace lessons::words
