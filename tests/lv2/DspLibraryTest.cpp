// The LV2 DSP library against the VST 2 library, both loaded as hosts load
// them and started within the same second, so that both draw the same step
// patterns: the same input, settings and transport must give the same
// samples at every block size; run() neither allocates nor locks.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/SweepProgram.h"
#include "lv2/Lv2Abi.h"
#include "lv2/Lv2Ports.h"
#include "tests/lv2/TestUridMap.h"
#include "tests/reliability/AudioThreadProbe.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {
constexpr double kRate = 44100.0;
constexpr int kFrames = 120000;
// Until then the LV2 ports hold the description's defaults, which must change
// nothing (a write of Repeat would draw a new pattern); then the settings come.
constexpr int kSettingsFrame = 12800;
// Then Repeat moves within its whole number, which must not write it again.
constexpr int kWiggleFrame = 51200;
constexpr float kWiggle = 0.3f;
constexpr int kReferenceBlock = 128;
constexpr int kBlockSizes[] = {1, 64, 100, 512, 3200};

// The settings as a VST 2 host writes them, normalised.
constexpr float kSettings[kParameterCount] = {0.9f, 0.3f, 0.8f, 0.7f, 0.6f, 0.4f, 0.05f, 0.0f, 0.06f, 0.15f, 0.8f};

// One time:Position as a host sends it; NaN leaves a field out.
struct PositionEvent {
  int frame;
  double bar, barBeat, beatsPerMinute, speed;
};
// A start in the third bar, a jump with a new tempo in mid-block, a stop, a
// start elsewhere at another tempo.
const PositionEvent kEvents[] = {{0, 2.0, 1.5, 128.0, 1.0},
                                 {30001, 7.0, 0.25, 90.0, 1.0},
                                 {70000, NAN, NAN, NAN, 0.0},
                                 {80123, 8.0, 3.0, 140.0, 1.0}};

// The transport as the VST 2 host tells it: quarter notes at a frame.
struct HostClock {
  double anchorBeat = 0.0;
  int anchorFrame = 0;
  double tempo = 120.0;
  bool playing = false;
  double beatAt(int frame) const {
    return playing ? anchorBeat + static_cast<double>(frame - anchorFrame) * tempo / 60.0 / kRate : anchorBeat;
  }
  void take(const PositionEvent& event) {
    anchorBeat = std::isnan(event.bar) ? beatAt(event.frame) : event.bar * 4.0 + event.barBeat;
    anchorFrame = event.frame;
    if (!std::isnan(event.beatsPerMinute)) tempo = event.beatsPerMinute;
    playing = event.speed != 0.0;
  }
};

std::vector<float> inputSignal(int channel) {
  std::vector<float> signal(kFrames);
  for (int n = 0; n < kFrames; ++n)
    signal[n] = 0.4f * static_cast<float>(std::sin(0.013 * n * (channel + 1))) +
                0.2f * static_cast<float>((n * 37 + channel * 11) % 101 - 50) / 50.0f;
  return signal;
}

struct Render {
  std::vector<float> out[2] = {std::vector<float>(kFrames), std::vector<float>(kFrames)};
};

// The frames where a block must end: the settings and each position event.
int nextCut(int frame) {
  int cut = kFrames;
  if (frame < kSettingsFrame) cut = kSettingsFrame;
  for (const PositionEvent& event : kEvents)
    if (event.frame > frame && event.frame < cut) cut = event.frame;
  return cut;
}

class VstInstance {
public:
  explicit VstInstance(PluginModule& module) : host(module.entry()) {
    host.open();
    host.setSampleRate(static_cast<float>(kRate));
    host.dispatch(effSetBlockSize, 0, kReferenceBlock);
    host.dispatch(effMainsChanged, 0, 1);
  }

  Render render(const std::vector<float>* in) {
    Render result;
    HostClock clock;
    for (int frame = 0; frame < kFrames;) {
      if (frame == kSettingsFrame)
        for (int index = 0; index < kParameterCount; ++index) host.setParameter(index, kSettings[index]);
      for (const PositionEvent& event : kEvents)
        if (event.frame == frame) clock.take(event);
      const int frames = std::min(kReferenceBlock - frame % kReferenceBlock, nextCut(frame) - frame);
      host.transport.beat = clock.beatAt(frame);
      host.transport.tempo = clock.tempo;
      host.transport.playing = clock.playing;
      float* inputs[2] = {const_cast<float*>(in[0].data()) + frame, const_cast<float*>(in[1].data()) + frame};
      float* outputs[2] = {result.out[0].data() + frame, result.out[1].data() + frame};
      host.processReplacing(inputs, outputs, frames);
      frame += frames;
    }
    return result;
  }

private:
  StandInHost host;
};

