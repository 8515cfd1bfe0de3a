#include "web/layout_json.h"

#include <string_view>

#include "window/layout.h"

namespace web {

namespace {

namespace layout = window::layout;

// Two hexadecimal digits.
std::string Hex(unsigned char byte) {
  constexpr char kDigits[] = "0123456789abcdef";
  return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

}  // namespace

// A JSON string: the UTF-8 text between quotes, with quotes, backslashes and control characters
// escaped.
std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      json += "\\u00";
      json += Hex(static_cast<unsigned char>(c));
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string CssColour(layout::Rgb rgb) {
  return '#' + Hex(rgb.red) + Hex(rgb.green) + Hex(rgb.blue);
}

const char* KindName(layout::Kind kind) {
  switch (kind) {
    case layout::Kind::kNote:
      return "note";
    case layout::Kind::kTitle:
      return "title";
    case layout::Kind::kLabel:
      return "label";
    case layout::Kind::kTextBox:
      return "textbox";
    case layout::Kind::kList:
      return "list";
    case layout::Kind::kButton:
      return "button";
    case layout::Kind::kFrame:
      return "frame";
    case layout::Kind::kOption:
      return "option";
    case layout::Kind::kPicture:
      return "picture";
  }
  return "";
}

namespace {

std::string Number(int value) {
  return std::to_string(value);
}

std::string Colour(layout::Rgb rgb) {
  return '"' + CssColour(rgb) + '"';
}

}  // namespace

std::string LayoutJson() {
  std::string json = "{\"caption\":" + JsonString(layout::kCaption) +
                     ",\"width\":" + Number(layout::Pixels(layout::kClientWidth)) +
                     ",\"height\":" + Number(layout::Pixels(layout::kClientHeight)) +
                     ",\"background\":" + Colour(layout::kBackground) +
                     ",\"font\":" + JsonString(layout::kFontFamily) +
                     ",\"points\":" + Number(layout::kFontPoints) + ",\"controls\":[";
  const layout::Control* frame = nullptr;
  for (const layout::Control& control : layout::kControls) {
    const layout::PixelRect rect = layout::InParent(control, frame);
    if (&control != layout::kControls.data()) json += ',';
    json +=
        "{\"name\":" + JsonString(control.name) + ",\"index\":" + Number(control.index) +
        ",\"kind\":\"" + KindName(control.kind) + "\",\"twips\":[" + Number(control.left) + ',' +
        Number(control.top) + ',' + Number(control.width) + ',' + Number(control.height) +
        "],\"rect\":[" + Number(rect.x) + ',' + Number(rect.y) + ',' + Number(rect.width) + ',' +
        Number(rect.height) + "],\"text\":" + JsonString(control.text) +
        ",\"colour\":" + (control.colour ? Colour(*control.colour) : "null") +
        ",\"tab\":" + Number(control.tab) + ",\"accessibleName\":" +
        JsonString(control.accessible_name != nullptr ? control.accessible_name : control.text) +
        ",\"hidden\":" + (control.hidden ? "true" : "false") + '}';
    if (control.kind == layout::Kind::kFrame) frame = &control;
  }
  return json + "]}";
}

}  // namespace web
