#pragma once
// The stand-in host's calls into a plug-in. 32-bit Windows hosts keep their
// stack aligned to 4 bytes only, while GCC's i686 code assumes 16 at every
// call; there the calls go through MisalignedCallWin32.cpp, which leaves the
// stack at 4 mod 16, so that a plug-in that does not realign where it keeps
// SSE values on the stack faults in the tests as it would in such a host.

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "host/VstAbi.h"

#if defined(_WIN32) && defined(__i386__)
#define LUMIVANE_MISALIGNED_HOST_CALLS 1
// Calls `function` (C calling convention, `count` 32-bit arguments) with the
// arguments at an address of 4 mod 16, and answers what it left in EAX; the
// second name is the same code, for functions that answer a float (in ST0).
extern "C" std::uint32_t lumivaneMisalignedCall(const void* function, const std::uint32_t* arguments, int count);
extern "C" float lumivaneMisalignedFloatCall(const void* function, const std::uint32_t* arguments, int count);

template <typename T>
std::uint32_t asArgumentWord(T value) {
  static_assert(sizeof(T) == 4, "every argument of the interface is 32 bits wide here");
  std::uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  return word;
}
#endif

template <typename Result, typename... Parameters, typename... Arguments>
Result callAsHost(Result(VST_CALLBACK* function)(Parameters...), Arguments... arguments) {
#if defined(LUMIVANE_MISALIGNED_HOST_CALLS)
  const std::uint32_t words[] = {asArgumentWord(static_cast<Parameters>(arguments))...};
  const void* code = reinterpret_cast<const void*>(function);
  if constexpr (std::is_same_v<Result, float>) {
    return lumivaneMisalignedFloatCall(code, words, sizeof...(Parameters));
  } else if constexpr (std::is_void_v<Result>) {
    lumivaneMisalignedCall(code, words, sizeof...(Parameters));
  } else {
    static_assert(sizeof(Result) == 4, "every answer in EAX is 32 bits wide here");
    const std::uint32_t word = lumivaneMisalignedCall(code, words, sizeof...(Parameters));
    Result result;
    std::memcpy(&result, &word, sizeof result);
    return result;
  }
#else
  return function(static_cast<Parameters>(arguments)...);
#endif
}
