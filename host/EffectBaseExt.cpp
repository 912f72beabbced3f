#include "host/EffectBaseExt.h"

#include "host/KeyStroke.h"
#include "host/Saturate.h"

// Opcodes whose ptr is a text, a text buffer or a record to fill: a host that
// passes null gets 0 and nothing is written.
static bool needsPointer(VstInt32 opcode) {
  switch (opcode) {
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo: return true;
    default: return false;
  }
}

static KeyStroke keyStroke(VstInt32 index, VstIntPtr value, float opt) {
  return KeyStroke{index, static_cast<std::uint8_t>(value & 0xFF),
                   static_cast<std::uint8_t>(saturatingTruncate(opt) & 0xFF)};
}

VstIntPtr EffectBaseExt::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (opcode < effProcessEvents || opcode > effEndSetProgram)
    return EffectBase::dispatch(opcode, index, value, ptr, opt);
  if (needsPointer(opcode) && ptr == nullptr) return 0;
  char* text = static_cast<char*>(ptr);
  const VstInt32 value32 = saturatingTruncate(static_cast<double>(value));
  switch (opcode) {
    case effProcessEvents: return processEvents(ptr);
    case effCanBeAutomated: return canAutomateParameter(index);
    case effString2Parameter: return parameterFromText(index, text);
    case effGetNumProgramCategories: return programCategoryCount();
    case effGetProgramNameIndexed: return copyProgramNameAt(value32, index, text);
    case effCopyProgram: return copyProgramTo(index);
    case effConnectInput: onInputConnected(index, value != 0); return 1;
    case effConnectOutput: onOutputConnected(index, value != 0); return 1;
    case effGetInputProperties: return inputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetOutputProperties: return outputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory: return plugInCategory();
    case effGetCurrentPosition: return currentPosition();
    case effGetDestinationBuffer: return destinationBuffer();
    case effOfflineNotify: return offlineNotify(ptr, value, index != 0);
    case effOfflinePrepare: return offlinePrepare(ptr, value);
    case effOfflineRun: return offlineRun(ptr, value);
    case effProcessVarIo: return processVariableIo(ptr);
    case effSetSpeakerArrangement: return setSpeakerArrangement(value, ptr);
    case effSetBlockSizeAndSampleRate: return setBlockSizeAndRate(value, opt);
    case effSetBypass: return setBypass(value != 0);
    case effGetEffectName: return copyEffectName(text);
    case effGetErrorText: return copyErrorText(text);
    case effGetVendorString: return copyVendorString(text);
    case effGetProductString: return copyProductString(text);
    case effGetVendorVersion: return vendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return canDo(text);
    case effGetTailSize: return tailSize();
    case effIdle: return onIdle();
    case effGetIcon: return iconHandle();
    case effSetViewPosition: return setViewPosition(index, value);
    case effGetParameterProperties: return parameterProperties(index, ptr);
    case effKeysRequired: return keysRequired() ? 0 : 1;
    case effGetVstVersion: return vstVersion();
    case effEditKeyDown: return editor ? editor->onKeyDown(keyStroke(index, value, opt)) : 0;
    case effEditKeyUp: return editor ? editor->onKeyUp(keyStroke(index, value, opt)) : 0;
    case effSetEditKnobMode: return editor ? editor->setKnobMode(value32) : 0;
    case effGetMidiProgramName: return midiProgramName(index, ptr);
    case effGetCurrentMidiProgram: return currentMidiProgram(index, ptr);
    case effGetMidiProgramCategory: return midiProgramCategory(index, ptr);
    case effHasMidiProgramsChanged: return midiProgramsChanged(index);
    case effGetMidiKeyName: return midiKeyName(index, ptr);
    case effBeginSetProgram: return beginProgramChange();
    case effEndSetProgram: return endProgramChange();
    default: return 0;
  }
}

EffectEditor* EffectBaseExt::editorObject() { return editor.get(); }
void EffectBaseExt::requestEvents(VstInt32 filter) { callHost(audioMasterWantMidi, 0, filter); }

