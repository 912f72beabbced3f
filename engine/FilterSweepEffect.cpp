#include "engine/FilterSweepEffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

#include "engine/DenormalNoise.h"

namespace {
constexpr float kStartSampleRate = 44100.0f;
constexpr float kStartCutoffLow = 55.0f;
constexpr float kStartCutoffHigh = 1760.0f;
constexpr float kStartResonance = 0.5f;
constexpr float kGlidePerSweepUnit = 0.025f;
constexpr VstInt32 kTimeRequestFilter = kVstPpqPosValid | kVstTempoValid;

// The accumulating form is what 32-bit Windows hosts have always been given;
// hosts of 64-bit plug-ins process through the replacing call, and some refuse
// a plug-in without it.
#if defined(_WIN32) && !defined(_WIN64)
constexpr bool kOffersReplacing = false;
#else
constexpr bool kOffersReplacing = true;
#endif

float limitedToUnit(float value) { return std::clamp(value, 0.0f, 1.0f); }

// Hosts send 0 (and worse) before they are set up; such a rate would make every
// coefficient NaN.
bool isUsableSampleRate(float rate) { return std::isfinite(rate) && rate > 0.0f; }

void writePin(VstPinProperties* properties, const char* label, const char* shortLabel, VstInt32 flags) {
  copyFixedText(properties->label, label, kNameSize);
  copyFixedText(properties->shortLabel, shortLabel, kShortLabelSize);
  properties->flags = flags;
}
}  // namespace

FilterSweepEffect::FilterSweepEffect(AudioMasterCallback hostCallback)
    : FilterSweepEffect(hostCallback, static_cast<std::uint32_t>(std::time(nullptr))) {}

FilterSweepEffect::FilterSweepEffect(AudioMasterCallback hostCallback, std::uint32_t patternSeed)
    : EffectBaseExt(hostCallback, kProgramCount, kParameterCount),
      denormalNoise(DenormalNoise::shared()),
      filters{{SwitchableFilter(kStartSampleRate), SwitchableFilter(kStartSampleRate),
               SwitchableFilter(kStartSampleRate), SwitchableFilter(kStartSampleRate),
               SwitchableFilter(kStartSampleRate), SwitchableFilter(kStartSampleRate),
               SwitchableFilter(kStartSampleRate), SwitchableFilter(kStartSampleRate)}},
      patternGenerator(patternSeed) {
  for (auto& program : programs) program = std::make_unique<SweepProgram>();
  FilterSweepEffect::selectProgram(0);
  setInputCount(kChannelCount);
  setOutputCount(kChannelCount);
  setCanMono(true);
  setCanReplace(kOffersReplacing);
  setUniqueIdentifier(fourCharacters('q', '2', '2', '2'));
  suspended.store(1, std::memory_order_relaxed);
  drawStepPattern();
  for (int i = 0; i < kFiltersPerChannel; ++i) {
    filterFrequency[i] = kStartCutoffLow + static_cast<float>(i) * (kStartCutoffHigh - kStartCutoffLow) * 0.25f;
    for (int channel = 0; channel < kChannelCount; ++channel)
      filterAt(channel, i).recomputeCoefficients(kLowPass12, filterFrequency[i], kStartResonance);
  }
  lastSampleRate = -1.0f;
  repeatsLeft = 0;
  updateCountdown = 0;
  controlUpdate();
}

FilterSweepEffect::~FilterSweepEffect() = default;

// ---- programs and parameters

SweepProgram& FilterSweepEffect::currentProgram() { return *programs[activeProgram.load(std::memory_order_relaxed)]; }

const SweepProgram& FilterSweepEffect::currentProgram() const {
  return *programs[activeProgram.load(std::memory_order_relaxed)];
}

VstInt32 FilterSweepEffect::wholeValue(VstInt32 index) const { return currentProgram().parameter(index).integerValue(); }
float FilterSweepEffect::plainValue(VstInt32 index) const { return currentProgram().parameter(index).plainValue(); }

void FilterSweepEffect::selectProgram(VstInt32 index) {
  if (index >= 0 && index < kProgramCount) activeProgram.store(index, std::memory_order_relaxed);
}

