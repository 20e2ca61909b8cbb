// Worked examples for the base services, each value found by hand: frame rings of the styles
// without a golden picture elsewhere and their degenerate sizes, what a frame leaves alone, the
// settings objects' notifications for repeated and limited values, colour-table gradients off
// the knots, byte-matrix notifications, font pixel sizes at several resolutions and exact texts
// of the string helpers.
#include <gtest/gtest.h>

#include "change_util.h"
#include "paint_util.h"
#include "platform/bitmap.h"
#include "services/bytematrix.h"
#include "services/canvasutil.h"
#include "services/colorarray.h"
#include "services/crosshair.h"
#include "services/frame.h"
#include "services/stringutil.h"
#include "services/textlabel.h"

namespace kiv {
namespace {

using testing::ChangeCounter;
using testing::Picture;

// Distinct colours for the five frame arguments, as the picture legend shows them.
constexpr TColor kHighLight = 0xFEFEFE;  // 'W'

void Frame(TBitmap& b, TFrameStyle style, int l, int t, int r, int bt) {
  DrawFrame(b.Canvas(), style, l, t, r, bt, kHighLight, clSilver, clGray, clBlack, clRed);
}

TEST(AuditDrawFrame, RaisedIsSilverAndWhiteAboveBlackAndGrey) {
  // Outer ring Light / DkShadow, inner ring HighLight / Shadow; the bottom-right colour owns
  // the top-right and bottom-left corners of each ring.
  TBitmap b(10, 9);
  Frame(b, rbRaised, 1, 1, 8, 7);
  EXPECT_EQ(Picture(b),
            "..........\n"
            ".sssssss#.\n"
            ".sWWWWWg#.\n"
            ".sW....g#.\n"
            ".sW....g#.\n"
            ".sW....g#.\n"
            ".sgggggg#.\n"
            ".########.\n"
            "..........\n");
}

TEST(AuditDrawFrame, DoubleLoweredIsAFrameLineAroundALoweredBevel) {
  TBitmap b(8, 8);
  Frame(b, rbDoubleLowered, 0, 0, 7, 7);
  EXPECT_EQ(Picture(b),
            "RRRRRRRR\n"
            "RgggggWR\n"
            "Rg###sWR\n"
            "Rg#..sWR\n"
            "Rg#..sWR\n"
            "RgssssWR\n"
            "RWWWWWWR\n"
            "RRRRRRRR\n");
}

TEST(AuditDrawFrame, TinyRectanglesShowTheBottomRightColourOnTheirSharedPixels) {
  // One column: the right edge covers the left one, so all of it is the highlight.
  TBitmap column(5, 6);
  Frame(column, rbLowered, 2, 1, 2, 4);
  EXPECT_EQ(Picture(column),
            ".....\n"
            "..W..\n"
            "..W..\n"
            "..W..\n"
            "..W..\n"
            ".....\n");
  // One row: likewise the bottom edge covers the top one.
  TBitmap row(6, 3);
  Frame(row, rbLowered, 1, 1, 4, 1);
  EXPECT_EQ(Picture(row),
            "......\n"
            ".WWWW.\n"
            "......\n");
  // Two by two: only the top-left pixel keeps the top-left colour; the inner ring has no room.
  TBitmap square(4, 4);
  Frame(square, rbLowered, 1, 1, 2, 2);
  EXPECT_EQ(Picture(square),
            "....\n"
            ".gW.\n"
            ".WW.\n"
            "....\n");
  // Three by three, double raised: the frame line, then a one-pixel second ring that is its
  // own bottom-right corner (black), and no room for the third.
  TBitmap three(3, 3);
  Frame(three, rbDoubleRaised, 0, 0, 2, 2);
  EXPECT_EQ(Picture(three),
            "RRR\n"
            "R#R\n"
            "RRR\n");
}

TEST(AuditDrawFrame, OnlyTheRingsChangeAndTheBrushIsNeverUsed) {
  // On a blue ground with the colours the components pass (white, silver, grey, black, black),
  // a frame of k rings on a w x h rectangle changes exactly the pixels of its rings:
  // the sum over i < k of 2 (w - 2i) + 2 (h - 2i) - 4.
  const int w = 9, h = 7;
  for (int s = 0; s < kFrameStyleCount; ++s) {
    const auto style = static_cast<TFrameStyle>(s);
    SCOPED_TRACE(::testing::Message() << "style " << s);
    TBitmap b(w + 2, h + 2);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlue);
    c.FillRect(TRect(0, 0, w + 2, h + 2));
    c.Brush().SetColor(clYellow);
    DrawFrame(c, style, 1, 1, w, h, clWhite, clSilver, clGray, clBlack, clBlack);
    const int rings = s == rbNone ? 0 : s == rbSimple ? 1 : s <= rbEngraved ? 2 : 3;
    int ring_pixels = 0;
    for (int i = 0; i < rings; ++i) ring_pixels += 2 * (w - 2 * i) + 2 * (h - 2 * i) - 4;
    EXPECT_EQ(testing::CountColor(b, clBlue), (w + 2) * (h + 2) - ring_pixels);
    EXPECT_EQ(testing::CountColor(b, clYellow), 0);
    EXPECT_EQ(c.Brush().Color(), clYellow);
    // The corners of the rectangle hold the ring colours the styles list.
    if (style == rbSimple) {
      EXPECT_EQ(c.Pixels(1, 1), clBlack);
    }
    if (style == rbLowered) {
      EXPECT_EQ(c.Pixels(1, 1), clGray);
      EXPECT_EQ(c.Pixels(w, h), clWhite);
      EXPECT_EQ(c.Pixels(2, 2), clBlack);
      EXPECT_EQ(c.Pixels(w - 1, h - 1), clSilver);
    }
    if (style == rbRaised) {
      EXPECT_EQ(c.Pixels(1, 1), clSilver);
      EXPECT_EQ(c.Pixels(w, 1), clBlack);  // top-right corner belongs to the dark side
      EXPECT_EQ(c.Pixels(2, 2), clWhite);
      EXPECT_EQ(c.Pixels(w - 1, h - 1), clGray);
    }
  }
}

TEST(AuditTextLabel, SettingAValueItAlreadyHasStillNotifies) {
  TCustomTextLabel l;
  ChangeCounter changes(l);
  l.SetPosX(0);
  l.SetCaption("");
  l.SetMode(tlmNone);
  l.SetVisible(false);
  l.SetLayer(1);
  l.SetShadowDx(3);
  EXPECT_EQ(changes.count, 6);
}

TEST(AuditTextLabel, SetFontCopiesTheFontAndNotifiesOnce) {
  TCustomTextLabel l;
  ChangeCounter changes(l);
  TFont f;
  f.SetSize(14);
  f.SetColor(clBlue);
  l.SetFont(f);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(l.Font().Size(), 14);
  EXPECT_EQ(l.Font().Color(), clBlue);
  l.SetFont(f);  // the same font again: still one notification
  EXPECT_EQ(changes.count, 2);
  // The label holds a copy: the caller's font is not linked to it.
  f.SetSize(30);
  EXPECT_EQ(l.Font().Size(), 14);
  EXPECT_EQ(changes.count, 2);
}

// A label class of a component that adds nothing, as the chart's own label class does.
class TPlainLabel : public TCustomTextLabel {
 public:
  std::string ClassName() const override { return "TPlainLabel"; }
};

TEST(AuditTextLabel, LabelsOfDerivedClassesAssignBothWays) {
  TCustomTextLabel base;
  base.SetCaption("A\nB");
  base.SetPosX(2.5);
  base.SetMode(tlmUnderlined);
  base.SetShadowDy(-1);
  TPlainLabel derived;
  ChangeCounter changes(derived);
  derived.Assign(base);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(derived.Caption(), "A\nB");
  EXPECT_EQ(derived.PosX(), 2.5);
  EXPECT_EQ(derived.Mode(), tlmUnderlined);
  EXPECT_EQ(derived.ShadowDy(), -1);

  derived.SetColorBorder(clFuchsia);
  TCustomTextLabel back;
  back.Assign(derived);
  EXPECT_EQ(back.ColorBorder(), clFuchsia);
  EXPECT_EQ(back.Caption(), "A\nB");
}

TEST(AuditCrossHair, RepeatedAndLimitedValuesStillNotify) {
  TCrossHair ch;
  ChangeCounter changes(ch);
  ch.SetColor(clRed);  // the value it already has
  ch.SetPos(0, 0);
  EXPECT_EQ(changes.count, 2);
  ch.SetLineWid(-3);  // stored as 1, still reported
  EXPECT_EQ(ch.LineWid(), 1);
  EXPECT_EQ(changes.count, 3);
}

TEST(AuditCrossHair, LayerNumbersAreStoredAsGiven) {
  // Charts give crosshairs 3 and 4 the layer numbers 3 and 4 and read them as layer 2.
  TCrossHair ch;
  ch.SetLayer(3);
  EXPECT_EQ(ch.Layer(), 3);
  ch.SetLayer(4);
  EXPECT_EQ(ch.Layer(), 4);
}

TEST(AuditColorArray, GradientEntriesBetweenTheKnots) {
  // Four entries through three colours: knots at positions 0, 1.5 and 3 of entries 1..4.
  // Entry 2 is 2/3 of the way from the first colour to the second, entry 3 is 1/3 of the way
  // from the second to the third:
  //   red   0 -> 90 -> 30:   60,  90 - 60/3 = 70
  //   green 200 -> 0 -> 255: 200 - 400/3 = 66.7 -> 67,  255/3 = 85
  TColorArray a(4);
  a.FillByInterpolation(1, {RGB(0, 200, 0), RGB(90, 0, 0), RGB(30, 255, 0)});
  EXPECT_EQ(a.GetColorElem(1), RGB(0, 200, 0));
  EXPECT_EQ(a.GetColorElem(2), RGB(60, 67, 0));
  EXPECT_EQ(a.GetColorElem(3), RGB(70, 85, 0));
  EXPECT_EQ(a.GetColorElem(4), RGB(30, 255, 0));
}

TEST(AuditColorArray, EntriesDroppedByShrinkingComeBackBlack) {
  TColorArray a(4);
  for (int i = 1; i <= 4; ++i) a.SetColorElem(i, clRed);
  a.SetSize(2);
  EXPECT_EQ(a.GetColorElem(3), clBlack);  // outside now
  a.SetSize(4);
  EXPECT_EQ(a.GetColorElem(2), clRed);
  EXPECT_EQ(a.GetColorElem(3), clBlack);
  EXPECT_EQ(a.GetColorElem(4), clBlack);
  EXPECT_EQ(a.ColorToIndex(clBlack), 3);
}

TEST(AuditByteMatrix, FillAndSetByteEachNotifyOnce) {
  TByteMatrix m(3, 2);
  int changes = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  m.Fill(7);
  EXPECT_EQ(changes, 1);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) EXPECT_EQ(m.GetByte(c, r), 7);
  m.SetByte(2, 2, 255);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(m.GetByte(2, 2), 255);
  EXPECT_EQ(m.GetByte(2, 1), 7);
}

