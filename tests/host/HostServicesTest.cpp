#include <gtest/gtest.h>

#include <functional>

#include "tests/host/TestEffect.h"

namespace {
char marker;
void* const kPointer = &marker;

// One host service: how to call it, what it must send, and what it answers
// when the effect has no host callback.
struct Service {
  const char* name;
  std::function<VstIntPtr(EffectBaseExt&)> call;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
  VstIntPtr withoutHost;
};

VstIntPtr answerOf(bool answer) { return answer ? 1 : 0; }

// One service a row, however long the row.
// clang-format off
const std::vector<Service>& services() {
  static const std::vector<Service> table = {
      {"hostVersion", [](EffectBaseExt& e) { return e.hostVersion(); }, 1, 0, 0, nullptr, 0, 1},
      {"hostCurrentId", [](EffectBaseExt& e) { return e.hostCurrentId(); }, 2, 0, 0, nullptr, 0, 0},
      {"hostIdle", [](EffectBaseExt& e) { return e.hostIdle(); }, 3, 0, 0, nullptr, 0, 0},
      {"inputPinConnected", [](EffectBaseExt& e) { return answerOf(e.inputPinConnected(1)); }, 4, 1, 0, nullptr, 0, 1},
      {"outputPinConnected", [](EffectBaseExt& e) { return answerOf(e.outputPinConnected(1)); }, 4, 1, 1, nullptr, 0, 1},
      {"requestEvents", [](EffectBaseExt& e) { e.requestEvents(5); return VstIntPtr{0}; }, 6, 0, 5, nullptr, 0, 0},
      {"hostTimeInfo", [](EffectBaseExt& e) { return reinterpret_cast<VstIntPtr>(e.hostTimeInfo(0x600)); }, 7, 0, 0x600, nullptr, 0, 0},
      {"hostTempoAt", [](EffectBaseExt& e) { return e.hostTempoAt(100); }, 10, 0, 100, nullptr, 0, 0},
      {"hostAutomatableCount", [](EffectBaseExt& e) { return e.hostAutomatableCount(); }, 11, 0, 0, nullptr, 0, 0},
      {"hostParameterQuantization", [](EffectBaseExt& e) { return e.hostParameterQuantization(); }, 12, 0, 0, nullptr, 0, 0},
      {"notifyIoChanged", [](EffectBaseExt& e) { return answerOf(e.notifyIoChanged()); }, 13, 0, 0, nullptr, 0, 0},
      {"hostNeedsIdle", [](EffectBaseExt& e) { return answerOf(e.hostNeedsIdle()); }, 14, 0, 0, nullptr, 0, 0},
      {"requestWindowSize", [](EffectBaseExt& e) { return answerOf(e.requestWindowSize(300, 200)); }, 15, 300, 200, nullptr, 0, 0},
      {"hostInputLatency", [](EffectBaseExt& e) { return e.hostInputLatency(); }, 18, 0, 0, nullptr, 0, 0},
      {"hostOutputLatency", [](EffectBaseExt& e) { return e.hostOutputLatency(); }, 19, 0, 0, nullptr, 0, 0},
      {"previousPlugIn", [](EffectBaseExt& e) { return e.previousPlugIn(3); }, 20, 0, 0, nullptr, 0, 0},
      {"nextPlugIn", [](EffectBaseExt& e) { return e.nextPlugIn(3); }, 21, 0, 0, nullptr, 0, 0},
      {"hostReplaceOrAccumulate", [](EffectBaseExt& e) { return e.hostReplaceOrAccumulate(); }, 22, 0, 0, nullptr, 0, 0},
      {"hostProcessLevel", [](EffectBaseExt& e) { return e.hostProcessLevel(); }, 23, 0, 0, nullptr, 0, 0},
      {"hostAutomationState", [](EffectBaseExt& e) { return e.hostAutomationState(); }, 24, 0, 0, nullptr, 0, 0},
      {"hostOfflineStart", [](EffectBaseExt& e) { return answerOf(e.hostOfflineStart(kPointer, 3, 4)); }, 25, 4, 3, kPointer, 0, 0},
      {"hostOfflineRead", [](EffectBaseExt& e) { return answerOf(e.hostOfflineRead(kPointer, 2, true)); }, 26, 1, 2, kPointer, 0, 0},
      {"hostOfflineWrite", [](EffectBaseExt& e) { return answerOf(e.hostOfflineWrite(kPointer, 2)); }, 27, 0, 2, kPointer, 0, 0},
      {"hostOfflinePass", [](EffectBaseExt& e) { return answerOf(e.hostOfflinePass()); }, 28, 0, 0, nullptr, 0, 0},
      {"hostOfflineMetaPass", [](EffectBaseExt& e) { return answerOf(e.hostOfflineMetaPass()); }, 29, 0, 0, nullptr, 0, 0},
      {"setOutputSampleRate", [](EffectBaseExt& e) { e.setOutputSampleRate(48000.0f); return VstIntPtr{0}; }, 30, 0, 0, nullptr, 48000.0f, 0},
      {"hostSpeakerArrangement", [](EffectBaseExt& e) { return answerOf(e.hostSpeakerArrangement(7, kPointer)); }, 31, 0, 7, kPointer, 0, 0},
      {"hostVendorString", [](EffectBaseExt& e) { return answerOf(e.hostVendorString(&marker)); }, 32, 0, 0, kPointer, 0, 0},
      {"hostProductString", [](EffectBaseExt& e) { return answerOf(e.hostProductString(&marker)); }, 33, 0, 0, kPointer, 0, 0},
      {"hostVendorVersion", [](EffectBaseExt& e) { return e.hostVendorVersion(); }, 34, 0, 0, nullptr, 0, 0},
      {"hostVendorSpecific", [](EffectBaseExt& e) { return e.hostVendorSpecific(1, 2, kPointer, 3.5f); }, 35, 1, 2, kPointer, 3.5f, 0},
      {"canHostDo", [](EffectBaseExt& e) { return answerOf(e.canHostDo(&marker)); }, 37, 0, 0, kPointer, 0, 0},
      {"hostLanguage", [](EffectBaseExt& e) { return e.hostLanguage(); }, 38, 0, 0, nullptr, 0, 0},
      {"hostOpenWindow", [](EffectBaseExt& e) { return e.hostOpenWindow(kPointer); }, 39, 0, 0, kPointer, 0, 0},
      {"hostCloseWindow", [](EffectBaseExt& e) { return answerOf(e.hostCloseWindow(kPointer)); }, 40, 0, 0, kPointer, 0, 0},
      {"hostDirectory", [](EffectBaseExt& e) { return e.hostDirectory(); }, 41, 0, 0, nullptr, 0, 0},
      {"hostUpdateDisplay", [](EffectBaseExt& e) { return answerOf(e.hostUpdateDisplay()); }, 42, 0, 0, nullptr, 0, 0},
      {"hostBeginEdit", [](EffectBaseExt& e) { return answerOf(e.hostBeginEdit(4)); }, 43, 4, 0, nullptr, 0, 0},
      {"hostEndEdit", [](EffectBaseExt& e) { return answerOf(e.hostEndEdit(4)); }, 44, 4, 0, nullptr, 0, 0},
      {"hostOpenFileSelector", [](EffectBaseExt& e) { return answerOf(e.hostOpenFileSelector(kPointer)); }, 45, 0, 0, kPointer, 0, 0},
  };
  return table;
}
// clang-format on
}  // namespace

