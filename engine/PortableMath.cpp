#include "engine/PortableMath.h"

#include <cmath>
#include <limits>

namespace {
// ln 2 and pi / 2 split in a part with trailing zero bits (exact products with
// small integers) and the rest.
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kInverseLn2 = 1.44269504088896338700e+00;
constexpr double kHalfPi1 = 1.57079632673412561417e+00;
constexpr double kHalfPi2 = 6.07710050650619224932e-11;
constexpr double kInverseHalfPi = 6.36619772367581382433e-01;

// Taylor series of sin and cos on |r| <= pi / 4, Horner form.
double sinKernel(double r) {
  const double r2 = r * r;
  double sum = 1.0 / 355687428096000.0;  // 1 / 17!
  sum = -1.0 / 1307674368000.0 + r2 * sum;
  sum = 1.0 / 6227020800.0 + r2 * sum;
  sum = -1.0 / 39916800.0 + r2 * sum;
  sum = 1.0 / 362880.0 + r2 * sum;
  sum = -1.0 / 5040.0 + r2 * sum;
  sum = 1.0 / 120.0 + r2 * sum;
  sum = -1.0 / 6.0 + r2 * sum;
  return r + r * (r2 * sum);
}

double cosKernel(double r) {
  const double r2 = r * r;
  double sum = 1.0 / 6402373705728000.0;  // 1 / 18!
  sum = -1.0 / 20922789888000.0 + r2 * sum;
  sum = 1.0 / 87178291200.0 + r2 * sum;
  sum = -1.0 / 479001600.0 + r2 * sum;
  sum = 1.0 / 3628800.0 + r2 * sum;
  sum = -1.0 / 40320.0 + r2 * sum;
  sum = 1.0 / 720.0 + r2 * sum;
  sum = -1.0 / 24.0 + r2 * sum;
  sum = 0.5 + r2 * sum;
  return 1.0 - r2 * sum;
}
}  // namespace

double roundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  const double below = std::floor(x);
  const double fraction = x - below;
  if (fraction > 0.5) return below + 1.0;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int32_t wholeNumberWithin(double value, std::int32_t low, std::int32_t high) {
  if (std::isnan(value)) value = 0.0;
  if (value <= low) return low;
  if (value >= high) return high;
  return static_cast<std::int32_t>(value);
}

std::int32_t saturatedWholeNumber(double value) {
  return wholeNumberWithin(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

double portableExp(double x) {
  double result = 0.0;
  portableExpOfEach(&x, &result, 1);
  return result;
}

void portableExpOfEach(const double* x, double* result, int count) {
  double k[kExpBatch] = {}, r[kExpBatch] = {}, sum[kExpBatch];
  bool outOfRange[kExpBatch] = {};
  for (int i = 0; i < count; ++i) {
    outOfRange[i] = true;
    if (std::isnan(x[i]))
      result[i] = x[i];
    else if (x[i] > 709.782712893384)
      result[i] = std::numeric_limits<double>::infinity();
    else if (x[i] < -745.1332191019412)
      result[i] = 0.0;
    else
      outOfRange[i] = false;
    if (outOfRange[i]) continue;
    k[i] = roundHalfEven(x[i] * kInverseLn2);
    r[i] = (x[i] - k[i] * kLn2High) - k[i] * kLn2Low;  // |r| <= 0.35
  }
  // e^r = 1 + r (1 + r/2 (1 + r/3 (...))), to the 13th power of r.
  // All lanes, the unused ones on r = 0, so that the compiler can pair them.
  for (double& s : sum) s = 1.0;
  for (int n = 13; n >= 1; --n)
    for (int i = 0; i < kExpBatch; ++i) sum[i] = 1.0 + r[i] * sum[i] / n;
  for (int i = 0; i < count; ++i)
    if (!outOfRange[i]) result[i] = std::ldexp(sum[i], static_cast<int>(k[i]));
}

double portableLog(double x) {
  if (std::isnan(x) || x < 0.0) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0.0) return -std::numeric_limits<double>::infinity();
  if (std::isinf(x)) return x;
  int exponent = 0;
  double mantissa = std::frexp(x, &exponent);  // 0.5 <= mantissa < 1
  if (mantissa < 0.70710678118654752440) {
    mantissa *= 2.0;
    exponent -= 1;
  }
  // ln m = 2 atanh(s) with s = (m - 1) / (m + 1), |s| <= 0.172.
  const double s = (mantissa - 1.0) / (mantissa + 1.0);
  const double s2 = s * s;
  double sum = 1.0 / 23.0;
  for (int n = 21; n >= 3; n -= 2) sum = 1.0 / n + s2 * sum;
  const double lnMantissa = 2.0 * s + 2.0 * s * (s2 * sum);
  const double e = exponent;
  return e * kLn2High + (lnMantissa + e * kLn2Low);
}

double portableSin(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  const double quadrant = roundHalfEven(x * kInverseHalfPi);
  const double r = (x - quadrant * kHalfPi1) - quadrant * kHalfPi2;
  switch (static_cast<long long>(std::fmod(quadrant, 4.0) + 4.0) % 4) {
    case 0: return sinKernel(r);
    case 1: return cosKernel(r);
    case 2: return -sinKernel(r);
    default: return -cosKernel(r);
  }
}
