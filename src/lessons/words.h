#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// How the lessons write their sentences, in UTF-8: whole numbers and decimals as a Bulgarian
// reader expects them, a count with its noun, and a sentence filled in from its pattern with its
// formulas kept on one line.
namespace lessons::words {

// A noun as the lessons count it: the singular for one, the counted form after any other number
// ("2 знака", "21 знака"), the plural without a number ("всички знаци"), and the definite plural,
// as a sentence begins with it or goes on.
struct Noun {
  const char* one;
  const char* many;
  const char* plural;
  const char* the;  // "буквите"
  const char* The;  // "Буквите"
};

inline constexpr Noun kLetters{"буква", "букви", "букви", "буквите", "Буквите"};
// A proverb's characters, blanks and punctuation too.
inline constexpr Noun kCharacters{"знак", "знака", "знаци", "знаците", "Знаците"};
// One cell, of the rectangle that holds the letters or of its gold frame: a "квадратче" always,
// for "квадрат" is a rectangle with equal sides ("затварящият квадрат", "точен квадрат").
inline constexpr Noun kSquares{"квадратче", "квадратчета", "квадратчета", "квадратчетата",
                               "Квадратчетата"};

// The no-break space that keeps a formula's parts together.
inline constexpr const char* kNoBreak = "\u00A0";

// A whole number as a pupil types it into a box: digits alone, blanks around them allowed. A sign,
// a decimal comma or point, a letter, or nothing at all reads as no number; digits too many to
// matter read as a very large one.
std::optional<int64_t> WholeNumber(std::string_view text);

// The decimal text of a whole number, as the window writes it.
std::string Number(int64_t value);
std::string Number(int value);
// The same for a whole number held in floating point.
std::string Number(double value);
// A whole number as a sentence writes it: a negative one with the minus sign, "−3".
std::string Signed(int64_t value);
// A whole number of five digits or more with its thousands apart, as Bulgarian writes them:
// "32 130" (a no-break space between the groups); shorter ones as Number writes them.
std::string Grouped(int64_t value);
// A number with `decimals` digits after a decimal comma: "8,37".
std::string Decimal(double value, int decimals);
// A count and its noun, the singular for one: "1 квадратче", "2 квадратчета".
std::string Counted(int64_t count, const char* one, const char* many);
std::string Counted(int64_t count, const Noun& noun);
// "8 × 9".
std::string Times(int64_t across, int64_t down);
// A sentence from its pattern: each "{0}" … "{9}" stands for that part. A formula in it stays on
// one line: the blanks on either side of ×, +, =, ≈, <, >, ≤, ≥, − and of the colon that divides
// ("70 : a") become no-break spaces.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> parts);
// The same binding of formulas, for a text put together otherwise.
std::string Bound(std::string text);

}  // namespace lessons::words
