#include "runtime/runtime_error.h"

#include "runtime/number_text.h"
#include "runtime/text.h"

namespace runtime {

const char* RuntimeError::description() const noexcept {
  switch (number_) {
    case kInvalidCall:
      return "Невалидно извикване на процедура или невалиден аргумент";
    case kOverflow:
      return "Препълване";
    case kDivisionByZero:
      return "Деление на нула";
    case kInvalidPropertyValue:
      return "Невалидна стойност на свойство";
  }
  return "Неизвестна грешка";
}

std::string RuntimeError::Message() const {
  return "Грешка при изпълнение " + ToUtf8(WholeText(int64_t{number_})) + ":\n" + description();
}

}  // namespace runtime
