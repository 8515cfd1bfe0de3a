#pragma once

#include <cstdint>

// Whole-number arithmetic of the frame search. Counts and frame sizes are 16-bit signed
// integers; every operation that yields one checks that the result fits and raises the
// overflow error (6) when it does not. Wider intermediate values are plain doubles or 64-bit
// integers and are checked only when they are turned into 16 bits.
namespace runtime {

// The largest whole number not above `value`, as a 16-bit integer (NaN and infinities overflow).
int16_t FloorToInt16(double value);

// A whole number held in a wider type, as a 16-bit integer.
int16_t ToInt16(int64_t value);

int16_t Add16(int16_t left, int16_t right);
int16_t Subtract16(int16_t left, int16_t right);
int16_t Negate16(int16_t value);
int16_t Multiply16(int16_t left, int16_t right);
// The integer quotient and the remainder, both rounded towards zero, as the program's integer
// division rounds them (-7 div 2 is -3, -7 mod 2 is -1); a divisor of 0 is the division-by-zero
// error (11).
int16_t Quotient16(int16_t left, int16_t right);
int16_t Remainder16(int16_t left, int16_t right);

// The square root in double precision; a negative argument is an invalid-argument error (5).
double SquareRoot(double value);

}  // namespace runtime
