#include "language/trace.h"

#include <algorithm>

#include "language/sentences.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace language {

Trace::Trace(std::shared_ptr<const Program> program, int16_t letters, const Limits& limits)
    : program_(std::move(program)),
      letters_(letters),
      values_(program_->Variables().size(), 0),
      set_(program_->Variables().size(), 0) {
  outcome_ = Record(*program_, letters, steps_, limits);
  steps_.shrink_to_fit();
}

void Trace::GoTo(int step) {
  step = std::clamp(step, -1, Count() - 1);
  while (current_ < step) {
    const Step& next = steps_[static_cast<size_t>(++current_)];
    if (next.variable >= 0) {
      values_[static_cast<size_t>(next.variable)] = next.after;
      set_[static_cast<size_t>(next.variable)] = 1;
    }
  }
  while (current_ > step) {
    const Step& last = steps_[static_cast<size_t>(current_--)];
    if (last.variable >= 0) {
      values_[static_cast<size_t>(last.variable)] = last.before;
      set_[static_cast<size_t>(last.variable)] = last.was_set ? 1 : 0;
    }
  }
}

Place Trace::Where() const {
  if (current_ < 0) return {};
  if (AtError()) return outcome_.error->place;
  const Step& step = steps_[static_cast<size_t>(current_)];
  return program_->Where(program_->Instructions()[static_cast<size_t>(step.instruction)]);
}

std::vector<Trace::Shown> Trace::Variables() const {
  const int changed = current_ >= 0 ? steps_[static_cast<size_t>(current_)].variable : -1;
  std::vector<Shown> shown;
  const auto& variables = program_->Variables();
  for (size_t k = 0; k < variables.size(); ++k) {
    shown.push_back({runtime::ToUtf8(variables[k].name),
                     set_[k] != 0 ? runtime::ToUtf8(runtime::WholeText(int64_t{values_[k]})) : "",
                     static_cast<int>(k) == changed});
  }
  return shown;
}

std::string Trace::Sentence() const {
  if (current_ < 0) return {};
  if (AtError()) return outcome_.error->text;
  const Step& step = steps_[static_cast<size_t>(current_)];
  const sentences::Values before = [&](int variable) -> std::optional<int16_t> {
    const auto index = static_cast<size_t>(variable);
    if (variable == step.variable) {
      if (!step.was_set) return std::nullopt;
      return step.before;
    }
    if (set_[index] == 0) return std::nullopt;
    return values_[index];
  };
  return sentences::Said(*program_, step, before, letters_);
}

int Trace::Rows() const {
  return current_ < 0 ? 0 : steps_[static_cast<size_t>(current_)].rows;
}

int Trace::Lines() const {
  return current_ < 0 ? 0 : steps_[static_cast<size_t>(current_)].lines;
}

int Trace::StepOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(outcome_.rows.size())) return -1;
  const auto found = std::partition_point(steps_.begin(), steps_.end(),
                                          [&](const Step& step) { return step.rows <= row; });
  return found == steps_.end() ? -1 : static_cast<int>(found - steps_.begin());
}

}  // namespace language
