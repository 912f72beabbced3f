#pragma once
// Whether every value is finite, without a branch per value: a product by zero
// is zero for a finite value and NaN for an infinity or a NaN.

template <typename... Values>
bool allFinite(Values... values) {
  return ((values * 0.0f) + ...) == 0.0f;
}
