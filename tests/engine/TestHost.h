#pragma once
// A host for engine tests: it serves a transport computed exactly from the
// sample position, answers pin queries from a table and counts requests.

#include <vector>

#include "host/VstAbi.h"

class FilterSweepEffect;

class TestHost {
public:
  TestHost();
  ~TestHost();

  AudioMasterCallback callback() const { return &answer; }
  // Answers this effect's requests, whichever host was made last.
  void serve(FilterSweepEffect& effect);

  double tempo = 120.0;
  double sampleRate = 44100.0;
  long samplePosition = 0;
  bool playing = true;
  bool timeAvailable = true;
  bool pinConnected[2][2] = {{true, true}, {true, true}};  // [output][pin]
  int timeRequests = 0;
  int pinRequests = 0;

  // Processes frames of input (stereo, interleaved per channel buffers) in
  // blocks of blockSize, serving each block the position of its first sample.
  std::vector<float> render(FilterSweepEffect& effect, const std::vector<float>& left, const std::vector<float>& right,
                            int blockSize, bool replacing = false);

private:
  static VstIntPtr VST_CALLBACK answer(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float);
  VstTimeInfo servedTime{};
};
