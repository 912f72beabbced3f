#include "tools/lumivane-host/Renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Hosts take a tail of 0 for "not reported" and 1 for "no tail".
constexpr std::int64_t kDefaultTailFrames = 1024;
constexpr double kLongestTailSeconds = 60.0;

// Planar buffers with the channel pointer array a process call takes.
class ChannelBuffers {
public:
  ChannelBuffers(int channels, int frames) : samples(static_cast<std::size_t>(channels) * frames), pointers(channels) {
    for (int channel = 0; channel < channels; ++channel) pointers[channel] = samples.data() + channel * frames;
  }
  float** channels() { return pointers.data(); }
  float* channel(int index) { return pointers[index]; }
  int count() const { return static_cast<int>(pointers.size()); }
  void clear() { std::fill(samples.begin(), samples.end(), 0.0f); }

private:
  std::vector<float> samples;
  std::vector<float*> pointers;
};

// Keeps the effect resumed for the render, and suspends it however the render ends.
class ResumedEffect {
public:
  explicit ResumedEffect(StandInHost& standInHost) : host(standInHost) { standInHost.dispatch(effMainsChanged, 0, 1); }
  ~ResumedEffect() { host.dispatch(effMainsChanged, 0, 0); }
  ResumedEffect(const ResumedEffect&) = delete;
  ResumedEffect& operator=(const ResumedEffect&) = delete;

private:
  StandInHost& host;
};

// Reads until the block is full or the source ends; answers the frames read.
std::int64_t fill(AudioSource& source, std::vector<float>& interleaved, std::int64_t frames) {
  std::int64_t got = 0;
  while (got < frames) {
    const std::int64_t read = source.read(interleaved.data() + got * source.channelCount(), frames - got);
    if (read <= 0) break;
    got += read;
  }
  return got;
}
}  // namespace

Renderer::Renderer(StandInHost& standInHost, int framesPerSecond, int framesPerBlock)
    : host(standInHost), sampleRate(framesPerSecond), blockSize(framesPerBlock) {
  standInHost.setSampleRate(static_cast<float>(framesPerSecond));
  standInHost.dispatch(effSetBlockSize, 0, framesPerBlock);
}

std::int64_t Renderer::tailFrames() {
  const VstIntPtr answer = host.dispatch(effGetTailSize);
  if (answer == 0) return kDefaultTailFrames;
  if (answer == 1 || answer < 0) return 0;
  return std::min<std::int64_t>(answer, static_cast<std::int64_t>(kLongestTailSeconds * sampleRate));
}

std::int64_t Renderer::render(AudioSource& source, AudioSink& sink, const TransportSettings& transport,
                              const ProgressCallback& onBlock) {
  AEffect& effect = *host.effect();
  host.transport.tempo = transport.tempo;
  host.transport.beat = transport.beat;
  host.transport.playing = transport.playing;
  host.transport.samplePosition = 0.0;

  const int sourceChannels = source.channelCount();
  ChannelBuffers inputs(effect.numInputs, blockSize);
  ChannelBuffers outputs(effect.numOutputs, blockSize);
  std::vector<float> sourceBlock(static_cast<std::size_t>(blockSize) * sourceChannels);
  std::vector<float> outputBlock(static_cast<std::size_t>(blockSize) * outputs.count());
  const bool replacing = (effect.flags & effFlagsCanReplacing) != 0;
  const std::int64_t tail = tailFrames();
  const std::int64_t total = source.frameCount() + tail;
  std::int64_t tailLeft = tail;
  std::int64_t done = 0;
  std::int64_t notFinite = 0;
  bool sourceEnded = false;

  ResumedEffect resumed(host);
  while (true) {
    std::int64_t frames = 0;
    if (!sourceEnded) {
      frames = fill(source, sourceBlock, blockSize);
      sourceEnded = frames < blockSize;
    }
    inputs.clear();
    for (int channel = 0; channel < inputs.count(); ++channel) {
      // A mono source feeds every input; otherwise input n takes channel n.
      const int from = sourceChannels == 1 ? 0 : channel;
      if (from >= sourceChannels) continue;
      for (std::int64_t s = 0; s < frames; ++s) inputs.channel(channel)[s] = sourceBlock[s * sourceChannels + from];
    }
    if (sourceEnded) {
      const std::int64_t tailFramesNow = std::min<std::int64_t>(tailLeft, blockSize - frames);
      frames += tailFramesNow;
      tailLeft -= tailFramesNow;
    }
    if (frames == 0) break;

    outputs.clear();
    if (replacing)
      host.processReplacing(inputs.channels(), outputs.channels(), static_cast<VstInt32>(frames));
    else
      host.process(inputs.channels(), outputs.channels(), static_cast<VstInt32>(frames));
    for (std::int64_t s = 0; s < frames; ++s)
      for (int channel = 0; channel < outputs.count(); ++channel) {
        const float sample = outputs.channel(channel)[s];
        const bool finite = std::isfinite(sample);
        notFinite += finite ? 0 : 1;
        outputBlock[s * outputs.count() + channel] = finite ? sample : 0.0f;
      }
    sink.write(outputBlock.data(), frames);
    done += frames;
    if (onBlock) onBlock(done, std::max(total, done));
  }
  return notFinite;
}
