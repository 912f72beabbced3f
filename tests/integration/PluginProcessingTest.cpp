#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/engine/IdentityScenario.h"
#include "tests/integration/PluginTestSupport.h"
#include "tools/standin/HostCall.h"

namespace {
struct ResumedPlugin {
  StandInHost host{plugin().entry()};
  explicit ResumedPlugin(bool resume = true) {
    EXPECT_NE(host.open(), nullptr);
    if (resume) host.dispatch(effMainsChanged, 0, 1);
  }
};

// The host's process calls in the form under test.
void process(StandInHost& host, bool replacing, float** inputs, float** outputs, VstInt32 frames) {
  if (replacing)
    host.processReplacing(inputs, outputs, frames);
  else
    host.process(inputs, outputs, frames);
}
}  // namespace

TEST(PluginProcessing, BypassAddsTheInputOnceWithOneFilterAndTwiceWithFour) {
  for (bool replacing : offeredReplacingForms()) {
    for (float active : {0.0f, 1.0f}) {
      ResumedPlugin p;
      p.host.setParameter(0, 0.0f);
      p.host.setParameter(4, active);
      // Adding onto 1.0 is exact only for one filter; four add onto silence.
      const float fill = replacing ? 5.0f : active == 0.0f ? 1.0f : 0.0f;
      StereoBuffers buffers(1000, 0.5f, fill);
      process(p.host, replacing, buffers.inputs, buffers.outputs, 1000);
      const float factor = active == 0.0f ? 1.0f : 2.0f;
      const float base = replacing ? 0.0f : fill;
      for (int channel = 0; channel < 2; ++channel)
        for (int n = 0; n < 1000; ++n) {
          const float x = buffers.in[channel][n];
          if (x == 0.0f) continue;
          ASSERT_EQ(buffers.out[channel][n], base + factor * x) << channel << " " << n << " " << replacing;
        }
    }
  }
}

TEST(PluginProcessing, MissingOutputChannelIsSkippedAndTheOtherProcessed) {
  ResumedPlugin p;
  StereoBuffers buffers(512, 0.5f, 2.0f);
  std::vector<float> spare(512, 2.0f);
  float* outputs[2] = {buffers.outputs[0], nullptr};
  p.host.process(buffers.inputs, outputs, 512);
  EXPECT_NE(buffers.out[0][200], 2.0f);
  EXPECT_EQ(p.host.pinRequests(), 2) << "only the complete channel asks about its pins";
  EXPECT_EQ(p.host.timeRequests(), 4) << "the sweep runs on";
}

TEST(PluginProcessing, PinsReportedUnconnectedLeaveTheirChannelAlone) {
  for (bool output : {false, true}) {
    ResumedPlugin p;
    p.host.setPinConnected(output, 1, false);
    StereoBuffers buffers(512, 0.5f, 2.0f);
    p.host.process(buffers.inputs, buffers.outputs, 512);
    for (float sample : buffers.out[1]) ASSERT_EQ(sample, 2.0f);
    EXPECT_NE(buffers.out[0][300], 2.0f);
    if (!kModuleReplaces) continue;
    p.host.processReplacing(buffers.inputs, buffers.outputs, 512);
    for (float sample : buffers.out[1]) ASSERT_EQ(sample, 0.0f);
  }
}

// A host may call the replacing entry of a module that does not announce it;
// that module leaves the outputs as they were and asks nothing of the host.
TEST(PluginProcessing, ReplacingCallDoesNothingWhereItIsNotAnnounced) {
  ResumedPlugin p;
  StereoBuffers buffers(512, 0.5f, 2.0f);
  p.host.processReplacing(buffers.inputs, buffers.outputs, 512);
  const bool untouched = buffers.out[0][300] == 2.0f && buffers.out[1][300] == 2.0f;
  EXPECT_EQ(untouched, !kModuleReplaces);
  EXPECT_EQ(p.host.timeRequests() == 0, !kModuleReplaces);
}

