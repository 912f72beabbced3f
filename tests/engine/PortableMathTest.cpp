#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/PortableMath.h"

namespace {
// Distance in units of the last place between two doubles of the same sign.
double ulpDistance(double a, double b) { return std::fabs(a - b) / std::fabs(std::nextafter(b, 2.0 * b + 1.0) - b); }
}  // namespace

TEST(PortableMath, ExpAgreesWithTheLibraryToAnUnitInTheLastPlace) {
  for (double x = -700.0; x < 700.0; x += 0.37117) EXPECT_LE(ulpDistance(portableExp(x), std::exp(x)), 1.0) << x;
  for (double x = -2.0; x < 2.0; x += 0.0013) EXPECT_LE(ulpDistance(portableExp(x), std::exp(x)), 1.0) << x;
  EXPECT_EQ(portableExp(0.0), 1.0);
  EXPECT_EQ(portableExp(1000.0), std::numeric_limits<double>::infinity());
  EXPECT_EQ(portableExp(-1000.0), 0.0);
  EXPECT_EQ(portableExp(-std::numeric_limits<double>::infinity()), 0.0);
}

TEST(PortableMath, LogAgreesWithTheLibraryToTwoUnitsInTheLastPlace) {
  for (double x = 1.0e-300; x < 1.0e300; x *= 1.9371) EXPECT_LE(ulpDistance(portableLog(x), std::log(x)), 2.0) << x;
  for (double x = 0.5; x < 2.0; x += 0.00071) {
    if (x == 1.0) continue;
    EXPECT_LE(ulpDistance(portableLog(x), std::log(x)), 2.0) << x;
  }
  EXPECT_EQ(portableLog(1.0), 0.0);
  EXPECT_EQ(portableLog(0.0), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(portableLog(-1.0)));
}

TEST(PortableMath, SinAgreesWithTheLibraryToAnUnitInTheLastPlace) {
  for (double x = -20.0; x < 20.0; x += 0.00917) {
    if (std::fabs(std::sin(x)) < 1e-3) continue;
    EXPECT_LE(ulpDistance(portableSin(x), std::sin(x)), 1.0) << x;
  }
  EXPECT_EQ(portableSin(0.0), 0.0);
}

TEST(PortableMath, RoundHalfEvenBreaksTiesToEven) {
  EXPECT_EQ(roundHalfEven(0.5), 0.0);
  EXPECT_EQ(roundHalfEven(1.5), 2.0);
  EXPECT_EQ(roundHalfEven(2.5), 2.0);
  EXPECT_EQ(roundHalfEven(-0.5), -0.0);
  EXPECT_EQ(roundHalfEven(-1.5), -2.0);
  EXPECT_EQ(roundHalfEven(2.4999), 2.0);
  EXPECT_EQ(roundHalfEven(-2.6), -3.0);
  EXPECT_EQ(roundHalfEven(1.0e300), 1.0e300);
}
