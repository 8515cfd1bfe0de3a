#include "web/picture_svg.h"

#include "web/layout_json.h"
#include "web/page_html.h"

namespace web {

namespace {

namespace picture = lessons::picture;

std::string Number(int value) {
  return std::to_string(value);
}

// Half of a whole number, exactly: "7" or "7.5".
std::string Half(int twice) {
  return Number(twice / 2) + (twice % 2 != 0 ? ".5" : "");
}

std::string Rect(const window::layout::PixelRect& rect, window::layout::Rgb colour) {
  return "<rect x=\"" + Number(rect.x) + "\" y=\"" + Number(rect.y) + "\" width=\"" +
         Number(rect.width) + "\" height=\"" + Number(rect.height) + "\" fill=\"" +
         CssColour(colour) + "\"/>";
}

}  // namespace

std::string PictureSvg(const picture::Picture& picture, int width, int height) {
  const picture::Scene scene = picture::Paint(picture, width, height);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) +
                    "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(width) + ' ' +
                    Number(height) + "\" aria-hidden=\"true\" shape-rendering=\"crispEdges\">";
  svg += Rect({0, 0, width, height}, picture::kBackground);
  for (const picture::Fill& fill : scene.fills)
    svg += Rect(fill.rect, fill.colour);
  if (!scene.labels.empty()) {
    svg += "<g font-family=\"'" + std::string(window::layout::kFontFamily) +
           "', 'Liberation Serif', serif\" font-size=\"" + Number(scene.font_pixels) +
           "\" fill=\"" + CssColour(picture::kInkColour) +
           "\" text-anchor=\"middle\" dominant-baseline=\"central\">";
    for (const picture::Label& label : scene.labels) {
      svg += "<text x=\"" + Half(2 * label.rect.x + label.rect.width) + "\" y=\"" +
             Half(2 * label.rect.y + label.rect.height) + "\">" + Escaped(label.text) + "</text>";
    }
    svg += "</g>";
  }
  return svg + "</svg>";
}

}  // namespace web
