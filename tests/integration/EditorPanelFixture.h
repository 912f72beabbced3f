#pragma once
// The plug-in (the .so natively, the 64-bit DLL under Wine) with its editor open in a host window on the virtual
// display, and a look at the panel's views through the plug-in's own objects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/FilterSweepEditor.h"
#include "engine/FilterSweepEffect.h"
#include "gui/GuiBitmap.h"
#include "gui/GuiControl.h"
#include "gui/GuiFrame.h"
#include "gui/GuiValueDisplay.h"
#include "tests/integration/InputScript.h"
#include "tools/standin/EditorWindow.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

inline PluginModule& editorPlugin() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

inline constexpr VstInt32 kLinearKnobMode = 2;

class EditorPanel : public ::testing::Test {
protected:
  static constexpr int kWindowX = 100;
  static constexpr int kWindowY = 100;

  void SetUp() override {
    ASSERT_NE(host.open(), nullptr);
    beforeEditorOpens();
    window = std::make_unique<EditorWindow>(host, kWindowX, kWindowY);
    ASSERT_TRUE(window->isOpen());
    host.clearCalls();
  }

  void TearDown() override {
    // A failed test must not leave a modifier held on the shared display.
    for (TestModifier modifier : {TestModifier::Shift, TestModifier::Control, TestModifier::Alt}) {
      if (isModifierDown(modifier)) InputScript().keyUp(modifier).playOn(*window);
    }
    // The knob mode is shared by every editor in the process.
    if (host.effect() != nullptr) host.dispatch(effSetEditKnobMode, 0, kLinearKnobMode);
    window.reset();
  }

  // What the host tells the plug-in before it opens the editor.
  virtual void beforeEditorOpens() {}

  FilterSweepEffect& effect() {
    return *static_cast<FilterSweepEffect*>(static_cast<EffectBase*>(host.effect()->object));
  }
  FilterSweepEditor& editor() { return *static_cast<FilterSweepEditor*>(effect().attachedEditor()); }
  GuiFrame& frame() { return *editor().editorFrame(); }
  // Views are added control, display, control, display ... in parameter order.
  GuiControl& control(int parameter) { return *static_cast<GuiControl*>(frame().viewAt(2 * parameter)); }
  GuiValueDisplay& display(int parameter) { return *static_cast<GuiValueDisplay*>(frame().viewAt(2 * parameter + 1)); }
  std::string shownText(int parameter) {
    char text[GuiValueDisplay::kTextCapacity];
    display(parameter).formatValue(text);
    return text;
  }
  std::string shortDisplay(int parameter) {
    char text[GuiValueDisplay::kTextCapacity] = {};
    effect().copyParameterShortDisplay(parameter, text);
    return text;
  }
  // A point of the panel, in window pixels, on the screen.
  GuiPoint onScreen(int x, int y) const {
    const ScreenPoint origin = window->panelScreenOrigin();
    return {origin.x + x, origin.y + y};
  }
  // What the plug-in asked of the host, without its idle requests.
  std::vector<HostCall> editCalls() const {
    std::vector<HostCall> edits;
    for (const HostCall& call : host.calls()) {
      if (call.opcode != audioMasterIdle) edits.push_back(call);
    }
    return edits;
  }

  StandInHost host{editorPlugin().entry()};
  std::unique_ptr<EditorWindow> window;
};
