#include "lessons/placement.h"

#include <algorithm>

namespace lessons::placement {

PixelRect Beside(const PixelRect& owner, int width, int height, const PixelRect& work, int gap) {
  width = std::min(width, work.width);
  height = std::min(height, work.height);
  const int work_right = work.x + work.width;
  int x = owner.x + owner.width + gap;
  if (x + width > work_right) {
    x = owner.x - gap - width;
    if (x < work.x) x = work_right - width;
  }
  x = std::clamp(x, work.x, work_right - width);
  const int y = std::clamp(owner.y, work.y, work.y + work.height - height);
  return {x, y, width, height};
}

}  // namespace lessons::placement
