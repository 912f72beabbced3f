// The UI library as an LV2 host loads it, on the virtual display: a host
// window as its parent, the host's features, real input through XTest, and
// the VST 2 panel of Lumivane.so beside it as the picture it must show.

// GoogleTest before Xlib, whose macros take some of its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "lv2/Lv2Abi.h"
#include "lv2/Lv2Ports.h"
#include "tests/gui/x11/X11TestSupport.h"
#include "tests/lv2/TestUridMap.h"
#include "tools/standin/EditorWindow.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {

constexpr int kUiX = 40;
constexpr int kUiY = 40;
constexpr int kVstX = 500;
constexpr int kVstY = 40;
// Long enough for the panel's idle work and for a drag loop, which sleeps
// 4 ms per turn, to see each new pointer state.
constexpr unsigned kSettle = 60;
constexpr unsigned kIdleInterval = 10;

void sleepFor(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

const LV2UI_Descriptor* uiDescriptor(std::uint32_t index) {
  static void* library = dlopen(LUMIVANE_UI_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  using Entry = const LV2UI_Descriptor* (*)(std::uint32_t);
  const auto entry = reinterpret_cast<Entry>(dlsym(library, "lv2ui_descriptor"));
  return entry == nullptr ? nullptr : entry(index);
}

PluginModule& vstPlugin() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

// The VST 2 panel at the factor, as a VST 2 host shows it.
PanelPixels vstPanel(float factor, int parameter = -1, float value = 0.0f) {
  StandInHost host{vstPlugin().entry()};
  if (host.open() == nullptr) return {};
  host.dispatch(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, factor);
  if (parameter >= 0) host.setParameter(parameter, value);
  EditorWindow window(host, kVstX, kVstY);
  window.runFor(200);
  return window.capture();
}

enum class Reply { Write, TouchOn, TouchOff, Resize };

// One call of the UI into the host.
struct HostEvent {
  Reply kind;
  std::uint32_t port;  // the width for a resize
  float value;         // the height for a resize
  bool afterCleanup;
};

// The host's side of one UI: its window, its features, what the UI told it.
class UiHost {
public:
  explicit UiHost(float scaleFactor) : parent(kUiX, kUiY, 10, 10), factor(scaleFactor) {
    options[0] = {LV2_OPTIONS_INSTANCE,         0,      urids.id(lv2uri::kUiScaleFactor), sizeof(float),
                  urids.id(lv2uri::kAtomFloat), &factor};
    features = {{lv2uri::kUiParent, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent.handle()))},
                {lv2uri::kUridMap, &urids.feature},
                {lv2uri::kOptions, options},
                {lv2uri::kUiResize, &resizeFeature},
                {lv2uri::kUiTouch, &touchFeature}};
    for (LV2_Feature& feature : features) featureList.push_back(&feature);
    featureList.push_back(nullptr);
  }

  ~UiHost() {
    if (handle != nullptr && !cleanedUp) uiDescriptor(0)->cleanup(handle);
  }

  bool instantiate() {
    const LV2UI_Descriptor* descriptor = uiDescriptor(0);
    if (descriptor == nullptr) return false;
    handle = descriptor->instantiate(descriptor, lv2plugin::kPluginUri, "", write, this, &widget, featureList.data());
    return handle != nullptr;
  }

  void idle() {
    if (cleanedUp) return;
    static const auto* idleInterface =
        static_cast<const LV2UI_Idle_Interface*>(uiDescriptor(0)->extension_data(lv2uri::kUiIdleInterface));
    idleInterface->idle(handle);
  }
  void idleFor(unsigned milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
      idle();
      sleepFor(kIdleInterval);
    } while (std::chrono::steady_clock::now() < end);
  }
  void portEvent(std::uint32_t port, float value) {
    uiDescriptor(0)->port_event(handle, port, sizeof value, 0, &value);
  }
  // The host cleans the UI up from inside the first call of this kind.
  void cleanUpOn(Reply kind) { cleanupReply = kind; }

  Window panel() const { return static_cast<Window>(reinterpret_cast<std::uintptr_t>(widget)); }
  Window parentWindow() const { return parent.handle(); }
  // The panel's origin on the screen.
  GuiPoint origin() const {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(testDisplay(), panel(), DefaultRootWindow(testDisplay()), 0, 0, &x, &y, &child);
    return {x, y};
  }
  PanelPixels capture() const {
    PanelPixels pixels;
    XWindowAttributes attributes{};
    syncTestDisplay();
    if (!XGetWindowAttributes(testDisplay(), panel(), &attributes)) return pixels;
    const X11Snapshot snapshot(panel(), {0, 0, attributes.width, attributes.height});
    pixels.width = attributes.width;
    pixels.height = attributes.height;
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) {
        const GuiColour c = snapshot.pixel(x, y);
        pixels.rgb.push_back(static_cast<std::uint32_t>(c.red << 16 | c.green << 8 | c.blue));
      }
    }
    return pixels;
  }
  int childWindows() const {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    syncTestDisplay();
    if (!XQueryTree(testDisplay(), parent.handle(), &root, &up, &children, &count)) count = 0;
    if (children) XFree(children);
    return static_cast<int>(count);
  }

  std::vector<HostEvent> events;
  bool cleanedUp = false;

