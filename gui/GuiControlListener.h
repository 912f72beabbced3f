#pragma once
// Told by a control of every change of its value that the user makes.

class GuiControl;
class GuiDrawingContext;

class GuiControlListener {
public:
  virtual ~GuiControlListener() = default;
  // The context is the mouse press's while a drag goes on, null for keys.
  virtual void valueChanged(GuiDrawingContext* context, GuiControl& control) = 0;
};