TEST(HostServices, EachSendsItsRequestWithItsArguments) {
  for (const Service& service : services()) {
    RecordingHost::reset(0);
    TestEffect effect(RecordingHost::callback);
    service.call(effect);
    ASSERT_EQ(RecordingHost::requests.size(), 1u) << service.name;
    const SentRequest& sent = RecordingHost::requests[0];
    EXPECT_EQ(sent.opcode, service.opcode) << service.name;
    EXPECT_EQ(sent.index, service.index) << service.name;
    EXPECT_EQ(sent.value, service.value) << service.name;
    EXPECT_EQ(sent.ptr, service.ptr) << service.name;
    EXPECT_EQ(sent.opt, service.opt) << service.name;
  }
}

TEST(HostServices, EachHasItsFallbackWithoutAHostCallback) {
  for (const Service& service : services()) {
    TestEffect effect(nullptr);
    EXPECT_EQ(service.call(effect), service.withoutHost) << service.name;
  }
}

TEST(HostServices, PinsCountAsConnectedOnlyWhenTheHostAnswersZero) {
  TestEffect effect(RecordingHost::callback);
  RecordingHost::reset(0);
  EXPECT_TRUE(effect.inputPinConnected(1));
  EXPECT_TRUE(effect.outputPinConnected(0));
  RecordingHost::reset(1);
  EXPECT_FALSE(effect.inputPinConnected(1));
  EXPECT_FALSE(effect.outputPinConnected(0));
}

