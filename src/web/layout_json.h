#pragma once

#include <string>
#include <string_view>

#include "window/layout.h"

namespace web {

// The window's layout table as JSON, for the page's tests: the window's caption, size, colour and
// font, and each control in table order with its kind, its rectangle in twips and in pixels
// (relative to its parent: the frame for an option, else the window), text, colour, tab place,
// accessible name and whether it is hidden.
std::string LayoutJson();

// The pieces it is made of, which the page's other files share.
std::string JsonString(std::string_view utf8);
std::string CssColour(window::layout::Rgb rgb);  // "#rrggbb"
const char* KindName(window::layout::Kind kind);

}  // namespace web
