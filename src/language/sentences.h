#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "language/machine.h"
#include "language/program.h"

// What a step of a pupil's program did, said in one sentence in a pupil's words, with the values
// it used: "i става 3.", "70 mod 3 = 1 ≠ 0: към следващото i.", "В таблицата се записва 7, 10,
// 38."
namespace language::sentences {

// The value a variable had before the step, or none while it had none.
using Values = std::function<std::optional<int16_t>(int variable)>;

std::string Said(const Program& program, const Step& step, const Values& before, int16_t letters);

}  // namespace language::sentences
