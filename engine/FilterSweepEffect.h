#pragma once
// The stereo filter-sweep effect: programs and parameters, eight filters, the
// step clock and sweep, block processing and the plug-in's identity answers.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/FilterBank.h"
#include "engine/ParameterIndex.h"
#include "engine/PatternGenerator.h"
#include "engine/StepClock.h"
#include "engine/SweepProgram.h"
#include "engine/SwitchableFilter.h"
#include "host/EffectBaseExt.h"

class DenormalNoise;

class FilterSweepEffect : public EffectBaseExt {
public:
  static constexpr std::int32_t kProgramCount = 20;
  static constexpr int kFiltersPerChannel = 4;
  static constexpr int kChannelCount = 2;
  static constexpr int kStepsPerRow = 32;
  static constexpr std::int32_t kControlInterval = 128;

  static constexpr bool isProgramIndex(std::int32_t index) { return index >= 0 && index < kProgramCount; }

  // The step patterns follow a generator seeded from the calendar time.
  explicit FilterSweepEffect(AudioMasterCallback callback);
  // For tests: a known pattern sequence from the start.
  FilterSweepEffect(AudioMasterCallback callback, std::uint32_t patternSeed);
  ~FilterSweepEffect() override;

  // Programs and parameters.
  void selectProgram(VstInt32 index) override;
  VstInt32 programIndex() override;
  void renameProgram(char* text) override;
  void copyProgramName(char* text) override;
  bool copyProgramNameAt(VstInt32 category, VstInt32 index, char* text) override;
  bool copyProgramTo(VstInt32 destination) override;
  void setParameterValue(VstInt32 index, float value) override;
  float parameterValue(VstInt32 index) override;
  void copyParameterName(VstInt32 index, char* text) override;
  void copyParameterLabel(VstInt32 index, char* text) override;
  void copyParameterDisplay(VstInt32 index, char* text) override;
  virtual void copyParameterShortDisplay(std::int32_t index, char* text);
  virtual ParameterDescriptor* parameterObject(std::int32_t index);

  // Processing.
  void onSuspend() override;
  void onResume() override;
  void processBlockAdding(float** inputs, float** outputs, VstInt32 frames) override;
  void processBlockReplacing(float** inputs, float** outputs, VstInt32 frames) override;

  // Identity.
  bool copyEffectName(char* text) override;
  bool copyVendorString(char* text) override;
  bool copyProductString(char* text) override;
  VstIntPtr vendorVersion() override;
  VstIntPtr plugInCategory() override;
  VstIntPtr tailSize() override;
  bool parameterProperties(VstInt32 index, void* properties) override;
  VstIntPtr canDo(char* text) override;
  bool inputProperties(VstInt32 index, VstPinProperties* properties) override;
  bool outputProperties(VstInt32 index, VstPinProperties* properties) override;

  float stepLevel(int filter, int step) const { return stepPattern[filter][step].load(std::memory_order_relaxed); }
  float cutoff(int filter) const { return filterFrequency[filter]; }
  const StepClock& stepClock() const { return clock; }
  const SwitchableFilter& filter(int channel, int index) const { return filters[channel * kFiltersPerChannel + index]; }
  // Fills the pattern anew from the pattern generator.
  void drawStepPattern();
  // The plain filter loop is the reference the vector kernels are held to;
  // tests and benchmarks switch to it before processing starts.
  void useFilterKernel(FilterKernel kernel) { filterKernel = kernel; }

protected:
  static bool acceptsParameterWrite(std::int32_t index, float value);

private:
  enum class OutputForm { Adding, Replacing };
  // The connected channels over one run of samples between two control
  // updates: their filters, outputs and inputs, the inputs once copied with
  // the noise against denormals added.
  struct ChannelRun {
    float noisyInput[kChannelCount][kControlInterval];
    SwitchableFilter* banks[kChannelCount];
    const float* inputs[kChannelCount];
    float* outputs[kChannelCount];
    int channels = 0;
  };

  void processBlock(float** inputs, float** outputs, std::int32_t frames, OutputForm form);
  void adoptHostSampleRate();
  float filterGain() const;
  void findConnectedChannels(float** inputs, float** outputs, bool* connected);
  bool channelIsConnected(float** inputs, float** outputs, int channel);
  // Zeroes each output channel passed, except those marked skipped.
  static void silenceOutputs(float** outputs, std::int32_t frames, const bool* skipped);
  std::int32_t nextRunLength(std::int32_t blockOffset, std::int32_t framesLeft);
  void gatherChannels(float** inputs, float** outputs, const bool* connected, std::int32_t blockOffset,
                      ChannelRun& run);
  void addDenormalNoise(ChannelRun& run, int frames);
  // The filters and the clock move on together; the boundaries the clock
  // reached are handled after the run.
  void runFiltersAndClock(const ChannelRun& run, int frames, float gain, OutputForm form);
  void syncClock(std::int32_t blockOffset);
  void controlUpdate();
  void onSweepBoundary();

  SweepProgram& currentProgram();
  const SweepProgram& currentProgram() const;
  std::int32_t wholeValue(std::int32_t index) const;
  float plainValue(std::int32_t index) const;
  SwitchableFilter& filterAt(int channel, int index) { return filters[channel * kFiltersPerChannel + index]; }

  const DenormalNoise& denormalNoise;
  int noiseIndex = 0;
  std::array<std::unique_ptr<SweepProgram>, kProgramCount> programs;
  std::atomic<std::int32_t> activeProgram{0};
  std::array<SwitchableFilter, kFiltersPerChannel * kChannelCount> filters;
  StepClock clock;
  PatternGenerator patternGenerator;
  std::atomic<std::int32_t> suspended{1};
  std::array<std::array<std::atomic<float>, kStepsPerRow>, kFiltersPerChannel> stepPattern{};
  std::array<float, kFiltersPerChannel> filterFrequency{};
  float lastSampleRate = -1.0f;
  std::int32_t repeatsLeft = 0;
  std::int32_t updateCountdown = 0;
  FilterKernel filterKernel = FilterKernel::Vector;
};