VstTimeInfo* EffectBaseExt::hostTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstIntPtr EffectBaseExt::hostTempoAt(VstInt32 position) { return callHost(audioMasterTempoAt, 0, position); }
VstIntPtr EffectBaseExt::processEvents(void*) { return 0; }
VstIntPtr EffectBaseExt::hostAutomatableCount() { return callHost(audioMasterGetNumAutomatableParameters); }
VstIntPtr EffectBaseExt::hostParameterQuantization() { return callHost(audioMasterGetParameterQuantization); }
bool EffectBaseExt::canAutomateParameter(VstInt32) { return true; }
bool EffectBaseExt::parameterFromText(VstInt32, char*) { return false; }
float EffectBaseExt::channelParameterValue(VstInt32, VstInt32) { return 0.0f; }
VstIntPtr EffectBaseExt::programCategoryCount() { return 1; }
bool EffectBaseExt::copyProgramNameAt(VstInt32, VstInt32, char*) { return false; }
bool EffectBaseExt::copyProgramTo(VstInt32) { return false; }

bool EffectBaseExt::notifyIoChanged() { return callHost(audioMasterIOChanged) != 0; }
bool EffectBaseExt::hostNeedsIdle() { return callHost(audioMasterNeedIdle) != 0; }

bool EffectBaseExt::requestWindowSize(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

// The host answers by calling effSetSampleRate (or effSetBlockSize) during the request.
float EffectBaseExt::refreshSampleRate() {
  callHost(audioMasterGetSampleRate);
  return currentSampleRate();
}

VstInt32 EffectBaseExt::refreshBlockSize() {
  callHost(audioMasterGetBlockSize);
  return currentBlockSize();
}

VstIntPtr EffectBaseExt::hostInputLatency() { return callHost(audioMasterGetInputLatency); }
VstIntPtr EffectBaseExt::hostOutputLatency() { return callHost(audioMasterGetOutputLatency); }
VstIntPtr EffectBaseExt::previousPlugIn(VstInt32) { return callHost(audioMasterGetPreviousPlug); }
VstIntPtr EffectBaseExt::nextPlugIn(VstInt32) { return callHost(audioMasterGetNextPlug); }

void EffectBaseExt::onInputConnected(VstInt32, bool) {}
void EffectBaseExt::onOutputConnected(VstInt32, bool) {}
bool EffectBaseExt::inputProperties(VstInt32, VstPinProperties*) { return false; }
bool EffectBaseExt::outputProperties(VstInt32, VstPinProperties*) { return false; }

VstIntPtr EffectBaseExt::plugInCategory() { return (effectRecord.flags & effFlagsIsSynth) ? 2 : 0; }

VstIntPtr EffectBaseExt::hostReplaceOrAccumulate() { return callHost(audioMasterWillReplaceOrAccumulate); }
VstIntPtr EffectBaseExt::hostProcessLevel() { return callHost(audioMasterGetCurrentProcessLevel); }
VstIntPtr EffectBaseExt::hostAutomationState() { return callHost(audioMasterGetAutomationState); }
void EffectBaseExt::setExtIsAsync(bool on) { setFlag(effFlagsExtIsAsync, on); }
void EffectBaseExt::setExtHasBuffer(bool on) { setFlag(effFlagsExtHasBuffer, on); }
VstIntPtr EffectBaseExt::currentPosition() { return 0; }
VstIntPtr EffectBaseExt::destinationBuffer() { return 0; }

bool EffectBaseExt::hostOfflineRead(void* task, VstInt32 option, bool readSource) {
  return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}

bool EffectBaseExt::hostOfflineWrite(void* task, VstInt32 option) {
  return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}

bool EffectBaseExt::hostOfflineStart(void* files, VstInt32 count, VstInt32 newCount) {
  return callHost(audioMasterOfflineStart, newCount, count, files) != 0;
}

bool EffectBaseExt::hostOfflinePass() { return callHost(audioMasterOfflineGetCurrentPass) != 0; }
bool EffectBaseExt::hostOfflineMetaPass() { return callHost(audioMasterOfflineGetCurrentMetaPass) != 0; }
bool EffectBaseExt::offlineNotify(void*, VstIntPtr, bool) { return false; }
bool EffectBaseExt::offlinePrepare(void*, VstIntPtr) { return false; }
bool EffectBaseExt::offlineRun(void*, VstIntPtr) { return false; }

void EffectBaseExt::setOutputSampleRate(float rate) { callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate); }

