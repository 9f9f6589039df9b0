#pragma once
// Points and rectangles in device pixels; a rectangle's left and top are inside it, its right
// and bottom just outside.

#include <cstdint>

namespace tesk::platform {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  Rect Offset(std::int32_t dx, std::int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  Rect Inset(std::int32_t amount) const {
    return {left + amount, top + amount, right - amount, bottom - amount};
  }
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && right == other.right &&
           bottom == other.bottom;
  }
};

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point& other) const { return x == other.x && y == other.y; }
};

}  // namespace tesk::platform
