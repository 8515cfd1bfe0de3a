#pragma once

#include <string>

#include "lessons/picture.h"

namespace web {

// The picture of a row as SVG markup for an area of `width` × `height` CSS pixels: the core's
// scene for that size, its background, fills and letters, each as the element that draws it.
// Hidden from screen readers: the element that holds it carries the words instead.
std::string PictureSvg(const lessons::picture::Picture& picture, int width, int height);

}  // namespace web