// An atom sequence written into 8-byte aligned words.
class SequenceWriter {
public:
  explicit SequenceWriter(TestUridMap& uridMap) : urids(uridMap) {}
  LV2_Atom_Sequence* sequence() { return reinterpret_cast<LV2_Atom_Sequence*>(words.data()); }

  void clear() {
    used = sizeof(LV2_Atom_Sequence);
    auto* header = sequence();
    header->atom.type = urids.id("http://lv2plug.in/ns/ext/atom#Sequence");
    header->atom.size = sizeof(LV2_Atom_Sequence_Body);
    header->body.unit = 0;
    header->body.pad = 0;
  }

  // Bodies of each number type a host may use, in an Object or a Blank.
  void addPosition(std::int64_t frames, const PositionEvent& event, bool blank) {
    const std::size_t eventStart = used;
    auto* header = reserve<LV2_Atom_Event>();
    header->frames = frames;
    header->body.type = urids.id(blank ? lv2uri::kAtomBlank : lv2uri::kAtomObject);
    auto* object = reserve<LV2_Atom_Object_Body>();
    object->id = 0;
    object->otype = urids.id(lv2uri::kTimePosition);
    if (!std::isnan(event.bar)) addProperty(lv2uri::kTimeBar, lv2uri::kAtomLong, static_cast<std::int64_t>(event.bar));
    if (!std::isnan(event.barBeat))
      addProperty(lv2uri::kTimeBarBeat, lv2uri::kAtomFloat, static_cast<float>(event.barBeat));
    if (!std::isnan(event.beatsPerMinute))
      addProperty(lv2uri::kTimeBeatsPerMinute, lv2uri::kAtomDouble, event.beatsPerMinute);
    addProperty(lv2uri::kTimeSpeed, lv2uri::kAtomFloat, static_cast<float>(event.speed));
    addProperty(lv2uri::kTimeBeatsPerBar, lv2uri::kAtomFloat, 4.0f);
    addProperty(lv2uri::kTimeBeatUnit, lv2uri::kAtomInt, std::int32_t{4});
    header = reinterpret_cast<LV2_Atom_Event*>(bytes() + eventStart);
    header->body.size = static_cast<std::uint32_t>(used - eventStart - sizeof(LV2_Atom_Event));
    sequence()->atom.size = static_cast<std::uint32_t>(used - sizeof(LV2_Atom));
  }

private:
  std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(words.data()); }

  template <typename T>
  T* reserve(std::size_t size = sizeof(T)) {
    T* place = reinterpret_cast<T*>(bytes() + used);
    std::memset(place, 0, lv2AtomPadded(static_cast<std::uint32_t>(size)));
    used += lv2AtomPadded(static_cast<std::uint32_t>(size));
    return place;
  }

  template <typename T>
  void addProperty(const char* key, const char* type, T value) {
    auto* property = reserve<LV2_Atom_Property_Body>(sizeof(LV2_Atom_Property_Body) + sizeof(T));
    property->key = urids.id(key);
    property->value.type = urids.id(type);
    property->value.size = sizeof(T);
    std::memcpy(property + 1, &value, sizeof(T));
  }

  TestUridMap& urids;
  std::vector<std::uint64_t> words = std::vector<std::uint64_t>(512);
  std::size_t used = 0;
};

class Lv2Library {
public:
  Lv2Library() : handle(dlopen(LUMIVANE_LV2_DSP_PATH, RTLD_NOW | RTLD_LOCAL)) {
    if (handle == nullptr) return;
    const auto entry = reinterpret_cast<const LV2_Descriptor* (*)(std::uint32_t)>(dlsym(handle, "lv2_descriptor"));
    descriptor = entry == nullptr ? nullptr : entry(0);
  }
  ~Lv2Library() {
    if (handle != nullptr) dlclose(handle);
  }
  void* handle;
  const LV2_Descriptor* descriptor = nullptr;
};

