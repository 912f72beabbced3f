// Writes the bundle's Turtle files from the engine itself, so that names,
// units, ranges, defaults, items and programs have one source:
//   lumivane-lv2-description FOLDER
// writes FOLDER/manifest.ttl, lumivane.ttl and presets.ttl.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ChoiceParameter.h"
#include "engine/FilterSweepEffect.h"
#include "host/TextBuffers.h"
#include "lv2/Lv2Ports.h"

namespace {
constexpr const char* kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix time: <http://lv2plug.in/ns/ext/time#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

constexpr const char* kAudioNames[4] = {"In L", "In R", "Out L", "Out R"};

// Read back as the very float written: the DSP library compares port values
// with its defaults exactly.
std::string number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

std::string quoted(const std::string& text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') result += '\\';
    result += c;
  }
  return result + "\"";
}

std::string uri(const std::string& text) { return "<" + text + ">"; }

std::string presetUri(int program) {
  return std::string(lv2plugin::kPluginUri) + ":preset:" + std::to_string(program + 1);
}

std::string programName(FilterSweepEffect& effect, int program) {
  char name[kNameSize + 1] = {};
  effect.copyProgramNameAt(0, program, name);
  return name;
}

const char* unitOf(int index) {
  switch (index) {
    case kMinimumFrequency:
    case kMaximumFrequency: return "units:hz";
    case kTempo: return "units:bpm";
    default: return nullptr;
  }
}

void writeParameterPort(std::ostream& out, const ParameterDescriptor& parameter, int index) {
  const UnitRange range = parameter.unitRange();
  out << "    a lv2:InputPort , lv2:ControlPort ;\n"
      << "    lv2:index " << index << " ;\n"
      << "    lv2:symbol " << quoted(lv2plugin::kParameterSymbols[index]) << " ;\n"
      << "    lv2:name " << quoted(parameter.name()) << " ;\n"
      << "    lv2:default " << number(parameter.unitValue()) << " ;\n"
      << "    lv2:minimum " << number(range.minimum) << " ;\n"
      << "    lv2:maximum " << number(range.maximum);
  if (const char* unit = unitOf(index)) out << " ;\n    units:unit " << unit;
  switch (range.scale) {
    case ParameterScale::Logarithmic: out << " ;\n    lv2:portProperty pprops:logarithmic"; break;
    case ParameterScale::WholeNumber: out << " ;\n    lv2:portProperty lv2:integer"; break;
    case ParameterScale::Item: {
      out << " ;\n    lv2:portProperty lv2:integer , lv2:enumeration ;\n    lv2:scalePoint";
      const auto& choice = static_cast<const ChoiceParameter&>(parameter);
      const int count = static_cast<int>(range.maximum) + 1;
      for (int item = 0; item < count; ++item)
        out << (item == 0 ? " " : " ,\n        ") << "[ rdfs:label " << quoted(choice.itemText(item)) << " ; rdf:value "
            << item << " ]";
      break;
    }
    case ParameterScale::Linear: break;
  }
}

