#pragma once

#include <string>

namespace web {

// The window's layout table as JSON for the page's script: the window's caption, size, colour and
// font, and each control in table order with its kind, its rectangle in twips and in pixels
// (relative to its parent: the frame for an option, else the window), text, colour, tab place,
// accessible name and whether it is hidden.
std::string LayoutJson();

}  // namespace web
