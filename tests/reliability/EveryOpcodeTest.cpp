#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tests/reliability/DocumentedWrites.h"
#include "tests/reliability/PluginUnderTest.h"

namespace {
class EveryOpcode : public AudioThreadWatchedTest {};

constexpr VstInt32 kInt32Min = std::numeric_limits<VstInt32>::min();
constexpr VstInt32 kInt32Max = std::numeric_limits<VstInt32>::max();
constexpr VstIntPtr kIntPtrMin = std::numeric_limits<VstIntPtr>::min();
constexpr VstIntPtr kIntPtrMax = std::numeric_limits<VstIntPtr>::max();
constexpr unsigned char kSentinel = 0xA5;
constexpr std::size_t kBufferSize = 512;

const VstInt32 kOutOfRangeOpcodes[] = {-1, 69, 70, 1000, -1000, kInt32Min, kInt32Max};
const VstInt32 kIndexes[] = {0, 1, -1, 10, 11, 19, 20, 63, 64, kInt32Min, kInt32Max};
const VstIntPtr kValues[] = {
    0,          1,          -1,
    19,         20,         44100,
    kIntPtrMax, kIntPtrMin, static_cast<VstIntPtr>(static_cast<std::uint64_t>(1) << (sizeof(VstIntPtr) * 4)) + 3};
const float kOpts[] = {
    0.0f, 1.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1e30f, -1e30f};

std::vector<VstInt32> everyOpcode() {
  std::vector<VstInt32> opcodes;
  for (VstInt32 opcode = 0; opcode <= 68; ++opcode)
    if (opcode != effClose) opcodes.push_back(opcode);
  opcodes.insert(opcodes.end(), std::begin(kOutOfRangeOpcodes), std::end(kOutOfRangeOpcodes));
  return opcodes;
}

// Opens a window on a parent handle; no buffer can stand in for that.
bool needsRealWindow(VstInt32 opcode, bool hasEditor) { return hasEditor && opcode == effEditOpen; }

struct Snapshot {
  VstIntPtr program;
  std::vector<float> parameters;
  std::vector<std::string> names;
  bool operator==(const Snapshot& other) const {
    return program == other.program && names == other.names &&
           std::memcmp(parameters.data(), other.parameters.data(), parameters.size() * sizeof(float)) == 0;
  }
};

Snapshot snapshot(StandInHost& host) {
  Snapshot state{host.dispatch(effGetProgram), {}, {}};
  for (VstInt32 index = 0; index < kParameterCount; ++index) state.parameters.push_back(host.getParameter(index));
  for (VstInt32 program = 0; program < kProgramCount; ++program) {
    char name[32] = {};
    host.dispatch(effGetProgramNameIndexed, program, 0, name);
    state.names.emplace_back(name);
  }
  return state;
}
}  // namespace

TEST_F(EveryOpcode, WritesNothingBeyondWhatItDocuments) {
  RunningPlugin plugin;
  const bool hasEditor = (plugin.effect->flags & effFlagsHasEditor) != 0;
  std::vector<unsigned char> buffer(kBufferSize);
  long calls = 0;
  for (VstInt32 opcode : everyOpcode()) {
    if (needsRealWindow(opcode, hasEditor)) continue;
    const ByteRanges allowed = documentedWrites(opcode, hasEditor);
    for (VstInt32 index : kIndexes)
      for (VstIntPtr value : kValues)
        for (float opt : kOpts) {
          const AEffect recordBefore = *plugin.effect;
          std::memset(buffer.data(), kSentinel, buffer.size());
          buffer.back() = 0;  // opcodes that read a text find an end
          plugin.host.dispatch(opcode, index, value, buffer.data(), opt);
          ++calls;
          for (std::size_t offset = 0; offset + 1 < buffer.size(); ++offset)
            if (!mayWrite(allowed, offset)) {
              ASSERT_EQ(buffer[offset], kSentinel) << "opcode " << opcode << " index " << index << " value " << value
                                                   << " opt " << opt << " wrote byte " << offset;
            }
          ASSERT_EQ(std::memcmp(&recordBefore, plugin.effect, sizeof(AEffect)), 0)
              << "opcode " << opcode << " changed the effect record";
        }
  }
  RecordProperty("dispatcherCalls", std::to_string(calls));
}

