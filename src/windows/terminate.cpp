// What the program does where a C++ exception escapes everything, which its code never lets
// happen: it ends at once. The compiler's own handler would first print the exception's type to a
// console, which a Windows program of windows has none of, and to name it would bring the whole
// C++ demangler, some 46 KB, into the program file; this one stands in for it.
//
// The same for the standard library's own errors (a string or vector asked for more than memory
// can hold, an index past the end): nothing in the program catches them, so that each would end
// it; they end it at once here. The library's versions construct its exception classes, which
// bring a second std::string of the old ABI and what it needs, some 50 KB of the program file.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
  std::abort();
}
void __throw_bad_array_new_length() {
  std::abort();
}
void __throw_bad_function_call() {
  std::abort();
}
void __throw_length_error(const char* /*what*/) {
  std::abort();
}
void __throw_logic_error(const char* /*what*/) {
  std::abort();
}
void __throw_out_of_range(const char* /*what*/) {
  std::abort();
}
void __throw_out_of_range_fmt(const char* /*format*/, ...) {
  std::abort();
}

}  // namespace std
