// What input that decays into denormal numbers costs against ordinary input,
// through the built plug-in as a host runs it: a long run of blocks with four
// active filters, state-variable and ladder.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {
constexpr int kRunFrames = 1 << 16;
constexpr int kBlock = 512;
constexpr double kRate = 44100.0;

enum class InputKind { Ordinary, DecayingToDenormal };

// Noise whose envelope falls from 1 to 1e-38 (the smallest normal float) over
// the first half of the run and stays among the denormals for the second.
std::vector<float> makeRun(InputKind kind, unsigned seed) {
  std::minstd_rand random(seed);
  std::uniform_real_distribution<float> level(-1.0f, 1.0f);
  std::vector<float> run(kRunFrames);
  const double decay = std::log(1e38) / (kRunFrames / 2);
  for (int n = 0; n < kRunFrames; ++n) {
    const double envelope = kind == InputKind::Ordinary ? 0.5 : std::max(std::exp(-decay * n), 1e-42);
    run[n] = static_cast<float>(level(random) * envelope);
  }
  return run;
}

void processRun(benchmark::State& state, InputKind kind) {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  StandInHost host(module.entry());
  host.open();
  host.setSampleRate(static_cast<float>(kRate));
  host.dispatch(effMainsChanged, 0, 1);
  const int mode = static_cast<int>(state.range(0));
  host.setParameter(0, (mode + 0.5f) / 6.0f);  // filter mode
  host.setParameter(3, 0.9f);                  // resonance: long ringing tails
  host.setParameter(4, 1.0f);                  // four active filters

  std::vector<float> left = makeRun(kind, 1), right = makeRun(kind, 2);
  std::vector<float> outLeft(kBlock), outRight(kBlock);
  for (auto _ : state) {
    for (int start = 0; start < kRunFrames; start += kBlock) {
      float* inputs[2] = {left.data() + start, right.data() + start};
      float* outputs[2] = {outLeft.data(), outRight.data()};
      std::fill(outLeft.begin(), outLeft.end(), 0.0f);
      std::fill(outRight.begin(), outRight.end(), 0.0f);
      host.process(inputs, outputs, kBlock);
      benchmark::DoNotOptimize(outLeft.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * kRunFrames);
  state.counters["realTimeFactor"] =
      benchmark::Counter(static_cast<double>(kRunFrames) / kRate, benchmark::Counter::kIsIterationInvariantRate);
  host.close();
}

void OrdinaryInput(benchmark::State& state) { processRun(state, InputKind::Ordinary); }
void InputDecayingToDenormals(benchmark::State& state) { processRun(state, InputKind::DecayingToDenormal); }
}  // namespace

// Argument: the filter mode (1 state-variable low-pass, 5 ladder).
BENCHMARK(OrdinaryInput)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(InputDecayingToDenormals)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
