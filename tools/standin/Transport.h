#pragma once
// The host's transport as the stand-in host reports it through audioMasterGetTime.

#include "host/VstAbi.h"

struct Transport {
  double tempo = 120.0;
  double beat = 0.0;  // quarter notes at the start of the next block
  double sampleRate = 44100.0;
  double samplePosition = 0.0;
  bool playing = true;
  bool available = true;  // false: the host answers the time request with no time at all

  // The record for the block about to be processed.
  VstTimeInfo timeInfo() const;
  // Moves on by a processed block; the beat only moves while playing.
  void advance(VstInt32 frames);
};