std::string pluginDescription(FilterSweepEffect& effect) {
  std::ostringstream out;
  out << kPrefixes << uri(lv2plugin::kPluginUri) << "\n"
      << "  a lv2:Plugin , lv2:FilterPlugin , doap:Project ;\n"
      << "  lv2:binary <lumivane-dsp.so> ;\n"
      << "  doap:name \"Lumivane\" ;\n"
      << "  doap:maintainer [ foaf:name \"Quelldar\" ] ;\n"
      << "  doap:license <licence.txt> ;\n"
      // The URI never changes, so the product's major version goes into the
      // minor one, doubled: hosts take an odd minor version for a development build.
      << "  lv2:minorVersion " << 2 * LUMIVANE_VERSION_MAJOR << " ;\n"
      << "  lv2:microVersion " << LUMIVANE_VERSION_MINOR << " ;\n"
      << "  rdfs:comment \"A stereo filter sweep: up to four resonant filters per channel whose cut-offs step "
         "through random levels between two frequencies in time with the host's tempo.\" ;\n"
      << "  lv2:optionalFeature lv2:hardRTCapable , urid:map , opts:options ;\n"
      << "  ui:ui " << uri(lv2plugin::kUiUri) << " ;\n"
      << "  lv2:port";
  effect.selectProgram(0);
  for (int index = 0; index < kParameterCount; ++index) {
    out << (index == 0 ? " [\n" : " , [\n");
    writeParameterPort(out, *effect.parameterObject(index), index);
    out << "\n  ]";
  }
  for (int audio = 0; audio < 4; ++audio) {
    out << " , [\n    a lv2:AudioPort , " << (audio < 2 ? "lv2:InputPort" : "lv2:OutputPort") << " ;\n"
        << "    lv2:index " << lv2plugin::kFirstAudioInput + static_cast<std::uint32_t>(audio) << " ;\n"
        << "    lv2:symbol " << quoted(lv2plugin::kAudioSymbols[audio]) << " ;\n"
        << "    lv2:name " << quoted(kAudioNames[audio]) << "\n  ]";
  }
  out << " , [\n    a lv2:InputPort , atom:AtomPort ;\n"
      << "    atom:bufferType atom:Sequence ;\n"
      << "    atom:supports time:Position ;\n"
      << "    lv2:designation lv2:control ;\n"
      << "    lv2:portProperty lv2:connectionOptional ;\n"
      << "    lv2:index " << lv2plugin::kTransportInput << " ;\n"
      << "    lv2:symbol " << quoted(lv2plugin::kTransportSymbol) << " ;\n"
      << "    lv2:name \"Transport\"\n  ] .\n\n";
  out << uri(lv2plugin::kUiUri) << "\n"
      << "  a ui:X11UI ;\n"
      << "  ui:binary <lumivane-ui.so> ;\n"
      << "  lv2:requiredFeature ui:idleInterface , ui:parent ;\n"
      << "  lv2:optionalFeature ui:resize , ui:touch , opts:options , urid:map , ui:noUserResize ;\n"
      << "  lv2:extensionData ui:idleInterface ;\n"
      << "  opts:supportedOption ui:scaleFactor .\n";
  return out.str();
}

std::string manifest(FilterSweepEffect& effect) {
  std::ostringstream out;
  out << kPrefixes << uri(lv2plugin::kPluginUri) << "\n"
      << "  a lv2:Plugin ;\n  lv2:binary <lumivane-dsp.so> ;\n  rdfs:seeAlso <lumivane.ttl> .\n\n"
      << uri(lv2plugin::kUiUri) << "\n"
      << "  a ui:X11UI ;\n  ui:binary <lumivane-ui.so> ;\n  rdfs:seeAlso <lumivane.ttl> .\n";
  for (int program = 0; program < FilterSweepEffect::kProgramCount; ++program)
    out << "\n"
        << uri(presetUri(program)) << "\n  a pset:Preset ;\n  lv2:appliesTo " << uri(lv2plugin::kPluginUri)
        << " ;\n  rdfs:label " << quoted(programName(effect, program)) << " ;\n  rdfs:seeAlso <presets.ttl> .\n";
  return out.str();
}

std::string presets(FilterSweepEffect& effect) {
  std::ostringstream out;
  out << kPrefixes;
  for (int program = 0; program < FilterSweepEffect::kProgramCount; ++program) {
    effect.selectProgram(program);
    out << uri(presetUri(program)) << "\n  a pset:Preset ;\n  lv2:appliesTo " << uri(lv2plugin::kPluginUri)
        << " ;\n  rdfs:label " << quoted(programName(effect, program)) << " ;\n  lv2:port";
    for (int index = 0; index < kParameterCount; ++index)
      out << (index == 0 ? " [\n" : " , [\n") << "    lv2:symbol " << quoted(lv2plugin::kParameterSymbols[index])
          << " ;\n    pset:value " << number(effect.parameterObject(index)->unitValue()) << "\n  ]";
    out << " .\n\n";
  }
  effect.selectProgram(0);
  return out.str();
}

bool write(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (file) return true;
  std::fprintf(stderr, "lumivane-lv2-description: cannot write %s\n", path.c_str());
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumivane-lv2-description FOLDER\n");
    return 2;
  }
  FilterSweepEffect effect(nullptr);
  const std::string folder = argv[1];
  const bool written = write(folder + "/manifest.ttl", manifest(effect)) &&
                       write(folder + "/lumivane.ttl", pluginDescription(effect)) &&
                       write(folder + "/presets.ttl", presets(effect));
  return written ? 0 : 1;
}
