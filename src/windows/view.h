#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "lessons/lessons.h"
#include "lessons/menu.h"
#include "window/layout.h"
#include "window/model.h"
#include "windows/screen.h"
#include "windows/text_files.h"

namespace windows {

class PictureWindow;

// The window on screen: the standard Windows controls made from the layout table and bound to
// the form both ways. A user's typing, choice, click or selection becomes the form's user-side
// action, and every change the form reports shows in its control at once; the controls hold no
// state the form does not. Rectangles and the font follow the window's resolution; an error
// reported by the form shows as a modal message box. Above the client area, a menu bar opens the
// lessons in the lessons' window: the picture, the steps of each run, the practice, the program
// changed and the program written, whose texts are kept in the user's application data folder.
class FormWindow final : private window::FormObserver,
                         private lessons::steps::StepsObserver,
                         private lessons::practice::PracticeObserver,
                         private lessons::change::ChangeObserver,
                         private lessons::write::WriteObserver {
 public:
  FormWindow(window::Form& form, lessons::Lessons& lessons);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return window_; }
  // The control of the layout table, e.g. Control("List1", 2); null if none.
  HWND Control(std::string_view name, int index) const;
  int Dpi() const { return dpi_; }
  // The lessons' window, once it has been opened; null before.
  PictureWindow* Picture() const { return picture_.get(); }
  // Opens the picture of the selected row, or brings it forward, leaving the form active.
  void OpenPicture();
  // What a menu item does.
  void Do(lessons::menu::Command command);
  HMENU Menu() const { return menu_; }
  // The menu item of a command: its id in the menu and in the shortcut keys.
  static UINT MenuId(lessons::menu::Command command);

 private:
  struct Placed {
    const window::layout::Control* control;
    HWND handle;
  };

  friend LRESULT CALLBACK Forward<FormWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);

  void Build();
  void BuildMenu();
  void ShowMenuState();
  void OpenLessons();
  void Layout(int dpi);
  const Placed* Find(HWND handle) const;
  HWND Of(window::layout::Kind kind, int index) const;

  void Command(const Placed& placed, int code);
  void Edited(int box);
  LRESULT Colour(HWND control, HDC dc);
  void Draw(const DRAWITEMSTRUCT& item) const;

  void TextChanged(int box) override;
  void EnabledChanged(int box) override;
  void ValueChanged(int option) override;
  void ListCleared(int list) override;
  void ItemAdded(int list) override;
  void ListIndexChanged(int list) override;
  void ErrorReported(const runtime::RuntimeError& error) override;
  void StepsChanged() override;
  void PracticeChanged() override;
  void ChangeChanged() override;
  void WriteChanged() override;

  void ShowOptions();
  void ShowSelection(int list);
  void RefreshPicture();
  void AddListHints();

  window::Form& form_;
  lessons::Lessons& lessons_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  std::vector<Placed> controls_;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last left
  HFONT font_ = nullptr;
  int dpi_ = window::layout::kUsualDpi;
  bool mirroring_ = false;  // set while a control is made to show the form
  KeptTexts kept_{KeptFolder()};
  std::unique_ptr<PictureWindow> picture_;
};

// Delivers one message of the thread's queue: a key goes first to the program's window it is for,
// `window` or a window it owns (kPreviewKey); then the dialog keys (Tab, Shift+Tab, the arrows
// within the option group) move the focus in that window, and the rest go to their control.
void Deliver(HWND window, MSG& message);

// Delivers messages until the window is closed; returns the program's exit code.
int RunMessageLoop(HWND window);

}  // namespace windows
