#pragma once
// The LV2 plug-in's identity and ports, shared by its description, its DSP
// library and its UI library. Released URIs and port numbers never change.

#include <cstdint>

#include "engine/ParameterIndex.h"

namespace lv2plugin {
constexpr const char* kPluginUri = "urn:quelldar:lumivane";
constexpr const char* kUiUri = "urn:quelldar:lumivane:ui";

// Ports 0 to 10 are the parameters in the host's parameter order; the audio
// and the transport input follow.
constexpr std::uint32_t kFirstAudioInput = kParameterCount;
constexpr std::uint32_t kFirstAudioOutput = kFirstAudioInput + 2;
constexpr std::uint32_t kTransportInput = kFirstAudioOutput + 2;
constexpr std::uint32_t kPortCount = kTransportInput + 1;

// The parameters' port symbols, in port order; saved sessions and presets name
// the ports by them.
constexpr const char* kParameterSymbols[kParameterCount] = {
    "filter", "min_freq", "max_freq", "resonance", "active", "tempo", "repeat", "sync", "time", "steps", "sweep"};
constexpr const char* kAudioSymbols[4] = {"in_l", "in_r", "out_l", "out_r"};
constexpr const char* kTransportSymbol = "transport";

constexpr bool isParameterPort(std::uint32_t port) { return port < static_cast<std::uint32_t>(kParameterCount); }
}  // namespace lv2plugin
