#pragma once
// A small VST 2 host for tests and tools: it opens one plug-in instance through
// the library's entry and drives its record the way a host does, answering the
// plug-in's requests and recording the ones a test wants to see.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "host/VstAbi.h"
#include "tools/standin/Transport.h"

// One request the plug-in made of the host: automation, begin or end of an
// edit, idle, or a new size of the editor's window (index the width, value the height).
struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  float opt;
  VstIntPtr value = 0;
  bool operator==(const HostCall& other) const {
    return opcode == other.opcode && index == other.index && opt == other.opt;
  }
};

class StandInHost {
public:
  explicit StandInHost(PluginEntryProc pluginEntry);
  ~StandInHost();  // closes the instance if it is still open

  StandInHost(const StandInHost&) = delete;
  StandInHost& operator=(const StandInHost&) = delete;

  // Calls the library's entry; answers the record, or null when it refused.
  AEffect* open();
  // effClose; the record is gone afterwards. Answers what the dispatcher returned.
  VstIntPtr close();
  // Forgets a record that is not fit to be driven, without calling into it.
  void abandon();
  AEffect* effect() const { return record; }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  void setParameter(VstInt32 index, float value);
  float getParameter(VstInt32 index);
  // The two process entries; the transport moves on by the block afterwards.
  void process(float** inputs, float** outputs, VstInt32 frames);
  void processReplacing(float** inputs, float** outputs, VstInt32 frames);

  // Text answers of the opcodes that fill a buffer, read up to the terminator.
  std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
  // Announces the sample rate to the plug-in and to the transport.
  void setSampleRate(float rate);

  // What the host answers.
  std::atomic<VstIntPtr> versionAnswer{2400};
  Transport transport;
  void setPinConnected(bool output, VstInt32 pin, bool connected);
  // Runs the reaction inside the host's answer the next time the plug-in makes
  // the request, after recording it: a host that closes or reopens the editor,
  // or closes the plug-in, from its callback.
  void reactOnce(VstInt32 opcode, std::function<void()> reaction);

  // What the plug-in asked.
  std::vector<HostCall> calls() const;
  void clearCalls();
  int timeRequests() const { return timeRequestCount.load(); }
  int pinRequests() const { return pinRequestCount.load(); }
  // Sizes the host's editor window for audioMasterSizeWindow; without it the request is refused.
  std::function<bool(int width, int height)> resizeEditorWindow;

  // True while the calling thread is inside the host's answer to a plug-in
  // request, so that probes of the plug-in's own conduct can leave the host's
  // bookkeeping out.
  static bool answeringOnThisThread();

private:
  static VstIntPtr VST_CALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                         float opt);
  VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  void reactTo(VstInt32 opcode);

  PluginEntryProc entry;
  AEffect* record = nullptr;
  VstTimeInfo servedTime{};
  std::atomic<bool> pinConnected[2][2] = {{true, true}, {true, true}};
  mutable std::mutex callsMutex;
  std::vector<HostCall> recordedCalls;
  VstInt32 reactionOpcode = 0;
  std::function<void()> pendingReaction;
  std::atomic<int> timeRequestCount{0};
  std::atomic<int> pinRequestCount{0};
};
