#pragma once
// The plug-in's panel as an LV2 X11 UI: an effect of its own with the VST 2
// build's editor, driven through its effect record as a VST 2 host drives
// it. The UI's host sees the panel's edits as port writes and touches, and
// its port events reach the panel as parameter writes.

#include <cstdint>

#include "host/VstAbi.h"
#include "lv2/Lv2Abi.h"

class Lv2PanelUi final {
public:
  // Null, with nothing left behind, when the host gives no parent window, or
  // the panel cannot open (no display, a parent that names no window, memory
  // running out). *widget becomes the panel's own X11 window.
  static Lv2PanelUi* create(LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                            const LV2_Feature* const* features);

  Lv2PanelUi(const Lv2PanelUi&) = delete;
  Lv2PanelUi& operator=(const Lv2PanelUi&) = delete;

  // The host is done with the UI: the panel and its effect close, and the
  // object goes once no call of ours to the host is on the stack (a host may
  // clean up from inside a port write or a touch).
  void cleanUp();
  // A control port's new value, in the port's unit.
  void portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format, const void* buffer);
  // The host's idle call: the panel handles its window's events and follows
  // the parameters. Non-zero once the UI is closed.
  int idle();

private:
  struct HostFeatures {
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
    // Zero when the host gives none.
    float scaleFactor = 0.0f;
  };

  // Counts a call of the host into the UI while it runs; the last to unwind
  // after a clean-up deletes the object.
  class Call final {
  public:
    explicit Call(Lv2PanelUi& called);
    ~Call();
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

  private:
    Lv2PanelUi& ui;
  };

  Lv2PanelUi(LV2UI_Write_Function write, LV2UI_Controller controller, const HostFeatures& features);
  ~Lv2PanelUi() = default;

  static HostFeatures readFeatures(const LV2_Feature* const* features);
  // The VST 2 host callback the panel's effect calls.
  static VstIntPtr VST_CALLBACK hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                             void* ptr, float opt);
  VstIntPtr answerEffect(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt);
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  bool openPanel(LV2UI_Widget* widget);
  // The effect closes: its editor, then the effect itself.
  void closeEffect();

  LV2UI_Write_Function writePort;
  LV2UI_Controller portController;
  HostFeatures host;
  AEffect* effect = nullptr;
  int callsRunning = 0;
  bool cleanedUp = false;
};
