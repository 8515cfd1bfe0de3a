#include "language/words.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "runtime/number_text.h"
#include "runtime/text.h"

namespace language::words {

namespace {

using runtime::Fill;

std::string Utf8(std::u32string_view text) {
  return runtime::ToUtf8(text);
}

// An error of a kind at a place: "Ред 3: " and the sentence filled in from its pattern.
Error Said(Error::Kind kind, Place place, std::string_view pattern,
           std::initializer_list<std::string_view> parts = {}, int number = 0) {
  return {kind, place, "Ред " + std::to_string(place.line) + ": " + Fill(pattern, parts), number};
}

Error Syntax(Place place, std::string_view pattern,
             std::initializer_list<std::string_view> parts = {}) {
  return Said(Error::Kind::kSyntax, place, pattern, parts);
}

// A run-time error: the sentence first, then the program's own number and description.
Error RunTime(Place place, const std::string& sentence, const runtime::RuntimeError& error) {
  return Said(Error::Kind::kRunTime, place, "{0} (Грешка {1}: {2})",
              {sentence, std::to_string(error.number()), error.description()}, error.number());
}

std::string Character(char32_t c) {
  return Utf8(std::u32string(1, c));
}

// "U+0007".
std::string CodeOf(char32_t c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string code = "U+";
  const int digits = c > 0xFFFF ? 6 : 4;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
    code += kHex[(c >> shift) & 0xF];
  return code;
}

// " Може би „RootSide“?", and where only the case differs, that case matters.
std::string Guessed(const std::optional<names::Guess>& guess) {
  if (!guess) return "";
  return Fill(guess->only_case ? " Може би „{0}“? Главните и малките букви в имената са различни."
                               : " Може би „{0}“?",
              {Utf8(guess->name)});
}

}  // namespace

std::string Number(int64_t value) {
  if (value >= -32768 && value <= 32767) {
    std::string text = runtime::ToUtf8(runtime::WholeText(value < 0 ? -value : value));
    return value < 0 ? "−" + text : text;
  }
  return runtime::ToUtf8(runtime::GroupedText(value));
}

// Whether the word that ends at `end` can be a sign's left operand: a number, a closing bracket,
// a name of Latin letters, or a single letter; not a word of the prose ("пиши × или *").
bool IsOperand(std::string_view text, size_t end) {
  size_t begin = end;
  while (begin > 0 && text[begin - 1] != ' ')
    --begin;
  const std::string_view word = text.substr(begin, end - begin);
  if (word.empty()) return false;
  const char last = word.back();
  if (last == ')' || (last >= '0' && last <= '9')) return true;
  const bool latin = std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
  const bool one_letter = word.size() == 2 && (static_cast<unsigned char>(word[0]) & 0xE0) == 0xC0;
  return latin || one_letter;
}

std::string Spoken(const std::string& text) {
  struct Sign {
    std::string_view sign;
    std::string_view said;
    bool between;  // a sign only between two operands
  };
  static constexpr std::array<Sign, 12> kSigns = {{{" ≠ ", " не е ", true},
                                                   {" ≤ ", " е по-малко или равно на ", true},
                                                   {" ≥ ", " е по-голямо или равно на ", true},
                                                   {" < ", " е по-малко от ", true},
                                                   {" > ", " е по-голямо от ", true},
                                                   {" = ", " е ", true},
                                                   {" ← ", " става ", true},
                                                   {" × ", " по ", true},
                                                   {" + ", " плюс ", true},
                                                   {" − ", " минус ", true},
                                                   {"−", "минус ", false},
                                                   {"√", "корен от ", false}}};
  // A no-break space reads as a blank.
  std::string plain;
  plain.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text.compare(at, 2, "\u00A0") == 0) {
      plain += ' ';
      ++at;
    } else {
      plain += text[at];
    }
  }
  std::string said;
  said.reserve(plain.size() + 32);
  size_t at = 0;
  while (at < plain.size()) {
    const Sign* found = nullptr;
    for (const Sign& sign : kSigns) {
      if (plain.compare(at, sign.sign.size(), sign.sign) == 0 &&
          (!sign.between || IsOperand(plain, at))) {
        found = &sign;
        break;
      }
    }
    if (found == nullptr) {
      said += plain[at++];
    } else {
      said += found->said;
      at += found->sign.size();
    }
  }
  return said;
}

