#pragma once

#include <string>

#include "lessons/chart.h"
#include "lessons/picture.h"

namespace web {

// The picture of a row as SVG markup for an area of `width` × `height` CSS pixels: the core's
// scene for that size, its background, fills and letters, each as the element that draws it.
// Hidden from screen readers: the element that holds it carries the words instead.
std::string PictureSvg(const lessons::picture::Picture& picture, int width, int height);

// The chart after a check as SVG for an area of that many CSS pixels: its fills and its texts, in
// the core's colours and places.
std::string ChartSvg(const lessons::chart::Chart& chart, int width, int height);
// Any chart's scene as SVG: its fills, its lines and its texts.
std::string SceneSvg(const lessons::chart::Scene& scene, int width, int height);

}  // namespace web
