#include "runtime/runtime_error.h"

namespace runtime {

const char* RuntimeError::description() const noexcept {
  switch (number_) {
    case kInvalidCall:
      return "Невалидно извикване на процедура или невалиден аргумент";
    case kOverflow:
      return "Препълване";
    case kInvalidPropertyValue:
      return "Невалидна стойност на свойство";
  }
  return "Неизвестна грешка";
}

}  // namespace runtime
