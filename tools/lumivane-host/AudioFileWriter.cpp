#include "tools/lumivane-host/AudioFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tools/lumivane-host/ToolError.h"

namespace fs = std::filesystem;

namespace {
struct FormatByExtension {
  const char* extension;
  int format;
};

// Float where the container holds it; FLAC and Ogg have no float samples.
constexpr FormatByExtension kFormats[] = {
    {".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},   {".wave", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    {".w64", SF_FORMAT_W64 | SF_FORMAT_FLOAT},   {".rf64", SF_FORMAT_RF64 | SF_FORMAT_FLOAT},
    {".aif", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},  {".aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
    {".aifc", SF_FORMAT_AIFF | SF_FORMAT_FLOAT}, {".caf", SF_FORMAT_CAF | SF_FORMAT_FLOAT},
    {".au", SF_FORMAT_AU | SF_FORMAT_FLOAT},     {".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
    {".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},  {".oga", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// mkstemp creates the file readable by its owner only; the finished file gets
// the permissions any new file of this user gets.
void applyUsualPermissions(int descriptor) {
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
}
}  // namespace

int AudioFileWriter::formatFor(const std::string& path) {
  const std::string extension = lowerCase(fs::path(path).extension().string());
  for (const FormatByExtension& known : kFormats)
    if (extension == known.extension) return known.format;
  throw ToolError("unknown output format for " + path + ": name it .wav, .flac, .aiff, .caf, .w64, .rf64, .au or .ogg");
}

AudioFileWriter::AudioFileWriter(const std::string& outputPath, int channels, int sampleRate) : path(outputPath) {
  const int format = formatFor(outputPath);
  SF_INFO info{};
  info.channels = channels;
  info.samplerate = sampleRate;
  info.format = format;
  if (!sf_format_check(&info))
    throw ToolError("cannot write " + outputPath + ": its format does not take " + std::to_string(channels) +
                    " channels at " + std::to_string(sampleRate) + " Hz");

  std::error_code error;
  if (fs::is_directory(outputPath, error)) throw ToolError("output " + outputPath + " is a folder");
  const fs::path target(outputPath);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) throw ToolError("cannot write into " + folder.string() + ": " + std::strerror(errno));
  temporaryPath = name.data();
  applyUsualPermissions(descriptor);
  file = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
  if (file == nullptr) {
    close(descriptor);
    std::remove(temporaryPath.c_str());
    throw ToolError("cannot write " + outputPath + ": " + sf_strerror(nullptr));
  }
  // Integer formats clip instead of wrapping round when the effect goes beyond full scale.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter() {
  if (finished) return;
  if (file != nullptr) sf_close(file);
  std::remove(temporaryPath.c_str());
}

void AudioFileWriter::write(const float* interleaved, std::int64_t frames) {
  if (sf_writef_float(file, interleaved, frames) != frames)
    throw ToolError("cannot write " + path + ": " + sf_strerror(file));
}

void AudioFileWriter::finish() {
  sf_write_sync(file);
  const int closeResult = sf_close(file);
  file = nullptr;
  if (closeResult != 0) throw ToolError("cannot write " + path + ": " + sf_error_number(closeResult));
  if (std::rename(temporaryPath.c_str(), path.c_str()) != 0)
    throw ToolError("cannot name the output " + path + ": " + std::strerror(errno));
  finished = true;
}
