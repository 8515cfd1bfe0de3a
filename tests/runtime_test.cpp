#include <gtest/gtest.h>

#include <cmath>
#include <ios>
#include <limits>
#include <optional>

#include "runtime/arithmetic.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "runtime/text.h"

namespace {

using runtime::RuntimeError;

TEST(ReadNumber, ReadsTheNumberAtTheStartOfTheText) {
  const struct {
    std::u32string text;
    double value;
  } cases[] = {
      {U"", 0},
      {U"70", 70},
      {U"  7 0 ", 70},             // blanks inside a number are ignored
      {U"\t1\n6\t3\n8 0", 16380},  // so are tabs and line feeds
      {U"+12", 12},
      {U"-12", -12},
      {U"- 1 2", -12},
      {U"+", 0},
      {U"-", 0},
      {U".", 0},
      {U"-.", 0},
      {U"+-3", 0},
      {U"--3", 0},
      {U"7.9", 7.9},
      {U".5", 0.5},
      {U"5.", 5},
      {U"-0.5", -0.5},
      {U"-0,5", -0},  // a comma is no decimal point
      {U"1,5", 1},
      {U"1.2.3", 1.2},  // one period at most
      {U"16e3", 16000},
      {U"16E3", 16000},
      {U"2e+4", 20000},
      {U"25e-1", 2.5},
      {U"1 e 2", 100},
      {U"-1e4", -10000},
      {U"9e9", 9e9},
      {U"1e", 1},  // an exponent without digits is not read
      {U"1e+", 1},
      {U"1e-x", 1},
      {U".e5", 0},
      {U"e5", 0},
      {U"abc", 0},
      {U"12abc34", 12},
      {U"0x1F", 0},
      {U"&H10", 0},  // decimal notation only
      {U"&O17", 0},
      {U"1D3", 1},
      {U"\r5", 0},      // a carriage return is not ignored
      {U"\u00a05", 0},  // nor is a no-break space
      {U"٣", 0},        // nor digits of other scripts
      {U"00012", 12},
      {U"1e400", std::numeric_limits<double>::infinity()},
      {U"-1e400", -std::numeric_limits<double>::infinity()},
      {U"1e-400", 0},
      {U"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       U"0000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       U"0000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       U"0000000000000000000000000000000000000000000000000000000000000000000000000000000001e5",
       0},
      {U"0e99999999999999999999", 0},
      {U"1e99999999999999999999", std::numeric_limits<double>::infinity()},
      {U"0.1e2", 10},
      {U"123456789012345678901234567890", 123456789012345678901234567890.0},
      // Numbers whose nearest double an 80-bit register would miss by rounding twice: once to
      // its own 64 bits, then to the double's 53. Short ones, whose digits and power of ten are
      // exact doubles, and a long one that lies just below a point halfway between two doubles.
      {U"4199932.0730033", 4199932.0730033},
      {U"500571658233741e-10", 500571658233741e-10},
      {U"0.00045674214264605", 0.00045674214264605},
      {U"6.8767487649926200", 6.8767487649926200},
      {U"6.9999999999999995559107901499373838305473327636718749",
       6.9999999999999995559107901499373838305473327636718749},
  };
  for (const auto& c : cases) {
    const double read = runtime::ReadNumber(c.text);
    EXPECT_EQ(read, c.value) << "text of " << c.text.size() << " characters starting with U+"
                             << std::hex << (c.text.empty() ? 0u : static_cast<unsigned>(c.text[0]))
                             << ": read " << std::hexfloat << read << ", not " << c.value;
  }
  EXPECT_TRUE(std::signbit(runtime::ReadNumber(U"-0,5")));
}

TEST(WholeText, IsTheDecimalTextOfAWholeNumber) {
  EXPECT_EQ(runtime::WholeText(int64_t{0}), U"0");
  EXPECT_EQ(runtime::WholeText(int64_t{70}), U"70");
  EXPECT_EQ(runtime::WholeText(int64_t{-19994}), U"-19994");
  EXPECT_EQ(runtime::WholeText(int64_t{-32768}), U"-32768");
  EXPECT_EQ(runtime::WholeText(std::numeric_limits<int64_t>::min()), U"-9223372036854775808");
  EXPECT_EQ(runtime::WholeText(std::numeric_limits<int64_t>::max()), U"9223372036854775807");
  EXPECT_EQ(runtime::WholeText(9.0), U"9");
  EXPECT_EQ(runtime::WholeText(-0.0), U"0");
  EXPECT_EQ(runtime::WholeText(-128.0), U"-128");
  EXPECT_EQ(runtime::WholeText(40.0), U"40");
  EXPECT_EQ(runtime::WholeText(1e20), U"100000000000000000000");
  EXPECT_EQ(runtime::WholeText(-0x1p64), U"-18446744073709551616");
  EXPECT_EQ(runtime::ToUtf8(runtime::WholeText(std::numeric_limits<double>::max())),
            "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058"
            "95586327668781715404589535143824642343213268894641827684675467035375169860499105765512"
            "82076245490090389328944075868508455133942304583236903222948165808559332123348274797826"
            "204144723168738177180919299881250404026184124858368");
}

std::optional<int> ErrorOf(auto&& operation) {
  try {
    operation();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

TEST(Arithmetic, FloorToInt16KeepsTheRangeAndReportsOverflow) {
  const struct {
    double value;
    std::optional<int16_t> result;  // none: overflow
  } cases[] = {
      {7.9, 7},
      {-0.5, -1},
      {-0.0, 0},
      {32767.99, 32767},
      {32768, std::nullopt},
      {-32768, -32768},
      {-32767.5, -32768},
      {-32768.01, std::nullopt},
      {9e9, std::nullopt},
      {std::numeric_limits<double>::infinity(), std::nullopt},
      {-std::numeric_limits<double>::infinity(), std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const auto& c : cases) {
    int16_t result = 0;
    const auto error = ErrorOf([&] { result = runtime::FloorToInt16(c.value); });
    if (c.result) {
      EXPECT_EQ(error, std::nullopt) << c.value;
      EXPECT_EQ(result, *c.result) << c.value;
    } else {
      EXPECT_EQ(error, RuntimeError::kOverflow) << c.value;
    }
  }
}

TEST(Arithmetic, CheckedSixteenBitOperationsOverflowExactlyAtTheEdges) {
  EXPECT_EQ(runtime::Add16(32766, 1), 32767);
  EXPECT_EQ(ErrorOf([] { runtime::Add16(32767, 1); }), RuntimeError::kOverflow);
  EXPECT_EQ(runtime::Add16(-32767, -1), -32768);
  EXPECT_EQ(ErrorOf([] { runtime::Add16(-32768, -1); }), RuntimeError::kOverflow);
  EXPECT_EQ(runtime::Multiply16(16383, 2), 32766);
  EXPECT_EQ(ErrorOf([] { runtime::Multiply16(16384, 2); }), RuntimeError::kOverflow);
  EXPECT_EQ(runtime::Multiply16(-16384, 2), -32768);
  EXPECT_EQ(ErrorOf([] { runtime::Multiply16(-16385, 2); }), RuntimeError::kOverflow);
  EXPECT_EQ(ErrorOf([] { runtime::Multiply16(-32768, -1); }), RuntimeError::kOverflow);
  EXPECT_EQ(runtime::ToInt16(int64_t{-32768}), -32768);
  EXPECT_EQ(ErrorOf([] { runtime::ToInt16(int64_t{32768}); }), RuntimeError::kOverflow);
  EXPECT_EQ(ErrorOf([] { runtime::ToInt16(int64_t{-32769}); }), RuntimeError::kOverflow);
}

TEST(Arithmetic, SubtractsNegatesAndDividesAsThePupilsLanguageNeeds) {
  EXPECT_EQ(runtime::Subtract16(-32767, 1), -32768);
  EXPECT_EQ(ErrorOf([] { runtime::Subtract16(-32768, 1); }), RuntimeError::kOverflow);
  EXPECT_EQ(ErrorOf([] { runtime::Subtract16(0, -32768); }), RuntimeError::kOverflow);
  EXPECT_EQ(runtime::Negate16(32767), -32767);
  EXPECT_EQ(ErrorOf([] { runtime::Negate16(-32768); }), RuntimeError::kOverflow);
  // Quotient and remainder both round towards zero, so that a = (a div b) × b + a mod b.
  const struct {
    int16_t left, right, quotient, remainder;
  } divisions[] = {{7, 2, 3, 1},    {-7, 2, -3, -1},        {7, -2, -3, 1},
                   {-7, -2, 3, -1}, {-32768, 1, -32768, 0}, {32767, 32767, 1, 0}};
  for (const auto& c : divisions) {
    EXPECT_EQ(runtime::Quotient16(c.left, c.right), c.quotient) << c.left << " " << c.right;
    EXPECT_EQ(runtime::Remainder16(c.left, c.right), c.remainder) << c.left << " " << c.right;
  }
  EXPECT_EQ(ErrorOf([] { runtime::Quotient16(-32768, -1); }), RuntimeError::kOverflow);
  EXPECT_EQ(runtime::Remainder16(-32768, -1), 0);
  EXPECT_EQ(ErrorOf([] { runtime::Quotient16(5, 0); }), RuntimeError::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { runtime::Remainder16(5, 0); }), RuntimeError::kDivisionByZero);
  EXPECT_EQ(RuntimeError(RuntimeError::kDivisionByZero).Message(),
            "Грешка при изпълнение 11:\nДеление на нула");
}

TEST(NumberText, GroupsTheThousandsOfLongNumbersForProse) {
  EXPECT_EQ(runtime::GroupedText(9999), U"9999");
  EXPECT_EQ(runtime::GroupedText(40000), U"40\u00A0000");
  EXPECT_EQ(runtime::GroupedText(1000000), U"1\u00A0000\u00A0000");
  EXPECT_EQ(runtime::GroupedText(-32770), U"\u221232\u00A0770");
  EXPECT_EQ(runtime::GroupedText(-5), U"\u22125");
}

TEST(Arithmetic, SquareRootOfANegativeNumberIsAnInvalidArgument) {
  EXPECT_EQ(runtime::SquareRoot(81), 9);
  EXPECT_EQ(runtime::SquareRoot(0), 0);
  EXPECT_EQ(ErrorOf([] { runtime::SquareRoot(-1); }), RuntimeError::kInvalidCall);
}

}  // namespace

namespace {

TEST(Utf8, CarriesEveryCharacterBothWaysAndReplacesWhatIsNotText) {
  const std::u32string every_width = U"A\u00e9\u0416\u2013\U0001F600";
  EXPECT_EQ(runtime::ToUtf8(every_width), "A\xC3\xA9\xD0\x96\xE2\x80\x93\xF0\x9F\x98\x80");
  EXPECT_EQ(runtime::FromUtf8(runtime::ToUtf8(every_width)), every_width);
  const struct {
    std::string utf8;
    std::u32string text;
  } malformed[] = {
      {"\x80", U"\uFFFD"},              // a continuation byte alone
      {"\xD0", U"\uFFFD"},              // a sequence cut short
      {"\xD0x", U"\uFFFDx"},            // ... by another character
      {"\xC0\xAF", U"\uFFFD"},          // an overlong form
      {"\xED\xA0\x80", U"\uFFFD"},      // a surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD"},  // beyond U+10FFFF
      {"\xFF", U"\uFFFD"},
  };
  for (const auto& c : malformed)
    EXPECT_EQ(runtime::FromUtf8(c.utf8), c.text) << c.utf8.size();
  EXPECT_EQ(runtime::ToUtf8(U"\xD800"), "\xEF\xBF\xBD");
  EXPECT_TRUE(runtime::IsUtf8("за i от 1 до 3 \xF0\x9F\x98\x80"));
  for (const auto& c : malformed)
    EXPECT_FALSE(runtime::IsUtf8("ok" + c.utf8)) << c.utf8.size();
}

}  // namespace
