#include "tools/lumivane-host/ParameterResolver.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/lumivane-host/ToolError.h"

namespace {
// Normalised values probed evenly: fine enough for 128 items to a parameter.
constexpr int kGridSteps = 1024;
constexpr int kEdgeBisections = 40;
constexpr int kSearchBisections = 60;
constexpr std::size_t kItemsListed = 10;

// Case and spacing do not matter when a user names a parameter or an item.
std::string canonical(const std::string& text) {
  std::string result;
  bool space = false;
  for (unsigned char c : text) {
    if (std::isspace(c)) {
      space = !result.empty();
      continue;
    }
    if (space) result += ' ';
    space = false;
    result += static_cast<char>(std::tolower(c));
  }
  return result;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct Reading {
  double number;
  double resolution;  // half the last digit shown
};

// A number as the plug-in or the user writes it, optionally followed by the
// parameter's label ("200 Hz", "96BPM").
std::optional<Reading> parseReading(const std::string& text, const std::string& label) {
  const std::string number = trimmed(text);
  char* end = nullptr;
  const double value = std::strtod(number.c_str(), &end);
  if (end == number.c_str() || !std::isfinite(value)) return std::nullopt;
  const std::string rest = canonical(end);
  if (!rest.empty() && rest != canonical(label)) return std::nullopt;
  const std::string digits(number.c_str(), static_cast<std::size_t>(end - number.c_str()));
  double resolution = 0.5;
  if (digits.find_first_of("eE") != std::string::npos) {
    resolution = std::fabs(value) * 5e-6;
  } else if (const auto point = digits.find('.'); point != std::string::npos) {
    resolution = 0.5 * std::pow(10.0, -static_cast<double>(digits.size() - point - 1));
  }
  return Reading{value, resolution};
}

// True when the number is followed by something, which parseReading accepts only as the label.
bool hasUnitSuffix(const std::string& text) {
  const std::string number = trimmed(text);
  char* end = nullptr;
  std::strtod(number.c_str(), &end);
  return !canonical(end).empty();
}

std::string formatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

bool isWholeNumberText(const std::string& text) {
  const std::string number = trimmed(text);
  return number.find_first_of(".eE") == std::string::npos;
}

bool showsWholeNumbers(const std::vector<Reading>& readings) {
  return std::all_of(readings.begin(), readings.end(),
                     [](const Reading& reading) { return reading.resolution == 0.5; });
}

double gridValue(int step) { return static_cast<double>(step) / kGridSteps; }
}  // namespace

ParameterResolver::ParameterResolver(StandInHost& standInHost) : host(standInHost) {
  for (VstInt32 index = 0; index < standInHost.effect()->numParams; ++index) {
    names.push_back(standInHost.text(effGetParamName, index));
    labels.push_back(standInHost.text(effGetParamLabel, index));
  }
}

ResolvedParameter ParameterResolver::resolve(const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) throw ToolError("--param needs NAME=VALUE, not \"" + assignment + "\"");
  const int index = findParameter(assignment.substr(0, equals));
  const std::string text = assignment.substr(equals + 1);
  if (trimmed(text).empty()) throw ToolError("--param " + assignment + " gives no value");

  // Probing moves the parameter; the caller sets the resolved value afterwards.
  const float original = host.getParameter(index);
  try {
    const float value = resolveValue(index, text);
    ResolvedParameter resolved{index, value, displayWithLabel(index, value)};
    host.setParameter(index, original);
    return resolved;
  } catch (...) {
    host.setParameter(index, original);
    throw;
  }
}

int ParameterResolver::findParameter(const std::string& nameOrIndex) const {
  const std::string wanted = canonical(nameOrIndex);
  std::vector<int> found;
  for (std::size_t index = 0; index < names.size(); ++index)
    if (canonical(names[index]) == wanted || canonical(names[index] + labels[index]) == wanted)
      found.push_back(static_cast<int>(index));
  if (found.size() == 1) return found.front();
  if (found.size() > 1)
    throw ToolError("\"" + nameOrIndex + "\" names more than one parameter; give its index (" +
                    std::to_string(found[0]) + " or " + std::to_string(found[1]) + ")");
  if (!wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [](unsigned char c) { return std::isdigit(c); })) {
    const long index = std::strtol(wanted.c_str(), nullptr, 10);
    if (wanted.size() <= 6 && index < static_cast<long>(names.size())) return static_cast<int>(index);
    throw ToolError("no parameter " + wanted + ": the plug-in has " + std::to_string(names.size()) + " (0 to " +
                    std::to_string(static_cast<long>(names.size()) - 1) + ")");
  }
  std::string known;
  for (const std::string& name : names) known += (known.empty() ? "" : ", ") + trimmed(name);
  throw ToolError("no parameter named \"" + nameOrIndex + "\"; the parameters are: " + known);
}

