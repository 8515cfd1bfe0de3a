#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "lessons/lessons.h"
#include "lessons/menu.h"
#include "window/model.h"

class QAction;
class QLineEdit;
class QMenuBar;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace desktop {

class PictureWindow;
class TextKeeper;

// Sets up the application as the window expects it: style, names, version and icon.
void SetUpApplication();

// The window on screen: Qt widgets built from the layout table and bound to the form both ways.
// A user's typing, choice, click or selection becomes the form's user-side action, and every
// change the form reports shows in its widget at once. The widgets hold no state the form does
// not; an error reported by the form shows as a modal message box. Above the client area, a menu
// bar opens the lessons, which show in the lessons' window: the picture, the steps of each run,
// the practice, the program changed and the program written, whose texts are kept between starts.
class FormView final : public QWidget,
                       private window::FormObserver,
                       private lessons::steps::StepsObserver,
                       private lessons::practice::PracticeObserver,
                       private lessons::change::ChangeObserver,
                       private lessons::write::WriteObserver {
 public:
  FormView(window::Form& form, lessons::Lessons& lessons, QWidget* parent = nullptr);
  ~FormView() override;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  // The widget of a control of the layout table, e.g. Control("List1", 2); null if none.
  QWidget* Control(const std::string& name, int index) const;
  // The client area, which holds every control of the layout table, and the menu bar above it.
  QWidget* Client() const { return client_; }
  QMenuBar* MenuBar() const { return menu_bar_; }
  // The menu item of a command.
  QAction* Action(lessons::menu::Command command) const;
  // The lessons' window, once it has been opened; null before.
  PictureWindow* Picture() const { return picture_; }
  // Opens the picture of the selected row, or brings it forward, leaving the focus here.
  void OpenPicture();
  // What a menu item does.
  void Do(lessons::menu::Command command);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  void BuildMenu();
  void Bind();
  void OpenLessons();

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
  void ShowMenuState();

  window::Form& form_;
  lessons::Lessons& lessons_;
  QWidget* client_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
  std::map<lessons::menu::Command, QAction*> actions_;
  std::map<std::pair<std::string, int>, QWidget*> controls_;
  std::array<QLineEdit*, 2> text2_{};
  std::array<QRadioButton*, 2> option1_{};
  std::array<QListWidget*, 3> list1_{};
  std::array<QPushButton*, 2> command1_{};
  PictureWindow* picture_ = nullptr;
  std::unique_ptr<TextKeeper> keeper_;  // the pupil's programs, kept between starts
};

}  // namespace desktop
