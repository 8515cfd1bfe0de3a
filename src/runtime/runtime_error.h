#pragma once

#include <exception>
#include <string>

namespace runtime {

// A run-time error: it stops the procedure where it arises and every procedure that called it,
// travelling as an exception up to the top of the event procedure, where it is reported by its
// number and description.
class RuntimeError : public std::exception {
 public:
  enum Number : int {
    kInvalidCall = 5,            // invalid procedure call or argument
    kOverflow = 6,               // a value left the range of its type
    kDivisionByZero = 11,        // an integer division or remainder by 0
    kInvalidPropertyValue = 380  // a control was given a value it cannot hold
  };

  explicit RuntimeError(Number number) noexcept : number_(number) {}

  Number number() const noexcept { return number_; }

  // The standard description of the error, in Bulgarian, UTF-8 encoded.
  const char* description() const noexcept;

  const char* what() const noexcept override { return description(); }

  // What the window's message box says of it, in UTF-8: "Грешка при изпълнение 6:", a line
  // break, and the description.
  std::string Message() const;

 private:
  Number number_;
};

}  // namespace runtime
