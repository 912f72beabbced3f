#pragma once
// Exponential, logarithm and sine computed the same way on every build.
// The C libraries of the three targets (glibc on 64 and 32 bits, the Windows
// runtime) may differ in the last bit of exp, log and sin, and one such bit in
// a cut-off coefficient makes the rendered audio differ between the plug-ins.
// These use only IEEE double arithmetic (exactly rounded everywhere with SSE2
// and no contraction) and are accurate to one or two units in the last place.

#include <cstdint>

double portableExp(double x);
// e^x of each of `count` values (at most kExpBatch), each exactly as
// portableExp gives it, with their chains of divisions side by side so that
// they overlap.
constexpr int kExpBatch = 4;
void portableExpOfEach(const double* x, double* result, int count);
// Natural logarithm; 0 gives -infinity, negative values and NaN give NaN.
double portableLog(double x);
// Sine, for arguments of moderate size (|x| below about 1e6).
double portableSin(double x);
// Nearest whole number with ties to even, whatever the runtime's rounding mode.
double roundHalfEven(double x);
// `value` truncated toward zero and held to low..high (infinities too), NaN
// taken as zero: never the conversion of an out-of-range double, which C++
// leaves undefined and the targets answer differently.
std::int32_t wholeNumberWithin(double value, std::int32_t low, std::int32_t high);
// The same over the whole 32-bit range.
std::int32_t saturatedWholeNumber(double value);
