#include "host/EffectBase.h"

#include <cstring>
#include <utility>

#include "host/Saturate.h"

EffectBase::EffectBase(AudioMasterCallback callback, VstInt32 programTotal, VstInt32 parameterTotal)
    : hostCallback(callback), programCount(programTotal), parameterCount(parameterTotal) {
  std::memset(&effectRecord, 0, sizeof effectRecord);
  effectRecord.magic = kEffectMagic;
  effectRecord.numPrograms = programTotal;
  effectRecord.numParams = parameterTotal;
  effectRecord.numInputs = 1;
  effectRecord.numOutputs = 2;
  effectRecord.flags = 0;
  effectRecord.ioRatio = 1.0f;
  effectRecord.object = this;
  effectRecord.user = nullptr;
  effectRecord.uniqueID = fourCharacters('N', 'o', 'E', 'f');
  effectRecord.version = 1;
  effectRecord.dispatcher = dispatcherEntry;
  effectRecord.process = processEntry;
  effectRecord.processReplacing = processReplacingEntry;
  effectRecord.setParameter = setParameterEntry;
  effectRecord.getParameter = getParameterEntry;
}

EffectBase::~EffectBase() = default;

EffectBase::Hold::Hold(EffectBase* held) : effect(held) {
  if (effect) effect->holds.fetch_add(1);
}

EffectBase::Hold::~Hold() {
  if (effect && effect->holds.fetch_sub(1) == 1 && effect->closed.load()) delete effect;
}

EffectBase* EffectBase::fromRecord(AEffect* record) {
  return record == nullptr ? nullptr : static_cast<EffectBase*>(record->object);
}

void EffectBase::attachEditor(std::unique_ptr<EffectEditor> newEditor) {
  editor = std::move(newEditor);
  setFlag(effFlagsHasEditor, editor != nullptr);
}

VstIntPtr EffectBase::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (hostCallback == nullptr || closed.load(std::memory_order_relaxed)) return 0;
  return hostCallback(&effectRecord, opcode, index, value, ptr, opt);
}

void EffectBase::setFlag(VstInt32 flag, bool on) {
  if (on)
    effectRecord.flags |= flag;
  else
    effectRecord.flags &= ~flag;
}

// Opcodes whose ptr is a text, a text buffer or a place for a rectangle: a host
// that passes null gets 0 and nothing is written.
static bool needsPointer(VstInt32 opcode) {
  switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effEditGetRect:
    case effEditOpen: return true;
    default: return false;
  }
}

VstIntPtr EffectBase::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (needsPointer(opcode) && ptr == nullptr) return 0;
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen: onOpen(); return 0;
    case effClose:
      // The panel ends what the host saw it begin while the host still knows the record.
      if (editor) editor->close();
      onClose();
      return 0;
    case effSetProgram:
      if (value >= 0 && value < programCount) selectProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram: return programIndex();
    case effSetProgramName: renameProgram(text); return 0;
    case effGetProgramName: copyProgramName(text); return 0;
    case effGetParamLabel: copyParameterLabel(index, text); return 0;
    case effGetParamDisplay: copyParameterDisplay(index, text); return 0;
    case effGetParamName: copyParameterName(index, text); return 0;
    case effGetVu: return saturatingTruncate(vuLevel() * 32767.0);
    case effSetSampleRate: onSampleRate(opt); return 0;
    case effSetBlockSize: onBlockSize(saturatingTruncate(static_cast<double>(value))); return 0;
    case effMainsChanged:
      if (value == 0)
        onSuspend();
      else
        onResume();
      return 0;
    case effEditGetRect: return editor ? editor->reportRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen: return editor ? editor->open(ptr) : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effIdentify: return fourCharacters('N', 'v', 'E', 'f');
    case effGetChunk: return saveChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk: return loadChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default: return 0;
  }
}

void EffectBase::processBlockReplacing(float**, float**, VstInt32) {}
void EffectBase::setParameterValue(VstInt32, float) {}
float EffectBase::parameterValue(VstInt32) { return 0.0f; }

