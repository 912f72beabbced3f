#pragma once
// Turns NAME_OR_INDEX=VALUE into a parameter index and a normalised value,
// through nothing but what a host sees: names, labels, and the display text
// the plug-in shows for a normalised value. VALUE may be an item or display
// text ("LowP 24dB"), a number in the parameter's unit ("96", "200 Hz"), a
// normalised value written with a point ("0.25") or a position in percent ("25%").

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/standin/StandInHost.h"

struct ResolvedParameter {
  int index;
  float value;          // normalised
  std::string display;  // what the plug-in shows for it, with its label
};

class ParameterResolver {
public:
  explicit ParameterResolver(StandInHost& standInHost);

  // Throws ToolError for an unknown name or item, a value out of range, or a
  // value that reads differently as a normalised value and in the unit.
  ResolvedParameter resolve(const std::string& assignment);

private:
  using Predicate = std::function<bool(double)>;

  int findParameter(const std::string& nameOrIndex) const;
  float resolveValue(int index, const std::string& text);
  // The middle of the values whose display reads number; none when the display
  // is not numeric or the number lies outside its range.
  std::optional<float> findReading(int index, double number);
  std::optional<float> middleOfRun(const Predicate& matches, std::optional<double> knownInside);

  std::string displayAt(int index, double value);
  std::string displayWithLabel(int index, double value);
  std::string describeRange(int index);
  std::string itemList() const;
  void probe(int index);

  StandInHost& host;
  std::vector<std::string> names;
  std::vector<std::string> labels;
  // Display texts of the parameter being resolved on an even grid of normalised values.
  int probedIndex = -1;
  std::vector<std::string> gridDisplays;
  // The two readings either side of a number that no setting shows, for the error.
  std::string nearestReadings;
};