VstInt32 FilterSweepEffect::programIndex() { return activeProgram.load(std::memory_order_relaxed); }
void FilterSweepEffect::renameProgram(char* text) { currentProgram().rename(text); }

void FilterSweepEffect::copyProgramName(char* text) {
  const char* name = currentProgram().name();
  std::memcpy(text, name, std::strlen(name) + 1);
}

bool FilterSweepEffect::copyProgramNameAt(VstInt32, VstInt32 index, char* text) {
  if (index < 0 || index >= kProgramCount) return false;
  copyFixedText(text, programs[index]->name(), kNameSize);
  return true;
}

bool FilterSweepEffect::copyProgramTo(VstInt32 destination) {
  if (destination < 0 || destination >= kProgramCount) return false;
  SweepProgram& target = *programs[destination];
  const SweepProgram& source = currentProgram();
  if (&target != &source) target.copyFrom(source);
  return true;
}

bool FilterSweepEffect::acceptsParameterWrite(VstInt32 index, float value) {
  return isParameterIndex(index) && !std::isnan(value);
}

void FilterSweepEffect::setParameterValue(VstInt32 index, float value) {
  if (!acceptsParameterWrite(index, value)) return;
  currentProgram().parameter(index).setNormalized(value);
  if (index == kRepeatCount) drawStepPattern();
}

float FilterSweepEffect::parameterValue(VstInt32 index) {
  return isParameterIndex(index) ? currentProgram().parameter(index).normalizedValue() : 0.0f;
}

void FilterSweepEffect::copyParameterName(VstInt32 index, char* text) {
  if (isParameterIndex(index))
    currentProgram().parameter(index).copyName(text);
  else
    copyFixedText(text, "", kNameSize);
}

void FilterSweepEffect::copyParameterLabel(VstInt32 index, char* text) {
  if (isParameterIndex(index))
    currentProgram().parameter(index).copyLabel(text);
  else
    copyFixedText(text, "", kNameSize);
}

void FilterSweepEffect::copyParameterDisplay(VstInt32 index, char* text) {
  if (isParameterIndex(index))
    currentProgram().parameter(index).formatDisplay(text);
  else
    text[0] = '\0';
}

void FilterSweepEffect::copyParameterShortDisplay(VstInt32 index, char* text) {
  if (isParameterIndex(index))
    currentProgram().parameter(index).formatShortDisplay(text);
  else
    text[0] = '\0';
}

ParameterDescriptor* FilterSweepEffect::parameterObject(VstInt32 index) {
  return isParameterIndex(index) ? &currentProgram().parameter(index) : nullptr;
}

// ---- processing

void FilterSweepEffect::onSuspend() { suspended.store(1, std::memory_order_relaxed); }
void FilterSweepEffect::onResume() { suspended.store(0, std::memory_order_relaxed); }

void FilterSweepEffect::processBlockAdding(float** inputs, float** outputs, VstInt32 frames) {
  processBlock(inputs, outputs, frames, OutputForm::Adding);
}

void FilterSweepEffect::processBlockReplacing(float** inputs, float** outputs, VstInt32 frames) {
  if (kOffersReplacing) processBlock(inputs, outputs, frames, OutputForm::Replacing);
}

void FilterSweepEffect::adoptHostSampleRate() {
  const float rate = currentSampleRate();
  if (!isUsableSampleRate(rate) || rate == lastSampleRate) return;
  lastSampleRate = rate;
  clock.setClockSampleRate(rate);
  for (SwitchableFilter& unit : filters) unit.setSampleRate(rate);
}

bool FilterSweepEffect::channelIsConnected(float** inputs, float** outputs, int channel) {
  if (inputs == nullptr || inputs[channel] == nullptr || outputs == nullptr || outputs[channel] == nullptr)
    return false;
  // Both pins are asked every block, whatever the first answer.
  const bool input = inputPinConnected(channel);
  const bool output = outputPinConnected(channel);
  return input && output;
}

