#include "lv2/DspInstance.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "engine/FilterSweepEffect.h"
#include "lv2/Lv2Features.h"
#include "lv2/Lv2Ports.h"

namespace {
constexpr VstIntPtr kHostVersion = 2400;
// Hosts that do not tell their largest block get this; the effect works in any block anyway.
constexpr std::int32_t kDefaultBlockLength = 4096;

std::int32_t offeredBlockLength(const LV2_Feature* const* features) {
  std::int32_t length = 0;
  if (lv2plugin::readOption(features, lv2uri::kBufSizeMaxBlockLength, lv2uri::kAtomInt, &length, sizeof length) &&
      length > 0)
    return length;
  return kDefaultBlockLength;
}
}  // namespace

DspInstance* DspInstance::create(double sampleRate, const LV2_Feature* const* features) noexcept {
  if (!std::isfinite(sampleRate) || sampleRate <= 0.0) return nullptr;
  try {
    return new DspInstance(sampleRate, features);
  } catch (...) {
    return nullptr;
  }
}

DspInstance::DspInstance(double sampleRate, const LV2_Feature* const* features) : rate(sampleRate) {
  const auto* map = static_cast<const LV2_URID_Map*>(lv2plugin::featureData(features, lv2uri::kUridMap));
  transport.mapUris(map);
  transport.setSampleRate(sampleRate);
  blockLength = offeredBlockLength(features);

  effect = new FilterSweepEffect(&DspInstance::answerEffect);
  record = effect->record();
  record->user = this;
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  record->dispatcher(record, effSetBlockSize, 0, blockLength, nullptr, 0.0f);
  // The ports start at the description's defaults, which are the effect's own settings.
  for (std::int32_t index = 0; index < kParameterCount; ++index)
    appliedValues[index] = effect->parameterObject(index)->unitValue();
}

DspInstance::~DspInstance() { record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f); }

// The effect asks before its record knows the instance: nothing is known then.
VstIntPtr VST_CALLBACK DspInstance::answerEffect(AEffect* record, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return kHostVersion;
  const auto* instance = record == nullptr ? nullptr : static_cast<const DspInstance*>(record->user);
  if (instance == nullptr) return 0;
  switch (opcode) {
    case audioMasterGetTime: return reinterpret_cast<VstIntPtr>(instance->timeForEffect);
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(instance->rate);
    case audioMasterGetBlockSize: return instance->blockLength;
    default: return 0;
  }
}

void DspInstance::connectPort(std::uint32_t port, void* data) {
  if (lv2plugin::isParameterPort(port)) {
    parameterPorts[port] = static_cast<const float*>(data);
  } else if (port < lv2plugin::kFirstAudioOutput) {
    audioInputs[port - lv2plugin::kFirstAudioInput] = static_cast<const float*>(data);
  } else if (port < lv2plugin::kTransportInput) {
    audioOutputs[port - lv2plugin::kFirstAudioOutput] = static_cast<float*>(data);
  } else if (port == lv2plugin::kTransportInput) {
    transportPort = static_cast<const LV2_Atom_Sequence*>(data);
  }
}

void DspInstance::activate() {
  transport.restart();
  record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
}

void DspInstance::deactivate() { record->dispatcher(record, effMainsChanged, 0, 0, nullptr, 0.0f); }

void DspInstance::applyParameterPorts() {
  for (std::int32_t index = 0; index < kParameterCount; ++index) {
    if (parameterPorts[index] == nullptr) continue;
    const float value = *parameterPorts[index];
    if (std::isnan(value) || value == appliedValues[index]) continue;
    appliedValues[index] = value;
    // A port moving within one whole number or item leaves the parameter as it
    // is: no write, so no new pattern from Repeat.
    const float normalized = effect->parameterObject(index)->normalizedFor(value);
    if (normalized != record->getParameter(record, index)) record->setParameter(record, index, normalized);
  }
}

void DspInstance::processSpan(std::uint32_t first, std::uint32_t frames) {
  if (frames == 0) return;
  float* inputs[2];
  float* outputs[2];
  for (int channel = 0; channel < 2; ++channel) {
    // The effect reads its inputs through the record's non-const pointers only.
    inputs[channel] = audioInputs[channel] == nullptr ? nullptr : const_cast<float*>(audioInputs[channel]) + first;
    outputs[channel] = audioOutputs[channel] == nullptr ? nullptr : audioOutputs[channel] + first;
  }
  timeForEffect = &transport.timeInfo();
  record->processReplacing(record, inputs, outputs, static_cast<VstInt32>(frames));
  transport.advance(frames);
}

// The block is cut where a position event falls, so that each part hears the
// transport as it stands from its first sample.
void DspInstance::run(std::uint32_t frames) {
  applyParameterPorts();
  transport.setOwnTempo(effect->parameterObject(kTempo)->integerValue());
  std::uint32_t done = 0;
  if (transportPort != nullptr) {
    const auto* body = reinterpret_cast<const std::uint8_t*>(&transportPort->body);
    const std::uint32_t size = transportPort->atom.size;
    std::uint32_t offset = sizeof(LV2_Atom_Sequence_Body);
    while (offset + sizeof(LV2_Atom_Event) <= size) {
      const auto* event = reinterpret_cast<const LV2_Atom_Event*>(body + offset);
      if (event->body.size > size - offset - sizeof(LV2_Atom_Event)) break;
      if (transport.isPosition(event->body)) {
        // Events out of order or outside the block count at its nearest frame.
        const std::int64_t at = std::clamp<std::int64_t>(event->frames, done, frames);
        processSpan(done, static_cast<std::uint32_t>(at) - done);
        done = static_cast<std::uint32_t>(at);
        transport.takePosition(event->body);
      }
      offset += sizeof(LV2_Atom_Event) + lv2AtomPadded(event->body.size);
    }
  }
  processSpan(done, frames - done);
}
