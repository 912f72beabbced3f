#include "tools/standin/StandInHost.h"

#include <map>
#include <utility>

#include "tools/standin/HostCall.h"

namespace {
// The callback carries only the record, so the host finds itself by it. While
// the entry runs there is no record yet: the opening host answers.
std::mutex registryMutex;
std::map<AEffect*, StandInHost*> hostsByRecord;
thread_local StandInHost* openingHost = nullptr;
thread_local int answerDepth = 0;

StandInHost* hostOf(AEffect* effect) {
  if (effect == nullptr) return openingHost;
  std::lock_guard<std::mutex> lock(registryMutex);
  auto found = hostsByRecord.find(effect);
  return found == hostsByRecord.end() ? openingHost : found->second;
}
}  // namespace

StandInHost::StandInHost(PluginEntryProc pluginEntry) : entry(pluginEntry) {}

StandInHost::~StandInHost() {
  if (record != nullptr) close();
}

AEffect* StandInHost::open() {
  openingHost = this;
  AEffect* opened = callAsHost(entry, &StandInHost::callback);
  openingHost = nullptr;
  if (opened != nullptr) {
    std::lock_guard<std::mutex> lock(registryMutex);
    hostsByRecord[opened] = this;
  }
  record = opened;
  return opened;
}

VstIntPtr StandInHost::close() {
  AEffect* closing = record;
  const VstIntPtr answer = dispatch(effClose);
  std::lock_guard<std::mutex> lock(registryMutex);
  hostsByRecord.erase(closing);
  record = nullptr;
  return answer;
}

void StandInHost::abandon() {
  std::lock_guard<std::mutex> lock(registryMutex);
  hostsByRecord.erase(record);
  record = nullptr;
}

VstIntPtr StandInHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return callAsHost(record->dispatcher, record, opcode, index, value, ptr, opt);
}

void StandInHost::setParameter(VstInt32 index, float value) { callAsHost(record->setParameter, record, index, value); }
float StandInHost::getParameter(VstInt32 index) { return callAsHost(record->getParameter, record, index); }

void StandInHost::process(float** inputs, float** outputs, VstInt32 frames) {
  servedTime = transport.timeInfo();
  callAsHost(record->process, record, inputs, outputs, frames);
  transport.advance(frames);
}

void StandInHost::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
  servedTime = transport.timeInfo();
  callAsHost(record->processReplacing, record, inputs, outputs, frames);
  transport.advance(frames);
}

std::string StandInHost::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
  char buffer[256] = {};
  dispatch(opcode, index, value, buffer);
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

void StandInHost::setSampleRate(float rate) {
  transport.sampleRate = rate;
  dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}

void StandInHost::reactOnce(VstInt32 opcode, std::function<void()> reaction) {
  std::lock_guard<std::mutex> lock(callsMutex);
  reactionOpcode = opcode;
  pendingReaction = std::move(reaction);
}

void StandInHost::setPinConnected(bool output, VstInt32 pin, bool connected) {
  pinConnected[output ? 1 : 0][pin].store(connected);
}

std::vector<HostCall> StandInHost::calls() const {
  std::lock_guard<std::mutex> lock(callsMutex);
  return recordedCalls;
}

void StandInHost::clearCalls() {
  std::lock_guard<std::mutex> lock(callsMutex);
  recordedCalls.clear();
}

VstIntPtr VST_CALLBACK StandInHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                             void* ptr, float opt) {
  ++answerDepth;
  StandInHost* host = hostOf(effect);
  const VstIntPtr result = host == nullptr ? 0 : host->answer(opcode, index, value, ptr, opt);
  if (host != nullptr) host->reactTo(opcode);
  --answerDepth;
  return result;
}

void StandInHost::reactTo(VstInt32 opcode) {
  std::function<void()> reaction;
  {
    std::lock_guard<std::mutex> lock(callsMutex);
    if (!pendingReaction || opcode != reactionOpcode) return;
    reaction.swap(pendingReaction);
  }
  reaction();
}

bool StandInHost::answeringOnThisThread() { return answerDepth > 0; }

VstIntPtr StandInHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt) {
  switch (opcode) {
    case audioMasterVersion: return versionAnswer.load();
    case audioMasterAutomate:
    case audioMasterIdle:
    case audioMasterBeginEdit:
    case audioMasterEndEdit: {
      std::lock_guard<std::mutex> lock(callsMutex);
      recordedCalls.push_back(HostCall{opcode, index, opt});
      return opcode == audioMasterIdle ? 0 : 1;
    }
    case audioMasterPinConnected:
      ++pinRequestCount;
      // The host answers 0 for a connected pin.
      if (index < 0 || index > 1) return 1;
      return pinConnected[value != 0 ? 1 : 0][index].load() ? 0 : 1;
    case audioMasterGetTime:
      ++timeRequestCount;
      return transport.available ? reinterpret_cast<VstIntPtr>(&servedTime) : 0;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(transport.sampleRate);
    case audioMasterSizeWindow: {
      {
        std::lock_guard<std::mutex> lock(callsMutex);
        recordedCalls.push_back(HostCall{opcode, index, opt, value});
      }
      return resizeEditorWindow && resizeEditorWindow(index, static_cast<int>(value)) ? 1 : 0;
    }
    default: return 0;
  }
}
