#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lessons/write.h"
#include "windows/screen.h"

namespace windows {

class CodeEditor;

// "Напиши програмата", the fifth page of the lessons' window, a child window of its own on the
// standard controls: the task in a drop-down list with its text and its check; the editor with
// its signs, its starts, its files and the language's help; N and the buttons that run the
// pupil's program or step through it; its values, its output, its rows beside those of the
// program from the lesson, and the work of both, all as the core's page gives them. The page
// passes on what the pupil does, asks before a text is replaced, opens and saves files through
// the common dialogs, and runs the check a slice at a time on a timer, so that the window never
// freezes.
class WritePage {
 public:
  WritePage(lessons::write::Write& write, HWND parent);
  ~WritePage();
  WritePage(const WritePage&) = delete;
  WritePage& operator=(const WritePage&) = delete;

  HWND Handle() const { return window_; }
  void Refresh();
  // Puts the focus where the page begins: the editor.
  void TakeFocus();
  void Place(const RECT& area, int dpi, HFONT font);
  // Enter, with the focus on `focused`.
  void Enter(HWND focused);

  // What a choice of "Започни от" does: asks, where the text would be lost, then starts.
  void StartFrom(int start);
  // The file to open, or to save into with the name offered, or none: the common dialogs, unless
  // another chooser is put in their place.
  using FileChooser = std::function<std::optional<std::wstring>(bool save, const std::wstring&)>;
  void ChooseFilesWith(FileChooser chooser) { choose_file_ = std::move(chooser); }

  HWND Task() const { return task_; }
  HWND TaskText() const { return task_text_; }
  HWND Verdict() const { return verdict_; }
  HWND Sign(size_t index) const { return signs_[index]; }
  HWND Start() const { return start_; }
  HWND Open() const { return open_; }
  HWND Save() const { return save_; }
  HWND Help() const { return help_; }
  HWND HelpText() const { return help_text_; }
  const CodeEditor& Editor() const { return *editor_; }
  HWND Message() const { return message_; }
  HWND Counter() const { return counter_; }
  HWND Count() const { return count_; }
  HWND CountNote() const { return count_note_; }
  HWND Button(lessons::write::Command command) const {
    return buttons_[static_cast<size_t>(command)];
  }
  HWND Values() const { return values_; }
  HWND Output() const { return output_; }
  HWND YourRows() const { return rows_[0]; }
  HWND LessonRows() const { return rows_[1]; }
  HWND Work() const { return work_; }

 private:
  friend LRESULT CALLBACK Forward<WritePage>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK HelpKeys(HWND help, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR page);
  void Do(int id, int code);
  void Edited();
  bool Ask() const;
  void OpenFile();
  void SaveFile();
  void ChooseStart();
  void ShowHelp(bool shown);
  void ShowProgram();
  void ShowTasks();
  void ShowRows();
  void Said();
  void Time();
  void DrawTask(const DRAWITEMSTRUCT& item) const;
  void DrawRow(const DRAWITEMSTRUCT& item) const;
  void DrawVerdict(const DRAWITEMSTRUCT& item) const;

  lessons::write::Write& write_;
  FileChooser choose_file_;
  HWND window_ = nullptr;
  HWND task_label_ = nullptr;
  HWND task_ = nullptr;
  HWND task_text_ = nullptr;
  HWND verdict_ = nullptr;
  std::array<HWND, lessons::write::kCommandNames.size()> buttons_{};
  std::array<HWND, lessons::write::kSigns.size()> signs_{};
  HWND start_ = nullptr;
  HWND open_ = nullptr;
  HWND save_ = nullptr;
  HWND help_ = nullptr;
  HWND help_text_ = nullptr;
  std::unique_ptr<CodeEditor> editor_;
  HWND message_ = nullptr;
  HWND counter_ = nullptr;
  HWND count_label_ = nullptr;
  HWND count_ = nullptr;
  HWND arrows_ = nullptr;
  HWND count_note_ = nullptr;
  HWND values_label_ = nullptr;
  HWND values_ = nullptr;
  HWND output_label_ = nullptr;
  HWND output_ = nullptr;
  std::array<HWND, 2> rows_labels_{};
  std::array<std::array<HWND, 3>, 2> headings_{};
  std::array<HWND, 2> rows_{};
  HWND work_ = nullptr;
  std::vector<HWND> right_;  // the right side, which the help takes while it is shown
  std::array<std::vector<lessons::write::ShownRow>, 2> shown_rows_;
  std::array<int, 4> columns_{};  // where each column of the rows begins, and the marks
  int dpi_ = 96;
  HFONT font_ = nullptr;  // the page's, as it was last placed
  HFONT bold_ = nullptr;
  HFONT stars_ = nullptr;
  HFONT help_font_ = nullptr;
  bool mirroring_ = false;  // set while a control is made to show the core's text
  bool timing_ = false;     // the check's timer runs
  int read_sayings_ = -1;   // what the page last gave a screen reader
  std::wstring said_verdict_;
};

}  // namespace windows
