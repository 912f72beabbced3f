#include "tools/standin/EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "tools/standin/HostKeyCodes.h"

// The host's own connection and its top-level window, as a Linux host has them.
struct EditorWindow::Native {
  Display* display = nullptr;
  Window window = 0;
};

namespace {
constexpr unsigned kPumpInterval = 10;
constexpr unsigned long kBlack = 0;

// Linux hosts pass their X11 window id in effEditOpen's pointer argument.
void* idOf(Window window) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

// The first child window: the editor's panel, or 0.
Window firstChild(Display* display, Window window) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) && count > 0) found = children[0];
  if (children) XFree(children);
  return found;
}

// A key event of the host's window, handed on as the editor's key opcode.
ForwardedKey forwardKey(StandInHost& host, XKeyEvent& event) {
  char text[8] = {};
  KeySym symbol = NoSymbol;
  XKeyEvent plain = event;
  plain.state &= ~static_cast<unsigned>(ControlMask);  // the character as typed, as the Windows host gives it
  const int length = XLookupString(&plain, text, sizeof text, &symbol, nullptr);
  const bool arrow = symbol >= XK_Left && symbol <= XK_Down;
  const VstInt32 character = arrow || length != 1 ? 0 : text[0] & 0x7F;
  const float modifiers =
      hostKeyModifiers((event.state & ShiftMask) != 0, (event.state & Mod1Mask) != 0, (event.state & ControlMask) != 0);
  ForwardedKey key;
  key.opcode = event.type == KeyPress ? effEditKeyDown : effEditKeyUp;
  key.character = character;
  key.virtualKey = arrow ? kHostArrowKeys[symbol - XK_Left] : 0;
  key.answer = host.dispatch(key.opcode, key.character, key.virtualKey, nullptr, modifiers);
  return key;
}

void waitForMap(Display* display, Window window) {
  XEvent event;
  do {
    XWindowEvent(display, window, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
}
}  // namespace

EditorWindow::EditorWindow(StandInHost& standInHost, int screenX, int screenY)
    : host(standInHost), native(std::make_unique<Native>()) {
  ERect* rect = nullptr;
  standInHost.dispatch(effEditGetRect, 0, 0, &rect);
  if (rect == nullptr) return;
  native->display = XOpenDisplay(nullptr);
  if (native->display == nullptr) return;
  Display* display = native->display;
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;  // placed exactly, whether or not a window manager runs
  attributes.background_pixel = kBlack;
  attributes.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask;
  native->window = XCreateWindow(display, DefaultRootWindow(display), screenX, screenY,
                                 static_cast<unsigned>(rect->right - rect->left),
                                 static_cast<unsigned>(rect->bottom - rect->top), 0, CopyFromParent, InputOutput,
                                 CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, native->window, "Lumivane VST");
  XMapRaised(display, native->window);
  waitForMap(display, native->window);
  // Keyboard input goes to the focused window, as in a host that has the
  // focus; the panel takes none, so keys typed over it come here as well.
  XSetInputFocus(display, native->window, RevertToParent, CurrentTime);
  host.resizeEditorWindow = [this](int newWidth, int newHeight) {
    if (newWidth <= 0 || newHeight <= 0) return false;
    XResizeWindow(native->display, native->window, static_cast<unsigned>(newWidth), static_cast<unsigned>(newHeight));
    XSync(native->display, False);
    return true;
  };
  reopenEditor();
}

EditorWindow::~EditorWindow() {
  host.resizeEditorWindow = nullptr;
  if (native->display == nullptr) return;
  // A plug-in closed with its editor open has taken its window with it.
  if (panelCount() > 0 && host.effect() != nullptr) closeEditor();
  XDestroyWindow(native->display, native->window);
  XCloseDisplay(native->display);
}

void* EditorWindow::hostWindow() const { return idOf(native->window); }

int EditorWindow::panelCount() const {
  if (native->display == nullptr) return 0;
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(native->display, native->window, &root, &parent, &children, &count)) count = 0;
  if (children) XFree(children);
  return static_cast<int>(count);
}

bool EditorWindow::reopenEditor() {
  if (native->display == nullptr) return false;
  openResult = host.dispatch(effEditOpen, 0, 0, idOf(native->window));
  runFor(100);
  return panelCount() == 1;
}

void EditorWindow::closeEditor() {
  host.dispatch(effEditClose);
  pumpAndIdle();
}

ScreenPoint EditorWindow::panelScreenOrigin() const {
  ScreenPoint origin;
  Window panel = firstChild(native->display, native->window), unused = 0;
  if (panel != 0) {
    XTranslateCoordinates(native->display, panel, DefaultRootWindow(native->display), 0, 0, &origin.x, &origin.y,
                          &unused);
  }
  return origin;
}

void EditorWindow::pumpAndIdle() {
  if (native->display != nullptr) {
    XSync(native->display, False);
    while (XPending(native->display) > 0) {
      XEvent event;
      XNextEvent(native->display, &event);
      if (event.type == KeyPress || event.type == KeyRelease) keys.push_back(forwardKey(host, event.xkey));
    }
  }
  // A host idles only a plug-in it has open.
  if (host.effect() != nullptr) host.dispatch(effEditIdle);
}

void EditorWindow::runFor(unsigned milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    pumpAndIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(kPumpInterval));
  } while (std::chrono::steady_clock::now() < end);
}

PanelPixels EditorWindow::capture() const {
  PanelPixels pixels;
  if (native->display == nullptr) return pixels;
  const Window panel = firstChild(native->display, native->window);
  XWindowAttributes attributes{};
  if (panel == 0 || !XGetWindowAttributes(native->display, panel, &attributes)) return pixels;
  XImage* image = XGetImage(native->display, panel, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  pixels.width = attributes.width;
  pixels.height = attributes.height;
  pixels.rgb.reserve(static_cast<std::size_t>(pixels.width) * pixels.height);
  // A 24-bit TrueColor visual, as the virtual display has: pixels are 0xRRGGBB.
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      pixels.rgb.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
    }
  }
  XDestroyImage(image);
  return pixels;
}
