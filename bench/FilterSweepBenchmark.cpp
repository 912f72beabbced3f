// Cost of processing per stereo frame for every filter mode with one and four
// active filters, on noise and on silence, reported as a real-time factor at
// 44.1 kHz (the "realtime" counter: seconds of audio per second of work), with
// the vector filter kernels (kernel:1) and with the plain reference loop
// (kernel:0) in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/FilterSweepEffect.h"

namespace {
constexpr int kBlock = 512;
constexpr double kSampleRate = 44100.0;

VstIntPtr VST_CALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  static VstTimeInfo time = [] {
    VstTimeInfo info{};
    info.tempo = 120.0;
    info.sampleRate = kSampleRate;
    info.flags = kVstPpqPosValid | kVstTempoValid | kVstTransportPlaying;
    return info;
  }();
  if (opcode == audioMasterGetTime) {
    time.ppqPos += kBlock * 2.0 / kSampleRate / 4.0;  // roughly moving on
    return reinterpret_cast<VstIntPtr>(&time);
  }
  return 0;  // pins connected
}

void processFrames(benchmark::State& state, bool silent) {
  const VstInt32 mode = static_cast<VstInt32>(state.range(0));
  const VstInt32 activeFilters = static_cast<VstInt32>(state.range(1));
  FilterSweepEffect effect(quietHost, 1u);
  effect.useFilterKernel(state.range(2) != 0 ? FilterKernel::Vector : FilterKernel::Plain);
  effect.setParameterValue(kFilterMode, static_cast<float>(mode) / 5.0f);
  effect.setParameterValue(kActiveFilters, activeFilters == 1 ? 0.0f : 1.0f);
  effect.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
  std::vector<float> in[2] = {std::vector<float>(kBlock), std::vector<float>(kBlock)};
  std::uint32_t noise = 1u;
  for (auto& channel : in)
    for (float& sample : channel) {
      noise = noise * 1664525u + 1013904223u;
      sample = silent ? 0.0f : static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
    }
  std::vector<float> out[2] = {std::vector<float>(kBlock), std::vector<float>(kBlock)};
  float* inputs[2] = {in[0].data(), in[1].data()};
  float* outputs[2] = {out[0].data(), out[1].data()};
  // Let silence decay fully first, where denormals would appear.
  for (int i = 0; i < 400; ++i) effect.processBlockReplacing(inputs, outputs, kBlock);
  for (auto _ : state) {
    effect.processBlockReplacing(inputs, outputs, kBlock);
    benchmark::DoNotOptimize(out[0].data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kBlock / kSampleRate, benchmark::Counter::kIsRate);
}

void noiseInput(benchmark::State& state) { processFrames(state, false); }
void silentInput(benchmark::State& state) { processFrames(state, true); }

void allModes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"mode", "filters", "kernel"});
  for (int mode = 0; mode < 6; ++mode)
    for (int filters : {1, 4})
      for (int kernel : {0, 1}) benchmark->Args({mode, filters, kernel});
}
}  // namespace

BENCHMARK(noiseInput)->Apply(allModes);
BENCHMARK(silentInput)->Apply(allModes);
