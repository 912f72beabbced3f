// The GDI objects behind a bitmap: made once, kept by drawing, deleted with the last reference.
#include "gui/GuiBitmap.h"

#include <gtest/gtest.h>

#include "gui/GuiDrawingContext.h"
#include "gui/win32/GuiBitmapImage.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/resources/TestBitmaps.h"

TEST(GuiBitmap, LastReleaseDestroysTheImageAndTheMask) {
  auto* bitmap = new GuiBitmap(testBitmaps(), kCornersBitmap);
  TestCanvas canvas(8, 8);
  {
    GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
    bitmap->drawTransparent(context, {0, 0, 6, 6}, {0, 0});
  }
  const HBITMAP image = bitmap->image()->bitmap.get(), mask = bitmap->image()->mask.get();
  ASSERT_EQ(GetObjectType(image), static_cast<DWORD>(OBJ_BITMAP));
  ASSERT_EQ(GetObjectType(mask), static_cast<DWORD>(OBJ_BITMAP));
  bitmap->retain();
  EXPECT_EQ(bitmap->referenceCount(), 2);
  bitmap->release();
  EXPECT_EQ(bitmap->referenceCount(), 1);
  EXPECT_EQ(GetObjectType(image), static_cast<DWORD>(OBJ_BITMAP));
  bitmap->release();
  EXPECT_EQ(GetObjectType(image), 0u);
  EXPECT_EQ(GetObjectType(mask), 0u);
}
