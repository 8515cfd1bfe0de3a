#include <algorithm>
#include <optional>

#include "language/lexer.h"
#include "language/names.h"
#include "language/program.h"
#include "language/words.h"
#include "runtime/text.h"

namespace language {

namespace {

using names::Word;

// Blocks inside blocks, and brackets, signs and operators inside an expression, at most so deep:
// far beyond any program a pupil writes, and shallow enough for every stack the program runs on.
constexpr int kDeepestBlocks = 30;
constexpr int kDeepestExpression = 40;

// A reason the text is not a program, carried up to Parse.
struct Refusal {
  Error error;
};

[[noreturn]] void Refuse(Error error) {
  throw Refusal{std::move(error)};
}

// An ако and the иначе ако and иначе lines that may still follow it at its indentation.
struct Chain {
  bool open = false;
  bool closed_by_else = false;  // an иначе without a condition came, so no more may
  int test = -1;                // the last test, which goes on to the next branch when false
  std::vector<int> jumps;       // the ends of the branches, on to the end of the chain
};

// A loop being read, for следващото to find.
struct OpenLoop {
  int variable;
  int pass;
  int loop;
};

}  // namespace

// Reads the lines into a program, statement by statement, and emits its instructions as it goes.
class Parser {
 public:
  explicit Parser(std::vector<SourceLine> lines) { program_.lines_ = std::move(lines); }

  Program Read();

 private:
  // A line that holds a statement: its tokens, or the error that keeps them from being read.
  struct Line {
    int index;  // in the program's lines
    int indent;
    std::vector<Token> tokens;
    std::optional<Error> error;
  };

  const SourceLine& Source() const { return program_.lines_[static_cast<size_t>(line_)]; }
  const Token& Peek(size_t ahead = 0) const {
    return (*tokens_)[std::min(at_ + ahead, tokens_->size() - 1)];
  }
  const Token& Take() { return (*tokens_)[at_ < tokens_->size() - 1 ? at_++ : at_]; }
  std::optional<Word> WordAt(size_t ahead = 0) const {
    const Token& token = Peek(ahead);
    return token.sign == Sign::kWord ? names::Reserved(token.word) : std::nullopt;
  }
  bool Is(Word word, size_t ahead = 0) const { return WordAt(ahead) == word; }
  bool IsName(size_t ahead = 0) const {
    return Peek(ahead).sign == Sign::kWord && !WordAt(ahead).has_value();
  }
  bool StartsValue(size_t ahead = 0) const;
  Place At(const Token& token) const { return PlaceOf(Source(), token.begin, token.end); }
  Place Span(size_t begin, size_t end) const { return PlaceOf(Source(), begin, end); }
  std::string Text(size_t begin, size_t end) const {
    return runtime::ToUtf8(std::u32string_view(Source().text).substr(begin, end - begin));
  }
  size_t LastEnd() const { return at_ > 0 ? (*tokens_)[at_ - 1].end : Peek().begin; }

  void FindSubprograms();
  void Enter(size_t line);
  void Block(int parent, int depth);
  void CloseChain(Chain& chain);
  void Else(Chain& chain, int depth);
  void Statements(int depth, Chain* chain);
  bool StartsHeader() const;
  void Header(int depth, Chain* chain);
  void Body(int depth, const char* header, Place where);
  void For(int depth);
  void Definition(int depth);
  void Simple();
  void Assignment();
  void Arguments(Instruction& instruction);
  void Next();
  void Call();

  int Emit(Instruction instruction);
  void Patch(int instruction, int target) {
    program_.instructions_[static_cast<size_t>(instruction)].target = target;
  }
  int Here() const { return static_cast<int>(program_.instructions_.size()); }

  int VariableNamed(const Token& token);
  // The index of a variable or a subprogram known by a name, or -1.
  int VariableIndex(const std::u32string& folded) const;
  int SubprogramIndex(const std::u32string& folded) const;
  void CheckName(const Token& token) const;

  // Expressions, from the loosest binding to the tightest.
  int Condition(const char* after);
  int Value();
  int Or();
  int And();
  int Not();
  int Comparison();
  int Sum();
  int Product();
  int Unary();
  int Implied();
  int Root();
  int Primary();
  int Make(Node node);
  void Deeper(const Token& token);
  int Finish(int root);
  void Compile(int node, int& depth);
  void EmitCode(Node::Kind op, int argument, int node) {
    program_.code_.push_back({op, argument, node});
  }
  const Node& NodeAt(int node) const { return program_.nodes_[static_cast<size_t>(node)]; }

