#pragma once
// The VST 2 layer: opcodes 25 to 68 and the remaining host services.

#include "host/EffectBase.h"

class EffectBaseExt : public EffectBase {
public:
  using EffectBase::EffectBase;

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

  virtual EffectEditor* editorObject();
  virtual void requestEvents(VstInt32 filter);
  virtual VstTimeInfo* hostTimeInfo(VstInt32 filter);
  virtual VstIntPtr hostTempoAt(VstInt32 position);
  virtual VstIntPtr processEvents(void* events);
  virtual VstIntPtr hostAutomatableCount();
  virtual VstIntPtr hostParameterQuantization();
  virtual bool canAutomateParameter(VstInt32 index);
  virtual bool parameterFromText(VstInt32 index, char* text);
  virtual float channelParameterValue(VstInt32 channel, VstInt32 index);
  virtual VstIntPtr programCategoryCount();
  virtual bool copyProgramNameAt(VstInt32 category, VstInt32 index, char* text);
  virtual bool copyProgramTo(VstInt32 destination);

  virtual bool notifyIoChanged();
  virtual bool hostNeedsIdle();
  virtual bool requestWindowSize(VstInt32 width, VstInt32 height);
  virtual float refreshSampleRate();
  virtual VstInt32 refreshBlockSize();
  virtual VstIntPtr hostInputLatency();
  virtual VstIntPtr hostOutputLatency();
  virtual VstIntPtr previousPlugIn(VstInt32 pin);
  virtual VstIntPtr nextPlugIn(VstInt32 pin);

  virtual void onInputConnected(VstInt32 index, bool connected);
  virtual void onOutputConnected(VstInt32 index, bool connected);
  virtual bool inputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool outputProperties(VstInt32 index, VstPinProperties* properties);
  virtual VstIntPtr plugInCategory();
  virtual VstIntPtr hostReplaceOrAccumulate();
  virtual VstIntPtr hostProcessLevel();
  virtual VstIntPtr hostAutomationState();
  virtual void setExtIsAsync(bool on);
  virtual void setExtHasBuffer(bool on);
  virtual VstIntPtr currentPosition();
  virtual VstIntPtr destinationBuffer();

  virtual bool hostOfflineRead(void* task, VstInt32 option, bool readSource);
  virtual bool hostOfflineWrite(void* task, VstInt32 option);
  virtual bool hostOfflineStart(void* files, VstInt32 count, VstInt32 newCount);
  virtual bool hostOfflinePass();
  virtual bool hostOfflineMetaPass();
  virtual bool offlineNotify(void* files, VstIntPtr count, bool start);
  virtual bool offlinePrepare(void* tasks, VstIntPtr count);
  virtual bool offlineRun(void* tasks, VstIntPtr count);

  virtual void setOutputSampleRate(float rate);
  virtual bool hostSpeakerArrangement(VstIntPtr input, void* output);
  virtual bool hostVendorString(char* text);
  virtual bool hostProductString(char* text);
  virtual VstIntPtr hostVendorVersion();
  virtual VstIntPtr hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual bool canHostDo(char* text);
  virtual void setIsSynth(bool on);
  virtual void setNoSoundInStop(bool on);
  virtual VstIntPtr hostLanguage();
  virtual VstIntPtr hostOpenWindow(void* description);
  virtual bool hostCloseWindow(void* description);
  virtual VstIntPtr hostDirectory();
  virtual bool hostUpdateDisplay();

  virtual bool processVariableIo(void* io);
  virtual bool setSpeakerArrangement(VstIntPtr input, void* output);
  virtual VstIntPtr setBlockSizeAndRate(VstIntPtr frames, float rate);
  virtual bool setBypass(bool on);
  virtual bool copyEffectName(char* text);
  virtual bool copyErrorText(char* text);
  virtual bool copyVendorString(char* text);
  virtual bool copyProductString(char* text);
  virtual VstIntPtr vendorVersion();
  virtual VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual VstIntPtr canDo(char* text);
  virtual VstIntPtr iconHandle();
  virtual bool setViewPosition(VstInt32 x, VstIntPtr y);
  virtual VstIntPtr tailSize();
  virtual VstIntPtr onIdle();
  virtual bool parameterProperties(VstInt32 index, void* properties);
  virtual bool keysRequired();
  virtual VstIntPtr vstVersion();
  virtual VstIntPtr midiProgramName(VstInt32 channel, void* name);
  virtual VstIntPtr currentMidiProgram(VstInt32 channel, void* name);
  virtual VstIntPtr midiProgramCategory(VstInt32 channel, void* category);
  virtual bool midiProgramsChanged(VstInt32 channel);
  virtual bool midiKeyName(VstInt32 channel, void* keyName);
  virtual bool beginProgramChange();
  virtual bool endProgramChange();

  virtual bool hostBeginEdit(VstInt32 index);
  virtual bool hostEndEdit(VstInt32 index);
  virtual bool hostOpenFileSelector(void* selector);
};
