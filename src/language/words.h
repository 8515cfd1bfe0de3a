#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "language/error.h"
#include "language/names.h"
#include "runtime/runtime_error.h"

// Everything the language says of a text it cannot run, in a teacher's Bulgarian: where, what is
// wrong and what would be right. Each sentence begins with its line ("Ред 3: …").
namespace language::words {

// A number as the language's sentences write it: the program's own values as the program writes
// them, with a minus sign ("−5", "32767"); a number the program cannot hold, and a count, with
// its thousands apart ("40 000", "1 000 000").
std::string Number(int64_t value);

// The same sentence as a screen reader should say it: each sign in words ("≠" "не е", "←"
// "става").
std::string Spoken(const std::string& text);

// Reading the text.
Error TooManyLines();
Error TooLong(int line);
Error NotText(Place place);
Error ControlCharacter(Place place, char32_t character);
Error ForeignLetter(Place place, char32_t letter);
Error UnknownSign(Place place, char32_t sign);

// Reading the statements.
Error StrayIndent(Place place, bool shallower);
Error TooDeep(Place place);
Error ElseWithoutIf(Place place, bool after_else);
Error DivideOrMultiply(Place place);
Error MissingSign(Place place, const std::string& next);
Error AfterStatement(Place place, const std::string& next);
Error ColonExpected(Place place, const std::string& header);
Error EmptyBlock(Place place, const std::string& header);
Error CounterExpected(Place place);
Error WordExpected(Place place, const std::string& after, const char* word);
Error DefinitionPlace(Place place, const std::string& name);
Error DefinedTwice(Place place, const std::string& name, int first_line);
Error SubprogramIsVariable(Place place, const std::string& name);
Error NotAStatement(Place place);
Error EqualForAssign(Place place, const std::string& name);
Error RowNeedsThree(Place place);
Error ValueExpected(Place place, const std::string& before);
Error WordsAfterEnd(Place place);
Error AndAsName(Place place);
Error BeginPlace(Place place);
Error NextOutsideLoop(Place place, const std::string& counter);
Error NoSubprogram(Place place, const std::u32string& name, bool is_variable,
                   const std::optional<names::Guess>& guess);
Error ReservedAsName(Place place, const char* word);
Error ConditionExpected(Place place, const char* after, const std::optional<std::string>& text);
Error ConditionNotValue(Place place, const std::string& text);
Error UnopenedBracket(Place place);
Error UnclosedBracket(Place place);
Error AssignInCondition(Place place, const char* after);
Error JoinsConditions(Place place, const char* word);
Error ChainedComparison(Place place);
Error WholePartOnly(Place place);
Error WholePartOf(Place place);
Error NumberTooLarge(Place place, const std::string& text);
Error LetterCountWords(Place place);
Error NotAValue(Place place, const std::string& text);
Error TooComplex(Place place);

// Running.
Error Overflow(Place place, const std::string& operation, int64_t exact,
               const runtime::RuntimeError& error);
Error NegativeRoot(Place place, const std::string& operand, int64_t value,
                   const runtime::RuntimeError& error);
Error DivisionByZero(Place place, const std::string& divisor, const runtime::RuntimeError& error);
Error Unset(Place place, const std::u32string& name, const std::optional<names::Guess>& guess);
Error CounterAssigned(Place place, const std::u32string& name, int loop_line);
Error TooManySteps(Place place, int64_t steps);
Error CallsTooDeep(Place place, const std::u32string& name, int calls);
Error TooManyRows(Place place, int rows);
Error TooMuchOutput(Place place, int lines);

}  // namespace language::words
