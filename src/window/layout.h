#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The window's look, declared as data like a form file: every control with its place and size in
// twips (1440 to the inch), its text, colour and place in the tab order. The view reads this
// table in one loop; nothing here knows the toolkit.
namespace window::layout {

enum class Kind {
  kNote,     // multi-line text, read-only, with a vertical scroll bar
  kTitle,    // the window's title: a centred caption heading the window
  kLabel,    // a centred caption
  kTextBox,  // a single-line input box (Text2)
  kList,     // a result list (List1)
  kButton,   // a push button drawn in its colour (Command1)
  kFrame,    // the group box of the two options
  kOption,   // an option button, placed from the frame's outer top-left corner
  kPicture,  // a text-less button of the illustration (Command2)
};

struct Rgb {
  uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Control {
  const char* name;  // the control array, e.g. "Text2"
  int index;         // the index within it
  Kind kind;
  int left, top, width, height;  // twips
  const char* text;              // UTF-8; may be empty
  std::optional<Rgb> colour;     // none: the toolkit's usual colour for that kind
  int tab;                       // place in the tab order
  const char* accessible_name;   // what a screen reader calls it; null: its text
  bool hidden = false;
};

// The illustration's colours: the letter squares' olive and the frame's gold.
inline constexpr Rgb kOlive{0x80, 0x80, 0x00};
inline constexpr Rgb kGold{0xC0, 0xC0, 0x00};

inline constexpr int kClientWidth = 7125;
inline constexpr int kClientHeight = 6360;
inline constexpr Rgb kBackground{0xC0, 0xC0, 0xFF};
inline constexpr const char* kCaption = "Математика - периметър на правоъгълник";
inline constexpr const char* kFontFamily = "Times New Roman";
inline constexpr int kFontPoints = 12;

extern const std::array<Control, 31> kControls;

// The frame of the options in the table.
const Control* Frame();

// 1440 twips make an inch: 15 twips a pixel at 96 dots per inch, the usual resolution, at which
// the table was drawn. A coordinate rounds to the nearest pixel, half a pixel up; rectangles are
// converted by their edges, so that rectangles which touch in twips still touch in pixels.
inline constexpr int kUsualDpi = 96;

constexpr int Pixels(int twips, int dpi = kUsualDpi) {
  return (2 * twips * dpi + 1440) / 2880;
}

struct PixelRect {
  int x, y, width, height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr PixelRect ToPixels(int left, int top, int width, int height, int dpi = kUsualDpi) {
  return {Pixels(left, dpi), Pixels(top, dpi), Pixels(left + width, dpi) - Pixels(left, dpi),
          Pixels(top + height, dpi) - Pixels(top, dpi)};
}

// A control's rectangle in pixels within the window. An option's twips count from the outer
// top-left corner of its frame.
constexpr PixelRect InWindow(const Control& control, const Control* frame, int dpi = kUsualDpi) {
  const bool in_frame = control.kind == Kind::kOption && frame != nullptr;
  const int left = in_frame ? frame->left : 0;
  const int top = in_frame ? frame->top : 0;
  return ToPixels(left + control.left, top + control.top, control.width, control.height, dpi);
}

// The same within its parent: the frame for an option, else the window. The edges are rounded
// where they stand in the window, so that the option lines up with what lies around the frame.
constexpr PixelRect InParent(const Control& control, const Control* frame, int dpi = kUsualDpi) {
  const PixelRect rect = InWindow(control, frame, dpi);
  if (control.kind != Kind::kOption || frame == nullptr) return rect;
  return {rect.x - Pixels(frame->left, dpi), rect.y - Pixels(frame->top, dpi), rect.width,
          rect.height};
}

}  // namespace window::layout