bool EffectBaseExt::hostSpeakerArrangement(VstIntPtr input, void* output) {
  return callHost(audioMasterGetSpeakerArrangement, 0, input, output) != 0;
}

bool EffectBaseExt::hostVendorString(char* text) { return callHost(audioMasterGetVendorString, 0, 0, text) != 0; }
bool EffectBaseExt::hostProductString(char* text) { return callHost(audioMasterGetProductString, 0, 0, text) != 0; }
VstIntPtr EffectBaseExt::hostVendorVersion() { return callHost(audioMasterGetVendorVersion); }

VstIntPtr EffectBaseExt::hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}

bool EffectBaseExt::canHostDo(char* text) { return callHost(audioMasterCanDo, 0, 0, text) != 0; }
void EffectBaseExt::setIsSynth(bool on) { setFlag(effFlagsIsSynth, on); }
void EffectBaseExt::setNoSoundInStop(bool on) { setFlag(effFlagsNoSoundInStop, on); }
VstIntPtr EffectBaseExt::hostLanguage() { return callHost(audioMasterGetLanguage); }
VstIntPtr EffectBaseExt::hostOpenWindow(void* description) {
  return callHost(audioMasterOpenWindow, 0, 0, description);
}

bool EffectBaseExt::hostCloseWindow(void* description) {
  return callHost(audioMasterCloseWindow, 0, 0, description) != 0;
}

VstIntPtr EffectBaseExt::hostDirectory() { return callHost(audioMasterGetDirectory); }
bool EffectBaseExt::hostUpdateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

bool EffectBaseExt::processVariableIo(void*) { return false; }
bool EffectBaseExt::setSpeakerArrangement(VstIntPtr, void*) { return false; }

VstIntPtr EffectBaseExt::setBlockSizeAndRate(VstIntPtr frames, float rate) {
  blockSize.store(saturatingTruncate(static_cast<double>(frames)), std::memory_order_relaxed);
  sampleRate.store(rate, std::memory_order_relaxed);
  return 1;
}

bool EffectBaseExt::setBypass(bool) { return false; }
bool EffectBaseExt::copyEffectName(char*) { return false; }
bool EffectBaseExt::copyErrorText(char*) { return false; }
bool EffectBaseExt::copyVendorString(char*) { return false; }
bool EffectBaseExt::copyProductString(char*) { return false; }
VstIntPtr EffectBaseExt::vendorVersion() { return 0; }
VstIntPtr EffectBaseExt::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt) {
  if (index != kContentScaleIndex || value != kContentScaleValue || !editor) return 0;
  editor->setScaleFactor(opt);
  return 1;
}
VstIntPtr EffectBaseExt::canDo(char*) { return 0; }
VstIntPtr EffectBaseExt::iconHandle() { return 0; }
bool EffectBaseExt::setViewPosition(VstInt32, VstIntPtr) { return false; }
VstIntPtr EffectBaseExt::tailSize() { return 0; }
VstIntPtr EffectBaseExt::onIdle() { return 0; }
bool EffectBaseExt::parameterProperties(VstInt32, void*) { return false; }
bool EffectBaseExt::keysRequired() { return false; }
VstIntPtr EffectBaseExt::vstVersion() { return 2200; }
VstIntPtr EffectBaseExt::midiProgramName(VstInt32, void*) { return 0; }
VstIntPtr EffectBaseExt::currentMidiProgram(VstInt32, void*) { return -1; }
VstIntPtr EffectBaseExt::midiProgramCategory(VstInt32, void*) { return 0; }
bool EffectBaseExt::midiProgramsChanged(VstInt32) { return false; }
bool EffectBaseExt::midiKeyName(VstInt32, void*) { return false; }
bool EffectBaseExt::beginProgramChange() { return false; }
bool EffectBaseExt::endProgramChange() { return false; }

bool EffectBaseExt::hostBeginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }

bool EffectBaseExt::hostEndEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

bool EffectBaseExt::hostOpenFileSelector(void* selector) {
  return selector != nullptr && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}
