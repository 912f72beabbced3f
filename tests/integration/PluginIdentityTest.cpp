#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/integration/PluginTestSupport.h"

namespace {
// Fills a buffer with a marker, lets the plug-in write, and answers the bytes.
struct MarkedBuffer {
  char bytes[64];
  MarkedBuffer() { std::memset(bytes, '#', sizeof bytes); }
  int writtenLength() const {
    int last = sizeof bytes;
    while (last > 0 && bytes[last - 1] == '#') --last;
    return last;
  }
};

void expectExactly24Bytes(StandInHost& host, VstInt32 opcode, VstInt32 index, const char* expected) {
  MarkedBuffer buffer;
  host.dispatch(opcode, index, 0, buffer.bytes);
  EXPECT_STREQ(buffer.bytes, expected) << opcode;
  EXPECT_EQ(buffer.writtenLength(), 24) << opcode;
  for (size_t i = std::strlen(expected); i < 24; ++i) EXPECT_EQ(buffer.bytes[i], '\0') << opcode << " " << i;
}
}  // namespace

TEST(PluginIdentity, RecordDescribesTheFilterSweep) {
  StandInHost host(plugin().entry());
  AEffect* effect = host.open();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->uniqueID, 0x71323232);
  EXPECT_EQ(effect->version, 1);
  EXPECT_EQ(effect->numPrograms, 20);
  EXPECT_EQ(effect->numParams, 11);
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->flags, kModuleFlags);
}

// The record as a host reads it, by the documented offsets of its pointer width.
TEST(PluginIdentity, RecordFieldsSitAtTheDocumentedOffsets) {
  StandInHost host(plugin().entry());
  const char* bytes = reinterpret_cast<const char*>(host.open());
  ASSERT_NE(bytes, nullptr);
  const bool narrow = sizeof(void*) == 4;
  const auto int32At = [&](std::size_t on32, std::size_t on64) {
    VstInt32 value;
    std::memcpy(&value, bytes + (narrow ? on32 : on64), sizeof value);
    return value;
  };
  EXPECT_EQ(int32At(0, 0), 0x56737450);  // "VstP"
  EXPECT_EQ(int32At(20, 40), 20);
  EXPECT_EQ(int32At(24, 44), 11);
  EXPECT_EQ(int32At(36, 56), kModuleFlags);
  EXPECT_EQ(int32At(72, 112), 0x71323232);  // "q222"
  EXPECT_EQ(int32At(76, 116), 1);
  for (std::size_t byte = narrow ? 84 : 128; byte < (narrow ? 144u : 192u); ++byte)
    EXPECT_EQ(bytes[byte], 0) << "reserved byte " << byte;
}

TEST(PluginIdentity, NamesAreWrittenAsExactly24Bytes) {
  StandInHost host(plugin().entry());
  ASSERT_NE(host.open(), nullptr);
  expectExactly24Bytes(host, effGetEffectName, 0, "Lumivane VST");
  expectExactly24Bytes(host, effGetVendorString, 0, "Quelldar");
  expectExactly24Bytes(host, effGetProductString, 0, "Lumivane VST GUI");
  expectExactly24Bytes(host, effGetParamName, 10, "Sweep");
  expectExactly24Bytes(host, effGetParamLabel, 10, " Speed");
  expectExactly24Bytes(host, effGetParamName, 11, "");
  EXPECT_EQ(host.dispatch(effGetVendorVersion), 8000);
  EXPECT_EQ(host.dispatch(effGetPlugCategory), kPlugCategEffect);
  EXPECT_EQ(host.dispatch(effGetTailSize), 1024);
  EXPECT_EQ(host.dispatch(effGetParameterProperties, 0, 0, MarkedBuffer().bytes), 0);
}

TEST(PluginIdentity, CapabilitiesMatchExactly) {
  StandInHost host(plugin().entry());
  ASSERT_NE(host.open(), nullptr);
  const struct {
    const char* text;
    VstIntPtr answer;
  } table[] = {
      {"receiveVstTimeInfo", 1},  {"receiveVstEvents", -1},  {"receiveVstMidiEvent", -1}, {"midiProgramNames", -1},
      {"receiveVstTimeInfo ", 0}, {"ReceiveVstTimeInfo", 0}, {"sendVstEvents", 0},        {"", 0}};
  for (const auto& entry : table) {
    std::string text = entry.text;
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, text.data()), entry.answer) << '"' << entry.text << '"';
  }
}

TEST(PluginIdentity, PinRecordsFillOnlyLabelsAndFlags) {
  StandInHost host(plugin().entry());
  ASSERT_NE(host.open(), nullptr);
  const struct {
    VstInt32 opcode;
    VstInt32 index;
    const char* label;
    const char* shortLabel;
    VstInt32 flags;
  } pins[] = {{effGetInputProperties, 0, "Left Input", "Left", 1},
              {effGetInputProperties, 1, "Right Input", "Right", 1},
              {effGetOutputProperties, 0, "Left Output", "Left", 3},
              {effGetOutputProperties, 1, "Right Output", "Right", 3}};
  for (const auto& pin : pins) {
    VstPinProperties properties;
    std::memset(&properties, 0x5A, sizeof properties);
    EXPECT_EQ(host.dispatch(pin.opcode, pin.index, 0, &properties), 1);
    EXPECT_STREQ(properties.label, pin.label);
    for (size_t i = std::strlen(pin.label); i < 24; ++i) EXPECT_EQ(properties.label[i], '\0');
    for (size_t i = 24; i < sizeof properties.label; ++i) EXPECT_EQ(properties.label[i], 0x5A);
    EXPECT_STREQ(properties.shortLabel, pin.shortLabel);
    EXPECT_EQ(properties.flags, pin.flags);
    EXPECT_EQ(properties.arrangementType, 0x5A5A5A5A);
    for (char byte : properties.future) EXPECT_EQ(byte, 0x5A);
  }
  for (VstInt32 opcode : {effGetInputProperties, effGetOutputProperties}) {
    VstPinProperties properties;
    std::memset(&properties, 0x5A, sizeof properties);
    EXPECT_EQ(host.dispatch(opcode, 2, 0, &properties), 0);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&properties);
    for (size_t i = 0; i < sizeof properties; ++i) ASSERT_EQ(bytes[i], 0x5A);
  }
}
