#pragma once
// Native handles as they cross between the portable toolkit and its back ends.
// The core passes them along without looking inside; only gui/win32/ and
// gui/x11/ turn them back into window-system types.

// A window of the window system: an HWND on Windows; on X11 an X Window id
// converted to a pointer (how Linux hosts pass the parent to effEditOpen).
// Null is no window.
using GuiNativeWindow = void*;

// Something a drawing context draws on: an HDC on Windows; on X11 an
// X11Surface* (a cairo context on an image, and the window that shows it).
// Null is a context that draws nothing.
using GuiNativeSurface = void*;
