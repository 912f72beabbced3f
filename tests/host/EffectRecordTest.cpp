#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/host/TestEffect.h"

namespace {
template <typename T>
T fieldAt(const AEffect* record, std::size_t offset) {
  T value;
  std::memcpy(&value, reinterpret_cast<const char*>(record) + offset, sizeof value);
  return value;
}

constexpr bool k32Bit = sizeof(void*) == 4;
// The documented offsets of the record for 4-byte and for 8-byte pointers.
constexpr std::size_t offset(std::size_t on32, std::size_t on64) { return k32Bit ? on32 : on64; }
}  // namespace

TEST(EffectRecord, HasTheDocumentedSizeAndFieldsAtTheirOffsets) {
  TestEffect effect(RecordingHost::callback);
  const AEffect* record = effect.record();
  EXPECT_EQ(sizeof(AEffect), offset(144, 192));
  EXPECT_EQ(fieldAt<VstInt32>(record, 0), 0x56737450);  // "VstP"
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(20, 40)), 20);
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(24, 44)), 11);
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(28, 48)), 1);
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(32, 52)), 2);
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(36, 56)), 0);
  EXPECT_EQ(fieldAt<float>(record, offset(60, 92)), 1.0f);
  EXPECT_EQ(fieldAt<void*>(record, offset(64, 96)), static_cast<void*>(&effect));
  EXPECT_EQ(fieldAt<void*>(record, offset(68, 104)), nullptr);
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(72, 112)), 0x4E6F4566);  // "NoEf"
  EXPECT_EQ(fieldAt<VstInt32>(record, offset(76, 116)), 1);
  EXPECT_EQ(fieldAt<void*>(record, offset(4, 8)), reinterpret_cast<void*>(record->dispatcher));
  EXPECT_EQ(fieldAt<void*>(record, offset(80, 120)), reinterpret_cast<void*>(record->processReplacing));
  for (std::size_t byte = offset(84, 128); byte < sizeof(AEffect); ++byte)
    EXPECT_EQ(fieldAt<char>(record, byte), 0) << "reserved byte " << byte;
}

TEST(EffectRecord, ObjectFieldLeadsBackToTheEffect) {
  TestEffect effect(RecordingHost::callback);
  EXPECT_EQ(EffectBase::fromRecord(effect.record()), &effect);
}

TEST(EffectRecord, FlagSettersSetAndClearOnlyTheirBit) {
  TestEffect effect(RecordingHost::callback);
  const struct {
    void (EffectBaseExt::*set)(bool);
    VstInt32 flag;
  } setters[] = {
      {&EffectBaseExt::setHasClip, 2},
      {&EffectBaseExt::setHasVu, 4},
      {&EffectBaseExt::setCanMono, 8},
      {&EffectBaseExt::setCanReplace, 16},
      {&EffectBaseExt::setProgramsAreChunks, 32},
      {&EffectBaseExt::setIsSynth, 256},
      {&EffectBaseExt::setNoSoundInStop, 512},
      {&EffectBaseExt::setExtIsAsync, 1024},
      {&EffectBaseExt::setExtHasBuffer, 2048},
  };
  for (const auto& setter : setters) {
    (effect.*setter.set)(true);
    EXPECT_EQ(effect.record()->flags, setter.flag);
    (effect.*setter.set)(false);
    EXPECT_EQ(effect.record()->flags, 0);
  }
}

TEST(EffectRecord, AttachingAnEditorAnnouncesIt) {
  TestEffect effect(RecordingHost::callback);
  effect.setCanMono(true);
  effect.attachEditor(std::make_unique<RecordingEditor>());
  EXPECT_EQ(effect.record()->flags, 9);
}
