// What the scrolling captures' tool windows need of the camera that started
// them: where the result goes when a capture ends.
#pragma once

#include <optional>

#include "base/picture.h"

namespace flk {

class ScrollHost {
 public:
  virtual ~ScrollHost() = default;
  // A capture ended: its picture for the last-captures ring (counted under
  // usageCode), or nothing when it was discarded and the camera comes back.
  virtual void ScrollCaptureEnded(std::optional<Picture> picture, int usageCode) = 0;
};

}  // namespace flk
