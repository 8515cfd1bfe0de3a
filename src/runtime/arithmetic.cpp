#include "runtime/arithmetic.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace runtime {

namespace {

constexpr int64_t kLowest = std::numeric_limits<int16_t>::min();
constexpr int64_t kHighest = std::numeric_limits<int16_t>::max();

}  // namespace

int16_t FloorToInt16(double value) {
  const double floor = std::floor(value);
  // Written so that NaN fails the test as well.
  if (!(floor >= static_cast<double>(kLowest) && floor <= static_cast<double>(kHighest))) {
    throw RuntimeError(RuntimeError::kOverflow);
  }
  return static_cast<int16_t>(floor);
}

int16_t ToInt16(int64_t value) {
  if (value < kLowest || value > kHighest) throw RuntimeError(RuntimeError::kOverflow);
  return static_cast<int16_t>(value);
}

int16_t Add16(int16_t left, int16_t right) {
  return ToInt16(int64_t{left} + int64_t{right});
}

int16_t Subtract16(int16_t left, int16_t right) {
  return ToInt16(int64_t{left} - int64_t{right});
}

int16_t Negate16(int16_t value) {
  return ToInt16(-int64_t{value});
}

int16_t Multiply16(int16_t left, int16_t right) {
  return ToInt16(int64_t{left} * int64_t{right});
}

int16_t Quotient16(int16_t left, int16_t right) {
  if (right == 0) throw RuntimeError(RuntimeError::kDivisionByZero);
  return ToInt16(int64_t{left} / int64_t{right});  // -32768 div -1 overflows
}

int16_t Remainder16(int16_t left, int16_t right) {
  if (right == 0) throw RuntimeError(RuntimeError::kDivisionByZero);
  return static_cast<int16_t>(int64_t{left} % int64_t{right});
}

double SquareRoot(double value) {
  if (value < 0) throw RuntimeError(RuntimeError::kInvalidCall);
  return std::sqrt(value);
}

}  // namespace runtime