Error TooManyLines() {
  return {Error::Kind::kLimit,
          {501, 0, 0},
          "Програмата ти има повече от 500 реда, а може да има най-много 500.",
          0};
}

Error TooLong(int line) {
  return {Error::Kind::kLimit,
          {line, 0, 0},
          "Програмата ти е по-дълга от 10 000 знака, а може да има най-много 10 000.",
          0};
}

Error NotText(Place place) {
  return Syntax(place, "тук има байтове, които не са текст (UTF-8). Запиши файла като текст.");
}

Error ControlCharacter(Place place, char32_t character) {
  return Syntax(place, "тук има невидим управляващ знак ({0}). Изтрий го.", {CodeOf(character)});
}

Error ForeignLetter(Place place, char32_t letter) {
  return Syntax(place,
                "буквата „{0}“ не е нито българска, нито латинска. В имената пиши български или "
                "латински букви, цифри и _.",
                {Character(letter)});
}

Error UnknownSign(Place place, char32_t sign) {
  struct Hint {
    std::u32string_view signs;
    const char* hint;
  };
  static constexpr Hint kHints[] = {
      {U"%", " За остатък пиши mod."},
      {U"^²", " За степен умножавай: x × x."},
      {U"[]{}", " Скобите тук са само кръгли: ( и )."},
      {U"&|", " Две условия се свързват с „и“ или с „или“."},
      {U"!", " За „не е равно“ пиши ≠ или <>."},
      {U"\"'„“", " Езикът няма текстове в кавички: покажи x показва името и стойността на x."},
  };
  const char* hint = "";
  for (const Hint& each : kHints) {
    if (each.signs.find(sign) != std::u32string_view::npos) hint = each.hint;
  }
  return Syntax(place, "знакът „{0}“ не е от езика.{1}", {Character(sign), hint});
}

Error StrayIndent(Place place, bool shallower) {
  return Syntax(place, shallower ? "този ред е с по-малък отстъп от реда над него, но по-голям от "
                                   "заглавието на блока. Редовете на един блок стоят с еднакъв "
                                   "отстъп."
                                 : "този ред е с отстъп, а редът над него не започва блок. Махни "
                                   "отстъпа или сложи над него „ако“, „за“ или „докато“.");
}

Error TooDeep(Place place) {
  return Syntax(place,
                "блоковете са вложени един в друг твърде дълбоко (повече от 30). Раздели "
                "програмата на подпрограми.");
}

Error ElseWithoutIf(Place place, bool after_else) {
  return Syntax(place, after_else
                           ? "това „ако“ вече има „иначе“; след него не може да има друг клон."
                           : "„иначе“ започва свой ред, точно под своето „ако“, със същия отстъп.");
}

Error DivideOrMultiply(Place place) {
  return Syntax(place,
                "За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × "
                "или *.");
}

Error MissingSign(Place place, const std::string& next) {
  return Syntax(place,
                "пред „{0}“ липсва знак, например × или +. Две команди на един ред се отделят с "
                "„;“.",
                {next});
}

Error AfterStatement(Place place, const std::string& next) {
  return Syntax(place,
                "„{0}“ не може да стои тук, след командата. Две команди на един ред се отделят с "
                "„;“.",
                {next});
}

Error ColonExpected(Place place, const std::string& header) {
  return Syntax(place,
                "след заглавието на „{0}“ трябва „:“, а после блокът: на същия ред или на "
                "следващите редове, с по-голям отстъп.",
                {header});
}

Error EmptyBlock(Place place, const std::string& header) {
  return Syntax(place,
                "блокът на „{0}“ е празен. Напиши го след „:“ на същия ред или на следващите "
                "редове, с по-голям отстъп.",
                {header});
}

Error CounterExpected(Place place) {
  return Syntax(place, "тук трябва име на брояч, например: за i от 2 до RootSide.");
}