void FilterSweepEffect::silenceOutputs(float** outputs, VstInt32 frames, const bool* skipped) {
  if (outputs == nullptr || frames <= 0) return;
  for (int channel = 0; channel < kChannelCount; ++channel)
    if (!skipped[channel] && outputs[channel] != nullptr)
      std::fill(outputs[channel], outputs[channel] + frames, 0.0f);
}

void FilterSweepEffect::processBlock(float** inputs, float** outputs, VstInt32 frames, OutputForm form) {
  if (suspended.load(std::memory_order_relaxed) != 0) {
    // A replacing host expects every buffer it passed written, even now.
    constexpr bool kNoneSkipped[kChannelCount] = {false, false};
    if (form == OutputForm::Replacing) silenceOutputs(outputs, frames, kNoneSkipped);
    return;
  }
  adoptHostSampleRate();
  const float gain = static_cast<float>(std::sqrt(1.0 / wholeValue(kActiveFilters)));
  bool active[kChannelCount];
  for (int channel = 0; channel < kChannelCount; ++channel)
    active[channel] = channelIsConnected(inputs, outputs, channel);
  if (frames <= 0) return;
  if (form == OutputForm::Replacing) silenceOutputs(outputs, frames, active);

  // Between two control updates modes and coefficients stand still: each such
  // stretch of samples runs through the filter bank in one go.
  for (VstInt32 s = 0; s < frames;) {
    if (--updateCountdown <= 0) {
      syncClock(s);
      controlUpdate();
      updateCountdown = kControlInterval;
    }
    const VstInt32 run = std::min(updateCountdown, frames - s);
    updateCountdown -= run - 1;
    const int firstNoise = (noiseIndex + 1) & (DenormalNoise::kSize - 1);
    noiseIndex = (noiseIndex + run) & (DenormalNoise::kSize - 1);
    const int filterCount = std::min(wholeValue(kActiveFilters), kFiltersPerChannel);
    // Inputs are copied before outputs are written: hosts may pass one buffer for both.
    float noisyInput[kChannelCount][kControlInterval];
    SwitchableFilter* banks[kChannelCount];
    const float* runInputs[kChannelCount];
    float* runOutputs[kChannelCount];
    int channels = 0;
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (!active[channel]) continue;
      denormalNoise.addTo(inputs[channel] + s, noisyInput[channels], run, firstNoise);
      banks[channels] = &filterAt(channel, 0);
      runInputs[channels] = noisyInput[channels];
      runOutputs[channels] = outputs[channel] + s;
      ++channels;
    }
    FilterBank::processRun(banks, channels, filterCount, runInputs, runOutputs, run, gain,
                           form == OutputForm::Replacing, filterKernel);
    for (int boundaries = clock.advance(run); boundaries > 0; --boundaries) onSweepBoundary();
    s += run;
  }
}

// ---- step sweep

void FilterSweepEffect::syncClock(VstInt32 blockOffset) {
  const VstTimeInfo* info = hostTimeInfo(kTimeRequestFilter);
  const bool playing = info != nullptr && (info->flags & kVstTransportPlaying) != 0;
  const VstInt32 units = (wholeValue(kTimeDivision) + 1) * wholeValue(kStepCount) * 2;
  if (wholeValue(kSyncMode) == kSyncInternal) {
    clock.updateFromTransport(units, static_cast<double>(wholeValue(kTempo)), clock.beatPosition(), playing);
    return;
  }
  // A host without usable time: the clock stands where it is, the filters go on.
  if (info == nullptr || !std::isfinite(info->ppqPos) || !std::isfinite(info->tempo)) {
    clock.updateFromTransport(units, 0.0, clock.beatPosition(), false);
    return;
  }
  // The host's position is that of the block's first sample; an update later
  // in the block would otherwise look like a jump back and resynchronise.
  double beat = info->ppqPos;
  if (playing) beat += blockOffset * info->tempo / 60.0 / clock.clockSampleRate();
  clock.updateFromTransport(units, info->tempo, beat, playing);
}

