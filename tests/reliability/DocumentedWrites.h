#pragma once
// Which bytes of the host's buffer each opcode may write; everything else
// must come back exactly as the host passed it.

#include <cstddef>
#include <utility>
#include <vector>

#include "host/VstAbi.h"

// Byte ranges [from, to) of the buffer at ptr.
using ByteRanges = std::vector<std::pair<std::size_t, std::size_t>>;

inline ByteRanges documentedWrites(VstInt32 opcode, bool hasEditor) {
  switch (opcode) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString: return {{0, 24}};
    case effGetInputProperties:
    case effGetOutputProperties:
      return {{offsetof(VstPinProperties, label), 24},
              {offsetof(VstPinProperties, flags), offsetof(VstPinProperties, flags) + 4},
              {offsetof(VstPinProperties, shortLabel), offsetof(VstPinProperties, shortLabel) + 8}};
    case effEditGetRect:
      if (hasEditor) return {{0, sizeof(ERect*)}};
      return {};
    default: return {};
  }
}

inline bool mayWrite(const ByteRanges& ranges, std::size_t offset) {
  for (const auto& range : ranges)
    if (offset >= range.first && offset < range.second) return true;
  return false;
}

// Opcodes that read a text the host passes.
inline bool readsText(VstInt32 opcode) {
  return opcode == effSetProgramName || opcode == effString2Parameter || opcode == effCanDo;
}
