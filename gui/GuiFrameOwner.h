#pragma once
// What a frame needs from whoever owns it (the editor): the toolkit reaches its
// owner only through this interface.

#include <cstdint>

#include "gui/GuiScale.h"

class GuiFrameOwner {
public:
  virtual ~GuiFrameOwner() = default;

  // Called on every turn of a control's mouse-tracking loop, so that the window
  // stays painted and the host served during a drag.
  virtual void pumpIdle() = 0;
  // The user starts and ends changing a control whose tag is index.
  virtual void beginParameterEdit(std::int32_t index) = 0;
  virtual void endParameterEdit(std::int32_t index) = 0;
  // How knobs follow a drag: 2 is linear, anything else circular.
  virtual std::int32_t readKnobMode() const = 0;
  // The scale the frame's window draws at, asked once as the frame is made;
  // the frame's coordinates stay the toolkit's own pixels.
  virtual GuiScale frameScale() const { return GuiScale{}; }
};