void EffectBase::automateParameter(VstInt32 index, float value) {
  setParameterValue(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void EffectBase::onOpen() {}
void EffectBase::onClose() {}
VstInt32 EffectBase::programIndex() { return currentProgram.load(std::memory_order_relaxed); }
void EffectBase::selectProgram(VstInt32 index) { currentProgram.store(index, std::memory_order_relaxed); }
void EffectBase::renameProgram(char* text) { text[0] = '\0'; }
void EffectBase::copyProgramName(char* text) { text[0] = '\0'; }
void EffectBase::copyParameterLabel(VstInt32, char* text) { text[0] = '\0'; }
void EffectBase::copyParameterDisplay(VstInt32, char* text) { text[0] = '\0'; }
void EffectBase::copyParameterName(VstInt32, char* text) { text[0] = '\0'; }
float EffectBase::vuLevel() { return 0.0f; }
VstInt32 EffectBase::saveChunk(void**, bool) { return 0; }
VstInt32 EffectBase::loadChunk(void*, VstInt32, bool) { return 0; }
void EffectBase::onSampleRate(float rate) { sampleRate.store(rate, std::memory_order_relaxed); }
void EffectBase::onBlockSize(VstInt32 size) { blockSize.store(size, std::memory_order_relaxed); }
void EffectBase::onSuspend() {}
void EffectBase::onResume() {}
void EffectBase::setUniqueIdentifier(VstInt32 id) { effectRecord.uniqueID = id; }
void EffectBase::setInputCount(VstInt32 count) { effectRecord.numInputs = count; }
void EffectBase::setOutputCount(VstInt32 count) { effectRecord.numOutputs = count; }
void EffectBase::setHasVu(bool on) { setFlag(effFlagsHasVu, on); }
void EffectBase::setHasClip(bool on) { setFlag(effFlagsHasClip, on); }
void EffectBase::setCanMono(bool on) { setFlag(effFlagsCanMono, on); }
void EffectBase::setCanReplace(bool on) { setFlag(effFlagsCanReplacing, on); }
void EffectBase::setProgramsAreChunks(bool on) { setFlag(effFlagsProgramChunks, on); }
void EffectBase::setRealQualities(VstInt32 count) { effectRecord.realQualities = count; }
void EffectBase::setOffQualities(VstInt32 count) { effectRecord.offQualities = count; }
void EffectBase::setInitialDelay(VstInt32 samples) { effectRecord.initialDelay = samples; }
float EffectBase::currentSampleRate() { return sampleRate.load(std::memory_order_relaxed); }
VstInt32 EffectBase::currentBlockSize() { return blockSize.load(std::memory_order_relaxed); }

VstIntPtr EffectBase::hostVersion() {
  const VstIntPtr version = callHost(audioMasterVersion);
  return version == 0 ? 1 : version;
}

VstIntPtr EffectBase::hostCurrentId() { return callHost(audioMasterCurrentId); }
VstIntPtr EffectBase::hostIdle() { return callHost(audioMasterIdle); }

// The host answers 0 for a connected pin; without a host every pin counts as connected.
bool EffectBase::inputPinConnected(VstInt32 pin) {
  return hostCallback == nullptr || callHost(audioMasterPinConnected, pin, 0) == 0;
}

bool EffectBase::outputPinConnected(VstInt32 pin) {
  return hostCallback == nullptr || callHost(audioMasterPinConnected, pin, 1) == 0;
}

// Nothing may throw into the host: an entry that meets an exception answers as
// if the request did nothing.
template <typename Result, typename Call>
static Result answerSafely(AEffect* record, Result fallback, Call call) {
  EffectBase* effect = EffectBase::fromRecord(record);
  if (effect == nullptr) return fallback;
  try {
    return call(*effect);
  } catch (...) {
    return fallback;
  }
}

VstIntPtr VST_CALLBACK EffectBase::dispatcherEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                   void* ptr, float opt) {
  return answerSafely<VstIntPtr>(record, 0, [&](EffectBase& effect) -> VstIntPtr {
    // An effClose from inside a call of ours to the host deletes the object
    // only once that call has unwound.
    const Hold hold(&effect);
    const VstIntPtr answer = effect.dispatch(opcode, index, value, ptr, opt);
    if (opcode != effClose) return answer;
    effect.closed.store(true);
    return 1;
  });
}

void VST_CALLBACK EffectBase::processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames) {
  answerSafely<bool>(record, false, [&](EffectBase& effect) {
    effect.processBlockAdding(inputs, outputs, frames);
    return true;
  });
}

void VST_CALLBACK EffectBase::processReplacingEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames) {
  answerSafely<bool>(record, false, [&](EffectBase& effect) {
    effect.processBlockReplacing(inputs, outputs, frames);
    return true;
  });
}

void VST_CALLBACK EffectBase::setParameterEntry(AEffect* record, VstInt32 index, float value) {
  answerSafely<bool>(record, false, [&](EffectBase& effect) {
    effect.setParameterValue(index, value);
    return true;
  });
}

float VST_CALLBACK EffectBase::getParameterEntry(AEffect* record, VstInt32 index) {
  return answerSafely<float>(record, 0.0f, [&](EffectBase& effect) { return effect.parameterValue(index); });
}
