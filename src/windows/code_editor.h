#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "language/error.h"
#include "windows/screen.h"

namespace windows {

// The editor of a pupil's program: the standard multi-line edit control, with its own undo, copy
// and paste, in a fixed-width font, and the numbers of its lines painted beside it in a window of
// their own that follows its scrolling. Tab puts four blanks at the caret. Esc arms a leave, so
// that the next Tab moves the focus on as on any other control, and any other key disarms it;
// Shift+Tab always moves it back: no key is trapped. A place of the text can be marked, a step's
// or an error's: its line tinted in the page's colour for it, its span underlined.
class CodeEditor {
 public:
  CodeEditor(HWND parent, int id);
  ~CodeEditor();
  CodeEditor(const CodeEditor&) = delete;
  CodeEditor& operator=(const CodeEditor&) = delete;

  HWND Handle() const { return edit_; }
  HWND Numbers() const { return window_; }
  // The numbers and the text side by side in the rectangle, at the resolution.
  void Place(const RECT& rect, int dpi);
  // The text's fixed-width font.
  HFONT Font() const { return font_; }

  // The text as the control holds it, each line ended by CR LF.
  std::wstring Text() const;
  // Replaces the whole text so that undo brings the old one back, the caret at the start.
  void Replace(const std::wstring& text);
  // Puts the text at the caret in place of the selection, as typing would, and gives the editor
  // the focus.
  void Insert(const std::wstring& text);
  // Marks a place, or none: a step's, or an error's, which also takes the caret.
  void Mark(std::optional<language::Place> place, bool error);

 private:
  friend LRESULT CALLBACK Forward<CodeEditor>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditorMessage(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR editor);
  LRESULT Key(UINT message, WPARAM wparam, LPARAM lparam);
  // The character indexes of a place: where it begins and ends in the control's text.
  std::pair<int, int> Span(const language::Place& place) const;
  // The top of a line of the text (from 0) in the editor's client area.
  int LineTop(int line) const;
  // Where a place begins and ends across the editor's client area.
  std::pair<int, int> Across(const language::Place& place) const;
  void PaintMark() const;
  void PaintNumbers();
  void FollowScrolling();

  HWND window_ = nullptr;  // the numbers'
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
  int line_height_ = 16;
  int char_width_ = 8;
  int dpi_ = 96;
  std::optional<language::Place> mark_;
  bool error_ = false;
  bool leaving_ = false;
  bool following_ = false;  // while the numbers ask the editor where it stands
  int shown_first_ = -1;    // the first line and the line count the numbers last showed
  int shown_count_ = -1;
};

// The text with each line end, CR LF, LF or CR, as the edit control holds it: CR LF.
std::wstring WithWindowsLineEnds(std::wstring_view text);

}  // namespace windows