Error WordExpected(Place place, const std::string& after, const char* word) {
  return Syntax(place, "след „{0}“ трябва да стои „{1}“, например: за i от 2 до RootSide.",
                {after, word});
}

Error DefinitionPlace(Place place, const std::string& name) {
  return Syntax(place,
                "„{0}:“ започва подпрограма, а подпрограма се определя само в началото на ред без "
                "отстъп. За да дадеш стойност, пиши {0} ← …",
                {name});
}

Error DefinedTwice(Place place, const std::string& name, int first_line) {
  return Syntax(place, "подпрограмата „{0}“ вече е определена на ред {1}. Дай на тази друго име.",
                {name, std::to_string(first_line)});
}

Error SubprogramIsVariable(Place place, const std::string& name) {
  return Syntax(place,
                "„{0}“ е име на подпрограма. Подпрограма и променлива не може да имат едно име.",
                {name});
}

Error NotAStatement(Place place) {
  return Syntax(place,
                "тук трябва команда, например x ← 5, ред a, b, P, покажи x или ако x > 0: …");
}

Error EqualForAssign(Place place, const std::string& name) {
  return Syntax(place,
                "за да дадеш стойност на {0}, пиши {0} ← … (или {0} := …). Знакът = само "
                "сравнява.",
                {name});
}

Error RowNeedsThree(Place place) {
  return Syntax(place,
                "„ред“ записва три числа: страна по абсцисата, страна по ординатата и рамката, "
                "например: ред i, j, P.");
}

Error ValueExpected(Place place, const std::string& before) {
  return before.empty() ? Syntax(place, "тук трябва число, име или израз.")
                        : Syntax(place, "след „{0}“ трябва число, име или израз.", {before});
}

Error WordsAfterEnd(Place place) {
  return Syntax(place,
                "„край“ спира цялата програма. Блокът свършва сам там, където свършва "
                "отстъпът.");
}

Error AndAsName(Place place) {
  return Syntax(place,
                "„и“ е дума от езика (между две условия). За брояч напиши латинско i или друга "
                "буква.");
}

Error BeginPlace(Place place) {
  return Syntax(place, "„начало“ може да стои само сама на първия ред.");
}

Error NextOutsideLoop(Place place, const std::string& counter) {
  return Syntax(place,
                "„следващото {0}“ може да стои само вътре в „за {0} …“, в същата подпрограма.",
                {counter});
}

Error NoSubprogram(Place place, const std::u32string& name, bool is_variable,
                   const std::optional<names::Guess>& guess) {
  const std::string written = Utf8(name);
  if (is_variable)
    return Syntax(place,
                  "„{0}“ е променлива, не подпрограма. За да видиш стойността ѝ, пиши покажи {0}.",
                  {written});
  if (guess) return Syntax(place, "няма подпрограма „{0}“.{1}", {written, Guessed(guess)});
  return Syntax(place,
                "няма подпрограма „{0}“. Подпрограма се определя с „{0}:“ в началото на ред.",
                {written});
}

Error ReservedAsName(Place place, const char* word) {
  return Syntax(place, "„{0}“ е дума от езика и не може да е име. Избери друго име.", {word});
}

Error ConditionExpected(Place place, const char* after, const std::optional<std::string>& text) {
  if (!text)
    return Syntax(place, "след „{0}“ трябва условие, например: {0} P < BestFrame.", {after});
  return Syntax(place,
                "„{1}“ е число, а след „{0}“ трябва условие, което е вярно или не, например: {0} "
                "P < BestFrame.",
                {after, *text});
}

Error ConditionNotValue(Place place, const std::string& text) {
  return Syntax(place, "„{0}“ е условие (вярно или не), а тук трябва число.", {text});
}

Error UnopenedBracket(Place place) {
  return Syntax(place, "тази затваряща скоба „)“ няма своя отваряща „(“.");
}

Error UnclosedBracket(Place place) {
  return Syntax(place, "скобата „(“ не е затворена. Сложи „)“ там, където свършва изразът в нея.");
}

Error AssignInCondition(Place place, const char* after) {
  return Syntax(place, "в условието на „{0}“ сравнявай със =; знакът ← дава стойност.", {after});
}

