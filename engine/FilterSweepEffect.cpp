#include "engine/FilterSweepEffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

#include "engine/DenormalNoise.h"
#include "host/TextBuffers.h"

// The engine keeps its names and labels so that they always fit the host's fields.
static_assert(ShortText::kCapacity == kNameSize);

namespace {
constexpr float kStartSampleRate = 44100.0f;
constexpr float kStartCutoffLow = 55.0f;
constexpr float kStartCutoffHigh = 1760.0f;
constexpr float kStartResonance = 0.5f;
constexpr float kGlidePerSweepUnit = 0.025f;
constexpr std::int32_t kTimeRequestFilter = kVstPpqPosValid | kVstTempoValid;

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

FilterSweepEffect::FilterSweepEffect(AudioMasterCallback callback)
    : FilterSweepEffect(callback, static_cast<std::uint32_t>(std::time(nullptr))) {}

FilterSweepEffect::FilterSweepEffect(AudioMasterCallback callback, std::uint32_t patternSeed)
    : EffectBaseExt(callback, kProgramCount, kParameterCount),
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
      filterAt(channel, i).recomputeCoefficients(FilterMode::kLowPass12, filterFrequency[i], kStartResonance);
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

std::int32_t FilterSweepEffect::wholeValue(std::int32_t index) const {
  return currentProgram().parameter(index).integerValue();
}
float FilterSweepEffect::plainValue(std::int32_t index) const { return currentProgram().parameter(index).plainValue(); }

void FilterSweepEffect::selectProgram(VstInt32 index) {
  if (isProgramIndex(index)) activeProgram.store(index, std::memory_order_relaxed);
}

VstInt32 FilterSweepEffect::programIndex() { return activeProgram.load(std::memory_order_relaxed); }
void FilterSweepEffect::renameProgram(char* text) { currentProgram().rename(text); }

void FilterSweepEffect::copyProgramName(char* text) {
  const char* name = currentProgram().name();
  std::memcpy(text, name, std::strlen(name) + 1);
}

bool FilterSweepEffect::copyProgramNameAt(VstInt32, VstInt32 index, char* text) {
  if (!isProgramIndex(index)) return false;
  copyFixedText(text, programs[index]->name(), kNameSize);
  return true;
}

bool FilterSweepEffect::copyProgramTo(VstInt32 destination) {
  if (!isProgramIndex(destination)) return false;
  SweepProgram& target = *programs[destination];
  const SweepProgram& source = currentProgram();
  if (&target != &source) target.copyFrom(source);
  return true;
}

bool FilterSweepEffect::acceptsParameterWrite(std::int32_t index, float value) {
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
  copyFixedText(text, isParameterIndex(index) ? currentProgram().parameter(index).name() : "", kNameSize);
}

void FilterSweepEffect::copyParameterLabel(VstInt32 index, char* text) {
  copyFixedText(text, isParameterIndex(index) ? currentProgram().parameter(index).label() : "", kNameSize);
}

void FilterSweepEffect::copyParameterDisplay(VstInt32 index, char* text) {
  if (isParameterIndex(index))
    currentProgram().parameter(index).formatDisplay(text);
  else
    text[0] = '\0';
}

void FilterSweepEffect::copyParameterShortDisplay(std::int32_t index, char* text) {
  if (isParameterIndex(index))
    currentProgram().parameter(index).formatShortDisplay(text);
  else
    text[0] = '\0';
}

ParameterDescriptor* FilterSweepEffect::parameterObject(std::int32_t index) {
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

void FilterSweepEffect::silenceOutputs(float** outputs, std::int32_t frames, const bool* skipped) {
  if (outputs == nullptr || frames <= 0) return;
  for (int channel = 0; channel < kChannelCount; ++channel)
    if (!skipped[channel] && outputs[channel] != nullptr) std::fill(outputs[channel], outputs[channel] + frames, 0.0f);
}

void FilterSweepEffect::processBlock(float** inputs, float** outputs, std::int32_t frames, OutputForm form) {
  if (suspended.load(std::memory_order_relaxed) != 0) {
    // A replacing host expects every buffer it passed written, even now.
    constexpr bool kNoneSkipped[kChannelCount] = {false, false};
    if (form == OutputForm::Replacing) silenceOutputs(outputs, frames, kNoneSkipped);
    return;
  }
  adoptHostSampleRate();
  const float gain = filterGain();
  bool connected[kChannelCount];
  findConnectedChannels(inputs, outputs, connected);
  if (frames <= 0) return;
  if (form == OutputForm::Replacing) silenceOutputs(outputs, frames, connected);

  // Between two control updates modes and coefficients stand still: each such
  // stretch of samples runs through the filter bank in one go.
  for (std::int32_t offset = 0; offset < frames;) {
    const std::int32_t length = nextRunLength(offset, frames - offset);
    ChannelRun run;
    gatherChannels(inputs, outputs, connected, offset, run);
    addDenormalNoise(run, length);
    runFiltersAndClock(run, length, gain, form);
    offset += length;
  }
}

// The filters' sum keeps its loudness whatever the number of active filters.
float FilterSweepEffect::filterGain() const { return static_cast<float>(std::sqrt(1.0 / wholeValue(kActiveFilters))); }

void FilterSweepEffect::findConnectedChannels(float** inputs, float** outputs, bool* connected) {
  for (int channel = 0; channel < kChannelCount; ++channel)
    connected[channel] = channelIsConnected(inputs, outputs, channel);
}

// Makes the control update when it is due and answers how many samples run
// from `blockOffset` until the next one (or the block's end).
std::int32_t FilterSweepEffect::nextRunLength(std::int32_t blockOffset, std::int32_t framesLeft) {
  if (--updateCountdown <= 0) {
    syncClock(blockOffset);
    controlUpdate();
    updateCountdown = kControlInterval;
  }
  const std::int32_t length = std::min(updateCountdown, framesLeft);
  updateCountdown -= length - 1;
  return length;
}

void FilterSweepEffect::gatherChannels(float** inputs, float** outputs, const bool* connected, std::int32_t blockOffset,
                                       ChannelRun& run) {
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (!connected[channel]) continue;
    run.banks[run.channels] = &filterAt(channel, 0);
    run.inputs[run.channels] = inputs[channel] + blockOffset;
    run.outputs[run.channels] = outputs[channel] + blockOffset;
    ++run.channels;
  }
}

// The inputs are copied before any output is written: hosts may pass one buffer for both.
void FilterSweepEffect::addDenormalNoise(ChannelRun& run, int frames) {
  const int first = (noiseIndex + 1) & (DenormalNoise::kSize - 1);
  noiseIndex = (noiseIndex + frames) & (DenormalNoise::kSize - 1);
  for (int c = 0; c < run.channels; ++c) {
    denormalNoise.addTo(run.inputs[c], run.noisyInput[c], frames, first);
    run.inputs[c] = run.noisyInput[c];
  }
}

void FilterSweepEffect::runFiltersAndClock(const ChannelRun& run, int frames, float gain, OutputForm form) {
  const int filterCount = std::min(wholeValue(kActiveFilters), kFiltersPerChannel);
  StepClock::Stretch stretch = clock.beginStretch();
  FilterBank::processRun(run.banks, run.channels, filterCount, run.inputs, run.outputs, frames, gain,
                         form == OutputForm::Replacing, stretch, filterKernel);
  for (int boundaries = clock.endStretch(stretch); boundaries > 0; --boundaries) onSweepBoundary();
}

// ---- step sweep

void FilterSweepEffect::syncClock(std::int32_t blockOffset) {
  const VstTimeInfo* info = hostTimeInfo(kTimeRequestFilter);
  const bool playing = info != nullptr && (info->flags & kVstTransportPlaying) != 0;
  const std::int32_t units = (wholeValue(kTimeDivision) + 1) * wholeValue(kStepCount) * 2;
  if (static_cast<SyncMode>(wholeValue(kSyncMode)) == SyncMode::kSyncInternal) {
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
  const std::int32_t steps = wholeValue(kStepCount);
  // A NaN phase (from a NaN host position) counts as the sweep's start.
  const std::int32_t step = phase >= 0.0 ? static_cast<std::int32_t>(phase * steps) % steps : 0;
  const float glide = limitedToUnit(plainValue(kSweepSpeed)) * kGlidePerSweepUnit;
  const float low = plainValue(kMinimumFrequency);
  const float high = plainValue(kMaximumFrequency);
  for (int i = 0; i < kFiltersPerChannel; ++i) {
    const float target = low + stepPattern[i][step].load(std::memory_order_relaxed) * (high - low);
    filterFrequency[i] = (1.0f - glide) * filterFrequency[i] + glide * target;
  }
  for (SwitchableFilter& unit : filters) unit.clearStateIfNotFinite();
  const auto mode = static_cast<FilterMode>(wholeValue(kFilterMode));
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
