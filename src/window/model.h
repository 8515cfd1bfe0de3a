#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/text.h"

// The window as the program's logic sees it: its input boxes, options, result lists and buttons,
// and the window-level values of the frame search. It knows no toolkit. It delivers the events
// itself, nested inside the assignment that raised them, and tells one observer about every
// change so that a view can mirror it.
namespace window {

using runtime::String;

class Form;

// The event procedures that give the window its behaviour.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void Form_Load() = 0;
  virtual void Command1_Click(int16_t index) = 0;
  virtual void Option1_Click(int16_t index) = 0;
  virtual void List1_Click(int16_t index) = 0;
};

// Whoever shows the form: told of each change of a control as it happens, and of each run-time
// error that reached the top of an event procedure.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void TextChanged(int /*box*/) {}
  virtual void EnabledChanged(int /*box*/) {}
  virtual void ValueChanged(int /*option*/) {}
  virtual void ListCleared(int /*list*/) {}
  virtual void ItemAdded(int /*list*/) {}
  virtual void ListIndexChanged(int /*list*/) {}
  virtual void ErrorReported(const runtime::RuntimeError& /*error*/) {}
};

// What every control has: the form that owns it and its index in its control array. It tells
// the form's observer of its changes and raises its events through the form.
class FormControl {
 public:
  FormControl(const FormControl&) = delete;
  FormControl& operator=(const FormControl&) = delete;

 protected:
  FormControl(Form& form, int index) : form_(form), index_(index) {}
  ~FormControl() = default;

  void Notify(void (FormObserver::*change)(int)) const;
  void Raise(void (FormEvents::*event)(int16_t)) const;

  Form& form_;
  const int index_;
};

// A single-line text input box (`Text2`). Code may assign any text; what a user types stops at
// the box's limit.
class TextBox : public FormControl {
 public:
  TextBox(Form& form, int index, int max_length) : FormControl(form, index), max_(max_length) {}

  const String& Text() const { return text_; }
  void SetText(String text);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int MaxLength() const { return max_; }

 private:
  const int max_;
  String text_;
  bool enabled_ = true;
};

// An option button (`Option1`); the form's options make one group, at most one selected.
class OptionButton : public FormControl {
 public:
  OptionButton(Form& form, int index) : FormControl(form, index) {}

  bool Value() const { return selected_; }
  // Selecting an unselected option deselects the other and raises Option1_Click before it
  // returns; any other assignment that changes the value raises nothing.
  void SetValue(bool selected);

 private:
  bool selected_ = false;
};

// A list box of texts (`List1`), kept in the order appended; the selected row is -1 for none.
class ListBox : public FormControl {
 public:
  ListBox(Form& form, int index) : FormControl(form, index) {}

  void Clear();
  void AddItem(String item);
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::vector<String>& Items() const { return items_; }
  int ListIndex() const { return selected_; }
  // Selecting another row raises List1_Click before it returns; selecting the row already
  // selected changes nothing. A row outside -1..ListCount()-1 is error 380.
  void SetListIndex(int row);

 private:
  std::vector<String> items_;
  int selected_ = -1;
};

// A push button (`Command1`); a click raises Command1_Click.
class CommandButton : public FormControl {
 public:
  CommandButton(Form& form, int index) : FormControl(form, index) {}

  void Click() const { Raise(&FormEvents::Command1_Click); }
};

// The window: its controls, the values of the frame search, and the entries through which the
// platform and a user act on it.
class Form {
 public:
  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  void SetEvents(FormEvents* events) { events_ = events; }
  void SetObserver(FormObserver* observer) { observer_ = observer; }

  // The controls, by the names and indices the event procedures use.
  std::array<TextBox, 2> Text2;           // 0: the mantra (100 characters), 1: the count (4)
  std::array<OptionButton, 2> Option1;    // 0: "Мантра", 1: "Брой букви"
  std::array<ListBox, 3> List1;           // abscissa side, ordinate side, frame size
  std::array<CommandButton, 2> Command1;  // 0: "Изчисли", 1: "Изчисти"

  // The values of the frame search; each run sets them before it reads them.
  int16_t LetterCount = 0;  // the area under examination
  int16_t BestFrame = 0;    // the frame size of the last row listed by a scan
  double RootSide = 0;      // floor(sqrt(N)) of the entered count N
  double SquareSide = 0;    // RootSide + 1, the side of the closing square

  // The load and what a user does, each a top-level event: an error that reaches its top is
  // reported to the observer, and the window goes on as the error left it.
  void Load();  // raises Form_Load, once
  // The box's text after a user's edit (typing, a paste, a deletion), as the toolkit proposes
  // it. What the edit inserts loses its line breaks and is cut to fit the box's limit; a
  // disabled box takes nothing. Returns where the caret stands afterwards.
  int UserEdit(int box, std::u32string_view proposed);
  // Keys typed one after the other at the end of the box's text.
  void UserType(int box, std::u32string_view typed);
  void UserChoose(int option);
  void UserClick(int button);
  void UserSelect(int list, int row);

 private:
  friend class FormControl;

  template <typename Action>
  void AtTop(Action&& action);

  FormEvents* events_ = nullptr;
  FormObserver* observer_ = nullptr;
  bool loaded_ = false;
};

}  // namespace window
