#include "engine/FilterBank.h"

#include <emmintrin.h>

#include "engine/SwitchableFilter.h"

// 32-bit Windows hosts call in with the stack aligned to 4 bytes only, and the
// kernels keep vectors on the stack.
#if defined(__i386__)
#define LUMIVANE_ALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define LUMIVANE_ALIGN_STACK
#endif

namespace {
// One field of the states of a channel's filters, one filter per lane. The
// lanes beyond the active count start from zeros, run along harmlessly and
// are never written back.
template <typename State>
__m128 lanesOf(const State (&states)[FilterBank::kMaximumFilters], float State::*field) {
  return _mm_setr_ps(states[0].*field, states[1].*field, states[2].*field, states[3].*field);
}

template <typename State>
void storeLanes(__m128 values, State (&states)[FilterBank::kMaximumFilters], float State::*field) {
  alignas(16) float lanes[FilterBank::kMaximumFilters];
  _mm_store_ps(lanes, values);
  for (int k = 0; k < FilterBank::kMaximumFilters; ++k) states[k].*field = lanes[k];
}

// The products y * gain of the filters, added onto the output one by one in
// filter order, as the plain loop adds them.
template <int Count>
void addInFilterOrder(__m128 products, float& output, bool replacing) {
  alignas(16) float lanes[FilterBank::kMaximumFilters];
  _mm_store_ps(lanes, products);
  float sum = replacing ? 0.0f : output;
  for (int k = 0; k < Count; ++k) sum += lanes[k];
  output = sum;
}

// p * input + p * previous input - k * y, the products formed before the sums.
__m128 onePole(__m128 p, __m128 k, __m128 input, __m128 previousInput, __m128 y) {
  return _mm_sub_ps(_mm_add_ps(_mm_mul_ps(p, input), _mm_mul_ps(p, previousInput)), _mm_mul_ps(k, y));
}

// LadderFilter::softClip in every lane. The square is taken while the
// comparison runs and masked afterwards: zero where the plain clip squares
// zero, so the result is the same, one step sooner.
__m128 softClip(__m128 y) {
  const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), y);
  const __m128 cubing = _mm_cmpgt_ps(magnitude, _mm_set1_ps(1.0e-10f));
  const __m128 cubed = _mm_and_ps(cubing, y);
  const __m128 squared = _mm_and_ps(cubing, _mm_mul_ps(y, y));
  return _mm_sub_ps(y, _mm_mul_ps(_mm_set1_ps(0.1f), _mm_mul_ps(squared, cubed)));
}

// The frame loop the kernels share: `step(channel, x)` runs a channel's
// filters one sample on and answers their outputs in lanes; the channels take
// turns so that their recursions overlap, and the clock's sums move on beside.
template <int Channels, int Count, typename Run, typename Step>
void runFrames(const Run& run, Step step) {
  const __m128 gain = _mm_set1_ps(run.gain);
  StepClock::Stretch clock = *run.clock;
  for (int j = 0; j < run.frames; ++j) {
    for (int c = 0; c < Channels; ++c)
      addInFilterOrder<Count>(_mm_mul_ps(step(c, _mm_set1_ps(run.inputs[c][j])), gain), run.outputs[c][j],
                              run.replacing);
    clock.tick();
  }
  *run.clock = clock;
}
}  // namespace

template <int Channels, int Count, FilterMode Mode>
void FilterBank::runStateVariable(const Run& run) {
  using State = StateVariableFilter::State;
  State states[Channels][kMaximumFilters] = {};
  __m128 low[Channels], high[Channels], band[Channels], notch[Channels], frequency[Channels], damp[Channels];
  for (int c = 0; c < Channels; ++c) {
    alignas(16) float f[kMaximumFilters] = {}, d[kMaximumFilters] = {};
    for (int k = 0; k < Count; ++k) {
      const StateVariableFilter& unit = run.banks[c][k].stateVariable;
      states[c][k] = unit.state;
      f[k] = unit.frequency;
      d[k] = unit.damp;
    }
    low[c] = lanesOf(states[c], &State::low);
    high[c] = lanesOf(states[c], &State::high);
    band[c] = lanesOf(states[c], &State::band);
    notch[c] = lanesOf(states[c], &State::notch);
    frequency[c] = _mm_load_ps(f);
    damp[c] = _mm_load_ps(d);
  }
  runFrames<Channels, Count>(run, [&](int c, __m128 x) {
    // StateVariableFilter::pass, twice.
    for (int pass = 0; pass < 2; ++pass) {
      low[c] = _mm_add_ps(low[c], _mm_mul_ps(frequency[c], band[c]));
      notch[c] = _mm_sub_ps(x, _mm_mul_ps(damp[c], band[c]));
      high[c] = _mm_sub_ps(notch[c], low[c]);
      band[c] = _mm_add_ps(band[c], _mm_mul_ps(frequency[c], high[c]));
    }
    return stateVariableOutput(Mode, x, low[c], high[c], band[c], notch[c]);
  });
  for (int c = 0; c < Channels; ++c) {
    storeLanes(low[c], states[c], &State::low);
    storeLanes(high[c], states[c], &State::high);
    storeLanes(band[c], states[c], &State::band);
    storeLanes(notch[c], states[c], &State::notch);
    for (int k = 0; k < Count; ++k) {
      StateVariableFilter& unit = run.banks[c][k].stateVariable;
      unit.input = run.inputs[c][run.frames - 1];
      unit.state = states[c][k];
    }
  }
}