TEST_F(EveryOpcode, NullPointersAreAnsweredWithoutHarm) {
  RunningPlugin plugin;
  for (VstInt32 opcode : everyOpcode())
    for (VstInt32 index : kIndexes)
      for (VstIntPtr value : kValues)
        for (float opt : kOpts) plugin.host.dispatch(opcode, index, value, nullptr, opt);
  // Still a working effect afterwards.
  plugin.host.dispatch(effMainsChanged, 0, 1);
  plugin.host.setSampleRate(44100.0f);
  StereoBuffers buffers(256);
  std::minstd_rand random(30);
  buffers.fillInputWithNoise(random, 0.5f);
  plugin.process(buffers, 256);
  EXPECT_TRUE(allFinite(buffers.outputs[0], 256));
  EXPECT_EQ(plugin.host.text(effGetEffectName), "Lumivane VST");
}

TEST_F(EveryOpcode, OutOfRangeOpcodesAnswerZeroAndChangeNothing) {
  RunningPlugin plugin;
  plugin.host.dispatch(effSetProgram, 0, 7);
  plugin.host.setParameter(kResonance, 0.75f);
  const Snapshot before = snapshot(plugin.host);
  std::vector<unsigned char> buffer(kBufferSize, kSentinel);
  for (VstInt32 opcode : kOutOfRangeOpcodes)
    for (VstInt32 index : kIndexes)
      for (VstIntPtr value : kValues)
        for (float opt : kOpts) {
          EXPECT_EQ(plugin.host.dispatch(opcode, index, value, buffer.data(), opt), 0) << opcode;
          EXPECT_EQ(plugin.host.dispatch(opcode, index, value, nullptr, opt), 0) << opcode;
        }
  EXPECT_TRUE(snapshot(plugin.host) == before);
}

TEST_F(EveryOpcode, ProgramIndexesOutsideTheRangeChangeNothing) {
  RunningPlugin plugin;
  plugin.host.dispatch(effSetProgram, 0, 4);
  plugin.host.setParameter(kTempo, 0.3f);
  const Snapshot before = snapshot(plugin.host);
  for (VstIntPtr value : kValues) {
    if (value >= 0 && value < kProgramCount) continue;
    plugin.host.dispatch(effSetProgram, 0, value);
  }
  for (VstInt32 index : kIndexes) {
    if (index >= 0 && index < kProgramCount) continue;
    unsigned char name[64];
    std::memset(name, kSentinel, sizeof name);
    EXPECT_EQ(plugin.host.dispatch(effGetProgramNameIndexed, index, 0, name), 0) << index;
    EXPECT_EQ(name[0], kSentinel) << index;
    EXPECT_EQ(plugin.host.dispatch(effCopyProgram, index), 0) << index;
  }
  EXPECT_TRUE(snapshot(plugin.host) == before);
}

TEST_F(EveryOpcode, RenamingWithAnUnterminatedTextStoresItsFirstTwentyThreeCharacters) {
  RunningPlugin plugin;
  // A full name field and no terminator: a copy that looks further reads past the end.
  auto text = std::make_unique<char[]>(24);
  std::memset(text.get(), 'X', 24);
  plugin.host.dispatch(effSetProgramName, 0, 0, text.get());
  EXPECT_EQ(plugin.host.text(effGetProgramName), std::string(23, 'X'));

  std::string longName(300, 'Y');
  plugin.host.dispatch(effSetProgramName, 0, 0, longName.data());
  EXPECT_EQ(plugin.host.text(effGetProgramName), std::string(23, 'Y'));
}