TEST(AuditSetCanvasFontSizeScaled, PixelSizeIsPointsTimesResolutionOver72Rounded) {
  TBitmap b(2, 2);
  TCanvas& c = b.Canvas();
  struct Case {
    int ppi, points, pixels;
  };
  // 10 * 72 / 72 = 10; 9 * 120 / 72 = 15; 8 * 300 / 72 = 33.3; 10 * 150 / 72 = 20.8;
  // 7 * 96 / 72 = 9.3.
  for (const Case k :
       {Case{72, 10, 10}, Case{120, 9, 15}, Case{300, 8, 33}, Case{150, 10, 21}, Case{96, 7, 9}}) {
    c.SetPixelsPerInch(k.ppi);
    SetCanvasFontSizeScaled(c, k.points);
    EXPECT_EQ(c.Font().Size(), k.points);
    EXPECT_EQ(c.Font().PixelSize(), k.pixels) << k.ppi << " ppi, " << k.points << " pt";
  }
}

TEST(AuditStrings, StrffRoundingAndBoundaries) {
  EXPECT_EQ(strff(0.5, 1, 0), "0");  // halves to even, and no sign on zero
  EXPECT_EQ(strff(-0.4, 1, 0), "0");
  EXPECT_EQ(strff(1.5, 1, 0), "2");
  EXPECT_EQ(strff(2.5, 3, 0), "  2");
  EXPECT_EQ(strff(-1234.5, 12, -2), "     -1234.5");  // a statistics column
  EXPECT_EQ(strff(12.5, 1, -3), "12.5");              // below -2 counts as automatic
  EXPECT_EQ(strff(9999999, 1, -2), "9999999");
  EXPECT_EQ(strff(1e7, 1, -2), "1E+07");
  EXPECT_EQ(strff(1e-4, 1, -2), "0.0001");
  EXPECT_EQ(strff(9.99e-5, 1, -2), "9.99E-05");
  EXPECT_EQ(strff(123.456, 1, -1), "1.23456E+02");
  EXPECT_EQ(strff(-0.25, 10, -1), "  -2.5E-01");  // eight characters in ten
}

TEST(AuditStrings, HexCharactersBackslashesAndShortTexts) {
  EXPECT_EQ(ProcessHexChars("\\FF"), "\xC3\xBF");  // y with diaeresis, as UTF-8
  EXPECT_EQ(ProcessHexChars("\\0a"), "\n");        // lower-case digits
  EXPECT_EQ(ProcessHexChars("\\\\41"), "\\41");    // an escaped backslash, then text
  EXPECT_EQ(ProcessHexChars("\\\\\\41"), "\\A");   // escaped backslash, then a code
  EXPECT_EQ(ProcessHexChars("\\41\\"), "A\\");     // a lone backslash at the end stays
  EXPECT_EQ(CenterString("a", 4), " a  ");         // the odd blank goes to the right
  EXPECT_EQ(CenterString("abcd", 5), "abcd ");
  EXPECT_EQ(AbbrevString("abc", 2), "a.");
  EXPECT_EQ(AbbrevString("abc", 3), "abc");
  EXPECT_EQ(CenterString(AbbrevString("Temperature inside", 12), 14), " Temperature. ");
  EXPECT_EQ(MultiChar('*', 3) + ReduceStringToAZ09("x_1\t-\n2"), "***x12");
}

}  // namespace
}  // namespace kiv
