// The setters the game steers a figure with: sequence, bone controllers and
// the auxiliary controller.

#include <cmath>

#include "model/model_instance.h"

using namespace model_format;

int ModelInstance::setSequence(int index) {
  const std::int32_t count = loaded() ? readInt32(header.data + header::sequenceCount) : 0;
  int chosen = index;
  if (index >= count) chosen = 0;
  else if (index < 0) chosen = count - 1;
  sequence = chosen;
  frame = 0.0f;
  return chosen;
}

// Brings a rotation value (degrees) into the controller's range: within half
// a turn of the middle of a partial range, or into 0 .. 360 for a full turn.
static float wrapRotation(float value, float start, float end) {
  if (end < start) value = -value;
  if (end <= start + 359.0f) {
    const float mid = (start + end) * 0.5f;
    if (value > mid + 180.0f) value -= 360.0f;
    if (value < mid - 180.0f) value += 360.0f;
  } else if (value > 360.0f) {
    value -= std::trunc(value / 360.0f) * 360.0f;
  } else if (value < 0.0f) {
    value += std::trunc(-value / 360.0f + 1.0f) * 360.0f;
  }
  return value;
}

float ModelInstance::applyController(int slot, float value, int steps, std::uint8_t& setting) {
  if (!loaded()) return value;
  const std::int32_t count = readInt32(header.data + header::controllerCount);
  const std::uint8_t* table = header.data + readInt32(header.data + header::controllerOffset);
  for (int j = 0; j < count; ++j) {
    const std::uint8_t* record = table + j * controller::size;
    if (readInt32(record + controller::slot) != slot) continue;
    const float start = readFloat(record + controller::start);
    const float end = readFloat(record + controller::end);
    if (readInt32(record + controller::type) & controller::anyRotation)
      value = wrapRotation(value, start, end);
    // Held to 0 .. steps before the conversion to an integer; an empty range
    // or a value that is not a number gives setting 0.
    float scaled = std::trunc((value - start) * steps / (end - start));
    if (!(scaled > 0.0f)) scaled = 0.0f;
    if (scaled > steps) scaled = static_cast<float>(steps);
    setting = static_cast<std::uint8_t>(scaled);
    return start + (end - start) * setting / steps;
  }
  return value;
}

float ModelInstance::setController(int slot, float value) {
  if (slot < 0 || slot > 3) return value;
  return applyController(slot, value, 255, controllers[slot]);
}

float ModelInstance::setAuxController(float value) {
  return applyController(controller::auxiliarySlot, value, 64, auxController);
}
