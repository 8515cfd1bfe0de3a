// What the program does where a C++ exception escapes everything, which its code never lets
// happen: it ends at once. The compiler's own handler would first print the exception's type to a
// console, which a Windows program of windows has none of, and to name it would bring the whole
// C++ demangler, some 46 KB, into the program file; this one stands in for it.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
