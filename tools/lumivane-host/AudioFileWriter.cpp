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
#include <limits>
#include <vector>

#include "tools/lumivane-host/OutputTarget.h"
#include "tools/lumivane-host/ToolError.h"

namespace fs = std::filesystem;

namespace {
// The containers with 32-bit sizes in their headers; a plain WAV grows into
// RF64 instead, the others are refused.
enum class SizeLimit { None, GrowsIntoRf64, Refused };

struct FormatByExtension {
  const char* extension;
  int format;
  SizeLimit limit;
};

// Float where the container holds it; FLAC and Ogg have no float samples.
constexpr FormatByExtension kFormats[] = {
    {".wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, SizeLimit::GrowsIntoRf64},
    {".wave", SF_FORMAT_WAV | SF_FORMAT_FLOAT, SizeLimit::GrowsIntoRf64},
    {".w64", SF_FORMAT_W64 | SF_FORMAT_FLOAT, SizeLimit::None},
    {".rf64", SF_FORMAT_RF64 | SF_FORMAT_FLOAT, SizeLimit::None},
    {".aif", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, SizeLimit::Refused},
    {".aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, SizeLimit::Refused},
    {".aifc", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, SizeLimit::Refused},
    {".caf", SF_FORMAT_CAF | SF_FORMAT_FLOAT, SizeLimit::None},
    {".au", SF_FORMAT_AU | SF_FORMAT_FLOAT, SizeLimit::Refused},
    {".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, SizeLimit::None},
    {".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, SizeLimit::None},
    {".oga", SF_FORMAT_OGG | SF_FORMAT_VORBIS, SizeLimit::None},
};

// The most sample bytes a 32-bit size field admits, less room for the header's chunks.
constexpr std::int64_t kLargest32BitData = 0xFFFFFFFFLL - (1LL << 20);
constexpr std::int64_t kFloatBytes = 4;
constexpr const char* kTemporaryStem = ".lumivane-host";

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

const FormatByExtension& knownFormat(const std::string& path) {
  const std::string extension = lowerCase(fs::path(path).extension().string());
  for (const FormatByExtension& known : kFormats)
    if (extension == known.extension) return known;
  throw ToolError("unknown output format for " + path + ": name it .wav, .flac, .aiff, .caf, .w64, .rf64, .au or .ogg");
}

std::string gibibytes(std::int64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GiB", static_cast<double>(bytes) / (1LL << 30));
  return text;
}

// libsndfile leaves some failures (a short write) without an error of its
// own; the system's then says more than its "No Error".
std::string failureReason(SNDFILE* file, int systemError) {
  if (sf_error(file) != SF_ERR_NO_ERROR) return sf_strerror(file);
  if (systemError != 0) return std::strerror(systemError);
  return "libsndfile gave no reason";
}

// ".NAME.XXXXXX" beside the target, or a short name where that would pass
// the file system's longest name.
std::string temporaryPattern(const fs::path& target) {
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const long longestName = pathconf(folder.c_str(), _PC_NAME_MAX);
  std::string name = "." + target.filename().string() + ".XXXXXX";
  if (longestName > 0 && name.size() > static_cast<std::size_t>(longestName))
    name = std::string(kTemporaryStem) + ".XXXXXX";
  return (folder / name).string();
}

// mkstemp creates the file readable by its owner only; the finished file gets
// the permissions of the file it replaces, else those any new file of this user gets.
void applyUsualPermissions(int descriptor, const std::string& replacedPath) {
  struct stat replaced {};
  if (stat(replacedPath.c_str(), &replaced) == 0) {
    fchmod(descriptor, replaced.st_mode & 07777);
    return;
  }
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
}
}  // namespace

int AudioFileWriter::formatFor(const std::string& path, int channels, std::int64_t frames) {
  const FormatByExtension& known = knownFormat(path);
  const std::int64_t bytes = frames * channels * kFloatBytes;
  if (known.limit == SizeLimit::None || bytes <= kLargest32BitData) return known.format;
  if (known.limit == SizeLimit::GrowsIntoRf64) return SF_FORMAT_RF64 | SF_FORMAT_FLOAT;
  throw ToolError("cannot write " + path + ": its " + gibibytes(bytes) +
                  " pass the 4 GiB its format holds; name it .wav, .w64, .rf64, .caf or .flac");
}

AudioFileWriter::AudioFileWriter(const std::string& outputPath, int channels, int sampleRate,
                                 std::int64_t expectedFrames)
    : path(outputPath), targetPath(outputTarget(outputPath, std::nullopt)) {
  const int format = formatFor(outputPath, channels, expectedFrames);
  SF_INFO info{};
  info.channels = channels;
  info.samplerate = sampleRate;
  info.format = format;
  if (!sf_format_check(&info))
    throw ToolError("cannot write " + outputPath + ": its format does not take " + std::to_string(channels) +
                    " channels at " + std::to_string(sampleRate) + " Hz");
  bytesPerFrame = channels * kFloatBytes;
  bytesLeft = knownFormat(outputPath).limit != SizeLimit::None && (format & SF_FORMAT_TYPEMASK) != SF_FORMAT_RF64
                  ? kLargest32BitData
                  : std::numeric_limits<std::int64_t>::max();

  const std::string pattern = temporaryPattern(targetPath);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0)
    throw ToolError("cannot write into " + fs::path(pattern).parent_path().string() + ": " + std::strerror(errno));
  temporaryPath = name.data();
  applyUsualPermissions(descriptor, targetPath);
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
  // An input longer than its header said must not wrap the sizes round either.
  if (frames * bytesPerFrame > bytesLeft)
    throw ToolError("cannot write " + path + ": the audio grew past the 4 GiB its format holds; name it .rf64 or .w64");
  bytesLeft -= frames * bytesPerFrame;
  errno = 0;
  if (sf_writef_float(file, interleaved, frames) != frames)
    throw ToolError("cannot write " + path + ": " + failureReason(file, errno));
}

void AudioFileWriter::finish() {
  sf_write_sync(file);
  const int closeResult = sf_close(file);
  file = nullptr;
  if (closeResult != 0) throw ToolError("cannot write " + path + ": " + sf_error_number(closeResult));
  if (std::rename(temporaryPath.c_str(), targetPath.c_str()) != 0)
    throw ToolError("cannot name the output " + path + ": " + std::strerror(errno));
  finished = true;
}
