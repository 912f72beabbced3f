#pragma once
// The window class of the frames' windows: one per loaded copy of the module,
// registered by the first frame window and unregistered with the last. Frames
// may open and close on several threads at once (a host with more than one
// user-interface thread): the count and the class change together, under a lock.

#include <cstddef>
#include <cstdint>

class GuiWindowClass final {
public:
  GuiWindowClass() = delete;

  // Adds one use; registers the class at the first. False, and no use added,
  // when the class cannot be registered or its name is taken by a class that
  // is not ours.
  static bool registerWindowClass();
  // Drops one use; unregisters the class with the last.
  static void unregisterWindowClass();
  static const char* className();
  static std::int32_t useCount();
  // The instance handle of the module the toolkit is linked into, which owns the class.
  static void* moduleInstance();
  // "Plugin" and the instance handle in at least 8 lower-case hexadecimal digits.
  static void formatClassName(const void* instance, char* buffer, std::size_t size);
};