void ParameterResolver::probe(int index) {
  if (probedIndex == index) return;
  gridDisplays.clear();
  for (int step = 0; step <= kGridSteps; ++step) gridDisplays.push_back(displayAt(index, gridValue(step)));
  probedIndex = index;
}

std::string ParameterResolver::displayAt(int index, double value) {
  host.setParameter(index, static_cast<float>(value));
  return host.text(effGetParamDisplay, index);
}

std::string ParameterResolver::displayWithLabel(int index, double value) {
  const std::string label = trimmed(labels[index]);
  return trimmed(displayAt(index, value)) + (label.empty() ? "" : " " + label);
}

std::string ParameterResolver::describeRange(int index) {
  return "from " + displayWithLabel(index, 0.0) + " to " + displayWithLabel(index, 1.0);
}

std::string ParameterResolver::itemList() const {
  std::vector<std::string> items;
  for (const std::string& display : gridDisplays)
    if (std::find(items.begin(), items.end(), trimmed(display)) == items.end()) items.push_back(trimmed(display));
  std::string list;
  for (std::size_t i = 0; i < items.size() && i < kItemsListed; ++i) list += (i == 0 ? "" : ", ") + items[i];
  if (items.size() > kItemsListed) list += ", ... " + items.back() + " (" + std::to_string(items.size()) + " in all)";
  return list;
}

std::optional<float> ParameterResolver::middleOfRun(const Predicate& matches, std::optional<double> knownInside) {
  if (!knownInside) {
    for (int step = 0; step <= kGridSteps && !knownInside; ++step)
      if (matches(gridValue(step))) knownInside = gridValue(step);
    if (!knownInside) return std::nullopt;
  }
  // The run of matching values around the known one, found to the grid and then
  // narrowed by bisection at each end.
  auto edge = [&](int direction) {
    double inside = *knownInside;
    int step = direction < 0 ? static_cast<int>(std::floor(inside * kGridSteps))
                             : static_cast<int>(std::ceil(inside * kGridSteps));
    if (gridValue(step) == inside) step += direction;
    while (step >= 0 && step <= kGridSteps && matches(gridValue(step))) {
      inside = gridValue(step);
      step += direction;
    }
    if (step < 0 || step > kGridSteps) return inside;
    double outside = gridValue(step);
    for (int i = 0; i < kEdgeBisections; ++i) {
      const double middle = 0.5 * (inside + outside);
      (matches(middle) ? inside : outside) = middle;
    }
    return inside;
  };
  const double low = edge(-1);
  const double high = edge(+1);
  for (double candidate : {0.5 * (low + high), low, high})
    if (matches(static_cast<float>(candidate))) return static_cast<float>(candidate);
  return std::nullopt;
}

std::optional<float> ParameterResolver::findReading(int index, double number) {
  nearestReadings.clear();
  std::vector<Reading> grid;
  for (const std::string& display : gridDisplays) {
    const auto reading = parseReading(display, labels[index]);
    if (!reading) return std::nullopt;
    grid.push_back(*reading);
  }
  const auto reads = [&](double value) {
    const auto reading = parseReading(displayAt(index, value), labels[index]);
    return reading && std::fabs(reading->number - number) <= reading->resolution * (1.0 + 1e-9);
  };
  // A parameter that only ever shows whole numbers has no setting between them.
  if (showsWholeNumbers(grid) && number != std::floor(number)) return std::nullopt;
  const Reading& first = grid.front();
  const Reading& last = grid.back();
  if (number < std::min(first.number - first.resolution, last.number - last.resolution) ||
      number > std::max(first.number + first.resolution, last.number + last.resolution))
    return std::nullopt;
  if (auto found = middleOfRun(reads, std::nullopt)) return found;
  // Between two grid points: bisect towards a value that reads the number.
  for (int step = 0; step < kGridSteps; ++step) {
    const double below = grid[step].number;
    const double above = grid[step + 1].number;
    if ((number - below) * (number - above) > 0.0) continue;
    const bool rising = above > below;
    double low = gridValue(step);
    double high = gridValue(step + 1);
    for (int i = 0; i < kSearchBisections; ++i) {
      const double middle = 0.5 * (low + high);
      if (reads(middle)) return middleOfRun(reads, middle);
      const auto reading = parseReading(displayAt(index, middle), labels[index]);
      if (!reading) break;
      ((reading->number < number) == rising ? low : high) = middle;
    }
    nearestReadings = displayWithLabel(index, low) + " and " + displayWithLabel(index, high);
    return std::nullopt;
  }
  return std::nullopt;
}