  Program program_;
  std::vector<Line> lines_;
  size_t next_ = 0;  // the next line to read
  int line_ = 0;     // the line being read, and its tokens
  const std::vector<Token>* tokens_ = nullptr;
  size_t at_ = 0;
  int line_indent_ = 0;
  int nesting_ = 0;  // of the expression being read
  std::vector<OpenLoop> loops_;
  std::vector<std::u32string> subprogram_names_;  // as names are compared
};

Program Parser::Read() {
  for (const SourceLine& source : program_.lines_) {
    if (source.first >= source.text.size() || source.text[source.first] == U'#') continue;
    Line line{source.number - 1, source.indent, {}, {}};
    auto tokens = Tokens(source);
    if (auto* error = std::get_if<Error>(&tokens)) {
      line.error = std::move(*error);
    } else {
      line.tokens = std::move(std::get<std::vector<Token>>(tokens));
    }
    lines_.push_back(std::move(line));
  }
  FindSubprograms();
  // "начало" may stand alone as the first line.
  if (!lines_.empty() && !lines_[0].error && lines_[0].tokens.size() == 2 &&
      lines_[0].tokens[0].sign == Sign::kWord &&
      names::Reserved(lines_[0].tokens[0].word) == Word::kBegin)
    ++next_;
  if (next_ < lines_.size()) {
    if (lines_[next_].error) Refuse(*lines_[next_].error);
    if (lines_[next_].indent > 0) {
      Enter(next_);
      Refuse(words::StrayIndent(At(Peek()), false));
    }
    Block(-1, 0);
  }
  Emit({Instruction::Op::kHalt});
  return std::move(program_);
}

// The subprograms, found before anything is read, so that a call may stand before the definition.
void Parser::FindSubprograms() {
  for (const Line& line : lines_) {
    if (line.error || line.indent != 0 || line.tokens.size() < 3) continue;
    const Token& name = line.tokens[0];
    const Token& colon = line.tokens[1];
    if (name.sign != Sign::kWord || names::Reserved(name.word) || colon.sign != Sign::kColon ||
        (line.tokens[2].sign == Sign::kEqual && line.tokens[2].joined))
      continue;
    const std::u32string folded = names::Folded(name.word);
    if (SubprogramIndex(folded) >= 0) continue;  // said where the second one stands
    subprogram_names_.push_back(folded);
    program_.subprograms_.push_back({name.word, -1, line.index});
  }
}

void Parser::Enter(size_t line) {
  const Line& entered = lines_[line];
  line_ = entered.index;
  tokens_ = &entered.tokens;
  at_ = 0;
  line_indent_ = entered.indent;
}

// The lines from the next one on that stand deeper than `parent`, all at the indentation of the
// first of them.
void Parser::Block(int parent, int depth) {
  const int indent = lines_[next_].indent;
  Chain chain;
  while (next_ < lines_.size() && lines_[next_].indent > parent) {
    const Line& line = lines_[next_];
    if (line.error) Refuse(*line.error);
    Enter(next_);
    if (line.indent != indent) Refuse(words::StrayIndent(At(Peek()), line.indent < indent));
    if (depth > kDeepestBlocks) Refuse(words::TooDeep(At(Peek())));
    ++next_;
    if (Is(Word::kElse)) {
      Else(chain, depth);
      continue;
    }
    CloseChain(chain);
    Statements(depth, &chain);
  }
  CloseChain(chain);
}

void Parser::CloseChain(Chain& chain) {
  if (!chain.open) return;
  if (chain.test >= 0) Patch(chain.test, Here());
  for (const int jump : chain.jumps)
    Patch(jump, Here());
  chain = Chain{};
}

// "иначе ако условие" or "иначе", at the beginning of a line under its ако.
void Parser::Else(Chain& chain, int depth) {
  const Token& word = Take();
  if (!chain.open || chain.closed_by_else) Refuse(words::ElseWithoutIf(At(word), chain.open));
  chain.jumps.push_back(Emit({Instruction::Op::kJump}));
  Patch(chain.test, Here());
  chain.test = -1;
  if (Is(Word::kIf)) {
    Take();
    const int condition = Condition("иначе ако");
    Instruction test{Instruction::Op::kTest, line_, static_cast<uint32_t>(word.begin),
                     static_cast<uint32_t>(LastEnd())};
    test.first = condition;
    chain.test = Emit(test);
    Body(depth, "иначе ако", Span(word.begin, LastEnd()));
  } else {
    chain.closed_by_else = true;
    Body(depth, "иначе", At(word));
  }
}

// The statements from the cursor to the end of the line, apart by ";". A header takes the rest
// of the line as its block, or the deeper lines below where nothing follows it. An ако at the
// line's own level is left open in `chain` for the иначе lines that may follow.
void Parser::Statements(int depth, Chain* chain) {
  for (;;) {
    while (Peek().sign == Sign::kSemicolon)
      Take();
    if (Peek().sign == Sign::kEnd) return;
    if (StartsHeader()) {
      Header(depth, chain);
      return;
    }
    Simple();
    if (Peek().sign == Sign::kSemicolon || Peek().sign == Sign::kEnd) continue;
    if (Peek().sign == Sign::kColon || Peek().sign == Sign::kSlash || Peek().sign == Sign::kDot)
      Refuse(words::DivideOrMultiply(At(Peek())));
    if (StartsValue()) Refuse(words::MissingSign(At(Peek()), Text(Peek().begin, Peek().end)));
    if (Peek().sign == Sign::kClose) Refuse(words::UnopenedBracket(At(Peek())));
    Refuse(words::AfterStatement(At(Peek()), Text(Peek().begin, Peek().end)));
  }
}

bool Parser::StartsHeader() const {
  if (Is(Word::kIf) || Is(Word::kFor) || Is(Word::kWhile)) return true;
  return IsName() && Peek(1).sign == Sign::kColon &&
         !(Peek(2).sign == Sign::kEqual && Peek(2).joined);
}

bool Parser::StartsValue(size_t ahead) const {
  const Sign sign = Peek(ahead).sign;
  return sign == Sign::kNumber || sign == Sign::kOpen || sign == Sign::kRoot || IsName(ahead) ||
         Is(Word::kCount, ahead) || Is(Word::kWhole, ahead);
}

void Parser::Header(int depth, Chain* chain) {
  const Token& word = Peek();
  if (Is(Word::kIf)) {
    Take();
    const int condition = Condition("ако");
    Instruction test{Instruction::Op::kTest, line_, static_cast<uint32_t>(word.begin),
                     static_cast<uint32_t>(LastEnd())};
    test.first = condition;
    const int emitted = Emit(test);
    Body(depth, "ако", Span(word.begin, LastEnd()));
    if (chain != nullptr) {
      *chain = Chain{true, false, emitted, {}};
    } else {
      Patch(emitted, Here());
    }
  } else if (Is(Word::kFor)) {
    For(depth);
  } else if (Is(Word::kWhile)) {
    Take();
    const int top = Here();
    Instruction test{Instruction::Op::kWhile, line_, static_cast<uint32_t>(word.begin)};
    test.first = Condition("докато");
    test.end = static_cast<uint32_t>(LastEnd());
    const int emitted = Emit(test);
    Body(depth, "докато", Span(word.begin, LastEnd()));
    Instruction back{Instruction::Op::kJump};
    back.target = top;
    Emit(back);
    Patch(emitted, Here());
  } else {
    Definition(depth);
  }
}

// A header's block: the rest of the line after ":", or the deeper lines below it.
void Parser::Body(int depth, const char* header, Place where) {
  if (Peek().sign == Sign::kColon) {
    Take();
    if (Peek().sign != Sign::kEnd) {
      Statements(depth + 1, nullptr);
      return;
    }
  } else if (Peek().sign != Sign::kEnd) {
    Refuse(words::ColonExpected(At(Peek()), header));
  }
  if (next_ >= lines_.size() || lines_[next_].indent <= line_indent_)
    Refuse(words::EmptyBlock(where, header));
  Block(line_indent_, depth + 1);
}

// "за x от A до B": reached once, then a pass for each value of x.
void Parser::For(int depth) {
  const Token& word = Take();
  if (Peek().sign != Sign::kWord || Is(Word::kFrom)) Refuse(words::CounterExpected(At(Peek())));
  const Token& counter = Take();
  const int variable = VariableNamed(counter);
  const std::string name = Text(counter.begin, counter.end);
  if (!Is(Word::kFrom)) Refuse(words::WordExpected(At(Peek()), "за " + name, "от"));
  Take();
  Instruction start{Instruction::Op::kForStart, line_, static_cast<uint32_t>(word.begin)};
  start.variable = variable;
  start.first = Value();
  const std::string from = Text(word.begin, LastEnd());
  if (!Is(Word::kTo)) {
    if (Peek().sign == Sign::kColon && StartsValue(1)) Refuse(words::DivideOrMultiply(At(Peek())));
    Refuse(words::WordExpected(At(Peek()), from, "до"));
  }
  Take();
  start.second = Value();
  start.end = static_cast<uint32_t>(LastEnd());
  start.loop = program_.loops_++;
  const int started = Emit(start);
  Instruction pass = start;
  pass.op = Instruction::Op::kForPass;
  const int passing = Emit(pass);
  loops_.push_back({variable, passing, start.loop});
  Body(depth, "за", Span(word.begin, LastEnd()));
  loops_.pop_back();
  Instruction back{Instruction::Op::kJump};
  back.target = passing;
  Emit(back);
  Patch(started, Here());
  Patch(passing, Here());
}

// "Име:" at the beginning of a line without indentation, and its block.
void Parser::Definition(int depth) {
  const Token& name = Take();
  if (at_ != 1 || line_indent_ != 0 || depth != 0)
    Refuse(words::DefinitionPlace(At(name), Text(name.begin, name.end)));
  const int index = SubprogramIndex(names::Folded(name.word));
  Subprogram& subprogram = program_.subprograms_[static_cast<size_t>(index)];
  if (subprogram.line != line_)
    Refuse(words::DefinedTwice(At(name), Text(name.begin, name.end), subprogram.line + 1));
  if (VariableIndex(names::Folded(name.word)) >= 0)
    Refuse(words::SubprogramIsVariable(At(name), Text(name.begin, name.end)));
  const int over = Emit({Instruction::Op::kJump});
  subprogram.entry = Here();
  Instruction back{Instruction::Op::kReturn, line_, static_cast<uint32_t>(name.begin),
                   static_cast<uint32_t>(name.end)};
  Body(depth, runtime::ToUtf8(name.word).c_str(), At(name));
  Emit(back);
  Patch(over, Here());
}

void Parser::Simple() {
  const Token& first = Peek();
  const std::optional<Word> word = WordAt();
  if (!word) {
    if (first.sign != Sign::kWord) Refuse(words::NotAStatement(At(first)));
    const Sign after = Peek(1).sign;
    if (after == Sign::kAssign ||
        (after == Sign::kLess && Peek(2).sign == Sign::kMinus && Peek(2).joined) ||
        (after == Sign::kColon && Peek(2).sign == Sign::kEqual && Peek(2).joined)) {
      Assignment();
    } else if (after == Sign::kEqual) {
      Refuse(words::EqualForAssign(At(Peek(1)), Text(first.begin, first.end)));
    } else if (after == Sign::kColon) {
      Refuse(words::DefinitionPlace(At(first), Text(first.begin, first.end)));
    } else if (after == Sign::kSemicolon || after == Sign::kEnd) {
      Call();
    } else {
      Refuse(words::NotAStatement(At(first)));
    }
    return;
  }
  Instruction instruction{Instruction::Op::kRow, line_, static_cast<uint32_t>(first.begin)};
  switch (*word) {
    case Word::kRow:
      Take();
      Arguments(instruction);
      break;
    case Word::kShow:
      Take();
      instruction.op = Instruction::Op::kShow;
      Arguments(instruction);
      break;
    case Word::kNext:
      Next();
      return;
    case Word::kEnd:
      Take();
      if (Peek().sign != Sign::kEnd && Peek().sign != Sign::kSemicolon)
        Refuse(words::WordsAfterEnd(Span(Peek().begin, (*tokens_).back().begin)));
      instruction.op = Instruction::Op::kEnd;
      break;
    case Word::kAnd:
      Refuse(words::AndAsName(At(first)));
    case Word::kBegin:
      Refuse(words::BeginPlace(At(first)));
    case Word::kElse:
      Refuse(words::ElseWithoutIf(At(first), false));
    default:
      Refuse(words::NotAStatement(At(first)));
  }
  instruction.end = static_cast<uint32_t>(LastEnd());
  Emit(instruction);
}

void Parser::Assignment() {
  const Token& name = Take();
  const int variable = VariableNamed(name);
  const Token& sign = Take();
  if (sign.sign != Sign::kAssign) Take();  // the second half of "<-" or ":="
  if (Peek().sign == Sign::kEnd || Peek().sign == Sign::kSemicolon)
    Refuse(words::ValueExpected(At(Peek()), Text(name.begin, sign.end)));
  Instruction assign{Instruction::Op::kAssign, line_, static_cast<uint32_t>(name.begin)};
  assign.variable = variable;
  assign.first = Value();
  assign.end = static_cast<uint32_t>(LastEnd());
  Emit(assign);
}

// The values of ред (three) or покажи (one or more), apart by commas.
void Parser::Arguments(Instruction& instruction) {
  const Token& word = (*tokens_)[at_ - 1];
  const bool row = instruction.op == Instruction::Op::kRow;
  std::vector<int> values;
  for (;;) {
    if (row && !StartsValue() && Peek().sign != Sign::kMinus)
      Refuse(words::RowNeedsThree(Span(word.begin, Peek().end)));
    values.push_back(Value());
    if (Peek().sign != Sign::kComma) break;
    Take();
  }
  if (row && values.size() != 3) Refuse(words::RowNeedsThree(Span(word.begin, LastEnd())));
  if (row) {
    instruction.first = values[0];
    instruction.second = values[1];
    instruction.third = values[2];
  } else {
    instruction.first = static_cast<int>(program_.arguments_.size());
    instruction.count = static_cast<int>(values.size());
    program_.arguments_.insert(program_.arguments_.end(), values.begin(), values.end());
  }
}

void Parser::Next() {
  const Token& word = Take();
  if (Peek().sign != Sign::kWord) Refuse(words::CounterExpected(At(Peek())));
  const Token& counter = Take();
  CheckName(counter);
  const std::u32string folded = names::Folded(counter.word);
  auto found = std::find_if(loops_.rbegin(), loops_.rend(), [&](const OpenLoop& loop) {
    return program_.variables_[static_cast<size_t>(loop.variable)].folded == folded;
  });
  if (found == loops_.rend())
    Refuse(words::NextOutsideLoop(Span(word.begin, counter.end), Text(counter.begin, counter.end)));
  Instruction next{Instruction::Op::kNext, line_, static_cast<uint32_t>(word.begin),
                   static_cast<uint32_t>(counter.end)};
  next.variable = found->variable;
  next.target = found->pass;
  next.leaves = static_cast<int>(program_.leaves_.size());
  for (auto inner = loops_.rbegin(); inner != found; ++inner)
    program_.leaves_.push_back(inner->loop);
  next.count = static_cast<int>(program_.leaves_.size()) - next.leaves;
  Emit(next);
}

void Parser::Call() {
  const Token& name = Take();
  const std::u32string folded = names::Folded(name.word);
  const int found = SubprogramIndex(folded);
  if (found < 0) {
    std::vector<std::u32string> known;
    for (const Subprogram& subprogram : program_.subprograms_)
      known.push_back(subprogram.name);
    Refuse(words::NoSubprogram(At(name), name.word, VariableIndex(folded) >= 0,
                               names::NearName(name.word, known)));
  }
  Instruction call{Instruction::Op::kCall, line_, static_cast<uint32_t>(name.begin),
                   static_cast<uint32_t>(name.end)};
  call.target = found;
  Emit(call);
}

int Parser::Emit(Instruction instruction) {
  program_.instructions_.push_back(instruction);
  return Here() - 1;
}

void Parser::CheckName(const Token& token) const {
  const std::optional<Word> word = names::Reserved(token.word);
  if (word == Word::kAnd) Refuse(words::AndAsName(At(token)));
  if (word) Refuse(words::ReservedAsName(At(token), names::Spelling(*word)));
}

int Parser::VariableNamed(const Token& token) {
  CheckName(token);
  const std::u32string folded = names::Folded(token.word);
  if (SubprogramIndex(folded) >= 0)
    Refuse(words::SubprogramIsVariable(At(token), runtime::ToUtf8(token.word)));
  const int found = VariableIndex(folded);
  if (found >= 0) return found;
  program_.variables_.push_back({token.word, folded});
  return static_cast<int>(program_.variables_.size()) - 1;
}

int Parser::VariableIndex(const std::u32string& folded) const {
  const auto& variables = program_.variables_;
  const auto found =
      std::find_if(variables.begin(), variables.end(),
                   [&](const Variable& variable) { return variable.folded == folded; });
  return found == variables.end() ? -1 : static_cast<int>(found - variables.begin());
}

int Parser::SubprogramIndex(const std::u32string& folded) const {
  const auto found = std::find(subprogram_names_.begin(), subprogram_names_.end(), folded);
  return found == subprogram_names_.end() ? -1
                                          : static_cast<int>(found - subprogram_names_.begin());
}

// A condition, after the word that it follows ("ако", "докато").
int Parser::Condition(const char* after) {
  if (Peek().sign == Sign::kColon || Peek().sign == Sign::kEnd)
    Refuse(words::ConditionExpected(At(Peek()), after, std::nullopt));
  const size_t begin = Peek().begin;
  const int root = Or();
  if (Peek().sign == Sign::kAssign) Refuse(words::AssignInCondition(At(Peek()), after));
  if (!NodeAt(root).IsCondition()) {
    if (Peek().sign == Sign::kColon && StartsValue(1) && Peek(2).sign != Sign::kEnd &&
        Peek(2).sign != Sign::kSemicolon)
      Refuse(words::DivideOrMultiply(At(Peek())));
    Refuse(words::ConditionExpected(Span(begin, LastEnd()), after, Text(begin, LastEnd())));
  }
  if (Peek().sign == Sign::kClose) Refuse(words::UnopenedBracket(At(Peek())));
  return Finish(root);
}

// A value: an expression of numbers, which a condition is not.
int Parser::Value() {
  if (!StartsValue() && Peek().sign != Sign::kMinus && !Is(Word::kNot))
    Refuse(words::ValueExpected(At(Peek()), Text(Source().first, Peek().begin)));
  const size_t begin = Peek().begin;
  const int root = Or();
  if (NodeAt(root).IsCondition())
    Refuse(words::ConditionNotValue(Span(begin, LastEnd()), Text(begin, LastEnd())));
  return Finish(root);
}

int Parser::Or() {
  int left = And();
  while (Is(Word::kOr)) {
    const Token& word = Take();
    const int right = And();
    Node node{Node::Kind::kOr};
    node.left = left;
    node.right = right;
    if (!NodeAt(left).IsCondition() || !NodeAt(right).IsCondition())
      Refuse(words::JoinsConditions(At(word), "или"));
    left = Make(node);
  }
  return left;
}

int Parser::And() {
  int left = Not();
  while (Is(Word::kAnd)) {
    const Token& word = Take();
    const int right = Not();
    Node node{Node::Kind::kAnd};
    node.left = left;
    node.right = right;
    if (!NodeAt(left).IsCondition() || !NodeAt(right).IsCondition())
      Refuse(words::JoinsConditions(At(word), "и"));
    left = Make(node);
  }
  return left;
}

int Parser::Not() {
  if (!Is(Word::kNot)) return Comparison();
  const Token& word = Take();
  Deeper(word);
  Node node{Node::Kind::kNot};
  node.left = Not();
  --nesting_;
  if (!NodeAt(node.left).IsCondition()) Refuse(words::JoinsConditions(At(word), "не"));
  node.line = line_;
  node.begin = static_cast<uint32_t>(word.begin);
  return Make(node);
}

int Parser::Comparison() {
  const int left = Sum();
  auto kind = [&]() -> std::optional<Node::Kind> {
    switch (Peek().sign) {
      case Sign::kEqual:
        return Node::Kind::kEqual;
      case Sign::kNotEqual:
        return Node::Kind::kNotEqual;
      case Sign::kLess:
        return Node::Kind::kLess;
      case Sign::kLessEqual:
        return Node::Kind::kLessEqual;
      case Sign::kGreater:
        return Node::Kind::kGreater;
      case Sign::kGreaterEqual:
        return Node::Kind::kGreaterEqual;
      default:
        return std::nullopt;
    }
  };
  const std::optional<Node::Kind> compared = kind();
  if (!compared) return left;
  Take();
  Node node{*compared};
  node.left = left;
  node.right = Sum();
  if (kind()) Refuse(words::ChainedComparison(At(Peek())));
  return Make(node);
}

int Parser::Sum() {
  int left = Product();
  while (Peek().sign == Sign::kPlus || Peek().sign == Sign::kMinus) {
    Node node{Take().sign == Sign::kPlus ? Node::Kind::kAdd : Node::Kind::kSubtract};
    node.left = left;
    node.right = Product();
    left = Make(node);
  }
  return left;
}

int Parser::Product() {
  int left = Unary();
  for (;;) {
    std::optional<Node::Kind> kind;
    if (Peek().sign == Sign::kTimes) {
      kind = Node::Kind::kMultiply;
    } else if (Is(Word::kDiv)) {
      kind = Node::Kind::kDiv;
    } else if (Is(Word::kMod)) {
      kind = Node::Kind::kMod;
    } else if (Peek().sign == Sign::kSlash || Peek().sign == Sign::kDot ||
               (IsName() && names::Folded(Peek().word) == U"x" && StartsValue(1))) {
      Refuse(words::DivideOrMultiply(At(Peek())));
    }
    if (!kind) return left;
    Take();
    Node node{*kind};
    node.left = left;
    node.right = Unary();
    left = Make(node);
  }
}

int Parser::Unary() {
  if (Peek().sign != Sign::kMinus) return Implied();
  const Token& minus = Take();
  // −32768 is one number, the lowest.
  if (Peek().sign == Sign::kNumber && Peek().number == 32768 &&
      !(Peek(1).joined && (Peek(1).sign == Sign::kOpen || IsName(1)))) {
    const Token& number = Take();
    Node node{Node::Kind::kNumber};
    node.value = -32768;
    node.line = line_;
    node.begin = static_cast<uint32_t>(minus.begin);
    node.end = static_cast<uint32_t>(number.end);
    return Make(node);
  }
  Deeper(minus);
  Node node{Node::Kind::kNegate};
  node.left = Unary();
  --nesting_;
  node.line = line_;
  node.begin = static_cast<uint32_t>(minus.begin);
  return Make(node);
}

// A number written directly before a name or a bracket: one factor, "2i" is 2 × i.
int Parser::Implied() {
  if (Peek().sign != Sign::kNumber || !Peek(1).joined ||
      !(Peek(1).sign == Sign::kOpen || IsName(1)))
    return Root();
  if (Peek(1).sign == Sign::kWord) {
    // "3x4" is 3 × 4 written with a letter.
    const std::u32string folded = names::Folded(Peek(1).word);
    if (folded.size() > 1 && folded[0] == U'x' &&
        std::all_of(folded.begin() + 1, folded.end(),
                    [](char32_t c) { return c >= U'0' && c <= U'9'; }))
      Refuse(words::DivideOrMultiply(At(Peek(1))));
  }
  Node node{Node::Kind::kMultiply};
  node.implied = true;
  node.left = Primary();
  node.right = Primary();
  return Make(node);
}

// "цялата част на √x", or "цялата част на корен(x)".
int Parser::Root() {
  if (Peek().sign == Sign::kRoot) Refuse(words::WholePartOnly(At(Peek())));
  if (!Is(Word::kWhole)) return Primary();
  const Token& first = Take();
  if (!Is(Word::kPart) || !Is(Word::kOf, 1) ||
      !(Peek(2).sign == Sign::kRoot || (Is(Word::kRoot, 2) && Peek(3).sign == Sign::kOpen)))
    Refuse(words::WholePartOf(Span(first.begin, Peek().end)));
  Take();
  Take();
  Node node{Node::Kind::kRoot};
  const Token& sign = Take();
  Deeper(sign);
  node.left = Unary();
  --nesting_;
  node.line = line_;
  node.begin = static_cast<uint32_t>(first.begin);
  return Make(node);
}

int Parser::Primary() {
  const Token& token = Peek();
  Node node{Node::Kind::kNumber};
  node.line = line_;
  node.begin = static_cast<uint32_t>(token.begin);
  node.end = static_cast<uint32_t>(token.end);
  if (token.sign == Sign::kNumber) {
    Take();
    if (token.number > 32767)
      Refuse(words::NumberTooLarge(At(token), Text(token.begin, token.end)));
    node.value = static_cast<int16_t>(token.number);
    return Make(node);
  }
  if (token.sign == Sign::kOpen) {
    Take();
    Deeper(token);
    if (Peek().sign == Sign::kClose) Refuse(words::ValueExpected(At(Peek()), "("));
    const int inner = Or();
    --nesting_;
    if (Peek().sign != Sign::kClose) {
      if (Peek().sign == Sign::kSlash || Peek().sign == Sign::kDot || Peek().sign == Sign::kColon)
        Refuse(words::DivideOrMultiply(At(Peek())));
      if (StartsValue()) Refuse(words::MissingSign(At(Peek()), Text(Peek().begin, Peek().end)));
      Refuse(words::UnclosedBracket(At(token)));
    }
    const Token& close = Take();
    Node& bracketed = program_.nodes_[static_cast<size_t>(inner)];
    bracketed.bracketed = true;
    bracketed.begin = static_cast<uint32_t>(token.begin);
    bracketed.end = static_cast<uint32_t>(close.end);
    return inner;
  }
  if (Is(Word::kCount)) {
    Take();
    if (!Is(Word::kOf) || !Is(Word::kLetters, 1)) Refuse(words::LetterCountWords(At(token)));
    Take();
    node.end = static_cast<uint32_t>(Take().end);
    node.kind = Node::Kind::kLetters;
    return Make(node);
  }
  if (IsName()) {
    Take();
    node.kind = Node::Kind::kVariable;
    node.variable = VariableNamed(token);
    return Make(node);
  }
  if (token.sign == Sign::kWord) CheckName(token);
  if (token.sign == Sign::kEnd || token.sign == Sign::kSemicolon || token.sign == Sign::kColon ||
      token.sign == Sign::kComma || token.sign == Sign::kClose)
    Refuse(words::ValueExpected(At(token), Text(Source().first, token.begin)));
  Refuse(words::NotAValue(At(token), Text(token.begin, token.end)));
}

// A node made: an operator of two operands is written from its left one to its right one, an
// operator of one from its sign to its operand; and its tree is no deeper than allowed.
int Parser::Make(Node node) {
  if (node.left >= 0) {
    const Node& left = NodeAt(node.left);
    node.depth = left.depth + 1;
    if (node.right >= 0) {
      node.line = left.line;
      node.begin = left.begin;
    }
    node.end = left.end;
  }
  if (node.right >= 0) {
    const Node& right = NodeAt(node.right);
    node.depth = std::max(node.depth, right.depth + 1);
    node.end = right.end;
  }
  if (node.depth > kDeepestExpression) Refuse(words::TooComplex(Span(node.begin, node.end)));
  program_.nodes_.push_back(node);
  return static_cast<int>(program_.nodes_.size()) - 1;
}

void Parser::Deeper(const Token& token) {
  if (++nesting_ > kDeepestExpression) Refuse(words::TooComplex(At(token)));
}

// An expression's postfix code, made once its tree is whole.
int Parser::Finish(int root) {
  Expression expression;
  expression.root = root;
  expression.begin = static_cast<uint32_t>(program_.code_.size());
  int depth = 0;
  Compile(root, depth);
  expression.end = static_cast<uint32_t>(program_.code_.size());
  program_.expressions_.push_back(expression);
  return static_cast<int>(program_.expressions_.size()) - 1;
}

void Parser::Compile(int index, int& depth) {
  const Node node = NodeAt(index);
  auto grow = [&](int by) {
    depth += by;
    program_.stack_depth_ = std::max(program_.stack_depth_, depth);
  };
  switch (node.kind) {
    case Node::Kind::kNumber:
    case Node::Kind::kVariable:
    case Node::Kind::kLetters:
      EmitCode(node.kind, node.kind == Node::Kind::kNumber ? node.value : node.variable, index);
      grow(1);
      return;
    case Node::Kind::kAnd:
    case Node::Kind::kOr: {
      Compile(node.left, depth);
      const size_t jump = program_.code_.size();
      EmitCode(node.kind, 0, index);
      grow(-1);
      Compile(node.right, depth);
      program_.code_[jump].argument = static_cast<int32_t>(program_.code_.size());
      return;
    }
    default:
      break;
  }
  Compile(node.left, depth);
  if (node.right >= 0) {
    Compile(node.right, depth);
    grow(-1);
  }
  EmitCode(node.kind, 0, index);
}

Place Program::Where(const Instruction& instruction) const {
  return PlaceOf(lines_[static_cast<size_t>(instruction.line)], instruction.begin, instruction.end);
}

Place Program::Where(const Node& node) const {
  return PlaceOf(lines_[static_cast<size_t>(node.line)], node.begin, node.end);
}

std::string Program::Written(const Node& node) const {
  const std::u32string& text = lines_[static_cast<size_t>(node.line)].text;
  return runtime::ToUtf8(std::u32string_view(text).substr(node.begin, node.end - node.begin));
}

std::variant<Program, Error> Parse(std::string_view utf8) {
  auto lines = ReadLines(utf8);
  if (auto* error = std::get_if<Error>(&lines)) return std::move(*error);
  try {
    return Parser(std::move(std::get<std::vector<SourceLine>>(lines))).Read();
  } catch (const Refusal& refusal) {
    return refusal.error;
  }
}

}  // namespace language
