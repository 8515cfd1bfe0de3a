#include "window/model.h"

#include <algorithm>

namespace window {

namespace {

// The control at `index` of a control array, or null when the index names none.
template <typename Control, size_t N>
Control* At(std::array<Control, N>& controls, int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? &controls[static_cast<size_t>(index)]
                                                      : nullptr;
}

}  // namespace

void FormControl::Notify(void (FormObserver::*change)(int)) const {
  if (form_.observer_ != nullptr) (form_.observer_->*change)(index_);
}

void FormControl::Raise(void (FormEvents::*event)(int16_t)) const {
  if (form_.events_ != nullptr) (form_.events_->*event)(static_cast<int16_t>(index_));
}

void TextBox::SetText(String text) {
  if (text == text_) return;
  text_ = std::move(text);
  Notify(&FormObserver::TextChanged);
}

void TextBox::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(&FormObserver::EnabledChanged);
}

void OptionButton::SetValue(bool selected) {
  if (selected == selected_) return;
  if (selected) {
    for (OptionButton& other : form_.Option1) {
      if (&other != this && other.selected_) other.SetValue(false);
    }
  }
  selected_ = selected;
  Notify(&FormObserver::ValueChanged);
  if (selected) Raise(&FormEvents::Option1_Click);
}

void ListBox::Clear() {
  items_.clear();
  selected_ = -1;
  Notify(&FormObserver::ListCleared);
}

void ListBox::AddItem(String item) {
  items_.push_back(std::move(item));
  Notify(&FormObserver::ItemAdded);
}

void ListBox::SetListIndex(int row) {
  if (row < -1 || row >= ListCount()) {
    throw runtime::RuntimeError(runtime::RuntimeError::kInvalidPropertyValue);
  }
  if (row == selected_) return;
  selected_ = row;
  Notify(&FormObserver::ListIndexChanged);
  Raise(&FormEvents::List1_Click);
}

Form::Form()
    : Text2{{TextBox(*this, 0, 100), TextBox(*this, 1, 4)}},
      Option1{{OptionButton(*this, 0), OptionButton(*this, 1)}},
      List1{{ListBox(*this, 0), ListBox(*this, 1), ListBox(*this, 2)}},
      Command1{{CommandButton(*this, 0), CommandButton(*this, 1)}} {}

template <typename Action>
void Form::AtTop(Action&& action) {
  try {
    action();
  } catch (const runtime::RuntimeError& error) {
    if (observer_ != nullptr) observer_->ErrorReported(error);
  }
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  AtTop([this] {
    if (events_ != nullptr) events_->Form_Load();
  });
}

int Form::UserEdit(int box, std::u32string_view proposed) {
  TextBox* target = At(Text2, box);
  if (target == nullptr) return 0;
  const std::u32string_view old = target->Text();
  if (!target->Enabled()) return static_cast<int>(old.size());

  // The edit replaced what lies between the common beginning and the common end of the two texts.
  const size_t shorter = std::min(old.size(), proposed.size());
  size_t prefix = 0;
  while (prefix < shorter && old[prefix] == proposed[prefix])
    ++prefix;
  size_t suffix = 0;
  while (suffix < shorter - prefix &&
         old[old.size() - 1 - suffix] == proposed[proposed.size() - 1 - suffix]) {
    ++suffix;
  }

  String inserted;
  for (const char32_t c : proposed.substr(prefix, proposed.size() - prefix - suffix)) {
    if (c != U'\r' && c != U'\n') inserted += c;
  }
  const size_t kept = prefix + suffix;
  const auto limit = static_cast<size_t>(target->MaxLength());
  const size_t room = kept < limit ? limit - kept : 0;
  if (inserted.size() > room) inserted.resize(room);

  String text(old.substr(0, prefix));
  text += inserted;
  text += old.substr(old.size() - suffix);
  target->SetText(std::move(text));
  return static_cast<int>(prefix + inserted.size());
}

void Form::UserType(int box, std::u32string_view typed) {
  const TextBox* target = At(Text2, box);
  if (target == nullptr) return;
  for (const char32_t key : typed) {
    String proposed = target->Text();
    proposed += key;
    UserEdit(box, proposed);
  }
}

void Form::UserChoose(int option) {
  if (OptionButton* target = At(Option1, option)) AtTop([target] { target->SetValue(true); });
}

void Form::UserClick(int button) {
  if (const CommandButton* target = At(Command1, button)) AtTop([target] { target->Click(); });
}

void Form::UserSelect(int list, int row) {
  ListBox* target = At(List1, list);
  if (target == nullptr || row < 0 || row >= target->ListCount()) return;
  AtTop([target, row] { target->SetListIndex(row); });
}

}  // namespace window