Error JoinsConditions(Place place, const char* word) {
  if (std::string_view(word) == "не")
    return Syntax(place, "„не“ стои пред условие, например: не i > 1.");
  return Syntax(place, "„{0}“ свързва две условия, например: i > 1 {0} j > 1.", {word});
}

Error ChainedComparison(Place place) {
  return Syntax(place,
                "две сравнения едно след друго не може: вместо 1 < x < 5 пиши 1 < x и x < 5.");
}

Error WholePartOnly(Place place) {
  return Syntax(place, "числата тук са само цели: пиши „цялата част на √x“.");
}

Error WholePartOf(Place place) {
  return Syntax(place, "пиши „цялата част на √x“ или „цялата част на корен(x)“.");
}

Error NumberTooLarge(Place place, const std::string& text) {
  return Syntax(place, "числото {0} е по-голямо от 32767, най-голямото число тук.", {text});
}

Error LetterCountWords(Place place) {
  return Syntax(place, "броят на буквите се пише така: „броят на буквите“.");
}

Error NotAValue(Place place, const std::string& text) {
  return Syntax(place, "„{0}“ не може да стои тук; тук трябва число, име или израз.", {text});
}

Error TooComplex(Place place) {
  return Syntax(place,
                "изразът е твърде сложен (скоби и знаци, вложени повече от 40 пъти). Раздели го "
                "на няколко присвоявания.");
}

Error Overflow(Place place, const std::string& operation, int64_t exact,
               const runtime::RuntimeError& error) {
  return RunTime(
      place,
      Fill("{0} дава {1}, а числата тук са само от −32768 до 32767.", {operation, Number(exact)}),
      error);
}

Error NegativeRoot(Place place, const std::string& operand, int64_t value,
                   const runtime::RuntimeError& error) {
  return RunTime(place,
                 Fill("няма корен от отрицателно число, а {0} е {1}.", {operand, Number(value)}),
                 error);
}

Error DivisionByZero(Place place, const std::string& divisor, const runtime::RuntimeError& error) {
  return RunTime(place,
                 divisor.empty() ? "не може да се дели на 0."
                                 : Fill("не може да се дели на 0, а {0} е 0.", {divisor}),
                 error);
}

Error Unset(Place place, const std::u32string& name, const std::optional<names::Guess>& guess) {
  const std::string written = Utf8(name);
  if (names::Folded(name) == U"N")
    return Said(Error::Kind::kRunTime, place,
                "{0} още няма стойност. Започни с {0} ← броят на буквите.", {written});
  return Said(Error::Kind::kRunTime, place, "„{0}“ още няма стойност.{1}",
              {written, guess ? Guessed(guess)
                              : Fill(" Дай ѝ стойност, например {0} ← 0, преди да я използваш.",
                                     {written})});
}

Error CounterAssigned(Place place, const std::u32string& name, int loop_line) {
  return Said(Error::Kind::kRunTime, place,
              "{0} е броячът на „за“ от ред {1}; докато цикълът върви, не му давай друга "
              "стойност.",
              {Utf8(name), std::to_string(loop_line)});
}

Error TooManySteps(Place place, int64_t steps) {
  return {Error::Kind::kLimit, place,
          Fill("Програмата ти направи {0} стъпки и още не е свършила; последната стъпка е на ред "
               "{1}. Може би някой цикъл никога не спира?",
               {Number(steps), std::to_string(place.line)}),
          0};
}

Error CallsTooDeep(Place place, const std::u32string& name, int calls) {
  return Said(Error::Kind::kLimit, place,
              "подпрограмите са извикани една в друга {0} пъти и още не са свършили. Може би {1} "
              "вика сама себе си без край?",
              {std::to_string(calls), Utf8(name)});
}

Error TooManyRows(Place place, int rows) {
  return Said(Error::Kind::kLimit, place,
              "програмата ти записа вече {0} реда; повече не се побират в таблицата.",
              {std::to_string(rows)});
}

Error TooMuchOutput(Place place, int lines) {
  return Said(Error::Kind::kLimit, place,
              "програмата ти показа вече {0} реда; повече не се побират.", {std::to_string(lines)});
}

}  // namespace language::words
