#pragma once
// Sole ownership of a GDI object (bitmap, pen, brush, font), deleted with its owner.

#include <windows.h>

#include <memory>
#include <type_traits>

struct GuiGdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

template <typename Handle>
using GuiGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GuiGdiObjectDeleter>;
