#pragma once
// The plug-in object as the host's effect record sees it: the record, the
// VST 1 opcodes and the first host services.

#include <atomic>
#include <memory>

#include "host/EffectEditor.h"
#include "host/VstAbi.h"

class EffectBase {
public:
  EffectBase(AudioMasterCallback callback, VstInt32 programTotal, VstInt32 parameterTotal);
  virtual ~EffectBase();

  EffectBase(const EffectBase&) = delete;
  EffectBase& operator=(const EffectBase&) = delete;

  // Keeps the object alive while code that may call the host is on the stack:
  // a host that answers with effClose has the object deleted when the last
  // hold ends, once that code has unwound. Every dispatcher call holds one.
  class Hold {
  public:
    // Null holds nothing.
    explicit Hold(EffectBase* held);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    EffectBase* effect;
  };

  AEffect* record() { return &effectRecord; }
  static EffectBase* fromRecord(AEffect* record);
  EffectEditor* attachedEditor() const { return editor.get(); }
  // Takes the editor over and announces it in the record's flags.
  void attachEditor(std::unique_ptr<EffectEditor> newEditor);

  virtual void setParameterValue(VstInt32 index, float value);
  virtual float parameterValue(VstInt32 index);
  virtual void automateParameter(VstInt32 index, float value);
  virtual void processBlockAdding(float** inputs, float** outputs, VstInt32 frames) = 0;
  virtual void processBlockReplacing(float** inputs, float** outputs, VstInt32 frames);
  virtual VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual void onOpen();
  virtual void onClose();
  virtual VstInt32 programIndex();
  virtual void selectProgram(VstInt32 index);
  virtual void renameProgram(char* text);
  virtual void copyProgramName(char* text);
  virtual void copyParameterLabel(VstInt32 index, char* text);
  virtual void copyParameterDisplay(VstInt32 index, char* text);
  virtual void copyParameterName(VstInt32 index, char* text);
  virtual float vuLevel();
  virtual VstInt32 saveChunk(void** data, bool isPreset);
  virtual VstInt32 loadChunk(void* data, VstInt32 size, bool isPreset);
  virtual void onSampleRate(float rate);
  virtual void onBlockSize(VstInt32 size);
  virtual void onSuspend();
  virtual void onResume();
  virtual void setUniqueIdentifier(VstInt32 id);
  virtual void setInputCount(VstInt32 count);
  virtual void setOutputCount(VstInt32 count);
  virtual void setHasVu(bool on);
  virtual void setHasClip(bool on);
  virtual void setCanMono(bool on);
  virtual void setCanReplace(bool on);
  virtual void setProgramsAreChunks(bool on);
  virtual void setRealQualities(VstInt32 count);
  virtual void setOffQualities(VstInt32 count);
  virtual void setInitialDelay(VstInt32 samples);
  virtual float currentSampleRate();
  virtual VstInt32 currentBlockSize();
  virtual VstIntPtr hostVersion();
  virtual VstIntPtr hostCurrentId();
  virtual VstIntPtr hostIdle();
  virtual bool inputPinConnected(VstInt32 pin);
  virtual bool outputPinConnected(VstInt32 pin);

protected:
  // Sends one request to the host; 0 when there is no host callback.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  void setFlag(VstInt32 flag, bool on);

  // Written by the host's user-interface thread, read on its audio thread.
  std::atomic<float> sampleRate{44100.0f};
  std::unique_ptr<EffectEditor> editor;
  AudioMasterCallback hostCallback;
  VstInt32 programCount;
  VstInt32 parameterCount;
  std::atomic<VstInt32> currentProgram{0};
  std::atomic<VstInt32> blockSize{1024};
  AEffect effectRecord;

private:
  std::atomic<VstInt32> holds{0};
  // effClose came: the host hears nothing more of the object, which goes with the last hold.
  std::atomic<bool> closed{false};

  static VstIntPtr VST_CALLBACK dispatcherEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                void* ptr, float opt);
  static void VST_CALLBACK processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames);
  static void VST_CALLBACK processReplacingEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames);
  static void VST_CALLBACK setParameterEntry(AEffect* record, VstInt32 index, float value);
  static float VST_CALLBACK getParameterEntry(AEffect* record, VstInt32 index);
};

static_assert(std::atomic<float>::is_always_lock_free && std::atomic<VstInt32>::is_always_lock_free,
              "values shared between the host's threads are lock-free words");
