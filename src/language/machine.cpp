#include "language/machine.h"

#include <cmath>

#include "language/names.h"
#include "language/words.h"
#include "runtime/arithmetic.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "runtime/text.h"

namespace language {

namespace {

// What stops a run: an error or a limit, carried up to the loop of instructions.
struct Halt {
  Error error;
};

// The state of a loop while it runs: its counter's first and last values, and whether its first
// pass is still to come.
struct Loop {
  int variable = -1;
  int16_t from = 0;
  int16_t to = 0;
  bool first = false;
};

using Op = Instruction::Op;

// A run of a program, every step kept where it is given where to keep them.
class Machine {
 public:
  Machine(const Program& program, int16_t letters, const Limits& limits, std::vector<Step>* steps)
      : program_(program),
        instructions_(program.Instructions()),
        codes_(program.Codes().data()),
        letters_(letters),
        limits_(limits),
        steps_(steps),
        keep_(steps != nullptr),
        values_(program.Variables().size(), 0),
        set_(program.Variables().size(), 0),
        locked_(program.Variables().size(), -1),
        loops_(static_cast<size_t>(program.Loops())),
        stack_(static_cast<size_t>(program.StackDepth()) + 2, 0) {}

  Outcome Go();

 private:
  void Count(int instruction);
  void Set(int variable, int16_t value);
  int16_t Evaluate(int expression);
  [[noreturn]] void Failed(const runtime::RuntimeError& error, const Code& code,
                           const int32_t* top) const;
  [[noreturn]] void Unset(const Code& code) const;
  std::string Shown(int expression, int16_t value) const;
  const Instruction& At(int index) const { return instructions_[static_cast<size_t>(index)]; }

