#pragma once
// A view that records what the frame asks of it and paints its rectangle in
// its own colour, so that both calls and pixels can be checked.

#include <optional>
#include <string>
#include <vector>

#include "gui/GuiDrawingContext.h"
#include "gui/GuiView.h"

class RecordingView : public GuiView {
public:
  RecordingView(const GuiRect& initialSize, const GuiColour& fillColour = ColourRed, int* destructionCounter = nullptr)
      : GuiView(initialSize), colour(fillColour), destroyed(destructionCounter) {}
  ~RecordingView() override {
    if (destroyed) ++*destroyed;
  }

  void draw(GuiDrawingContext& context) override {
    ++draws;
    context.setFillColour(colour);
    const GuiRect r = viewSize();
    context.fillRect({r.left - 1, r.top - 1, r.right, r.bottom});
  }
  void onMouseDown(GuiDrawingContext&, const GuiPoint& where) override { presses.push_back(where); }
  std::int32_t onKeyDown(const GuiKeyStroke& key) override {
    keysDown.push_back(key.virtualKey);
    return keyAnswer;
  }
  std::int32_t onKeyUp(const GuiKeyStroke& key) override {
    keysUp.push_back(key.virtualKey);
    return keyAnswer;
  }
  bool onDrop(char** items, std::int32_t count, GuiDropKind kind, const GuiPoint& where) override {
    ++drops;
    lastDropKind = kind;
    lastDropCount = count;
    lastDropWhere = where;
    if (kind == GuiDropKind::DropKindText && count > 0) droppedText = items[0];
    if (kind == GuiDropKind::DropKindFiles) droppedFiles.assign(items, items + count);
    return acceptsDrops;
  }
  bool onWheel(GuiDrawingContext* context, const GuiPoint& where, float distance) override {
    ++wheels;
    wheelHadContext = context != nullptr;
    lastWheelWhere = where;
    lastWheelDistance = distance;
    return true;
  }
  void loseFocus(GuiDrawingContext*) override { ++focusLosses; }
  bool onAttached(GuiFrame* to) override {
    attachedTo = to;
    return true;
  }
  bool onRemoved(GuiFrame* from) override {
    removedFrom = from;
    return true;
  }

  GuiColour colour;
  int* destroyed;
  int draws = 0;
  std::vector<GuiPoint> presses;
  std::vector<int> keysDown, keysUp;
  std::int32_t keyAnswer = -1;
  int drops = 0;
  bool acceptsDrops = false;
  std::optional<GuiDropKind> lastDropKind;
  std::int32_t lastDropCount = -1;
  GuiPoint lastDropWhere;
  std::string droppedText;
  std::vector<std::string> droppedFiles;
  int wheels = 0;
  bool wheelHadContext = false;
  GuiPoint lastWheelWhere;
  float lastWheelDistance = 0.0f;
  int focusLosses = 0;
  GuiFrame* attachedTo = nullptr;
  GuiFrame* removedFrom = nullptr;
};