void FilterSweepEffect::controlUpdate() {
  const double phase = clock.phase();
  const VstInt32 steps = wholeValue(kStepCount);
  // A NaN phase (from a NaN host position) counts as the sweep's start.
  const VstInt32 step = phase >= 0.0 ? static_cast<VstInt32>(phase * steps) % steps : 0;
  const float glide = limitedToUnit(plainValue(kSweepSpeed)) * kGlidePerSweepUnit;
  const float low = plainValue(kMinimumFrequency);
  const float high = plainValue(kMaximumFrequency);
  for (int i = 0; i < kFiltersPerChannel; ++i) {
    const float target = low + stepPattern[i][step].load(std::memory_order_relaxed) * (high - low);
    filterFrequency[i] = (1.0f - glide) * filterFrequency[i] + glide * target;
  }
  for (SwitchableFilter& unit : filters) unit.clearStateIfNotFinite();
  const VstInt32 mode = wholeValue(kFilterMode);
  const float resonance = limitedToUnit(plainValue(kResonance));
  const int activeCount = std::min(wholeValue(kActiveFilters), kFiltersPerChannel);
  // All filters run at one sample rate, so filter i of every channel gets the
  // coefficients of the first channel's.
  SwitchableFilter* firstChannel[kFiltersPerChannel];
  for (int i = 0; i < activeCount; ++i) firstChannel[i] = &filterAt(0, i);
  SwitchableFilter::recomputeCoefficients(firstChannel, activeCount, mode, filterFrequency.data(), resonance);
  for (int i = 0; i < activeCount; ++i)
    for (int channel = 1; channel < kChannelCount; ++channel)
      filterAt(channel, i).copyCoefficientsFrom(*firstChannel[i]);
}

void FilterSweepEffect::onSweepBoundary() {
  if (--repeatsLeft <= 0) {
    drawStepPattern();
    repeatsLeft = wholeValue(kRepeatCount);
  }
}

void FilterSweepEffect::drawStepPattern() {
  constexpr float kLevelStep = 0.0001f;
  for (auto& row : stepPattern)
    for (auto& level : row)
      level.store(static_cast<float>(patternGenerator.next() % 10000) * kLevelStep, std::memory_order_relaxed);
}

// ---- identity

bool FilterSweepEffect::copyEffectName(char* text) {
  copyFixedText(text, "Lumivane VST", kNameSize);
  return true;
}

bool FilterSweepEffect::copyVendorString(char* text) {
  copyFixedText(text, "Quelldar", kNameSize);
  return true;
}

bool FilterSweepEffect::copyProductString(char* text) {
  copyFixedText(text, "Lumivane VST ", kNameSize);
  std::strcat(text, "GUI");
  return true;
}

VstIntPtr FilterSweepEffect::vendorVersion() { return 8000; }
VstIntPtr FilterSweepEffect::plugInCategory() { return kPlugCategEffect; }
VstIntPtr FilterSweepEffect::tailSize() { return 1024; }
bool FilterSweepEffect::parameterProperties(VstInt32, void*) { return false; }

VstIntPtr FilterSweepEffect::canDo(char* text) {
  if (std::strcmp(text, "receiveVstTimeInfo") == 0) return 1;
  if (std::strcmp(text, "receiveVstEvents") == 0 || std::strcmp(text, "receiveVstMidiEvent") == 0 ||
      std::strcmp(text, "midiProgramNames") == 0)
    return -1;
  return 0;
}

bool FilterSweepEffect::inputProperties(VstInt32 index, VstPinProperties* properties) {
  if (index == 0)
    writePin(properties, "Left Input", "Left", kVstPinIsActive);
  else if (index == 1)
    writePin(properties, "Right Input", "Right", kVstPinIsActive);
  else
    return false;
  return true;
}

bool FilterSweepEffect::outputProperties(VstInt32 index, VstPinProperties* properties) {
  if (index == 0)
    writePin(properties, "Left Output", "Left", kVstPinIsActive | kVstPinIsStereo);
  else if (index == 1)
    writePin(properties, "Right Output", "Right", kVstPinIsActive | kVstPinIsStereo);
  else
    return false;
  return true;
}