  const Program& program_;
  const std::vector<Instruction>& instructions_;
  const Code* codes_;
  const int16_t letters_;
  const Limits limits_;
  std::vector<Step>* steps_;
  const bool keep_;
  std::vector<int16_t> values_;
  std::vector<uint8_t> set_;
  std::vector<int> locked_;  // for each variable, the for that counts with it now, or -1
  std::vector<Loop> loops_;
  std::vector<int32_t> stack_;
  std::vector<int> returns_;
  int last_ = 0;  // the instruction of the last step
  Outcome outcome_;
};

Outcome Machine::Go() {
  int at = 0;
  try {
    for (;;) {
      const Instruction& instruction = At(at);
      switch (instruction.op) {
        case Op::kAssign: {
          Count(at);
          const int16_t value = Evaluate(instruction.first);
          const int variable = instruction.variable;
          if (locked_[static_cast<size_t>(variable)] >= 0)
            throw Halt{
                words::CounterAssigned(program_.Where(instruction),
                                       program_.Variables()[static_cast<size_t>(variable)].name,
                                       At(locked_[static_cast<size_t>(variable)]).line + 1)};
          Set(variable, value);
          ++at;
          break;
        }
        case Op::kTest:
        case Op::kWhile: {
          Count(at);
          const bool answer = Evaluate(instruction.first) != 0;
          if (keep_) steps_->back().answer = answer;
          at = answer ? at + 1 : instruction.target;
          break;
        }
        case Op::kJump:
          at = instruction.target;
          break;
        case Op::kForStart: {
          Count(at);
          const int16_t from = Evaluate(instruction.first);
          const int16_t to = Evaluate(instruction.second);
          const auto variable = static_cast<size_t>(instruction.variable);
          if (locked_[variable] >= 0)
            throw Halt{words::CounterAssigned(program_.Where(instruction),
                                              program_.Variables()[variable].name,
                                              At(locked_[variable]).line + 1)};
          if (keep_) steps_->back().answer = from <= to;
          if (from > to) {
            at = instruction.target;
            break;
          }
          loops_[static_cast<size_t>(instruction.loop)] = {instruction.variable, from, to, true};
          locked_[variable] = at;
          ++at;
          break;
        }
        case Op::kForPass: {
          Loop& loop = loops_[static_cast<size_t>(instruction.loop)];
          const auto variable = static_cast<size_t>(loop.variable);
          if (loop.first) {
            Count(at);
            loop.first = false;
            Set(loop.variable, loop.from);
            if (keep_) steps_->back().answer = loop.from == loop.to;
            ++at;
          } else if (values_[variable] < loop.to) {
            Count(at);
            Set(loop.variable, static_cast<int16_t>(values_[variable] + 1));
            if (keep_) steps_->back().answer = values_[variable] == loop.to;
            ++at;
          } else {
            locked_[variable] = -1;
            at = instruction.target;
          }
          break;
        }
        case Op::kRow: {
          Count(at);
          const Row row{Evaluate(instruction.first), Evaluate(instruction.second),
                        Evaluate(instruction.third)};
          if (static_cast<int>(outcome_.rows.size()) >= limits_.rows)
            throw Halt{words::TooManyRows(program_.Where(instruction), limits_.rows)};
          outcome_.rows.push_back(row);
          if (keep_) steps_->back().rows = static_cast<uint16_t>(outcome_.rows.size());
          ++at;
          break;
        }
        case Op::kShow: {
          Count(at);
          std::string line;
          for (int k = 0; k < instruction.count; ++k) {
            const int expression = program_.Arguments()[static_cast<size_t>(instruction.first + k)];
            if (k > 0) line += ", ";
            line += Shown(expression, Evaluate(expression));
          }
          if (static_cast<int>(outcome_.output.size()) >= limits_.lines)
            throw Halt{words::TooMuchOutput(program_.Where(instruction), limits_.lines)};
          outcome_.output.push_back(std::move(line));
          if (keep_) steps_->back().lines = static_cast<uint16_t>(outcome_.output.size());
          ++at;
          break;
        }
        case Op::kNext:
          Count(at);
          for (int k = 0; k < instruction.count; ++k) {
            const int loop = program_.Leaves()[static_cast<size_t>(instruction.leaves + k)];
            locked_[static_cast<size_t>(loops_[static_cast<size_t>(loop)].variable)] = -1;
          }
          at = instruction.target;
          break;
        case Op::kEnd:
          Count(at);
          return std::move(outcome_);
        case Op::kCall: {
          Count(at);
          const Subprogram& called =
              program_.Subprograms()[static_cast<size_t>(instruction.target)];
          if (static_cast<int>(returns_.size()) >= limits_.calls)
            throw Halt{
                words::CallsTooDeep(program_.Where(instruction), called.name, limits_.calls)};
          returns_.push_back(at + 1);
          at = called.entry;
          break;
        }
        case Op::kReturn:
          at = returns_.back();
          returns_.pop_back();
          break;
        case Op::kHalt:
          return std::move(outcome_);
      }
    }
  } catch (Halt& halt) {
    outcome_.error = std::move(halt.error);
  }
  return std::move(outcome_);
}

// A step taken, unless it would be one too many.
void Machine::Count(int instruction) {
  if (outcome_.work.steps >= limits_.steps)
    throw Halt{words::TooManySteps(program_.Where(At(last_)), limits_.steps)};
  ++outcome_.work.steps;
  last_ = instruction;
  if (keep_) {
    Step step;
    step.instruction = instruction;
    step.rows = static_cast<uint16_t>(outcome_.rows.size());
    step.lines = static_cast<uint16_t>(outcome_.output.size());
    steps_->push_back(step);
  }
}

void Machine::Set(int variable, int16_t value) {
  const auto index = static_cast<size_t>(variable);
  if (keep_) {
    Step& step = steps_->back();
    step.variable = variable;
    step.before = values_[index];
    step.after = value;
    step.was_set = set_[index] != 0;
  }
  values_[index] = value;
  set_[index] = 1;
}

int16_t Machine::Evaluate(int expression) {
  const Expression& range = program_.Expressions()[static_cast<size_t>(expression)];
  int32_t* top = stack_.data() - 1;
  const Code* code = codes_ + range.begin;
  const Code* const end = codes_ + range.end;
  try {
    for (; code < end; ++code) {
      switch (code->op) {
        case Node::Kind::kNumber:
          *++top = code->argument;
          break;
        case Node::Kind::kVariable:
          if (set_[static_cast<size_t>(code->argument)] == 0) Unset(*code);
          *++top = values_[static_cast<size_t>(code->argument)];
          break;
        case Node::Kind::kLetters:
          *++top = letters_;
          break;
        case Node::Kind::kRoot:
          *top = runtime::FloorToInt16(std::floor(runtime::SquareRoot(*top)));
          break;
        case Node::Kind::kNegate:
          *top = runtime::Negate16(static_cast<int16_t>(*top));
          break;
        case Node::Kind::kAdd:
          top[-1] = runtime::Add16(static_cast<int16_t>(top[-1]), static_cast<int16_t>(top[0]));
          --top;
          break;
        case Node::Kind::kSubtract:
          top[-1] =
              runtime::Subtract16(static_cast<int16_t>(top[-1]), static_cast<int16_t>(top[0]));
          --top;
          break;
        case Node::Kind::kMultiply:
          top[-1] =
              runtime::Multiply16(static_cast<int16_t>(top[-1]), static_cast<int16_t>(top[0]));
          --top;
          break;
        case Node::Kind::kDiv:
          ++outcome_.work.divs;
          top[-1] =
              runtime::Quotient16(static_cast<int16_t>(top[-1]), static_cast<int16_t>(top[0]));
          --top;
          break;
        case Node::Kind::kMod:
          ++outcome_.work.mods;
          top[-1] =
              runtime::Remainder16(static_cast<int16_t>(top[-1]), static_cast<int16_t>(top[0]));
          --top;
          break;
        case Node::Kind::kEqual:
          top[-1] = top[-1] == top[0];
          --top;
          break;
        case Node::Kind::kNotEqual:
          top[-1] = top[-1] != top[0];
          --top;
          break;
        case Node::Kind::kLess:
          top[-1] = top[-1] < top[0];
          --top;
          break;
        case Node::Kind::kLessEqual:
          top[-1] = top[-1] <= top[0];
          --top;
          break;
        case Node::Kind::kGreater:
          top[-1] = top[-1] > top[0];
          --top;
          break;
        case Node::Kind::kGreaterEqual:
          top[-1] = top[-1] >= top[0];
          --top;
          break;
        case Node::Kind::kNot:
          *top = *top == 0;
          break;
        case Node::Kind::kAnd:
          if (*top == 0) {
            code = codes_ + code->argument - 1;
          } else {
            --top;
          }
          break;
        case Node::Kind::kOr:
          if (*top != 0) {
            code = codes_ + code->argument - 1;
          } else {
            --top;
          }
          break;
      }
    }
  } catch (const runtime::RuntimeError& error) {
    Failed(error, *code, top);
  }
  return static_cast<int16_t>(*top);
}

// A run-time error of the program's arithmetic, said with the operation that raised it.
void Machine::Failed(const runtime::RuntimeError& error, const Code& code,
                     const int32_t* top) const {
  const Node& node = program_.Nodes()[static_cast<size_t>(code.node)];
  const Place place = program_.Where(node);
  const auto written = [&](int operand) {
    return program_.Written(program_.Nodes()[static_cast<size_t>(operand)]);
  };
  switch (code.op) {
    case Node::Kind::kRoot:
      throw Halt{words::NegativeRoot(place, written(node.left), top[0], error)};
    case Node::Kind::kNegate:
      throw Halt{words::Overflow(place, program_.Written(node), -int64_t{top[0]}, error)};
    case Node::Kind::kDiv:
    case Node::Kind::kMod:
      if (error.number() == runtime::RuntimeError::kDivisionByZero) {
        const Node& divisor = program_.Nodes()[static_cast<size_t>(node.right)];
        throw Halt{words::DivisionByZero(
            place, divisor.kind == Node::Kind::kNumber ? std::string() : written(node.right),
            error)};
      }
      break;
    default:
      break;
  }
  const int64_t left = top[-1];
  const int64_t right = top[0];
  int64_t exact = 0;
  const char* sign = "×";
  switch (code.op) {
    case Node::Kind::kAdd:
      exact = left + right;
      sign = "+";
      break;
    case Node::Kind::kSubtract:
      exact = left - right;
      sign = "−";
      break;
    case Node::Kind::kDiv:
      exact = left / right;
      sign = "div";
      break;
    default:
      exact = left * right;
      break;
  }
  throw Halt{words::Overflow(place, written(node.left) + " " + sign + " " + written(node.right),
                             exact, error)};
}

void Machine::Unset(const Code& code) const {
  const Node& node = program_.Nodes()[static_cast<size_t>(code.node)];
  const Variable& variable = program_.Variables()[static_cast<size_t>(code.argument)];
  std::vector<std::u32string> known;
  for (const Variable& other : program_.Variables()) {
    if (other.folded != variable.folded) known.push_back(other.name);
  }
  throw Halt{
      words::Unset(program_.Where(node), variable.name, names::NearName(variable.name, known))};
}

// One value of покажи: "a = 3" for a name, "2a + 1 = 7" for an expression, the number alone
// for a number.
std::string Machine::Shown(int expression, int16_t value) const {
  const Node& node = program_.Nodes()[static_cast<size_t>(
      program_.Expressions()[static_cast<size_t>(expression)].root)];
  const std::string text = runtime::ToUtf8(runtime::WholeText(int64_t{value}));
  if (node.kind == Node::Kind::kNumber) return text;
  if (node.kind == Node::Kind::kVariable)
    return runtime::ToUtf8(program_.Variables()[static_cast<size_t>(node.variable)].name) + " = " +
           text;
  return program_.Written(node) + " = " + text;
}

}  // namespace

Outcome Run(const Program& program, int16_t letters, const Limits& limits) {
  return Machine(program, letters, limits, nullptr).Go();
}

Outcome Record(const Program& program, int16_t letters, std::vector<Step>& steps,
               const Limits& limits) {
  steps.clear();
  return Machine(program, letters, limits, &steps).Go();
}

}  // namespace language
