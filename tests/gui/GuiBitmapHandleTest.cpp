// What a handle does to the count of the bitmap it holds.
#include "gui/GuiBitmapHandle.h"

#include <gtest/gtest.h>

#include <utility>

#include "gui/GuiBitmap.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/resources/TestBitmaps.h"

TEST(GuiBitmapHandle, CopiesRetainMovesHandOverAndResetReleasesOnce) {
  auto* bitmap = new GuiBitmap(testBitmaps(), kCornersBitmap);
  {
    GuiBitmapHandle held(bitmap);
    EXPECT_EQ(bitmap->referenceCount(), 2);
    GuiBitmapHandle copy = held;
    EXPECT_EQ(bitmap->referenceCount(), 3);
    GuiBitmapHandle moved = std::move(copy);
    EXPECT_EQ(bitmap->referenceCount(), 3);
    EXPECT_FALSE(copy);
    EXPECT_EQ(moved.get(), bitmap);
    GuiBitmapHandle& same = moved;
    moved = same;
    EXPECT_EQ(bitmap->referenceCount(), 3);
    moved.reset();
    moved.reset();
    EXPECT_FALSE(moved);
    EXPECT_EQ(bitmap->referenceCount(), 2);
  }
  EXPECT_EQ(bitmap->referenceCount(), 1);
  bitmap->release();
}

TEST(GuiBitmapHandle, AssigningAnotherBitmapReleasesTheOldOne) {
  auto* first = new GuiBitmap(testBitmaps(), kCornersBitmap);
  auto* second = new GuiBitmap(testBitmaps(), kHalvesBitmap);
  {
    GuiBitmapHandle held(first);
    held = GuiBitmapHandle(second);
    EXPECT_EQ(first->referenceCount(), 1);
    EXPECT_EQ(second->referenceCount(), 2);
  }
  EXPECT_EQ(second->referenceCount(), 1);
  first->release();
  second->release();
}

// The reference a new bitmap starts with becomes the handle's, released with
// it (the sanitizer build reports the bitmap as leaked otherwise).
TEST(GuiBitmapHandle, AdoptingKeepsTheCount) {
  GuiBitmapHandle held = GuiBitmapHandle::adopt(new GuiBitmap(testBitmaps(), kCornersBitmap));
  EXPECT_EQ(held->referenceCount(), 1);
}
