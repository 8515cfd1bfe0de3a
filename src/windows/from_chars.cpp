// The one floating-point number the program reads, a decimal the runtime has already scanned into
// plain ASCII ("ddd.ddde-dd"), read by MinGW's own strtod, David Gay's correctly rounded one, in
// place of the standard library's from_chars: the same nearest double, for some 14 KB less of
// the program file (the library's brings tables of powers of five, and float and long double
// readers that nothing uses). MinGW's strtod takes the "C" locale's decimal point, the only one
// the program ever has. The Windows builds of the core's tests read their numbers with it too.
#include <cerrno>
#include <charconv>
#include <cmath>
#include <string>

extern "C" double __mingw_strtod(const char* text, char** end);

namespace std {

from_chars_result from_chars(const char* first, const char* last, double& value,
                             chars_format /*format: only the general one is asked for*/) noexcept {
  const string text(first, last);  // strtod reads up to a null
  char* end = nullptr;
  errno = 0;
  const double read = __mingw_strtod(text.c_str(), &end);
  const char* past = first + (end - text.c_str());
  if (past == first) return {first, errc::invalid_argument};
  // Beyond the double range: too large for any double, or too small for any but zero.
  if (errno == ERANGE && (read == 0 || isinf(read))) return {past, errc::result_out_of_range};
  value = read;
  return {past, errc{}};
}

}  // namespace std