private:
  static void write(LV2UI_Controller self, std::uint32_t port, std::uint32_t size, std::uint32_t protocol,
                    const void* buffer) {
    auto* host = static_cast<UiHost*>(self);
    EXPECT_EQ(size, sizeof(float));
    EXPECT_EQ(protocol, 0u);
    host->record({Reply::Write, port, *static_cast<const float*>(buffer), false});
  }
  static int resize(void* self, int width, int height) {
    auto* host = static_cast<UiHost*>(self);
    // As a host does: its window takes the size.
    XResizeWindow(testDisplay(), host->parent.handle(), static_cast<unsigned>(width), static_cast<unsigned>(height));
    syncTestDisplay();
    host->record({Reply::Resize, static_cast<std::uint32_t>(width), static_cast<float>(height), false});
    return 0;
  }
  static void touch(void* self, std::uint32_t port, bool grabbed) {
    static_cast<UiHost*>(self)->record({grabbed ? Reply::TouchOn : Reply::TouchOff, port, 0.0f, false});
  }
  void record(HostEvent event) {
    event.afterCleanup = cleanedUp;
    events.push_back(event);
    if (cleanedUp || !cleanupReply || *cleanupReply != event.kind) return;
    cleanedUp = true;
    uiDescriptor(0)->cleanup(handle);
  }

  X11HostWindow parent;
  float factor;
  TestUridMap urids;
  LV2UI_Resize resizeFeature{this, resize};
  LV2UI_Touch touchFeature{this, touch};
  LV2_Options_Option options[2]{};
  std::vector<LV2_Feature> features;
  std::vector<const LV2_Feature*> featureList;
  LV2UI_Handle handle = nullptr;
  LV2UI_Widget widget = nullptr;
  std::optional<Reply> cleanupReply;
};

