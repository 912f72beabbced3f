#pragma once
#include <cmath>
#include <cstdint>

// Truncates toward zero like a cast, but never overflows: values beyond the
// int32 range saturate and NaN becomes 0.
inline std::int32_t saturatingTruncate(double value) {
  if (std::isnan(value)) return 0;
  if (value <= -2147483648.0) return INT32_MIN;
  if (value >= 2147483647.0) return INT32_MAX;
  return static_cast<std::int32_t>(value);
}
