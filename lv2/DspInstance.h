#pragma once
// One instance of the LV2 plug-in: the effect, hosted as a VST 2 host hosts it
// through its record, so that the audio is the VST 2 build's; the ports
// become parameter writes and the atom input the host's transport.

#include <cstdint>

#include "engine/ParameterIndex.h"
#include "host/VstAbi.h"
#include "lv2/HostTransport.h"
#include "lv2/Lv2Abi.h"

class FilterSweepEffect;

class DspInstance {
public:
  // Null when the effect cannot be built.
  static DspInstance* create(double sampleRate, const LV2_Feature* const* features) noexcept;
  ~DspInstance();

  DspInstance(const DspInstance&) = delete;
  DspInstance& operator=(const DspInstance&) = delete;

  void connectPort(std::uint32_t port, void* data);
  void activate();
  void deactivate();
  void run(std::uint32_t frames);

private:
  DspInstance(double sampleRate, const LV2_Feature* const* features);
  static VstIntPtr VST_CALLBACK answerEffect(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                             void* ptr, float opt);
  void applyParameterPorts();
  void processSpan(std::uint32_t first, std::uint32_t frames);

  double rate;
  std::int32_t blockLength;
  FilterSweepEffect* effect = nullptr;
  AEffect* record = nullptr;
  const float* parameterPorts[kParameterCount] = {};
  // The value each parameter port was last applied from; a port that keeps it
  // writes nothing (a write of Repeat draws a new pattern).
  float appliedValues[kParameterCount] = {};
  const float* audioInputs[2] = {};
  float* audioOutputs[2] = {};
  const LV2_Atom_Sequence* transportPort = nullptr;
  HostTransport transport;
  const VstTimeInfo* timeForEffect = nullptr;
};