class Lv2Instance {
public:
  Lv2Instance(const LV2_Descriptor& lv2, int blockSize) : descriptor(lv2), block(blockSize), events(urids) {
    const std::int32_t maxBlock = blockSize;
    const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, urids.id(lv2uri::kBufSizeMaxBlockLength),
                                           sizeof maxBlock, urids.id(lv2uri::kAtomInt), &maxBlock},
                                          {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    const LV2_Feature mapFeature{lv2uri::kUridMap, &urids.feature};
    const LV2_Feature optionsFeature{lv2uri::kOptions, const_cast<LV2_Options_Option*>(options)};
    const LV2_Feature* features[] = {&mapFeature, &optionsFeature, nullptr};
    handle = descriptor.instantiate(&descriptor, kRate, "", features);
    // The ports hold the description's defaults: the default program's values.
    const SweepProgram defaults;
    SweepProgram set;
    for (int index = 0; index < kParameterCount; ++index) {
      controls[index] = defaults.parameter(index).unitValue();
      set.parameter(index).setNormalized(kSettings[index]);
      settings[index] = set.parameter(index).unitValue();
    }
  }
  ~Lv2Instance() {
    if (handle == nullptr) return;
    descriptor.deactivate(handle);
    descriptor.cleanup(handle);
  }
  bool valid() const { return handle != nullptr; }

  Render render(const std::vector<float>* in) {
    Render result;
    for (std::uint32_t port = 0; port < lv2plugin::kPortCount; ++port)
      if (lv2plugin::isParameterPort(port)) descriptor.connect_port(handle, port, &controls[port]);
    descriptor.connect_port(handle, lv2plugin::kTransportInput, events.sequence());
    descriptor.activate(handle);
    for (int frame = 0; frame < kFrames; frame += block) {
      const int frames = std::min(block, kFrames - frame);
      if (frame >= kSettingsFrame) std::copy(settings, settings + kParameterCount, controls);
      if (frame >= kWiggleFrame) controls[kRepeatCount] = settings[kRepeatCount] + kWiggle;
      events.clear();
      int blank = 0;
      for (const PositionEvent& event : kEvents)
        if (event.frame >= frame && event.frame < frame + frames)
          events.addPosition(event.frame - frame, event, blank++ % 2);
      for (int channel = 0; channel < 2; ++channel) {
        descriptor.connect_port(handle, lv2plugin::kFirstAudioInput + channel,
                                const_cast<float*>(in[channel].data()) + frame);
        descriptor.connect_port(handle, lv2plugin::kFirstAudioOutput + channel, result.out[channel].data() + frame);
      }
      AudioThreadProbe::ProcessingScope audioThread;
      descriptor.run(handle, static_cast<std::uint32_t>(frames));
    }
    return result;
  }

private:
  const LV2_Descriptor& descriptor;
  int block;
  TestUridMap urids;
  SequenceWriter events;
  LV2_Handle handle = nullptr;
  float controls[kParameterCount] = {};
  float settings[kParameterCount] = {};
};

void waitForNextSecond() {
  const std::time_t start = std::time(nullptr);
  while (std::time(nullptr) == start) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
}  // namespace

TEST(Lv2DspLibrary, RendersAsTheVst2LibraryAtEveryBlockSizeAndNeitherAllocatesNorLocksInRun) {
  // Both libraries seed their noise when loaded and each instance its
  // patterns when built: all of that happens within one second.
  waitForNextSecond();
  const std::time_t second = std::time(nullptr);
  PluginModule vstModule(LUMIVANE_PLUGIN_PATH);
  Lv2Library lv2;
  ASSERT_NE(lv2.descriptor, nullptr) << dlerror();
  EXPECT_STREQ(lv2.descriptor->URI, lv2plugin::kPluginUri);
  VstInstance vst(vstModule);
  std::vector<std::unique_ptr<Lv2Instance>> instances;
  for (int block : kBlockSizes) instances.push_back(std::make_unique<Lv2Instance>(*lv2.descriptor, block));
  ASSERT_EQ(std::time(nullptr), second) << "the instances were not all built within one second";

  const std::vector<float> in[2] = {inputSignal(0), inputSignal(1)};
  const Render reference = vst.render(in);
  for (std::size_t i = 0; i < instances.size(); ++i) {
    ASSERT_TRUE(instances[i]->valid());
    AudioThreadProbe::reset();
    const Render render = instances[i]->render(in);
    if (AudioThreadProbe::available()) {
      EXPECT_EQ(AudioThreadProbe::counts().allocations, 0) << "block " << kBlockSizes[i];
      EXPECT_EQ(AudioThreadProbe::counts().locks, 0) << "block " << kBlockSizes[i];
    }
    for (int channel = 0; channel < 2; ++channel) {
      int first = -1;
      for (int n = 0; n < kFrames && first < 0; ++n)
        if (std::memcmp(&render.out[channel][n], &reference.out[channel][n], sizeof(float)) != 0) first = n;
      EXPECT_EQ(first, -1) << "block " << kBlockSizes[i] << ", channel " << channel << ": first differing frame";
    }
  }
}
