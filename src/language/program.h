#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "language/error.h"
#include "language/text.h"

// A pupil's program, read and made ready to run: its expressions as trees (for the sentences
// that show them with their values) and as postfix code (for running them fast), and its
// statements as a flat list of instructions with jumps, so that a run needs no recursion of its
// own and stops anywhere at a step.
namespace language {

// An expression's node, one of a tree held by the program.
struct Node {
  enum class Kind : uint8_t {
    kNumber,
    kVariable,
    kLetters,  // броят на буквите
    kRoot,     // цялата част на √x
    kNegate,
    kAdd,
    kSubtract,
    kMultiply,
    kDiv,
    kMod,
    kEqual,
    kNotEqual,
    kLess,
    kLessEqual,
    kGreater,
    kGreaterEqual,
    kNot,
    kAnd,
    kOr,
  };
  Kind kind;
  bool bracketed = false;  // written in brackets
  bool implied = false;    // a product written as a number before a name or bracket: 2i
  int16_t value = 0;       // a number's
  int variable = -1;       // a variable's
  int left = -1;           // the operands; an operator of one operand has only the left
  int right = -1;
  int depth = 1;       // of the tree below it, this node included
  int line = 0;        // the index of its line in the program's lines
  uint32_t begin = 0;  // where it is written on that line
  uint32_t end = 0;

  bool IsCondition() const { return kind >= Kind::kEqual; }
};

// One operation of an expression's postfix code: the operation of the tree node it computes,
// `node`, read as code. A number pushes itself, a variable its value, an operator takes its
// operands from the top; "и" and "или" leave their left side as the answer and go on to
// `argument` where it decides, else drop it.
struct Code {
  Node::Kind op;
  int32_t argument;  // a number, a variable or a place in the code
  int32_t node;
};

// An expression: its code and the root of its tree.
struct Expression {
  uint32_t begin = 0;
  uint32_t end = 0;
  int root = -1;
};

// One instruction. A step is an instruction executed that counts as one: all but the jumps, the
// returns and the end of the program; a loop's pass counts only when it passes.
struct Instruction {
  enum class Op : uint8_t {
    kAssign,    // variable ← first
    kTest,      // ако / иначе ако: where first is false, go to target
    kJump,      // to target
    kForStart,  // за variable от first до second: reached; none of it when first > second
    kForPass,   // a pass of loop `loop`, or on to target when the counter is at its end
    kWhile,     // докато first: on to target when false
    kRow,       // ред first, second, third
    kShow,      // покажи: the expressions from first to first + count
    kNext,    // следващото variable: leaves the loops from `leaves` to `leaves + count`,
              // then to target, the pass of its loop
    kEnd,     // край
    kCall,    // the subprogram `target`, whose code begins at its entry
    kReturn,  // the end of a subprogram
    kHalt,    // the end of the program
  };
  Op op;
  int line = 0;        // the index of its line in the program's lines
  uint32_t begin = 0;  // the statement or header it stands for, on that line
  uint32_t end = 0;
  int variable = -1;
  int target = -1;
  int loop = -1;
  int first = -1;  // expressions, by their index
  int second = -1;
  int third = -1;
  int count = 0;
  int leaves = 0;
};

// A subprogram: its name and where its code begins.
struct Subprogram {
  std::u32string name;
  int entry = -1;
  int line = 0;
};

// A variable: its name as first written, and as names are compared.
struct Variable {
  std::u32string name;
  std::u32string folded;
};

class Program {
 public:
  const std::vector<SourceLine>& Lines() const { return lines_; }
  const std::vector<Node>& Nodes() const { return nodes_; }
  const std::vector<Code>& Codes() const { return code_; }
  const std::vector<Expression>& Expressions() const { return expressions_; }
  const std::vector<Instruction>& Instructions() const { return instructions_; }
  const std::vector<int>& Arguments() const { return arguments_; }
  const std::vector<int>& Leaves() const { return leaves_; }
  const std::vector<Subprogram>& Subprograms() const { return subprograms_; }
  const std::vector<Variable>& Variables() const { return variables_; }
  int Loops() const { return loops_; }
  // The deepest an expression's code can fill the stack of values.
  int StackDepth() const { return stack_depth_; }

  // Where an instruction or a node stands in the text, for the editors to mark.
  Place Where(const Instruction& instruction) const;
  Place Where(const Node& node) const;
  // The text of a node as the pupil wrote it, in UTF-8.
  std::string Written(const Node& node) const;

 private:
  friend class Parser;

  std::vector<SourceLine> lines_;
  std::vector<Node> nodes_;
  std::vector<Code> code_;
  std::vector<Expression> expressions_;
  std::vector<Instruction> instructions_;
  std::vector<int> arguments_;  // the expressions of each покажи, in a row
  std::vector<int> leaves_;     // the loops each следващото leaves, in a row
  std::vector<Subprogram> subprograms_;
  std::vector<Variable> variables_;
  int loops_ = 0;
  int stack_depth_ = 1;
};

// Reads a pupil's text as a program, or says the first thing in it that keeps it from being one.
std::variant<Program, Error> Parse(std::string_view utf8);

}  // namespace language
