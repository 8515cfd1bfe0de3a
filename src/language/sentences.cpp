#include "language/sentences.h"

#include <cmath>

#include "language/words.h"
#include "runtime/arithmetic.h"
#include "runtime/runtime_error.h"
#include "runtime/text.h"

namespace language::sentences {

namespace {

using Kind = Node::Kind;

// An expression written with the values its names had, as the pupil bracketed it: "2 × 2 + 2 ×
// 35 + 4"; and the value it had, computed by the program's own arithmetic, where it had one.
class Written {
 public:
  Written(const Program& program, const Values& values, int16_t letters)
      : program_(program), values_(values), letters_(letters) {}

  std::string Text(int index, bool right_operand = false) const;
  std::optional<int64_t> Value(int index) const;
  // A side of a comparison, or a value shown with what it came from: "70 mod 3 = 1".
  std::string WithValue(int index) const;
  bool Compound(int index) const;
  std::string Condition(int index) const;

 private:
  const Node& At(int index) const { return program_.Nodes()[static_cast<size_t>(index)]; }

  const Program& program_;
  const Values& values_;
  int16_t letters_;
};

const char* SignOf(Kind kind) {
  switch (kind) {
    case Kind::kAdd:
      return " + ";
    case Kind::kSubtract:
      return " − ";
    case Kind::kMultiply:
      return " × ";
    case Kind::kDiv:
      return " div ";
    case Kind::kMod:
      return " mod ";
    case Kind::kEqual:
      return " = ";
    case Kind::kNotEqual:
      return " ≠ ";
    case Kind::kLess:
      return " < ";
    case Kind::kLessEqual:
      return " ≤ ";
    case Kind::kGreater:
      return " > ";
    case Kind::kGreaterEqual:
      return " ≥ ";
    case Kind::kAnd:
      return " и ";
    case Kind::kOr:
      return " или ";
    default:
      return "";
  }
}

std::string Written::Text(int index, bool right_operand) const {
  const Node& node = At(index);
  std::string text;
  switch (node.kind) {
    case Kind::kNumber:
    case Kind::kVariable:
    case Kind::kLetters: {
      const std::optional<int64_t> value = Value(index);
      if (!value) {
        text = runtime::ToUtf8(program_.Variables()[static_cast<size_t>(node.variable)].name);
      } else {
        text = words::Number(*value);
        if (*value < 0 && right_operand) text = "(" + text + ")";
      }
      break;
    }
    case Kind::kRoot:
      text = "цялата част на √" + Text(node.left, true);
      break;
    case Kind::kNegate:
      text = "−" + Text(node.left, true);
      break;
    case Kind::kNot:
      text = "не " + Condition(node.left);
      break;
    case Kind::kAnd:
    case Kind::kOr:
      text = Condition(node.left) + SignOf(node.kind) + Condition(node.right);
      break;
    default:
      text = Text(node.left) + SignOf(node.kind) + Text(node.right, true);
      break;
  }
  return node.bracketed ? "(" + text + ")" : text;
}

std::optional<int64_t> Written::Value(int index) const {
  const Node& node = At(index);
  if (node.kind == Kind::kNumber) return node.value;
  if (node.kind == Kind::kLetters) return letters_;
  if (node.kind == Kind::kVariable) return values_(node.variable);
  const std::optional<int64_t> left = Value(node.left);
  if (!left) return std::nullopt;
  const auto a = static_cast<int16_t>(*left);
  if (node.kind == Kind::kNot) return *left == 0;
  if (node.kind == Kind::kAnd && *left == 0) return 0;
  if (node.kind == Kind::kOr && *left != 0) return 1;
  try {
    if (node.kind == Kind::kRoot) return runtime::FloorToInt16(std::floor(runtime::SquareRoot(a)));
    if (node.kind == Kind::kNegate) return runtime::Negate16(a);
    const std::optional<int64_t> right = Value(node.right);
    if (!right) return std::nullopt;
    const auto b = static_cast<int16_t>(*right);
    switch (node.kind) {
      case Kind::kAdd:
        return runtime::Add16(a, b);
      case Kind::kSubtract:
        return runtime::Subtract16(a, b);
      case Kind::kMultiply:
        return runtime::Multiply16(a, b);
      case Kind::kDiv:
        return runtime::Quotient16(a, b);
      case Kind::kMod:
        return runtime::Remainder16(a, b);
      case Kind::kEqual:
        return a == b;
      case Kind::kNotEqual:
        return a != b;
      case Kind::kLess:
        return a < b;
      case Kind::kLessEqual:
        return a <= b;
      case Kind::kGreater:
        return a > b;
      case Kind::kGreaterEqual:
        return a >= b;
      default:
        return b != 0;  // и, или: the left one did not decide
    }
  } catch (const runtime::RuntimeError&) {
    return std::nullopt;
  }
}

bool Written::Compound(int index) const {
  const Kind kind = At(index).kind;
  return kind != Kind::kNumber && kind != Kind::kVariable && kind != Kind::kLetters;
}

std::string Written::WithValue(int index) const {
  std::string text = Text(index);
  if (!Compound(index)) return text;
  const std::optional<int64_t> value = Value(index);
  return value ? text + " = " + words::Number(*value) : text;
}

// A comparison with its values: "70 mod 3 = 1 ≠ 0"; where the right side is worked out too,
// "70 = 8 × 8, тоест 70 = 64".
std::string Written::Condition(int index) const {
  const Node& node = At(index);
  if (node.kind < Kind::kEqual || node.kind > Kind::kGreaterEqual) return Text(index);
  std::string text;
  if (!Compound(node.right)) {
    text = WithValue(node.left) + SignOf(node.kind) + Text(node.right, true);
  } else {
    text = Text(node.left) + SignOf(node.kind) + Text(node.right, true);
    const std::optional<int64_t> left = Value(node.left);
    const std::optional<int64_t> right = Value(node.right);
    if (left && right)
      text += ", тоест " + words::Number(*left) + SignOf(node.kind) + words::Number(*right);
  }
  return node.bracketed ? "(" + text + ")" : text;
}

std::string Name(const Program& program, int variable) {
  return runtime::ToUtf8(program.Variables()[static_cast<size_t>(variable)].name);
}

}  // namespace

std::string Said(const Program& program, const Step& step, const Values& before, int16_t letters) {
  using Op = Instruction::Op;
  const Written written(program, before, letters);
  const auto& instructions = program.Instructions();
  const Instruction& instruction = instructions[static_cast<size_t>(step.instruction)];
  const auto root = [&](int expression) {
    return program.Expressions()[static_cast<size_t>(expression)].root;
  };
  switch (instruction.op) {
    case Op::kAssign: {
      const int value = root(instruction.first);
      std::string said = Name(program, instruction.variable) + " става ";
      if (written.Compound(value)) said += written.Text(value) + " = ";
      said += words::Number(step.after);
      const bool letters = program.Nodes()[static_cast<size_t>(value)].kind == Kind::kLetters;
      return said + (letters ? ", броят на буквите." : ".");
    }
    case Op::kTest: {
      const std::string condition = written.Condition(root(instruction.first));
      if (!step.answer) return condition + ": не е вярно, блокът се прескача.";
      const Instruction& next = instructions[static_cast<size_t>(step.instruction) + 1];
      if (next.op == Op::kNext)
        return condition + ": към следващото " + Name(program, next.variable) + ".";
      if (next.op == Op::kEnd) return condition + ": край.";
      return condition + ": вярно, изпълнява се блокът.";
    }
    case Op::kWhile: {
      const std::string condition = written.Condition(root(instruction.first));
      return condition + (step.answer ? ": вярно, блокът се изпълнява още веднъж."
                                      : ": не е вярно, цикълът свършва.");
    }
    case Op::kForStart: {
      const std::optional<int64_t> from = written.Value(root(instruction.first));
      const std::optional<int64_t> to = written.Value(root(instruction.second));
      const std::string counter = Name(program, instruction.variable);
      if (!from || !to) return "за " + counter + ".";
      if (*from > *to)
        return words::Number(*from) + " > " + words::Number(*to) +
               ": блокът на „за“ не се "
               "изпълнява нито веднъж.";
      if (*from == *to) return counter + " ще бъде само " + words::Number(*from) + ".";
      if (*to - *from == 1)
        return counter + " ще бъде " + words::Number(*from) + " и " + words::Number(*to) + ".";
      return counter + " ще бъде " + words::Number(*from) + ", " + words::Number(*from + 1) +
             (*to - *from > 2 ? ", …, " : ", ") + words::Number(*to) + ".";
    }
    case Op::kForPass:
      return Name(program, instruction.variable) + " става " + words::Number(step.after) +
             (step.answer ? ", за последен път." : ".");
    case Op::kRow: {
      std::string said = "В таблицата се записва ";
      const int values[] = {instruction.first, instruction.second, instruction.third};
      for (int k = 0; k < 3; ++k) {
        const std::optional<int64_t> value = written.Value(root(values[k]));
        said += (k > 0 ? ", " : "") + (value ? words::Number(*value) : std::string("?"));
      }
      return said + ".";
    }
    case Op::kShow: {
      std::string said = "Показва се: ";
      for (int k = 0; k < instruction.count; ++k) {
        const int value = root(program.Arguments()[static_cast<size_t>(instruction.first + k)]);
        if (k > 0) said += ", ";
        const Node& node = program.Nodes()[static_cast<size_t>(value)];
        const std::optional<int64_t> shown = written.Value(value);
        const std::string number = shown ? words::Number(*shown) : "?";
        if (node.kind == Kind::kNumber) {
          said += number;
        } else if (node.kind == Kind::kVariable) {
          said += Name(program, node.variable) + " = " + number;
        } else {
          said += program.Written(node) + " = " + number;
        }
      }
      return said + ".";
    }
    case Op::kNext:
      return "Към следващото " + Name(program, instruction.variable) + ".";
    case Op::kEnd:
      return "Край: програмата спира.";
    case Op::kCall:
      return "Изпълнява се подпрограмата " +
             runtime::ToUtf8(program.Subprograms()[static_cast<size_t>(instruction.target)].name) +
             ".";
    default:
      return "";
  }
}

}  // namespace language::sentences
