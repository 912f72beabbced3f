#include "gui/GuiBitmap.h"

void GuiBitmap::retain() { ++references; }

void GuiBitmap::release() {
  if (references <= 0) return;
  if (--references == 0) delete this;
}
