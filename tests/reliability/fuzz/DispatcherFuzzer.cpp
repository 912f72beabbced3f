// Drives one plug-in instance per input through its record, as a hostile
// host would: opcodes with any arguments and buffers, parameter writes and
// reads, process calls with odd buffers, block sizes, samples and time.
// Memory errors are the sanitizers' to find; this harness traps when the
// plug-in writes where it must not or alters its record.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/PluginMain.h"
#include "tests/reliability/DocumentedWrites.h"

namespace {

constexpr std::size_t kBufferSize = 512;
constexpr unsigned char kSentinel = 0xA5;
constexpr int kMaxOperations = 64;
constexpr int kMaxFrames = 4096;

// Reads the input front to back; past its end every value is zero.
class InputReader {
public:
  InputReader(const std::uint8_t* bytes, std::size_t byteCount) : data(bytes), size(byteCount) {}
  bool empty() const { return position >= size; }
  template <typename T>
  T take() {
    T value{};
    const std::size_t count = std::min(sizeof(T), size - std::min(position, size));
    std::memcpy(&value, data + position, count);
    position += sizeof(T);
    return value;
  }

private:
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position = 0;
};

struct FuzzHost {
  unsigned pinsConnected = 0xF;  // bit per (output, pin)
  bool timeAvailable = true;
  VstTimeInfo time{};
};
FuzzHost host;

VstIntPtr VST_CALLBACK answer(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float) {
  switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterPinConnected: {
      if (index < 0 || index > 1) return 1;
      const unsigned bit = 1u << ((value != 0 ? 2 : 0) + index);
      return (host.pinsConnected & bit) != 0 ? 0 : 1;
    }
    case audioMasterGetTime: return host.timeAvailable ? reinterpret_cast<VstIntPtr>(&host.time) : 0;
    default: return 0;
  }
}

[[noreturn]] void fault(const char* what, VstInt32 opcode) {
  std::fprintf(stderr, "plug-in fault: %s (opcode %d)\n", what, static_cast<int>(opcode));
  __builtin_trap();
}

void dispatch(AEffect* effect, InputReader& input) {
  const std::uint8_t selector = input.take<std::uint8_t>();
  VstInt32 opcode = selector < 69 ? selector : input.take<VstInt32>();
  if (opcode == effClose) return;  // closing ends the input; the harness does it
  const VstInt32 index = input.take<VstInt32>();
  const auto value = static_cast<VstIntPtr>(input.take<std::int64_t>());
  const float opt = input.take<float>();
  const std::uint8_t bufferKind = input.take<std::uint8_t>() % 3;

  const bool hasEditor = (effect->flags & effFlagsHasEditor) != 0;
  if (hasEditor && opcode == effEditOpen) return;  // needs a real parent window
  if (bufferKind == 0) {
    effect->dispatcher(effect, opcode, index, value, nullptr, opt);
    return;
  }
  if (bufferKind == 1 && readsText(opcode)) {
    // A text of the input's own length, unterminated: the plug-in must not read past it.
    const std::size_t length = input.take<std::uint8_t>() % 48 + 24;
    auto text = std::make_unique<char[]>(length);
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(input.take<std::uint8_t>() | 1);
    effect->dispatcher(effect, opcode, index, value, text.get(), opt);
    return;
  }
  std::vector<unsigned char> buffer(kBufferSize, kSentinel);
  buffer.back() = 0;
  const AEffect before = *effect;
  effect->dispatcher(effect, opcode, index, value, buffer.data(), opt);
  const ByteRanges allowed = documentedWrites(opcode, hasEditor);
  for (std::size_t offset = 0; offset + 1 < buffer.size(); ++offset)
    if (!mayWrite(allowed, offset) && buffer[offset] != kSentinel) fault("wrote beyond what it documents", opcode);
  if (std::memcmp(&before, effect, sizeof before) != 0) fault("changed its effect record", opcode);
}

float sampleOf(std::uint8_t kind, int s, std::uint32_t& noise) {
  noise = noise * 1664525u + 1013904223u;
  const float level = static_cast<float>(static_cast<std::int32_t>(noise)) * (1.0f / 2147483648.0f);
  switch (kind % 6) {
    case 0: return level;
    case 1: return s % 97 == 5 ? NAN : level;
    case 2: return s % 61 == 3 ? (level < 0 ? -INFINITY : INFINITY) : level;
    case 3: return level * 1e30f;
    case 4: return level * 1e-39f;
    default: return (s / 100) % 2 == 0 ? 1.0f : -1.0f;
  }
}

void process(AEffect* effect, InputReader& input) {
  const std::uint8_t shape = input.take<std::uint8_t>();
  const int frames = std::max(-64, std::min<int>(input.take<std::int16_t>(), kMaxFrames));
  const std::uint8_t samples = input.take<std::uint8_t>();
  host.time.ppqPos = input.take<double>();
  host.time.tempo = input.take<double>();
  const std::uint8_t timeFlags = input.take<std::uint8_t>();
  host.timeAvailable = (timeFlags & 1) == 0;
  host.time.flags = kVstPpqPosValid | kVstTempoValid | ((timeFlags & 2) != 0 ? kVstTransportPlaying : 0);

  const std::size_t length = static_cast<std::size_t>(std::max(frames, 1));
  std::vector<float> channels[4];
  std::uint32_t noise = samples;
  for (auto& channel : channels) {
    channel.resize(length);
    for (std::size_t s = 0; s < length; ++s) channel[s] = sampleOf(samples, static_cast<int>(s), noise);
  }
  float* inputs[2] = {channels[0].data(), channels[1].data()};
  float* outputs[2] = {channels[2].data(), channels[3].data()};
  if ((shape & 8) != 0) inputs[0] = nullptr;
  if ((shape & 16) != 0) outputs[1] = nullptr;
  if ((shape & 32) != 0) {  // the host's buffers serve both ways
    outputs[0] = inputs[0];
    outputs[1] = channels[1].data();
  }
  float** inputArray = (shape & 2) != 0 ? nullptr : inputs;
  float** outputArray = (shape & 4) != 0 ? nullptr : outputs;
  if ((shape & 1) != 0)
    effect->processReplacing(effect, inputArray, outputArray, frames);
  else
    effect->process(effect, inputArray, outputArray, frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  host = FuzzHost{};
  AEffect* effect = openPluginInstance(answer, createPluginEffect);
  if (effect == nullptr) fault("refused to open", 0);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  InputReader input(data, size);
  for (int operation = 0; operation < kMaxOperations && !input.empty(); ++operation) {
    switch (input.take<std::uint8_t>() % 5) {
      case 0: dispatch(effect, input); break;
      case 1: {
        const VstInt32 index = input.take<VstInt32>();
        effect->setParameter(effect, index, input.take<float>());
        break;
      }
      case 2: effect->getParameter(effect, input.take<VstInt32>()); break;
      case 3: process(effect, input); break;
      default: host.pinsConnected = input.take<std::uint8_t>(); break;
    }
  }
  if (effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f) != 1) fault("close did not answer 1", effClose);
  return 0;
}
