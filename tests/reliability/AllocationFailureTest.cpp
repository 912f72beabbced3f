// The plug-in's entry with memory running out at each allocation it makes in
// turn: the host gets no effect or a working one, nothing is kept or freed
// twice, and the next call with memory to spare works.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "host/VstAbi.h"
#include "tests/reliability/FailingAllocator.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

#if defined(LUMIVANE_EDITOR_WINDOW)
#include "tools/standin/EditorWindow.h"
#endif

namespace {
constexpr VstInt32 kFrames = 256;

VstIntPtr VST_CALLBACK plainHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

PluginModule& pluginModule() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

// Each time on a new thread, as hosts call the entry from threads of their
// own: whatever the library keeps per thread is made afresh in each.
AEffect* openWithAllocationFailing(long failAt, FailingAllocator::Tally& tally) {
  PluginEntryProc entry = pluginModule().entry();
  AEffect* effect = nullptr;
  std::thread caller([&] {
    // A C++ runtime may keep state for each thread that has seen an exception
    // (the Windows one does); a first refused entry makes it uncounted.
    FailingAllocator::arm(1);
    if (AEffect* first = entry(plainHost)) first->dispatcher(first, effClose, 0, 0, nullptr, 0.0f);
    FailingAllocator::disarm();
    FailingAllocator::arm(failAt);
    effect = entry(plainHost);
    tally = FailingAllocator::disarm();
  });
  caller.join();
  return effect;
}

// Resumed, it turns a block of input into finite output, then closes.
bool worksAndCloses(AEffect* effect) {
  std::vector<float> in(kFrames, 0.5f), left(kFrames, 0.0f), right(kFrames, 0.0f);
  float* inputs[2] = {in.data(), in.data()};
  float* outputs[2] = {left.data(), right.data()};
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  effect->process(effect, inputs, outputs, kFrames);
  bool works = effect->numParams == 11 && effect->getParameter(effect, 4) >= 0.0f;
  for (const std::vector<float>* channel : {&left, &right})
    for (float sample : *channel) works = works && std::isfinite(sample);
  works = works && left[kFrames - 1] != 0.0f;
  // An editor it announces has the panel's size: its bitmaps are all there.
  ERect* rect = nullptr;
  if ((effect->flags & effFlagsHasEditor) != 0)
    works = works && effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f) == 1 && rect != nullptr &&
            rect->right > rect->left && rect->bottom > rect->top;
  return effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f) == 1 && works;
}
}  // namespace

TEST(AllocationFailure, EveryFailingAllocationInTheEntryGivesNoEffectOrAWorkingOne) {
  FailingAllocator::Tally complete;
  AEffect* effect = openWithAllocationFailing(0, complete);
  ASSERT_NE(effect, nullptr);
  ASSERT_TRUE(worksAndCloses(effect));
  ASSERT_GT(complete.allocations, 0);
  RecordProperty("allocations", static_cast<int>(complete.allocations));
  std::printf("a successful entry allocates %ld times\n", complete.allocations);

  for (long failAt = 1; failAt <= complete.allocations; ++failAt) {
    FailingAllocator::Tally tally;
    effect = openWithAllocationFailing(failAt, tally);
    if (effect == nullptr) {
      EXPECT_EQ(tally.stillHeld, 0) << "leaked when allocation " << failAt << " failed";
    } else {
      EXPECT_TRUE(worksAndCloses(effect)) << "allocation " << failAt << " failed";
    }
    FailingAllocator::Tally plenty;
    AEffect* later = openWithAllocationFailing(0, plenty);
    ASSERT_NE(later, nullptr) << "after allocation " << failAt << " failed";
    EXPECT_TRUE(worksAndCloses(later)) << "after allocation " << failAt << " failed";
  }
}

#if defined(LUMIVANE_EDITOR_WINDOW)
// Where the plug-in has an editor: its opening, in the host's window.
TEST(AllocationFailure, EveryFailingAllocationInTheEditorsOpeningLeavesNoPanelOrAWorkingOne) {
  StandInHost host(pluginModule().entry());
  ASSERT_NE(host.open(), nullptr);
  EditorWindow window(host, 10, 10);
  ASSERT_TRUE(window.isOpen());
  window.closeEditor();
  // The plug-in's own allocations: the window system's libraries under it
  // need not survive running out of memory.
  const auto openWithAllocationFailing = [&](long failAt, FailingAllocator::Tally& tally) {
    FailingAllocator::arm(failAt, true);
    const VstIntPtr answer = host.dispatch(effEditOpen, 0, 0, window.hostWindow());
    tally = FailingAllocator::disarm();
    return answer;
  };

  FailingAllocator::Tally complete;
  // As for the entry: the runtime's state for this thread, made uncounted;
  // and what the libraries under the panel make once per process (fonts).
  if (openWithAllocationFailing(1, complete) == 1) window.closeEditor();
  ASSERT_TRUE(window.reopenEditor());
  window.closeEditor();
  ASSERT_EQ(openWithAllocationFailing(0, complete), 1);
  window.closeEditor();
  ASSERT_GT(complete.allocations, 0);
  std::printf("a successful opening allocates %ld times\n", complete.allocations);
  for (long failAt = 1; failAt <= complete.allocations; ++failAt) {
    FailingAllocator::Tally tally;
    if (openWithAllocationFailing(failAt, tally) == 0) {
      EXPECT_EQ(window.panelCount(), 0) << "a window left when allocation " << failAt << " failed";
      EXPECT_EQ(tally.stillHeld, 0) << "leaked when allocation " << failAt << " failed";
    } else {
      EXPECT_EQ(window.panelCount(), 1) << "allocation " << failAt << " failed";
      window.closeEditor();
    }
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, window.hostWindow()), 1) << "after allocation " << failAt << " failed";
    EXPECT_EQ(window.panelCount(), 1);
    window.closeEditor();
  }
}
#endif
