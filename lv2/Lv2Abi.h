#pragma once
// The LV2 binary interface as the plug-in's two libraries use it: the plug-in
// descriptor, features, URID mapping, atoms, options and the UI descriptor.

#include <cstdint>

extern "C" {

using LV2_Handle = void*;
using LV2_URID = std::uint32_t;

struct LV2_Feature {
  const char* URI;
  void* data;
};

struct LV2_Descriptor {
  const char* URI;
  LV2_Handle (*instantiate)(const LV2_Descriptor* descriptor, double sampleRate, const char* bundlePath,
                            const LV2_Feature* const* features);
  void (*connect_port)(LV2_Handle instance, std::uint32_t port, void* dataLocation);
  void (*activate)(LV2_Handle instance);
  void (*run)(LV2_Handle instance, std::uint32_t sampleCount);
  void (*deactivate)(LV2_Handle instance);
  void (*cleanup)(LV2_Handle instance);
  const void* (*extension_data)(const char* uri);
};

struct LV2_URID_Map {
  void* handle;
  LV2_URID (*map)(void* handle, const char* uri);
};

// Atoms: a size and a type, the body after them, each padded to 8 bytes.
struct LV2_Atom {
  std::uint32_t size;
  std::uint32_t type;
};

struct LV2_Atom_Event {
  std::int64_t frames;
  LV2_Atom body;
};

struct LV2_Atom_Sequence_Body {
  std::uint32_t unit;
  std::uint32_t pad;
};

struct LV2_Atom_Sequence {
  LV2_Atom atom;
  LV2_Atom_Sequence_Body body;
};

struct LV2_Atom_Object_Body {
  std::uint32_t id;
  std::uint32_t otype;
};

struct LV2_Atom_Object {
  LV2_Atom atom;
  LV2_Atom_Object_Body body;
};

struct LV2_Atom_Property_Body {
  std::uint32_t key;
  std::uint32_t context;
  LV2_Atom value;
};

enum LV2_Options_Context : std::int32_t {
  LV2_OPTIONS_INSTANCE,
  LV2_OPTIONS_RESOURCE,
  LV2_OPTIONS_BLANK,
  LV2_OPTIONS_PORT
};

// A list of options ends with an option whose key is 0 and value null.
struct LV2_Options_Option {
  LV2_Options_Context context;
  std::uint32_t subject;
  LV2_URID key;
  std::uint32_t size;
  LV2_URID type;
  const void* value;
};

using LV2UI_Handle = void*;
using LV2UI_Controller = void*;
using LV2UI_Widget = void*;
using LV2UI_Write_Function = void (*)(LV2UI_Controller controller, std::uint32_t portIndex, std::uint32_t bufferSize,
                                      std::uint32_t portProtocol, const void* buffer);

struct LV2UI_Descriptor {
  const char* URI;
  LV2UI_Handle (*instantiate)(const LV2UI_Descriptor* descriptor, const char* pluginUri, const char* bundlePath,
                              LV2UI_Write_Function writeFunction, LV2UI_Controller controller, LV2UI_Widget* widget,
                              const LV2_Feature* const* features);
  void (*cleanup)(LV2UI_Handle ui);
  void (*port_event)(LV2UI_Handle ui, std::uint32_t portIndex, std::uint32_t bufferSize, std::uint32_t format,
                     const void* buffer);
  const void* (*extension_data)(const char* uri);
};

struct LV2UI_Resize {
  void* handle;
  int (*ui_resize)(void* handle, int width, int height);
};

struct LV2UI_Idle_Interface {
  int (*idle)(LV2UI_Handle ui);
};

struct LV2UI_Touch {
  void* handle;
  void (*touch)(void* handle, std::uint32_t portIndex, bool grabbed);
};

}  // extern "C"

constexpr std::uint32_t lv2AtomPadded(std::uint32_t size) { return (size + 7u) & ~7u; }

namespace lv2uri {
constexpr const char* kUridMap = "http://lv2plug.in/ns/ext/urid#map";
constexpr const char* kOptions = "http://lv2plug.in/ns/ext/options#options";
constexpr const char* kAtomObject = "http://lv2plug.in/ns/ext/atom#Object";
constexpr const char* kAtomBlank = "http://lv2plug.in/ns/ext/atom#Blank";
constexpr const char* kAtomFloat = "http://lv2plug.in/ns/ext/atom#Float";
constexpr const char* kAtomDouble = "http://lv2plug.in/ns/ext/atom#Double";
constexpr const char* kAtomInt = "http://lv2plug.in/ns/ext/atom#Int";
constexpr const char* kAtomLong = "http://lv2plug.in/ns/ext/atom#Long";
constexpr const char* kTimePosition = "http://lv2plug.in/ns/ext/time#Position";
constexpr const char* kTimeBar = "http://lv2plug.in/ns/ext/time#bar";
constexpr const char* kTimeBarBeat = "http://lv2plug.in/ns/ext/time#barBeat";
constexpr const char* kTimeBeatUnit = "http://lv2plug.in/ns/ext/time#beatUnit";
constexpr const char* kTimeBeatsPerBar = "http://lv2plug.in/ns/ext/time#beatsPerBar";
constexpr const char* kTimeBeatsPerMinute = "http://lv2plug.in/ns/ext/time#beatsPerMinute";
constexpr const char* kTimeSpeed = "http://lv2plug.in/ns/ext/time#speed";
constexpr const char* kTimeBeat = "http://lv2plug.in/ns/ext/time#beat";
constexpr const char* kBufSizeMaxBlockLength = "http://lv2plug.in/ns/ext/buf-size#maxBlockLength";
constexpr const char* kUiParent = "http://lv2plug.in/ns/extensions/ui#parent";
constexpr const char* kUiResize = "http://lv2plug.in/ns/extensions/ui#resize";
constexpr const char* kUiIdleInterface = "http://lv2plug.in/ns/extensions/ui#idleInterface";
constexpr const char* kUiTouch = "http://lv2plug.in/ns/extensions/ui#touch";
constexpr const char* kUiScaleFactor = "http://lv2plug.in/ns/extensions/ui#scaleFactor";
}  // namespace lv2uri