// A drag with the left button through XTest on a connection of its own,
// while this thread idles the UI, as a host's event loop would.
void dragOn(UiHost& host, GuiPoint from, GuiPoint to) {
  constexpr int kSteps = 4;
  const GuiPoint origin = host.origin();
  std::atomic<bool> done{false};
  std::thread hand([&] {
    Display* display = XOpenDisplay(nullptr);
    const auto moveTo = [&](GuiPoint p) {
      XTestFakeMotionEvent(display, -1, origin.x + p.x, origin.y + p.y, CurrentTime);
      XSync(display, False);
      sleepFor(kSettle);
    };
    const auto setButton = [&](bool down) {
      XTestFakeButtonEvent(display, Button1, down ? True : False, CurrentTime);
      XSync(display, False);
      sleepFor(kSettle * 2);
    };
    moveTo(from);
    setButton(true);
    for (int step = 1; step <= kSteps; ++step)
      moveTo({from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
    setButton(false);
    XCloseDisplay(display);
    done = true;
  });
  while (!done) {
    host.idle();
    sleepFor(5);
  }
  hand.join();
  host.idleFor(50);
}

struct SizeCase {
  float factor;
  int width;
  int height;
};
void PrintTo(const SizeCase& c, std::ostream* out) { *out << "factor " << c.factor; }

struct DragCase {
  const char* control;
  std::uint32_t port;
  GuiPoint from;
  GuiPoint to;
  float minimum;  // the port's range
  float maximum;
};
void PrintTo(const DragCase& c, std::ostream* out) { *out << c.control; }

void PrintTo(Reply kind, std::ostream* out) {
  constexpr const char* names[] = {"write", "touch on", "touch off", "resize"};
  *out << names[static_cast<int>(kind)];
}

}  // namespace

TEST(Lv2Ui, TheLibraryDescribesOneX11UiWithAnIdleInterface) {
  const LV2UI_Descriptor* descriptor = uiDescriptor(0);
  ASSERT_NE(descriptor, nullptr) << dlerror();
  EXPECT_STREQ(descriptor->URI, lv2plugin::kUiUri);
  EXPECT_EQ(uiDescriptor(1), nullptr);
  EXPECT_NE(descriptor->extension_data(lv2uri::kUiIdleInterface), nullptr);
  EXPECT_EQ(descriptor->extension_data(lv2uri::kUiResize), nullptr);
}

// Without a usable parent or display there is no UI, and nothing is left behind.
TEST(Lv2Ui, NoParentNoWindowOrNoDisplayGivesNoUi) {
  const LV2UI_Descriptor* descriptor = uiDescriptor(0);
  ASSERT_NE(descriptor, nullptr);
  const auto write = [](LV2UI_Controller, std::uint32_t, std::uint32_t, std::uint32_t, const void*) {};
  const LV2_Feature noWindow{lv2uri::kUiParent, reinterpret_cast<void*>(std::uintptr_t{0x7FFFFFF})};
  const X11HostWindow window;
  const LV2_Feature realWindow{lv2uri::kUiParent,
                               reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.handle()))};
  const LV2_Feature* withoutParent[] = {nullptr};
  const LV2_Feature* withBadParent[] = {&noWindow, nullptr};
  const LV2_Feature* withParent[] = {&realWindow, nullptr};
  LV2UI_Widget widget = nullptr;
  EXPECT_EQ(descriptor->instantiate(descriptor, lv2plugin::kPluginUri, "", write, nullptr, &widget, withoutParent),
            nullptr);
  EXPECT_EQ(descriptor->instantiate(descriptor, lv2plugin::kPluginUri, "", write, nullptr, &widget, withBadParent),
            nullptr);
  EXPECT_EQ(descriptor->instantiate(descriptor, "urn:another:plugin", "", write, nullptr, &widget, withParent),
            nullptr);
  const std::string display = std::getenv("DISPLAY");
  setenv("DISPLAY", ":999", 1);
  EXPECT_EQ(descriptor->instantiate(descriptor, lv2plugin::kPluginUri, "", write, nullptr, &widget, withParent),
            nullptr);
  setenv("DISPLAY", display.c_str(), 1);
}

class Lv2UiAtScale : public ::testing::TestWithParam<SizeCase> {};

// The host's factor sizes the panel, the host hears the size once, and the
// picture is the VST 2 panel's at that factor, pixel for pixel.
TEST_P(Lv2UiAtScale, TheSizeAndPictureAreTheVst2Panels) {
  const SizeCase c = GetParam();
  UiHost host(c.factor);
  ASSERT_TRUE(host.instantiate());
  host.idleFor(200);
  ASSERT_EQ(host.events.size(), 1u);
  EXPECT_EQ(host.events[0].kind, Reply::Resize);
  EXPECT_EQ(host.events[0].port, static_cast<std::uint32_t>(c.width));
  EXPECT_EQ(host.events[0].value, static_cast<float>(c.height));
  const PanelPixels shown = host.capture();
  EXPECT_EQ(shown.width, c.width);
  EXPECT_EQ(shown.height, c.height);
  EXPECT_EQ(shown.differingFrom(vstPanel(c.factor)), 0);
}