TEST(HostServices, HostVersionIsOneWhenTheHostAnswersZero) {
  TestEffect effect(RecordingHost::callback);
  RecordingHost::reset(0);
  EXPECT_EQ(effect.hostVersion(), 1);
  RecordingHost::reset(2400);
  EXPECT_EQ(effect.hostVersion(), 2400);
}

TEST(HostServices, AutomationSetsTheValueBeforeTellingTheHost) {
  struct Effect : TestEffect {
    using TestEffect::TestEffect;
    void setParameterValue(VstInt32 index, float value) override {
      requestsSeenWhenSet = RecordingHost::requests.size();
      lastIndex = index;
      lastValue = value;
    }
    std::size_t requestsSeenWhenSet = 99;
    VstInt32 lastIndex = -1;
    float lastValue = -1.0f;
  };
  RecordingHost::reset(0);
  Effect effect(RecordingHost::callback);
  effect.automateParameter(3, 0.25f);
  EXPECT_EQ(effect.requestsSeenWhenSet, 0u);
  EXPECT_EQ(effect.lastIndex, 3);
  EXPECT_EQ(effect.lastValue, 0.25f);
  ASSERT_EQ(RecordingHost::requests.size(), 1u);
  EXPECT_EQ(RecordingHost::requests[0].opcode, audioMasterAutomate);
  EXPECT_EQ(RecordingHost::requests[0].index, 3);
  EXPECT_EQ(RecordingHost::requests[0].opt, 0.25f);

  Effect unhosted(nullptr);
  unhosted.automateParameter(5, 0.75f);
  EXPECT_EQ(unhosted.lastValue, 0.75f);
}

TEST(HostServices, FileSelectorIsNotRequestedWithoutASelector) {
  RecordingHost::reset(1);
  TestEffect effect(RecordingHost::callback);
  EXPECT_FALSE(effect.hostOpenFileSelector(nullptr));
  EXPECT_TRUE(RecordingHost::requests.empty());
}

TEST(HostServices, RefreshingTheRateAnswersWhatTheHostSetDuringTheRequest) {
  struct Host {
    static VstIntPtr VST_CALLBACK answer(AEffect* record, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
      if (opcode == audioMasterGetSampleRate) record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 88200.0f);
      if (opcode == audioMasterGetBlockSize) record->dispatcher(record, effSetBlockSize, 0, 256, nullptr, 0.0f);
      return 0;
    }
  };
  TestEffect effect(Host::answer);
  EXPECT_EQ(effect.refreshSampleRate(), 88200.0f);
  EXPECT_EQ(effect.refreshBlockSize(), 256);
  TestEffect unhosted(nullptr);
  EXPECT_EQ(unhosted.refreshSampleRate(), 44100.0f);
  EXPECT_EQ(unhosted.refreshBlockSize(), 1024);
}
