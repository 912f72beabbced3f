#include "tools/lumivane-host/InfoReport.h"

#include <cctype>
#include <cstdio>
#include <iomanip>
#include <string>
#include <vector>

namespace {
// The capabilities hosts commonly ask an effect about.
constexpr const char* kCapabilitiesAsked[] = {
    "sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
    "offline",       "midiProgramNames", "bypass",           "noRealTime",
};

constexpr const char* kCategories[] = {
    "unknown",     "effect",          "synth",       "analysis",        "mastering", "spatializer",
    "room effect", "surround effect", "restoration", "offline process", "shell",     "generator",
};

struct FlagName {
  VstInt32 flag;
  const char* name;
};

constexpr FlagName kFlagNames[] = {
    {effFlagsHasEditor, "has editor"},
    {effFlagsHasClip, "has clip"},
    {effFlagsHasVu, "has VU"},
    {effFlagsCanMono, "can mono"},
    {effFlagsCanReplacing, "can replace"},
    {effFlagsProgramChunks, "programs as chunks"},
    {effFlagsIsSynth, "is synth"},
    {effFlagsNoSoundInStop, "no sound in stop"},
    {effFlagsExtIsAsync, "asynchronous"},
    {effFlagsExtHasBuffer, "has buffer"},
};

constexpr int kLabelWidth = 12;

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string fourCharacterCode(VstInt32 id) {
  std::string code;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned char c = static_cast<unsigned char>((static_cast<std::uint32_t>(id) >> shift) & 0xff);
    if (!std::isprint(c)) return "";
    code += static_cast<char>(c);
  }
  return code;
}

std::string hex(VstInt32 value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
  return text;
}

std::string flagList(VstInt32 flags) {
  std::string list;
  for (const FlagName& known : kFlagNames)
    if (flags & known.flag) list += (list.empty() ? "" : ", ") + std::string(known.name);
  return list.empty() ? "none" : list;
}

std::string canDoAnswer(VstIntPtr answer) {
  if (answer > 0) return "yes";
  if (answer < 0) return "no";
  return "don't know";
}

std::string pinDescription(StandInHost& host, VstInt32 opcode, VstInt32 index) {
  VstPinProperties properties{};
  if (host.dispatch(opcode, index, 0, &properties) == 0) return "(no properties)";
  properties.label[sizeof properties.label - 1] = '\0';
  properties.shortLabel[sizeof properties.shortLabel - 1] = '\0';
  std::string text = std::string(properties.label) + " (" + properties.shortLabel;
  if (properties.flags & kVstPinIsActive) text += ", active";
  if (properties.flags & kVstPinIsStereo) text += ", stereo";
  return text + ")";
}

std::string programName(StandInHost& host, VstInt32 index) {
  char name[256] = {};
  if (host.dispatch(effGetProgramNameIndexed, index, -1, name) != 0) {
    name[sizeof name - 1] = '\0';
    return name;
  }
  // Without the indexed query a host selects each program to read its name.
  const VstIntPtr current = host.dispatch(effGetProgram);
  host.dispatch(effSetProgram, 0, index);
  const std::string selectedName = host.text(effGetProgramName);
  host.dispatch(effSetProgram, 0, current);
  return selectedName;
}

class Lines {
public:
  explicit Lines(std::ostream& destination) : out(destination) {}
  void line(const std::string& label, const std::string& value) {
    if (value.empty())
      out << label << '\n';
    else
      out << std::left << std::setw(kLabelWidth) << label << value << '\n';
  }

private:
  std::ostream& out;
};
}  // namespace

void writeInfoReport(StandInHost& host, const std::string& pluginPath, std::ostream& out) {
  AEffect& effect = *host.effect();
  Lines lines(out);
  lines.line("Plug-in", pluginPath);
  lines.line("Name", host.text(effGetEffectName));
  lines.line("Vendor", host.text(effGetVendorString));
  lines.line("Product", host.text(effGetProductString));
  lines.line("Version", std::to_string(host.dispatch(effGetVendorVersion)) + " (vendor), " +
                            std::to_string(effect.version) + " (effect)");
  const std::string code = fourCharacterCode(effect.uniqueID);
  lines.line("Unique ID", (code.empty() ? "" : "'" + code + "' ") + hex(effect.uniqueID));
  const VstIntPtr category = host.dispatch(effGetPlugCategory);
  const bool namedCategory = category >= 0 && category < static_cast<VstIntPtr>(std::size(kCategories));
  lines.line("Category",
             std::to_string(category) + (namedCategory ? " (" + std::string(kCategories[category]) + ")" : ""));
  lines.line("Tail", std::to_string(host.dispatch(effGetTailSize)) + " samples");
  lines.line("Delay", std::to_string(effect.initialDelay) + " samples");
  lines.line("Inputs", std::to_string(effect.numInputs));
  for (VstInt32 pin = 0; pin < effect.numInputs; ++pin)
    lines.line("", std::to_string(pin) + "  " + pinDescription(host, effGetInputProperties, pin));
  lines.line("Outputs", std::to_string(effect.numOutputs));
  for (VstInt32 pin = 0; pin < effect.numOutputs; ++pin)
    lines.line("", std::to_string(pin) + "  " + pinDescription(host, effGetOutputProperties, pin));
  lines.line("Flags", std::to_string(effect.flags) + " (" + flagList(effect.flags) + ")");
  lines.line("Can do", "");
  for (const char* capability : kCapabilitiesAsked) {
    std::string text = capability;
    const VstIntPtr answer = host.dispatch(effCanDo, 0, 0, text.data());
    lines.line("", std::string(capability) + ": " + canDoAnswer(answer));
  }

  lines.line("Parameters", std::to_string(effect.numParams));
  for (VstInt32 index = 0; index < effect.numParams; ++index) {
    char value[16];
    std::snprintf(value, sizeof value, "%.6f", static_cast<double>(host.getParameter(index)));
    out << "  " << std::right << std::setw(3) << index << "  " << std::left << std::setw(14)
        << host.text(effGetParamName, index) << std::setw(10) << trimmed(host.text(effGetParamLabel, index))
        << std::setw(12) << trimmed(host.text(effGetParamDisplay, index)) << value << '\n';
  }
  lines.line("Programs",
             std::to_string(effect.numPrograms) + " (current " + std::to_string(host.dispatch(effGetProgram)) + ")");
  for (VstInt32 index = 0; index < effect.numPrograms; ++index)
    out << "  " << std::right << std::setw(3) << index << "  " << programName(host, index) << '\n';
}
