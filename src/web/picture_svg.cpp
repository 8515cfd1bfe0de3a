#include "web/picture_svg.h"

#include <initializer_list>
#include <string_view>

#include "runtime/number_text.h"
#include "web/layout_json.h"
#include "web/page_html.h"

namespace web {

namespace {

namespace picture = lessons::picture;
namespace chart = lessons::chart;

// An SVG drawing written piece after piece into one text.
class Svg {
 public:
  Svg(int width, int height) {
    Add({"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""});
    Number(width);
    Add({"\" height=\""});
    Number(height);
    Add({"\" viewBox=\"0 0 "});
    Number(width);
    Add({" "});
    Number(height);
    Add({"\" aria-hidden=\"true\" shape-rendering=\"crispEdges\">"});
  }

  void Add(std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces)
      text_ += piece;
  }

  void Number(int value) { text_ += runtime::ToUtf8(runtime::WholeText(int64_t{value})); }

  // Half of a whole number, exactly: "7" or "7.5".
  void Half(int twice) {
    Number(twice / 2);
    if (twice % 2 != 0) text_ += ".5";
  }

  void Rect(const window::layout::PixelRect& rect, window::layout::Rgb colour) {
    Add({"<rect x=\""});
    Number(rect.x);
    Add({"\" y=\""});
    Number(rect.y);
    Add({"\" width=\""});
    Number(rect.width);
    Add({"\" height=\""});
    Number(rect.height);
    Add({"\" fill=\"", CssColour(colour), "\"/>"});
  }

  // A text at a point, its middle on it across and down, or its start or end across.
  void Text(const char* anchor, int twice_x, int twice_y, std::string_view text) {
    Add({"<text text-anchor=\"", anchor, "\" x=\""});
    Half(twice_x);
    Add({"\" y=\""});
    Half(twice_y);
    Add({"\">", Escaped(text), "</text>"});
  }

  std::string Done() {
    text_ += "</svg>";
    return std::move(text_);
  }

 private:
  std::string text_;
};

constexpr std::string_view kFonts = "', 'Liberation Serif', serif\" dominant-baseline=\"central\"";

}  // namespace

std::string PictureSvg(const picture::Picture& picture, int width, int height) {
  const picture::Scene scene = picture::Paint(picture, width, height);
  Svg svg(width, height);
  svg.Rect({0, 0, width, height}, picture::kBackground);
  for (const picture::Fill& fill : scene.fills)
    svg.Rect(fill.rect, fill.colour);
  if (!scene.labels.empty()) {
    svg.Add({"<g font-family=\"'", window::layout::kFontFamily, kFonts, " font-size=\""});
    svg.Number(scene.font_pixels);
    svg.Add({"\" fill=\"", CssColour(picture::kInkColour), "\">"});
    for (const picture::Label& label : scene.labels) {
      svg.Text("middle", 2 * label.rect.x + label.rect.width, 2 * label.rect.y + label.rect.height,
               label.text);
    }
    svg.Add({"</g>"});
  }
  return svg.Done();
}

std::string ChartSvg(const chart::Chart& shown, int width, int height) {
  return SceneSvg(chart::Paint(shown, width, height), width, height);
}

std::string SceneSvg(const chart::Scene& scene, int width, int height) {
  Svg svg(width, height);
  for (const picture::Fill& fill : scene.fills)
    svg.Rect(fill.rect, fill.colour);
  for (const chart::Polyline& line : scene.lines) {
    svg.Add(
        {"<polyline fill=\"none\" stroke=\"", CssColour(line.colour),
         "\" shape-rendering=\"geometricPrecision\" stroke-linejoin=\"round\" stroke-width=\""});
    svg.Number(line.width);
    svg.Add({"\" points=\""});
    for (size_t at = 0; at < line.points.size(); ++at) {
      if (at > 0) svg.Add({" "});
      svg.Number(line.points[at].x);
      svg.Add({","});
      svg.Number(line.points[at].y);
    }
    svg.Add({"\"/>"});
  }
  svg.Add({"<g font-family=\"'", window::layout::kFontFamily, kFonts, ">"});
  for (const chart::Text& text : scene.texts) {
    const auto& r = text.rect;
    svg.Add({"<g font-size=\""});
    svg.Number(text.font_pixels);
    svg.Add({"\" fill=\"", CssColour(text.colour), "\">"});
    switch (text.align) {
      case chart::Align::kLeft:
        svg.Text("start", 2 * r.x, 2 * r.y + r.height, text.text);
        break;
      case chart::Align::kRight:
        svg.Text("end", 2 * (r.x + r.width), 2 * r.y + r.height, text.text);
        break;
      case chart::Align::kCentre:
        svg.Text("middle", 2 * r.x + r.width, 2 * r.y + r.height, text.text);
        break;
    }
    svg.Add({"</g>"});
  }
  svg.Add({"</g>"});
  return svg.Done();
}

}  // namespace web
