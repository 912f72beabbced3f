#pragma once
// A fixed rendering scenario whose output does not depend on the random step
// pattern or the anti-denormal values: equal minimum and maximum frequency (the
// cut-offs converge on one value whatever the pattern), inputs that never come
// near zero (the 1e-15 noise vanishes in them), and a warm-up that is not
// digested. Every build renders it and must produce the same 64-bit digest:
// a cross-build identity check of the arithmetic (coefficients, filters,
// conversions). If a deliberate change of the sound alters the digest,
// regenerate kIdentityDigest by running the test and copying the digest it
// prints, on any one build; all others must then agree with it.

#include <cstdint>
#include <cstring>
#include <vector>

#include "host/VstAbi.h"

constexpr std::uint64_t kIdentityDigest = 0x7306D5A175A57DF0ull;

struct IdentityInput {
  std::vector<float> left;
  std::vector<float> right;
};

// Noise from an integer generator plus a sawtooth, both offset from zero.
inline IdentityInput identityInput(int frames) {
  IdentityInput input{std::vector<float>(frames), std::vector<float>(frames)};
  std::uint32_t state = 12345u;
  for (int n = 0; n < frames; ++n) {
    state = state * 1664525u + 1013904223u;
    const float noise = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
    const float saw = static_cast<float>(n % 200) / 200.0f - 0.5f;
    input.left[n] = 0.3f + 0.2f * noise;
    input.right[n] = -0.4f + 0.2f * saw + 0.05f * noise;
  }
  return input;
}

inline std::uint64_t digestSamples(std::uint64_t digest, const float* samples, int count) {
  for (int n = 0; n < count; ++n) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &samples[n], sizeof bits);
    for (int byte = 0; byte < 4; ++byte) {
      digest ^= (bits >> (8 * byte)) & 0xFFu;
      digest *= 0x100000001B3ull;
    }
  }
  return digest;
}

// 1000 Hz on the 20..10000 Hz scale, written as a literal so that no library
// logarithm enters the scenario.
constexpr float kNormalized1000Hz = 0.629488289f;

struct IdentityStep {
  VstInt32 mode;  // -1: the warm-up, not digested
  int frames;
};

constexpr int kIdentityBlock = 512;
constexpr int kIdentityWarmUp = 3 * 44100;
constexpr int kIdentitySegment = 22050;

// Runs the scenario through any driver with setParameter(index, value),
// resume() and process(inputs, outputs, frames) (adding into zeroed buffers).
template <typename Driver>
std::uint64_t renderIdentityScenario(Driver& driver) {
  driver.setParameter(1, kNormalized1000Hz);
  driver.setParameter(2, kNormalized1000Hz);
  driver.setParameter(3, 0.7f);
  driver.setParameter(4, 1.0f);
  driver.setParameter(10, 1.0f);
  driver.resume();
  const int modes[] = {-1, 1, 2, 3, 4, 0, 5};
  std::uint64_t digest = 0xCBF29CE484222325ull;
  for (int mode : modes) {
    const int frames = mode < 0 ? kIdentityWarmUp : kIdentitySegment;
    driver.setParameter(0, (mode < 0 ? 1 : mode) / 5.0f);
    IdentityInput input = identityInput(frames);
    std::vector<float> out[2] = {std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
    for (int start = 0; start < frames; start += kIdentityBlock) {
      const int count = frames - start < kIdentityBlock ? frames - start : kIdentityBlock;
      float* inputs[2] = {input.left.data() + start, input.right.data() + start};
      float* outputs[2] = {out[0].data() + start, out[1].data() + start};
      driver.process(inputs, outputs, count);
    }
    if (mode < 0) continue;
    digest = digestSamples(digest, out[0].data(), frames);
    digest = digestSamples(digest, out[1].data(), frames);
  }
  return digest;
}
