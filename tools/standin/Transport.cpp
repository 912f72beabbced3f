#include "tools/standin/Transport.h"

VstTimeInfo Transport::timeInfo() const {
  VstTimeInfo info{};
  info.samplePos = samplePosition;
  info.sampleRate = sampleRate;
  info.ppqPos = beat;
  info.tempo = tempo;
  info.timeSigNumerator = 4;
  info.timeSigDenominator = 4;
  info.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid | (playing ? kVstTransportPlaying : 0);
  return info;
}

void Transport::advance(VstInt32 frames) {
  if (!playing || frames <= 0) return;
  samplePosition += frames;
  beat += frames * tempo / 60.0 / sampleRate;
}