INSTANTIATE_TEST_SUITE_P(Factors, Lv2UiAtScale, ::testing::Values(SizeCase{1.0f, 150, 272}, SizeCase{2.0f, 300, 544}));

// A port event reaches the panel as a VST 2 host's parameter write does: at the next idle.
TEST(Lv2Ui, APortEventShowsAtTheNextIdle) {
  UiHost host(1.0f);
  ASSERT_TRUE(host.instantiate());
  host.idleFor(200);
  host.events.clear();
  const PanelPixels before = host.capture();
  // The top of the tempo port's range is the top of the parameter's.
  host.portEvent(kTempo, 250.0f);
  EXPECT_EQ(host.capture().differingFrom(before), 0);
  host.idle();
  const PanelPixels after = host.capture();
  EXPECT_GT(after.differingFrom(before), 0);
  EXPECT_EQ(after.differingFrom(vstPanel(1.0f, kTempo, 1.0f)), 0);
  // The value it shows already changes nothing, nor goes back to the host.
  host.portEvent(kTempo, 250.0f);
  host.idle();
  EXPECT_EQ(host.capture().differingFrom(after), 0);
  EXPECT_TRUE(host.events.empty());
}

class Lv2UiDrag : public ::testing::TestWithParam<DragCase> {};

// A drag writes its port in the port's unit, between one touch on and one touch off.
TEST_P(Lv2UiDrag, WritesThePortBetweenOneTouchOnAndOneTouchOff) {
  const DragCase c = GetParam();
  UiHost host(1.0f);
  ASSERT_TRUE(host.instantiate());
  host.idleFor(200);
  host.events.clear();
  dragOn(host, c.from, c.to);
  ASSERT_GE(host.events.size(), 3u);
  EXPECT_EQ(host.events.front().kind, Reply::TouchOn);
  EXPECT_EQ(host.events.back().kind, Reply::TouchOff);
  int writes = 0;
  for (std::size_t i = 0; i < host.events.size(); ++i) {
    const HostEvent& event = host.events[i];
    EXPECT_EQ(event.port, c.port);
    if (i == 0 || i + 1 == host.events.size()) continue;
    EXPECT_EQ(event.kind, Reply::Write);
    EXPECT_GE(event.value, c.minimum);
    EXPECT_LE(event.value, c.maximum);
    ++writes;
  }
  EXPECT_GT(writes, 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, Lv2UiDrag,
                         ::testing::Values(DragCase{"filter knob", kFilterMode, {20, 45}, {70, 45}, 0.0f, 5.0f},
                                           DragCase{"tempo slider", kTempo, {73, 110}, {88, 110}, 1.0f, 250.0f}));

class Lv2UiCleanupInsideCall : public ::testing::TestWithParam<Reply> {};

// A host that cleans the UI up from inside one of the drag's calls hears
// nothing more from it, and the panel goes once the drag has unwound.
TEST_P(Lv2UiCleanupInsideCall, TheDragEndsQuietlyAndThePanelGoes) {
  UiHost host(1.0f);
  ASSERT_TRUE(host.instantiate());
  host.idleFor(200);
  host.cleanUpOn(GetParam());
  dragOn(host, {73, 110}, {88, 110});
  ASSERT_TRUE(host.cleanedUp);
  for (const HostEvent& event : host.events) EXPECT_FALSE(event.afterCleanup);
  EXPECT_EQ(host.events.back().kind, GetParam());
  EXPECT_EQ(host.childWindows(), 0);
}

INSTANTIATE_TEST_SUITE_P(Calls, Lv2UiCleanupInsideCall,
                         ::testing::Values(Reply::TouchOn, Reply::Write, Reply::TouchOff));
