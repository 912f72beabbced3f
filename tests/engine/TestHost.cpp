#include "tests/engine/TestHost.h"

#include <algorithm>

#include "engine/FilterSweepEffect.h"

#include <map>

namespace {
// The host made last answers effects that no host serves by name.
TestHost* latestHost = nullptr;
std::map<AEffect*, TestHost*> hostsByRecord;
}  // namespace

TestHost::TestHost() { latestHost = this; }

TestHost::~TestHost() {
  if (latestHost == this) latestHost = nullptr;
  for (auto entry = hostsByRecord.begin(); entry != hostsByRecord.end();)
    entry = entry->second == this ? hostsByRecord.erase(entry) : std::next(entry);
}

void TestHost::serve(FilterSweepEffect& effect) { hostsByRecord[effect.record()] = this; }

VstIntPtr VST_CALLBACK TestHost::answer(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*,
                                        float) {
  const auto served = hostsByRecord.find(record);
  TestHost* host = served != hostsByRecord.end() ? served->second : latestHost;
  if (host == nullptr) return 0;
  switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterPinConnected:
      ++host->pinRequests;
      return index >= 0 && index < 2 && host->pinConnected[value != 0 ? 1 : 0][index] ? 0 : 1;
    case audioMasterGetTime:
      ++host->timeRequests;
      if (!host->timeAvailable) return 0;
      host->servedTime = VstTimeInfo{};
      host->servedTime.samplePos = static_cast<double>(host->samplePosition);
      host->servedTime.sampleRate = host->sampleRate;
      host->servedTime.tempo = host->tempo;
      host->servedTime.ppqPos = host->samplePosition * host->tempo / 60.0 / host->sampleRate;
      host->servedTime.flags = kVstPpqPosValid | kVstTempoValid | (host->playing ? kVstTransportPlaying : 0);
      return reinterpret_cast<VstIntPtr>(&host->servedTime);
    default: return 0;
  }
}

std::vector<float> TestHost::render(FilterSweepEffect& effect, const std::vector<float>& left,
                                    const std::vector<float>& right, int blockSize, bool replacing) {
  const long frames = static_cast<long>(left.size());
  std::vector<float> in[2] = {left, right};
  std::vector<float> out[2] = {std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
  for (long start = 0; start < frames; start += blockSize) {
    const int count = static_cast<int>(std::min<long>(blockSize, frames - start));
    float* inputs[2] = {in[0].data() + start, in[1].data() + start};
    float* outputs[2] = {out[0].data() + start, out[1].data() + start};
    if (replacing)
      effect.processBlockReplacing(inputs, outputs, count);
    else
      effect.processBlockAdding(inputs, outputs, count);
    if (playing) samplePosition += count;
  }
  std::vector<float> both(out[0]);
  both.insert(both.end(), out[1].begin(), out[1].end());
  return both;
}
