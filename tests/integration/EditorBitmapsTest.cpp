// The five bitmaps as the built plug-in carries them: 24-bit, of the panel's
// sizes, with the transparent key colour only where the controls need it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace {
struct BitmapResource {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int compression = -1;
  const std::uint8_t* pixels = nullptr;  // bottom-up rows of blue, green, red, padded to 4 bytes

  bool isKey(int x, int y) const {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint8_t* p = pixels + (height - 1 - y) * stride + x * 3;
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
  }
  int keyCount(const std::function<bool(int, int)>& where = [](int, int) { return true; }) const {
    int count = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) count += isKey(x, y) && where(x, y);
    }
    return count;
  }
};

class PluginBitmaps : public ::testing::Test {
protected:
  void SetUp() override {
    module = LoadLibraryExA(LUMIVANE_PLUGIN_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override { FreeLibrary(module); }

  BitmapResource load(int id) const {
    BitmapResource bitmap;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (found == nullptr) return bitmap;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    if (header == nullptr || SizeofResource(module, found) < sizeof *header) return bitmap;
    bitmap.width = header->biWidth;
    bitmap.height = header->biHeight;
    bitmap.bitsPerPixel = header->biBitCount;
    bitmap.compression = static_cast<int>(header->biCompression);
    bitmap.pixels = reinterpret_cast<const std::uint8_t*>(header) + header->biSize;
    return bitmap;
  }

  void expectPlainRgb(const BitmapResource& bitmap, int width, int height) const {
    EXPECT_EQ(bitmap.width, width);
    EXPECT_EQ(bitmap.height, height);
    EXPECT_EQ(bitmap.bitsPerPixel, 24);
    EXPECT_EQ(bitmap.compression, BI_RGB);
  }

  HMODULE module = nullptr;
};
}  // namespace

TEST_F(PluginBitmaps, BackgroundHoldsTheKeyColourOnlyInTheLogoBand) {
  const BitmapResource background = load(101);
  expectPlainRgb(background, 150, 272);
  ASSERT_NE(background.pixels, nullptr);
  EXPECT_GT(background.keyCount(), 0);
  EXPECT_EQ(background.keyCount([](int, int y) { return y < 240 || y > 270; }), 0);
}

TEST_F(PluginBitmaps, SliderTrackAndHandleHaveNoKeyColour) {
  const BitmapResource body = load(102);
  expectPlainRgb(body, 70, 18);
  const BitmapResource handle = load(103);
  expectPlainRgb(handle, 6, 12);
  ASSERT_NE(body.pixels, nullptr);
  ASSERT_NE(handle.pixels, nullptr);
  EXPECT_EQ(body.keyCount(), 0);
  EXPECT_EQ(handle.keyCount(), 0);
}

TEST_F(PluginBitmaps, KnobFaceIsTransparentOnlyOutsideItsCircle) {
  const BitmapResource knob = load(104);
  expectPlainRgb(knob, 28, 28);
  ASSERT_NE(knob.pixels, nullptr);
  EXPECT_EQ(knob.keyCount(), 223);
  const auto insideRadiusThirteen = [](int x, int y) { return (x - 14) * (x - 14) + (y - 14) * (y - 14) <= 169; };
  EXPECT_EQ(knob.keyCount(insideRadiusThirteen), 0);
}

TEST_F(PluginBitmaps, PointerDotIsTransparentInSixCornerPixels) {
  const BitmapResource dot = load(105);
  expectPlainRgb(dot, 6, 6);
  ASSERT_NE(dot.pixels, nullptr);
  EXPECT_EQ(dot.keyCount(), 6);
  const auto inACorner = [](int x, int y) { return (x < 2 || x > 3) && (y < 2 || y > 3); };
  EXPECT_EQ(dot.keyCount(inACorner), 6);
}
