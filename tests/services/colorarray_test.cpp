// Colour services: the 1-based colour array (bounds, copying, gradients, lookup), colour
// interpolation and the predefined colours.
#include "services/colorarray.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "change_util.h"
#include "platform/errors.h"

namespace kiv {
namespace {

using testing::ChangeCounter;

TEST(ColorArray, IsOneBasedAndReadsBlackOutsideItsRange) {
  TColorArray a(3);
  a.SetColorElem(1, clRed);
  a.SetColorElem(3, clBlue);
  EXPECT_EQ(a.Size(), 3);
  EXPECT_EQ(a.GetColorElem(1), clRed);
  EXPECT_EQ(a.GetColorElem(2), clBlack);
  EXPECT_EQ(a.ColorElem(3), clBlue);
  EXPECT_EQ(a.GetColorElem(0), clBlack);
  EXPECT_EQ(a.GetColorElem(4), clBlack);
  EXPECT_EQ(a.GetColorElem(-1), clBlack);
  EXPECT_EQ(a.GetColorElem(std::numeric_limits<int>::min()), clBlack);
}

TEST(ColorArray, WritesOutsideTheRangeAreIgnoredWithoutNotification) {
  TColorArray a(2);
  ChangeCounter changes(a);
  a.SetColorElem(0, clRed);
  a.SetColorElem(3, clRed);
  a.SetColorElem(std::numeric_limits<int>::max(), clRed);
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(a.GetColorElem(1), clBlack);
  EXPECT_EQ(a.GetColorElem(2), clBlack);
  a.SetColorElem(2, clRed);
  EXPECT_EQ(changes.count, 1);
}

TEST(ColorArray, ResizingKeepsExistingColoursAndAddsBlack) {
  TColorArray a(2);
  a.SetColorElem(1, clRed);
  a.SetColorElem(2, clLime);
  a.SetSize(4);
  EXPECT_EQ(a.GetColorElem(2), clLime);
  EXPECT_EQ(a.GetColorElem(4), clBlack);
  a.SetSize(1);
  EXPECT_EQ(a.GetColorElem(1), clRed);
  EXPECT_EQ(a.GetColorElem(2), clBlack);
  a.SetSize(0);
  EXPECT_EQ(a.Size(), 0);
}

TEST(ColorArray, ImpossibleSizesRaiseAndLeaveTheArrayUnchanged) {
  TColorArray a(2);
  a.SetColorElem(2, clRed);
  EXPECT_THROW(a.SetSize(-1), EKIVError);
  EXPECT_THROW(a.SetSize(std::numeric_limits<int>::max()), EKIVError);
  EXPECT_EQ(a.Size(), 2);
  EXPECT_EQ(a.GetColorElem(2), clRed);
  EXPECT_THROW(TColorArray(-3), EKIVError);
}

TEST(ColorArray, FillByInterpolationHitsTheColoursAtEqualDistances) {
  // Five entries through three colours: the middle colour lands exactly on entry 3.
  TColorArray a(5);
  ChangeCounter changes(a);
  a.FillByInterpolation(0, {clBlack, clWhite, clRed});
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(a.GetColorElem(1), clBlack);
  EXPECT_EQ(a.GetColorElem(2), RGB(128, 128, 128));  // 127.5 rounds to even
  EXPECT_EQ(a.GetColorElem(3), clWhite);
  EXPECT_EQ(a.GetColorElem(4), RGB(255, 128, 128));
  EXPECT_EQ(a.GetColorElem(5), clRed);
}

TEST(ColorArray, FillByInterpolationOfTheContourMaskPalette) {
  // 255 entries through black, blue, green, red, yellow and white: both ends exact.
  TColorArray a(255);
  a.FillByInterpolation(0, {0x000000, 0xFF0000, 0x008000, 0x0000FF, 0x00FFFF, 0xFFFFFF});
  EXPECT_EQ(a.GetColorElem(1), 0x000000);
  EXPECT_EQ(a.GetColorElem(255), 0xFFFFFF);
  // The knots lie 254 / 5 entries apart; entry 26 is just before the middle of black..blue.
  EXPECT_EQ(a.GetColorElem(26), InterpolateColor(0x000000, 0xFF0000, 25 * 5 / 254.0));
  EXPECT_EQ(a.GetColorElem(26), RGB(0, 0, 125));
}

TEST(ColorArray, FillByInterpolationFromALaterEntryKeepsTheEarlierOnes) {
  TColorArray a(4);
  a.SetColorElem(1, clRed);
  a.FillByInterpolation(2, {clBlack, clWhite});
  EXPECT_EQ(a.GetColorElem(1), clRed);
  EXPECT_EQ(a.GetColorElem(2), clBlack);
  EXPECT_EQ(a.GetColorElem(3), RGB(128, 128, 128));
  EXPECT_EQ(a.GetColorElem(4), clWhite);
}

TEST(ColorArray, FillByInterpolationEdgeCases) {
  TColorArray a(3);
  ChangeCounter changes(a);
  a.FillByInterpolation(1, {});
  a.FillByInterpolation(4, {clRed, clBlue});
  EXPECT_EQ(changes.count, 0);
  a.FillByInterpolation(1, {clRed});
  EXPECT_EQ(a.GetColorElem(1), clRed);
  EXPECT_EQ(a.GetColorElem(3), clRed);
  TColorArray one(1);
  one.FillByInterpolation(0, {clLime, clBlue});
  EXPECT_EQ(one.GetColorElem(1), clLime);
  TColorArray none;
  none.FillByInterpolation(0, {clLime, clBlue});  // nothing to fill, nothing breaks
  EXPECT_EQ(none.Size(), 0);
}

TEST(ColorArray, CopyFromMakesAnExactCopy) {
  TColorArray src(3);
  src.SetColorElem(2, clRed);
  TColorArray dst(10);
  ChangeCounter changes(dst);
  dst.CopyFrom(src);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(dst.Size(), 3);
  EXPECT_EQ(dst.GetColorElem(2), clRed);
}

TEST(ColorArray, CopyFromARangeSkipsWhatDoesNotFit) {
  TColorArray src(4);
  for (int i = 1; i <= 4; ++i) src.SetColorElem(i, RGB(i, 0, 0));
  TColorArray dst(3);
  dst.CopyFrom(src, 1, 1, 4);  // only three fit
  EXPECT_EQ(dst.Size(), 3);
  EXPECT_EQ(dst.GetColorElem(3), RGB(3, 0, 0));

  TColorArray dst2(3);
  dst2.CopyFrom(src, -1, 1, 4);  // indices -1 and 0 do not exist: copying starts at 1 -> 3
  EXPECT_EQ(dst2.GetColorElem(1), clBlack);
  EXPECT_EQ(dst2.GetColorElem(2), clBlack);
  EXPECT_EQ(dst2.GetColorElem(3), RGB(1, 0, 0));

  ChangeCounter changes(dst2);
  dst2.CopyFrom(src, 5, 1, 2);
  dst2.CopyFrom(src, 1, 1, 0);
  dst2.CopyFrom(src, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
                std::numeric_limits<int>::max());
  EXPECT_EQ(changes.count, 0);
}

TEST(ColorArray, CopyWithinOneArrayHandlesOverlap) {
  TColorArray a(5);
  for (int i = 1; i <= 5; ++i) a.SetColorElem(i, RGB(i, 0, 0));
  a.CopyFrom(a, 1, 2, 4);  // shift up by one
  EXPECT_EQ(a.GetColorElem(1), RGB(1, 0, 0));
  EXPECT_EQ(a.GetColorElem(2), RGB(1, 0, 0));
  EXPECT_EQ(a.GetColorElem(5), RGB(4, 0, 0));
  a.CopyFrom(a, 2, 1, 4);  // and back down
  EXPECT_EQ(a.GetColorElem(1), RGB(1, 0, 0));
  EXPECT_EQ(a.GetColorElem(4), RGB(4, 0, 0));
}

TEST(ColorArray, ColorToIndexFindsTheFirstExactMatchOrGivesZero) {
  TColorArray a(4);
  a.SetColorElem(1, clRed);
  a.SetColorElem(2, clBtnFace);
  a.SetColorElem(3, clBlue);
  a.SetColorElem(4, clBlue);
  EXPECT_EQ(a.ColorToIndex(clRed), 1);
  EXPECT_EQ(a.ColorToIndex(clBlue), 3);
  EXPECT_EQ(a.ColorToIndex(ColorToRGB(clBtnFace)), 2);  // system colours compare resolved
  EXPECT_EQ(a.ColorToIndex(RGB(254, 0, 0)), 0);         // no nearest-colour search
  EXPECT_EQ(TColorArray().ColorToIndex(clBlack), 0);
}

TEST(ColorArray, CopiesTakeTheColoursButNotTheHandler) {
  TColorArray a(2);
  int a_changes = 0;
  a.OnChange = [&](TObject*) { ++a_changes; };
  a.SetColorElem(1, clRed);
  TColorArray b(a);
  EXPECT_FALSE(b.OnChange);
  EXPECT_EQ(b.GetColorElem(1), clRed);
  TColorArray c(5);
  ChangeCounter changes(c);
  c.Assign(a);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(c.Size(), 2);
  EXPECT_EQ(a_changes, 1);
}

TEST(InterpolateColor, EndsMiddleAndClamping) {
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 0), clRed);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 1), clBlue);
  EXPECT_EQ(InterpolateColor(RGB(0, 100, 200), RGB(100, 0, 201), 0.5), RGB(50, 50, 200));
  EXPECT_EQ(InterpolateColor(clRed, clBlue, -3), clRed);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 7), clBlue);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, std::nan("")), clRed);
}

