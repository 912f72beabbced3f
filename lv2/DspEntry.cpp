// The DSP library's one export: the plug-in's descriptor. No exception leaves
// an entry; the instance's own calls throw nothing.

#include "lv2/DspInstance.h"
#include "lv2/Lv2Abi.h"
#include "lv2/Lv2Ports.h"

namespace {
DspInstance* instanceOf(LV2_Handle handle) { return static_cast<DspInstance*>(handle); }

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const* features) {
  return DspInstance::create(sampleRate, features);
}

void connectPort(LV2_Handle handle, std::uint32_t port, void* data) { instanceOf(handle)->connectPort(port, data); }
void activate(LV2_Handle handle) { instanceOf(handle)->activate(); }
void run(LV2_Handle handle, std::uint32_t frames) { instanceOf(handle)->run(frames); }
void deactivate(LV2_Handle handle) { instanceOf(handle)->deactivate(); }
void cleanup(LV2_Handle handle) { delete instanceOf(handle); }
const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor = {lv2plugin::kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup,
                                    extensionData};
}  // namespace

extern "C" __attribute__((visibility("default"))) const LV2_Descriptor* lv2_descriptor(std::uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