TEST(PluginProcessing, AddingLeavesTheOutputAloneWhileSuspended) {
  ResumedPlugin p(false);
  StereoBuffers buffers(256, 0.5f, 3.0f);
  p.host.process(buffers.inputs, buffers.outputs, 256);
  p.host.dispatch(effMainsChanged, 0, 1);
  p.host.dispatch(effMainsChanged, 0, 0);
  p.host.process(buffers.inputs, buffers.outputs, 256);
  for (int channel = 0; channel < 2; ++channel)
    for (float sample : buffers.out[channel]) ASSERT_EQ(sample, 3.0f);
  EXPECT_EQ(p.host.timeRequests(), 0);
}

namespace {
struct PluginDriver {
  StandInHost& host;
  void setParameter(VstInt32 index, float value) { host.setParameter(index, value); }
  void resume() { host.dispatch(effMainsChanged, 0, 1); }
  void process(float** inputs, float** outputs, VstInt32 frames) { host.process(inputs, outputs, frames); }
};
}  // namespace

TEST(PluginProcessing, FixedScenarioRendersTheReferenceDigestOnEveryBuild) {
  ResumedPlugin p(false);
  PluginDriver driver{p.host};
  EXPECT_EQ(renderIdentityScenario(driver), kIdentityDigest);
}

#if defined(LUMIVANE_MISALIGNED_HOST_CALLS)
namespace {
std::uint32_t argumentAddressModulo16(std::int32_t first) { return reinterpret_cast<std::uintptr_t>(&first) % 16; }
}  // namespace

// The digest above comes through calls made as 32-bit Windows hosts make them:
// the arguments at 4 mod 16, where GCC's code expects 0.
TEST(PluginProcessing, HostCallsArriveOnAStackAlignedTo4BytesOnly) {
  EXPECT_EQ(callAsHost(&argumentAddressModulo16, 0), 4u);
}
#endif

TEST(PluginProcessing, SampleRateChangeTakesEffectAtTheNextControlUpdate) {
  // Two instances rendered the same way converge on the same output; then one
  // of them is given a new rate 64 samples before a control update.
  ResumedPlugin changed(false);
  ResumedPlugin steady(false);
  PluginDriver drivers[2] = {{changed.host}, {steady.host}};
  StereoBuffers changedOutput(128, 0.0f, 0.0f);
  StereoBuffers steadyOutput(128, 0.0f, 0.0f);
  StereoBuffers* outputs[2] = {&changedOutput, &steadyOutput};
  // Control updates fall on every 128th sample since the start; the scenario
  // leaves the next one `pending` samples ahead.
  const int rendered = kIdentityWarmUp + 6 * kIdentitySegment;
  const int pending = 128 - rendered % 128;
  const int lead = (pending - 64 + 128) % 128;
  for (int i = 0; i < 2; ++i) {
    renderIdentityScenario(drivers[i]);
    drivers[i].setParameter(0, 0.2f);
    IdentityInput input = identityInput(lead);
    float* inputs[2] = {input.left.data(), input.right.data()};
    std::vector<float> scratch[2] = {std::vector<float>(lead), std::vector<float>(lead)};
    float* scratchOut[2] = {scratch[0].data(), scratch[1].data()};
    drivers[i].process(inputs, scratchOut, lead);
  }
  changed.host.setSampleRate(8000.0f);
  for (int i = 0; i < 2; ++i) {
    IdentityInput input = identityInput(128);
    float* inputs[2] = {input.left.data(), input.right.data()};
    drivers[i].process(inputs, outputs[i]->outputs, 128);
  }
  for (int n = 0; n < 64; ++n) ASSERT_EQ(changedOutput.out[0][n], steadyOutput.out[0][n]) << n;
  int differing = 0;
  for (int n = 64; n < 128; ++n) differing += changedOutput.out[0][n] != steadyOutput.out[0][n];
  EXPECT_GT(differing, 60);
}
