#pragma once
// The VST 2 binary interface as this plug-in and its stand-in host use it.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VST_CALLBACK __cdecl
#else
#define VST_CALLBACK
#endif

using VstInt32 = std::int32_t;
using VstInt16 = std::int16_t;
using VstIntPtr = std::intptr_t;

struct AEffect;

using AudioMasterCallback = VstIntPtr(VST_CALLBACK*)(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                     void* ptr, float opt);
using DispatcherProc = VstIntPtr(VST_CALLBACK*)(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                                float opt);
using ProcessProc = void(VST_CALLBACK*)(AEffect*, float** inputs, float** outputs, VstInt32 frames);
using SetParameterProc = void(VST_CALLBACK*)(AEffect*, VstInt32 index, float value);
using GetParameterProc = float(VST_CALLBACK*)(AEffect*, VstInt32 index);
using PluginEntryProc = AEffect*(VST_CALLBACK*)(AudioMasterCallback);

constexpr VstInt32 fourCharacters(char a, char b, char c, char d) {
  return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                               (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                               (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                               static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = fourCharacters('V', 's', 't', 'P');

struct AEffect {
  VstInt32 magic;
  DispatcherProc dispatcher;
  ProcessProc process;
  SetParameterProc setParameter;
  GetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;
  VstInt32 realQualities;
  VstInt32 offQualities;
  float ioRatio;
  void* object;
  void* user;
  VstInt32 uniqueID;
  VstInt32 version;
  ProcessProc processReplacing;
  VstIntPtr reservedPointer;
  char reserved[56];
};

enum EffectFlags : VstInt32 {
  effFlagsHasEditor = 1,
  effFlagsHasClip = 2,
  effFlagsHasVu = 4,
  effFlagsCanMono = 8,
  effFlagsCanReplacing = 16,
  effFlagsProgramChunks = 32,
  effFlagsIsSynth = 256,
  effFlagsNoSoundInStop = 512,
  effFlagsExtIsAsync = 1024,
  effFlagsExtHasBuffer = 2048,
};

struct VstTimeInfo {
  double samplePos;
  double sampleRate;
  double nanoSeconds;
  double ppqPos;
  double tempo;
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  VstInt32 timeSigNumerator;
  VstInt32 timeSigDenominator;
  VstInt32 smpteOffset;
  VstInt32 smpteFrameRate;
  VstInt32 samplesToNextClock;
  VstInt32 flags;
};

enum TimeInfoFlags : VstInt32 {
  kVstTransportChanged = 1,
  kVstTransportPlaying = 2,
  kVstTransportCycleActive = 4,
  kVstTransportRecording = 8,
  kVstAutomationWriting = 64,
  kVstAutomationReading = 128,
  kVstNanosValid = 256,
  kVstPpqPosValid = 512,
  kVstTempoValid = 1024,
  kVstBarsValid = 2048,
  kVstCyclePosValid = 4096,
  kVstTimeSigValid = 8192,
  kVstSmpteValid = 16384,
  kVstClockValid = 32768,
};

struct VstPinProperties {
  char label[64];
  VstInt32 flags;
  VstInt32 arrangementType;
  char shortLabel[8];
  char future[48];
};

enum PinFlags : VstInt32 {
  kVstPinIsActive = 1,
  kVstPinIsStereo = 2,
  kVstPinUseSpeaker = 4,
};

struct ERect {
  VstInt16 top;
  VstInt16 left;
  VstInt16 bottom;
  VstInt16 right;
};

constexpr VstInt32 kPlugCategEffect = 1;

// Dispatcher opcodes (host to plug-in).
enum EffectOpcode : VstInt32 {
  effOpen = 0,
  effClose,
  effSetProgram,
  effGetProgram,
  effSetProgramName,
  effGetProgramName,
  effGetParamLabel,
  effGetParamDisplay,
  effGetParamName,
  effGetVu,
  effSetSampleRate,
  effSetBlockSize,
  effMainsChanged,
  effEditGetRect,
  effEditOpen,
  effEditClose,
  effEditDraw,
  effEditMouse,
  effEditKey,
  effEditIdle,
  effEditTop,
  effEditSleep,
  effIdentify,
  effGetChunk,
  effSetChunk,
  effProcessEvents,
  effCanBeAutomated,
  effString2Parameter,
  effGetNumProgramCategories,
  effGetProgramNameIndexed,
  effCopyProgram,
  effConnectInput,
  effConnectOutput,
  effGetInputProperties,
  effGetOutputProperties,
  effGetPlugCategory,
  effGetCurrentPosition,
  effGetDestinationBuffer,
  effOfflineNotify,
  effOfflinePrepare,
  effOfflineRun,
  effProcessVarIo,
  effSetSpeakerArrangement,
  effSetBlockSizeAndSampleRate,
  effSetBypass,
  effGetEffectName,
  effGetErrorText,
  effGetVendorString,
  effGetProductString,
  effGetVendorVersion,
  effVendorSpecific,
  effCanDo,
  effGetTailSize,
  effIdle,
  effGetIcon,
  effSetViewPosition,
  effGetParameterProperties,
  effKeysRequired,
  effGetVstVersion,
  effEditKeyDown,
  effEditKeyUp,
  effSetEditKnobMode,
  effGetMidiProgramName,
  effGetCurrentMidiProgram,
  effGetMidiProgramCategory,
  effHasMidiProgramsChanged,
  effGetMidiKeyName,
  effBeginSetProgram,
  effEndSetProgram,
};

// Host callback opcodes (plug-in to host).
enum AudioMasterOpcode : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion,
  audioMasterCurrentId,
  audioMasterIdle,
  audioMasterPinConnected,
  audioMasterWantMidi = 6,
  audioMasterGetTime,
  audioMasterProcessEvents,
  audioMasterSetTime,
  audioMasterTempoAt,
  audioMasterGetNumAutomatableParameters,
  audioMasterGetParameterQuantization,
  audioMasterIOChanged,
  audioMasterNeedIdle,
  audioMasterSizeWindow,
  audioMasterGetSampleRate,
  audioMasterGetBlockSize,
  audioMasterGetInputLatency,
  audioMasterGetOutputLatency,
  audioMasterGetPreviousPlug,
  audioMasterGetNextPlug,
  audioMasterWillReplaceOrAccumulate,
  audioMasterGetCurrentProcessLevel,
  audioMasterGetAutomationState,
  audioMasterOfflineStart,
  audioMasterOfflineRead,
  audioMasterOfflineWrite,
  audioMasterOfflineGetCurrentPass,
  audioMasterOfflineGetCurrentMetaPass,
  audioMasterSetOutputSampleRate,
  audioMasterGetSpeakerArrangement,
  audioMasterGetVendorString,
  audioMasterGetProductString,
  audioMasterGetVendorVersion,
  audioMasterVendorSpecific,
  audioMasterSetIcon,
  audioMasterCanDo,
  audioMasterGetLanguage,
  audioMasterOpenWindow,
  audioMasterCloseWindow,
  audioMasterGetDirectory,
  audioMasterUpdateDisplay,
  audioMasterBeginEdit,
  audioMasterEndEdit,
  audioMasterOpenFileSelector,
};

// effVendorSpecific with this index and value carries the host's content
// scale factor for the editor in opt.
inline constexpr VstInt32 kContentScaleIndex = 0x50726553;   // 'PreS'
inline constexpr VstIntPtr kContentScaleValue = 0x41654373;  // 'AeCs'

static_assert(sizeof(VstTimeInfo) == 88, "VstTimeInfo is 88 bytes on every platform");
static_assert(sizeof(VstPinProperties) == 128, "VstPinProperties is 128 bytes");
static_assert(sizeof(ERect) == 8, "ERect is four 16-bit fields");
static_assert(offsetof(VstTimeInfo, ppqPos) == 24 && offsetof(VstTimeInfo, tempo) == 32 &&
              offsetof(VstTimeInfo, flags) == 84);
static_assert(offsetof(VstPinProperties, flags) == 64 && offsetof(VstPinProperties, shortLabel) == 72);

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(AEffect) == 144, "the 32-bit effect record is 144 bytes");
static_assert(offsetof(AEffect, dispatcher) == 4 && offsetof(AEffect, numPrograms) == 20 &&
              offsetof(AEffect, flags) == 36 && offsetof(AEffect, ioRatio) == 60 && offsetof(AEffect, object) == 64 &&
              offsetof(AEffect, uniqueID) == 72 && offsetof(AEffect, processReplacing) == 80 &&
              offsetof(AEffect, reservedPointer) == 84);
#else
static_assert(sizeof(AEffect) == 192, "the 64-bit effect record is 192 bytes");
static_assert(offsetof(AEffect, dispatcher) == 8 && offsetof(AEffect, numPrograms) == 40 &&
              offsetof(AEffect, flags) == 56 && offsetof(AEffect, ioRatio) == 92 && offsetof(AEffect, object) == 96 &&
              offsetof(AEffect, uniqueID) == 112 && offsetof(AEffect, processReplacing) == 120 &&
              offsetof(AEffect, reservedPointer) == 128);
#endif
