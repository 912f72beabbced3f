#pragma once
// The host's transport as the time:Position objects on the plug-in's atom
// input tell it, turned into the time record the effect asks its host for.
// Until a host sends a position (some never do) the transport plays from the
// first beat at the plug-in's own tempo.

#include <cstdint>

#include "host/VstAbi.h"
#include "lv2/Lv2Abi.h"

class HostTransport {
public:
  // Without a map no position can be read: the plug-in keeps its own tempo.
  void mapUris(const LV2_URID_Map* map);
  void setSampleRate(double rate);
  // Back to the first beat, unless a host has told the position.
  void restart();
  // The tempo the transport plays at while no host has told one.
  void setOwnTempo(double beatsPerMinute);
  // A time:Position object, which the transport understands.
  bool isPosition(const LV2_Atom& atom) const;
  // Sets the transport from a position object.
  void takePosition(const LV2_Atom& atom);
  void advance(std::int64_t frames);
  // The record for samples from the current position on.
  const VstTimeInfo& timeInfo();

private:
  struct Urids {
    LV2_URID object, blank, floatType, doubleType, intType, longType;
    LV2_URID position, bar, barBeat, beat, beatUnit, beatsPerBar, beatsPerMinute, speed;
  };

  double currentBeat() const;
  // The transport starts counting frames afresh from where it is now.
  void anchorHere();
  bool readNumber(const LV2_Atom& value, double& number) const;

  Urids urids{};
  bool mapped = false;
  bool hostTold = false;
  double sampleRate = 44100.0;
  double tempo = 120.0;
  double speed = 1.0;
  double beatsPerBar = 4.0;
  double beatUnit = 4.0;
  // The beat at the anchor and the frames played since.
  double anchorBeat = 0.0;
  std::int64_t framesSinceAnchor = 0;
  VstTimeInfo info{};
};
