#include "gui/GuiValueDisplay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gui/GuiDrawingContext.h"
#include "tests/gui/GuiTestSupport.h"

namespace {
constexpr GuiRect kBox{2, 2, 30, 14};

std::string textOf(GuiValueDisplay& display) {
  char text[GuiValueDisplay::kTextCapacity];
  display.formatValue(text);
  return text;
}

int plainCalls = 0;
void plainConverter(float, char* text) {
  ++plainCalls;
  std::strcpy(text, "plain");
}
void dataConverter(float value, char* text, void* data) {
  std::strcpy(text, value > 0.5f ? static_cast<const char*>(data) : "low");
}
void silentConverter(float, char*, void*) {}
}  // namespace

TEST(GuiValueDisplay, WithoutAConverterShowsTwoDecimals) {
  GuiValueDisplay display(kBox, nullptr, 0);
  display.setValue(0.5f);
  EXPECT_EQ(textOf(display), "0.50");
  display.setValue(1.0f);
  EXPECT_EQ(textOf(display), "1.00");
}

TEST(GuiValueDisplay, ConverterWithDataTakesPrecedence) {
  GuiValueDisplay display(kBox, nullptr, 0);
  char high[] = "high";
  plainCalls = 0;
  display.setValueToText(plainConverter);
  display.setValueToTextWithData(dataConverter, high);
  display.setValue(0.9f);
  EXPECT_EQ(textOf(display), "high");
  EXPECT_EQ(plainCalls, 0);
  display.setValueToTextWithData(silentConverter, nullptr);
  EXPECT_EQ(textOf(display), "");
}

TEST(GuiValueDisplay, ColourChangeOnlyInTheSpareByteIsStoredButNotRedrawn) {
  GuiValueDisplay display(kBox, nullptr, 0);
  display.setDirty(false);
  display.setFontColour({255, 255, 255, 9});
  EXPECT_FALSE(display.isDirty());
  EXPECT_EQ(display.getFontColour().spare, 9);
  display.setFontColour(ColourRed);
  EXPECT_TRUE(display.isDirty());
}

TEST(GuiValueDisplay, SameStyleStaysCleanAndNoTextDrawsTheBoxAlone) {
  GuiValueDisplay display(kBox, nullptr, 1);
  display.setBackColour({150, 165, 140, 0});
  display.setFontColour(ColourBlack);
  display.setValue(0.5f);
  display.setDirty(false);
  display.setDisplayStyle(1);
  EXPECT_FALSE(display.isDirty());
  display.setDisplayStyle(1 | DisplayNoText);
  EXPECT_TRUE(display.isDirty());
  TestCanvas canvas(32, 16, ColourWhite);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  display.draw(context);
  EXPECT_FALSE(display.isDirty());
  const GuiRect inside{kBox.left + 1, kBox.top + 1, kBox.right, kBox.bottom};
  EXPECT_EQ(canvas.count({150, 165, 140, 0}, inside), inside.width() * inside.height());
  EXPECT_EQ(canvas.pixel(kBox.left, kBox.top), ColourBlack);
}

TEST(GuiValueDisplay, FrameFirstBevelReplacesThePlainFrame) {
  GuiValueDisplay display(kBox, nullptr, DisplayBevelFrameFirst | DisplayNoText);
  display.setBackColour(ColourGreen);
  display.setFrameColour(ColourBlue);
  TestCanvas canvas(32, 16, ColourWhite);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  display.draw(context);
  EXPECT_EQ(canvas.pixel(kBox.left, kBox.top + 5), ColourBlue);    // left edge: frame colour
  EXPECT_EQ(canvas.pixel(kBox.left + 5, kBox.top), ColourBlue);    // top edge
  EXPECT_EQ(canvas.pixel(kBox.right, kBox.top + 5), ColourGreen);  // right edge: back colour
  EXPECT_EQ(canvas.pixel(kBox.left + 5, kBox.bottom), ColourGreen);
  EXPECT_EQ(canvas.pixel(kBox.left + 5, kBox.top + 5), ColourGreen);
}

TEST(GuiValueDisplay, NoDrawStyleIsCleanFromTheStartAndPaintsNothing) {
  GuiValueDisplay display(kBox, nullptr, DisplayNoDraw);
  EXPECT_FALSE(display.isDirty());
  TestCanvas canvas(32, 16, ColourWhite);
  GuiDrawingContext context(nullptr, canvas.surface(), nullptr);
  display.draw(context);
  EXPECT_EQ(canvas.count(ColourWhite, {0, 0, 32, 16}), 32 * 16);
}
