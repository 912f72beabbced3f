#pragma once
// An audio file written through a temporary file in the same folder, which
// takes the final name only when the file is complete: a failed or interrupted
// render leaves nothing behind under that name.

#include <sndfile.h>

#include <cstdint>
#include <string>

#include "tools/lumivane-host/AudioSink.h"

class AudioFileWriter final : public AudioSink {
public:
  // The format follows the name's extension (.wav and .aiff in 32-bit float,
  // .flac in 24 bits, ...); a .wav too large for a plain WAV file's 32-bit
  // sizes at expectedFrames is written as RF64. Replaces the file a link at
  // outputPath points to. Throws ToolError when the extension is unknown, the
  // format cannot hold the audio, the output may not be replaced or the folder
  // is not writable.
  AudioFileWriter(const std::string& outputPath, int channels, int sampleRate, std::int64_t expectedFrames);
  ~AudioFileWriter() override;  // removes the temporary file unless finish() succeeded

  AudioFileWriter(const AudioFileWriter&) = delete;
  AudioFileWriter& operator=(const AudioFileWriter&) = delete;

  void write(const float* interleaved, std::int64_t frames) override;
  // Completes the file and gives it its name.
  void finish();

  // The libsndfile format for a file name and the audio it is to hold; throws
  // ToolError for an unknown extension or for audio the format cannot hold.
  static int formatFor(const std::string& path, int channels = 1, std::int64_t frames = 0);

private:
  std::string path;
  std::string targetPath;
  std::string temporaryPath;
  SNDFILE* file = nullptr;
  std::int64_t bytesPerFrame;
  std::int64_t bytesLeft;  // before the format's sizes would wrap round
  bool finished = false;
};