TEST(InterpolateColor, ResolvesSystemColoursFirst) {
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(InterpolateColor(clBtnFace, clBlack, 0), face);
  EXPECT_EQ(InterpolateColor(clBlack, clBtnFace, 1), face);
}

TEST(PredefinedColors, SeventeenDistinctColoursStartingWithTheScaleColours) {
  std::set<TColor> seen;
  for (int i = 0; i < kNumPredefinedColors; ++i) seen.insert(PredefinedColors(i));
  EXPECT_EQ(seen.size(), 17u);
  EXPECT_EQ(PredefinedColors(0), clBlack);
  EXPECT_EQ(PredefinedColors(-1), clBlack);
  EXPECT_EQ(PredefinedColors(17), clBlack);
  // Well apart: no two colours closer than 60 in plain RGB distance, none near white.
  for (int i = 0; i < 17; ++i) {
    const TColor a = PredefinedColors(i);
    EXPECT_LT(GetRValue(a) + GetGValue(a) + GetBValue(a), 3 * 200) << i;
    for (int j = i + 1; j < 17; ++j) {
      const TColor b = PredefinedColors(j);
      const double d = std::hypot(GetRValue(a) - GetRValue(b), GetGValue(a) - GetGValue(b),
                                  GetBValue(a) - GetBValue(b));
      EXPECT_GT(d, 60) << i << " and " << j;
    }
  }
}

}  // namespace
}  // namespace kiv