float ParameterResolver::resolveValue(int index, const std::string& text) {
  probe(index);
  const std::string name = trimmed(names[index]);
  const std::string wanted = canonical(text);
  const std::string label = labels[index];

  // 1. The text the plug-in shows, with or without its label.
  const auto showsText = [&](double value) {
    const std::string display = displayAt(index, value);
    return canonical(display) == wanted || canonical(display + label) == wanted;
  };
  if (auto found = middleOfRun(showsText, std::nullopt)) return *found;

  // 2. A position of the parameter's travel in percent.
  const std::string plain = trimmed(text);
  if (!plain.empty() && plain.back() == '%') {
    const auto percent = parseReading(plain.substr(0, plain.size() - 1), "");
    if (!percent || percent->number < 0.0 || percent->number > 100.0)
      throw ToolError(name + "=" + text + ": a position in percent lies from 0% to 100%");
    return static_cast<float>(percent->number / 100.0);
  }

  // 3. A number: in the unit, or normalised where that cannot be mistaken.
  const auto number = parseReading(text, label);
  std::vector<Reading> readings;
  for (const std::string& display : gridDisplays)
    if (const auto reading = parseReading(display, label)) readings.push_back(*reading);
  const bool numericParameter = readings.size() == gridDisplays.size();
  const bool wholeNumbersOnly = numericParameter && showsWholeNumbers(readings);
  if (!number) {
    if (numericParameter) throw ToolError(name + " takes a number " + describeRange(index) + ", not \"" + text + "\"");
    throw ToolError(name + " has no item \"" + trimmed(text) + "\"; it takes " + itemList());
  }
  const bool normalisedPossible = !hasUnitSuffix(text) && number->number >= 0.0 && number->number <= 1.0 &&
                                  (!numericParameter || !isWholeNumberText(text));
  const bool mayMeanNormalised = !hasUnitSuffix(text) && (number->number == 0.0 || number->number == 1.0);
  std::optional<float> inUnit;
  if (numericParameter) inUnit = findReading(index, number->number);

  if (normalisedPossible && inUnit) {
    const std::string asNormalised = displayWithLabel(index, number->number);
    const std::string asUnit = displayWithLabel(index, *inUnit);
    if (asNormalised != asUnit) {
      const std::string unitHint =
          trimmed(label).empty() ? "" : "\"" + trimmed(text) + " " + trimmed(label) + "\" for the unit or ";
      throw ToolError(name + "=" + trimmed(text) + " is ambiguous: as a normalised value it gives " + asNormalised +
                      ", in the unit " + asUnit + "; write " + unitHint + "\"" + formatNumber(number->number * 100.0) +
                      "%\" for the position");
    }
    return *inUnit;
  }
  if (normalisedPossible) return static_cast<float>(number->number);
  if (inUnit) return *inUnit;
  if (numericParameter && !nearestReadings.empty())
    throw ToolError(name + " cannot be " + trimmed(text) + " exactly: the nearest settings read " + nearestReadings);
  if (numericParameter && wholeNumbersOnly && number->number != std::floor(number->number))
    throw ToolError(name + " cannot be " + trimmed(text) + ": it takes whole numbers " + describeRange(index));
  if (numericParameter)
    throw ToolError(name + " cannot be " + trimmed(text) + ": it goes " + describeRange(index) +
                    (mayMeanNormalised ? " (a normalised value is written with a point, as 1.0)" : ""));
  throw ToolError(name + " takes " + itemList() + ", or a normalised value from 0 to 1, not \"" + trimmed(text) + "\"");
}
