#include "lv2/HostTransport.h"

#include <cmath>
#include <cstring>

namespace {
constexpr double kLargestSignatureNumber = 1024.0;
}  // namespace

void HostTransport::mapUris(const LV2_URID_Map* map) {
  if (map == nullptr || map->map == nullptr) return;
  const auto id = [map](const char* uri) { return map->map(map->handle, uri); };
  urids = {id(lv2uri::kAtomObject),         id(lv2uri::kAtomBlank),    id(lv2uri::kAtomFloat),
           id(lv2uri::kAtomDouble),         id(lv2uri::kAtomInt),      id(lv2uri::kAtomLong),
           id(lv2uri::kTimePosition),       id(lv2uri::kTimeBar),      id(lv2uri::kTimeBarBeat),
           id(lv2uri::kTimeBeat),           id(lv2uri::kTimeBeatUnit), id(lv2uri::kTimeBeatsPerBar),
           id(lv2uri::kTimeBeatsPerMinute), id(lv2uri::kTimeSpeed)};
  mapped = true;
}

void HostTransport::setSampleRate(double rate) {
  anchorHere();
  sampleRate = rate;
}

void HostTransport::restart() {
  if (hostTold) return;
  anchorBeat = 0.0;
  framesSinceAnchor = 0;
}

void HostTransport::setOwnTempo(double beatsPerMinute) {
  if (hostTold || beatsPerMinute == tempo) return;
  anchorHere();
  tempo = beatsPerMinute;
}

double HostTransport::currentBeat() const {
  if (speed == 0.0) return anchorBeat;
  return anchorBeat + static_cast<double>(framesSinceAnchor) * tempo / 60.0 / sampleRate;
}

void HostTransport::anchorHere() {
  anchorBeat = currentBeat();
  framesSinceAnchor = 0;
}

void HostTransport::advance(std::int64_t frames) { framesSinceAnchor += frames; }

bool HostTransport::readNumber(const LV2_Atom& value, double& number) const {
  const void* body = &value + 1;
  if (value.type == urids.floatType && value.size >= sizeof(float)) {
    float x;
    std::memcpy(&x, body, sizeof x);
    number = x;
  } else if (value.type == urids.doubleType && value.size >= sizeof(double)) {
    std::memcpy(&number, body, sizeof number);
  } else if (value.type == urids.intType && value.size >= sizeof(std::int32_t)) {
    std::int32_t x;
    std::memcpy(&x, body, sizeof x);
    number = x;
  } else if (value.type == urids.longType && value.size >= sizeof(std::int64_t)) {
    std::int64_t x;
    std::memcpy(&x, body, sizeof x);
    number = static_cast<double>(x);
  } else {
    return false;
  }
  return std::isfinite(number);
}

bool HostTransport::isPosition(const LV2_Atom& atom) const {
  return mapped && (atom.type == urids.object || atom.type == urids.blank) &&
         atom.size >= sizeof(LV2_Atom_Object_Body) &&
         reinterpret_cast<const LV2_Atom_Object*>(&atom)->body.otype == urids.position;
}

// The object's properties follow its body, each a key, a context and an atom,
// padded to 8 bytes; the atom's size bounds them all.
void HostTransport::takePosition(const LV2_Atom& atom) {
  const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&atom);

  double bar = NAN, barBeat = NAN, beat = NAN, newTempo = NAN, newSpeed = NAN, perBar = NAN, unit = NAN;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&object->body);
  std::uint32_t offset = sizeof(LV2_Atom_Object_Body);
  while (offset + sizeof(LV2_Atom_Property_Body) <= atom.size) {
    const auto* property = reinterpret_cast<const LV2_Atom_Property_Body*>(bytes + offset);
    const std::uint32_t length = sizeof(LV2_Atom_Property_Body) + property->value.size;
    if (length > atom.size - offset) break;
    double number = 0.0;
    if (readNumber(property->value, number)) {
      const LV2_URID key = property->key;
      if (key == urids.bar) bar = number;
      if (key == urids.barBeat) barBeat = number;
      if (key == urids.beat) beat = number;
      if (key == urids.beatsPerMinute) newTempo = number;
      if (key == urids.speed) newSpeed = number;
      if (key == urids.beatsPerBar) perBar = number;
      if (key == urids.beatUnit) unit = number;
    }
    offset += lv2AtomPadded(length);
  }

  anchorHere();
  hostTold = true;
  if (newTempo > 0.0) tempo = newTempo;
  if (!std::isnan(newSpeed)) speed = newSpeed;
  // Held to what a time signature can be, so that the record's whole numbers take them.
  if (perBar >= 1.0 && perBar <= kLargestSignatureNumber) beatsPerBar = perBar;
  if (unit >= 1.0 && unit <= kLargestSignatureNumber) beatUnit = unit;
  // Positions count in beats of the bar's unit; the effect counts quarter notes.
  if (!std::isnan(bar) || !std::isnan(barBeat)) {
    const double beatsInBars = std::isnan(bar) ? 0.0 : bar * beatsPerBar;
    anchorBeat = (beatsInBars + (std::isnan(barBeat) ? 0.0 : barBeat)) * 4.0 / beatUnit;
  } else if (!std::isnan(beat)) {
    anchorBeat = beat * 4.0 / beatUnit;
  }
}

const VstTimeInfo& HostTransport::timeInfo() {
  info.sampleRate = sampleRate;
  info.ppqPos = currentBeat();
  info.tempo = tempo;
  info.timeSigNumerator = static_cast<VstInt32>(beatsPerBar);
  info.timeSigDenominator = static_cast<VstInt32>(beatUnit);
  info.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid | (speed != 0.0 ? kVstTransportPlaying : 0);
  return info;
}
