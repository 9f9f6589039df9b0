#pragma once
// The events a cmd button raises to its container. Arguments are the container's to change:
// the handler runs first and the control acts on the values it leaves.

#include <cstdint>

namespace tesk::button {

class CmdEvents {
 public:
  virtual ~CmdEvents() = default;
  virtual void Click() {}
  virtual void MouseDown(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/,
                         float& /*y*/) {}
  virtual void MouseMove(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/,
                         float& /*y*/) {}
  virtual void MouseUp(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/,
                       float& /*y*/) {}
  virtual void KeyPress(std::int16_t& /*keyAscii*/) {}
  virtual void KeyDown(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
  virtual void KeyUp(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
  virtual void MouseOver() {}
  virtual void MouseOut() {}
};

}  // namespace tesk::button