template <int Channels, int Count>
void FilterBank::runLadder(const Run& run) {
  using State = LadderFilter::State;
  State states[Channels][kMaximumFilters] = {};
  __m128 stage[Channels], previousX[Channels], y1[Channels], y2[Channels], y3[Channels], y4[Channels];
  __m128 previousY1[Channels], previousY2[Channels], previousY3[Channels], p[Channels], k[Channels], r[Channels];
  for (int c = 0; c < Channels; ++c) {
    alignas(16) float inputCoefficient[kMaximumFilters] = {}, pole[kMaximumFilters] = {},
                      feedback[kMaximumFilters] = {};
    for (int i = 0; i < Count; ++i) {
      const LadderFilter& unit = run.banks[c][i].ladder;
      states[c][i] = unit.state;
      inputCoefficient[i] = unit.inputCoefficient;
      pole[i] = unit.pole;
      feedback[i] = unit.feedback;
    }
    stage[c] = lanesOf(states[c], &State::stageInput);
    previousX[c] = lanesOf(states[c], &State::previousX);
    y1[c] = lanesOf(states[c], &State::y1);
    y2[c] = lanesOf(states[c], &State::y2);
    y3[c] = lanesOf(states[c], &State::y3);
    y4[c] = lanesOf(states[c], &State::y4);
    previousY1[c] = lanesOf(states[c], &State::previousY1);
    previousY2[c] = lanesOf(states[c], &State::previousY2);
    previousY3[c] = lanesOf(states[c], &State::previousY3);
    p[c] = _mm_load_ps(inputCoefficient);
    k[c] = _mm_load_ps(pole);
    r[c] = _mm_load_ps(feedback);
  }
  runFrames<Channels, Count>(run, [&](int c, __m128 x) {
    // LadderFilter::step.
    stage[c] = _mm_sub_ps(x, _mm_mul_ps(r[c], y4[c]));
    y1[c] = onePole(p[c], k[c], stage[c], previousX[c], y1[c]);
    previousX[c] = stage[c];
    y2[c] = onePole(p[c], k[c], y1[c], previousY1[c], y2[c]);
    previousY1[c] = y1[c];
    y3[c] = onePole(p[c], k[c], y2[c], previousY2[c], y3[c]);
    previousY2[c] = y2[c];
    y4[c] = onePole(p[c], k[c], y3[c], previousY3[c], y4[c]);
    previousY3[c] = y3[c];
    y4[c] = softClip(y4[c]);
    return y4[c];
  });
  for (int c = 0; c < Channels; ++c) {
    storeLanes(stage[c], states[c], &State::stageInput);
    storeLanes(previousX[c], states[c], &State::previousX);
    storeLanes(y1[c], states[c], &State::y1);
    storeLanes(y2[c], states[c], &State::y2);
    storeLanes(y3[c], states[c], &State::y3);
    storeLanes(y4[c], states[c], &State::y4);
    storeLanes(previousY1[c], states[c], &State::previousY1);
    storeLanes(previousY2[c], states[c], &State::previousY2);
    storeLanes(previousY3[c], states[c], &State::previousY3);
    for (int i = 0; i < Count; ++i) run.banks[c][i].ladder.state = states[c][i];
  }
}

// One kernel per mode, so that the mode's choice of output is made while compiling.
template <int Channels, int Count>
void FilterBank::runMode(FilterMode mode, const Run& run) {
  if (usesLadder(mode)) return runLadder<Channels, Count>(run);
  switch (mode) {
    case FilterMode::kBypass: return runStateVariable<Channels, Count, FilterMode::kBypass>(run);
    case FilterMode::kHighPass12: return runStateVariable<Channels, Count, FilterMode::kHighPass12>(run);
    case FilterMode::kBandPass12: return runStateVariable<Channels, Count, FilterMode::kBandPass12>(run);
    case FilterMode::kNotch12: return runStateVariable<Channels, Count, FilterMode::kNotch12>(run);
    default: return runStateVariable<Channels, Count, FilterMode::kLowPass12>(run);
  }
}

template <int Channels>
void FilterBank::runCount(FilterMode mode, int count, const Run& run) {
  switch (count) {
    case 1: return runMode<Channels, 1>(mode, run);
    case 2: return runMode<Channels, 2>(mode, run);
    case 3: return runMode<Channels, 3>(mode, run);
    default: return runMode<Channels, 4>(mode, run);
  }
}

void FilterBank::runPlain(int channels, int count, const Run& run) {
  for (int c = 0; c < channels; ++c)
    for (int j = 0; j < run.frames; ++j) {
      float sum = run.replacing ? 0.0f : run.outputs[c][j];
      for (int k = 0; k < count; ++k) sum += run.banks[c][k].processSample(run.inputs[c][j]) * run.gain;
      run.outputs[c][j] = sum;
    }
  for (int j = 0; j < run.frames; ++j) run.clock->tick();
}

LUMIVANE_ALIGN_STACK void FilterBank::processRun(SwitchableFilter* const* banks, int channels, int count,
                                                 const float* const* inputs, float* const* outputs, int frames,
                                                 float gain, bool replacing, StepClock::Stretch& clock,
                                                 FilterKernel kernel) {
  if (frames <= 0) return;
  const Run run{banks, inputs, outputs, frames, gain, replacing, &clock};
  if (kernel == FilterKernel::Plain || channels <= 0 || count <= 0) return runPlain(channels, count, run);
  // Filters that still carry different modes (a filter switched on again keeps
  // its old mode until the next control update) take the plain loop.
  const FilterMode mode = banks[0][0].mode;
  for (int c = 0; c < channels; ++c)
    for (int k = 0; k < count; ++k)
      if (banks[c][k].mode != mode) return runPlain(channels, count, run);
  if (channels == 1)
    runCount<1>(mode, count, run);
  else
    runCount<2>(mode, count, run);
}
