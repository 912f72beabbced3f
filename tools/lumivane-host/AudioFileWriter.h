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
  // .flac in 24 bits, ...). Throws ToolError when the extension is unknown or
  // the folder is not writable.
  AudioFileWriter(const std::string& outputPath, int channels, int sampleRate);
  ~AudioFileWriter() override;  // removes the temporary file unless finish() succeeded

  AudioFileWriter(const AudioFileWriter&) = delete;
  AudioFileWriter& operator=(const AudioFileWriter&) = delete;

  void write(const float* interleaved, std::int64_t frames) override;
  // Completes the file and gives it its name.
  void finish();

  // The libsndfile format for a file name; throws ToolError for an unknown extension.
  static int formatFor(const std::string& path);

private:
  std::string path;
  std::string temporaryPath;
  SNDFILE* file = nullptr;
  bool finished = false;
};
