#pragma once
// Plays audio through an opened plug-in as a host does: sample rate and block
// size announced, the effect resumed, the transport served block by block, and
// the plug-in's tail processed after the input ends.

#include <cstdint>
#include <functional>

#include "tools/lumivane-host/AudioSink.h"
#include "tools/lumivane-host/AudioSource.h"
#include "tools/standin/StandInHost.h"

struct TransportSettings {
  double tempo = 120.0;
  double beat = 0.0;
  bool playing = true;
};

class Renderer {
public:
  // Called after each block with the frames done and the frames in all.
  using ProgressCallback = std::function<void(std::int64_t done, std::int64_t total)>;

  // Announces the rate and the block size to the plug-in; parameters and
  // programs may be set between this and render().
  Renderer(StandInHost& standInHost, int framesPerSecond, int framesPerBlock);

  // Frames processed after the input: the plug-in's tail size, or a default
  // when it reports none.
  std::int64_t tailFrames();
  // Answers how many output samples were not finite: NaN or infinity, written
  // as 0 so that every format gets a file that plays.
  std::int64_t render(AudioSource& source, AudioSink& sink, const TransportSettings& transport,
                      const ProgressCallback& onBlock = nullptr);

private:
  StandInHost& host;
  int sampleRate;
  int blockSize;
};
